// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Lists the tips of a tips file as a C++ source for lupdate, each tip marked
// for translation in the "Tips" context: lupdate reads C++, not tips files.
// The tips are read with the reader the Tip of the Day uses, so exactly the
// tips it shows are offered for translation, with the text it looks them up
// by (TranslateTip).
//
//   quilvane_list_tips Tips.tip TipTexts.cpp

#include "designer/TipsReader.h"
#include "platform/AtomicFile.h"
#include "platform/SafeFile.h"

#include <QFile>
#include <cstdio>

namespace {

QByteArray CString(const QByteArray& text)
{
    QByteArray out = "\"";
    for (const char c : text) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '"':
            out += "\\\"";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += c;
        }
    }
    return out + '"';
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s TIPS_FILE OUTPUT.cpp\n", argv[0]);
        return 2;
    }
    const std::unique_ptr<QFile> tips = OpenRegularFile(QFile::decodeName(argv[1]));
    if (!tips) {
        std::fprintf(stderr, "%s: cannot read %s\n", argv[0], argv[1]);
        return 1;
    }
    QByteArray source = "// Made by quilvane_list_tips from the tips file, for lupdate only.\n"
                        "static const char* const kTips[] = {\n";
    // The reader starts again at the top after the last tip: one pass ends
    // where the position stops growing.
    qint64 last = -1;
    QByteArray tip;
    while (ReadNextTip(*tips, tip) == TipReadResult::Tip && tips->pos() > last) {
        last = tips->pos();
        // Without its line end, as TranslateTip looks a tip up.
        while (tip.endsWith('\n') || tip.endsWith('\r'))
            tip.chop(1);
        source += "    QT_TRANSLATE_NOOP(\"Tips\", " + CString(tip) + "),\n";
    }
    source += "};\n";
    QString error;
    if (!WriteFileAtomically(QFile::decodeName(argv[2]), source, &error)) {
        std::fprintf(stderr, "%s: %s\n", argv[0], qPrintable(error));
        return 1;
    }
    return 0;
}
