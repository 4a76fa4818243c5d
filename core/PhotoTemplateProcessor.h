#pragma once

#include "core/Singleton.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>
#include <vector>

class CxImage;

// The background templates the scene starts from and the user can fall back on.
//
// Templates are picture files in a templates folder, looked for where all our
// data is (platform/DataFiles.h): beside the executable (the Windows layout),
// then "share/quilvane/templates" beside the program's bin/ (the build tree
// and any prefix), then in the system's data folders. The first folder
// holding at least one readable picture supplies all templates, in file-name
// order. With none anywhere a built-in gradient stands in, so a bare build
// still has a background.
//
// Only the list is kept: each template is decoded when it is asked for, so the
// templates nobody uses cost no memory.
class PhotoTemplateProcessor : public CoreSingleton<PhotoTemplateProcessor> {
public:
    static constexpr const char* kServiceName = "PhotoTemplateProcessor";

    // The size of the built-in template: an ordinary full-HD screen.
    static constexpr QSize kBuiltInSize{1920, 1080};

    // Loads every background template, once, at start-up. Calling it again
    // looks again.
    void LoadAllTemplate();

    // Replaces the folders searched by LoadAllTemplate (tests and packagers).
    void SetTemplateFolders(const QStringList& folders) { m_folders = folders; }
    QStringList GetTemplateFolders() const { return m_folders; }
    static QStringList DefaultTemplateFolders();

    // At least 1 after LoadAllTemplate (the built-in one when no file was
    // found), 0 before.
    int GetTemplateCount() const { return static_cast<int>(m_templates.size()); }

    // The template's file; empty for the built-in template or a bad index.
    QString GetTemplatePath(int index) const;

    // The template's size in pixels as found by LoadAllTemplate; empty for a
    // bad index.
    QSize GetTemplateSize(int index) const;

    // Decodes template `index` into picture at its full size. False (picture
    // invalid) for a bad index or a file that no longer decodes.
    bool GetTemplatePicture(int index, CxImage& picture) const;

    // The built-in template: a soft gradient of kBuiltInSize.
    static QImage MakeBuiltInTemplate();

private:
    friend class CoreSingleton<PhotoTemplateProcessor>;
    PhotoTemplateProcessor();
    ~PhotoTemplateProcessor() = default;

    struct Template {
        QString path; // empty: the built-in template
        QSize size;
    };

    QStringList m_folders;
    std::vector<Template> m_templates;
};
