#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Quilvane developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Starts Quilvane. With no display at all, it first starts a private virtual
# display that only this machine can reach (VNC on 127.0.0.1, password
# protected) and says how to look at it.
set -euo pipefail

exe=${1:?usage: run-app.sh PATH_TO_QUILVANE}
# Relative paths the program uses (the "wallpaper" folder) start from here.
cd "$(dirname "$0")/.."

if [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ]]; then
  exec "$exe"
fi

display=1
while [[ -e /tmp/.X11-unix/X$display || -e /tmp/.X$display-lock ]]; do
  display=$((display + 1))
done
port=$((5900 + display))

vncdir=$(mktemp -d)
trap 'kill ${vnc_pid:-} 2>/dev/null || true; rm -rf "$vncdir"' EXIT
password=$(head -c 12 /dev/urandom | base64 | tr -dc 'A-Za-z0-9' | head -c 8)
printf '%s\n' "$password" | vncpasswd -f >"$vncdir/passwd"
chmod 600 "$vncdir/passwd"

# -interface and -localhost keep the VNC server on the loopback address;
# -nolisten tcp keeps the X server itself off the network.
Xvnc ":$display" -geometry 1280x800 -depth 24 -interface 127.0.0.1 -localhost \
  -rfbport "$port" -SecurityTypes VncAuth -PasswordFile "$vncdir/passwd" -nolisten tcp \
  >"$vncdir/xvnc.log" 2>&1 &
vnc_pid=$!
for _ in $(seq 1 100); do
  [[ -e /tmp/.X11-unix/X$display ]] && break
  sleep 0.1
done
if [[ ! -e /tmp/.X11-unix/X$display ]]; then
  echo "The virtual display did not start:" >&2
  cat "$vncdir/xvnc.log" >&2
  exit 1
fi

cat <<MSG
No display found: Quilvane runs on a private virtual display.
  View it on this machine with:  vncviewer 127.0.0.1::$port
  (from elsewhere, tunnel first: ssh -L $port:127.0.0.1:$port THIS_HOST)
  Password: $password
Close Quilvane (or press Ctrl+C here) to stop the display.
MSG
DISPLAY=":$display" QT_QPA_PLATFORM=xcb "$exe"
