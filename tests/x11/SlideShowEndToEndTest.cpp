// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The slide show from the user's side, on the Xvfb whose display the test
// command puts in QUILVANE_TEST_DISPLAY, with the plain X11 desktop: three
// pictures added through the page's own widgets, "1" typed as the frequency,
// "Play" pressed. The root window must then show the pictures in list order
// at one-second ticks, also while the other tab is shown and the window sits
// in the tray, and nothing more after "Stop".

#include "app/MainPropertySheet.h"
#include "core/RegConfig.h"
#include "core/SlideShowManager.h"
#include "core/WallPaperManager.h"
#include "res/Resource.h"
#include "support/DesignPageControls.h"
#include "support/EnvironmentGuard.h"
#include "support/SceneFixture.h"
#include "support/SlideShowPageControls.h"
#include "widgets/DialogBuilder.h"
#include "widgets/TrayIcon.h"

#include <QElapsedTimer>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace {

// The colour at the middle of the root window, read by a client of our own.
class RootCentre {
public:
    explicit RootCentre(const QByteArray& display) : m_c(xcb_connect(display.constData(), nullptr))
    {
        if (!xcb_connection_has_error(m_c))
            m_screen = xcb_setup_roots_iterator(xcb_get_setup(m_c)).data;
    }
    ~RootCentre() { xcb_disconnect(m_c); }
    bool Ok() const { return m_screen != nullptr; }

    QRgb Colour() const
    {
        const int x = m_screen->width_in_pixels / 2;
        const int y = m_screen->height_in_pixels / 2;
        auto* reply = xcb_get_image_reply(
            m_c, xcb_get_image(m_c, XCB_IMAGE_FORMAT_Z_PIXMAP, m_screen->root, x, y, 1, 1, ~0u), nullptr);
        QRgb colour = 0;
        if (reply && xcb_get_image_data_length(reply) == 4)
            std::memcpy(&colour, xcb_get_image_data(reply), 4);
        std::free(reply);
        return colour | 0xff000000;
    }

private:
    xcb_connection_t* m_c;
    const xcb_screen_t* m_screen = nullptr;
};

class SlideShowOnX11 : public SceneFixture {
protected:
    void SetUp() override
    {
        m_display = qgetenv("QUILVANE_TEST_DISPLAY");
        if (m_display.isEmpty())
            GTEST_SKIP() << "QUILVANE_TEST_DISPLAY is not set (scripts/run-tests.sh starts an Xvfb for this)";
        SceneFixture::SetUp();
        m_displayEnv.emplace("DISPLAY", m_display);
        m_desktopEnv.emplace("QUILVANE_DESKTOP", "x11");
        m_oldCwd = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        RegConfig::StaticCreate();
        SlideShowManager::StaticCreate();
        WallPaperManager::StaticCreate();
        m_noStartupTip.emplace(false);
        m_tray.emplace(true);
    }
    void TearDown() override
    {
        if (m_display.isEmpty())
            return;
        m_tray.reset();
        m_noStartupTip.reset();
        WallPaperManager::StaticDestroy();
        SlideShowManager::StaticDestroy();
        RegConfig::StaticDestroy();
        QDir::setCurrent(m_oldCwd);
        m_desktopEnv.reset();
        m_displayEnv.reset();
        SceneFixture::TearDown();
    }

    QByteArray m_display;

private:
    std::optional<StartupTipGuard> m_noStartupTip;
    std::optional<SystemTrayGuard> m_tray;
    std::optional<EnvironmentGuard> m_displayEnv;
    std::optional<EnvironmentGuard> m_desktopEnv;
    QString m_oldCwd;
};

void ClickTab(QTabWidget* tabs, int index)
{
    QTabBar* bar = tabs->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
}

void ClickButton(QWidget* page, int id)
{
    QTest::mouseClick(GetDlgItemAs<QAbstractButton>(page, id), Qt::LeftButton);
}

} // namespace

