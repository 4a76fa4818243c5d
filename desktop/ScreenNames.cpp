// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop/ScreenNames.h"

#include <QGuiApplication>
#include <QMutex>
#include <QPointer>
#include <QScreen>
#include <QThread>

namespace {

struct Kept {
    QMutex mutex;
    QStringList names;
    // The application the names are of: a later one starts afresh.
    QPointer<QGuiApplication> app;
};

Kept& Names()
{
    static Kept kept;
    return kept;
}

// On the application's thread; leaving is a screen on its way out that
// may still be listed.
QStringList Read(const QScreen* leaving = nullptr)
{
    QStringList names;
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (screen != leaving)
            names << screen->name();
    }
    return names;
}

void Keep(QGuiApplication* app, const QStringList& names)
{
    Kept& kept = Names();
    const QMutexLocker lock(&kept.mutex);
    if (kept.app != app) {
        kept.app = app;
        QObject::connect(app, &QGuiApplication::screenAdded, app, [app] { Keep(app, Read()); });
        QObject::connect(app, &QGuiApplication::screenRemoved, app,
                         [app](const QScreen* screen) { Keep(app, Read(screen)); });
    }
    kept.names = names;
}

} // namespace

QStringList ScreenNames()
{
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!app)
        return {};
    if (QThread::currentThread() == app->thread()) {
        const QStringList names = Read();
        Keep(app, names);
        return names;
    }
    Kept& kept = Names();
    const QMutexLocker lock(&kept.mutex);
    return kept.app == app ? kept.names : QStringList();
}
