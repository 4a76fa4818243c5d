// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// libFuzzer entry for the JPEG eighth decoder, given the bytes as they are.
// Besides the sanitizers' findings, a picture of a size other than the
// eighth of the size its frame header gives stops the run.

#include "pictures/JpegEighthDecode.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QImage eighth = DecodeJpegEighth(bytes);
    if (eighth.isNull())
        return 0;
    // The frame header's size, found by walking the segments before it.
    const auto b = [&](qsizetype at) { return static_cast<uint8_t>(bytes[at]); };
    qsizetype pos = 2;
    while (pos + 4 <= bytes.size()) {
        if (b(pos) != 0xFF)
            __builtin_trap();
        if (b(pos + 1) == 0xFF) {
            ++pos;
            continue;
        }
        const int marker = b(pos + 1);
        const int length = b(pos + 2) << 8 | b(pos + 3);
        if ((marker == 0xC0 || marker == 0xC1) && pos + 9 <= bytes.size()) {
            const int height = b(pos + 5) << 8 | b(pos + 6);
            const int width = b(pos + 7) << 8 | b(pos + 8);
            if (eighth.width() != (width + 7) / 8 || eighth.height() != (height + 7) / 8)
                __builtin_trap();
            return 0;
        }
        pos += 2 + length;
    }
    __builtin_trap();
}
