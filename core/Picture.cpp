#include "core/Picture.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImageIOHandler>
#include <QImageReader>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
#include <utility>

namespace {

// What the file's own headers say, gathered before Qt decodes anything: the
// depth Qt does not report, the size for the limit checks, and whether the
// file is complete. Qt's JPEG reader fills a truncated file with grey and
// calls it a success, and its GIF and BMP readers keep what they got, so
// completeness is checked here for every format.
struct FileFacts {
    int type = CXIMAGE_FORMAT_UNKNOWN;
    const char* qtFormat = "";
    qint64 width = 0;
    qint64 height = 0;
    int bpp = 0;
    // Bytes a pixel takes in Qt's full-size decode, for the formats Qt cannot
    // reduce while decoding.
    int decodedBytesPerPixel = 4;
};

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
    return width <= 0 || height <= 0 || width > CxImage::kMaxFilePixels || width * height > CxImage::kMaxFilePixels;
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
std::optional<FileFacts> ProbeJpeg(const Bytes& b)
{
    FileFacts facts;
    facts.type = CXIMAGE_FORMAT_JPG;
    facts.qtFormat = "jpeg";

    bool haveFrame = false;
    bool haveScan = false;
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
            if (TooManyPixels(facts.width, facts.height))
                return std::nullopt;
            facts.bpp = precision * components;
            haveFrame = true;
        } else if (marker == 0xDA) {
            if (!haveFrame)
                return std::nullopt;
            haveScan = true;
        }
        pos += length;
    }
    return std::nullopt;
}

