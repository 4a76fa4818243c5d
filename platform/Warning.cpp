// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/Warning.h"

#include <cstdio>
#include <utility>

namespace {

thread_local WarningCapture* t_capture = nullptr;

} // namespace

WarningCapture::WarningCapture() : m_outer(t_capture)
{
    t_capture = this;
}

WarningCapture::~WarningCapture()
{
    t_capture = m_outer;
}

QStringList WarningCapture::Take()
{
    return std::exchange(m_messages, {});
}

void WarnAll(const QStringList& messages)
{
    for (const QString& message : messages)
        Warning(message);
}

void Warning(const QString& message)
{
    if (t_capture) {
        t_capture->m_messages << message;
        return;
    }
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
