# SPDX-FileCopyrightText: 2026 The Quilvane developers
# SPDX-License-Identifier: GPL-3.0-or-later

# GNOME Shell 43, headless on Wayland. Its virtual monitors are fixed at
# start, so it gets the three the checks use (Meta-0 1024x768, Meta-1
# 1920x1080, Meta-2 1280x1024) and only Meta-0 is on until the monitor cases
# switch the others on through its display configuration. It wants a
# system bus as well (a second private bus here), and starts in the Overview
# unless given a session mode without one, which it finds only through
# XDG_DATA_DIRS. Screenshots go only to a caller owning org.gnome.Screenshot.
DESKTOP_PROGRAMS=(gnome-shell gsettings)
# Clear of the top bar and of the notification that a session run as root
# gets below it.
TOP_MARGIN=120

desktop_start() {
  session_bus DBUS_SESSION_BUS_ADDRESS && session_bus DBUS_SYSTEM_BUS_ADDRESS || return 1
  mkdir -p "$SESSION/share/gnome-shell/modes"
  printf '{"parentMode": "user", "hasOverview": false}\n' >"$SESSION/share/gnome-shell/modes/quilvane-check.json"
  export XDG_DATA_DIRS=$SESSION/share:/usr/local/share:/usr/share
  export XDG_CURRENT_DESKTOP=GNOME XDG_SESSION_TYPE=wayland QT_QPA_PLATFORM=offscreen
  gsettings set org.gnome.desktop.interface color-scheme default || return 1
  spawn gnome-shell gnome-shell --headless --no-x11 --wayland --virtual-monitor 1024x768 --virtual-monitor 1920x1080 --virtual-monitor 1280x1024 --mode=quilvane-check
  GNOME_SHELL_PID=${SPAWNED[-1]}
  wait_until 60 desktop_capture "$SESSION/first.png" || return 1
  gnome_monitors Meta-0=1024x768@0,0
}

gnome_monitors() { python3 "$here/display_config.py" org.gnome.Mutter.DisplayConfig "$@"; }

# No monitor can be plugged into a headless GNOME Shell: the second one is
# switched on, as the display settings do with one that is there.
grow_first_monitor() { gnome_monitors Meta-1=1920x1080@0,0; }
add_second_monitor() { gnome_monitors Meta-1=1920x1080@0,0 Meta-2=1280x1024@1920,100; }

desktop_capture() { probe gnome-grab "$1"; }

# What the shell was doing when it first gave no screenshot: its process
# state and memory, and whether its main loop still answers a property read.
desktop_no_answer() {
  date +%T
  ps -o pid,stat,rss,vsz,pcpu,etime,wchan:32,cmd -p "$GNOME_SHELL_PID"
  free -m
  uptime
  timeout 10 gdbus call --session -d org.gnome.Shell -o /org/gnome/Shell \
    -m org.freedesktop.DBus.Properties.Get org.gnome.Shell ShellVersion
  echo "property read: exit $?"
  tail -n 20 "$SESSION/logs/gnome-shell.log"
}

# The dark style has a picture of its own.
extra_cases() {
  gsettings set org.gnome.desktop.interface color-scheme prefer-dark
  local p=$SESSION/pictures
  picture "$p/dark.png" '#20a060' '#a02060'
  expect_shown dark "$p/dark.png" 2 stretch '#20a060' '#a02060'
}

tile_fault="GNOME Shell 43, headless with software rendering here, draws picture-options 'wallpaper' as the picture scaled to the whole screen and repeated from a point near the middle, not as copies of the picture at its own size. Quilvane sets picture-options to 'wallpaper', the tiled style of org.gnome.desktop.background."
declare -A KNOWN=(
  [tile]=$tile_fault
  [two-monitors/tile]="$tile_fault (On each monitor, scaled to that monitor.)"
)
