// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "pictures/JpegScaledDecode.h"

#include "pictures/AreaScaler.h"
#include "pictures/JpegEighthDecode.h"

#include <QSemaphore>
#include <QSysInfo>
#include <QThreadPool>

#include <algorithm>
#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE declared first
#include <jpeglib.h>
#include <new>
#include <vector>

namespace {

// Rows libjpeg is asked for at a time, and the ring's room beyond the
// filter's window.
constexpr int kChunkRows = 16;
constexpr int kRingSlack = 2 * kChunkRows;

// A decode to at least this many pixels from a half, a quarter or the whole
// picture is shared between two threads, each decoding (and filtering) a
// band of rows of its own. The lower band's decoder first reads through the file's data above
// its band (libjpeg passes over those rows without making their pixels), so
// the top band is the larger. Small targets, and eighths, where reading the
// data is nearly all of the decoding, are not worth reading it twice for;
// nor is a multi-pass JPEG, whose every pass libjpeg reads before the first
// row, and whose coefficients each decoder would hold.
constexpr qint64 kPixelsToShare = 512 * 1024;
constexpr int kTopBandPercent = 65;

// An eighth is made from the blocks' DC values (JpegEighthDecode), several
// times faster than libjpeg reads the whole data, up to this many reduced
// pixels (a picture of 256 megapixels); it holds the reduction whole, at
// most this many bytes a reduced pixel (the result, the components' values
// and their padding to whole MCUs).
constexpr qint64 kEighthMaxPixels = qint64{4} << 20;
constexpr qint64 kEighthBytesPerPixel = 8;

bool TakesEighthPath(QSize reduced, int eighths, bool multiScan)
{
    return eighths == 1 && !multiScan && qint64{reduced.width()} * reduced.height() <= kEighthMaxPixels;
}

// libjpeg reports errors by calling error_exit, which must not return: it
// jumps back to the setjmp of the call in progress. The functions holding
// that setjmp own nothing with a destructor, so the jump skips none.
struct Decoder {
    jpeg_decompress_struct cinfo{};
    jpeg_error_mgr errors{};
    std::jmp_buf jump{};
    bool created = false;

    Decoder() = default;
    Decoder(const Decoder&) = delete;
    Decoder& operator=(const Decoder&) = delete;
    ~Decoder()
    {
        if (created)
            jpeg_destroy_decompress(&cinfo);
    }

    static void ErrorExit(j_common_ptr cinfo) { std::longjmp(static_cast<Decoder*>(cinfo->client_data)->jump, 1); }
    // Warnings (a corrupt stretch of data, which libjpeg decodes past as
    // Qt's reader does) are not shown.
    static void OutputMessage(j_common_ptr) {}
};

// Reads the headers and starts decoding at eighths/8 into 32-bit pixels laid
// out as QImage's RGB32; false for a file libjpeg refuses and for the colour
// spaces left to Qt.
bool Start(Decoder& d, const QByteArray& bytes, int eighths)
{
    d.cinfo.err = jpeg_std_error(&d.errors);
    d.errors.error_exit = &Decoder::ErrorExit;
    d.errors.output_message = &Decoder::OutputMessage;
    d.cinfo.client_data = &d;
    if (setjmp(d.jump))
        return false;
    jpeg_create_decompress(&d.cinfo);
    d.created = true;
    jpeg_mem_src(&d.cinfo, reinterpret_cast<const unsigned char*>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&d.cinfo, TRUE);
    if (d.cinfo.num_components != 3 || (d.cinfo.jpeg_color_space != JCS_YCbCr && d.cinfo.jpeg_color_space != JCS_RGB))
        return false;
#if defined(JCS_EXTENSIONS)
    d.cinfo.out_color_space = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? JCS_EXT_BGRX : JCS_EXT_XRGB;
#else
    return false;
#endif
    d.cinfo.scale_num = static_cast<unsigned int>(eighths);
    d.cinfo.scale_denom = 8;
    jpeg_start_decompress(&d.cinfo);
    return d.cinfo.output_components == 4;
}

// Decodes the next `count` rows into rows[0 .. count); false when libjpeg
// fails or has no more.
bool ReadRows(Decoder& d, JSAMPROW* rows, int count)
{
    if (setjmp(d.jump))
        return false;
    int done = 0;
    while (done < count) {
        const JDIMENSION got = jpeg_read_scanlines(&d.cinfo, rows + done, static_cast<JDIMENSION>(count - done));
        if (got == 0)
            return false;
        done += static_cast<int>(got);
    }
    return true;
}

// Passes over the next `count` rows: their data is read, their pixels not
// decoded.
bool SkipRows(Decoder& d, int count)
{
    if (setjmp(d.jump))
        return false;
    return jpeg_skip_scanlines(&d.cinfo, static_cast<JDIMENSION>(count)) == static_cast<JDIMENSION>(count);
}

// The reduced rows between decoder and filter: row r lives in slot r modulo
// the ring's height until the filter has moved past it, and is decoded when
// the filter first asks for it, so it is read while still in the cache.
class RowRing final : public AreaScaler::RowFeed {
public:
    RowRing(Decoder& decoder, int width, int height, int ringRows, int firstRow)
        : m_decoder(decoder), m_height(height), m_slots(ringRows), m_stride(static_cast<size_t>(width) * 4),
          m_pixels(m_stride * static_cast<size_t>(ringRows)), m_decoded(firstRow), m_released(firstRow)
    {
    }

    bool Rows(int first, int count, const uchar** rows) override
    {
        if (first < m_released || count > m_slots)
            return false;
        m_released = first;
        while (m_decoded < first + count) {
            if (!DecodeChunk())
                return false;
        }
        for (int i = 0; i < count; ++i)
            rows[i] = Slot(first + i);
        return true;
    }

private:
    uchar* Slot(int row) { return m_pixels.data() + static_cast<size_t>(row % m_slots) * m_stride; }

