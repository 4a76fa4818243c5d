// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "pictures/PictureProbe.h"

#include "pictures/ImageHelpers.h"
#include "pictures/JpegScaledDecode.h"
#include "pictures/PictureFiles.h"

#include <QByteArray>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

// Bounds-checked big- and little-endian reads over the file's bytes.
class Bytes {
public:
    Bytes(const uchar* data, qint64 size) : m_data(data), m_size(size) {}

    qint64 Size() const { return m_size; }
    const uchar* Data() const { return m_data; }
    bool Has(qint64 pos, qint64 len) const { return pos >= 0 && len >= 0 && pos <= m_size && len <= m_size - pos; }
    uchar U8(qint64 pos) const { return m_data[pos]; }
    quint32 U16BE(qint64 pos) const { return (quint32{m_data[pos]} << 8) | m_data[pos + 1]; }
    quint32 U16LE(qint64 pos) const { return quint32{m_data[pos]} | (quint32{m_data[pos + 1]} << 8); }
    quint32 U32BE(qint64 pos) const { return (U16BE(pos) << 16) | U16BE(pos + 2); }
    quint32 U32LE(qint64 pos) const { return U16LE(pos) | (U16LE(pos + 2) << 16); }

private:
    const uchar* m_data;
    qint64 m_size;
};

bool TooManyPixels(qint64 width, qint64 height)
{
    return width <= 0 || height <= 0 || width > kMaxPictureFilePixels || width * height > kMaxPictureFilePixels;
}

PictureFacts FactsOf(int type, const char* qtFormat)
{
    PictureFacts facts;
    facts.type = type;
    facts.qtFormat = qtFormat;
    return facts;
}

bool IsProgressive(uchar marker)
{
    // SOF2, SOF6, SOF10, SOF14: progressive, Huffman or arithmetic coded.
    return marker == 0xC2 || marker == 0xC6 || marker == 0xCA || marker == 0xCE;
}

// The memory libjpeg's whole-picture coefficient buffer takes: 64 two-byte
// coefficients per 8x8 block of every component, at full resolution whatever
// the output scale, each component padded to whole MCUs. -1 for sampling
// factors libjpeg refuses.
qint64 JpegCoefficientBytes(const Bytes& b, qint64 componentSpecs, int components, qint64 width, qint64 height)
{
    int hMax = 1;
    int vMax = 1;
    for (int i = 0; i < components; ++i) {
        const int hv = b.U8(componentSpecs + 3 * i + 1);
        const int h = hv >> 4;
        const int v = hv & 15;
        if (h < 1 || h > 4 || v < 1 || v > 4)
            return -1;
        hMax = std::max(hMax, h);
        vMax = std::max(vMax, v);
    }
    const qint64 mcusAcross = (width + 8 * hMax - 1) / (8 * hMax);
    const qint64 mcusDown = (height + 8 * vMax - 1) / (8 * vMax);
    qint64 blocks = 0;
    for (int i = 0; i < components; ++i) {
        const int hv = b.U8(componentSpecs + 3 * i + 1);
        blocks += mcusAcross * (hv >> 4) * mcusDown * (hv & 15);
    }
    return blocks * 64 * 2;
}

