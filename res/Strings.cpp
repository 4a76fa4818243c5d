// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "res/Strings.h"

#include "res/Resource.h"

#include <QCoreApplication>

namespace {

struct StringResource {
    int id;
    const char* text; // English, translated in the "Strings" context
};

constexpr StringResource kStrings[] = {
    {IDS_ABOUTBOX, QT_TRANSLATE_NOOP("Strings", "&About Quilvane...")},
    {IDS_TIP_FILE_ERROR, QT_TRANSLATE_NOOP("Strings", "Trouble reading the tips file")},
    {IDS_DID_YOU_KNOW, QT_TRANSLATE_NOOP("Strings", "Did you know...")},
};

} // namespace

QString LoadResString(int id)
{
    for (const StringResource& s : kStrings) {
        if (s.id == id)
            return QCoreApplication::translate("Strings", s.text);
    }
    return {};
}
