// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/RectTracker.h"

#include <QImage>
#include <QPainter>
#include <QRubberBand>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Counts the rectangle changes the tracking loop reports.
class CountingTracker : public CRectTracker {
public:
    using CRectTracker::CRectTracker;
    int changes = 0;
    CRect lastOld;
    std::function<void()> onChange;

protected:
    void OnChangedRect(const CRect& rectOld) override
    {
        ++changes;
        lastOld = rectOld;
        if (onChange)
            onChange();
        CRectTracker::OnChangedRect(rectOld);
    }
};

class TrackerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<QWidget>();
        window->resize(400, 300);
        window->show();
    }
    void TearDown() override
    {
        if (QWidget::mouseGrabber())
            QWidget::mouseGrabber()->releaseMouse();
    }

    // Presses at start, then runs the tracking call; script runs once its loop
    // has started and plays the rest of the gesture. A watchdog cancels a
    // loop the script failed to end, so a broken tracker fails instead of
    // hanging.
    bool Run(QPoint start, const std::function<void()>& script, const std::function<bool()>& track)
    {
        QTest::mousePress(window.get(), Qt::LeftButton, {}, start);
        QTimer::singleShot(0, script);
        bool timedOut = false;
        QTimer watchdog;
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [&] {
            timedOut = true;
            QTest::mousePress(window.get(), Qt::RightButton);
        });
        watchdog.start(10000);
        const bool result = track();
        EXPECT_FALSE(timedOut) << "the gesture did not end the tracking loop";
        return result;
    }

    void Move(QPoint p) { QTest::mouseMove(window.get(), p); }
    void Release(QPoint p) { QTest::mouseRelease(window.get(), Qt::LeftButton, {}, p); }

    std::unique_ptr<QWidget> window;
};

} // namespace

TEST(RectTrackerHitTest, ReportsCornersSidesMiddleAndNothing)
{
    CRectTracker t(CRect(100, 100, 200, 180));
    EXPECT_EQ(t.HitTest({100, 100}), CRectTracker::hitTopLeft);
    EXPECT_EQ(t.HitTest({105, 105}), CRectTracker::hitTopLeft);
    EXPECT_EQ(t.HitTest({199, 100}), CRectTracker::hitTopRight);
    EXPECT_EQ(t.HitTest({199, 179}), CRectTracker::hitBottomRight);
    EXPECT_EQ(t.HitTest({193, 173}), CRectTracker::hitBottomRight);
    EXPECT_EQ(t.HitTest({100, 179}), CRectTracker::hitBottomLeft);
    EXPECT_EQ(t.HitTest({150, 101}), CRectTracker::hitTop);
    EXPECT_EQ(t.HitTest({198, 140}), CRectTracker::hitRight);
    EXPECT_EQ(t.HitTest({130, 178}), CRectTracker::hitBottom);
    EXPECT_EQ(t.HitTest({102, 140}), CRectTracker::hitLeft);
    EXPECT_EQ(t.HitTest({150, 140}), CRectTracker::hitMiddle);
    // Handles stay inside: a press just outside is no press on the tracker
    // (it would not be a press on the photo either).
    EXPECT_EQ(t.HitTest({97, 97}), CRectTracker::hitNothing);
    EXPECT_EQ(t.HitTest({200, 140}), CRectTracker::hitNothing);
    EXPECT_EQ(t.HitTest({150, 180}), CRectTracker::hitNothing);
    EXPECT_EQ(t.HitTest({150, 190}), CRectTracker::hitNothing);
    EXPECT_EQ(t.HitTest({50, 50}), CRectTracker::hitNothing);

    // A small rectangle keeps a middle to be moved by.
    t.m_rect = CRect(10, 10, 22, 22);
    EXPECT_EQ(t.HitTest({16, 16}), CRectTracker::hitMiddle);
    t.m_rect = CRect(40, 40, 40, 40);
    EXPECT_EQ(t.HitTest({40, 40}), CRectTracker::hitNothing) << "no selection, no tracker";
}

