// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/MenuTemplate.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

namespace {

const char* const kCommandProperty = "quilvaneCommandId";

QKeySequence KeySequence(const Accelerator& a)
{
    return QKeySequence(QKeyCombination(Qt::KeyboardModifiers::fromInt(a.modifiers), static_cast<Qt::Key>(a.key)));
}

QString MenuText(const char* text)
{
    return QCoreApplication::translate(kMenuTextContext, text);
}

void AddItems(QMenu* menu, const std::vector<MenuItem>& items, const CommandHandler& onCommand,
              const AcceleratorTable* keys)
{
    for (const MenuItem& item : items) {
        switch (item.kind) {
        case MenuItem::Kind::Separator:
            menu->addSeparator();
            break;
        case MenuItem::Kind::Popup: {
            QMenu* sub = menu->addMenu(MenuText(item.text));
            AddItems(sub, item.items, onCommand, keys);
            break;
        }
        case MenuItem::Kind::Command: {
            QAction* action = menu->addAction(MenuText(item.text));
            action->setProperty(kCommandProperty, item.id);
            if (keys) {
                QList<QKeySequence> shown;
                for (const Accelerator& a : keys->entries) {
                    if (a.command == item.id)
                        shown << KeySequence(a);
                }
                // Shown only: the window's accelerators do the work, and
                // the same keys in two places would cancel each other out.
                action->setShortcuts(shown);
                action->setShortcutContext(Qt::WidgetShortcut);
            }
            if (onCommand) {
                const int id = item.id;
                QObject::connect(action, &QAction::triggered, action, [onCommand, id] { onCommand(id); });
            }
            break;
        }
        }
    }
}

} // namespace

int ActionCommandId(const QAction* action)
{
    const QVariant v = action ? action->property(kCommandProperty) : QVariant();
    return v.isValid() ? v.toInt() : 0;
}

void BuildMenuBar(QMenuBar* bar, const MenuTemplate& menu, const CommandHandler& onCommand,
                  const AcceleratorTable* keys)
{
    for (const MenuItem& popup : menu.popups) {
        QMenu* m = bar->addMenu(MenuText(popup.text));
        AddItems(m, popup.items, onCommand, keys);
    }
}

QMenu* LoadPopupMenu(const MenuTemplate& menu, int popupIndex, QWidget* parent)
{
    if (popupIndex < 0 || popupIndex >= static_cast<int>(menu.popups.size()))
        return nullptr;
    const MenuItem& popup = menu.popups[static_cast<size_t>(popupIndex)];
    auto* m = new QMenu(MenuText(popup.text), parent);
    AddItems(m, popup.items, {}, nullptr);
    return m;
}

QAction* FindMenuCommand(const QMenu* menu, int id)
{
    if (!menu)
        return nullptr;
    for (QAction* a : menu->actions()) {
        if (ActionCommandId(a) == id)
            return a;
        if (QAction* found = FindMenuCommand(a->menu(), id))
            return found;
    }
    return nullptr;
}

void SetMenuDefaultItem(QMenu* menu, int id)
{
    if (QAction* a = FindMenuCommand(menu, id))
        menu->setDefaultAction(a);
}

int TranslateAccelerator(const AcceleratorTable& table, const QKeyEvent* key)
{
    if (!key || key->type() != QEvent::KeyPress)
        return 0;
    const int mods = static_cast<int>(key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier));
    for (const Accelerator& a : table.entries) {
        if (a.key == key->key() && a.modifiers == mods)
            return a.command;
    }
    return 0;
}

void InstallAccelerators(QWidget* window, const AcceleratorTable& table, const CommandHandler& onCommand)
{
    for (const Accelerator& a : table.entries) {
        auto* shortcut = new QShortcut(KeySequence(a), window);
        shortcut->setContext(Qt::WindowShortcut);
        const int id = a.command;
        QObject::connect(shortcut, &QShortcut::activated, window, [onCommand, id] { onCommand(id); });
    }
}

void UpdateMenuCommands(const QMenuBar* bar, const CommandEnabled& enabled)
{
    if (!bar || !enabled)
        return;
    for (QAction* popup : bar->actions()) {
        if (!popup->menu())
            continue;
        for (QAction* a : popup->menu()->actions()) {
            if (const int id = ActionCommandId(a))
                a->setEnabled(enabled(id));
        }
    }
}
