// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <memory>

// Encodes a JPEG from rows handed over a band at a time, so the caller never
// needs the whole picture in memory: it can compose a band, hand it over and
// reuse the band for the next one.
//
// The encoder writes a baseline JFIF at the given quality. A picture of up
// to kOptimisedTablesMaxPixels gets Huffman tables fitted to it (about a
// tenth smaller), which libjpeg makes by keeping the picture's coefficients,
// about three bytes a pixel, until Finish: a larger one gets the standard
// tables and is encoded as it comes, holding only a band, in under half the
// time. Any failure, out of memory included, makes every later call return
// false; ErrorString says why.
class JpegStreamWriter {
public:
    static constexpr qint64 kOptimisedTablesMaxPixels = 2'000'000;

    JpegStreamWriter();
    ~JpegStreamWriter();
    JpegStreamWriter(const JpegStreamWriter&) = delete;
    JpegStreamWriter& operator=(const JpegStreamWriter&) = delete;

    // Begins a picture of size (both sides 1..65500) at quality 1..100.
    bool Start(QSize size, int quality);

    // Appends the first rows of band, which must be as wide as the picture
    // and in QImage::Format_RGB32. The rows go below those written before.
    bool WriteRows(const QImage& band, int rows);

    // Ends the picture once all its rows are written.
    bool Finish();

    // The encoded file, after a successful Finish.
    QByteArray TakeBytes();

    QString ErrorString() const;

private:
    struct State;
    std::unique_ptr<State> m_state;
};
