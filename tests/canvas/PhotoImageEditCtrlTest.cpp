// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "canvas/PhotoImageEditCtrl.h"
#include "core/PhotoTemplateProcessor.h"
#include "core/SceneGraph.h"
#include "support/PaintRecorder.h"
#include "support/SceneFixture.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QRubberBand>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace {

using fixtures::Extent;

constexpr QRgb kGrey = 0xFF969696;
constexpr QRgb kBlue = 0xFF285AA0;  // background
constexpr QRgb kRed = 0xFFD02020;   // wide photo
constexpr QRgb kGreen = 0xFF20B040; // square photo

// Stands in for the design page: presses over the canvas reach the page (the
// canvas lets them through), which converts the point and forwards them.
class PageStandIn : public QWidget {
public:
    CPhotoImageEditCtrl* canvas = nullptr;
    int presses = 0;
    int contextMenus = 0;

protected:
    void mousePressEvent(QMouseEvent* e) override
    {
        ++presses;
        const CPoint p = CPoint::FromQPoint(canvas->mapFrom(this, e->position().toPoint()));
        if (e->button() == Qt::LeftButton && p.x >= 0 && p.y >= 0)
            canvas->HandleLButtonDown(0, p);
        else if (e->button() == Qt::RightButton)
            canvas->HandleRButtonDown(0, p);
    }
    void contextMenuEvent(QContextMenuEvent*) override { ++contextMenus; }
};

// Pixels of any colour but the scene's own: what a tracker adds.
int ForeignPixels(const QImage& image, const CRect& area)
{
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            const QRgb c = image.pixel(x, y);
            n += c != kGrey && c != kBlue && c != kRed && c != kGreen;
        }
    return n;
}

class CanvasTest : public SceneFixture {
protected:
    void SetUp() override
    {
        SceneFixture::SetUp();
        // 16:9 on a 640x500 canvas: fitted at (0, 70)-(640, 430), grey above
        // and below.
        ASSERT_TRUE(scene->ChangeBackImage(Solid("bg.png", QSize(1280, 720), kBlue)));

        canvas = new CPhotoImageEditCtrl(&page);
        page.canvas = canvas;
        page.resize(700, 560);
        canvas->setGeometry(20, 30, 640, 500);
        log.Watch(canvas);
        page.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&page)); // repaint() paints only an exposed window
        ASSERT_EQ(scene->GetCanvasRect(), CRect(0, 0, 640, 500)) << "the canvas tells the scene its size";

        CRect redPlace(100, 150, 300, 250);
        ASSERT_TRUE(scene->CreateSceneObject(Solid("red.png", QSize(200, 100), kRed), redPlace));
        red = scene->GetPhoto(0);
        CRect greenPlace(400, 200, 500, 300);
        ASSERT_TRUE(scene->CreateSceneObject(Solid("green.png", QSize(100, 100), kGreen), greenPlace));
        green = scene->GetPhoto(1);
        ASSERT_EQ(scene->GetPhotoDrawRect(red), CRect(100, 150, 300, 250));
        ASSERT_EQ(scene->GetPhotoDrawRect(green), CRect(400, 200, 500, 300));
        canvas->repaint();
    }

    void TearDown() override
    {
        // The cursor and the buttons QTest remembers are process-wide: leave
        // nothing pending for the next test.
        QCoreApplication::processEvents();
        SceneFixture::TearDown();
    }

    QImage Grab() { return canvas->grab().toImage().convertToFormat(QImage::Format_RGB32); }

    void Select(QPoint p)
    {
        scene->CheckHitPhoto(p.x(), p.y());
        canvas->repaint();
    }

    QPoint OnPage(QPoint canvasPoint) const { return canvas->mapTo(&page, canvasPoint); }

    // A left press at start forwarded by the page; script plays the rest of
    // the gesture from inside the tracking loop. Returns the paints made
    // after the press handling returned (none may be pending then).
    int Drag(QPoint start, const std::function<void()>& script)
    {
        QTimer::singleShot(0, canvas, script);
        QTest::mousePress(&page, Qt::LeftButton, {}, OnPage(start));
        const size_t before = log.paints.size();
        QCoreApplication::processEvents();
        const int after = static_cast<int>(log.paints.size() - before);
        // Lets QTest forget the button without the canvas seeing a release.
        QTest::mouseRelease(&page, Qt::LeftButton, {}, OnPage(start));
        return after;
    }

    void Move(QPoint p) { QTest::mouseMove(canvas, p); }
    void Release(QPoint p) { QTest::mouseRelease(canvas, Qt::LeftButton, {}, p); }

    SSceneObject* red = nullptr;
    SSceneObject* green = nullptr;
    PageStandIn page;
    CPhotoImageEditCtrl* canvas = nullptr;
    PaintRecorder log;
};

} // namespace

