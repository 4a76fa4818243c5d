#pragma once

#include <QString>

// The string table: the text of a string resource, empty for an unknown id.
QString LoadResString(int id);
