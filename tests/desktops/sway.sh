# SPDX-FileCopyrightText: 2026 The Quilvane developers
# SPDX-License-Identifier: GPL-3.0-or-later

# sway 1.7 on its headless back end with the pixman renderer. sway refuses to
# run as root, so it, Quilvane's probe and grim run as an unprivileged user
# (nobody) with a runtime folder of its own, as in a real session where all
# three are the user's.
DESKTOP_PROGRAMS=(sway swaybg swaymsg grim setpriv)
SWAY_UID=65534

as_user() {
  setpriv --reuid=$SWAY_UID --regid=$SWAY_UID --clear-groups "$@"
}

desktop_start() { sway_start; }

sway_start() {
  export XDG_RUNTIME_DIR=$SESSION/user-runtime
  mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
  chown $SWAY_UID:$SWAY_UID "$XDG_RUNTIME_DIR" "$SESSION/pictures" || return 1
  session_bus DBUS_SESSION_BUS_ADDRESS || return 1
  # No bar and no wallpaper of its own: only what Quilvane sets is drawn.
  printf 'output * resolution 1024x768\n' >"$SESSION/sway.config"
  export WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman
  export XDG_CURRENT_DESKTOP=sway QT_QPA_PLATFORM=offscreen
  spawn sway as_user sway -c "$SESSION/sway.config"
  wait_until 20 compgen -G "$XDG_RUNTIME_DIR/sway-ipc.*.sock" || return 1
  SWAYSOCK=$(compgen -G "$XDG_RUNTIME_DIR/sway-ipc.*.sock" | head -n 1)
  WAYLAND_DISPLAY=$(basename "$(compgen -G "$XDG_RUNTIME_DIR/wayland-*" | grep -v lock | head -n 1)")
  export SWAYSOCK WAYLAND_DISPLAY
  PROBE_AS=(as_user)
  wait_until 10 as_user swaymsg -t get_outputs
}

desktop_capture() {
  as_user grim "$XDG_RUNTIME_DIR/shot.png" && cp "$XDG_RUNTIME_DIR/shot.png" "$1"
}

# The first output at the larger size; a second headless output created
# beside it, smaller and lower.
grow_first_monitor() { as_user swaymsg output HEADLESS-1 resolution 1920x1080 position 0 0; }
add_second_monitor() {
  as_user swaymsg create_output || return 1
  as_user swaymsg output HEADLESS-2 resolution 1280x1024 position 1920 100
}
