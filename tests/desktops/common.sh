# SPDX-FileCopyrightText: 2026 The Quilvane developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Shared by the desktop checks: a private session for one desktop (its own
# HOME, XDG folders, session bus and, for X11 desktops, its own X server), the
# processes started for it, and their stopping. Sourced by run.sh in a
# subshell per desktop, so nothing leaks from one desktop to the next.

SPAWNED=()

# Starts a program in the background with its output in $SESSION/logs/NAME.log
# and remembers it, so session_end stops it and everything it started.
spawn() {
  local name=$1
  shift
  "$@" >"$SESSION/logs/$name.log" 2>&1 &
  SPAWNED+=($!)
}

# The process and all its descendants, children first.
descendants() {
  local child
  for child in $(ps -o pid= --ppid "$1" 2>/dev/null); do
    descendants "$child"
  done
  echo "$1"
}

kill_tree() {
  local pids pid
  pids=$(descendants "$1")
  # shellcheck disable=SC2086
  kill -TERM $pids 2>/dev/null || true
  for _ in $(seq 1 20); do
    local alive=0
    for pid in $pids; do kill -0 "$pid" 2>/dev/null && alive=1; done
    [[ $alive -eq 0 ]] && return 0
    sleep 0.1
  done
  # shellcheck disable=SC2086
  kill -KILL $pids 2>/dev/null || true
}

# Waits up to SECONDS for the command to succeed.
wait_until() {
  local seconds=$1
  shift
  local end=$((SECONDS + seconds))
  while ((SECONDS < end)); do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.2
  done
  return 1
}

# A fresh HOME and XDG folders under $SESSION; a desktop keeps all its state
# there and nothing of the user's is read or changed.
session_begin() {
  SESSION=$1
  mkdir -p "$SESSION"/{home,config,data,cache,state,runtime,logs,pictures}
  chmod 755 "$SESSION" "$SESSION/pictures"
  chmod 700 "$SESSION/runtime"
  export HOME=$SESSION/home XDG_CONFIG_HOME=$SESSION/config XDG_DATA_HOME=$SESSION/data
  export XDG_CACHE_HOME=$SESSION/cache XDG_STATE_HOME=$SESSION/state XDG_RUNTIME_DIR=$SESSION/runtime
  unset DISPLAY WAYLAND_DISPLAY SWAYSOCK XDG_CURRENT_DESKTOP XDG_SESSION_DESKTOP XDG_SESSION_TYPE
  unset DBUS_SESSION_BUS_ADDRESS DBUS_SYSTEM_BUS_ADDRESS KDE_FULL_SESSION GNOME_DESKTOP_SESSION_ID
  unset MATE_DESKTOP_SESSION_ID QUILVANE_DESKTOP DESKTOP_SESSION
}

# The X server of this session, exported as DISPLAY: Xorg with its dummy
# video driver, whose screen is made of RandR outputs (DUMMY0 to DUMMY15) as
# a real graphics card's is, so the desktops see monitors come and go as they
# would on real hardware (Xvfb has one output, fixed). Only DUMMY0 is on at
# first, at 1024x768; x_monitor switches outputs on.
session_xorg() {
  if [[ ! -f /usr/lib/xorg/modules/drivers/dummy_drv.so ]]; then
    echo "not installed: xserver-xorg-video-dummy (scripts/install-desktops.sh installs it)"
    return 1
  fi
  mkdir -p "$SESSION/xorg.conf.d"
  cat >"$SESSION/xorg.conf" <<'EOF'
Section "ServerFlags"
  Option "AutoAddDevices" "false"
  Option "AutoEnableDevices" "false"
  Option "DontVTSwitch" "true"
EndSection
Section "Device"
  Identifier "card"
  Driver "dummy"
  # Enough for the widest layout the checks use (3200x1124 at 32 bits).
  VideoRam 32768
EndSection
Section "Monitor"
  Identifier "monitor"
  HorizSync 5.0 - 200.0
  VertRefresh 5.0 - 200.0
EndSection
Section "Screen"
  Identifier "screen"
  Device "card"
  Monitor "monitor"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Modes "1024x768" "1920x1080" "1280x1024"
  EndSubSection
EndSection
EOF
  local fifo=$SESSION/xorg-display number=""
  mkfifo "$fifo"
  Xorg -config "$SESSION/xorg.conf" -configdir "$SESSION/xorg.conf.d" \
    -logfile "$SESSION/logs/xorg.log" -noreset -nolisten tcp -displayfd 3 \
    3>"$fifo" >"$SESSION/logs/xorg.out" 2>&1 &
  SPAWNED+=($!)
  # The server writes its number once it listens; one that dies first
  # closes the pipe and read returns empty.
  read -r -t 20 number <"$fifo" || true
  rm -f "$fifo"
  if [[ -z $number ]]; then
    echo "Xorg did not start:"
    grep -E '\((EE|WW)\)' "$SESSION/logs/xorg.log" | tail -n 5
    return 1
  fi
  export DISPLAY=:$number
  xrandr --output DUMMY0 --mode 1024x768 --pos 0x0
}

# The monitor cases' two monitors (x,y,w,h on the screen): a large one at
# the top left and a smaller one to its right, lower down, so neither the
# sizes nor the top edges agree.
FIRST_MONITOR=0,0,1920,1080
SECOND_MONITOR=1920,100,1280,1024
WHOLE_LAYOUT=0,0,3200,1124

# The X11 desktops' two monitors: the first output changed to its size, the
# second switched on beside it.
grow_first_monitor() { x_monitor DUMMY0 1920x1080 0,0; }
add_second_monitor() { x_monitor DUMMY1 1280x1024 1920,100; }

# Switches an output on at a size and position, as a monitor plugged in (or
# changes it to them): x_monitor OUTPUT WxH X,Y. The dummy driver gives an
# output it never drove no modes, so the mode is added to it first; and it
# calls the output connected only from the mode on, which the server reports
# once asked to look again (as it looks when a real card says a monitor came):
# until then a desktop that leaves out disconnected outputs sees no monitor.
x_monitor() {
  xrandr --addmode "$1" "$2" 2>/dev/null
  xrandr --output "$1" --mode "$2" --pos "${3/,/x}" && xrandr --query >/dev/null
}

# A private bus whose address goes into VARIABLE (DBUS_SESSION_BUS_ADDRESS,
# or DBUS_SYSTEM_BUS_ADDRESS for a desktop that wants a system bus too: the
# session configuration serves, as only the desktop's own services use it).
# Started after DISPLAY is set, so the services it starts on demand see the
# display.
session_bus() {
  local variable=$1 lines
  lines=$(dbus-daemon --session --fork --print-address=1 --print-pid=1 \
    --address="unix:path=$SESSION/runtime/bus-${variable,,}") || return 1
  export "$variable=$(sed -n 1p <<<"$lines")"
  SPAWNED+=("$(sed -n 2p <<<"$lines")")
}

session_end() {
  local i
  # Last started first: the desktop before its bus and X server.
  for ((i = ${#SPAWNED[@]} - 1; i >= 0; i--)); do
    kill_tree "${SPAWNED[i]}"
  done
  SPAWNED=()
}
