// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "designer/TipDlg.h"
#include "designer/DesignPage.h"
#include "designer/TipsReader.h"
#include "platform/Profile.h"
#include "res/Resource.h"
#include "support/DesignPageControls.h"
#include "support/EdgeSteps.h"
#include "support/HookGuards.h"
#include "support/HostileFiles.h"
#include "support/ModalDriver.h"
#include "support/PaintRecorder.h"
#include "support/TipsPathGuard.h"
#include "widgets/DialogBuilder.h"
#include "widgets/MessageBox.h"

#include <QCheckBox>
#include <QDir>
#include <QPaintEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace {

const QString kTip = QStringLiteral("Tip");

// Counts the Tip of the Day dialogs shown anywhere in the program and, when
// asked, acts on each one from inside its modal run.
class TipDlgWatcher : public QObject {
public:
    TipDlgWatcher() { qApp->installEventFilter(this); }
    ~TipDlgWatcher() override { qApp->removeEventFilter(this); }

    int shown = 0;
    std::function<void(CTipDlg&)> onShow;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            if (auto* dlg = qobject_cast<CTipDlg*>(watched)) {
                ++shown;
                if (onShow)
                    QTimer::singleShot(0, dlg, [this, dlg] { onShow(*dlg); });
            }
        }
        return false;
    }
};

class TipDlgTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    void WriteTips(const QByteArray& bytes)
    {
        QFile out(TipsFilePath());
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }

    static QString Stamp()
    {
        QFile file(TipsFilePath());
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return TipsFileTimeStamp(file);
    }

    static int ProfileInt(const QString& key) { return GetProfileInt(kTip, key, -999); }

    // Runs the dialog modally; `during` runs inside the run once the dialog
    // is up and must close it.
    static int RunModal(CTipDlg& dlg, const std::function<void(CTipDlg&)>& during)
    {
        const int code = DriveModal(dlg, [&dlg, &during] { during(dlg); });
        EXPECT_NE(code, kStillOpen) << "the dialog was left open";
        return code;
    }

    static QCheckBox* StartupBox(CTipDlg& dlg) { return GetDlgItemAs<QCheckBox>(&dlg, IDC_STARTUP); }

    static void ClickCheckBox(QCheckBox* box)
    {
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    }

    static void ClickButton(CTipDlg& dlg, int id)
    {
        auto* button = GetDlgItemAs<QPushButton>(&dlg, id);
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
    }

    QTemporaryDir m_dir;
    QStringList m_boxes;
    int m_beeps = 0;
    ProfilePathGuard m_profile{m_dir.filePath(QStringLiteral("quilvane.ini"))};
    TipsPathGuard m_tips{m_dir.filePath(QStringLiteral("Tips.tip"))};
    MessageBoxGuard m_box{[this](const QString&, const QString& text) {
        m_boxes << text;
        return IDOK;
    }};
    BeepGuard m_beep{[this] { ++m_beeps; }};
    // Pages made here offer the tip only where a test says so.
    StartupTipGuard m_noStartupTip{false};
};

