// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/MessageBox.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <utility>

namespace {
MessageBoxHook& BoxHook()
{
    static MessageBoxHook hook;
    return hook;
}
BeepHook& TheBeepHook()
{
    static BeepHook hook;
    return hook;
}
} // namespace

QString AppMessageCaption()
{
    const QString exe = QCoreApplication::applicationFilePath();
    if (exe.isEmpty())
        return QCoreApplication::applicationName();
    return QFileInfo(exe).completeBaseName();
}

int AfxMessageBox(const QString& text, QWidget* parent)
{
    if (BoxHook())
        return BoxHook()(AppMessageCaption(), text);
    QMessageBox box(QMessageBox::Warning, AppMessageCaption(), text, QMessageBox::Ok, parent);
    // Messages carry file names and other outside text: never read as
    // markup, so "<b>" or "&lt;" in a name shows as it is.
    box.setTextFormat(Qt::PlainText);
    box.exec();
    return IDOK;
}

int AskSaveDiscardCancel(const QString& question, QWidget* parent)
{
    if (BoxHook()) {
        const int answer = BoxHook()(AppMessageCaption(), question);
        return answer == IDYES || answer == IDNO ? answer : IDCANCEL;
    }
    QMessageBox box(QMessageBox::Question, AppMessageCaption(), question,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setTextFormat(Qt::PlainText);
    // The same words on every desktop (some themes say "Close without
    // Saving" for Discard).
    box.button(QMessageBox::Save)->setText(QCoreApplication::translate("MessageBox", "Save"));
    box.button(QMessageBox::Discard)->setText(QCoreApplication::translate("MessageBox", "Discard"));
    box.button(QMessageBox::Cancel)->setText(QCoreApplication::translate("MessageBox", "Cancel"));
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Save:
        return IDYES;
    case QMessageBox::Discard:
        return IDNO;
    default:
        return IDCANCEL;
    }
}

void PlainBeep()
{
    if (TheBeepHook()) {
        TheBeepHook()();
        return;
    }
    QApplication::beep();
}

MessageBoxHook SetMessageBoxHook(MessageBoxHook hook)
{
    return std::exchange(BoxHook(), std::move(hook));
}
BeepHook SetBeepHook(BeepHook hook)
{
    return std::exchange(TheBeepHook(), std::move(hook));
}
