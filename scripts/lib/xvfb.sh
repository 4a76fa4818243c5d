# SPDX-FileCopyrightText: 2026 The Quilvane developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Sourced by scripts that need an X server of their own.
#
# start_xvfb [SCREEN]: starts Xvfb on a display number the X server picks
# itself (-displayfd), so two scripts starting at once never race for the
# same number. Sets XVFB_DISPLAY (":N") and XVFB_PID; the caller stops it
# with stop_xvfb. The log goes to XVFB_LOG.

start_xvfb() {
  local screen=${1:-1920x1080x24}
  local fifo
  XVFB_LOG=$(mktemp /tmp/quilvane-xvfb.XXXXXX)
  fifo=$(mktemp -u /tmp/quilvane-xvfb-fd.XXXXXX)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 "$screen" -noreset -nolisten tcp 3>"$fifo" >"$XVFB_LOG" 2>&1 &
  XVFB_PID=$!
  local number=""
  # The server writes its number once it listens; a server that dies first
  # closes the pipe and read returns empty.
  read -r -t 20 number <"$fifo" || true
  rm -f "$fifo"
  if [[ -z "$number" ]]; then
    echo "Xvfb did not start:" >&2
    cat "$XVFB_LOG" >&2
    kill "$XVFB_PID" 2>/dev/null || true
    return 1
  fi
  XVFB_DISPLAY=":$number"
}

stop_xvfb() {
  [[ -n "${XVFB_PID:-}" ]] || return 0
  kill "$XVFB_PID" 2>/dev/null || true
  wait "$XVFB_PID" 2>/dev/null || true
  rm -f "${XVFB_LOG:-}"
  XVFB_PID=""
}
