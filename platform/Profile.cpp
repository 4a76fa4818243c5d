// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/Profile.h"

#include "platform/AtomicFile.h"
#include "platform/SafeFile.h"
#include "platform/Warning.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <memory>
#include <utility>

namespace {

// A profile holds a handful of short values; a larger file is not ours.
constexpr qint64 kMaxProfileSize = 1 << 20;

QString& OverridePath()
{
    static QString path;
    return path;
}

QString ExecutableBaseName()
{
    const QString exe = QCoreApplication::applicationFilePath();
    return exe.isEmpty() ? QStringLiteral("quilvane") : QFileInfo(exe).completeBaseName();
}

QString Key(const QString& section, const QString& key)
{
    return section + u'/' + key;
}

// The profile parsed by QSettings from bytes read safely: QSettings opens
// and reads its file by name, which would block on a FIFO and read a link
// to /dev/zero for ever. So the bytes are read here (regular files only,
// capped) and QSettings works on a private copy of them.
class ProfileCopy {
public:
    explicit ProfileCopy(const QString& path)
    {
        QByteArray bytes;
        m_refusal = ReadRegularFile(path, kMaxProfileSize, &bytes);
        m_link = QFileInfo(path).isSymLink();
        if (m_refusal != FileRefusal::None && m_refusal != FileRefusal::Missing)
            WarnOnce(path);
        if (!m_dir.isValid())
            return;
        const QString copy = m_dir.filePath(QStringLiteral("profile.ini"));
        if (m_refusal == FileRefusal::None) {
            QFile file(copy);
            if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
                return;
        }
        m_settings = std::make_unique<QSettings>(copy, QSettings::IniFormat);
    }

    QSettings* Settings() { return m_settings.get(); }
    // Whether something other than a readable profile is in its place (a
    // dangling link counts: a write would follow it).
    bool Refused() const { return m_refusal != FileRefusal::None && (m_refusal != FileRefusal::Missing || m_link); }

    // The copy's bytes after QSettings wrote them out; empty on failure.
    QByteArray Contents()
    {
        m_settings->sync();
        if (m_settings->status() != QSettings::NoError)
            return {};
        QByteArray bytes;
        ReadRegularFile(m_settings->fileName(), kMaxProfileSize, &bytes);
        return bytes;
    }

private:
    // Every profile call reads the file again; one warning per file is enough.
    void WarnOnce(const QString& path) const
    {
        static QSet<QString> warned;
        if (warned.contains(path))
            return;
        warned.insert(path);
        Warning(QStringLiteral("profile %1 %2; using defaults")
                    .arg(Printable(QDir::toNativeSeparators(path)), RefusalText(m_refusal)));
    }

    FileRefusal m_refusal = FileRefusal::None;
    bool m_link = false;
    QTemporaryDir m_dir;
    std::unique_ptr<QSettings> m_settings;
};

QVariant Read(const QString& section, const QString& key)
{
    ProfileCopy profile(ProfilePath());
    return profile.Settings() ? profile.Settings()->value(Key(section, key)) : QVariant();
}

bool Write(const QString& section, const QString& key, const QVariant& value)
{
    const QString path = ProfilePath();
    ProfileCopy profile(path);
    if (!profile.Settings())
        return false;
    profile.Settings()->setValue(Key(section, key), value);
    const QByteArray bytes = profile.Contents();
    if (bytes.isEmpty())
        return false;
    QDir().mkpath(QFileInfo(path).absolutePath());
    // A refused profile may still be the user's: it is kept beside the new one.
    if (profile.Refused()) {
        QString error;
        if (KeepRefusedFile(path, &error).isEmpty() && !error.isEmpty())
            return false;
    }
    return WriteFileAtomically(path, bytes);
}

} // namespace

QString ProfilePath()
{
    if (!OverridePath().isEmpty())
        return OverridePath();
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return dir + u'/' + ExecutableBaseName() + QStringLiteral(".ini");
}

QString SetProfilePath(const QString& path)
{
    return std::exchange(OverridePath(), path);
}

int GetProfileInt(const QString& section, const QString& key, int defaultValue)
{
    const QVariant v = Read(section, key);
    if (!v.isValid())
        return defaultValue;
    // Like GetProfileInt: the leading number of the text, 0 when there is none.
    const QString text = v.toString().trimmed();
    qsizetype end = 0;
    if (end < text.size() && (text[end] == u'-' || text[end] == u'+'))
        ++end;
    while (end < text.size() && text[end].isDigit())
        ++end;
    bool ok = false;
    const int n = text.left(end).toInt(&ok);
    return ok ? n : 0;
}

QString GetProfileString(const QString& section, const QString& key, const QString& defaultValue)
{
    const QVariant v = Read(section, key);
    return v.isValid() ? v.toString() : defaultValue;
}

bool WriteProfileInt(const QString& section, const QString& key, int value)
{
    return Write(section, key, QString::number(value));
}

bool WriteProfileString(const QString& section, const QString& key, const QString& value)
{
    return Write(section, key, value);
}
