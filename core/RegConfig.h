#pragma once

#include "core/Singleton.h"

#include <QJsonObject>
#include <QString>

// The persistent settings of the core services, read once at start-up and
// saved once at shutdown. They live in a small JSON file in the user's config
// folder, replaced whole on every save so a failed write leaves the previous
// file as it was. Keys this version does not know are kept. A file that was
// refused at start-up (not a regular file, too large, damaged) is moved
// aside to "settings.json.refused" before the first save, never overwritten.
class RegConfig : public CoreSingleton<RegConfig> {
public:
    static constexpr const char* kServiceName = "RegConfig";

    // The folder last selected in the design page's folder tree.
    QString m_strFolder;
    // The folder of the last slide list saved or opened; empty before the
    // first. The list dialogs start there.
    QString m_strListFolder;
    // The folder of the last design saved with "Save As JPG"; empty before
    // the first. Its dialog starts there.
    QString m_strDesignFolder;

    // Loads the settings; a missing, unreadable or damaged file leaves the
    // defaults. Returns whether a file was read.
    bool ReadData();
    // Stores the settings; false (and a warning) when the file could not be
    // written, in which case the previous file is untouched.
    bool SaveData();

    // Where the settings live; tests point this elsewhere.
    QString FilePath() const;
    void SetFilePath(const QString& path) { m_path = path; }

    static QString DefaultFilePath();

private:
    friend class CoreSingleton<RegConfig>;
    RegConfig() = default;
    ~RegConfig() = default;

    QString m_path;
    // Everything the file held, unknown keys included.
    QJsonObject m_root;
    // The file at FilePath() was there but refused by ReadData.
    bool m_refused = false;
};
