// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/Warning.h"

#include <cstdio>

void Warning(const QString& message)
{
    const QByteArray text = "quilvane: " + message.toLocal8Bit() + '\n';
    std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()), stderr);
    std::fflush(stderr);
}

QString Printable(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const char16_t u = c.unicode();
        if (c == QLatin1Char('\\')) {
            out += QLatin1String("\\\\");
        } else if (u < 0x20 || u == 0x7f || (u >= 0x80 && u < 0xa0)) {
            out += QStringLiteral("\\x%1").arg(u, 2, 16, QLatin1Char('0'));
        } else if (c.isSurrogate() &&
                   !(c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())) {
            out += QStringLiteral("\\u%1").arg(u, 4, 16, QLatin1Char('0'));
        } else if (c.isHighSurrogate()) {
            out += c;
            out += text.at(++i);
        } else {
            out += c;
        }
    }
    return out;
}
