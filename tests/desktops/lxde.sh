# SPDX-FileCopyrightText: 2026 The Quilvane developers
# SPDX-License-Identifier: GPL-3.0-or-later

# LXDE: pcmanfm draws the desktop; the copy started here takes later
# "pcmanfm --set-wallpaper" calls through its socket in XDG_RUNTIME_DIR.
DESKTOP_PROGRAMS=(Xorg xrandr pcmanfm)

desktop_start() {
  session_xorg && session_bus DBUS_SESSION_BUS_ADDRESS || return 1
  export XDG_CURRENT_DESKTOP=LXDE QT_QPA_PLATFORM=xcb
  pcmanfm_start
}

pcmanfm_start() {
  spawn pcmanfm pcmanfm --desktop
  PCMANFM_PID=${SPAWNED[-1]}
  wait_until 20 compgen -G "$XDG_RUNTIME_DIR/pcmanfm-socket*"
}

# pcmanfm draws the desktop only on the monitors it found when it started:
# started again, as at a new login, it has both.
restart_desktop() {
  kill_tree "$PCMANFM_PID"
  rm -f "$XDG_RUNTIME_DIR"/pcmanfm-socket*
  pcmanfm_start
}

one_monitor="pcmanfm 1.3 changes the wallpaper of the first monitor only when told to by --set-wallpaper, the one way to change the wallpaper of a pcmanfm that runs (its own code: \"FIXME: use screen number from client and pointer position\"); another monitor keeps the wallpaper of its own settings (desktop-items-1.conf), which pcmanfm reads when it starts."
declare -A KNOWN=(
  [monitor-added]="pcmanfm 1.3 draws the desktop only on the monitors it found when it started: a monitor that comes later shows the bare root window (the first monitor's picture repeated, pcmanfm's root background)."
  [two-monitors/centre]=$one_monitor
  [two-monitors/tile]=$one_monitor
  [two-monitors/stretch]=$one_monitor
)
