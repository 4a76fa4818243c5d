// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/MenuTemplate.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>

namespace {

const char* const kCommandProperty = "quilvaneCommandId";

QString MenuText(const char* text)
{
    return QCoreApplication::translate(kMenuTextContext, text);
}

void AddItems(QMenu* menu, const std::vector<MenuItem>& items, const CommandHandler& onCommand)
{
    for (const MenuItem& item : items) {
        switch (item.kind) {
        case MenuItem::Kind::Separator:
            menu->addSeparator();
            break;
        case MenuItem::Kind::Popup: {
            QMenu* sub = menu->addMenu(MenuText(item.text));
            AddItems(sub, item.items, onCommand);
            break;
        }
        case MenuItem::Kind::Command: {
            QAction* action = menu->addAction(MenuText(item.text));
            action->setProperty(kCommandProperty, item.id);
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

void BuildMenuBar(QMenuBar* bar, const MenuTemplate& menu, const CommandHandler& onCommand)
{
    for (const MenuItem& popup : menu.popups) {
        QMenu* m = bar->addMenu(MenuText(popup.text));
        AddItems(m, popup.items, onCommand);
    }
}

QMenu* LoadPopupMenu(const MenuTemplate& menu, int popupIndex, QWidget* parent)
{
    if (popupIndex < 0 || popupIndex >= static_cast<int>(menu.popups.size()))
        return nullptr;
    const MenuItem& popup = menu.popups[static_cast<size_t>(popupIndex)];
    auto* m = new QMenu(MenuText(popup.text), parent);
    AddItems(m, popup.items, {});
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
