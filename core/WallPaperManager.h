#pragma once

#include "core/Singleton.h"

// Puts pictures on the desktop.
// Still missing: SetWallPaper, SupportActiveDesktop and the desktop back ends
// come with the desktop services.
class WallPaperManager : public CoreSingleton<WallPaperManager> {
public:
    static constexpr const char* kServiceName = "WallPaperManager";

private:
    friend class CoreSingleton<WallPaperManager>;
    WallPaperManager() = default;
    ~WallPaperManager() = default;
};
