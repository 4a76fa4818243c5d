#pragma once

#include <QString>

// The string table: the text of a string resource in the user's language,
// empty for an unknown id.
QString LoadResString(int id);