bool IsStartOfFrame(uchar marker)
{
    // SOF0..SOF15 except DHT (C4), JPG (C8) and DAC (CC).
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Walks the JPEG's markers to its end-of-image marker: segments are skipped by
// their length (an EXIF thumbnail's own markers are never seen), and scan
// data is searched for the next real marker (0xFF followed by neither a
// stuffed 0x00 nor a restart marker).
std::optional<PictureFacts> ProbeJpeg(const Bytes& b)
{
    PictureFacts facts = FactsOf(CXIMAGE_FORMAT_JPG, "jpeg");

    bool haveFrame = false;
    bool haveScan = false;
    int frameComponents = 0;
    qint64 pos = 2;
    while (pos < b.Size()) {
        const void* hit = std::memchr(b.Data() + pos, 0xFF, static_cast<size_t>(b.Size() - pos));
        if (!hit)
            return std::nullopt;
        const qint64 ff = static_cast<const uchar*>(hit) - b.Data();
        if (!b.Has(ff + 1, 1))
            return std::nullopt;
        const uchar marker = b.U8(ff + 1);
        pos = ff + 1;
        if (marker == 0xFF)
            continue; // fill byte; the marker follows
        pos = ff + 2;
        if (marker == 0x00 || (marker >= 0xD0 && marker <= 0xD7) || marker == 0x01)
            continue; // stuffed byte, restart marker, TEM: still inside the data
        if (marker == 0xD9)
            return haveFrame && haveScan ? std::optional(facts) : std::nullopt;
        if (marker == 0xD8)
            return std::nullopt; // a second start-of-image: not one picture

        if (!b.Has(pos, 2))
            return std::nullopt;
        const qint64 length = b.U16BE(pos);
        if (length < 2 || !b.Has(pos, length))
            return std::nullopt;
        if (IsStartOfFrame(marker) && !haveFrame) {
            if (length < 8)
                return std::nullopt;
            const int precision = b.U8(pos + 2);
            facts.height = b.U16BE(pos + 3);
            facts.width = b.U16BE(pos + 5);
            const int components = b.U8(pos + 7);
            // A height of 0 defers it to a DNL marker, which Qt cannot read.
            if (facts.width == 0 || facts.height == 0 || components == 0 || precision == 0)
                return std::nullopt;
            if (TooManyPixels(facts.width, facts.height) || length < 8 + 3 * qint64{components})
                return std::nullopt;
            facts.bpp = precision * components;
            facts.grey = components == 1;
            facts.jpegCoefficientBytes = JpegCoefficientBytes(b, pos + 8, components, facts.width, facts.height);
            if (facts.jpegCoefficientBytes < 0)
                return std::nullopt;
            facts.jpegMultiScan = IsProgressive(marker);
            frameComponents = components;
            haveFrame = true;
        } else if (marker == 0xDA) {
            if (!haveFrame || length < 3)
                return std::nullopt;
            // A first scan without every component means several scans over
            // the whole picture, which libjpeg buffers like a progressive one.
            if (!haveScan && b.U8(pos + 2) < frameComponents)
                facts.jpegMultiScan = true;
            haveScan = true;
        }
        pos += length;
    }
    return std::nullopt;
}

// Walks the PNG's chunks by their lengths to IEND.
std::optional<PictureFacts> ProbePng(const Bytes& b)
{
    PictureFacts facts = FactsOf(CXIMAGE_FORMAT_PNG, "png");

    qint64 pos = 8;
    bool first = true;
    qint64 compressed = 0;
    while (b.Has(pos, 8)) {
        const qint64 length = b.U32BE(pos);
        const QByteArray kind(reinterpret_cast<const char*>(b.Data() + pos + 4), 4);
        if (length > 0x7FFFFFFF || !b.Has(pos + 8, length + 4))
            return std::nullopt;
        if (first) {
            if (kind != "IHDR" || length != 13)
                return std::nullopt;
            facts.width = b.U32BE(pos + 8);
            facts.height = b.U32BE(pos + 12);
            const int depth = b.U8(pos + 16);
            const int colourType = b.U8(pos + 17);
            if (TooManyPixels(facts.width, facts.height))
                return std::nullopt;
            int samples = 0;
            bool depthOk = false;
            switch (colourType) {
            case 0: // grey
                samples = 1;
                depthOk = depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
                break;
            case 2: // RGB
                samples = 3;
                depthOk = depth == 8 || depth == 16;
                break;
            case 3: // palette
                samples = 1;
                depthOk = depth == 1 || depth == 2 || depth == 4 || depth == 8;
                break;
            case 4: // grey and alpha
                samples = 2;
                depthOk = depth == 8 || depth == 16;
                break;
            case 6: // RGBA
                samples = 4;
                depthOk = depth == 8 || depth == 16;
                break;
            default:
                break;
            }
            if (!depthOk)
                return std::nullopt;
            facts.bpp = depth * samples;
            // Qt keeps 16-bit samples (64-bit pixels), grey and palette
            // pictures as one byte a pixel, and the rest as 32-bit pixels.
            facts.qtBytesPerPixel = depth == 16 ? 8 : (colourType == 0 || colourType == 3) ? 1 : 4;
            first = false;
        } else if (kind == "tRNS") {
            // Transparency turns grey and palette pictures into 32-bit ones.
            facts.qtBytesPerPixel = std::max(facts.qtBytesPerPixel, 4);
        } else if (kind == "IDAT") {
            compressed += length;
        } else if (kind == "IEND") {
            // Deflate packs at most 1032 bytes into one, so a header whose
            // rows could not come out of the image data is forged or damaged;
            // refusing it here saves allocating the full picture for nothing.
            // (Interlaced rows only add filter bytes, so the bound holds.)
            const qint64 rowBytes = 1 + (facts.width * facts.bpp + 7) / 8;
            if ((compressed + 64) * 1032 < rowBytes * facts.height)
                return std::nullopt;
            return facts;
        }
        pos += 12 + length;
    }
    return std::nullopt;
}

// Skips a run of GIF data sub-blocks up to and past its zero terminator.
bool SkipGifSubBlocks(const Bytes& b, qint64& pos)
{
    for (;;) {
        if (!b.Has(pos, 1))
            return false;
        const int size = b.U8(pos++);
        if (size == 0)
            return true;
        if (!b.Has(pos, size))
            return false;
        pos += size;
    }
}

// Walks the GIF's blocks. A file that ends right after a complete image
// without the trailer byte is accepted: some writers leave it out.
std::optional<PictureFacts> ProbeGif(const Bytes& b)
{
    PictureFacts facts = FactsOf(CXIMAGE_FORMAT_GIF, "gif");
    if (!b.Has(0, 13))
        return std::nullopt;
    facts.width = b.U16LE(6);
    facts.height = b.U16LE(8);
    if (TooManyPixels(facts.width, facts.height))
        return std::nullopt;
    const int packed = b.U8(10);
    const bool globalTable = packed & 0x80;
    facts.bpp = globalTable ? (packed & 7) + 1 : 8;

    qint64 pos = 13;
    if (globalTable)
        pos += qint64{3} << ((packed & 7) + 1);
    bool sawImage = false;
    for (;;) {
        if (!b.Has(pos, 1))
            return sawImage ? std::optional(facts) : std::nullopt;
        const int block = b.U8(pos++);
        if (block == 0x3B) {
            return sawImage ? std::optional(facts) : std::nullopt;
        } else if (block == 0x21) {
            ++pos; // extension label
            if (!SkipGifSubBlocks(b, pos))
                return std::nullopt;
        } else if (block == 0x2C) {
            if (!b.Has(pos, 9))
                return std::nullopt;
            if (!sawImage) {
                facts.frameWidth = b.U16LE(pos + 4);
                facts.frameHeight = b.U16LE(pos + 6);
            }
            const int imagePacked = b.U8(pos + 8);
            pos += 9;
            if (imagePacked & 0x80) {
                if (!globalTable && !sawImage)
                    facts.bpp = (imagePacked & 7) + 1;
                pos += qint64{3} << ((imagePacked & 7) + 1);
            }
            ++pos; // LZW minimum code size
            const qint64 dataStart = pos;
            if (!SkipGifSubBlocks(b, pos))
                return std::nullopt;
            // One LZW code (at least 1.5 bytes once the table is full) gives
            // at most 4096 pixels; a first frame claiming more than its data
            // could hold is forged or damaged, and decoding it would only
            // fill a large frame with nothing.
            if (!sawImage && facts.frameWidth * facts.frameHeight > (pos - dataStart + 2) * 2731)
                return std::nullopt;
            sawImage = true;
        } else {
            // Anything else is garbage; what came before it still counts.
            return sawImage ? std::optional(facts) : std::nullopt;
        }
    }
}

// Reads the BMP's file and info headers and checks that uncompressed pixel
// rows are all present.
std::optional<PictureFacts> ProbeBmp(const Bytes& b)
{
    PictureFacts facts = FactsOf(CXIMAGE_FORMAT_BMP, "bmp");
    if (!b.Has(0, 26))
        return std::nullopt;
    const qint64 dataOffset = b.U32LE(10);
    const qint64 headerSize = b.U32LE(14);
    qint64 width = 0;
    qint64 height = 0;
    quint32 bitCount = 0;
    quint32 compression = 0;
    if (headerSize == 12) {
        // OS/2 core header: 16-bit sizes.
        width = b.U16LE(18);
        height = b.U16LE(20);
        bitCount = b.U16LE(24);
    } else if (headerSize >= 40 && headerSize <= 256 && b.Has(0, 14 + 40)) {
        width = static_cast<qint32>(b.U32LE(18));
        height = static_cast<qint32>(b.U32LE(22)); // negative: rows stored top-down
        bitCount = b.U16LE(28);
        compression = b.U32LE(30);
    } else {
        return std::nullopt;
    }
    height = height < 0 ? -height : height;
    if (TooManyPixels(width, height))
        return std::nullopt;
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
        return std::nullopt;

    // Uncompressed rows (BI_RGB, BI_BITFIELDS, BI_ALPHABITFIELDS) have a known
    // length, padded to four bytes; run-length data is checked by the decoder.
    if (compression == 0 || compression == 3 || compression == 6) {
        const qint64 rowBytes = (width * bitCount + 31) / 32 * 4;
        const qint64 firstRow = std::max(dataOffset, 14 + headerSize);
        if (!b.Has(firstRow, rowBytes * height))
            return std::nullopt;
    }
    facts.width = width;
    facts.height = height;
    facts.bpp = static_cast<int>(bitCount);
    return facts;
}

} // namespace

