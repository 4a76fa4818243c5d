// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "session/Commands.h"

#include "core/SlideListFile.h"
#include "core/SlideShowManager.h"
#include "core/WallPaperManager.h"
#include "desktop/DesktopBackendFactory.h"
#include "desktop/DesktopMessages.h"
#include "pictures/PictureFiles.h"
#include "platform/SafeFile.h"
#include "platform/Warning.h"
#include "session/AutostartEntry.h"
#include "session/SlideShowRunner.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QSocketNotifier>
#include <QTextStream>
#include <QTimer>

#ifndef _WIN32
#include <csignal>
#include <fontconfig/fontconfig.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

#include <functional>

namespace {

const QString kCommand = QStringLiteral("command");

void PrintOut(const QString& text)
{
    QTextStream(stdout) << text;
}

// Qt's font database takes fontconfig down with the application, and has it
// load its whole configuration first when nothing has yet: a few
// milliseconds at the end of a command, which draws no text. Gone before
// the application, this leaves an empty configuration current for Qt to
// take down instead.
class LightFontShutdown {
public:
    LightFontShutdown() = default;
    ~LightFontShutdown()
    {
#ifndef _WIN32
        FcConfig* empty = FcConfigCreate();
        if (!empty)
            return;
        // While current, fontconfig holds a reference of its own.
        FcConfigSetCurrent(empty);
        FcConfigDestroy(empty);
#endif
    }
    LightFontShutdown(const LightFontShutdown&) = delete;
    LightFontShutdown& operator=(const LightFontShutdown&) = delete;
};

// The services a command uses, in the window's order; the records they
// write are saved as they change, so nothing is saved at the end.
class CoreServices {
public:
    CoreServices()
    {
        RegConfig::StaticCreate();
        RegConfig::GetInstance()->ReadData();
        SlideShowManager::StaticCreate();
        WallPaperManager::StaticCreate();
    }
    ~CoreServices()
    {
        SlideShowManager::StaticDestroy();
        WallPaperManager::StaticDestroy();
        RegConfig::StaticDestroy();
    }
    CoreServices(const CoreServices&) = delete;
    CoreServices& operator=(const CoreServices&) = delete;

private:
    // Every command with services has a GUI application to take down after them.
    LightFontShutdown m_fonts;
};

// What the command line names as a picture is refused, before anything
// changes and without blocking, when it is no regular file; the wallpaper
// manager's own checks follow (a name that is not UTF-8 is its to refuse).
bool CheckPicture(const QString& path)
{
    if (HasForeignBytes(path))
        return true;
    // Told from the metadata: the manager opens the picture once, to show it.
    const FileRefusal refusal = RegularFileRefusal(path);
    if (refusal != FileRefusal::None) {
        WarnUnchanged(QStringLiteral("%1 %2").arg(PictureName(path), RefusalText(refusal)));
        return false;
    }
    return true;
}

bool Showable(const QString& path)
{
    return !HasForeignBytes(path) && FindType(FindExtension(path)) != CXIMAGE_FORMAT_UNKNOWN &&
           RegularFileRefusal(path) == FileRefusal::None;
}

bool AnyShowable(const QStringList& entries)
{
    return std::any_of(entries.begin(), entries.end(), Showable);
}

int SetPicture(const QString& path, int style)
{
    if (!CheckPicture(path))
        return 1;
    return WallPaperManager::GetInstance()->ApplyWallPaper(path, style) == WallPaperManager::Result::Shown ? 0 : 1;
}

// The list --play names, as a show; nothing (after saying why) when it
// cannot be read or names nothing that can be shown.
std::optional<SlideShowRecord> ReadShow(const CommandLine& line)
{
    const QString name = Printable(line.path);
    FileRefusal refusal = FileRefusal::None;
    const std::unique_ptr<QFile> file = HasForeignBytes(line.path) ? nullptr : OpenRegularFile(line.path, &refusal);
    if (!file) {
        Warning(HasForeignBytes(line.path) ? QStringLiteral("the list %1 has a name that is not UTF-8").arg(name)
                                           : QStringLiteral("the list %1 %2").arg(name, RefusalText(refusal)));
        return std::nullopt;
    }
    const SlideList list = ReadSlideList(*file);
    if (list.capped)
        Warning(
            QStringLiteral("%1 names more than %2 pictures; the first %2 are shown").arg(name).arg(kMaxListEntries));
    SlideShowRecord show;
    for (const QByteArray& entry : list.entries) {
        if (!entry.isEmpty())
            show.entries << QDir::current().absoluteFilePath(EntryText(entry));
    }
    if (show.entries.isEmpty()) {
        Warning(QStringLiteral("the list %1 names no pictures").arg(name));
        return std::nullopt;
    }
    if (!AnyShowable(show.entries)) {
        Warning(QStringLiteral("none of the pictures the list %1 names can be shown").arg(name));
        return std::nullopt;
    }
    show.periodMs = line.periodMs;
    show.style = line.style;
    show.random = line.random;
    show.playing = true;
    return show;
}

// SIGTERM and SIGINT end the show's loop normally (the show stays
// remembered as playing); the handler only writes a byte.
#ifndef _WIN32
int g_signalPipe[2] = {-1, -1};

void OnSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_signalPipe[0], &byte, 1);
}
#endif

