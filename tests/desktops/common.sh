# Shared by the desktop checks: a private session for one desktop (its own
# HOME, XDG folders, session bus and, for X11 desktops, its own Xvfb), the
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

# Xvfb of this session, exported as DISPLAY.
session_xvfb() {
  start_xvfb "${1:-1024x768x24}" || return 1
  SPAWNED+=("$XVFB_PID")
  export DISPLAY=$XVFB_DISPLAY
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

# Splits the Xvfb screen into two RandR monitors side by side, as two
# monitors on one X screen look to the desktops.
xvfb_two_monitors() {
  local w h
  read -r w h < <(xdpyinfo | awk '/dimensions:/ { split($2, s, "x"); print s[1], s[2] }')
  xrandr --setmonitor quilvane-left "$((w / 2))/100x$h/100+0+0" screen &&
    xrandr --setmonitor quilvane-right "$((w / 2))/100x$h/100+$((w / 2))+0" none || return 1
  MONITORS=("0,0,$((w / 2)),$h" "$((w / 2)),0,$((w / 2)),$h")
}
