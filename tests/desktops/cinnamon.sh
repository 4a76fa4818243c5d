# SPDX-FileCopyrightText: 2026 The Quilvane developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Cinnamon 5.6 on Xorg (dummy driver) with Mesa's software OpenGL. Its wallpaper is drawn by
# csd-background, which waits for a session manager on the bus: the probe
# answers as one. Cinnamon wants a system bus as well (a second private bus
# here). The first change waits until the panel is drawn: a change during
# start-up, while the cross-fade runs, made the window manager spin and crash.
DESKTOP_PROGRAMS=(Xorg xrandr cinnamon csd-background)
BOTTOM_MARGIN=60

bus_has() {
  dbus-send --session --print-reply --dest=org.freedesktop.DBus / org.freedesktop.DBus.GetNameOwner "string:$1"
}

desktop_start() {
  session_xorg && session_bus DBUS_SESSION_BUS_ADDRESS && session_bus DBUS_SYSTEM_BUS_ADDRESS || return 1
  export XDG_CURRENT_DESKTOP=X-Cinnamon QT_QPA_PLATFORM=xcb LIBGL_ALWAYS_SOFTWARE=1
  spawn session-manager "$PROBE" session-manager
  wait_until 10 bus_has org.gnome.SessionManager || return 1
  spawn csd-background csd-background
  spawn cinnamon cinnamon --replace --sm-disable
  wait_until 60 bus_has org.Cinnamon || return 1
  wait_until 60 panel_drawn
}

# The panel's row differs from the desktop's middle.
panel_drawn() {
  "$PROBE" grab "$SESSION/start.png" && ! "$PROBE" same-colour "$SESSION/start.png" 512,760 512,384
}

# Cinnamon's window manager keeps the monitor layout itself and puts back
# its own whenever the outputs change (a new monitor gets its preferred mode,
# to the right of the others, and the others theirs): the layout is set
# through its display configuration, as Cinnamon's display settings do.
muffin_monitors() { python3 "$here/display_config.py" org.cinnamon.Muffin.DisplayConfig "$@"; }
monitor_count() { [[ $(xrandr --listmonitors | sed -n 's/^Monitors: //p') == "$1" ]]; }
screen_is() {
  local now
  now=$(xrandr | sed -n 's/.*current \([0-9]*\) x \([0-9]*\),.*/\1x\2/p')
  [[ $now == "$1" ]] || { echo "the X screen is $now, not $1"; return 1; }
}
# The first layout change of a session sets the monitor's mode but leaves
# the X screen at its old size (seen: a 1920x1080 monitor on a 1024x768
# screen); from the second on the screen follows. So one change goes first.
grow_first_monitor() {
  muffin_monitors DUMMY0=1280x1024@0,0 && muffin_monitors DUMMY0=1920x1080@0,0 && screen_is 1920x1080
}
add_second_monitor() {
  x_monitor DUMMY1 1280x1024 1920,100 || return 1
  # Arranged once the window manager has taken the new monitor in.
  wait_until 10 monitor_count 2 && sleep 1
  muffin_monitors DUMMY0=1920x1080@0,0 DUMMY1=1280x1024@1920,100 && screen_is 3200x1124
}