TEST(RectTrackerDraw, DrawsOutlineAndHandlesAndNothingForAnEmptyRectangle)
{
    QImage image(120, 120, QImage::Format_RGB32);
    image.fill(0xFF808080);
    {
        QPainter p(&image);
        CRectTracker(CRect(20, 30, 100, 90)).Draw(&p);
        CRectTracker(CRect(5, 5, 5, 50)).Draw(&p);
    }
    EXPECT_NE(image.pixel(60, 30), 0xFF808080u) << "top outline";
    EXPECT_NE(image.pixel(99, 60), 0xFF808080u) << "right outline on the last pixel inside";
    EXPECT_EQ(image.pixel(60, 60), 0xFF808080u) << "the inside is left alone";
    EXPECT_EQ(image.pixel(27, 37), 0xFF000000u) << "corner handle border, inside the corner";
    EXPECT_EQ(image.pixel(23, 33), 0xFFFFFFFFu) << "corner handle face";
    EXPECT_EQ(image.pixel(60, 37), 0xFF000000u) << "side handle in the middle of the top";
    // Nothing is drawn outside the rectangle: every handle the user sees is
    // on the photo, so pressing it never misses the photo.
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (!CRect(20, 30, 100, 90).PtInRect({x, y})) {
                ASSERT_EQ(image.pixel(x, y), 0xFF808080u) << x << "," << y;
            }
        }
    }
    EXPECT_EQ(image.pixel(5, 20), 0xFF808080u);
}

TEST_F(TrackerTest, MovesAndResizesUntilTheButtonIsReleased)
{
    CountingTracker t(CRect(100, 100, 200, 180));
    const bool moved = Run(
        {150, 140},
        [&] {
            Move({160, 150});
            EXPECT_EQ(t.m_rect, CRect(110, 110, 210, 190)) << "the rectangle follows during the drag";
            Move({130, 120});
            Release({130, 125});
        },
        [&] {
            return t.Track(window.get(), {150, 140});
        });
    EXPECT_TRUE(moved);
    EXPECT_EQ(t.m_rect, CRect(80, 85, 180, 165));
    EXPECT_EQ(t.changes, 3);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr) << "the mouse is given back";

    const bool resized = Run(
        {179, 164},
        [&] {
            Move({209, 184});
            Release({209, 184});
        },
        [&] {
            return t.Track(window.get(), {179, 164});
        });
    EXPECT_TRUE(resized);
    EXPECT_EQ(t.m_rect, CRect(80, 85, 210, 185)) << "bottom-right corner";

    // The left side cannot pass the right one: the rectangle keeps its
    // minimum width against the side that did not move.
    Run(
        {80, 130},
        [&] {
            Release({400, 130});
        },
        [&] {
            return t.Track(window.get(), {80, 130});
        });
    EXPECT_EQ(t.m_rect, CRect(210 - t.m_sizeMin.cx, 85, 210, 185));

    // Press and release on the spot: nothing changed, nothing reported.
    const CRect before = t.m_rect;
    EXPECT_FALSE(Run(
        {205, 130},
        [&] {
            Release({205, 130});
        },
        [&] {
            return t.Track(window.get(), {205, 130});
        }));
    EXPECT_EQ(t.m_rect, before);
}

TEST_F(TrackerTest, EscapeOrTheRightButtonCancelsAndRestoresTheRectangle)
{
    CountingTracker t(CRect(100, 100, 200, 180));
    const bool escaped = Run(
        {150, 140},
        [&] {
            Move({250, 240});
            QTest::keyClick(window.get(), Qt::Key_Escape);
        },
        [&] {
            return t.Track(window.get(), {150, 140});
        });
    Release({250, 240});
    EXPECT_FALSE(escaped);
    EXPECT_EQ(t.m_rect, CRect(100, 100, 200, 180));
    EXPECT_EQ(t.changes, 2) << "the move, then the restore, so the owner repaints";
    EXPECT_EQ(t.lastOld, CRect(200, 200, 300, 280));

    const bool rightButton = Run(
        {199, 179},
        [&] {
            Move({260, 230});
            QTest::mousePress(window.get(), Qt::RightButton, {}, {260, 230});
        },
        [&] {
            return t.Track(window.get(), {199, 179});
        });
    QTest::mouseRelease(window.get(), Qt::RightButton, {}, {260, 230});
    Release({260, 230});
    EXPECT_FALSE(rightButton);
    EXPECT_EQ(t.m_rect, CRect(100, 100, 200, 180));
}

