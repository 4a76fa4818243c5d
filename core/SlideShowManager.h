#pragma once

#include "core/Singleton.h"

// Advances the wallpaper slide show.
// Still missing: OnStartTimer, OnChangeWallpaper and OnEndTimer come with the
// desktop services.
class SlideShowManager : public CoreSingleton<SlideShowManager> {
public:
    static constexpr const char* kServiceName = "SlideShowManager";

private:
    friend class CoreSingleton<SlideShowManager>;
    SlideShowManager() = default;
    ~SlideShowManager() = default;
};
