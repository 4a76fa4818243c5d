// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/PictureFixtures.h"

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QtEndian>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace fixtures {

namespace {

void PutLE16(QByteArray& out, quint32 v)
{
    out.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF));
}

void PutLE32(QByteArray& out, quint32 v)
{
    PutLE16(out, v & 0xFFFF);
    PutLE16(out, v >> 16);
}

void PutBE16(QByteArray& out, quint32 v)
{
    out.append(char((v >> 8) & 0xFF)).append(char(v & 0xFF));
}

void PutBE32(QByteArray& out, quint32 v)
{
    PutBE16(out, v >> 16);
    PutBE16(out, v & 0xFFFF);
}

quint32 Crc32(const QByteArray& data)
{
    quint32 crc = 0xFFFFFFFFu;
    for (const char ch : data) {
        crc ^= static_cast<uchar>(ch);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return crc ^ 0xFFFFFFFFu;
}

// Packs variable-width LZW codes least significant bit first, as GIF does.
class BitWriter {
public:
    void Put(int code, int width)
    {
        m_acc |= static_cast<quint32>(code) << m_bits;
        m_bits += width;
        while (m_bits >= 8) {
            m_out.append(char(m_acc & 0xFF));
            m_acc >>= 8;
            m_bits -= 8;
        }
    }
    QByteArray Finish()
    {
        if (m_bits > 0)
            m_out.append(char(m_acc & 0xFF));
        return m_out;
    }

private:
    QByteArray m_out;
    quint32 m_acc = 0;
    int m_bits = 0;
};

} // namespace

QByteArray Encode(const QImage& image, const char* format, int quality)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    EXPECT_TRUE(writer.write(image)) << format << ": " << writer.errorString().toStdString();
    return bytes;
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

QByteArray JpegWithOrientation(const QImage& image, int orientation)
{
    // TIFF structure, little-endian: header, then IFD0 with one entry
    // (0x0112 Orientation, SHORT, count 1) and no next IFD.
    QByteArray tiff("II*\0", 4);
    PutLE32(tiff, 8);
    PutLE16(tiff, 1);
    PutLE16(tiff, 0x0112);
    PutLE16(tiff, 3);
    PutLE32(tiff, 1);
    PutLE16(tiff, static_cast<quint32>(orientation));
    PutLE16(tiff, 0);
    PutLE32(tiff, 0);

    const QByteArray payload = QByteArray("Exif\0\0", 6) + tiff;
    QByteArray app1("\xFF\xE1", 2);
    PutBE16(app1, static_cast<quint32>(payload.size() + 2));
    app1 += payload;

    QByteArray jpeg = Encode(image, "jpeg");
    jpeg.insert(2, app1);
    return jpeg;
}

QByteArray HandMadeBmp(const QImage& image, int bitCount)
{
    const int w = image.width();
    const int h = image.height();
    const int rowBytes = (w * bitCount + 31) / 32 * 4;
    const int paletteEntries = bitCount == 4 ? 16 : 0;
    const int dataOffset = 14 + 40 + paletteEntries * 4;

    QByteArray out("BM", 2);
    PutLE32(out, static_cast<quint32>(dataOffset + rowBytes * h));
    PutLE32(out, 0);
    PutLE32(out, static_cast<quint32>(dataOffset));
    PutLE32(out, 40);
    PutLE32(out, static_cast<quint32>(w));
    PutLE32(out, static_cast<quint32>(h)); // positive: bottom row first
    PutLE16(out, 1);
    PutLE16(out, static_cast<quint32>(bitCount));
    PutLE32(out, 0); // BI_RGB
    PutLE32(out, static_cast<quint32>(rowBytes * h));
    PutLE32(out, 2835);
    PutLE32(out, 2835);
    PutLE32(out, static_cast<quint32>(paletteEntries));
    PutLE32(out, 0);
    for (int i = 0; i < paletteEntries; ++i) {
        const QRgb c = i < image.colorCount() ? image.color(i) : qRgb(0, 0, 0);
        out.append(char(qBlue(c))).append(char(qGreen(c))).append(char(qRed(c))).append('\0');
    }

    for (int y = h - 1; y >= 0; --y) {
        QByteArray row;
        for (int x = 0; x < w; ++x) {
            const QRgb c = image.pixel(x, y);
            if (bitCount == 4) {
                const int index = image.pixelIndex(x, y);
                if (x % 2 == 0)
                    row.append(char(index << 4));
                else
                    row[row.size() - 1] = char(row.at(row.size() - 1) | index);
            } else if (bitCount == 16) {
                PutLE16(row, static_cast<quint32>(((qRed(c) >> 3) << 10) | ((qGreen(c) >> 3) << 5) | (qBlue(c) >> 3)));
            } else {
                row.append(char(qBlue(c))).append(char(qGreen(c))).append(char(qRed(c))).append('\0');
            }
        }
        row.resize(rowBytes, '\0');
        out += row;
    }
    return out;
}

