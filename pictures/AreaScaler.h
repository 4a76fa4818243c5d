// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <cstdint>
#include <vector>

// Scales a picture smoothly to a target size, whole or one region at a
// time. Each target pixel is computed from the source pixels alone, never
// from a neighbouring region, so regions asked for one after another fit
// together exactly as one scaled picture: a saved wallpaper can be composed
// in bands without holding any photo scaled whole.
//
// Along each axis, shrinking averages the source pixels a target pixel covers
// (weighted by how much of each it covers, so nothing aliases) or filters
// them with Lanczos-3, and enlarging interpolates linearly between the two
// nearest pixel centres. Channels are weighed premultiplied, so transparent
// pixels lend no colour. A source that is not 32-bit is converted a few rows
// at a time as they are read, so the only full-size image is the source
// itself. Rows are shared out in bands over the global thread pool.

// How a shrink weighs the source pixels a target pixel reads: their plain
// area average, or Lanczos-3 (sharper: a windowed sinc with real lobes,
// reading three times as far each way).
enum class ScaleFilter { Area, Lanczos3 };

class AreaScaler {
public:
    // source holds the part of a picture of fullSize that starts at origin
    // (the whole picture: origin (0, 0) and source.size() == fullSize). Target
    // pixels that need source pixels beyond the part held use its nearest
    // edge pixels.
    AreaScaler(const QImage& source, QPoint origin, QSize fullSize, QSize target,
               ScaleFilter filter = ScaleFilter::Area);

    // The region (in target pixels, inside (0, 0, target)) of the picture
    // scaled to the target size: Format_ARGB32_Premultiplied when the source
    // has an alpha channel, Format_RGB32 otherwise. Null for an empty region
    // or when memory runs out.
    QImage Region(const QRect& region) const;

    // Where Stream reads a picture whose rows arrive top to bottom (a
    // decoder's). Rows is asked for rows first .. first + count - 1 with
    // first never decreasing, so each call frees the rows above first;
    // it fills rows[0 .. count) with pointers to 32-bit pixels (RGB32),
    // valid until the next call. False when the source failed.
    class RowFeed {
    public:
        virtual ~RowFeed() = default;
        virtual bool Rows(int first, int count, const uchar** rows) = 0;
    };

    // The most rows a feed must hold at once for Stream from a picture of
    // that height to that target height: Lanczos-3's widest window.
    static int RowsHeld(int sourceHeight, int targetHeight);

    // The first source row that target row `row` reads.
    static int FirstRowRead(int sourceHeight, int targetHeight, int row);

    // Rows from .. to - 1 of an opaque picture of sourceSize scaled to
    // target by Lanczos-3, on the calling thread, into pixels (RGB32 rows of the target's
    // width, stride bytes apart, row `from` first): the same pixels Region
    // gives for an RGB32 source, read from feed once top to bottom (from
    // FirstRowRead(from) on), so the source is never held whole. Bands of
    // one target may be streamed on several threads at once. False when the
    // feed fails or memory runs out.
    static bool Stream(RowFeed& feed, QSize sourceSize, QSize target, int from, int to, uchar* pixels,
                       qsizetype stride);

private:
    // The source pixels each target pixel of a run reads along one axis:
    // target i reads held indices first[i] .. first[i] + count[i] - 1 with
    // weights weights[offset[i]] .., summing to 1. lo and hi bound every index
    // read (hi past the last).
    struct Axis {
        std::vector<int> first;
        std::vector<int> count;
        std::vector<int> offset;
        std::vector<float> weights;
        int lo = 0;
        int hi = 0;
    };
    static Axis AxisFor(int from, int to, int fullLength, int targetLength, int origin, int held, ScaleFilter filter);
    // An axis's weights in the fixed point the sums use.
    static std::vector<int> FixedWeights(const Axis& axis, ScaleFilter filter);
    // A run of target columns as ScaleLine reads them (defined with it).
    struct Columns;
    static Columns ColumnsFor(const Axis& axis, ScaleFilter filter);
    // One target row into dest: the weighted sum of the source rows `read`
    // (each pointing at the first column the run reads) into line, then
    // each target pixel across that sum.
    static void ScaleLine(uchar* dest, const Columns& columns, const uchar* const* read, const int* rowWeights,
                          int count, int16_t* line, bool clampToAlpha);

    QImage m_source;
    QImage::Format m_format;
    QPoint m_origin;
    QSize m_full;
    QSize m_target;
    ScaleFilter m_filter;
    // The columns of the last region: bands of one photo share them.
    mutable Axis m_columns;
    mutable int m_columnsFrom = -1;
    mutable int m_columnsTo = -1;
};

// The whole of src scaled to exactly `size` (aspect as given) by an
// AreaScaler: Lanczos-3 when shrinking, linear when enlarging. The
// result is 32-bit (RGB32, or premultiplied ARGB32 with alpha) in any case,
// so a palette or 1-bit picture keeps its colours. Null when memory runs out.
QImage ShrinkImage(const QImage& src, QSize size);
