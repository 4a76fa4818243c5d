#include "res/Strings.h"

#include "res/Resource.h"

QString LoadResString(int id)
{
    switch (id) {
    case IDS_ABOUTBOX:
        return QStringLiteral("&About Quilvane...");
    case IDS_TIP_FILE_ERROR:
        return QStringLiteral("Trouble reading the tips file");
    case IDS_DID_YOU_KNOW:
        return QStringLiteral("Did you know...");
    default:
        return {};
    }
}
