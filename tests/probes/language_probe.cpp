// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Builds the main window the way the program starts, in the language the
// environment asks for, and prints what the user reads in its title, tabs,
// menu bar and tray menu, one "<where>\t<text>" line each. The language
// tests start it with LANG, LC_ALL or LANGUAGE set: the system locale is read
// once per process, so each language needs a process of its own.

#include "app/MainPropertySheet.h"
#include "designer/DesignPage.h"
#include "res/Menus.h"
#include "res/Resource.h"
#include "res/Translations.h"
#include "widgets/MenuTemplate.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <cstdio>
#include <memory>

namespace {

void Print(const char* where, const QString& text)
{
    std::printf("%s\t%s\n", where, text.toUtf8().constData());
}

void PrintMenu(const char* where, const QMenu* menu)
{
    for (const QAction* a : menu->actions()) {
        if (!a->isSeparator())
            Print(where, a->text());
    }
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    Print("language", InstallTranslations(QLocale::system()));

    CDesignPage::SetStartupTipPending(false);
    CMainPropertySheet sheet(CMainPropertySheet::Look::Tabs, IDB_TAB_IMAGES, 32);
    sheet.OnInitDialog();
    Print("title", sheet.windowTitle());
    for (int i = 0; i < sheet.TabWidget()->count(); ++i)
        Print("tab", sheet.TabWidget()->tabText(i));
    for (const QAction* a : sheet.findChild<QMenuBar*>()->actions()) {
        Print("menu", a->text());
        PrintMenu("item", a->menu());
    }
    const std::unique_ptr<QMenu> tray(LoadPopupMenu(TrayMenu(), 0));
    PrintMenu("tray", tray.get());
    return 0;
}
