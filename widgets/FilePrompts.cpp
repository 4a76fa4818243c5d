// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/FilePrompts.h"

#include <QFileDialog>
#include <QFileInfo>
#include <utility>

namespace {
FilePromptHook& Hook()
{
    static FilePromptHook hook;
    return hook;
}
} // namespace

QStringList ConvertFileFilter(const QString& filter)
{
    QStringList parts = filter.split(u'|');
    // The list ends with "||": drop the empty tail.
    while (!parts.isEmpty() && parts.last().isEmpty())
        parts.removeLast();
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& p : parts[i + 1].split(u';', Qt::SkipEmptyParts)) {
            const QString t = p.trimmed();
            if (!t.isEmpty())
                patterns << t;
        }
        out << parts[i].trimmed() + QStringLiteral(" (") + patterns.join(u' ') + u')';
    }
    return out;
}

QString WithDefaultExtension(const QString& path, const QString& defaultExt)
{
    QString ext = defaultExt;
    if (ext.startsWith(u'.'))
        ext.remove(0, 1);
    if (ext.isEmpty() || path.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + u'.' + ext;
}

std::optional<QString> PromptForPath(const FilePrompt& prompt)
{
    if (Hook())
        return Hook()(prompt);

    QString chosen;
    switch (prompt.kind) {
    case FilePrompt::Kind::Open: {
        QFileDialog dlg(prompt.parent, prompt.title, prompt.directory);
        dlg.setAcceptMode(QFileDialog::AcceptOpen);
        dlg.setFileMode(QFileDialog::ExistingFile);
        dlg.setNameFilters(ConvertFileFilter(prompt.filter));
        if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
            return std::nullopt;
        chosen = dlg.selectedFiles().constFirst();
        break;
    }
    case FilePrompt::Kind::Save: {
        QFileDialog dlg(prompt.parent, prompt.title, prompt.directory);
        dlg.setAcceptMode(QFileDialog::AcceptSave);
        dlg.setFileMode(QFileDialog::AnyFile);
        // Choosing an existing file replaces it without a question.
        dlg.setOption(QFileDialog::DontConfirmOverwrite);
        dlg.setNameFilters(ConvertFileFilter(prompt.filter));
        QString suffix = prompt.defaultExt;
        if (suffix.startsWith(u'.'))
            suffix.remove(0, 1);
        dlg.setDefaultSuffix(suffix);
        if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
            return std::nullopt;
        chosen = WithDefaultExtension(dlg.selectedFiles().constFirst(), prompt.defaultExt);
        break;
    }
    case FilePrompt::Kind::Folder:
        chosen = QFileDialog::getExistingDirectory(prompt.parent, prompt.title, prompt.directory);
        break;
    }
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen;
}

FilePromptHook SetFilePromptHook(FilePromptHook hook)
{
    return std::exchange(Hook(), std::move(hook));
}
