#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Quilvane developers
# SPDX-License-Identifier: GPL-3.0-or-later

# A headless wlroots compositor (sway with its headless back end and the
# pixman renderer: no GPU, no input devices) for tests that need a real
# Wayland session with layer shell and screen capture.
#
#   headless-wlroots.sh start DIR [WIDTHxHEIGHT]
#       Starts it with DIR as its home (DIR must be new or empty; it is made
#       if missing) and prints, once the output is up, lines to evaluate:
#         WAYLAND_DISPLAY=<absolute path of its socket>
#         SWAYSOCK=<its IPC socket>
#         COMPOSITOR_PID=<pid>
#       Exit code 3 when sway is not installed, 1 when it did not come up
#       (its log is DIR/compositor.log).
#   headless-wlroots.sh stop DIR
#       Ends the compositor started with DIR.
#
# sway refuses to run as root: under root it runs as the user nobody, with a
# runtime folder of its own in DIR. Clients running as root reach it through
# the absolute socket path.
set -euo pipefail

command=${1:?usage: headless-wlroots.sh start|stop DIR [WIDTHxHEIGHT]}
dir=${2:?usage: headless-wlroots.sh start|stop DIR [WIDTHxHEIGHT]}
size=${3:-640x480}

case $command in
stop)
  if [[ -f $dir/compositor.pid ]]; then
    pid=$(cat "$dir/compositor.pid")
    kill "$pid" 2>/dev/null || true
    # Gone, or a zombie nobody reaps (its parent, our shell, has ended).
    for _ in $(seq 1 50); do
      state=$(ps -o stat= -p "$pid" 2>/dev/null || true)
      [[ -z $state || $state == Z* ]] && break
      sleep 0.1
    done
    kill -9 "$pid" 2>/dev/null || true
    rm -f "$dir/compositor.pid"
  fi
  exit 0
  ;;
start) ;;
*)
  echo "unknown command $command" >&2
  exit 2
  ;;
esac

if ! command -v sway >/dev/null 2>&1; then
  echo "sway is not installed (Debian package sway)" >&2
  exit 3
fi

mkdir -p "$dir/runtime"
chmod 700 "$dir/runtime"
config=$dir/compositor.config
printf 'output * mode %s\n' "$size" >"$config"
as_user=()
if [[ $(id -u) -eq 0 ]]; then
  chown nobody "$dir/runtime"
  chmod 755 "$dir"
  chmod 644 "$config"
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups --)
fi

env -i PATH=/usr/local/bin:/usr/bin:/bin HOME="$dir" XDG_RUNTIME_DIR="$dir/runtime" \
  WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman WLR_HEADLESS_OUTPUTS=1 \
  "${as_user[@]}" sway -c "$config" >"$dir/compositor.log" 2>&1 &
pid=$!
echo "$pid" >"$dir/compositor.pid"

# Up when its IPC answers with an active output.
for _ in $(seq 1 100); do
  kill -0 "$pid" 2>/dev/null || break
  ipc=$(ls "$dir/runtime" 2>/dev/null | grep -E '^sway-ipc\.' | head -n 1 || true)
  display=$(ls "$dir/runtime" 2>/dev/null | grep -E '^wayland-[0-9]+$' | head -n 1 || true)
  if [[ -n $ipc && -n $display ]] &&
    swaymsg -s "$dir/runtime/$ipc" -t get_outputs 2>/dev/null | grep -q '"active": true'; then
    echo "WAYLAND_DISPLAY=$dir/runtime/$display"
    echo "SWAYSOCK=$dir/runtime/$ipc"
    echo "COMPOSITOR_PID=$pid"
    exit 0
  fi
  sleep 0.1
done
echo "the compositor did not come up; see $dir/compositor.log" >&2
kill "$pid" 2>/dev/null || true
exit 1
