# SPDX-FileCopyrightText: 2026 The Quilvane developers
# SPDX-License-Identifier: GPL-3.0-or-later

# KDE Plasma 5.27: plasmashell draws the desktop with Qt Quick's software
# renderer. DISPLAY is set before the session bus starts, as the activity
# manager the bus starts on demand needs it or the shell gives up loading.
# Its panel sits at the bottom; the checks stay above it.
DESKTOP_PROGRAMS=(Xorg xrandr plasmashell)
BOTTOM_MARGIN=80
SHOW_TIMEOUT=30

desktop_start() {
  session_xorg && session_bus DBUS_SESSION_BUS_ADDRESS || return 1
  export XDG_CURRENT_DESKTOP=KDE KDE_FULL_SESSION=true KDE_SESSION_VERSION=5 QT_QPA_PLATFORM=xcb
  export QT_QUICK_BACKEND=software QT_XCB_GL_INTEGRATION=none
  spawn plasmashell plasmashell --no-respawn
  wait_until 60 dbus-send --session --print-reply --dest=org.kde.plasmashell /PlasmaShell \
    org.kde.PlasmaShell.evaluateScript string:'print(desktops().length)' || return 1
  # No picture is shown before the cases: the first one Quilvane sets is
  # the first this Plasma loads, which takes it up to several seconds to
  # answer and to draw.
}
