#include "core/SceneGraph.h"

void SceneGraph::Init(PhotoTemplateProcessor* templates)
{
    calltrace::Record("SceneGraph::Init");
    m_templates = templates;
}