QByteArray HandMadeGif(const QImage& indexed, int paletteBits)
{
    const int w = indexed.width();
    const int h = indexed.height();
    QByteArray out("GIF89a", 6);
    PutLE16(out, static_cast<quint32>(w));
    PutLE16(out, static_cast<quint32>(h));
    out.append(char(0x80 | ((paletteBits - 1) << 4) | (paletteBits - 1)));
    out.append('\0').append('\0');
    for (int i = 0; i < (1 << paletteBits); ++i) {
        const QRgb c = i < indexed.colorCount() ? indexed.color(i) : qRgb(0, 0, 0);
        out.append(char(qRed(c))).append(char(qGreen(c))).append(char(qBlue(c)));
    }

    out.append(char(0x2C));
    PutLE16(out, 0);
    PutLE16(out, 0);
    PutLE16(out, static_cast<quint32>(w));
    PutLE16(out, static_cast<quint32>(h));
    out.append('\0');

    // Uncompressed LZW: literal codes only, with a clear code often enough
    // that the decoder's table never grows into a wider code.
    const int minCodeSize = std::max(2, paletteBits);
    const int clear = 1 << minCodeSize;
    const int width = minCodeSize + 1;
    out.append(char(minCodeSize));
    BitWriter bits;
    int sinceClear = 0;
    bits.Put(clear, width);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (sinceClear == clear - 2) {
                bits.Put(clear, width);
                sinceClear = 0;
            }
            bits.Put(indexed.pixelIndex(x, y), width);
            ++sinceClear;
        }
    }
    bits.Put(clear + 1, width);
    const QByteArray data = bits.Finish();
    for (qsizetype pos = 0; pos < data.size(); pos += 255) {
        const QByteArray block = data.mid(pos, 255);
        out.append(char(block.size()));
        out += block;
    }
    out.append('\0');
    out.append(char(0x3B));
    return out;
}

QByteArray PngChunk(const char* type, const QByteArray& data)
{
    QByteArray out;
    PutBE32(out, static_cast<quint32>(data.size()));
    const QByteArray body = QByteArray(type, 4) + data;
    out += body;
    PutBE32(out, Crc32(body));
    return out;
}

QByteArray Garbage(int length)
{
    QByteArray out;
    quint32 state = 12345;
    for (int i = 0; i < length; ++i) {
        state = state * 1103515245u + 12345u;
        out.append(char((state >> 16) & 0xFF));
    }
    return out;
}

qsizetype FindJpegFrameHeader(const QByteArray& jpeg)
{
    qsizetype pos = 2;
    while (pos + 4 <= jpeg.size() && static_cast<uchar>(jpeg.at(pos)) == 0xFF) {
        const uchar marker = static_cast<uchar>(jpeg.at(pos + 1));
        if (marker == 0xC0 || marker == 0xC1 || marker == 0xC2)
            return pos;
        pos += 2 + ((static_cast<uchar>(jpeg.at(pos + 2)) << 8) | static_cast<uchar>(jpeg.at(pos + 3)));
    }
    return -1;
}

QString WriteSolid(const QString& path, QSize size, QRgb colour, const char* format)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    WriteFile(path, Encode(image, format));
    return path;
}

} // namespace fixtures
