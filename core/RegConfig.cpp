#include "core/RegConfig.h"

#include "platform/AtomicFile.h"
#include "platform/SafeFile.h"
#include "platform/Warning.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>

namespace {
constexpr int kFormatVersion = 1;
// Far larger than any settings file we write; a bigger one is not ours.
constexpr qint64 kMaxFileSize = 1 << 20;

const QString kVersionKey = QStringLiteral("version");
const QString kFolderKey = QStringLiteral("folder");
const QString kListFolderKey = QStringLiteral("listFolder");
const QString kDesignFolderKey = QStringLiteral("designFolder");

QString Shown(const QString& path)
{
    return Printable(QDir::toNativeSeparators(path));
}
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
    m_strListFolder.clear();
    m_strDesignFolder.clear();
    m_root = QJsonObject();
    m_refused = false;

    const QString path = FilePath();
    QByteArray bytes;
    const FileRefusal refusal = ReadRegularFile(path, kMaxFileSize, &bytes);
    if (refusal == FileRefusal::Missing) {
        // A dangling link is moved aside too: the save would follow it.
        m_refused = QFileInfo(path).isSymLink();
        return false;
    }
    if (refusal != FileRefusal::None) {
        m_refused = true;
        Warning(QStringLiteral("settings file %1 %2; using defaults").arg(Shown(path), RefusalText(refusal)));
        return false;
    }
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject()) {
        m_refused = true;
        Warning(
            QStringLiteral("settings file %1 is damaged (%2); using defaults").arg(Shown(path), error.errorString()));
        return false;
    }
    m_root = doc.object();
    const auto readString = [this](const QString& key, QString& into) {
        const QJsonValue value = m_root.value(key);
        if (value.isString())
            into = value.toString();
    };
    readString(kFolderKey, m_strFolder);
    readString(kListFolderKey, m_strListFolder);
    readString(kDesignFolderKey, m_strDesignFolder);
    return true;
}

bool RegConfig::SaveData()
{
    calltrace::Record("RegConfig::SaveData");
    const QString path = FilePath();

    // Keys this version does not know (a newer version wrote them) are
    // written back as they were read.
    QJsonObject root = m_root;
    root.insert(kVersionKey, kFormatVersion);
    root.insert(kFolderKey, m_strFolder);
    root.insert(kListFolderKey, m_strListFolder);
    root.insert(kDesignFolderKey, m_strDesignFolder);
    const QByteArray bytes = QJsonDocument(root).toJson(QJsonDocument::Indented);

    QDir().mkpath(QFileInfo(path).absolutePath());
    if (m_refused) {
        // The file read at start-up was refused, yet it may be the user's own
        // (edited by hand, written by a newer version): it is kept beside the
        // new one rather than overwritten.
        QString error;
        const QString kept = KeepRefusedFile(path, &error);
        if (kept.isEmpty() && !error.isEmpty()) {
            Warning(QStringLiteral("settings not saved: the refused file %1 %2").arg(Shown(path), error));
            return false;
        }
        if (!kept.isEmpty())
            Warning(QStringLiteral("the refused settings file was kept as %1").arg(Shown(kept)));
        m_refused = false;
    }
    QString error;
    if (!WriteFileAtomically(path, bytes, &error)) {
        Warning(QStringLiteral("could not save settings to %1: %2").arg(Shown(path), error));
        return false;
    }
    return true;
}
