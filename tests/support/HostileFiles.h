// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Hostile picture files made on the spot (tests and benchmarks): tiny files
// whose headers claim pictures that would take hundreds of megabytes to
// decode, and the special files (FIFOs, links to devices, sparse files)
// that must not hang a reader. Header-only, Qt and the C library alone.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <array>
#include <cstdint>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace hostile {

inline void PutU16BE(QByteArray& out, int v)
{
    out.append(char((v >> 8) & 0xFF)).append(char(v & 0xFF));
}

inline void PutU16LE(QByteArray& out, int v)
{
    out.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF));
}

inline void PutU32BE(QByteArray& out, quint32 v)
{
    PutU16BE(out, int(v >> 16));
    PutU16BE(out, int(v & 0xFFFF));
}

// A JPEG marker segment: marker, length, body.
inline QByteArray Segment(uchar marker, const QByteArray& body)
{
    QByteArray out;
    out.append(char(0xFF)).append(char(marker));
    PutU16BE(out, int(body.size()) + 2);
    return out + body;
}

// A Huffman table with one code of length 1 for one symbol: every block's
// DC difference (and every block's AC run, an end-of-block) is one 0 bit.
inline QByteArray OneSymbolTable(int tableClassAndId, uchar symbol)
{
    QByteArray body;
    body.append(char(tableClassAndId));
    body.append(char(1)); // one code of length 1
    body.append(QByteArray(15, '\0'));
    body.append(char(symbol));
    return Segment(0xC4, body);
}

// A JPEG whose frame claims width x height. Progressive: a start-of-frame
// for a progressive picture with 4:2:0 colour and one DC scan of a few zero
// bytes, the kind of file whose decode makes libjpeg hold every coefficient
// of the claimed picture. Baseline: a complete flat grey picture, every
// block two bits, so even 100 megapixels make a file of a few hundred KB.
inline QByteArray JpegClaiming(int width, int height, bool progressive)
{
    QByteArray out("\xFF\xD8", 2);
    QByteArray dqt(1, '\0');
    dqt.append(QByteArray(64, '\x01'));
    out += Segment(0xDB, dqt);
    const int components = progressive ? 3 : 1;
    QByteArray sof;
    sof.append(char(8));
    PutU16BE(sof, height);
    PutU16BE(sof, width);
    sof.append(char(components));
    for (int c = 0; c < components; ++c) {
        sof.append(char(c + 1));
        sof.append(char(c == 0 && progressive ? 0x22 : 0x11));
        sof.append(char(0));
    }
    out += Segment(progressive ? 0xC2 : 0xC0, sof);
    out += OneSymbolTable(0x00, 0);
    if (!progressive)
        out += OneSymbolTable(0x10, 0);
    QByteArray sos;
    sos.append(char(components));
    for (int c = 0; c < components; ++c)
        sos.append(char(c + 1)).append(char(0x00));
    sos.append(char(0)).append(char(progressive ? 0 : 63)).append(char(0));
    out += Segment(0xDA, sos);
    if (progressive) {
        out.append(QByteArray(16, '\0'));
    } else {
        // Two zero bits a block, the last byte padded with ones.
        const qint64 blocks = ((qint64{width} + 7) / 8) * ((qint64{height} + 7) / 8);
        const qint64 bits = blocks * 2;
        out.append(QByteArray(bits / 8, '\0'));
        if (bits % 8)
            out.append(char(0xFF >> (bits % 8)));
    }
    out.append("\xFF\xD9", 2);
    return out;
}

// A GIF on a logical screen of width x height whose one frame claims
// frameWidth x frameHeight but holds the data of a single pixel.
inline QByteArray GifWithScreen(int width, int height, int frameWidth = 1, int frameHeight = 1)
{
    QByteArray out("GIF89a");
    PutU16LE(out, width);
    PutU16LE(out, height);
    out.append(char(0x80)).append(char(0)).append(char(0)); // two-colour global table
    out.append(QByteArray("\x00\x00\x00\xFF\xFF\xFF", 6));
    out.append(char(0x2C));
    PutU16LE(out, 0);
    PutU16LE(out, 0);
    PutU16LE(out, frameWidth);
    PutU16LE(out, frameHeight);
    out.append(char(0));
    // LZW, 2-bit minimum: clear, pixel 0, end, in 3-bit codes.
    out.append(char(2)).append(char(2)).append(char(0x44)).append(char(0x01)).append(char(0));
    out.append(char(0x3B));
    return out;
}