int SniffPictureType(const uchar* data, qint64 size)
{
    const Bytes b(data, size);
    static constexpr uchar kPng[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (b.Has(0, 3) && b.U8(0) == 0xFF && b.U8(1) == 0xD8 && b.U8(2) == 0xFF)
        return CXIMAGE_FORMAT_JPG;
    if (b.Has(0, 8) && std::memcmp(b.Data(), kPng, 8) == 0)
        return CXIMAGE_FORMAT_PNG;
    if (b.Has(0, 6) && (std::memcmp(b.Data(), "GIF87a", 6) == 0 || std::memcmp(b.Data(), "GIF89a", 6) == 0))
        return CXIMAGE_FORMAT_GIF;
    if (b.Has(0, 2) && b.U8(0) == 'B' && b.U8(1) == 'M')
        return CXIMAGE_FORMAT_BMP;
    return CXIMAGE_FORMAT_UNKNOWN;
}

std::optional<PictureFacts> ProbePicture(const uchar* data, qint64 size)
{
    const Bytes b(data, size);
    switch (SniffPictureType(data, size)) {
    case CXIMAGE_FORMAT_JPG:
        return ProbeJpeg(b);
    case CXIMAGE_FORMAT_PNG:
        return ProbePng(b);
    case CXIMAGE_FORMAT_GIF:
        return ProbeGif(b);
    case CXIMAGE_FORMAT_BMP:
        return ProbeBmp(b);
    default:
        return std::nullopt;
    }
}

namespace {

qint64 Pixels(QSize size)
{
    return qint64{size.width()} * size.height();
}

// The size Qt's JPEG reader has libjpeg decode to for a scaled size: M/8 of
// the picture with M = ceil(8 / f), f the smaller of the two reductions.
QSize JpegQtOutputSize(const PictureFacts& facts, QSize target)
{
    const QSize full(static_cast<int>(facts.width), static_cast<int>(facts.height));
    if (target == full || target.isEmpty())
        return full;
    const double f = std::min(double(facts.width) / target.width(), double(facts.height) / target.height());
    const int m = static_cast<int>(std::clamp(std::ceil(8 / f), 1.0, 8.0));
    return JpegReducedSize(full, m);
}

} // namespace

QSize JpegExactDecodeSize(const PictureFacts& facts, QSize target)
{
    // No exact size is larger than the full picture; none pays when it means
    // decoding more pixels than Qt's nearest eighth would and more than 1.6
    // times the target each way: reductions beyond that are left to the
    // decoder's own scaling, which is far quicker than averaging.
    const QSize nearest = JpegQtOutputSize(facts, target);
    const auto affordable = [&](QSize size) {
        return size.width() <= std::max(nearest.width(), target.width() * 8 / 5) &&
               size.height() <= std::max(nearest.height(), target.height() * 8 / 5);
    };
    // libjpeg reduces by M/8 for any M, but only the eighth, quarter and
    // half have vectorised transforms: 3/8 of a 24-megapixel photo takes
    // longer to decode than its half, whose extra pixels the filter after it
    // turns into sharpness. So the smallest of those that still covers the
    // target. Only reductions with whole pixels both ways count: Qt scales
    // any other output itself, softly.
    const QSize full(static_cast<int>(facts.width), static_cast<int>(facts.height));
    for (const int m : {1, 2, 4}) {
        if (facts.width * m % 8 || facts.height * m % 8)
            continue;
        const QSize reduced = JpegReducedSize(full, m);
        if (reduced.width() >= target.width() && reduced.height() >= target.height())
            return affordable(reduced) ? reduced : QSize();
    }
    return affordable(full) ? full : QSize();
}

qint64 DecodeCost(const PictureFacts& facts, QSize target, bool turned, JpegPlan plan)
{
    const QSize full(static_cast<int>(facts.width), static_cast<int>(facts.height));
    const qint64 out = Pixels(target) * 4;
    if (facts.type == CXIMAGE_FORMAT_JPG) {
        const qint64 coefficients = facts.jpegMultiScan ? facts.jpegCoefficientBytes : 0;
        const int bytesPerPixel = facts.grey ? 1 : 4;
        if (plan == JpegPlan::ExactThenShrink) {
            // libjpeg's output, its upright copy, and ShrinkImage's result.
            const QSize decoded = JpegExactDecodeSize(facts, target);
            if (decoded.isEmpty())
                return std::numeric_limits<qint64>::max();
            const qint64 bytes = coefficients + Pixels(decoded) * bytesPerPixel;
            return bytes + (turned ? Pixels(decoded) * bytesPerPixel : 0) + (decoded != target ? out : 0);
        }
        const QSize decoded = JpegQtOutputSize(facts, target);
        qint64 bytes = coefficients + Pixels(decoded) * bytesPerPixel;
        // Qt scales libjpeg's output to the exact size, converting grey to
        // 32 bits for it first.
        if (decoded != target)
            bytes += (facts.grey ? Pixels(decoded) * 4 : 0) + out;
        return bytes + (turned ? out : 0);
    }
    qint64 whole = Pixels(full) * facts.qtBytesPerPixel;
    if (facts.type == CXIMAGE_FORMAT_GIF)
        whole = (Pixels(full) + facts.frameWidth * facts.frameHeight) * 4;
    // The whole image stays while ShrinkImage makes the reduced one, a few
    // rows at a time.
    return whole + (target == full ? 0 : out);
}