TEST_F(TipDlgTest, ConstructionReadsAtTheRememberedPositionAndDestructionStoresIt)
{
    const QByteArray head = "; tips\n\nOne\n";
    WriteTips(head + "Two\nThree\n");
    const int afterOne = int(head.size());
    const int afterTwo = afterOne + 4;

    // No stamp stored yet: a position left from another file is dropped.
    WriteProfileInt(kTip, QStringLiteral("FilePos"), afterTwo);
    {
        CTipDlg dlg;
        EXPECT_EQ(dlg.m_strTipText, "One\n");
        EXPECT_EQ(dlg.m_bShowAtStartup, 1);
        ASSERT_NE(dlg.m_pTipsFile, nullptr);
    }
    EXPECT_EQ(GetProfileString(kTip, QStringLiteral("TimeStamp")), Stamp());
    EXPECT_EQ(ProfileInt(QStringLiteral("FilePos")), afterOne);

    // The same stamp: reading goes on where the last dialog stopped.
    {
        CTipDlg dlg;
        EXPECT_EQ(dlg.m_strTipText, "Two\n");
    }
    EXPECT_EQ(ProfileInt(QStringLiteral("FilePos")), afterTwo);

    // Another stamp: the file counts as new and starts at its first tip.
    WriteProfileString(kTip, QStringLiteral("TimeStamp"), QStringLiteral("Thu Jan  1 00:00:00 1970"));
    {
        CTipDlg dlg;
        EXPECT_EQ(dlg.m_strTipText, "One\n");
    }
    EXPECT_EQ(GetProfileString(kTip, QStringLiteral("TimeStamp")), Stamp());
    EXPECT_EQ(ProfileInt(QStringLiteral("FilePos")), afterOne);

    // Beyond the end: the first read finds nothing and starts at the top.
    WriteProfileInt(kTip, QStringLiteral("FilePos"), 100000);
    {
        CTipDlg dlg;
        EXPECT_EQ(dlg.m_strTipText, "One\n");
    }
    EXPECT_EQ(ProfileInt(QStringLiteral("FilePos")), afterOne);
    EXPECT_TRUE(m_boxes.isEmpty());

    // A position no seek reaches: the message, once, and no tip.
    WriteProfileInt(kTip, QStringLiteral("FilePos"), -5);
    {
        CTipDlg dlg;
        EXPECT_TRUE(dlg.m_strTipText.isEmpty());
    }
    EXPECT_EQ(m_boxes, QStringList{QStringLiteral("Trouble reading the tips file")});
}