void QuitOnSignals(QObject* owner, const std::function<void()>& quit)
{
#ifndef _WIN32
    if (g_signalPipe[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signalPipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(g_signalPipe[1], QSocketNotifier::Read, owner);
    QObject::connect(notifier, &QSocketNotifier::activated, owner, [quit] {
        char byte = 0;
        [[maybe_unused]] const ssize_t read = ::read(g_signalPipe[1], &byte, 1);
        quit();
    });
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
#else
    (void)owner;
    (void)quit;
#endif
}

// This process owns the session and plays the show until it is stopped,
// handed over to a window, or ended by a signal.
int RunShow(SessionInstance& instance, const SlideShowRecord& show, bool showNow)
{
    SlideShowRunner runner;
    const auto quit = [&runner] {
        runner.Halt();
        QCoreApplication::exit(0);
    };
    instance.SetHandler([&](const SessionInstance::Request& request) -> SessionInstance::Reply {
        const QString command = request.value(kCommand).toString();
        if (command == QLatin1String("play")) {
            const std::optional<SlideShowRecord> next = ShowOfRequest(request);
            if (!next)
                return {1, QStringLiteral("the running Quilvane got no show to play")};
            runner.Play(*next);
            if (request.value(QStringLiteral("showNow")).toBool())
                runner.Next();
            return {};
        }
        if (command == QLatin1String("next") || command == QLatin1String("stop")) {
            if (!runner.IsPlaying())
                return {1, NoSlideShowText()};
            if (command == QLatin1String("next")) {
                runner.Next();
            } else {
                runner.Stop();
                QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
            }
            return {};
        }
        if (command == QLatin1String("raise")) {
            // A window is wanted: it takes the session over and resumes the
            // show from what is remembered.
            runner.Halt();
            QTimer::singleShot(0, [&instance] {
                instance.Release();
                QCoreApplication::exit(0);
            });
            return {SessionInstance::kNoWindow, {}};
        }
        return {1, QStringLiteral("the running Quilvane does not know \"%1\"").arg(command)};
    });
    QuitOnSignals(&runner, quit);
    runner.Play(show);
    if (showNow)
        runner.Next();
    const int code = QCoreApplication::exec();
    instance.SetHandler(nullptr);
    instance.Release();
    return code;
}

// Plays the show here, or has the session's owner play it.
int PlayOrHandOver(const SlideShowRecord& show, bool showNow)
{
    SessionInstance instance;
    SessionInstance::Request request = PlayRequest(show);
    request.insert(QStringLiteral("showNow"), showNow);
    SessionInstance::Reply reply;
    if (instance.ClaimOrSend(request, &reply) == SessionInstance::Role::Owner)
        return RunShow(instance, show, showNow);
    if (!reply.message.isEmpty())
        Warning(reply.message);
    return reply.code;
}

int Usage(const CommandLine& line)
{
    Warning(line.error + u'\n' + CommandLineUsage().trimmed());
    return 2;
}

int ListDesktops()
{
    const DesktopBackendFactory::Choice choice =
        DesktopBackendFactory::Choose(DesktopBackendFactory::Environment::FromProcess());
    QString text = choice.name;
    if (!choice.reason.isEmpty())
        text += QStringLiteral(" (") + choice.reason + u')';
    text += u'\n';
    for (const QString& name : DesktopBackendFactory::KnownNames())
        text += name + u'\n';
    PrintOut(text);
    return 0;
}

int SendToOwner(const QString& command)
{
    SessionInstance instance;
    const std::optional<SessionInstance::Reply> reply = instance.Send({{kCommand, command}});
    if (!reply || reply->code == SessionInstance::kTryAgain) {
        Warning(NoSlideShowText());
        return 1;
    }
    if (!reply->message.isEmpty())
        Warning(reply->message);
    return reply->code;
}

int Restore(int& argc, char** argv)
{
    // Nothing to put back is known before anything else starts.
    RegConfig::StaticCreate();
    RegConfig::GetInstance()->ReadData();
    const WallpaperRecord wallpaper = RegConfig::GetInstance()->LastWallpaper();
    const SlideShowRecord show = RegConfig::GetInstance()->SlideShow();
    RegConfig::StaticDestroy();
    const bool resume = show.playing && !show.entries.isEmpty() && show.periodMs > 0;
    if (wallpaper.path.isEmpty() && !resume)
        return 0;

    ChooseCommandPlatform(argc, argv);
    QGuiApplication app(argc, argv);
    const CoreServices services;
    bool shown = false;
    if (!wallpaper.path.isEmpty())
        shown = SetPicture(wallpaper.path, wallpaper.style) == 0;
    if (!resume)
        return shown ? 0 : 1;
    if (!AnyShowable(show.entries)) {
        Warning(QStringLiteral("none of the pictures of the slide show can be shown; it is not resumed"));
        return 1;
    }
    // Without the last picture back, the show's next one goes up at once.
    return PlayOrHandOver(show, !shown);
}

int Play(const CommandLine& line, int& argc, char** argv)
{
    ChooseCommandPlatform(argc, argv);
    QGuiApplication app(argc, argv);
    const CoreServices services;
    const std::optional<SlideShowRecord> show = ReadShow(line);
    if (!show)
        return 1;
    return PlayOrHandOver(*show, true);
}

int Set(const CommandLine& line, int& argc, char** argv)
{
    ChooseCommandPlatform(argc, argv);
    QGuiApplication app(argc, argv);
    const CoreServices services;
    return SetPicture(line.path, line.style);
}

} // namespace

QString NoSlideShowText()
{
    return QStringLiteral("no slide show is running");
}

SessionInstance::Request PlayRequest(const SlideShowRecord& show)
{
    return {{kCommand, QStringLiteral("play")},           {QStringLiteral("entries"), show.entries},
            {QStringLiteral("periodMs"), show.periodMs},  {QStringLiteral("style"), show.style},
            {QStringLiteral("random"), show.random},      {QStringLiteral("lastIndex"), show.lastIndex},
            {QStringLiteral("lastShown"), show.lastShown}};
}

std::optional<SlideShowRecord> ShowOfRequest(const SessionInstance::Request& request)
{
    SlideShowRecord show;
    show.entries = request.value(QStringLiteral("entries")).toStringList();
    show.periodMs = request.value(QStringLiteral("periodMs")).toInt();
    show.style = request.value(QStringLiteral("style")).toInt();
    show.random = request.value(QStringLiteral("random")).toBool();
    show.lastIndex = request.value(QStringLiteral("lastIndex"), -1).toInt();
    show.lastShown = request.value(QStringLiteral("lastShown")).toString();
    show.playing = true;
    if (show.entries.isEmpty() || show.periodMs <= 0)
        return std::nullopt;
    return show;
}

void ApplyDesktopChoice(const CommandLine& line)
{
    if (!line.desktop.isEmpty())
        qputenv("QUILVANE_DESKTOP", line.desktop.toUtf8());
}

void ChooseCommandPlatform(int argc, char** argv)
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return;
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument == "-platform" || argument == "--platform" || argument.startsWith("-platform=") ||
            argument.startsWith("--platform="))
            return;
    }
    // The session's own platform first, as Qt would choose it; offscreen
    // when that cannot be had (no display at all, a Wayland session without
    // Qt's Wayland plugin), since a command draws nothing on screen itself.
    QByteArray platforms;
    if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        platforms += "wayland;";
    if (!qEnvironmentVariableIsEmpty("DISPLAY"))
        platforms += "xcb;";
    qputenv("QT_QPA_PLATFORM", platforms + "offscreen");
}

