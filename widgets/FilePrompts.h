// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// File and folder prompts go through this one seam, so tests can answer them
// without a dialog appearing.

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QWidget;

struct FilePrompt {
    enum class Kind { Open, Save, Folder };

    Kind kind = Kind::Open;
    QString title;
    // In the "text|patterns|text|patterns||" form the pages are written with.
    QString filter;
    // Added to a saved name typed without an extension (".jpg" or "jpg").
    QString defaultExt;
    // The folder the dialog opens in; empty: wherever the platform's dialog
    // starts.
    QString directory;
    QWidget* parent = nullptr;
};

// The chosen path, or nothing when the user cancelled.
std::optional<QString> PromptForPath(const FilePrompt& prompt);

using FilePromptHook = std::function<std::optional<QString>(const FilePrompt&)>;
// Answers prompts instead of showing dialogs (tests); an empty hook restores
// them. Returns the hook set before.
FilePromptHook SetFilePromptHook(FilePromptHook hook);

// "SRC(*.bmp;*.jpg)| *.bmp;*.jpg||" -> {"SRC(*.bmp;*.jpg) (*.bmp *.jpg)"}:
// each pair of display text and ';'-separated patterns becomes one Qt name
// filter, the patterns in the trailing parentheses Qt reads them from.
QStringList ConvertFileFilter(const QString& filter);

// Appends the default extension to a path whose file name has none.
QString WithDefaultExtension(const QString& path, const QString& defaultExt);
