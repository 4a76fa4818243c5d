// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/ByteText.h"

namespace {

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

QString TextFromBytes(const QByteArray& bytes)
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

QByteArray BytesFromText(const QString& text)
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