int RunCommand(const CommandLine& line, int& argc, char** argv)
{
    for (const QString& warning : line.warnings)
        Warning(warning);
    ApplyDesktopChoice(line);
    switch (line.action) {
    case CommandLine::Action::Usage:
        return Usage(line);
    case CommandLine::Action::Help:
        PrintOut(CommandLineHelp());
        return 0;
    case CommandLine::Action::Version:
        PrintOut(QStringLiteral("quilvane %1\n").arg(QStringLiteral(QUILVANE_VERSION)));
        return 0;
    case CommandLine::Action::ListDesktops:
        return ListDesktops();
    case CommandLine::Action::Autostart: {
        QCoreApplication app(argc, argv);
        QString error;
        if (SetAutostart(line.autostartOn, &error))
            return 0;
        Warning(error);
        return 1;
    }
    case CommandLine::Action::Next:
    case CommandLine::Action::Stop: {
        QCoreApplication app(argc, argv);
        return SendToOwner(line.action == CommandLine::Action::Next ? QStringLiteral("next") : QStringLiteral("stop"));
    }
    case CommandLine::Action::Set:
        return Set(line, argc, argv);
    case CommandLine::Action::Play:
        return Play(line, argc, argv);
    case CommandLine::Action::Restore:
        return Restore(argc, argv);
    case CommandLine::Action::Window:
        break;
    }
    return 2;
}
