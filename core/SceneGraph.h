#pragma once

#include "core/Singleton.h"

class PhotoTemplateProcessor;

// The scene: one background picture with photos placed on it.
class SceneGraph : public CoreSingleton<SceneGraph> {
public:
    static constexpr const char* kServiceName = "SceneGraph";

    // Takes the template processor after its templates are loaded. The scene
    // keeps the pointer but must not use it once shutdown has begun: the
    // processor is destroyed before the scene.
    // Still missing: the background, photos and every scene operation come
    // with the scene services.
    void Init(PhotoTemplateProcessor* templates);

private:
    friend class CoreSingleton<SceneGraph>;
    SceneGraph() = default;
    ~SceneGraph() = default;

    PhotoTemplateProcessor* m_templates = nullptr;
};
