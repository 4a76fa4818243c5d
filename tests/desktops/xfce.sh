# SPDX-FileCopyrightText: 2026 The Quilvane developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Xfce 4.18: xfdesktop draws the wallpaper in its desktop window, which it
# maps only once a window manager runs; xfconfd starts on the session bus.
DESKTOP_PROGRAMS=(Xorg xrandr xfdesktop xfwm4 xfconf-query)

desktop_start() {
  session_xorg && session_bus DBUS_SESSION_BUS_ADDRESS || return 1
  export XDG_CURRENT_DESKTOP=XFCE QT_QPA_PLATFORM=xcb
  spawn xfwm4 xfwm4 --compositor=off
  spawn xfdesktop xfdesktop
  # The desktop window is up once xfdesktop has its property channel.
  wait_until 20 xfconf-query -c xfce4-desktop -l
}
