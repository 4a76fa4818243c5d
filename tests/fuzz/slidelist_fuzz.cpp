// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Feeds arbitrary bytes to the slide-list reader as a list file on disk
// (sometimes repeated past the reader's block size, so line ends fall on
// block boundaries) and checks it against a plain in-memory reading of the
// same bytes. Then the entries read are written and read back, and each
// entry's text for the list box is turned back into its bytes: both must give
// back exactly what went in.

#include "core/SlideListFile.h"

#include "FuzzSupport.h"

#include <QByteArray>
#include <QFile>

#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void Check(bool ok, const char* what)
{
    FuzzCheck(ok, "slidelist_fuzz", what);
}

// The reading rules over bytes in memory, with C's own strtol for the count.
QByteArrayList MemoryRead(const QByteArray& bytes, int cap)
{
    qint64 pos = 0;
    const auto chunk = [&](QByteArray& c) { return MemoryLine(bytes, pos, 1023, c); };
    QByteArrayList entries;
    QByteArray c;
    long n = 0;
    if (chunk(c)) {
        const QByteArray line(c.constData()); // a C string: up to the first NUL
        n = std::strtol(line.constData(), nullptr, 10);
        n = std::max<long>(std::min<long>(n, INT_MAX), INT_MIN);
    }
    for (long i = 0; i < n && i < cap && chunk(c); ++i) {
        QByteArray entry = c;
        if (entry.endsWith('\n'))
            entry.chop(1);
        entries.append(QByteArray(entry.constData())); // cut at NUL
    }
    return entries;
}

const FuzzScratchFile& Scratch()
{
    static const FuzzScratchFile file("slidelist_fuzz", "lsl");
    return file;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (size > 0 && (data[0] & 1)) {
        const QByteArray once = bytes;
        while (bytes.size() < 70000)
            bytes += once;
    }
    if (!Scratch().Write(bytes))
        return 0;

    const std::optional<SlideList> read = ReadSlideListFile(Scratch().Path());
    Check(read.has_value(), "a regular file could not be read");
    const QByteArrayList expected = MemoryRead(bytes, kMaxListEntries);
    Check(read->entries == expected, "entries differ from the in-memory reading");
    Check(read->entries == ParseSlideList(bytes).entries, "file and memory readings differ");
    for (const QByteArray& entry : read->entries) {
        Check(entry.size() <= 1023, "entry longer than a chunk");
        Check(!entry.contains('\n') && !entry.contains('\0'), "line end or NUL inside an entry");
        Check(EntryBytes(EntryText(entry)) == entry, "entry text does not give back the entry's bytes");
    }

    QByteArrayList writable;
    for (const QByteArray& entry : read->entries)
        writable.append(WritableEntry(entry));
    const QByteArray written = FormatSlideList(read->entries);
    Check(written.startsWith(QByteArray(QByteArray::number(read->entries.size()) + "\r\n")), "count line");
    Check(ParseSlideList(written).entries == writable, "written list does not read back the same");
    return 0;
}
