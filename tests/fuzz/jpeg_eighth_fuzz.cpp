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
    // The frame header's size: the first SOF0 or SOF1 marker's.
    for (qsizetype i = 0; i + 8 < bytes.size(); ++i) {
        const auto b = [&](qsizetype at) { return static_cast<uint8_t>(bytes[at]); };
        if (b(i) == 0xFF && (b(i + 1) == 0xC0 || b(i + 1) == 0xC1)) {
            const int height = b(i + 5) << 8 | b(i + 6);
            const int width = b(i + 7) << 8 | b(i + 8);
            if (eighth.width() != (width + 7) / 8 || eighth.height() != (height + 7) / 8)
                __builtin_trap();
            return 0;
        }
    }
    __builtin_trap();
}
