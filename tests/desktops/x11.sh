# SPDX-FileCopyrightText: 2026 The Quilvane developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Any X11 session without a desktop of ours: Quilvane draws the root window.
DESKTOP_PROGRAMS=(Xorg xrandr)

desktop_start() {
  session_xorg && session_bus DBUS_SESSION_BUS_ADDRESS
  export QT_QPA_PLATFORM=xcb
}

add_monitor() { xvfb_two_monitors; }
