// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "pictures/JpegStreamWriter.h"

#include <QSysInfo>

#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE declared first
#include <jpeglib.h>
// After jpeglib.h, which it needs.
#include <jerror.h>
#include <new>
#include <vector>

namespace {

// The output grows by this much whenever libjpeg has filled what it had.
constexpr int kOutputChunk = 64 * 1024;

// 96 dots per inch, as Qt's own writer records for a picture without a
// resolution of its own.
constexpr int kDensity = 96;

} // namespace

// libjpeg reports errors by calling error_exit, which must not return: it
// jumps back to the setjmp of the call in progress. Nothing between that
// setjmp and libjpeg owns a destructor, so the jump skips none.
struct JpegStreamWriter::State {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr errors{};
    jpeg_destination_mgr destination{};
    std::jmp_buf jump{};
    QByteArray bytes;
    QString error;
    std::vector<JSAMPLE> rgbRow; // for byte orders libjpeg cannot read as is
    QSize size;
    int rowsWritten = 0;
    bool created = false;
    bool started = false;
    bool failed = false;
    bool finished = false;

    static State* From(j_common_ptr cinfo) { return static_cast<State*>(cinfo->client_data); }

    static void ErrorExit(j_common_ptr cinfo)
    {
        State* self = From(cinfo);
        char message[JMSG_LENGTH_MAX] = {};
        (*cinfo->err->format_message)(cinfo, message);
        self->error = QString::fromLocal8Bit(message);
        std::longjmp(self->jump, 1);
    }

    // Warnings (a corrupt input, which an encoder never sees) are not shown.
    static void OutputMessage(j_common_ptr) {}

    static void InitDestination(j_compress_ptr cinfo)
    {
        State* self = From(reinterpret_cast<j_common_ptr>(cinfo));
        self->Grow(reinterpret_cast<j_common_ptr>(cinfo), 0);
    }

    static boolean EmptyOutputBuffer(j_compress_ptr cinfo)
    {
        State* self = From(reinterpret_cast<j_common_ptr>(cinfo));
        self->Grow(reinterpret_cast<j_common_ptr>(cinfo), self->bytes.size());
        return TRUE;
    }

    static void TermDestination(j_compress_ptr cinfo)
    {
        State* self = From(reinterpret_cast<j_common_ptr>(cinfo));
        self->bytes.truncate(self->bytes.size() - static_cast<qsizetype>(cinfo->dest->free_in_buffer));
    }

    // Makes room for another chunk after the used bytes; out of memory is a
    // libjpeg error, so the encoder stops at once.
    void Grow(j_common_ptr common, qsizetype used)
    {
        bool grown = true;
        try {
            bytes.resize(used + kOutputChunk);
        } catch (const std::bad_alloc&) {
            grown = false;
        }
        if (!grown) {
            common->err->msg_code = JERR_OUT_OF_MEMORY;
            (*common->err->error_exit)(common);
        }
        destination.next_output_byte = reinterpret_cast<JOCTET*>(bytes.data() + used);
        destination.free_in_buffer = kOutputChunk;
    }

    void Fail()
    {
        failed = true;
        if (created)
            jpeg_abort_compress(&cinfo);
        bytes = QByteArray();
    }
};

JpegStreamWriter::JpegStreamWriter() : m_state(std::make_unique<State>()) {}

JpegStreamWriter::~JpegStreamWriter()
{
    if (m_state->created)
        jpeg_destroy_compress(&m_state->cinfo);
}