inline quint32 Crc32(const QByteArray& bytes)
{
    static const std::array<quint32, 256> table = [] {
        std::array<quint32, 256> t{};
        for (quint32 n = 0; n < 256; ++n) {
            quint32 c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    quint32 c = 0xFFFFFFFFu;
    for (const char ch : bytes)
        c = table[(c ^ static_cast<uchar>(ch)) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

inline QByteArray Chunk(const char* type, const QByteArray& data)
{
    QByteArray out;
    PutU32BE(out, quint32(data.size()));
    const QByteArray body = QByteArray(type) + data;
    out += body;
    PutU32BE(out, Crc32(body));
    return out;
}

// Writes deflate bits least significant first; Huffman codes go in most
// significant bit first, as deflate wants them.
class BitWriter {
public:
    void Bits(quint32 value, int count)
    {
        for (int i = 0; i < count; ++i)
            Bit((value >> i) & 1);
    }
    void Code(quint32 code, int length)
    {
        for (int i = length - 1; i >= 0; --i)
            Bit((code >> i) & 1);
    }
    QByteArray Finish()
    {
        if (m_used)
            m_out.append(char(m_byte));
        return m_out;
    }

private:
    void Bit(quint32 b)
    {
        m_byte |= b << m_used;
        if (++m_used == 8) {
            m_out.append(char(m_byte));
            m_byte = 0;
            m_used = 0;
        }
    }
    QByteArray m_out;
    quint32 m_byte = 0;
    int m_used = 0;
};

// A zlib stream of `count` zero bytes: one literal, then copies of 258 bytes
// at distance 1 (fixed Huffman codes), then literals for the rest.
inline QByteArray ZlibZeros(qint64 count)
{
    BitWriter w;
    w.Bits(1, 1); // final block
    w.Bits(1, 2); // fixed Huffman codes
    qint64 left = count;
    if (left > 0) {
        w.Code(0x30, 8); // literal 0
        --left;
    }
    for (; left >= 258; left -= 258) {
        w.Code(0xC5, 8); // length 258
        w.Code(0, 5);    // distance 1
    }
    for (; left > 0; --left)
        w.Code(0x30, 8);
    w.Code(0, 7); // end of block
    QByteArray out("\x78\x01", 2);
    out += w.Finish();
    PutU32BE(out, quint32(((count % 65521) << 16) | 1)); // Adler-32 of zeros
    return out;
}

// An all-zero PNG: colourType 0 grey, 2 RGB, 6 RGBA; depth 8 or 16.
inline QByteArray ZeroPng(int width, int height, int depth, int colourType)
{
    const int samples = colourType == 6 ? 4 : colourType == 2 ? 3 : 1;
    const qint64 rowBytes = 1 + qint64{width} * samples * depth / 8;
    QByteArray ihdr;
    PutU32BE(ihdr, quint32(width));
    PutU32BE(ihdr, quint32(height));
    ihdr.append(char(depth)).append(char(colourType)).append(char(0)).append(char(0)).append(char(0));
    return QByteArray("\x89PNG\r\n\x1A\n", 8) + Chunk("IHDR", ihdr) + Chunk("IDAT", ZlibZeros(rowBytes * height)) +
           Chunk("IEND", {});
}

// The headers of an uncompressed 8-bit BMP of width x height with a grey
// palette; its pixel rows (width * height bytes, widths a multiple of four)
// are to follow, e.g. as the hole of a sparse file.
inline QByteArray Bmp8Headers(int width, int height)
{
    const auto u32 = [](QByteArray& out, quint32 v) {
        PutU16LE(out, int(v & 0xFFFF));
        PutU16LE(out, int(v >> 16));
    };
    const quint32 offset = 14 + 40 + 256 * 4;
    QByteArray out("BM");
    u32(out, offset + quint32(width) * quint32(height));
    u32(out, 0);
    u32(out, offset);
    u32(out, 40);
    u32(out, quint32(width));
    u32(out, quint32(height));
    PutU16LE(out, 1);
    PutU16LE(out, 8);
    u32(out, 0);
    u32(out, quint32(width) * quint32(height));
    u32(out, 2835);
    u32(out, 2835);
    u32(out, 256);
    u32(out, 0);
    for (int i = 0; i < 256; ++i)
        out.append(char(i)).append(char(i)).append(char(i)).append(char(0));
    return out;
}

inline bool WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// A file of `size` bytes that takes no disk: `head`, then a hole.
inline bool MakeSparseFile(const QString& path, qint64 size, const QByteArray& head = {})
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(head) == head.size() &&
           file.resize(size);
}

#ifndef _WIN32
inline bool MakeFifo(const QString& path)
{
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
}
#endif

} // namespace hostile