TEST_F(CanvasTest, ShowsTheSceneOverGreyAndTheTrackerOnlyAroundTheSelectedPhoto)
{
    ASSERT_EQ(scene->GetSelectedSceneObj(), nullptr);
    QImage shown = Grab();
    ASSERT_EQ(shown.size(), QSize(640, 500));
    // Grey where the background does not reach, the background fitted.
    EXPECT_EQ(shown.pixel(5, 69), kGrey);
    EXPECT_EQ(shown.pixel(5, 70), kBlue);
    EXPECT_EQ(shown.pixel(639, 429), kBlue);
    EXPECT_EQ(shown.pixel(639, 430), kGrey);
    EXPECT_EQ(shown.pixel(320, 499), kGrey);
    // The photos exactly where the scene says it draws them.
    EXPECT_EQ(Extent(shown, kRed), scene->GetPhotoDrawRect(red));
    EXPECT_EQ(Extent(shown, kGreen), scene->GetPhotoDrawRect(green));
    EXPECT_EQ(ForeignPixels(shown, CRect(0, 0, 640, 500)), 0) << "no tracker without a selection";
    EXPECT_TRUE(canvas->m_tracker.m_rect.IsRectEmpty());

    // Selected: the tracker outlines the photo and its handles, nothing else
    // changes.
    Select({450, 250});
    shown = Grab();
    const CRect place = scene->GetPhotoDrawRect(green);
    EXPECT_EQ(canvas->m_tracker.m_rect, place);
    CRect aroundTracker = place;
    aroundTracker.InflateRect(canvas->m_tracker.m_nHandleSize, canvas->m_tracker.m_nHandleSize);
    EXPECT_GT(ForeignPixels(shown, aroundTracker), 2 * place.Width());
    EXPECT_EQ(ForeignPixels(shown, CRect(0, 0, 640, 500)), ForeignPixels(shown, aroundTracker));
    EXPECT_NE(shown.pixel(place.left, place.top), kGreen) << "a corner handle";
    EXPECT_EQ(shown.pixel(place.left + 20, place.top + 20), kGreen);
    EXPECT_EQ(Extent(shown, kRed), scene->GetPhotoDrawRect(red));

    // A change of scene shows at the next paint, tracker and all.
    ASSERT_TRUE(scene->DeletePhoto(green));
    shown = Grab();
    EXPECT_EQ(ForeignPixels(shown, CRect(0, 0, 640, 500)), 0);
    EXPECT_EQ(shown.pixel(450, 250), kBlue);
    EXPECT_TRUE(canvas->m_tracker.m_rect.IsRectEmpty());
}

TEST_F(CanvasTest, TheBufferIsMadeOnceAndServesEveryPaint)
{
    CPhotoImageEditCtrl fresh;
    fresh.resize(320, 250);
    EXPECT_EQ(fresh.MemoryBufferCreations(), 0) << "nothing before the first paint";

    const QImage first = Grab();
    EXPECT_EQ(canvas->MemoryBufferCreations(), 1);
    const size_t paintsBefore = log.paints.size();
    for (int i = 0; i < 25; ++i)
        canvas->repaint();
    for (int i = 0; i < 5; ++i)
        canvas->update(QRect(10 * i, 10 * i, 30, 30));
    QCoreApplication::processEvents();
    EXPECT_GE(log.paints.size(), paintsBefore + 26);
    EXPECT_EQ(canvas->MemoryBufferCreations(), 1);
    EXPECT_EQ(Grab(), first);

    // Resized, the buffer follows (a buffer of the old size would leave
    // the new part unpainted) and the scene learns the new size.
    canvas->resize(400, 300);
    EXPECT_EQ(scene->GetCanvasRect(), CRect(0, 0, 400, 300));
    const QImage smaller = Grab();
    EXPECT_EQ(canvas->MemoryBufferCreations(), 2);
    EXPECT_EQ(smaller.size(), QSize(400, 300));
    // 16:9 in 400x300: (0, 37)-(400, 262).
    EXPECT_EQ(smaller.pixel(399, 37), kBlue);
    EXPECT_EQ(smaller.pixel(399, 299), kGrey);
    EXPECT_EQ(Extent(smaller, kRed), scene->GetPhotoDrawRect(red));
    canvas->repaint();
    EXPECT_EQ(canvas->MemoryBufferCreations(), 2);
}

