// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The slide show of a Quilvane without a window (`quilvane --play`, a show
// resumed by `quilvane --restore`): its timer, over a list read once, stepping
// the slide-show manager exactly as the page's timer does. Every tick of a
// windowless show goes through Tick().

#include "core/RegConfig.h"
#include "core/WallPaperManager.h"

#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QStringList>
#include <QTimer>

class SlideShowRunner : public QObject {
    Q_OBJECT

public:
    SlideShowRunner();
    ~SlideShowRunner() override;

    // Starts the show (replacing one that runs), going on after the record's
    // last entry when it names one. Needs the SlideShowManager instance.
    void Play(const SlideShowRecord& show);
    // One tick now; the period starts again from here.
    void Next();
    // The user's stop: remembered as stopped.
    void Stop();
    // The program ends with the show still playing: it stays remembered as
    // playing, for --restore.
    void Halt();

    bool IsPlaying() const { return m_timer.isActive(); }

    // What one tick does; public so a benchmark can drive ticks quickly.
    void Tick();

private:
    // An entry that could not be shown is said once: while it stays as it
    // was (gone, or the same size and time), later ticks skip it quietly.
    struct Refused {
        bool exists = false;
        qint64 size = 0;
        QDateTime modified;
        bool operator==(const Refused&) const = default;
    };
    static Refused StateOf(const QString& path);
    WallPaperManager::Result Show(const QString& path, int style);

    QTimer m_timer;
    QStringList m_entries;
    QHash<QString, Refused> m_refused;
};
