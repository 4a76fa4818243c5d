// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "canvas/TrackerTool.h"
#include "core/PhotoTemplateProcessor.h"
#include "core/SceneGraph.h"
#include "support/PictureFixtures.h"
#include "support/SceneSetup.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>

using namespace fixtures;

namespace {

// Paints the way the design canvas does: grey, the scene, then the tracker
// over the selected photo, its rectangle taken from the scene at each paint.
class CanvasStandIn : public QWidget {
public:
    TrackerTool tracker;
    int paints = 0;

protected:
    void paintEvent(QPaintEvent*) override
    {
        ++paints;
        QPainter p(this);
        p.fillRect(rect(), QColor(150, 150, 150));
        SceneGraph* scene = SceneGraph::GetInstance();
        scene->Render(&p, CRect(0, 0, width(), height()));
        SSceneObject* selected = scene->GetSelectedSceneObj();
        tracker.m_rect = selected ? scene->GetPhotoDrawRect(selected) : CRect();
        tracker.Draw(&p);
    }
};

class TrackerToolTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        scene = CreateSceneWithoutTemplates(m_dir.filePath("no-templates")); // 1920x1080

        canvas.resize(640, 360);
        canvas.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&canvas)); // repaint() paints only an exposed window
        scene->SetCanvasRect(CRect(0, 0, 640, 360));

        QImage picture(200, 100, QImage::Format_RGB32);
        picture.fill(Qt::red);
        const QString path = m_dir.filePath("photo.png");
        WriteFile(path, Encode(picture, "png"));
        CRect rect(100, 100, 300, 200);
        ASSERT_TRUE(scene->CreateSceneObject(path, rect));
        photo = scene->GetPhoto(0);
        ASSERT_TRUE(scene->CheckHitPhoto(150, 150));
        canvas.repaint();
        ASSERT_EQ(canvas.tracker.m_rect, CRect(100, 100, 300, 200));
    }

    void TearDown() override { DestroyScene(); }

    // Presses at start and tracks; script plays the rest of the gesture from
    // inside the tracking loop.
    bool Track(QPoint start, const std::function<void()>& script)
    {
        QTest::mousePress(&canvas, Qt::LeftButton, {}, start);
        QTimer::singleShot(0, script);
        return canvas.tracker.Track(&canvas, CPoint::FromQPoint(start));
    }

    void Move(QPoint p) { QTest::mouseMove(&canvas, p); }
    void Release(QPoint p) { QTest::mouseRelease(&canvas, Qt::LeftButton, {}, p); }

    QTemporaryDir m_dir;
    SceneGraph* scene = nullptr;
    SSceneObject* photo = nullptr;
    CanvasStandIn canvas;
};

} // namespace

TEST_F(TrackerToolTest, AMoveReachesTheSelectedPhotoWhileDraggingAndAtTheEnd)
{
    CRect duringDrag;
    int paintsBefore = 0;
    int paintsDuring = 0;
    CRect trackerDuring;
    const bool moved = Track({150, 150}, [&] {
        paintsBefore = canvas.paints;
        Move({170, 130});
        duringDrag = scene->GetPhotoDrawRect(photo);
        paintsDuring = canvas.paints;
        trackerDuring = canvas.tracker.m_rect;
        Release({190, 160});
    });
    EXPECT_TRUE(moved);
    EXPECT_EQ(duringDrag, CRect(120, 80, 320, 180)) << "the photo follows the mouse";
    EXPECT_GT(paintsDuring, paintsBefore) << "the canvas repaints while the user drags";
    EXPECT_EQ(trackerDuring, CRect(120, 80, 320, 180));
    EXPECT_EQ(scene->GetPhotoDrawRect(photo), CRect(140, 110, 340, 210));
    EXPECT_EQ(photo->GetSceneRect(), QRectF(420, 330, 600, 300));

    canvas.repaint();
    EXPECT_EQ(canvas.tracker.m_rect, CRect(140, 110, 340, 210));
    const QImage shown = canvas.grab().toImage();
    EXPECT_EQ(shown.pixel(330, 150), qRgb(255, 0, 0));
    EXPECT_NE(shown.pixel(120, 150), qRgb(255, 0, 0));
}