TEST_F(TipDlgTest, FileWithoutTipsShowsAnEmptyTipWithoutMessages)
{
    WriteTips("; nothing but comments\n\n  and indented text\n");
    CTipDlg dlg;
    EXPECT_TRUE(dlg.m_strTipText.isEmpty());
    RunModal(dlg, [](CTipDlg& d) {
        d.OnNextTip();
        EXPECT_TRUE(d.m_strTipText.isEmpty());
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    EXPECT_TRUE(m_boxes.isEmpty());
}

TEST_F(TipDlgTest, OkStoresTheStartUpSwitchOtherClosesDoNot)
{
    const QByteArray first = "One\n";
    WriteTips(first + "Two\nThree\n");

    // Escape after unchecking: nothing stored.
    {
        CTipDlg dlg;
        EXPECT_EQ(RunModal(dlg,
                           [](CTipDlg& d) {
                               ClickCheckBox(StartupBox(d));
                               EXPECT_FALSE(StartupBox(d)->isChecked());
                               QTest::keyClick(&d, Qt::Key_Escape);
                           }),
                  2);
    }
    EXPECT_EQ(ProfileInt(QStringLiteral("StartUp")), -999);

    // The close box acts like Escape.
    {
        CTipDlg dlg;
        RunModal(dlg, [](CTipDlg& d) {
            ClickCheckBox(StartupBox(d));
            d.close();
        });
    }
    EXPECT_EQ(ProfileInt(QStringLiteral("StartUp")), -999);

    // Unchecked and OK: tips are off from now on.
    {
        CTipDlg dlg;
        EXPECT_EQ(RunModal(dlg,
                           [](CTipDlg& d) {
                               EXPECT_TRUE(StartupBox(d)->isChecked());
                               ClickCheckBox(StartupBox(d));
                               ClickButton(d, IDC_OK);
                           }),
                  1);
        EXPECT_EQ(dlg.m_bShowAtStartup, 0);
    }
    EXPECT_EQ(ProfileInt(QStringLiteral("StartUp")), 1);
    // Three openings, three tips.
    EXPECT_EQ(ProfileInt(QStringLiteral("FilePos")), QByteArray("One\nTwo\nThree\n").size());

    // The check box comes up from the setting; OK with it checked turns tips on.
    {
        CTipDlg dlg;
        EXPECT_EQ(dlg.m_bShowAtStartup, 0);
        RunModal(dlg, [](CTipDlg& d) {
            EXPECT_FALSE(StartupBox(d)->isChecked());
            ClickCheckBox(StartupBox(d));
            ClickButton(d, IDC_OK);
        });
    }
    EXPECT_EQ(ProfileInt(QStringLiteral("StartUp")), 0);
    // Round to the first tip again.
    EXPECT_EQ(ProfileInt(QStringLiteral("FilePos")), first.size());
}

TEST_F(TipDlgTest, NextTipReadsOnResetsTheCheckBoxAndRepaintsOnlyTheText)
{
    WriteTips("First tip of the file\nSecond tip, a little longer than the first one\n");
    CTipDlg dlg;
    QRegion painted;
    QImage before;
    QImage after;
    RunModal(dlg, [&](CTipDlg& d) {
        // Showing and activating the window repaint all of it; that must be
        // over before Next Tip's painting is watched.
        EXPECT_TRUE(QTest::qWaitForWindowActive(&d));
        before = d.grab().toImage();
        ClickCheckBox(StartupBox(d));
        ASSERT_FALSE(StartupBox(d)->isChecked());
        QCoreApplication::processEvents();
        {
            const QRect text = GetDlgItem(&d, IDC_TIP_TEXT)->geometry();
            PaintRecorder recorder(&d);
            ClickButton(d, IDC_NEXT_TIP);
            EXPECT_TRUE(QTest::qWaitFor([&] { return recorder.painted.intersects(text); }, 5000));
            painted = recorder.painted;
        }
        EXPECT_EQ(d.m_strTipText, "Second tip, a little longer than the first one\n");
        // The unconfirmed change is dropped.
        EXPECT_TRUE(StartupBox(d)->isChecked());
        after = d.grab().toImage();
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    EXPECT_EQ(ProfileInt(QStringLiteral("StartUp")), -999);

    const QRect area = GetDlgItem(&dlg, IDC_TIP_AREA)->geometry();
    const QRect text = GetDlgItem(&dlg, IDC_TIP_TEXT)->geometry();
    const QRect bulb = GetDlgItem(&dlg, IDC_BULB)->geometry();
    const QRect textPart(QPoint(text.left(), bulb.top()), text.bottomRight());
    // Within the tip area only the heading and text part was repainted.
    EXPECT_TRUE(painted.intersected(area).subtracted(textPart).isEmpty());
    // And the new tip is what it shows.
    ASSERT_EQ(before.size(), after.size());
    EXPECT_NE(before.copy(text), after.copy(text));
    EXPECT_EQ(before.copy(QRect(area.left(), area.top(), text.left() - area.left(), area.height())),
              after.copy(QRect(area.left(), area.top(), text.left() - area.left(), area.height())));
}

TEST_F(TipDlgTest, WithoutATipsFileItOnlyBeeps)
{
    TipDlgWatcher watcher;
    {
        CTipDlg dlg;
        EXPECT_EQ(dlg.m_pTipsFile, nullptr);
        EXPECT_EQ(dlg.DoModal(), 1);
        EXPECT_FALSE(dlg.isVisible());
    }
    EXPECT_EQ(m_beeps, 1);
    EXPECT_EQ(watcher.shown, 0);
    EXPECT_TRUE(m_boxes.isEmpty());
    EXPECT_EQ(ProfileInt(QStringLiteral("FilePos")), -999);
    EXPECT_EQ(ProfileInt(QStringLiteral("StartUp")), -999);

    // At start-up a missing file shows and sounds nothing.
    CDesignPage page;
    page.Create();
    CDesignPage::SetStartupTipPending(true);
    page.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&page));
    EXPECT_TRUE(QTest::qWaitFor([] { return !CDesignPage::StartupTipPending(); }, 5000));
    QCoreApplication::processEvents();
    EXPECT_EQ(m_beeps, 1);
    EXPECT_EQ(watcher.shown, 0);
}

TEST_F(TipDlgTest, ATipsFileThatIsNoRegularFileCountsAsNone)
{
    const QString path = TipsFilePath();
    const std::pair<const char*, std::function<bool()>> kinds[] = {
        {"fifo", [&] { return hostile::MakeFifo(path); }},
        {"/dev/zero link", [&] { return QFile::link("/dev/zero", path); }},
        {"directory", [&] { return QDir().mkdir(path); }},
    };
    for (const auto& [name, make] : kinds) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(make());
        {
            CTipDlg dlg;
            EXPECT_EQ(dlg.m_pTipsFile, nullptr);
            EXPECT_EQ(dlg.DoModal(), 1);
        }
        EXPECT_TRUE(m_boxes.isEmpty());
        QFile::remove(path);
        QDir().rmdir(path);
    }
    EXPECT_EQ(m_beeps, 3);
}

TEST_F(TipDlgTest, DesignPageOffersTheTipOnceAtItsFirstPaint)
{
    const QByteArray one = "One\n";
    WriteTips(one + "Two\nThree\n");
    TipDlgWatcher watcher;
    QString shownTip;
    watcher.onShow = [&](CTipDlg& d) {
        shownTip = d.m_strTipText;
        // Turn tips off for the next start.
        ClickCheckBox(StartupBox(d));
        ClickButton(d, IDC_OK);
    };

    {
        CDesignPage page;
        page.Create();
        CDesignPage::SetStartupTipPending(true);
        page.show();
        EXPECT_TRUE(QTest::qWaitFor([&] { return ProfileInt(QStringLiteral("FilePos")) == 4; }, 5000));
        EXPECT_EQ(watcher.shown, 1);
        EXPECT_EQ(shownTip, "One\n");
        EXPECT_FALSE(CDesignPage::StartupTipPending());
        EXPECT_EQ(ProfileInt(QStringLiteral("StartUp")), 1);

        // Later paints of the page offer nothing.
        page.repaint();
        QCoreApplication::processEvents();
        EXPECT_EQ(watcher.shown, 1);
    }

    // The next start-up (a new process) with tips off shows nothing, yet the
    // position still moves on by one tip.
    CDesignPage page;
    page.Create();
    CDesignPage::SetStartupTipPending(true);
    page.show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return ProfileInt(QStringLiteral("FilePos")) == 8; }, 5000));
    EXPECT_EQ(watcher.shown, 1);
    EXPECT_EQ(m_beeps, 0);
}