bool JpegStreamWriter::Start(QSize size, int quality)
{
    State& s = *m_state;
    if (s.started || s.failed)
        return false;
    if (size.width() < 1 || size.height() < 1 || size.width() > JPEG_MAX_DIMENSION ||
        size.height() > JPEG_MAX_DIMENSION) {
        s.error = QStringLiteral("A JPEG cannot be %1 by %2 pixels.").arg(size.width()).arg(size.height());
        s.failed = true;
        return false;
    }
    s.size = size;
    s.cinfo.err = jpeg_std_error(&s.errors);
    s.errors.error_exit = &State::ErrorExit;
    s.errors.output_message = &State::OutputMessage;
    s.cinfo.client_data = &s;
    if (setjmp(s.jump)) {
        s.Fail();
        return false;
    }
    jpeg_create_compress(&s.cinfo);
    s.created = true;
    s.destination.init_destination = &State::InitDestination;
    s.destination.empty_output_buffer = &State::EmptyOutputBuffer;
    s.destination.term_destination = &State::TermDestination;
    s.cinfo.dest = &s.destination;

    s.cinfo.image_width = static_cast<JDIMENSION>(size.width());
    s.cinfo.image_height = static_cast<JDIMENSION>(size.height());
    s.cinfo.input_components = 3;
    s.cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&s.cinfo);
    // QImage::Format_RGB32 keeps each pixel as 0xffRRGGBB: blue first in
    // memory on a little-endian machine. libjpeg-turbo reads that directly.
#if defined(JCS_EXTENSIONS)
    s.cinfo.input_components = 4;
    s.cinfo.in_color_space = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? JCS_EXT_BGRX : JCS_EXT_XRGB;
#else
    s.rgbRow.resize(static_cast<size_t>(size.width()) * 3);
#endif
    jpeg_set_quality(&s.cinfo, quality, TRUE);
    s.cinfo.optimize_coding = qint64{size.width()} * size.height() <= kOptimisedTablesMaxPixels ? TRUE : FALSE;
    s.cinfo.density_unit = 1;
    s.cinfo.X_density = kDensity;
    s.cinfo.Y_density = kDensity;
    jpeg_start_compress(&s.cinfo, TRUE);
    s.started = true;
    return true;
}

bool JpegStreamWriter::WriteRows(const QImage& band, int rows)
{
    State& s = *m_state;
    if (!s.started || s.failed || s.finished)
        return false;
    if (band.format() != QImage::Format_RGB32 || band.width() != s.size.width() || rows < 0 || rows > band.height() ||
        s.rowsWritten + rows > s.size.height()) {
        s.error = QStringLiteral("Rows of the wrong size or format were given to the JPEG encoder.");
        s.Fail();
        return false;
    }
    if (setjmp(s.jump)) {
        s.Fail();
        return false;
    }
    for (int y = 0; y < rows; ++y) {
#if defined(JCS_EXTENSIONS)
        JSAMPROW row = const_cast<JSAMPROW>(band.constScanLine(y));
#else
        const auto* pixels = reinterpret_cast<const QRgb*>(band.constScanLine(y));
        for (int x = 0; x < s.size.width(); ++x) {
            s.rgbRow[3 * x] = static_cast<JSAMPLE>(qRed(pixels[x]));
            s.rgbRow[3 * x + 1] = static_cast<JSAMPLE>(qGreen(pixels[x]));
            s.rgbRow[3 * x + 2] = static_cast<JSAMPLE>(qBlue(pixels[x]));
        }
        JSAMPROW row = s.rgbRow.data();
#endif
        jpeg_write_scanlines(&s.cinfo, &row, 1);
    }
    s.rowsWritten += rows;
    return true;
}

bool JpegStreamWriter::Finish()
{
    State& s = *m_state;
    if (!s.started || s.failed || s.finished)
        return false;
    if (s.rowsWritten != s.size.height()) {
        s.error = QStringLiteral("The JPEG encoder was given %1 of %2 rows.").arg(s.rowsWritten).arg(s.size.height());
        s.Fail();
        return false;
    }
    if (setjmp(s.jump)) {
        s.Fail();
        return false;
    }
    jpeg_finish_compress(&s.cinfo);
    s.finished = true;
    return true;
}

QByteArray JpegStreamWriter::TakeBytes()
{
    return m_state->finished ? std::move(m_state->bytes) : QByteArray();
}

QString JpegStreamWriter::ErrorString() const
{
    return m_state->error;
}
