// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// GNOME, Cinnamon and MATE for real: GIO writes through its keyfile back end
// into this test process's private config folder, and the keys are read back
// from the file GIO wrote. The GNOME schema is the installed one; Cinnamon's
// and MATE's are stand-ins compiled here with the same ids, keys and choices
// (they are not installed on a build machine).
//
// GSettings picks its back end and schema folders once per process, so this
// is arranged by a global environment, before any test runs.

#include "desktop/CinnamonBackend.h"
#include "desktop/GSettingsWallpaper.h"
#include "desktop/GnomeBackend.h"
#include "desktop/MateBackend.h"
#include "support/EnvironmentGuard.h"
#include "support/StderrCapture.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>

#define G_SETTINGS_ENABLE_BACKEND
#include <gio/gio.h>
#include <gio/gsettingsbackend.h>

namespace {

const char kStandInSchemas[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<schemalist>
  <enum id="test.BackgroundStyle">
    <value nick="none" value="0"/>
    <value nick="wallpaper" value="1"/>
    <value nick="centered" value="2"/>
    <value nick="scaled" value="3"/>
    <value nick="stretched" value="4"/>
    <value nick="zoom" value="5"/>
    <value nick="spanned" value="6"/>
  </enum>
  <schema id="org.cinnamon.desktop.background" path="/org/cinnamon/desktop/background/">
    <key name="picture-uri" type="s"><default>'file:///old.png'</default></key>
    <key name="picture-options" enum="test.BackgroundStyle"><default>'zoom'</default></key>
  </schema>
  <schema id="org.mate.background" path="/org/mate/desktop/background/">
    <key name="picture-filename" type="s"><default>'/old.png'</default></key>
    <key name="picture-options" enum="test.BackgroundStyle"><default>'zoom'</default></key>
  </schema>
</schemalist>
)";

class GSettingsEnvironment final : public ::testing::Environment {
public:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        QFile schema(m_dir.filePath("schemas/quilvane-test.gschema.xml"));
        ASSERT_TRUE(QDir().mkpath(m_dir.filePath("schemas")));
        ASSERT_TRUE(schema.open(QIODevice::WriteOnly));
        schema.write(kStandInSchemas);
        schema.close();
        ASSERT_EQ(QProcess::execute(QStringLiteral("glib-compile-schemas"), {m_dir.filePath("schemas")}), 0)
            << "glib-compile-schemas (libglib2.0-bin) is needed";
        m_schemas.emplace("GSETTINGS_SCHEMA_DIR", QFile::encodeName(m_dir.filePath("schemas")));
        m_backend.emplace("GSETTINGS_BACKEND", "keyfile");
        m_config.emplace("XDG_CONFIG_HOME", QFile::encodeName(m_dir.filePath("config")));
    }
    void TearDown() override
    {
        m_config.reset();
        m_backend.reset();
        m_schemas.reset();
    }

private:
    QTemporaryDir m_dir;
    std::optional<EnvironmentGuard> m_schemas, m_backend, m_config;
};

[[maybe_unused]] ::testing::Environment* const g_gsettingsEnvironment =
    ::testing::AddGlobalTestEnvironment(new GSettingsEnvironment);

// The string value of a key as GIO's keyfile back end stored it on disk.
std::string Stored(const char* path, const char* key)
{
    g_settings_sync();
    const std::string file = std::string(g_get_user_config_dir()) + "/glib-2.0/settings/keyfile";
    GKeyFile* keyFile = g_key_file_new();
    std::string result = "<missing>";
    if (g_key_file_load_from_file(keyFile, file.c_str(), G_KEY_FILE_NONE, nullptr)) {
        if (gchar* text = g_key_file_get_value(keyFile, path, key, nullptr)) {
            if (GVariant* v = g_variant_parse(G_VARIANT_TYPE_STRING, text, nullptr, nullptr, nullptr)) {
                result = g_variant_get_string(v, nullptr);
                g_variant_unref(v);
            }
            g_free(text);
        }
    }
    g_key_file_unref(keyFile);
    return result;
}

bool SchemaInstalled(const char* id)
{
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    GSettingsSchema* schema = source ? g_settings_schema_source_lookup(source, id, TRUE) : nullptr;
    if (schema)
        g_settings_schema_unref(schema);
    return schema != nullptr;
}

struct StyleValue {
    WallpaperStyle style;
    const char* options;
};
constexpr StyleValue kStyles[] = {
    {WallpaperStyle::Centre, "centered"},
    {WallpaperStyle::Tile, "wallpaper"},
    {WallpaperStyle::Stretch, "stretched"},
};

} // namespace

TEST(DesktopGSettings, FileUriIsPercentEncoded)
{
    EXPECT_EQ(GSettingsWallpaper::FileUri(QString::fromUtf8("/home/me/My Photos/été 100%.jpg")),
              QStringLiteral("file:///home/me/My%20Photos/%C3%A9t%C3%A9%20100%25.jpg"));
    const QString odd = QString::fromUtf8("/tmp/a \"b\" 'c' $(rm -rf x) #1?\nz.png");
    const QString uri = GSettingsWallpaper::FileUri(odd);
    EXPECT_EQ(uri, QStringLiteral("file:///tmp/a%20%22b%22%20'c'%20$(rm%20-rf%20x)%20%231%3F%0Az.png"));
    // And GIO reads it back as the very same file name.
    gchar* back = g_filename_from_uri(uri.toUtf8().constData(), nullptr, nullptr);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(QString::fromUtf8(back), odd);
    g_free(back);
}

