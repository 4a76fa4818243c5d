#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Quilvane developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The Debian package from a user's side: builds it (make package), checks it
# with lintian and its desktop file, metainfo and manual page with their own
# validators, installs it with apt-get, starts the installed program on an
# Xvfb of its own and quits it through its "&File" menu, checks that the
# installed files are exactly those docs/install.md lists, runs its command
# line (--help, --version, --autostart on/off), then removes the package and
# checks that nothing of it is left. Run as root (CI is); the
# machine is left without the package, as it was found.
#
#   scripts/check-package.sh [--no-build]   --no-build: use the .deb in build/release
set -euo pipefail
cd "$(dirname "$0")/.."
top=$(pwd)
# shellcheck source=scripts/lib/xvfb.sh
source scripts/lib/xvfb.sh

step() { printf '\n== %s\n' "$*"; }
# Whether anything of the package is on the system (installed, unpacked, or
# only its configuration files left).
package_present() {
  local status
  status=$(dpkg-query -W -f='${db:Status-Status}' quilvane 2>/dev/null || true)
  [[ -n $status && $status != not-installed ]]
}
fail() {
  echo "check-package: $*" >&2
  exit 1
}

[[ $(id -u) -eq 0 ]] || fail "needs root: it installs and removes the package with apt-get"
if [[ ${1:-} != --no-build ]]; then
  step "make package"
  make package
