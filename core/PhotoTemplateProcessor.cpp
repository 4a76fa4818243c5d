#include "core/PhotoTemplateProcessor.h"

void PhotoTemplateProcessor::LoadAllTemplate()
{
    calltrace::Record("PhotoTemplateProcessor::LoadAllTemplate");
}