TEST_F(TipDlgTest, PaintingShowsBandBulbSeparatorAndText)
{
    WriteTips("A tip that is long enough to wrap onto a second line inside the text rectangle of the dialog.\n");
    CTipDlg dlg;
    QImage image;
    RunModal(dlg, [&](CTipDlg& d) {
        image = d.grab().toImage().convertToFormat(QImage::Format_RGB32);
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    ASSERT_FALSE(image.isNull());

    const QPalette pal = dlg.palette();
    const QRgb base = pal.color(QPalette::Base).rgb();
    const QRgb dark = pal.color(QPalette::Dark).rgb();
    // The checks below can only tell the colours apart if they differ.
    ASSERT_NE(base, dark);
    ASSERT_NE(base, pal.color(QPalette::Window).rgb());

    const QRect area = GetDlgItem(&dlg, IDC_TIP_AREA)->geometry();
    const QRect text = GetDlgItem(&dlg, IDC_TIP_TEXT)->geometry();
    const QRect bulb = GetDlgItem(&dlg, IDC_BULB)->geometry();
    const auto at = [&](int x, int y) { return image.pixel(x, y); };

    // The band ends 10 pixels left of the text; the window colour follows.
    const int low = area.bottom() - 3;
    EXPECT_EQ(at(area.left() + 3, low), dark);
    EXPECT_EQ(at(text.left() - 11, low), dark);
    EXPECT_EQ(at(text.left() - 10, low), base);
    EXPECT_EQ(at(area.right() - 3, low), base);

    // The separator: one row, 6 pixels below the 32-pixel bulb, across the area.
    const int separator = bulb.top() + 32 + 6;
    for (const int x : {area.left() + 3, text.left() - 5, text.left() + 5, area.right() - 3}) {
        EXPECT_EQ(at(x, separator), dark) << x;
    }
    EXPECT_EQ(at(area.right() - 3, separator - 1), base);
    EXPECT_EQ(at(area.right() - 3, separator + 1), base);

    // The bulb stands on the band: its white corner took the band's colour,
    // its body is neither colour.
    EXPECT_EQ(at(bulb.left() + 2, bulb.top() + 2), dark);
    EXPECT_EQ(at(bulb.left() + 25, bulb.top() + 31), dark);
    int bulbPixels = 0;
    for (int y = bulb.top() + 1; y < bulb.top() + 32; ++y)
        for (int x = bulb.left() + 1; x < bulb.left() + 26; ++x)
            bulbPixels += at(x, y) != dark && at(x, y) != base;
    EXPECT_GT(bulbPixels, 100);

    // Text really rendered: ink in the heading line and in the text rectangle.
    const auto ink = [&](const QRect& r) {
        int n = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                n += at(x, y) != base;
        return n;
    };
    EXPECT_GT(ink(QRect(text.left(), bulb.top(), text.width(), 22)), 100);
    EXPECT_GT(ink(text.adjusted(0, 0, 0, -text.height() / 2)), 100);
    // Word-wrapped: the second line has ink too.
    EXPECT_GT(ink(QRect(text.left(), text.top() + 18, text.width(), 16)), 20);
}

TEST_F(TipDlgTest, TheBulbIsDrawnForTheScaleItIsShownAt)
{
    WriteTips("A tip.\n");
    CTipDlg dlg;
    std::map<int, QImage> shown;
    RunModal(dlg, [&](CTipDlg& d) {
        for (const int scale : {1, 2}) {
            QImage image(d.size() * scale, QImage::Format_RGB32);
            image.setDevicePixelRatio(scale);
            d.render(&image);
            image.setDevicePixelRatio(1);
            shown[scale] = image;
        }
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    const QRect bulb = GetDlgItem(&dlg, IDC_BULB)->geometry();
    const QRgb dark = dlg.palette().color(QPalette::Dark).rgb();
    const auto onBand = [dark](QRgb pixel) { return (pixel & 0xFFFFFF) != (dark & 0xFFFFFF); };
    const QRect area(bulb.topLeft(), QSize(26, 32));
    const int steps1 = EdgeSteps(shown[1].copy(area), onBand);
    const int steps2 = EdgeSteps(shown[2].copy(QRect(area.topLeft() * 2, area.size() * 2)), onBand);
    EXPECT_GE(steps1, 8);
    EXPECT_GE(steps2 * 2, steps1 * 3) << steps1 << " steps at 1x, " << steps2 << " at 2x";
}

TEST(FloodFillSurface, FillsFourConnectedSurfaceOnly)
{
    // A white field with a black ring around a white centre, and a white
    // pixel touching the field only at a corner.
    QImage image(7, 7, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int i = 1; i <= 3; ++i) {
        image.setPixel(i, 1, qRgb(0, 0, 0));
        image.setPixel(i, 3, qRgb(0, 0, 0));
        image.setPixel(1, i, qRgb(0, 0, 0));
        image.setPixel(3, i, qRgb(0, 0, 0));
    }
    image.setPixel(5, 6, qRgb(0, 0, 0));
    image.setPixel(6, 5, qRgb(0, 0, 0));

    const QRgb band = qRgb(128, 128, 128);
    const QImage out = FloodFillSurface(image, QPoint(0, 0), qRgb(255, 255, 255), band);
    EXPECT_EQ(out.pixel(0, 0), band);
    EXPECT_EQ(out.pixel(5, 5), band);
    EXPECT_EQ(out.pixel(0, 6), band);
    EXPECT_EQ(out.pixel(2, 2), qRgb(255, 255, 255)); // enclosed centre
    EXPECT_EQ(out.pixel(6, 6), qRgb(255, 255, 255)); // corner contact only
    EXPECT_EQ(out.pixel(1, 1), qRgb(0, 0, 0));

    // Starting off the surface, or filling white with white, changes nothing.
    EXPECT_EQ(FloodFillSurface(image, QPoint(1, 1), qRgb(255, 255, 255), band), image);
    EXPECT_EQ(FloodFillSurface(image, QPoint(0, 0), qRgb(255, 255, 255), qRgb(255, 255, 255)), image);
}

} // namespace
