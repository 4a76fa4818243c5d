// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "pictures/JpegEighthDecode.h"
#include "pictures/AreaScaler.h"
#include "pictures/JpegScaledDecode.h"
#include "support/PictureFixtures.h"
#include "support/ScaleReference.h"

#include <gtest/gtest.h>

#include <cstdio> // jpeglib.h needs FILE declared first
#include <jpeglib.h>

namespace {

struct Encoding {
    int lumaH = 2; // luma sampling; chroma is 1x1
    int lumaV = 2;
    int restartMcus = 0;
    bool optimize = false;
    bool rgb = false; // stored as RGB (an Adobe marker says so)
    bool arithmetic = false;
    int quality = 90;
};

// The picture as libjpeg writes it with the choices a camera or an editor
// makes, which Qt's writer does not offer.
QByteArray LibjpegEncode(const QImage& picture, const Encoding& e)
{
    const QImage image = picture.convertToFormat(QImage::Format_RGB888);
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr errors{};
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &out, &size);
    cinfo.image_width = static_cast<JDIMENSION>(image.width());
    cinfo.image_height = static_cast<JDIMENSION>(image.height());
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, e.quality, TRUE);
    if (e.rgb)
        jpeg_set_colorspace(&cinfo, JCS_RGB);
    cinfo.comp_info[0].h_samp_factor = e.rgb ? 1 : e.lumaH;
    cinfo.comp_info[0].v_samp_factor = e.rgb ? 1 : e.lumaV;
    cinfo.restart_interval = static_cast<unsigned>(e.restartMcus);
    cinfo.optimize_coding = e.optimize ? TRUE : FALSE;
    cinfo.arith_code = e.arithmetic ? TRUE : FALSE;
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        auto* row = const_cast<JSAMPROW>(image.constScanLine(static_cast<int>(cinfo.next_scanline)));
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    QByteArray bytes(reinterpret_cast<const char*>(out), static_cast<qsizetype>(size));
    std::free(out);
    return bytes;
}

// libjpeg's own eighth of the file (Qt's reader asks for its nearest
// reduction and scales the rest itself).
QImage LibjpegEighth(const QByteArray& jpeg)
{
    jpeg_decompress_struct cinfo{};
    jpeg_error_mgr errors{};
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(jpeg.constData()),
                 static_cast<unsigned long>(jpeg.size()));
    jpeg_read_header(&cinfo, TRUE);
    cinfo.scale_num = 1;
    cinfo.scale_denom = 8;
    cinfo.out_color_space = JCS_EXT_BGRX;
    jpeg_start_decompress(&cinfo);
    QImage image(static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height), QImage::Format_RGB32);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = image.scanLine(static_cast<int>(cinfo.output_scanline));
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return image;
}

} // namespace

TEST(JpegEighthDecodeTest, MatchesLibjpegsEighthForEverySamplingAndLayout)
{
    struct Case {
        const char* name;
        QSize size;
        Encoding encoding;
    };
    const Case cases[] = {
        {"4:4:4, libjpeg's own pixels", {600, 400}, {1, 1}},
        {"4:2:2", {600, 400}, {2, 1}},
        {"4:4:0", {600, 400}, {1, 2}},
        {"4:2:0", {600, 400}, {2, 2}},
        {"4:1:1", {600, 400}, {4, 1}},
        {"restart every MCU row", {600, 400}, {2, 2, 38}},
        {"restart every 3 MCUs", {600, 400}, {2, 2, 3}},
        {"optimised tables", {600, 400}, {2, 2, 0, true}},
        {"size no whole MCU", {333, 219}, {2, 2, 5}},
        {"smaller than a block", {7, 5}, {2, 2}},
        {"high quality, long codes", {320, 240}, {2, 2, 0, false, false, false, 100}},
        {"low quality", {320, 240}, {2, 2, 0, false, false, false, 10}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QByteArray jpeg = LibjpegEncode(lanczos::GrainyRamps(c.size), c.encoding);
        const QImage eighth = DecodeJpegEighth(jpeg);
        ASSERT_EQ(eighth.size(), QSize((c.size.width() + 7) / 8, (c.size.height() + 7) / 8));
        ASSERT_EQ(eighth.format(), QImage::Format_RGB32);
        const QImage libjpeg = LibjpegEighth(jpeg);
        if (c.encoding.lumaH == 1 && c.encoding.lumaV == 1) {
            EXPECT_EQ(eighth, libjpeg);
        } else {
            // Coarser colour: libjpeg brings it up by reduced transforms (a
            // half both ways) or by interpolation (otherwise); its exact
            // part means here are at least as close to the whole decode's
            // block means.
            const QImage whole = QImage::fromData(jpeg).convertToFormat(QImage::Format_RGB32);
            const QImage means = ShrinkImage(whole, eighth.size());
            EXPECT_GT(lanczos::Psnr(eighth, means), lanczos::Psnr(libjpeg, means) - 0.5);
        }
    }
}

TEST(JpegEighthDecodeTest, LeavesWhatItDoesNotTakeToLibjpeg)
{
    const QImage picture = lanczos::GrainyRamps({480, 320});
    const QByteArray plain = LibjpegEncode(picture, {});
    ASSERT_FALSE(DecodeJpegEighth(plain).isNull());
    const QByteArray restarts = LibjpegEncode(picture, {2, 2, 4});
    const qsizetype marker = restarts.indexOf(QByteArray("\xFF\xD0", 2));
    ASSERT_GT(marker, 0);
    QByteArray wrongRestart = restarts;
    wrongRestart[marker + 1] = char(0xD3);
    // Three codes one bit long, where there is room for two.
    QByteArray tooManyCodes = plain;
    const qsizetype table = plain.indexOf(QByteArray("\xFF\xC4", 2));
    ASSERT_GT(table, 0);
    ASSERT_GE(tooManyCodes[table + 5 + 2], 3);
    tooManyCodes[table + 5] = char(tooManyCodes[table + 5] + 3);
    tooManyCodes[table + 5 + 2] = char(tooManyCodes[table + 5 + 2] - 3);
    QByteArray strayByte = plain;
    strayByte.insert(plain.size() - 2, 'x');

    struct Case {
        const char* name;
        QByteArray bytes;
        bool decodesOtherwise; // libjpeg still gives a picture of it
    };
    const Case cases[] = {
        {"grey", fixtures::Encode(picture.convertToFormat(QImage::Format_Grayscale8), "jpeg"), false},
        {"stored as RGB", LibjpegEncode(picture, {1, 1, 0, false, true}), true},
        {"arithmetic coding", LibjpegEncode(picture, {2, 2, 0, false, false, true}), true},
        {"cut off", plain.left(plain.size() / 2), true},
        {"restart marker out of turn", wrongRestart, true},
        {"data past the scan's end", strayByte, true},
        {"Huffman codes beyond their room", tooManyCodes, false},
        {"no picture", fixtures::Garbage(4000), false},
        {"headers only", plain.left(600), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(DecodeJpegEighth(c.bytes).isNull());
        if (c.decodesOtherwise) {
            EXPECT_EQ(DecodeJpegScaled(c.bytes, picture.size(), {30, 20}, false).size(), QSize(30, 20));
        }
    }
}