TEST_F(TrackerToolTest, AResizeThroughAHandleChangesThePhotosSize)
{
    const bool resized = Track({299, 199}, [&] {
        Move({350, 230});
        Release({399, 259});
    });
    EXPECT_TRUE(resized);
    EXPECT_EQ(scene->GetPhotoDrawRect(photo), CRect(100, 100, 400, 260));
    // The photo grew past the pixels it was decoded with for its first place.
    EXPECT_GE(photo->GetPicture().GetDecodedSize().width(), 200);

    // The left side, dragged: only that side moves.
    EXPECT_TRUE(Track({100, 180}, [&] { Release({60, 180}); }));
    EXPECT_EQ(scene->GetPhotoDrawRect(photo), CRect(60, 100, 400, 260));
}

TEST_F(TrackerToolTest, EscapeAndTheRightButtonPutThePhotoBackExactly)
{
    // A place that is no whole number of canvas pixels: a restore through the
    // canvas rectangle would round it.
    ASSERT_TRUE(scene->SetPhotoSceneRect(photo, QRectF(301.4, 299.8, 600.5, 300.2)));
    canvas.repaint();
    const QRectF before = photo->GetSceneRect();

    const bool escaped = Track({150, 150}, [&] {
        Move({250, 250});
        EXPECT_NE(photo->GetSceneRect(), before);
        QTest::keyClick(&canvas, Qt::Key_Escape);
    });
    Release({250, 250});
    EXPECT_FALSE(escaped);
    EXPECT_EQ(photo->GetSceneRect(), before);

    const bool rightButton = Track({150, 150}, [&] {
        Move({20, 20});
        QTest::mousePress(&canvas, Qt::RightButton, {}, {20, 20});
    });
    QTest::mouseRelease(&canvas, Qt::RightButton, {}, {20, 20});
    Release({20, 20});
    EXPECT_FALSE(rightButton);
    EXPECT_EQ(photo->GetSceneRect(), before);
}

TEST_F(TrackerToolTest, AMoveShiftsThePhotoExactlyAndAResizeMovesOnlyTheDraggedEdges)
{
    // Not on the canvas's grid (3 background pixels a canvas pixel), as after
    // "Restore Actual ZoomRatio": mapping the edges back would round it.
    ASSERT_TRUE(scene->SetPhotoSceneRect(photo, QRectF(301.4, 299.8, 600.5, 300.2)));
    canvas.repaint();
    EXPECT_TRUE(Track({150, 150}, [&] {
        Move({160, 155});
        EXPECT_EQ(photo->GetSceneRect().size(), QSizeF(600.5, 300.2)) << "while dragging too";
        Release({170, 160});
    }));
    EXPECT_EQ(photo->GetSceneRect(), QRectF(361.4, 329.8, 600.5, 300.2));

    // The right side, dragged: left, top and bottom stay exactly.
    canvas.repaint();
    const CRect shown = scene->GetPhotoDrawRect(photo);
    const QPoint rightSide(shown.right - 1, shown.CenterPoint().y);
    EXPECT_TRUE(Track(rightSide, [&] { Release(rightSide + QPoint(30, 0)); }));
    const QRectF resized = photo->GetSceneRect();
    EXPECT_EQ(resized.left(), 361.4);
    EXPECT_EQ(resized.top(), 329.8);
    EXPECT_EQ(resized.height(), 300.2);
    EXPECT_EQ(scene->GetPhotoDrawRect(photo).right, shown.right + 30);
}

TEST_F(TrackerToolTest, TrackingKeepsAGripOfThePhotoOnTheBackground)
{
    // Off the canvas to the top-left, far: a corner as wide as a handle stays.
    const int grip = canvas.tracker.m_nHandleSize;
    EXPECT_TRUE(Track({150, 150}, [&] { Release({-900, -700}); }));
    EXPECT_EQ(scene->GetPhotoDrawRect(photo), CRect(-200 + grip, -100 + grip, grip, grip));
    EXPECT_TRUE(scene->CheckHitPhoto(grip / 2, grip / 2)) << "it can still be selected";
    EXPECT_EQ(scene->GetSelectedSceneObj(), photo);

    // Off to the bottom-right while resizing through the top-left handle past
    // the far corner: the dragged edges stop a grip inside the background.
    ASSERT_TRUE(scene->SetPhotoDrawRect(photo, CRect(600, 300, 700, 400)));
    canvas.repaint();
    EXPECT_TRUE(Track({600, 300}, [&] { Release({900, 800}); }));
    EXPECT_EQ(scene->GetPhotoDrawRect(photo), CRect(640 - grip, 360 - grip, 700, 400));
}
