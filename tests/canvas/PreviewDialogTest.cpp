// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "canvas/PreviewDialog.h"
#include "core/PhotoTemplateProcessor.h"
#include "core/SceneGraph.h"
#include "pictures/ImageHelpers.h"
#include "support/ModalDriver.h"
#include "support/SceneFixture.h"
#include "widgets/ModalRun.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <functional>
#include <gtest/gtest.h>

namespace {

constexpr QRgb kBlue = 0xFF285AA0; // background
constexpr QRgb kRed = 0xFFD02020;  // photo

class PreviewTest : public SceneFixture {
protected:
    void SetUp() override
    {
        SceneFixture::SetUp();
        ASSERT_TRUE(scene->ChangeBackImage(Solid("bg.png", QSize(1280, 720), kBlue)));
        // The design canvas's size: the preview must not change it.
        scene->SetCanvasRect(CRect(0, 0, 640, 500));
        CRect place(100, 150, 300, 250);
        ASSERT_TRUE(scene->CreateSceneObject(Solid("red.png", QSize(200, 100), kRed), place));
        photo = scene->GetPhoto(0);
        ASSERT_TRUE(scene->CheckHitPhoto(200, 200));
    }

    SSceneObject* photo = nullptr;
};

} // namespace

TEST_F(PreviewTest, CoversThePrimaryScreenWithTheSceneInTheBackgroundsProportions)
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QRectF photoBefore = photo->GetSceneRect();

    CPreviewDialog dlg;
    QRect shownAt;
    bool frameless = false;
    bool fullScreen = false;
    const QScreen* on = nullptr;
    QImage shown;
    const int code = DriveModal(dlg, [&] {
        shownAt = dlg.geometry();
        frameless = dlg.windowFlags().testFlag(Qt::FramelessWindowHint);
        // A full-screen window, not one moved over the screen: compositors
        // that place windows themselves ignore a move.
        fullScreen = dlg.windowState().testFlag(Qt::WindowFullScreen) && dlg.windowHandle() &&
                     dlg.windowHandle()->windowStates().testFlag(Qt::WindowFullScreen);
        on = dlg.screen();
        shown = dlg.grab().toImage().convertToFormat(QImage::Format_RGB32);
    });
    EXPECT_EQ(code, kStillOpen);
    EXPECT_EQ(shownAt, screen);
    EXPECT_TRUE(frameless);
    EXPECT_TRUE(fullScreen);
    EXPECT_EQ(on, QGuiApplication::primaryScreen());
    ASSERT_EQ(shown.size(), screen.size());

    // The background fitted: as wide as the screen allows and 16:9, centred.
    const CRect fitted = dlg.SceneTarget();
    float scale = 0;
    EXPECT_EQ(fitted, ResizeRect(CRect(0, 0, 1280, 720), CRect(0, 0, screen.width(), screen.height()), scale));
    EXPECT_LE(std::abs(fitted.Width() * 720 - fitted.Height() * 1280), 1280);
    EXPECT_TRUE(fitted.Width() == screen.width() || fitted.Height() == screen.height());

    const QRgb window = dlg.palette().color(dlg.backgroundRole()).rgb();
    ASSERT_NE(window, kBlue);
    EXPECT_EQ(shown.pixel(fitted.left, fitted.top), kBlue);
    EXPECT_EQ(shown.pixel(fitted.right - 1, fitted.bottom - 1), kBlue);
    EXPECT_EQ(shown.pixel(fitted.left, fitted.bottom - 1), kBlue);
    EXPECT_EQ(shown.pixel(fitted.right - 1, fitted.top), kBlue);
    // Outside it the window's own background (the screen here is 4:3 or
    // squarer, so that is above and below).
    ASSERT_GT(fitted.top, 0);
    EXPECT_EQ(shown.pixel(fitted.left, fitted.top - 1), window);
    EXPECT_EQ(shown.pixel(fitted.right - 1, fitted.bottom), window);
    EXPECT_EQ(shown.pixel(screen.width() / 2, 0), window);

    // The photo where it lies on the background, and no tracker around it
    // though it is selected.
    const QRectF inScene = photo->GetSceneRect();
    const double k = static_cast<double>(fitted.Width()) / 1280;
    const QRect photoShown(qRound(fitted.left + inScene.left() * k), qRound(fitted.top + inScene.top() * k),
                           qRound(inScene.width() * k), qRound(inScene.height() * k));
    for (const QPoint p : {photoShown.topLeft(), photoShown.bottomRight(), photoShown.center()})
        EXPECT_EQ(shown.pixel(p), kRed) << p.x() << "," << p.y();
    EXPECT_EQ(shown.pixel(photoShown.left() - 1, photoShown.center().y()), kBlue);

    // It only looked at the scene.
    EXPECT_EQ(scene->GetCanvasRect(), CRect(0, 0, 640, 500));
    EXPECT_EQ(scene->GetSelectedSceneObj(), photo);
    EXPECT_EQ(photo->GetSceneRect(), photoBefore);
    EXPECT_EQ(scene->GetPhotoDrawRect(photo), CRect(100, 150, 300, 250));
}

TEST_F(PreviewTest, OnlyALeftDoubleClickEscapeEnterOrTheCloseCommandEndIt)
{
    const QPoint middle = QGuiApplication::primaryScreen()->geometry().center();
    {
        CPreviewDialog dlg;
        bool openAfterClicks = false;
        const int code = DriveModal(dlg, [&] {
            QTest::mouseClick(&dlg, Qt::LeftButton, {}, middle);
            QTest::mouseClick(&dlg, Qt::RightButton, {}, middle);
            QTest::mouseDClick(&dlg, Qt::MiddleButton, {}, middle);
            QTest::mouseDClick(&dlg, Qt::RightButton, {}, middle);
            openAfterClicks = IsInModalLoop(&dlg) && dlg.isVisible();
            QTest::mouseDClick(&dlg, Qt::LeftButton, {}, middle);
        });
        EXPECT_TRUE(openAfterClicks) << "single clicks and other buttons' double-clicks do nothing";
        EXPECT_EQ(code, 2) << "a left double-click cancels";
        EXPECT_FALSE(dlg.isVisible());
    }
    {
        CPreviewDialog dlg;
        EXPECT_EQ(DriveModal(dlg, [&] { QTest::keyClick(&dlg, Qt::Key_Escape); }), 2);
    }
    {
        CPreviewDialog dlg;
        EXPECT_EQ(DriveModal(dlg, [&] { QTest::keyClick(&dlg, Qt::Key_Return); }), 1);
    }
    {
        CPreviewDialog dlg;
        EXPECT_EQ(DriveModal(dlg, [&] { dlg.close(); }), 2);
    }
    EXPECT_EQ(scene->GetPhotoDrawRect(photo), CRect(100, 150, 300, 250));
}