// Walks the PNG's chunks by their lengths to IEND.
std::optional<FileFacts> ProbePng(const Bytes& b)
{
    FileFacts facts;
    facts.type = CXIMAGE_FORMAT_PNG;
    facts.qtFormat = "png";

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
            facts.decodedBytesPerPixel = depth == 16 ? 8 : 4;
            first = false;
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
std::optional<FileFacts> ProbeGif(const Bytes& b)
{
    FileFacts facts;
    facts.type = CXIMAGE_FORMAT_GIF;
    facts.qtFormat = "gif";
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
            const int imagePacked = b.U8(pos + 8);
            pos += 9;
            if (imagePacked & 0x80) {
                if (!globalTable && !sawImage)
                    facts.bpp = (imagePacked & 7) + 1;
                pos += qint64{3} << ((imagePacked & 7) + 1);
            }
            ++pos; // LZW minimum code size
            if (!SkipGifSubBlocks(b, pos))
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
std::optional<FileFacts> ProbeBmp(const Bytes& b)
{
    FileFacts facts;
    facts.type = CXIMAGE_FORMAT_BMP;
    facts.qtFormat = "bmp";
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
    facts.decodedBytesPerPixel = bitCount <= 8 ? 1 : 4;
    return facts;
}

std::optional<FileFacts> ProbeFile(const Bytes& b)
{
    static constexpr uchar kPng[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (b.Has(0, 3) && b.U8(0) == 0xFF && b.U8(1) == 0xD8 && b.U8(2) == 0xFF)
        return ProbeJpeg(b);
    if (b.Has(0, 8) && std::memcmp(b.Data(), kPng, 8) == 0)
        return ProbePng(b);
    if (b.Has(0, 6) && (std::memcmp(b.Data(), "GIF87a", 6) == 0 || std::memcmp(b.Data(), "GIF89a", 6) == 0))
        return ProbeGif(b);
    if (b.Has(0, 2) && b.U8(0) == 'B' && b.U8(1) == 'M')
        return ProbeBmp(b);
    return std::nullopt;
}

// Qt's limit is process-wide; set it once rather than racing other threads'
// loads by changing it around each one.
void EnsureAllocationLimit()
{
    static const bool once = [] {
        QImageReader::setAllocationLimit(CxImage::kAllocationLimitMB);
        return true;
    }();
    (void)once;
}

// The size to decode an upright picture of the given size at: within the
// decode limit (if any) and within kMaxDecodePixels, never enlarged.
QSize DecodeTarget(QSize upright, QSize limit)
{
    QSize target = upright;
    if (!limit.isEmpty() && (upright.width() > limit.width() || upright.height() > limit.height())) {
        float scale = 0;
        const CRect fitted = ResizeRect(CRect(0, 0, upright.width(), upright.height()),
                                        CRect(0, 0, limit.width(), limit.height()), scale);
        target = QSize(fitted.Width(), fitted.Height());
    }
    const qint64 pixels = qint64{target.width()} * target.height();
    if (pixels > CxImage::kMaxDecodePixels) {
        const double f = std::sqrt(static_cast<double>(CxImage::kMaxDecodePixels) / static_cast<double>(pixels));
        target = QSize(std::max(1, static_cast<int>(target.width() * f)),
                       std::max(1, static_cast<int>(target.height() * f)));
    }
    return target;
}

unsigned short DepthOfImage(const QImage& image)
{
    switch (image.format()) {
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
        return 1;
    case QImage::Format_Indexed8:
    case QImage::Format_Grayscale8:
    case QImage::Format_Alpha8:
        return 8;
    case QImage::Format_Grayscale16:
        return 16;
    default:
        break;
    }
    if (image.depth() == 64)
        return image.hasAlphaChannel() ? 64 : 48;
    return image.hasAlphaChannel() ? 32 : 24;
}

} // namespace

CxImage::CxImage(int imageType) : m_type(imageType) {}

bool CxImage::Load(const QString& path, int type)
{
    Destroy();
    m_type = type;

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const qint64 size = file.size();
    if (size < 8)
        return false;

    // The whole file is read once and Qt decodes the very bytes that were
    // checked. (Mapping it would save a copy, but a file truncated in place
    // by another program while we read it would kill us with SIGBUS.)
    if (size > qint64{kAllocationLimitMB} * 1024 * 1024)
        return false;
    const QByteArray bytes = file.readAll();
    if (bytes.size() != size)
        return false;
    const uchar* data = reinterpret_cast<const uchar*>(bytes.constData());

    const std::optional<FileFacts> facts = ProbeFile(Bytes(data, size));
    if (!facts)
        return false;
    if (facts->type != CXIMAGE_FORMAT_JPG &&
        facts->width * facts->height * facts->decodedBytesPerPixel > qint64{kAllocationLimitMB} * 1024 * 1024)
        return false;

    EnsureAllocationLimit();
    QBuffer buffer;
    buffer.setData(bytes);
    if (!buffer.open(QIODevice::ReadOnly))
        return false;

    // The format comes from the content, never from the name: Qt would read
    // a ".dib" as a BMP without its file header, and a misnamed file not at all.
    QImageReader reader(&buffer, facts->qtFormat);
    reader.setAutoDetectImageFormat(false);
    reader.setAutoTransform(true);

    const QSize stored(static_cast<int>(facts->width), static_cast<int>(facts->height));
    const bool quarterTurn = reader.transformation() & QImageIOHandler::TransformationRotate90;
    const QSize upright = quarterTurn ? stored.transposed() : stored;
    const QSize target = DecodeTarget(upright, m_maxDecodeSize);
    // The reader scales before it turns the picture upright.
    if (target != upright)
        reader.setScaledSize(quarterTurn ? target.transposed() : target);

    QImage image;
    if (!reader.read(&image) || image.isNull())
        return false;

    m_image = std::move(image);
    m_type = facts->type;
    m_width = upright.width();
    m_height = upright.height();
    m_bpp = static_cast<unsigned short>(facts->bpp);
    return true;
}

void CxImage::SetImage(QImage image)
{
    if (image.isNull()) {
        Destroy();
        return;
    }
    if (m_image.isNull()) {
        m_width = image.width();
        m_height = image.height();
        m_bpp = DepthOfImage(image);
    } else {
        if (image.size() != m_image.size()) {
            if (image.size() == m_image.size().transposed()) {
                std::swap(m_width, m_height);
            } else {
                m_width = image.width();
                m_height = image.height();
            }
        }
        if (image.format() != m_image.format())
            m_bpp = DepthOfImage(image);
    }
    m_image = std::move(image);
}

void CxImage::Draw2(QPainter* dc, const CRect& target) const
{
    if (!dc || m_image.isNull() || target.IsRectEmpty())
        return;
    dc->save();
    dc->setRenderHint(QPainter::SmoothPixmapTransform, true);
    dc->drawImage(target.ToQRect(), m_image);
    dc->restore();
}

QPixmap CxImage::MakeBitmap() const
{
    if (m_image.isNull())
        return {};
    return QPixmap::fromImage(m_image);
}

void CxImage::Destroy()
{
    m_image = QImage();
    m_width = 0;
    m_height = 0;
    m_bpp = 0;
}
