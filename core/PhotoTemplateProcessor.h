#pragma once

#include "core/Singleton.h"

// The background templates the scene starts from and the user can fall back on.
class PhotoTemplateProcessor : public CoreSingleton<PhotoTemplateProcessor> {
public:
    static constexpr const char* kServiceName = "PhotoTemplateProcessor";

    // Loads every background template, once, at start-up.
    // Still missing: the templates themselves come with the scene services;
    // until then nothing is loaded.
    void LoadAllTemplate();

private:
    friend class CoreSingleton<PhotoTemplateProcessor>;
    PhotoTemplateProcessor() = default;
    ~PhotoTemplateProcessor() = default;
};