TEST_F(SlideShowOnX11, PlaysTheListInOrderUntilStopped)
{
    const RootCentre root(m_display);
    ASSERT_TRUE(root.Ok()) << "cannot open " << m_display.constData();
    const QRgb red = qRgb(200, 30, 30), green = qRgb(30, 200, 30), blue = qRgb(30, 30, 200);
    QDir().mkpath("wallpaper");
    Solid("wallpaper/1.png", QSize(64, 48), red);
    Solid("wallpaper/2.png", QSize(64, 48), green);
    Solid("wallpaper/3.png", QSize(64, 48), blue);

    CMainPropertySheet sheet(CMainPropertySheet::Look::Tabs, IDB_TAB_IMAGES, 32);
    sheet.OnInitDialog();
    sheet.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&sheet));
    ClickTab(sheet.TabWidget(), 1);
    CSetWallpaperDlg& page = sheet.m_slideShowPage;
    ASSERT_TRUE(page.isVisible());
    ASSERT_EQ(SlideShowControls::Files(&page).GetCount(), 3);

    for (int i = 0; i < 3; ++i) {
        CListBox& files = SlideShowControls::Files(&page);
        QTest::mouseClick(files.viewport(), Qt::LeftButton, {}, files.visualItemRect(files.item(i)).center());
        ClickButton(&page, IDC_ADD_TO_LIST);
    }
    ASSERT_EQ(SlideShowControls::Slides(&page).GetCount(), 3);
    QLineEdit& frequency = SlideShowControls::Frequency(&page);
    frequency.setFocus();
    frequency.selectAll();
    QTest::keyClicks(&frequency, "1");
    ASSERT_EQ(frequency.text(), "1");

    // Every change of the root's centre, with the time it was first seen.
    const QRgb before = root.Colour();
    QList<QRgb> seen;
    QList<qint64> at;
    int samples = 0;
    QElapsedTimer clock;
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout, [&] {
        ++samples;
        const QRgb now = root.Colour();
        if (now != (seen.isEmpty() ? before : seen.last())) {
            seen << now;
            at << clock.elapsed();
        }
    });
    sampler.start(20);
    clock.start();
    ClickButton(&page, IDC_PLAY_STOP);
    EXPECT_EQ(SlideShowControls::PlayStop(&page).text(), "Stop");

    QTRY_COMPARE_WITH_TIMEOUT(seen.size(), 1, 4000);
    // The other tab, then into the tray: the show goes on.
    ClickTab(sheet.TabWidget(), 0);
    ClickButton(&sheet.m_designPage, IDC_OK);
    EXPECT_FALSE(sheet.isVisible());
    QTRY_COMPARE_WITH_TIMEOUT(seen.size(), 4, 8000);
    EXPECT_EQ(seen, (QList<QRgb>{red, green, blue, red}));
    // A change is seen once the tick has decoded and drawn its picture, which
    // takes longer on a busy machine, so the gaps between sightings wander
    // around the period by that much; they still tell one-second ticks from a
    // show that runs flat out or hangs.
    EXPECT_GE(at[0], 600) << "the first picture comes one period after Play";
    for (int i = 1; i < at.size(); ++i) {
        EXPECT_GE(at[i] - at[i - 1], 600) << "tick " << i;
        EXPECT_LE(at[i] - at[i - 1], 2500) << "tick " << i;
    }

    sheet.OnConfigure();
    ClickTab(sheet.TabWidget(), 1);
    ClickButton(&page, IDC_PLAY_STOP);
    EXPECT_EQ(SlideShowControls::PlayStop(&page).text(), "Play");
    const qsizetype changes = seen.size();
    const int stoppedAt = samples;
    QTRY_VERIFY_WITH_TIMEOUT(samples >= stoppedAt + 100, 10000); // two and a half periods and more
    EXPECT_EQ(seen.size(), changes) << "nothing changes after Stop";
}
