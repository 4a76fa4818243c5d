// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/PhotoTemplateProcessor.h"

#include "pictures/AreaScaler.h"
#include "pictures/ImageHelpers.h"
#include "pictures/Picture.h"
#include "platform/AtomicFile.h"
#include "platform/DataFiles.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <QScreen>
#include <QStandardPaths>

#include <cmath>

namespace {

// Enough to prove a file decodes and learn its size: a JPEG decodes at an
// eighth of its size for this, so checking every template at start-up costs
// a few milliseconds.
constexpr QSize kProbeSize(64, 64);

// Gradients want a high quality: blocks would show across a whole screen.
constexpr int kCacheJpegQuality = 95;

QString Hex(const QByteArray& bytes, int length)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex().left(length));
}

} // namespace

PhotoTemplateProcessor::PhotoTemplateProcessor() : m_folders(DefaultTemplateFolders()) {}

QStringList PhotoTemplateProcessor::DefaultTemplateFolders()
{
    return DataFileCandidates(QStringLiteral("templates"));
}

void PhotoTemplateProcessor::LoadAllTemplate()
{
    calltrace::Record("PhotoTemplateProcessor::LoadAllTemplate");
    m_templates.clear();

    for (const QString& folder : m_folders) {
        const QFileInfoList files =
            QDir(folder).entryInfoList(QDir::Files | QDir::Readable, QDir::Name | QDir::IgnoreCase);
        for (const QFileInfo& file : files) {
            const int type = FindType(FindExtension(file.fileName()).toLower());
            if (type == CXIMAGE_FORMAT_UNKNOWN)
                continue;
            CxImage probe;
            probe.SetMaxDecodeSize(kProbeSize);
            if (probe.Load(file.absoluteFilePath(), type))
                m_templates.push_back({file.absoluteFilePath(), QSize(probe.GetWidth(), probe.GetHeight())});
        }
        if (!m_templates.empty())
            return;
    }
    m_templates.push_back({QString(), kBuiltInSize});
}

void PhotoTemplateProcessor::SetScreenSize(QSize size)
{
    const bool usable = !size.isEmpty() && qint64{size.width()} * size.height() <= kMaxScreenPixels;
    m_screenSize = usable ? size : QSize();
}

QSize PhotoTemplateProcessor::PrimaryScreenSize()
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return {};
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {};
    return DeviceScreenSize(screen->geometry().size(), screen->devicePixelRatio());
}

QSize PhotoTemplateProcessor::DeviceScreenSize(QSize logical, qreal ratio)
{
    const auto device = [ratio](int length) {
        const int nearest = static_cast<int>(std::lround(length * ratio));
        if (nearest % 2 == 0)
            return nearest;
        for (const int candidate : {nearest - 1, nearest + 1}) {
            if (std::lround(candidate / ratio) == length)
                return candidate;
        }
        return nearest;
    };
    if (logical.isEmpty() || ratio <= 0)
        return {};
    return QSize(device(logical.width()), device(logical.height()));
}

QString PhotoTemplateProcessor::GetCacheFolder() const
{
    if (!m_cacheFolder.isEmpty())
        return m_cacheFolder;
    return QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + QStringLiteral("/templates");
}

QString PhotoTemplateProcessor::GetTemplatePath(int index) const
{
    if (index < 0 || index >= GetTemplateCount())
        return {};
    return m_templates[static_cast<size_t>(index)].path;
}

QSize PhotoTemplateProcessor::GetTemplateSize(int index) const
{
    if (index < 0 || index >= GetTemplateCount())
        return {};
    return m_screenSize.isEmpty() ? m_templates[static_cast<size_t>(index)].size : m_screenSize;
}

bool PhotoTemplateProcessor::GetTemplatePicture(int index, CxImage& picture) const
{
    picture.Destroy();
    if (index < 0 || index >= GetTemplateCount())
        return false;
    const Template& t = m_templates[static_cast<size_t>(index)];
    if (t.path.isEmpty()) {
        picture.SetImage(MakeBuiltInTemplate(m_screenSize.isEmpty() ? kBuiltInSize : m_screenSize));
        return picture.IsValid();
    }
    picture.SetMaxDecodeSize(QSize());
    if (!m_screenSize.isEmpty())
        return ScreenSizedPicture(t, picture);
    return picture.Load(t.path, FindType(FindExtension(t.path).toLower()));
}

