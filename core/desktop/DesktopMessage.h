#pragma once

// Desktop changes have no caller that shows errors (SetWallPaper returns
// nothing), so their problems go to standard error, where a user starting the
// program from a terminal, or a session log, sees them. Written straight to
// stderr rather than through qWarning: a Qt message handler or journald
// redirection must not swallow them.

#include <QString>

void DesktopWarning(const QString& message);
