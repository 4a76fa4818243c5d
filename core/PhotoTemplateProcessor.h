// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

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
// A design started from a template should cover the screen edge to edge, so
// once the screen's size is set every template is made at exactly that size
// in device pixels: a file is scaled to cover it (its middle kept, its
// proportions too) the first time it is asked for at that size and kept in
// the cache folder, whence later sessions read it; the built-in gradient is
// drawn at that size.
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

    // The size templates are made at: the screen's in device pixels. Empty
    // (the default), or beyond kMaxScreenPixels, keeps each file's own size
    // and the built-in kBuiltInSize.
    void SetScreenSize(QSize size);
    QSize GetScreenSize() const { return m_screenSize; }
    // The primary screen's size in device pixels; empty without a screen.
    static QSize PrimaryScreenSize();
    // The device size of a screen whose logical size Qt gives as logical at
    // ratio device pixels a logical one. Qt rounds device / ratio, so at a
    // fractional ratio two device lengths can give one logical length (1366
    // and 1367 both give 911 at 1.5): then the even one, as screens have.
    static QSize DeviceScreenSize(QSize logical, qreal ratio);
    static constexpr qint64 kMaxScreenPixels = qint64{1} << 26;

    // Where templates made at the screen's size are kept; by default
    // "templates" in the program's cache folder.
    void SetCacheFolder(const QString& folder) { m_cacheFolder = folder; }
    QString GetCacheFolder() const;

    // At least 1 after LoadAllTemplate (the built-in one when no file was
    // found), 0 before.
    int GetTemplateCount() const { return static_cast<int>(m_templates.size()); }

    // The template's file; empty for the built-in template or a bad index.
    QString GetTemplatePath(int index) const;

    // The size GetTemplatePicture gives: the screen's when set, otherwise
    // the template's own as found by LoadAllTemplate; empty for a bad index.
    QSize GetTemplateSize(int index) const;

    // Decodes template `index` into picture at GetTemplateSize. False
    // (picture invalid) for a bad index or a file that no longer decodes.
    bool GetTemplatePicture(int index, CxImage& picture) const;

    // The built-in template: a soft gradient of the given size.
    static QImage MakeBuiltInTemplate(QSize size = kBuiltInSize);

    // image scaled to cover size with its own proportions, its middle kept
    // (what does not fit is cut off evenly on both sides).
    static QImage CoverSize(const QImage& image, QSize size);

private:
    friend class CoreSingleton<PhotoTemplateProcessor>;
    PhotoTemplateProcessor();
    ~PhotoTemplateProcessor() = default;

    struct Template {
        QString path; // empty: the built-in template
        QSize size;
    };
    // Where template t made at the screen's size is kept.
    QString CachedPath(const Template& t, bool alpha) const;
    // Template t made at the screen's size: from the cache, or made and put
    // there.
    bool ScreenSizedPicture(const Template& t, CxImage& picture) const;

    QStringList m_folders;
    QSize m_screenSize;
    QString m_cacheFolder;
    std::vector<Template> m_templates;
};
