// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Feeds arbitrary bytes to the design document reader, as a file on disk (its
// own way in: the safe open and the size cap) and from memory; both must
// agree. A document read must keep within a document's limits, and written
// again it must read back exactly the same design.

#include "core/DesignDocument.h"

#include "FuzzSupport.h"

#include <QByteArray>
#include <QDir>

#include <cmath>
#include <cstdint>

namespace {

void Check(bool ok, const char* what)
{
    FuzzCheck(ok, "design_fuzz", what);
}

const FuzzScratchFile& Scratch()
{
    static const FuzzScratchFile file("design_fuzz", "qvdesign");
    return file;
}

bool SameExactly(const QRectF& a, const QRectF& b)
{
    return a.x() == b.x() && a.y() == b.y() && a.width() == b.width() && a.height() == b.height();
}

bool SameExactly(const Design& a, const Design& b)
{
    if (a.backgroundPath != b.backgroundPath || a.backgroundSize != b.backgroundSize ||
        a.photos.size() != b.photos.size())
        return false;
    for (size_t i = 0; i < a.photos.size(); ++i) {
        const DesignPhoto& p = a.photos[i];
        const DesignPhoto& q = b.photos[i];
        if (p.path != q.path || !SameExactly(p.rect, q.rect) || p.edits != q.edits || p.decodeBox != q.decodeBox)
            return false;
    }
    return true;
}

void CheckLimits(const Design& design)
{
    Check(design.photos.size() <= static_cast<size_t>(kMaxDesignPhotos), "more photos than a design has");
    const QSize bg = design.backgroundSize;
    Check(bg.width() >= 1 && bg.height() >= 1 && bg.width() <= kMaxDesignSide && bg.height() <= kMaxDesignSide,
          "background size out of range");
    for (const DesignPhoto& photo : design.photos) {
        Check(!photo.path.isEmpty() && QDir::isAbsolutePath(photo.path), "photo without an absolute path");
        const QRectF r = photo.rect;
        for (const double v : {r.left(), r.top(), r.right(), r.bottom()})
            Check(std::isfinite(v) && std::abs(v) <= kMaxDesignCoordinate, "place out of range");
        Check(r.width() > 0 && r.height() > 0, "empty place");
        Check(photo.edits.size() <= static_cast<size_t>(kMaxPhotoEdits), "too many edits");
        Check(photo.decodeBox.isEmpty() ||
                  (photo.decodeBox.width() <= kMaxDesignSide && photo.decodeBox.height() <= kMaxDesignSide),
              "decode box out of range");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (!Scratch().Write(bytes))
        return 0;
    const QString folder = QDir::tempPath();

    const DesignReading file = ReadDesignFile(Scratch().Path());
    const DesignReading memory = ParseDesign(bytes, folder, QStringLiteral("design"));
    Check(file.design.has_value() == memory.design.has_value(), "file and memory readings differ");
    Check(file.design.has_value() != !file.error.isEmpty(), "a design and a reason, or neither");
    Check(!file.error.contains(QLatin1Char('\n')), "a reason of more than one line");
    if (!memory.design)
        return 0;
    Check(SameExactly(*file.design, *memory.design), "file and memory designs differ");
    CheckLimits(*memory.design);

    const DesignReading again = ParseDesign(FormatDesign(*memory.design, folder), folder, QStringLiteral("design"));
    Check(again.design.has_value(), "a design written does not read back");
    Check(SameExactly(*again.design, *memory.design), "a design written reads back another");
    return 0;
}
