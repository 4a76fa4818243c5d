// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "res/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

namespace {

struct Installed {
    std::unique_ptr<QTranslator> ours;
    std::unique_ptr<QTranslator> qt;
};

Installed& Current()
{
    static Installed installed;
    return installed;
}

} // namespace

QString InstallTranslations(const QLocale& locale)
{
    RemoveTranslations();
    // LC_ALL=C asks for the untranslated program, whatever LANGUAGE lists
    // (as gettext has it).
    if (locale.language() == QLocale::C)
        return {};
    auto ours = std::make_unique<QTranslator>();
    // Only quilvane_<language>.qm files are compiled in: for a locale none of
    // them serves, load() finds nothing and the texts stay English.
    if (!ours->load(locale, QStringLiteral("quilvane"), QStringLiteral("_"), QStringLiteral(":/i18n")) ||
        !QCoreApplication::installTranslator(ours.get()))
        return {};
    const QString language = ours->language();

    // Qt's texts (the buttons of message boxes, the file dialogs) in the same
    // language as ours, never in one the rest of the program does not speak.
    auto qt = std::make_unique<QTranslator>();
    if (qt->load(QLocale(language), QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(qt.get()))
        Current().qt = std::move(qt);
    Current().ours = std::move(ours);
    return QLocale::languageToCode(QLocale(language).language());
}

void RemoveTranslations()
{
    // A translator takes itself out of the application as it goes.
    Current().qt.reset();
    Current().ours.reset();
}
