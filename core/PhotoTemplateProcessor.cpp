#include "core/PhotoTemplateProcessor.h"

#include "core/ImageHelpers.h"
#include "core/Picture.h"
#include "platform/DataFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

namespace {

// Enough to prove a file decodes and learn its size: a JPEG decodes at an
// eighth of its size for this, so checking every template at start-up costs
// a few milliseconds.
constexpr QSize kProbeSize(64, 64);

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
    return m_templates[static_cast<size_t>(index)].size;
}

bool PhotoTemplateProcessor::GetTemplatePicture(int index, CxImage& picture) const
{
    picture.Destroy();
    if (index < 0 || index >= GetTemplateCount())
        return false;
    const Template& t = m_templates[static_cast<size_t>(index)];
    if (t.path.isEmpty()) {
        picture.SetImage(MakeBuiltInTemplate());
        return picture.IsValid();
    }
    picture.SetMaxDecodeSize(QSize());
    return picture.Load(t.path, FindType(FindExtension(t.path).toLower()));
}

QImage PhotoTemplateProcessor::MakeBuiltInTemplate()
{
    QImage image(kBuiltInSize, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    QPainter p(&image);
    QLinearGradient sky(0, 0, 0, kBuiltInSize.height());
    sky.setColorAt(0.0, QColor(28, 52, 96));
    sky.setColorAt(1.0, QColor(92, 148, 178));
    p.fillRect(image.rect(), sky);
    QRadialGradient light(QPointF(kBuiltInSize.width() * 0.3, kBuiltInSize.height() * 0.25),
                          kBuiltInSize.height() * 0.9);
    light.setColorAt(0.0, QColor(255, 255, 255, 60));
    light.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.fillRect(image.rect(), light);
    return image;
}
