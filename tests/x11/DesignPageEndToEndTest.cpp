// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The design page as a user drives it, with the plain X11 desktop of the
// test Xvfb (the page itself on the offscreen platform): a folder chosen in
// the tree, a photo dragged from the list onto the canvas and moved there
// with the mouse, "Set As Wallpaper" pressed, and the root window showing the
// saved design, centred.

#include "res/Resource.h"
#include "support/DesignPageFixture.h"
#include "support/EnvironmentGuard.h"
#include "support/PatternImage.h"
#include "support/X11Observer.h"

#include <QTimer>
#include <functional>
#include <optional>

namespace {

constexpr QRgb kPhotoColour = 0xFF20B040;

class DesignEndToEndTest : public DesignPageFixture {
protected:
    void SetUp() override
    {
        m_display = TestDisplay();
        if (m_display.isEmpty())
            GTEST_SKIP() << "QUILVANE_TEST_DISPLAY is not set (scripts/run-tests.sh starts an Xvfb for this)";
        // The page on the offscreen platform, the desktop on the Xvfb.
        m_displayEnv.emplace("DISPLAY", m_display);
        m_desktopEnv.emplace("QUILVANE_DESKTOP", "x11");
        DesignPageFixture::SetUp();
    }

    void TearDown() override
    {
        if (m_display.isEmpty())
            return;
        DesignPageFixture::TearDown();
        m_desktopEnv.reset();
        m_displayEnv.reset();
    }

    void PreparePictures() override
    {
        WritePicture(Pictures() + "/photo.png", {300, 200}, kPhotoColour);
        QDir().mkpath(Path("start"));
    }
    QString RememberedFolder() const override { return Path("start"); }
    bool RecordsDesktop() const override { return false; }

    QPoint OnPage(QPoint canvasPoint) const { return Canvas().mapTo(page.get(), canvasPoint); }

    // A left press on the canvas, forwarded by the page; script plays the
    // rest of the gesture inside the canvas's tracking loop.
    void CanvasGesture(QPoint start, const std::function<void()>& script)
    {
        QTimer::singleShot(0, &Canvas(), script);
        QTest::mousePress(page.get(), Qt::LeftButton, {}, OnPage(start));
        QCoreApplication::processEvents();
        // Lets QTest forget the button; the canvas no longer listens.
        QTest::mouseRelease(page.get(), Qt::LeftButton, {}, OnPage(start));
        Canvas().repaint();
    }
    void CanvasMove(QPoint p) { QTest::mouseMove(&Canvas(), p); }
    void CanvasRelease(QPoint p) { QTest::mouseRelease(&Canvas(), Qt::LeftButton, {}, p); }

    QByteArray m_display;
    std::optional<EnvironmentGuard> m_displayEnv;
    std::optional<EnvironmentGuard> m_desktopEnv;
};

} // namespace

TEST_F(DesignEndToEndTest, ADesignComposedWithTheMouseBecomesTheDesktop)
{
    const Observer x(m_display);
    ASSERT_TRUE(x.Ok());
    ASSERT_EQ(x.Depth(), 24);
    const QSize screen = x.RootSize();

    // A background smaller than the screen, so the centring shows, and with
    // no two neighbouring pixels alike, so any shift shows.
    ASSERT_TRUE(PatternImage(400, 225).save(Path("bg.png"), "png"));
    AnswerPrompts(Path("bg.png"));
    QTest::mouseClick(GetDlgItemAs<QPushButton>(page.get(), IDC_CHANGE_BACKGROUND), Qt::LeftButton);
    ASSERT_EQ(Label(IDC_BACKGROUND_WIDTH), "Background Width : 400");
    const QRect shownAt(QPoint((screen.width() - 400) / 2, (screen.height() - 225) / 2), QSize(400, 225));

    // The folder, chosen in the tree.
    QTreeView& tree = FolderTree();
    const QModelIndex folder = DesignPageControls::Folders(page.get()).index(Pictures());
    tree.scrollTo(folder);
    const QRect item = tree.visualRect(folder);
    ASSERT_TRUE(item.isValid());
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, item.center());
    CListBox& list = PhotoList();
    ASSERT_EQ(list.GetCount(), 1);

    // The photo, dragged from the list onto the canvas.
    const QPoint from = list.viewport()->mapTo(page.get(), list.visualItemRect(list.item(0)).center());
    const QPoint to = OnPage({40, 50});
    QTest::mousePress(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.item(0)).center());
    for (int step = 1; step <= 10; ++step)
        QTest::mouseMove(page.get(), from + (to - from) * step / 10);
    QTest::mouseRelease(page.get(), Qt::LeftButton, {}, to);
    ASSERT_EQ(scene->GetPhotoCount(), 1) << "dropped on the canvas";
    SSceneObject* photo = scene->GetPhoto(0);
    const CRect dropped = scene->GetPhotoDrawRect(photo);
    // Fitted into (50, 60, 240, 250), the drop point moved by (10, 10).
    EXPECT_NEAR(dropped.left, 50, 1);
    EXPECT_NEAR(dropped.right, 240, 1);
    EXPECT_TRUE(dropped.PtInRect({145, 155}));

    // Selected with a click, then moved with the mouse.
    const QPoint middle = dropped.CenterPoint().ToQPoint();
    CanvasGesture(middle, [&] { CanvasRelease(middle); });
    ASSERT_EQ(scene->GetSelectedSceneObj(), photo);
    const QPoint moved = middle + QPoint(60, 30);
    CanvasGesture(middle, [&] {
        CanvasMove(middle + QPoint(30, 15));
        CanvasMove(moved);
        CanvasRelease(moved);
    });
    CRect expected = dropped;
    expected.OffsetRect(60, 30);
    EXPECT_EQ(scene->GetPhotoDrawRect(photo), expected);

    QTest::mouseClick(GetDlgItemAs<QPushButton>(page.get(), IDC_SET_AS_WALLPAPER), Qt::LeftButton);
    QImage saved(Path("wallpaper/wallpaper_1.jpg"), "jpeg");
    ASSERT_EQ(saved.size(), QSize(400, 225));
    saved = saved.convertToFormat(QImage::Format_RGB32);

    // The photo is in the design where it was moved to...
    const QRectF place = photo->GetSceneRect();
    const QRgb atPhoto = saved.pixel(place.center().toPoint());
    EXPECT_NEAR(qGreen(atPhoto), qGreen(kPhotoColour), 12);
    EXPECT_NEAR(qRed(atPhoto), qRed(kPhotoColour), 12);

    // ...and the desktop shows the design, centred, once the change that runs
    // off the window's thread has reported back.
    WaitForTheDesktop();
    const QImage root = x.RootPixels();
    ASSERT_EQ(root.size(), screen);
    EXPECT_EQ(root.copy(shownAt), saved);
}