TEST_F(CanvasTest, APressOnAnUnselectedPhotoSelectsItAndDragsABandThatMovesNothing)
{
    Select({200, 200}); // red
    const QRectF redBefore = red->GetSceneRect();
    const QRectF greenBefore = green->GetSceneRect();

    QRubberBand* band = nullptr;
    QRect bandShown;
    CRect trackerDuring;
    SSceneObject* selectedDuring = nullptr;
    const int paintsAfter = Drag({450, 250}, [&] {
        selectedDuring = scene->GetSelectedSceneObj();
        trackerDuring = canvas->m_tracker.m_rect;
        Move({470, 265});
        Move({480, 280});
        band = canvas->findChild<QRubberBand*>();
        if (band && band->isVisible())
            bandShown = band->geometry();
        EXPECT_EQ(green->GetSceneRect(), greenBefore) << "a band does not drag the photo";
        Release({490, 290});
    });
    EXPECT_EQ(selectedDuring, green) << "the press selects the photo under it";
    EXPECT_EQ(trackerDuring, scene->GetPhotoDrawRect(green)) << "repainted before the band starts";
    EXPECT_EQ(bandShown, QRect(450, 250, 30, 30));
    EXPECT_EQ(canvas->findChild<QRubberBand*>(), nullptr) << "the band is gone with the drag";
    EXPECT_EQ(green->GetSceneRect(), greenBefore);
    EXPECT_EQ(red->GetSceneRect(), redBefore);
    EXPECT_EQ(scene->GetSelectedSceneObj(), green);
    // The band crossed the tracker: one more paint of the whole canvas.
    EXPECT_GE(paintsAfter, 1);
    EXPECT_TRUE(log.WholePaintedSince(log.paints.size() - static_cast<size_t>(paintsAfter), canvas->rect()));

    // A band on empty background clears the selection; with no tracker left
    // to cross, only the band's own area is repainted.
    const int emptyBand = Drag({40, 400}, [&] {
        Move({60, 410});
        Release({80, 420});
    });
    EXPECT_EQ(scene->GetSelectedSceneObj(), nullptr);
    EXPECT_TRUE(canvas->m_tracker.m_rect.IsRectEmpty());
    EXPECT_FALSE(log.WholePaintedSince(log.paints.size() - static_cast<size_t>(emptyBand), canvas->rect()));
    EXPECT_EQ(green->GetSceneRect(), greenBefore);
}

TEST_F(CanvasTest, APressOnTheSelectedPhotoMovesItAndOneOnAHandleResizesIt)
{
    Select({200, 200});
    ASSERT_EQ(canvas->m_tracker.m_rect, CRect(100, 150, 300, 250));

    const int afterMove = Drag({200, 200}, [&] {
        Move({230, 220});
        Release({240, 230});
    });
    EXPECT_EQ(scene->GetPhotoDrawRect(red), CRect(140, 180, 340, 280));
    EXPECT_EQ(scene->GetSelectedSceneObj(), red);
    EXPECT_GE(afterMove, 1) << "a change is repainted once the drag ends";
    QImage shown = Grab();
    EXPECT_EQ(shown.pixel(240, 230), kRed);
    EXPECT_EQ(shown.pixel(110, 160), kBlue) << "where the photo was";
    EXPECT_EQ(canvas->m_tracker.m_rect, CRect(140, 180, 340, 280));

    // The bottom-right handle, pressed inside the photo.
    const int afterResize = Drag({338, 278}, [&] {
        Move({360, 290});
        Release({388, 308});
    });
    EXPECT_EQ(scene->GetPhotoDrawRect(red), CRect(140, 180, 390, 310));
    EXPECT_GE(afterResize, 1);
    shown = Grab();
    EXPECT_EQ(shown.pixel(380, 300), kRed);
    EXPECT_EQ(canvas->m_tracker.m_rect, CRect(140, 180, 390, 310));

    // The handle is drawn inside the photo, so even its outermost pixel is a
    // press on the photo: the selection stays and the photo is resized.
    Drag({389, 309}, [&] { Release({399, 319}); });
    EXPECT_EQ(scene->GetSelectedSceneObj(), red);
    EXPECT_EQ(scene->GetPhotoDrawRect(red), CRect(140, 180, 400, 320));
    Drag({399, 319}, [&] { Release({389, 309}); });
    EXPECT_EQ(scene->GetPhotoDrawRect(red), CRect(140, 180, 390, 310));

    // A press that does not move leaves everything and asks for no paint.
    const int afterClick = Drag({200, 220}, [&] { Release({200, 220}); });
    EXPECT_EQ(scene->GetPhotoDrawRect(red), CRect(140, 180, 390, 310));
    EXPECT_EQ(afterClick, 0);
}