TEST_F(TrackerTest, DeclinesWhileAnotherWidgetHoldsTheMouse)
{
    QWidget other(window.get());
    other.resize(10, 10);
    other.show();
    other.grabMouse();
    CRectTracker t(CRect(100, 100, 200, 180));
    EXPECT_FALSE(t.Track(window.get(), {150, 140}));
    EXPECT_FALSE(t.TrackRubberBand(window.get(), {150, 140}));
    EXPECT_EQ(QWidget::mouseGrabber(), &other);
    EXPECT_EQ(t.m_rect.Width(), 0);
    other.releaseMouse();
}

TEST_F(TrackerTest, TheWindowGoingAwayEndsTheLoop)
{
    CRectTracker t(CRect(100, 100, 200, 180));
    const bool result = Run(
        {150, 140},
        [&] {
            Move({170, 160});
            window.reset();
        },
        [&] {
            return t.Track(window.get(), {150, 140});
        });
    EXPECT_FALSE(result);
    EXPECT_EQ(t.m_rect, CRect(100, 100, 200, 180));
    EXPECT_FALSE(t.IsTracking());
    QWidget scratch; // ends the gesture for QtTest's own button state
    QTest::mouseRelease(&scratch, Qt::LeftButton);
}

TEST_F(TrackerTest, RubberBandFollowsTheCursorInAnyDirectionAndIsNormalised)
{
    CRectTracker t;
    bool bandShown = false;
    const bool dragged = Run(
        {50, 50},
        [&] {
            Move({20, 90});
            bandShown = window->findChild<QRubberBand*>() && window->findChild<QRubberBand*>()->isVisible();
            Release({20, 90});
        },
        [&] {
            return t.TrackRubberBand(window.get(), {50, 50});
        });
    EXPECT_TRUE(dragged);
    EXPECT_TRUE(bandShown);
    EXPECT_EQ(t.m_rect, CRect(20, 50, 50, 90));
    EXPECT_EQ(window->findChild<QRubberBand*>(), nullptr) << "the band goes when the drag ends";

    EXPECT_FALSE(Run(
        {50, 50},
        [&] {
            Release({80, 50});
        },
        [&] {
            return t.TrackRubberBand(window.get(), {50, 50});
        }))
        << "a band without height has no size";
}

TEST_F(TrackerTest, SetCursorShowsResizeAndMoveCursorsOnTheWidgetThatGetsTheMouse)
{
    // A static frame lets the mouse through to its dialog, so the dialog is
    // where a cursor shows.
    QWidget frame(window.get());
    frame.setGeometry(20, 20, 300, 250);
    frame.setAttribute(Qt::WA_TransparentForMouseEvents);
    CRectTracker t(CRect(100, 100, 200, 180));

    EXPECT_TRUE(t.SetCursor(&frame, {100, 100}));
    EXPECT_EQ(window->cursor().shape(), Qt::SizeFDiagCursor);
    EXPECT_TRUE(t.SetCursor(&frame, {199, 100}));
    EXPECT_EQ(window->cursor().shape(), Qt::SizeBDiagCursor);
    EXPECT_TRUE(t.SetCursor(&frame, {150, 178}));
    EXPECT_EQ(window->cursor().shape(), Qt::SizeVerCursor);
    EXPECT_TRUE(t.SetCursor(&frame, {150, 140}));
    EXPECT_EQ(window->cursor().shape(), Qt::SizeAllCursor);
    EXPECT_FALSE(frame.testAttribute(Qt::WA_SetCursor));

    EXPECT_FALSE(t.SetCursor(&frame, {10, 10}));
    EXPECT_EQ(window->cursor().shape(), Qt::ArrowCursor) << "the cursor it set is taken back";
}
