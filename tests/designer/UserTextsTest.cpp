// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Every text a user reads (the tips as shipped, the dialogs, the menus and the
// string table) speaks of this system: no backslash-separated paths, drive
// letters or names of another system's places.

#include "designer/TipsReader.h"
#include "res/Dialogs.h"
#include "res/Menus.h"
#include "res/Resource.h"
#include "res/Strings.h"

#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

// What in text belongs to another system; empty when nothing does.
QString Leftover(const QString& text)
{
    static const QRegularExpression kPatterns[] = {
        QRegularExpression(QStringLiteral(R"(\w\\\w)")),           // wallpaper\wallpaper_1.jpg
        QRegularExpression(QStringLiteral(R"(\b[A-Za-z]:[\\/])")), // C:\ or C:/
        QRegularExpression(QStringLiteral(R"(\.(exe|dll|bat|ini)\b)"), QRegularExpression::CaseInsensitiveOption),
        QRegularExpression(QStringLiteral(R"(\b(My Documents|My Pictures|Control Panel|Start menu|Explorer|)"
                                          R"(registry|Active Desktop|taskbar|Windows)\b)"),
                           QRegularExpression::CaseInsensitiveOption),
    };
    for (const QRegularExpression& pattern : kPatterns) {
        const QRegularExpressionMatch match = pattern.match(text);
        if (match.hasMatch())
            return match.captured();
    }
    return {};
}

void CollectMenuTexts(const std::vector<MenuItem>& items, QStringList& out)
{
    for (const MenuItem& item : items) {
        if (item.text)
            out << QString::fromUtf8(item.text);
        CollectMenuTexts(item.items, out);
    }
}

} // namespace

TEST(UserTexts, NothingAUserReadsComesFromAnotherSystem)
{
    // The check itself: it finds what it is for.
    EXPECT_FALSE(Leftover(QStringLiteral("saved as wallpaper\\wallpaper_N.jpg")).isEmpty());
    EXPECT_FALSE(Leftover(QStringLiteral("from C:\\Photos")).isEmpty());
    EXPECT_TRUE(Leftover(QStringLiteral("saved as wallpaper/wallpaper_N.jpg, 1:2")).isEmpty());

    QStringList texts;
    // The tips file the build puts beside the program, as it is shipped.
    QFile tips(TipsFilePath());
    ASSERT_TRUE(tips.open(QIODevice::ReadOnly)) << TipsFilePath().toStdString();
    int tipLines = 0;
    for (const QByteArray& line : tips.readAll().split('\n')) {
        if (line.isEmpty() || line.startsWith(';') || line.startsWith(' ') || line.startsWith('\t'))
            continue;
        texts << QString::fromUtf8(line);
        ++tipLines;
    }
    EXPECT_GE(tipLines, 10);
    for (const DialogTemplate* dialog : AllDialogTemplates()) {
        texts << QString::fromUtf8(dialog->caption);
        for (const DialogControl& control : dialog->controls)
            texts << QString::fromUtf8(control.text);
    }
    for (const MenuTemplate* menu : {&TrayMenu(), &PhotoMenu(), &BackgroundMenu(), &MainMenu()})
        CollectMenuTexts(menu->popups, texts);
    for (const int id : {IDS_ABOUTBOX, IDS_TIP_FILE_ERROR, IDS_DID_YOU_KNOW})
        texts << LoadResString(id);

    for (const QString& text : texts)
        EXPECT_EQ(Leftover(text), QString()) << text.toStdString();
}