QString PhotoTemplateProcessor::CachedPath(const Template& t, bool alpha) const
{
    // Named after the template's path, then after its state (a file
    // replaced or edited gets a new name), then the size.
    const QFileInfo source(t.path);
    const QString state = QStringLiteral("%1/%2").arg(source.lastModified().toMSecsSinceEpoch()).arg(source.size());
    return QStringLiteral("%1/%2-%3-%4x%5.%6")
        .arg(GetCacheFolder(), Hex(source.absoluteFilePath().toUtf8(), 16), Hex(state.toUtf8(), 8))
        .arg(m_screenSize.width())
        .arg(m_screenSize.height())
        .arg(alpha ? QStringLiteral("png") : QStringLiteral("jpg"));
}

bool PhotoTemplateProcessor::ScreenSizedPicture(const Template& t, CxImage& picture) const
{
    for (const bool alpha : {false, true}) {
        const QString cached = CachedPath(t, alpha);
        if (QFileInfo::exists(cached) && picture.Load(cached, FindType(FindExtension(cached))) &&
            picture.GetDecodedSize() == m_screenSize)
            return true;
    }
    if (!picture.Load(t.path, FindType(FindExtension(t.path).toLower())))
        return false;
    QImage made = CoverSize(picture.GetImage(), m_screenSize);
    if (made.isNull())
        return false;

    // Kept for the next session; a cache that cannot be written costs only
    // the time to make the picture again.
    const bool alpha = made.hasAlphaChannel();
    const QString path = CachedPath(t, alpha);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, alpha ? "png" : "jpeg");
    if (!alpha)
        writer.setQuality(kCacheJpegQuality);
    if (QDir().mkpath(QFileInfo(path).absolutePath()) && writer.write(made) && WriteFileAtomically(path, bytes)) {
        // The same template made before it last changed is of no more use.
        const QString name = QFileInfo(path).fileName();
        const QString ofTemplate = name.section(u'-', 0, 0) + u'-';
        const QString ofState = name.section(u'-', 0, 1) + u'-';
        for (const QFileInfo& old : QDir(QFileInfo(path).absolutePath()).entryInfoList(QDir::Files)) {
            if (old.fileName().startsWith(ofTemplate) && !old.fileName().startsWith(ofState))
                QFile::remove(old.filePath());
        }
        // This session gets the pixels the cache gives later ones (a JPEG's
        // are not quite those it was made from), so a design started now
        // looks the same when it is opened again in another session.
        if (picture.Load(path, FindType(FindExtension(path))) && picture.GetDecodedSize() == m_screenSize)
            return true;
    }
    picture.SetImage(std::move(made));
    return picture.IsValid();
}

QImage PhotoTemplateProcessor::CoverSize(const QImage& image, QSize size)
{
    if (image.isNull() || size.isEmpty())
        return {};
    if (image.size() == size)
        return image;
    const double scale = std::max(double(size.width()) / image.width(), double(size.height()) / image.height());
    const QSize part(std::clamp(static_cast<int>(std::lround(size.width() / scale)), 1, image.width()),
                     std::clamp(static_cast<int>(std::lround(size.height() / scale)), 1, image.height()));
    const QRect middle(QPoint((image.width() - part.width()) / 2, (image.height() - part.height()) / 2), part);
    return ShrinkImage(part == image.size() ? image : image.copy(middle), size);
}

QImage PhotoTemplateProcessor::MakeBuiltInTemplate(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    QPainter p(&image);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0.0, QColor(28, 52, 96));
    sky.setColorAt(1.0, QColor(92, 148, 178));
    p.fillRect(image.rect(), sky);
    QRadialGradient light(QPointF(size.width() * 0.3, size.height() * 0.25), size.height() * 0.9);
    light.setColorAt(0.0, QColor(255, 255, 255, 60));
    light.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.fillRect(image.rect(), light);
    return image;
}
