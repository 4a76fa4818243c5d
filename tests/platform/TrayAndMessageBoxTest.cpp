// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The shell around the pages: which trays report double clicks, and message
// boxes that show outside text exactly as it is.

#include "support/HookGuards.h"
#include "support/PrivateBus.h"
#include "widgets/MessageBox.h"
#include "widgets/TrayIcon.h"

#include <QApplication>
#include <QDBusConnection>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

TEST(TrayIcon, StatusNotifierTraysReportNoDoubleClicks)
{
    PrivateBus bus;
    ASSERT_FALSE(bus.Address().isEmpty()) << "dbus-daemon is needed";
    QDBusConnection app = QDBusConnection::connectToBus(bus.Address(), "tray-app");
    ASSERT_TRUE(app.isConnected());
    // No StatusNotifierWatcher: Qt draws an XEmbed icon, which does.
    EXPECT_TRUE(TrayReportsDoubleClicks(app));
    EXPECT_TRUE(TrayReportsDoubleClicks(QDBusConnection(QString())));

    QDBusConnection plasma = QDBusConnection::connectToBus(bus.Address(), "tray-host");
    ASSERT_TRUE(plasma.registerService("org.kde.StatusNotifierWatcher"));
    EXPECT_FALSE(TrayReportsDoubleClicks(app));
    // Such a tray's one activation opens the window, as a double click does
    // elsewhere; a tray with double clicks keeps single clicks apart.
    EXPECT_EQ(TrayMouseMessage(QSystemTrayIcon::Trigger, false), WM_LBUTTONDBLCLK);
    EXPECT_EQ(TrayMouseMessage(QSystemTrayIcon::Trigger, true), WM_LBUTTONUP);
    EXPECT_EQ(TrayMouseMessage(QSystemTrayIcon::Context, false), WM_RBUTTONUP);

    {
        const TrayDoubleClicksGuard forced(true);
        EXPECT_TRUE(TrayReportsDoubleClicks(app));
    }
    EXPECT_FALSE(TrayReportsDoubleClicks(app));
    QDBusConnection::disconnectFromBus("tray-host");
    QDBusConnection::disconnectFromBus("tray-app");
}

TEST(MessageBox, TextIsShownAsPlainText)
{
    const QString text = "Cannot open <b>bold</b> &amp; <img src=x>.jpg";
    QString shown;
    Qt::TextFormat format = Qt::AutoText;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        format = box->textFormat();
        for (const QLabel* label : box->findChildren<QLabel*>()) {
            if (label->text() == text)
                shown = label->textFormat() == Qt::PlainText ? label->text() : QString();
        }
        box->accept();
    });
    EXPECT_EQ(AfxMessageBox(text), IDOK);
    EXPECT_EQ(format, Qt::PlainText);
    EXPECT_EQ(shown, text);
}