fi
shopt -s nullglob
debs=(build/release/quilvane_*.deb)
[[ ${#debs[@]} -eq 1 ]] || fail "expected one build/release/quilvane_*.deb, found ${#debs[@]}"
deb=$top/${debs[0]}
echo "package: ${debs[0]}"

step "lintian"
# Errors fail the check; the warnings left are explained in docs/install.md.
lintian_out=$(lintian --info "$deb" 2>&1) || true
printf '%s\n' "$lintian_out"
errors=$(grep -c '^E: ' <<<"$lintian_out" || true)
warnings=$(grep -c '^W: ' <<<"$lintian_out" || true)
echo "lintian: $errors errors, $warnings warnings"
[[ $errors -eq 0 ]] || fail "lintian reports errors"

# Files the package installs, as docs/install.md lists them.
expected=$(sed -n '/<!-- installed-files -->/,/<!-- end installed-files -->/p' docs/install.md | grep '^/' | sort)
[[ -n "$expected" ]] || fail "docs/install.md lists no installed files"

export DEBIAN_FRONTEND=noninteractive
if package_present; then
  step "removing the quilvane installed before this check"
  apt-get remove --purge -y -qq quilvane
fi

work=$(mktemp -d)
app_pid=""
cleanup() {
  if [[ -n "$app_pid" ]]; then kill "$app_pid" 2>/dev/null || true; fi
  stop_xvfb
  rm -rf "$work"
  # Never leave the package behind, also when a check failed halfway.
  if package_present; then
    apt-get remove --purge -y -qq quilvane >/dev/null 2>&1 || true
  fi
}
trap cleanup EXIT

step "apt-get install ./${debs[0]}"
# Recommends stay out: the check must leave the machine's packages as they were.
apt-get install -y -qq --no-install-recommends "$deb"

step "installed files against docs/install.md"
# Files only, folders left out (dpkg lists both); a file under a folder is
# enough to say where the folder is.
existing() { # reads paths, prints those that exist as a file or a link
  local path
  while read -r path; do
    if [[ -f $path || -L $path ]]; then echo "$path"; fi
  done
}
installed=$(dpkg -L quilvane | existing | sort)
if [[ "$installed" != "$expected" ]]; then
  diff <(echo "$expected") <(echo "$installed") | sed 's/^</  listed, not installed:/; s/^>/  installed, not listed:/' >&2 || true
  fail "the installed files differ from docs/install.md"
fi
echo "$(wc -l <<<"$installed") files, as listed"

step "desktop-file-validate, appstreamcli validate --no-net, man"
desktop-file-validate /usr/share/applications/org.quilvane.Quilvane.desktop
icon=$(sed -n 's/^Icon=//p' /usr/share/applications/org.quilvane.Quilvane.desktop)
for size in 16x16 22x22 24x24 32x32 48x48 64x64 128x128 256x256; do
  [[ -f /usr/share/icons/hicolor/$size/apps/$icon.png ]] || fail "no $size icon named $icon"
done
[[ -f /usr/share/icons/hicolor/scalable/apps/$icon.svg ]] || fail "no scalable icon named $icon"
echo "the desktop file's icon $icon: every size and scalable"
appstreamcli validate --no-net /usr/share/metainfo/org.quilvane.Quilvane.metainfo.xml
man_warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l /usr/share/man/man1/quilvane.1.gz 2>&1 >/dev/null)
[[ -z "$man_warnings" ]] || fail "man -l warns: $man_warnings"
echo "man -l: no warnings"

step "start /usr/bin/quilvane on Xvfb and quit it through File > Quit"
start_xvfb 1280x1024x24
export DISPLAY=$XVFB_DISPLAY
# A user of its own: a fresh home, settings and runtime folder.
mkdir -p "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
run_env=(env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u QUILVANE_DESKTOP -u QUILVANE_QUIT_WHEN_SHOWN
  HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share"
  XDG_RUNTIME_DIR="$work/runtime" XDG_CURRENT_DESKTOP= DISPLAY="$DISPLAY")
cd "$work/home"
"${run_env[@]}" /usr/bin/quilvane >"$work/app.log" 2>&1 &
app_pid=$!
cd "$top"

# xdotool's own waiting (--sync) has no time limit: poll instead.
wait_window() { # NAME: prints the id of the visible window called NAME
  local id
  for _ in $(seq 1 300); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1 || true)
    [[ -n "$id" ]] && echo "$id" && return 0
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.1
  done
  cat "$work/app.log" >&2
  fail "no window \"$1\" appeared"
}
wait_gone() { # ID
  for _ in $(seq 1 100); do
    xdotool getwindowname "$1" >/dev/null 2>&1 || return 0
    xwininfo -id "$1" 2>/dev/null | grep -q 'IsViewable' || return 0
    sleep 0.1
  done
  fail "window $1 did not close"
}

# The first start shows the Tip of the Day: that it opens at all proves the
# installed Tips.tip was found. Esc closes it.
tip=$(wait_window "Tip of the day")
echo "Tip of the day shown (window $tip); closing it with Esc"
xdotool windowfocus --sync "$tip" key Escape
wait_gone "$tip"

main=$(wait_window "Quilvane")
echo "main window $main"
wm_class=$(xprop -id "$main" WM_CLASS)
echo "$wm_class"
startup_class=$(sed -n 's/^StartupWMClass=//p' /usr/share/applications/org.quilvane.Quilvane.desktop)
grep -q "\"$startup_class\"\$" <<<"$wm_class" ||
  fail "the window's class is not the desktop file's StartupWMClass ($startup_class)"
# -len: by default xprop cuts the property short inside the 256 pixel image
# and leaves out the images after it.
icons=$(xprop -len 4000000 -id "$main" -notype _NET_WM_ICON | grep -ao 'Icon ([0-9]* x [0-9]*)' | tr '\n' ' ' || true)
echo "window icons: $icons"
for size in 16 32 48; do
  grep -q "Icon ($size x $size)" <<<"$icons" || fail "the window's icon has no $size x $size image"
done

echo "Alt+F, then Q (\"&File\" > \"&Quit\")"
xdotool windowfocus --sync "$main"
xdotool key alt+f
sleep 0.5
xdotool key q
status=""
for _ in $(seq 1 300); do
  if ! kill -0 "$app_pid" 2>/dev/null; then
    status=0
    wait "$app_pid" || status=$?
    break
  fi
  sleep 0.1
done
[[ -n "$status" ]] || fail "the program did not end after File > Quit"
app_pid=""
echo "exit code $status"
[[ $status -eq 0 ]] || {
  cat "$work/app.log" >&2
  fail "the program ended with exit code $status"
}
settings=$work/home/.config/quilvane/settings.json
[[ -s $settings ]] || fail "no settings written ($settings)"
echo "settings written: $(wc -c <"$settings") bytes in ~/.config/quilvane/settings.json"

# The command line of the installed program: --help and --version print and
# exit without a window, the version being the package's.
step "quilvane --help / --version"
help=$("${run_env[@]}" timeout 60 /usr/bin/quilvane --help) || fail "quilvane --help failed"
grep -q -- '--version' <<<"$help" || fail "quilvane --help does not list --version: $help"
echo "quilvane --help: $(wc -l <<<"$help") lines"
version=$("${run_env[@]}" timeout 60 /usr/bin/quilvane --version) || fail "quilvane --version failed"
echo "quilvane --version: $version"
expected_version=$(dpkg-deb -f "$deb" Version)
[[ $version == "quilvane ${expected_version%%-*}" ]] || fail "--version says \"$version\", not quilvane $expected_version"

# The login entry the installed program writes: valid, running the installed
# program by name, with an icon the package installs; and gone again.
step "quilvane --autostart on / off"
entry=$work/home/.config/autostart/quilvane.desktop
"${run_env[@]}" timeout 60 /usr/bin/quilvane --autostart on || fail "quilvane --autostart on failed"
desktop-file-validate "$entry"
grep -qx 'Exec=quilvane --restore' "$entry" || fail "the login entry does not run quilvane --restore: $(cat "$entry")"
entry_icon=$(sed -n 's/^Icon=//p' "$entry")
[[ -f /usr/share/icons/hicolor/48x48/apps/$entry_icon.png ]] || fail "the login entry's icon $entry_icon is not installed"
echo "login entry: valid, Exec=quilvane --restore, icon $entry_icon"
"${run_env[@]}" timeout 60 /usr/bin/quilvane --autostart off || fail "quilvane --autostart off failed"
[[ ! -e $entry ]] || fail "quilvane --autostart off left $entry"
echo "login entry removed"
stop_xvfb

step "apt-get remove --purge quilvane"
apt-get remove --purge -y -qq quilvane
if package_present; then
  fail "quilvane is still on the system: $(dpkg-query -W -f='${Status}' quilvane)"
fi
left=$(existing <<<"$expected")
for dir in /usr/share/quilvane /usr/share/doc/quilvane; do
  if [[ -e $dir ]]; then left+=$'\n'"$dir"; fi
done
left=$(sed '/^$/d' <<<"$left")
[[ -z "$left" ]] || fail "left behind after the purge: $left"
echo "nothing of the package is left"
echo
echo "check-package: all checks passed"
