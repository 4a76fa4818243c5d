// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/DialogTemplate.h"
#include "platform/Geometry.h"

#include <QFont>
#include <QList>
#include <QSize>
#include <QWidget>
#include <map>

// Dialog units to pixels, the Windows way: a horizontal unit is a quarter of
// the dialog font's average character width, a vertical unit an eighth of its
// height, each product rounded as MulDiv rounds.
struct DialogUnits {
    int baseX = 4;
    int baseY = 8;

    CRect ToPixels(int x, int y, int cx, int cy) const
    {
        const int left = MulDiv(x, baseX, 4);
        const int top = MulDiv(y, baseY, 8);
        return CRect(left, top, left + MulDiv(cx, baseX, 4), top + MulDiv(cy, baseY, 8));
    }

    static DialogUnits ForFont(const QFont& font);
};

// The tables hold the English source texts, marked
// QT_TRANSLATE_NOOP("Dialog", ...) for lupdate. A caption or a control's text
// as the user reads it: its translation in that context, or the English text
// where there is none.
inline constexpr char kDialogTextContext[] = "Dialog";
QString DialogText(const char* text);

// The font a template asks for, as this platform has it.
QFont DialogFont(const DialogTemplate& dlg);

// Widgets that stand for particular control ids: the owner's member objects,
// placed where the template puts that control instead of a plain widget.
using ControlBindings = std::map<int, QWidget*>;

// Creates (or places, for bound ids) every control of the template as a child
// of host, in table order (which is also the tab order), sets host's font and
// caption and returns the dialog's size in pixels. Each control carries its
// id, so GetDlgItem finds it.
QSize BuildDialog(QWidget* host, const DialogTemplate& dlg, const ControlBindings& bound = {});

// The control with that id among host's descendants, or null.
QWidget* GetDlgItem(const QWidget* host, int id);

template <typename T> T* GetDlgItemAs(const QWidget* host, int id)
{
    return qobject_cast<T*>(GetDlgItem(host, id));
}

// The controls built on host, in template order.
QList<QWidget*> DialogControls(const QWidget* host);

// The id a control was built with; 0 for a widget that is no dialog control.
int GetDlgCtrlID(const QWidget* control);

// Sets the text of a control of any kind that shows one.
void SetDlgItemText(QWidget* host, int id, const QString& text);
QString GetDlgItemText(const QWidget* host, int id);
