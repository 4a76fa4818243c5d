// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Menus and accelerators as tables, built into QMenu/QMenuBar. Each action
// carries its command id; choosing it hands the id to one callback, which
// routes the command (RouteCommand: window, active page, application).
//
// The texts in the tables are the English source texts, marked
// QT_TRANSLATE_NOOP("Menu", ...) for lupdate; menus are built with their
// translation in that context, or the English text where there is none.

#include <QKeySequence>
#include <functional>
#include <initializer_list>
#include <span>
#include <vector>

class QAction;
class QKeyEvent;
class QMenu;
class QMenuBar;
class QWidget;

inline constexpr char kMenuTextContext[] = "Menu";

struct MenuItem {
    enum class Kind { Command, Separator, Popup };

    Kind kind = Kind::Command;
    const char* text = nullptr;
    int id = 0;
    std::vector<MenuItem> items; // for a popup

    static MenuItem Command(const char* text, int id) { return {Kind::Command, text, id, {}}; }
    static MenuItem Separator() { return {Kind::Separator, nullptr, 0, {}}; }
    static MenuItem Popup(const char* text, std::vector<MenuItem> items)
    {
        return {Kind::Popup, text, 0, std::move(items)};
    }
};

struct MenuTemplate {
    int id;
    std::vector<MenuItem> popups; // top-level entries, each a popup
};

using CommandHandler = std::function<void(int id)>;

// The command id an action was built with; 0 for none.
int ActionCommandId(const QAction* action);

struct AcceleratorTable;

// Fills a menu bar with the template's popups. A command that has keys in
// keys shows them beside its text (the keys themselves work through
// InstallAccelerators).
void BuildMenuBar(QMenuBar* bar, const MenuTemplate& menu, const CommandHandler& onCommand,
                  const AcceleratorTable* keys = nullptr);

// Creates a menu from one popup of the template (the first by default), the
// way a context menu is loaded: the caller owns the returned menu.
QMenu* LoadPopupMenu(const MenuTemplate& menu, int popupIndex = 0, QWidget* parent = nullptr);

// The action of a menu (searched through its sub-menus) with that command id.
QAction* FindMenuCommand(const QMenu* menu, int id);

// Makes the action with command id the menu's default item, drawn in bold.
void SetMenuDefaultItem(QMenu* menu, int id);

struct Accelerator {
    int key;       // Qt::Key
    int modifiers; // Qt::KeyboardModifiers
    int command;
};

struct AcceleratorTable {
    int id;
    std::vector<Accelerator> entries;
};

// The command a key press maps to, or 0. Only presses translate; the key
// still goes on to the focused control.
int TranslateAccelerator(const AcceleratorTable& table, const QKeyEvent* key);

// The keys of the table give their commands to onCommand wherever the focus
// is in window (a control that takes the key itself, as a text field takes
// Ctrl+Z, keeps it).
void InstallAccelerators(QWidget* window, const AcceleratorTable& table, const CommandHandler& onCommand);

// Enables or greys each command of the menu bar as enabled says (commands it
// does not know about say true).
using CommandEnabled = std::function<bool(int id)>;
void UpdateMenuCommands(const QMenuBar* bar, const CommandEnabled& enabled);