TEST(DesktopGSettings, GnomeKeysReadBackForEveryStyle)
{
    ASSERT_TRUE(SchemaInstalled("org.gnome.desktop.background")) << "install gsettings-desktop-schemas";
    const QString path = QString::fromUtf8("/srv/Bilder/it's \"a\" $(x) 5% été\nneu.jpg");
    const std::string uri = GSettingsWallpaper::FileUri(path).toStdString();
    GnomeBackend gnome;
    for (const StyleValue& s : kStyles) {
        ASSERT_TRUE(gnome.SetWallpaper(path, s.style));
        EXPECT_EQ(Stored("org/gnome/desktop/background", "picture-uri"), uri);
        EXPECT_EQ(Stored("org/gnome/desktop/background", "picture-uri-dark"), uri);
        EXPECT_EQ(Stored("org/gnome/desktop/background", "picture-options"), s.options);
    }
}

TEST(DesktopGSettings, CinnamonAndMateKeysReadBack)
{
    const QString path = QString::fromUtf8("/srv/Bilder/'x' \"y\" 50%.png");
    CinnamonBackend cinnamon;
    MateBackend mate;
    for (const StyleValue& s : kStyles) {
        ASSERT_TRUE(cinnamon.SetWallpaper(path, s.style));
        EXPECT_EQ(Stored("org/cinnamon/desktop/background", "picture-uri"),
                  GSettingsWallpaper::FileUri(path).toStdString());
        EXPECT_EQ(Stored("org/cinnamon/desktop/background", "picture-options"), s.options);
        ASSERT_TRUE(mate.SetWallpaper(path, s.style));
        EXPECT_EQ(Stored("org/mate/desktop/background", "picture-filename"), path.toStdString());
        EXPECT_EQ(Stored("org/mate/desktop/background", "picture-options"), s.options);
    }
}

TEST(DesktopGSettings, MissingSchemaOrKeyIsReportedNotFatal)
{
    // GIO would abort the process on either of these if asked blindly.
    GSettingsWallpaper::Keys missingSchema;
    missingSchema.schema = "org.example.no.such.schema";
    missingSchema.uriKey = "picture-uri";
    StderrCapture noSchema;
    EXPECT_FALSE(GSettingsWallpaper::Apply(missingSchema, "/a.png", WallpaperStyle::Centre));
    EXPECT_TRUE(noSchema.Take().contains("org.example.no.such.schema is not installed"));

    GSettingsWallpaper::Keys missingKey;
    missingKey.schema = "org.mate.background";
    missingKey.uriKey = "picture-uri"; // MATE has no such key
    const std::string before = Stored("org/mate/desktop/background", "picture-options");
    StderrCapture noKey;
    EXPECT_FALSE(GSettingsWallpaper::Apply(missingKey, "/b.png", WallpaperStyle::Stretch));
    EXPECT_TRUE(noKey.Take().contains("has no key picture-uri"));
    EXPECT_EQ(Stored("org/mate/desktop/background", "picture-options"), before) << "nothing half-written";
}

TEST(DesktopGSettings, StoresTheDesktopNeverReadsAreFailures)
{
    // What GIO falls back to without its dconf module: values that live only
    // in this process, or a key file of its own when nobody asked for one.
    QTemporaryDir dir;
    GSettingsBackend* memory = g_memory_settings_backend_new();
    GSettingsBackend* keyfile =
        g_keyfile_settings_backend_new(dir.filePath("keyfile").toUtf8().constData(), "/", nullptr);
    GSettingsWallpaper::Keys keys;
    keys.schema = "org.mate.background";
    keys.pathKey = "picture-filename";
    {
        EnvironmentGuard noneChosen("GSETTINGS_BACKEND");
        noneChosen.Unset();
        for (const auto& [store, why] : {std::pair{memory, "GIO keeps settings in memory only"},
                                         std::pair{keyfile, "a file of its own, which the desktop does not read"}}) {
            StderrCapture stderrText;
            EXPECT_FALSE(GSettingsWallpaper::Apply(keys, "/m.png", WallpaperStyle::Tile, store));
            const QString said = stderrText.Take();
            EXPECT_TRUE(said.contains(why)) << qPrintable(said);
            EXPECT_TRUE(said.contains("the wallpaper stays as it is")) << qPrintable(said);
            GSettings* settings = g_settings_new_with_backend("org.mate.background", store);
            gchar* value = g_settings_get_string(settings, "picture-filename");
            EXPECT_STRNE(value, "/m.png");
            g_free(value);
            g_object_unref(settings);
        }
    }
    // A key file asked for by name is used.
    EXPECT_TRUE(GSettingsWallpaper::Apply(keys, "/m.png", WallpaperStyle::Tile, keyfile));
    g_object_unref(keyfile);
    g_object_unref(memory);
}