    // Up to a chunk of rows, as many as fit without overwriting one the
    // filter still reads.
    bool DecodeChunk()
    {
        const int count = std::min({kChunkRows, m_height - m_decoded, m_slots - (m_decoded - m_released)});
        if (count <= 0)
            return false;
        JSAMPROW rows[kChunkRows];
        for (int i = 0; i < count; ++i)
            rows[i] = Slot(m_decoded + i);
        if (!ReadRows(m_decoder, rows, count))
            return false;
        m_decoded += count;
        return true;
    }

    Decoder& m_decoder;
    const int m_height;
    const int m_slots;
    const size_t m_stride;
    std::vector<uchar> m_pixels;
    int m_decoded;
    int m_released;
};

int RingRows(QSize reduced, QSize target)
{
    return std::min(reduced.height(), AreaScaler::RowsHeld(reduced.height(), target.height()) + kRingSlack);
}

// Target rows from .. to - 1 into pixels (row `from` first), with a decoder
// of their own that starts at the first reduced row they read: straight
// into pixels when the reduction is the target, through the filter
// otherwise.
bool DecodeBand(const QByteArray& bytes, int eighths, QSize target, int from, int to, uchar* pixels, qsizetype stride)
{
    try {
        Decoder decoder;
        if (!Start(decoder, bytes, eighths))
            return false;
        const QSize reduced(static_cast<int>(decoder.cinfo.output_width),
                            static_cast<int>(decoder.cinfo.output_height));
        const bool straight = reduced == target;
        const int first = straight ? from : AreaScaler::FirstRowRead(reduced.height(), target.height(), from);
        if (first > 0 && !SkipRows(decoder, first))
            return false;
        if (!straight) {
            RowRing ring(decoder, reduced.width(), reduced.height(), RingRows(reduced, target), first);
            return AreaScaler::Stream(ring, reduced, target, from, to, pixels, stride);
        }
        for (int y = from; y < to; y += kChunkRows) {
            const int count = std::min(kChunkRows, to - y);
            JSAMPROW rows[kChunkRows];
            for (int i = 0; i < count; ++i)
                rows[i] = pixels + (y - from + i) * stride;
            if (!ReadRows(decoder, rows, count))
                return false;
        }
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

} // namespace

QSize JpegReducedSize(QSize stored, int eighths)
{
    const auto reduce = [eighths](int length) { return static_cast<int>((qint64{length} * eighths + 7) / 8); };
    return QSize(reduce(stored.width()), reduce(stored.height()));
}

int JpegCoveringEighths(QSize stored, QSize target)
{
    // libjpeg reduces by any M/8, but its eighth, quarter and half are both
    // the quickest (vectorised) and the sharpest: 3/8 of a 24-megapixel
    // photo decodes no faster than its half and, shrunk to a screen, comes
    // out over a decibel further from an ideal resize.
    for (const int m : {1, 2, 4}) {
        const QSize reduced = JpegReducedSize(stored, m);
        if (reduced.width() >= target.width() && reduced.height() >= target.height())
            return m;
    }
    return 8;
}

qint64 JpegScaledDecodeCost(QSize stored, qint64 coefficientBytes, QSize target)
{
    const int eighths = JpegCoveringEighths(stored, target);
    const QSize reduced = JpegReducedSize(stored, eighths);
    const qint64 out = qint64{target.width()} * target.height() * 4;
    // A multi-pass JPEG is one band: its decoder holds the coefficients.
    // Otherwise each of two bands has a ring, unless the reduction is the
    // target.
    if (coefficientBytes > 0)
        return coefficientBytes + qint64{reduced.width()} * 4 * RingRows(reduced, target) + out;
    const qint64 ring = reduced == target ? 0 : qint64{reduced.width()} * 4 * RingRows(reduced, target);
    const qint64 eighth = TakesEighthPath(reduced, eighths, false)
                              ? qint64{reduced.width()} * reduced.height() * kEighthBytesPerPixel
                              : 0;
    return std::max(2 * ring, eighth) + out;
}

QImage DecodeJpegScaled(const QByteArray& bytes, QSize stored, QSize target, bool multiScan)
{
    if (stored.isEmpty() || target.isEmpty())
        return {};
    const int eighths = JpegCoveringEighths(stored, target);
    const QSize reduced = JpegReducedSize(stored, eighths);
    if (TakesEighthPath(reduced, eighths, multiScan)) {
        // A file it does not take is decoded by libjpeg below.
        const QImage eighth = DecodeJpegEighth(bytes);
        if (!eighth.isNull() && eighth.size() == reduced) {
            return reduced == target ? eighth : ShrinkImage(eighth, target);
        }
    }
    QImage out(target, QImage::Format_RGB32);
    if (out.isNull())
        return {};
    uchar* pixels = out.bits();
    const qsizetype stride = out.bytesPerLine();
    const int height = target.height();
    const bool share = !multiScan && eighths > 1 && qint64{target.width()} * height >= kPixelsToShare;
    const int split = share ? height * kTopBandPercent / 100 : height;
    // The bottom band on a pool thread; with none free, the top band is the
    // whole picture.
    bool bottomDone = true;
    QSemaphore finished;
    const bool shared = split < height && QThreadPool::globalInstance()->tryStart([&] {
        bottomDone = DecodeBand(bytes, eighths, target, split, height, pixels + split * stride, stride);
        finished.release();
    });
    const bool topDone = DecodeBand(bytes, eighths, target, 0, shared ? split : height, pixels, stride);
    if (shared)
        finished.acquire();
    return topDone && bottomDone ? out : QImage();
}
