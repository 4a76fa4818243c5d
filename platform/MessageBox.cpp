#include "platform/MessageBox.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>

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
    box.exec();
    return IDOK;
}

void PlainBeep()
{
    if (TheBeepHook()) {
        TheBeepHook()();
        return;
    }
    QApplication::beep();
}

void SetMessageBoxHook(MessageBoxHook hook)
{
    BoxHook() = std::move(hook);
}
void SetBeepHook(BeepHook hook)
{
    TheBeepHook() = std::move(hook);
}
