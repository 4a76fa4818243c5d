// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The small platform services: profile, message boxes, file prompts, tray
// codes, modal runs and window messages.

#include "platform/Profile.h"
#include "platform/WindowMessage.h"
#include "support/EnvironmentGuard.h"
#include "support/HookGuards.h"
#include "widgets/FilePrompts.h"
#include "widgets/MessageBox.h"
#include "widgets/ModalRun.h"
#include "widgets/TrayIcon.h"
#include "widgets/WinApp.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

TEST(Profile, IniFileNamedAfterTheExecutableInTheConfigFolder)
{
    ProfilePathGuard defaultPath({});
    const QString expected = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u'/' +
                             QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName() + ".ini";
    EXPECT_EQ(ProfilePath(), expected);

    QTemporaryDir dir;
    const QString path = dir.filePath("sub/app.ini");
    ProfilePathGuard testPath(path);
    EXPECT_EQ(GetProfileInt("Tip", "StartUp", 7), 7);
    EXPECT_EQ(GetProfileString("Tip", "TimeStamp", "none"), "none");
    EXPECT_TRUE(WriteProfileInt("Tip", "FilePos", 1234));
    EXPECT_TRUE(WriteProfileString("Tip", "TimeStamp", "Mon Dec  7 06:48:22 2026"));
    // Written through to the disk at once, in sections.
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray text = f.readAll();
    EXPECT_TRUE(text.contains("[Tip]"));
    EXPECT_TRUE(text.contains("FilePos=1234"));
    EXPECT_EQ(GetProfileInt("Tip", "FilePos", 0), 1234);
    EXPECT_EQ(GetProfileString("Tip", "TimeStamp"), "Mon Dec  7 06:48:22 2026");

    // Like the Windows call, an int is the leading number of the text.
    WriteProfileString("Tip", "StartUp", "12abc");
    EXPECT_EQ(GetProfileInt("Tip", "StartUp", 5), 12);
    WriteProfileString("Tip", "StartUp", "abc");
    EXPECT_EQ(GetProfileInt("Tip", "StartUp", 5), 0);
}

TEST(MessageBoxes, CaptionIsTheExecutableBaseNameAndHooksAnswer)
{
    QString caption, text;
    MessageBoxGuard box([&](const QString& c, const QString& t) {
        caption = c;
        text = t;
        return IDOK;
    });
    EXPECT_EQ(AfxMessageBox("Can not open file!"), IDOK);
    EXPECT_EQ(text, "Can not open file!");
    EXPECT_EQ(caption, QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName());
    EXPECT_FALSE(caption.isEmpty());

    int beeps = 0;
    BeepGuard beep([&] { ++beeps; });
    PlainBeep();
    PlainBeep();
    EXPECT_EQ(beeps, 2);
}

TEST(HookGuards, EachGuardPutsBackTheHookSetBeforeIt)
{
    QStringList answeredBy;
    const auto answer = [&](const char* who) {
        return [&answeredBy, who](const QString&, const QString&) {
            answeredBy << who;
            return IDOK;
        };
    };
    int beeps = 0;
    {
        MessageBoxGuard outer(answer("outer"));
        {
            MessageBoxGuard inner(answer("inner"));
            BeepGuard beep([&] { ++beeps; });
            AfxMessageBox("one");
            PlainBeep();
        }
        AfxMessageBox("two");
        {
            BeepGuard beep([&] { beeps += 10; });
            PlainBeep();
        }
    }
    EXPECT_EQ(answeredBy, (QStringList{"inner", "outer"}));
    EXPECT_EQ(beeps, 11);
    EXPECT_EQ(SetMessageBoxHook({}), nullptr) << "the outermost guard left a hook behind";
    EXPECT_EQ(SetBeepHook({}), nullptr);

    QTemporaryDir dir;
    const QString defaultPath = ProfilePath();
    {
        ProfilePathGuard first(dir.filePath("first.ini"));
        {
            ProfilePathGuard second(dir.filePath("second.ini"));
            EXPECT_EQ(ProfilePath(), dir.filePath("second.ini"));
        }
        EXPECT_EQ(ProfilePath(), dir.filePath("first.ini"));
        FilePromptGuard prompt([](const FilePrompt&) { return std::optional<QString>("/a.jpg"); });
    }
    EXPECT_EQ(ProfilePath(), defaultPath);
    EXPECT_EQ(SetFilePromptHook({}), nullptr);

    // An environment variable comes back as it was, set or not.
    const char* name = "QUILVANE_GUARD_TEST";
    {
        EnvironmentGuard outer(name, "outer");
        {
            EnvironmentGuard inner(name);
            inner.Unset();
            EXPECT_FALSE(qEnvironmentVariableIsSet(name));
        }
        EXPECT_EQ(qgetenv(name), "outer");
    }
    EXPECT_FALSE(qEnvironmentVariableIsSet(name));
}

