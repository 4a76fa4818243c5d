// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Feeds arbitrary bytes to the Tip of the Day reader as a tips file on disk,
// starting at a position taken from the input (sometimes past the end, as a
// stale "FilePos" can be), and reads a bounded number of tips. Every read
// must end, obey the line rules, and agree with a plain in-memory reading of
// the same bytes, which has no buffering, peeking or seeking to get wrong.

#include "designer/TipsReader.h"

#include "FuzzSupport.h"

#include <QByteArray>
#include <QFile>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void Check(bool ok, const char* what)
{
    FuzzCheck(ok, "tips_fuzz", what);
}

// The reading rules over bytes in memory.
struct MemoryReader {
    const QByteArray& bytes;
    qint64 pos;

    bool Line(QByteArray& line) { return MemoryLine(bytes, pos, kMaxTipLength, line); }

    TipReadResult Next(QByteArray& tip)
    {
        tip.clear();
        bool rewound = false;
        QByteArray line;
        for (;;) {
            if (!Line(line)) {
                if (rewound)
                    return TipReadResult::NoTip;
                rewound = true;
                pos = 0;
                continue;
            }
            const char first = line[0];
            if (first == ' ' || first == '\t' || first == '\n' || first == ';')
                continue;
            if (const qsizetype nul = line.indexOf('\0'); nul >= 0)
                line.truncate(nul);
            tip = line;
            return TipReadResult::Tip;
        }
    }
};

const FuzzScratchFile& Scratch()
{
    static const FuzzScratchFile file("tips_fuzz", "tip");
    return file;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (!Scratch().Write(bytes))
        return 0;
    QFile file(Scratch().Path());
    if (!file.open(QIODevice::ReadOnly))
        return 0;

    const qint64 start = size == 0 ? 0 : (qint64(data[0]) * 37) % (qint64(size) + 16);
    Check(file.seek(start), "seek failed");
    MemoryReader memory{bytes, start};

    for (int i = 0; i < 64; ++i) {
        QByteArray tip;
        QByteArray expected;
        const TipReadResult result = ReadNextTip(file, tip);
        const TipReadResult expectedResult = memory.Next(expected);
        Check(result == expectedResult, "result differs from the in-memory reading");
        Check(tip == expected, "tip differs from the in-memory reading");
        Check(file.pos() == memory.pos, "position differs from the in-memory reading");
        Check(file.pos() >= 0 && file.pos() <= qint64(size), "position outside the file");
        Check(result != TipReadResult::RewindFailed, "rewinding a regular file failed");
        if (result == TipReadResult::NoTip) {
            Check(tip.isEmpty(), "no tip but text");
            break;
        }
        Check(tip.size() <= kMaxTipLength, "tip longer than a part");
        Check(tip.indexOf('\n') < 0 || tip.indexOf('\n') == tip.size() - 1, "line end inside a tip");
        if (!tip.isEmpty())
            Check(tip[0] != ' ' && tip[0] != '\t' && tip[0] != '\n' && tip[0] != ';', "skipped line read as tip");
    }
    return 0;
}
