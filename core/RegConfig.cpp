#include "core/RegConfig.h"

#include "platform/AtomicFile.h"
#include "platform/Warning.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>

namespace {
constexpr int kFormatVersion = 1;
// Far larger than any settings file we write; a bigger one is not ours.
constexpr qint64 kMaxFileSize = 1 << 20;
} // namespace

QString RegConfig::DefaultFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/quilvane/settings.json");
}

QString RegConfig::FilePath() const
{
    return m_path.isEmpty() ? DefaultFilePath() : m_path;
}

bool RegConfig::ReadData()
{
    calltrace::Record("RegConfig::ReadData");
    m_strFolder.clear();

    QFile file(FilePath());
    if (!file.open(QIODevice::ReadOnly))
        return false;
    if (file.size() > kMaxFileSize) {
        Warning(QStringLiteral("settings file %1 is too large; using defaults")
                    .arg(Printable(QDir::toNativeSeparators(file.fileName()))));
        return false;
    }
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject()) {
        Warning(QStringLiteral("settings file %1 is damaged (%2); using defaults")
                    .arg(Printable(QDir::toNativeSeparators(file.fileName())), error.errorString()));
        return false;
    }
    const QJsonObject root = doc.object();
    const QJsonValue folder = root.value(QStringLiteral("folder"));
    if (folder.isString())
        m_strFolder = folder.toString();
    return true;
}

bool RegConfig::SaveData()
{
    calltrace::Record("RegConfig::SaveData");
    const QString path = FilePath();

    QJsonObject root;
    root.insert(QStringLiteral("version"), kFormatVersion);
    root.insert(QStringLiteral("folder"), m_strFolder);
    const QByteArray bytes = QJsonDocument(root).toJson(QJsonDocument::Indented);

    QDir().mkpath(QFileInfo(path).absolutePath());
    QString error;
    if (!WriteFileAtomically(path, bytes, &error)) {
        Warning(
            QStringLiteral("could not save settings to %1: %2").arg(Printable(QDir::toNativeSeparators(path)), error));
        return false;
    }
    return true;
}