TEST(FilePrompts, FilterConversionDefaultExtensionAndHook)
{
    EXPECT_EQ(ConvertFileFilter("SRC(*.bmp;*.jpg;*.jpeg;*.gif;*.png;*.dib)| *.bmp;*.jpg;*.jpeg;*.gif;*.png;*.dib||"),
              QStringList{"SRC(*.bmp;*.jpg;*.jpeg;*.gif;*.png;*.dib) (*.bmp *.jpg *.jpeg *.gif *.png *.dib)"});
    EXPECT_EQ(ConvertFileFilter("*.jpg| *.jpg||"), QStringList{"*.jpg (*.jpg)"});
    EXPECT_EQ(ConvertFileFilter("A|*.a|B|*.b;*.c||"), (QStringList{"A (*.a)", "B (*.b *.c)"}));
    EXPECT_TRUE(ConvertFileFilter("").isEmpty());

    EXPECT_EQ(WithDefaultExtension("/tmp/out", ".jpg"), "/tmp/out.jpg");
    EXPECT_EQ(WithDefaultExtension("/tmp/out.png", ".jpg"), "/tmp/out.png");
    EXPECT_EQ(WithDefaultExtension("/tmp/dir.v2/out", "jpg"), "/tmp/dir.v2/out.jpg");

    FilePrompt seen;
    FilePromptGuard prompts([&](const FilePrompt& p) -> std::optional<QString> {
        seen = p;
        if (p.kind == FilePrompt::Kind::Folder)
            return std::nullopt;
        return QStringLiteral("/pictures/a.jpg");
    });
    EXPECT_EQ(PromptForPath({FilePrompt::Kind::Save, {}, "*.jpg| *.jpg||", ".jpg", nullptr}), "/pictures/a.jpg");
    EXPECT_EQ(seen.defaultExt, ".jpg");
    EXPECT_EQ(PromptForPath({FilePrompt::Kind::Folder, "Browse for Images", {}, {}, nullptr}), std::nullopt);
    EXPECT_EQ(seen.title, "Browse for Images");
}

TEST(Tray, ActivationsBecomeMouseMessagesAtTheCallbackWindow)
{
    EXPECT_EQ(TrayMouseMessage(QSystemTrayIcon::DoubleClick), 0x203);
    EXPECT_EQ(TrayMouseMessage(QSystemTrayIcon::Context), 0x205);
    EXPECT_EQ(TrayMouseMessage(QSystemTrayIcon::Trigger), 0x202);
    EXPECT_EQ(TrayMouseMessage(QSystemTrayIcon::MiddleClick), 0x208);
    EXPECT_EQ(TrayMouseMessage(QSystemTrayIcon::Unknown), 0x200);

    struct Window : QWidget {
        std::vector<std::pair<WPARAM, LPARAM>> got;
        bool event(QEvent* e) override
        {
            if (e->type() == WindowMessageEvent::Type()) {
                auto* m = static_cast<WindowMessageEvent*>(e);
                if (m->message() == 1025)
                    got.emplace_back(m->wParam(), m->lParam());
                m->setResult(1);
                return true;
            }
            return QWidget::event(e);
        }
    } window;

    NotifyIconData nid;
    nid.hWnd = &window;
    nid.uID = 128;
    nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    nid.uCallbackMessage = 1025;
    nid.szTip = "Quilvaned";
    ASSERT_TRUE(ShellNotifyIcon(NIM_ADD, nid));
    EXPECT_FALSE(ShellNotifyIcon(NIM_ADD, nid)); // one icon per window and id
    QSystemTrayIcon* icon = FindTrayIcon(&window, 128);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->toolTip(), "Quilvaned");
    Q_EMIT icon->activated(QSystemTrayIcon::DoubleClick);
    Q_EMIT icon->activated(QSystemTrayIcon::Context);
    EXPECT_EQ(window.got, (std::vector<std::pair<WPARAM, LPARAM>>{{128, 0x203}, {128, 0x205}}));
    EXPECT_TRUE(ShellNotifyIcon(NIM_DELETE, nid));
    EXPECT_EQ(FindTrayIcon(&window, 128), nullptr);
    EXPECT_FALSE(ShellNotifyIcon(NIM_DELETE, nid));

    const SystemTrayGuard noTray(false);
    EXPECT_FALSE(IsSystemTrayAvailable());
}

