// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Modal runs of our own. A window runs modally until its code ends the run
// (EndModalLoop) or the quit message arrives. Unlike QDialog::exec, hiding
// the window does not end the run: the main window hides into the tray and
// its run goes on.

class QWidget;

// Shows the window (if it is hidden) and runs events until the run ends;
// returns the code given to EndModalLoop, or -1 when the quit message ended
// it. A quit message already pending ends the run at once.
int RunModalLoop(QWidget* window);

// Ends the innermost run of that window with code; nothing if it has none.
void EndModalLoop(QWidget* window, int code);

// Whether the window is in a modal run now.
bool IsInModalLoop(const QWidget* window);

// Runs events until the quit message arrives (at once if one is pending);
// returns its exit code.
int RunMessageLoop();

// Queues the quit message: when the event loop reaches it, every modal run
// ends, and later ones end at once, as a quit message left in the queue does.
void PostQuit(int exitCode);

bool IsQuitPending();
int QuitExitCode();
// Forgets a quit message (tests that run several windows in one process).
void ResetQuitState();
