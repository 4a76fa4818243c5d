// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A JPEG at one eighth of its size, each pixel the mean of its 8x8 block of
// the full picture: what a thumbnail or a photo dropped small on a design
// needs. The brightness of a block is its DC coefficient alone, and its other
// 63 coefficients are only skipped, several codes at a time, which is most of
// the work of decoding a large photo this small. Colour sampled more
// coarsely, whose block covers several pixels of the eighth, gives each of
// them the mean of its part of the block, from the coefficients that vary
// between the parts.
//
// Only the common kind is taken: one baseline (Huffman, 8-bit) scan of three
// YCbCr components whose first is the most finely sampled. Anything else,
// and any file whose data does not decode cleanly to the end (a damaged or
// cut-off file), gives a null image, for libjpeg to decode as it always has.

#include <QByteArray>
#include <QImage>

// RGB32, (width + 7) / 8 by (height + 7) / 8 pixels (libjpeg's size for
// the same reduction), or null as above, when memory runs out, or for an
// eighth of over 16 megapixels.
QImage DecodeJpegEighth(const QByteArray& bytes);
