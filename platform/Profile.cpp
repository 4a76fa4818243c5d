#include "platform/Profile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <utility>

namespace {

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

bool Write(const QString& section, const QString& key, const QVariant& value)
{
    const QString path = ProfilePath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSettings settings(path, QSettings::IniFormat);
    settings.setValue(Key(section, key), value);
    settings.sync();
    return settings.status() == QSettings::NoError;
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
    QSettings settings(ProfilePath(), QSettings::IniFormat);
    const QVariant v = settings.value(Key(section, key));
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
    QSettings settings(ProfilePath(), QSettings::IniFormat);
    return settings.value(Key(section, key), defaultValue).toString();
}

bool WriteProfileInt(const QString& section, const QString& key, int value)
{
    return Write(section, key, QString::number(value));
}

bool WriteProfileString(const QString& section, const QString& key, const QString& value)
{
    return Write(section, key, value);
}
