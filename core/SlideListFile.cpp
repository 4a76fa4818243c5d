// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/SlideListFile.h"

#include "platform/AtomicFile.h"
#include "platform/ByteText.h"
#include "platform/SafeFile.h"

#include <QBuffer>
#include <QFile>

#include <algorithm>
#include <climits>

namespace {

// Hands out the device's bytes one by one from blocks, with one byte of
// look-ahead for CR LF.
class ByteSource {
public:
    explicit ByteSource(QIODevice& device) : m_device(device) {}

    int Next()
    {
        if (m_pos == m_block.size() && !Refill())
            return -1;
        return static_cast<unsigned char>(m_block[m_pos++]);
    }

    int Peek()
    {
        if (m_pos == m_block.size() && !Refill())
            return -1;
        return static_cast<unsigned char>(m_block[m_pos]);
    }

private:
    bool Refill()
    {
        if (m_atEnd)
            return false;
        m_block = m_device.read(64 * 1024);
        m_pos = 0;
        if (m_block.isEmpty())
            m_atEnd = true;
        return !m_atEnd;
    }

    QIODevice& m_device;
    QByteArray m_block;
    qsizetype m_pos = 0;
    bool m_atEnd = false;
};

// One read of at most kListChunkLength characters, ending after the first
// line end (CR LF arrives as LF); false at the end of the file.
bool ReadChunk(ByteSource& in, QByteArray& chunk)
{
    chunk.clear();
    while (chunk.size() < kListChunkLength) {
        int c = in.Next();
        if (c < 0)
            break;
        if (c == '\r' && in.Peek() == '\n') {
            in.Next();
            c = '\n';
        }
        chunk.append(static_cast<char>(c));
        if (c == '\n')
            break;
    }
    return !chunk.isEmpty();
}

// The entry a chunk holds: its text before the line end, as a C string.
QByteArray ChunkEntry(const QByteArray& chunk)
{
    qsizetype end = chunk.indexOf('\n');
    if (end < 0)
        end = chunk.size();
    const qsizetype nul = chunk.indexOf('\0');
    if (nul >= 0 && nul < end)
        end = nul;
    return chunk.left(end);
}

bool IsCSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

} // namespace

int LeadingInteger(QByteArrayView text)
{
    qsizetype i = 0;
    while (i < text.size() && IsCSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1; // saturated; further digits change nothing
    }
    if (negative)
        return static_cast<int>(-value); // INT_MIN at the most
    return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

SlideList ReadSlideList(QIODevice& device)
{
    SlideList list;
    ByteSource in(device);
    QByteArray chunk;
    const int n = ReadChunk(in, chunk) ? LeadingInteger(chunk) : 0;
    for (int i = 0; i < n; ++i) {
        if (!ReadChunk(in, chunk))
            break;
        if (list.entries.size() == kMaxListEntries) {
            list.capped = true;
            break;
        }
        list.entries.append(ChunkEntry(chunk));
    }
    return list;
}

SlideList ParseSlideList(const QByteArray& bytes)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return ReadSlideList(buffer);
}

QByteArray WritableEntry(const QByteArray& entry)
{
    qsizetype end = entry.size();
    for (const char stop : {'\n', '\0'}) {
        const qsizetype at = entry.indexOf(stop);
        if (at >= 0 && at < end)
            end = at;
    }
    return entry.left(std::min<qsizetype>(end, kMaxListLineLength));
}

QByteArray FormatSlideList(const QByteArrayList& entries)
{
    QByteArray out = QByteArray::number(entries.size()) + "\r\n";
    for (const QByteArray& entry : entries) {
        out += WritableEntry(entry);
        out += "\r\n";
    }
    return out;
}

std::optional<SlideList> ReadSlideListFile(const QString& path)
{
    // Opened without blocking and only when it is a regular file: a FIFO
    // would wait for a writer. Read as a stream, so the entry cap bounds it.
    const std::unique_ptr<QFile> file = OpenRegularFile(path);
    if (!file)
        return std::nullopt;
    return ReadSlideList(*file);
}

bool WriteSlideListFile(const QString& path, const QByteArrayList& entries, QString* error)
{
    return WriteFileAtomically(path, FormatSlideList(entries), error);
}

QString EntryText(const QByteArray& bytes)
{
    return TextFromBytes(bytes);
}

QByteArray EntryBytes(const QString& text)
{
    return BytesFromText(text);
}

bool HasForeignBytes(const QString& text)
{
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c.unicode() >= 0xDC80 && c.unicode() <= 0xDCFF; });
}
