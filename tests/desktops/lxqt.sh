# SPDX-FileCopyrightText: 2026 The Quilvane developers
# SPDX-License-Identifier: GPL-3.0-or-later

# LXQt: pcmanfm-qt draws the desktop; later "pcmanfm-qt --set-wallpaper" calls
# reach it over the session bus.
DESKTOP_PROGRAMS=(Xorg xrandr pcmanfm-qt)

desktop_start() {
  session_xorg && session_bus DBUS_SESSION_BUS_ADDRESS || return 1
  export XDG_CURRENT_DESKTOP=LXQt QT_QPA_PLATFORM=xcb
  spawn pcmanfm-qt pcmanfm-qt --desktop
  wait_until 20 dbus-send --session --print-reply --dest=org.freedesktop.DBus / \
    org.freedesktop.DBus.GetNameOwner string:org.pcmanfm.PCManFM
}

ONE_PICTURE_ACROSS="pcmanfm-qt draws one picture over all monitors together (the whole layout, 3200x1124 here) unless its desktop preferences have \"Individual wallpaper for each monitor\" on, and so each style was checked over the whole layout."
