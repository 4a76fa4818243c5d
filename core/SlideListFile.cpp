// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/SlideListFile.h"

#include "platform/AtomicFile.h"
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

bool IsContinuation(const QByteArray& b, qsizetype i, unsigned char lo = 0x80, unsigned char hi = 0xBF)
{
    if (i >= b.size())
        return false;
    const auto c = static_cast<unsigned char>(b[i]);
    return c >= lo && c <= hi;
}

// The length of the valid UTF-8 sequence starting at i, 0 when there is none.
int Utf8SequenceLength(const QByteArray& b, qsizetype i)
{
    const auto c = static_cast<unsigned char>(b[i]);
    if (c < 0x80)
        return 1;
    if (c >= 0xC2 && c <= 0xDF)
        return IsContinuation(b, i + 1) ? 2 : 0;
    if (c >= 0xE0 && c <= 0xEF) {
        // No overlong forms (E0 needs A0..BF) and no surrogates (ED needs 80..9F).
        const unsigned char lo = c == 0xE0 ? 0xA0 : 0x80;
        const unsigned char hi = c == 0xED ? 0x9F : 0xBF;
        return IsContinuation(b, i + 1, lo, hi) && IsContinuation(b, i + 2) ? 3 : 0;
    }
    if (c >= 0xF0 && c <= 0xF4) {
        const unsigned char lo = c == 0xF0 ? 0x90 : 0x80;
        const unsigned char hi = c == 0xF4 ? 0x8F : 0xBF;
        return IsContinuation(b, i + 1, lo, hi) && IsContinuation(b, i + 2) && IsContinuation(b, i + 3) ? 4 : 0;
    }
    return 0;
}

void AppendUtf8(QByteArray& out, char32_t cp)
{
    if (cp < 0x80) {
        out.append(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.append(static_cast<char>(0xC0 | (cp >> 6)));
        out.append(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.append(static_cast<char>(0xE0 | (cp >> 12)));
        out.append(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.append(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.append(static_cast<char>(0xF0 | (cp >> 18)));
        out.append(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.append(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.append(static_cast<char>(0x80 | (cp & 0x3F)));
    }
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
    QString text;
    text.reserve(bytes.size());
    qsizetype run = 0; // start of the valid UTF-8 not yet converted
    for (qsizetype i = 0; i < bytes.size();) {
        const int length = Utf8SequenceLength(bytes, i);
        if (length > 0) {
            i += length;
            continue;
        }
        text.append(QString::fromUtf8(bytes.constData() + run, i - run));
        text.append(QChar(static_cast<char16_t>(0xDC00 + static_cast<unsigned char>(bytes[i]))));
        run = ++i;
    }
    text.append(QString::fromUtf8(bytes.constData() + run, bytes.size() - run));
    return text;
}

QByteArray EntryBytes(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            AppendUtf8(bytes, QChar::surrogateToUcs4(c, text[i + 1]));
            ++i;
        } else if (c.unicode() >= 0xDC80 && c.unicode() <= 0xDCFF) {
            bytes.append(static_cast<char>(c.unicode() - 0xDC00));
        } else if (c.isSurrogate()) {
            AppendUtf8(bytes, 0xFFFD); // a lone surrogate no byte stands for
        } else {
            AppendUtf8(bytes, c.unicode());
        }
    }
    return bytes;
}

bool HasForeignBytes(const QString& text)
{
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c.unicode() >= 0xDC80 && c.unicode() <= 0xDCFF; });
}
