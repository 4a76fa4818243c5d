// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop/GSettingsWallpaper.h"

#include "desktop/DesktopMessages.h"
#include "platform/Warning.h"

#include <QFile>

#define G_SETTINGS_ENABLE_BACKEND
#include <gio/gio.h>
#include <gio/gsettingsbackend.h>

#include <memory>
#include <utility>
#include <vector>

namespace {

struct SchemaUnref {
    void operator()(GSettingsSchema* s) const { g_settings_schema_unref(s); }
};
struct KeyUnref {
    void operator()(GSettingsSchemaKey* k) const { g_settings_schema_key_unref(k); }
};
struct ObjectUnref {
    void operator()(gpointer o) const { g_object_unref(o); }
};

using Schema = std::unique_ptr<GSettingsSchema, SchemaUnref>;
using SchemaKey = std::unique_ptr<GSettingsSchemaKey, KeyUnref>;
using Settings = std::unique_ptr<GSettings, ObjectUnref>;

// Checks that the schema has the key, that it holds a string and that value
// is one it accepts (an enum key accepts only its nicks).
bool CheckKey(GSettingsSchema* schema, const char* schemaId, const char* key, const QByteArray& value)
{
    if (!g_settings_schema_has_key(schema, key)) {
        Warning(QStringLiteral("the settings schema %1 has no key %2").arg(schemaId, key));
        return false;
    }
    const SchemaKey schemaKey(g_settings_schema_get_key(schema, key));
    if (!g_variant_type_equal(g_settings_schema_key_get_value_type(schemaKey.get()), G_VARIANT_TYPE_STRING)) {
        Warning(QStringLiteral("the settings key %1 %2 does not hold text").arg(schemaId, key));
        return false;
    }
    GVariant* probe = g_variant_ref_sink(g_variant_new_string(value.constData()));
    const bool inRange = g_settings_schema_key_range_check(schemaKey.get(), probe);
    g_variant_unref(probe);
    if (!inRange)
        Warning(QStringLiteral("the settings key %1 %2 does not accept %3")
                    .arg(schemaId, key, Printable(QString::fromUtf8(value))));
    return inRange;
}

// Why the desktop would never see what is written to the settings' store;
// empty when it would. Without its dconf module GIO falls back, silently, to
// memory or to a key file of its own, neither of which the desktop reads; a
// key file named in GSETTINGS_BACKEND is somebody's deliberate choice.
QString UnseenStore(GSettings* settings)
{
    GSettingsBackend* store = nullptr;
    g_object_get(settings, "backend", &store, nullptr);
    const QByteArray type = store ? G_OBJECT_TYPE_NAME(store) : "none";
    if (store)
        g_object_unref(store);
    if (type == "GMemorySettingsBackend" || type == "GNullSettingsBackend")
        return QStringLiteral("GIO keeps settings in memory only, where the desktop never sees them");
    if (type == "GKeyfileSettingsBackend" && qEnvironmentVariableIsEmpty("GSETTINGS_BACKEND"))
        return QStringLiteral("GIO would write the settings to a file of its own, which the desktop does not read");
    return {};
}

} // namespace

const char* GSettingsWallpaper::OptionsValue(WallpaperStyle style)
{
    switch (style) {
    case WallpaperStyle::Tile:
        return "wallpaper";
    case WallpaperStyle::Stretch:
        return "stretched";
    case WallpaperStyle::Centre:
        break;
    }
    return "centered";
}

QString GSettingsWallpaper::FileUri(const QString& absolutePath)
{
    const QByteArray name = QFile::encodeName(absolutePath);
    gchar* uri = g_filename_to_uri(name.constData(), nullptr, nullptr);
    if (!uri)
        return {};
    const QString result = QString::fromUtf8(uri);
    g_free(uri);
    return result;
}

bool GSettingsWallpaper::Apply(const Keys& keys, const QString& absolutePath, WallpaperStyle style,
                               GSettingsBackend* settingsBackend)
{
    // The default source may be absent altogether when no schema is installed.
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    const Schema schema(source ? g_settings_schema_source_lookup(source, keys.schema, TRUE) : nullptr);
    if (!schema) {
        WarnUnchanged(QStringLiteral("the settings schema %1 is not installed").arg(keys.schema));
        return false;
    }

    std::vector<std::pair<const char*, QByteArray>> values;
    if (keys.uriKey) {
        const QString uri = FileUri(absolutePath);
        if (uri.isEmpty()) {
            WarnUnchanged(QStringLiteral("cannot make a URI of %1").arg(PictureName(absolutePath)));
            return false;
        }
        values.emplace_back(keys.uriKey, uri.toUtf8());
        if (keys.darkUriKey && g_settings_schema_has_key(schema.get(), keys.darkUriKey))
            values.emplace_back(keys.darkUriKey, uri.toUtf8());
    }
    if (keys.pathKey)
        values.emplace_back(keys.pathKey, absolutePath.toUtf8());
    values.emplace_back(keys.optionsKey, QByteArray(OptionsValue(style)));

    for (const auto& [key, value] : values) {
        if (!CheckKey(schema.get(), keys.schema, key, value))
            return false;
    }

    const Settings settings(g_settings_new_full(schema.get(), settingsBackend, nullptr));
    if (const QString unseen = UnseenStore(settings.get()); !unseen.isEmpty()) {
        WarnUnchanged(unseen + QStringLiteral(" (is dconf-gsettings-backend installed?)"));
        return false;
    }
    for (const auto& [key, value] : values) {
        if (!g_settings_is_writable(settings.get(), key)) {
            Warning(QStringLiteral("the settings key %1 %2 is locked").arg(keys.schema, key));
            return false;
        }
    }
    // All keys change together, so the desktop never draws the new picture
    // with the old placement.
    g_settings_delay(settings.get());
    for (const auto& [key, value] : values)
        g_settings_set_string(settings.get(), key, value.constData());
    g_settings_apply(settings.get());
    g_settings_sync();
    return true;
}