TEST_F(CanvasTest, EscapeOrTheRightButtonPutsThePhotoBackAndAsksForNoPaint)
{
    Select({200, 200});
    const QRectF before = red->GetSceneRect();

    CRect during;
    const int afterEscape = Drag({200, 200}, [&] {
        Move({260, 260});
        during = scene->GetPhotoDrawRect(red);
        QTest::keyClick(canvas, Qt::Key_Escape);
    });
    EXPECT_EQ(during, CRect(160, 210, 360, 310)) << "the photo followed the mouse";
    EXPECT_EQ(red->GetSceneRect(), before);
    EXPECT_EQ(canvas->m_tracker.m_rect, CRect(100, 150, 300, 250));
    EXPECT_EQ(afterEscape, 0);

    // Resizing this time, cancelled with the right button.
    const int afterRight = Drag({298, 248}, [&] {
        Move({350, 300});
        during = scene->GetPhotoDrawRect(red);
        QTest::mousePress(canvas, Qt::RightButton, {}, {350, 300});
    });
    QTest::mouseRelease(&page, Qt::RightButton, {}, OnPage({350, 300}));
    EXPECT_EQ(during, CRect(100, 150, 352, 302));
    EXPECT_EQ(red->GetSceneRect(), before);
    EXPECT_EQ(canvas->m_tracker.m_rect, CRect(100, 150, 300, 250));
    EXPECT_EQ(afterRight, 0);
    EXPECT_EQ(Extent(Grab(), kRed).left, 101) << "back at its place (the outline covers its edge)";
}

TEST_F(CanvasTest, RightPressesSelectAndTheCanvasKeepsItsOwnMouseRequestsToItself)
{
    // A real right press over the canvas reaches the page, which forwards it.
    QWindow* window = page.windowHandle();
    ASSERT_NE(window, nullptr);
    QTest::mousePress(window, Qt::RightButton, {}, OnPage({450, 250}));
    QTest::mouseRelease(window, Qt::RightButton, {}, OnPage({450, 250}));
    EXPECT_EQ(page.presses, 1) << "presses pass through the canvas";
    EXPECT_EQ(scene->GetSelectedSceneObj(), green);
    EXPECT_GT(ForeignPixels(Grab(), CRect(0, 0, 640, 500)), 0) << "the tracker shows";
    EXPECT_EQ(canvas->m_tracker.m_rect, scene->GetPhotoDrawRect(green));

    QTest::mousePress(window, Qt::RightButton, {}, OnPage({30, 100}));
    QTest::mouseRelease(window, Qt::RightButton, {}, OnPage({30, 100}));
    EXPECT_EQ(scene->GetSelectedSceneObj(), nullptr) << "a right press on the background clears it";

    // A context-menu request sent to the canvas itself stops there.
    Select({450, 250});
    const int menusBefore = page.contextMenus;
    QContextMenuEvent request(QContextMenuEvent::Keyboard, QPoint(450, 250), canvas->mapToGlobal(QPoint(450, 250)));
    QCoreApplication::sendEvent(canvas, &request);
    EXPECT_TRUE(request.isAccepted());
    EXPECT_EQ(page.contextMenus, menusBefore) << "the page does not see it";
    EXPECT_EQ(scene->GetSelectedSceneObj(), green);

    // A left release the canvas receives (it holds the grab) repaints it.
    const size_t before = log.paints.size();
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(10, 10), canvas->mapToGlobal(QPointF(10, 10)),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(canvas, &release);
    QCoreApplication::processEvents();
    EXPECT_TRUE(log.WholePaintedSince(before, canvas->rect()));
}

TEST_F(CanvasTest, TheCursorShowsWhatAPressOnTheTrackerWouldDo)
{
    Select({200, 200});
    const auto cursorAt = [&](QPoint p, unsigned hitTest = HTCLIENT) {
        QCursor::setPos(canvas->mapToGlobal(p));
        return canvas->HandleSetCursor(nullptr, hitTest);
    };
    EXPECT_TRUE(cursorAt({200, 200}));
    // The canvas lets the mouse through, so the page shows the cursor.
    EXPECT_EQ(page.cursor().shape(), Qt::SizeAllCursor);
    EXPECT_TRUE(cursorAt({299, 249}));
    EXPECT_EQ(page.cursor().shape(), Qt::SizeFDiagCursor);
    EXPECT_TRUE(cursorAt({200, 150}));
    EXPECT_EQ(page.cursor().shape(), Qt::SizeVerCursor);

    EXPECT_FALSE(cursorAt({450, 250})) << "an unselected photo is no tracker";
    EXPECT_EQ(page.cursor().shape(), Qt::ArrowCursor);
    EXPECT_FALSE(cursorAt({200, 200}, 2)) << "only for the client area";

    // With nothing selected there is no tracker to show a cursor for.
    Select({30, 100});
    EXPECT_FALSE(cursorAt({200, 200}));
}
