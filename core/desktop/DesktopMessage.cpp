#include "core/desktop/DesktopMessage.h"

#include <cstdio>

void DesktopWarning(const QString& message)
{
    const QByteArray text = "quilvane: " + message.toLocal8Bit() + '\n';
    std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()), stderr);
    std::fflush(stderr);
}