// An application that notes its start-up and shutdown calls.
class EntryPointApp : public CWinApp {
public:
    explicit EntryPointApp(bool loop) : m_loop(loop) {}
    bool InitInstance() override
    {
        calls << "init";
        if (m_loop)
            QTimer::singleShot(0, [this] {
                calls << "loop";
                PostQuit(5);
            });
        return m_loop;
    }
    int ExitInstance() override
    {
        calls << "exit";
        return CWinApp::ExitInstance();
    }
    QStringList calls;

private:
    bool m_loop;
};

TEST(ModalRun, EntryPointShutsDownAfterAStartupWithOrWithoutALoop)
{
    for (const bool loop : {false, true}) {
        SCOPED_TRACE(loop);
        ResetQuitState();
        EntryPointApp app(loop);
        // Without a loop this quit message stays queued; a loop run by
        // mistake would end with its code instead of waiting for ever.
        if (!loop)
            PostQuit(9);
        const int code = RunApplication(app);
        EXPECT_EQ(app.calls, loop ? QStringList({"init", "loop", "exit"}) : QStringList({"init", "exit"}));
        EXPECT_EQ(code, loop ? 5 : 0) << "the exit code is the quit message's";
        QCoreApplication::processEvents();
    }
    ResetQuitState();
}

TEST(ModalRun, HidingDoesNotEndTheRunButEndModalAndQuitDo)
{
    ResetQuitState();
    QWidget window;
    QTimer::singleShot(0, &window, [&] {
        EXPECT_TRUE(IsInModalLoop(&window));
        window.hide();
        // Still running after the window is hidden.
        QTimer::singleShot(20, &window, [&] {
            EXPECT_TRUE(IsInModalLoop(&window));
            EndModalLoop(&window, 7);
        });
    });
    EXPECT_EQ(RunModalLoop(&window), 7);
    EXPECT_FALSE(IsInModalLoop(&window));

    // A quit ends nested runs too, and runs started afterwards end at once.
    QWidget outer, inner;
    int innerResult = 0;
    QTimer::singleShot(0, &outer, [&] {
        QTimer::singleShot(0, &inner, [] { PostQuit(3); });
        innerResult = RunModalLoop(&inner);
    });
    EXPECT_EQ(RunModalLoop(&outer), -1);
    EXPECT_EQ(innerResult, -1);
    EXPECT_TRUE(IsQuitPending());
    EXPECT_EQ(QuitExitCode(), 3);
    QWidget later;
    EXPECT_EQ(RunModalLoop(&later), -1);
    ResetQuitState();
}

TEST(WindowMessages, SendReturnsTheResultPostArrivesLater)
{
    struct Receiver : QObject {
        int count = 0;
        bool event(QEvent* e) override
        {
            if (e->type() != WindowMessageEvent::Type())
                return QObject::event(e);
            auto* m = static_cast<WindowMessageEvent*>(e);
            ++count;
            m->setResult(static_cast<LRESULT>(m->wParam() + m->lParam()));
            return true;
        }
    } r;
    EXPECT_EQ(SendWndMessage(&r, 1027, 2, 3), 5);
    EXPECT_EQ(SendWndMessage(nullptr, 1027, 2, 3), 0);
    PostWndMessage(&r, 0);
    EXPECT_EQ(r.count, 1);
    QCoreApplication::processEvents();
    EXPECT_EQ(r.count, 2);
}
