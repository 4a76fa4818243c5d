// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// libFuzzer entry for the picture loader. Each input is written to a file and
// loaded as a picture with a decode limit, the way the scene loads photos.
// Besides the sanitizers' findings, a loaded picture that breaks the loader's
// promises (pixels beyond the limit, a size it cannot have) stops the run.

#include "pictures/Picture.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace {

constexpr QSize kLimit(512, 512);

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // Corrupt input makes libjpeg and libpng warn on every run; the warnings
    // would drown libFuzzer's own output.
    qputenv("QT_LOGGING_RULES", "qt.gui.imageio*=false");
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir dir;
    static const QString path = dir.filePath("input");
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }

    CxImage picture;
    picture.SetMaxDecodeSize(kLimit);
    if (picture.Load(path, CXIMAGE_FORMAT_UNKNOWN)) {
        const QSize decoded = picture.GetDecodedSize();
        const qint64 filePixels = qint64{picture.GetWidth()} * picture.GetHeight();
        if (decoded.isEmpty() || decoded.width() > kLimit.width() || decoded.height() > kLimit.height() ||
            filePixels <= 0 || filePixels > CxImage::kMaxFilePixels || picture.GetBpp() == 0)
            __builtin_trap();
    }
    return 0;
}
