#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Quilvane developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Sets pictures on real desktops, each started headless in a private session,
# through Quilvane's own WallPaperManager, and reads back what the desktop
# draws. One line per case, a closing "N passed, N failed", and the table of
# results written to RESULTS.md.
#
#   run.sh PROBE RESULTS.md [DESKTOP...]   (default: every desktop below)
#
# Each desktop is tests/desktops/<name>.sh: the programs it needs
# (DESKTOP_PROGRAMS), desktop_start, and optionally desktop_capture and the
# rows kept clear of panels (TOP_MARGIN, BOTTOM_MARGIN). A desktop whose
# programs are missing or which does not start is "not run", with the reason.
# The exit status is 0 only when every case that ran passed, leaving aside
# the failures a desktop file lists as the desktop's own (KNOWN). A desktop
# that stops giving screenshots gets one new session (see run_desktop).
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
PROBE=$(realpath "${1:?usage: run.sh PROBE RESULTS.md [DESKTOP...]}")
results_md=${2:?usage: run.sh PROBE RESULTS.md [DESKTOP...]}
shift 2
desktops=("$@")
[[ ${#desktops[@]} -gt 0 ]] || desktops=(x11 xfce lxde lxqt mate sway wlroots kde gnome cinnamon)
CASES=(centre tile stretch odd-name changed-content bad-picture two-monitors monitor-added dark restore)

WORK=$(mktemp -d /tmp/quilvane-desktops.XXXXXX)
chmod 755 "$WORK"
RESULTS=$WORK/results.tsv
: >"$RESULTS"
# The probe is a sanitizer build; leaks in the desktops' own libraries it
# loads are not what is checked here.
export ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

# A desktop file lists in KNOWN the cases that fail through a fault of the
# desktop itself, with the reason; such a failure is recorded as "known",
# stays in the table and the output, and does not fail the run.
declare -A KNOWN=()
# And in KNOWN_SOMETIMES those that fail only now and then through such a
# fault: a failure is shown as known, a pass counts as a pass.
declare -A KNOWN_SOMETIMES=()

record() { # desktop case status [detail]
  local status=$3 detail=${4:-}
  detail=${detail//$'\n'/ }
  local why=${KNOWN[$2]:-${KNOWN_SOMETIMES[$2]:-}}
  if [[ $status == fail && -n $why ]]; then
    status=known
    detail="$why Seen: $detail"
  elif [[ $status == pass && -n ${KNOWN[$2]:-} ]]; then
    detail="listed as a known failure but passed: take it off the list"
  fi
  # The case during which the desktop first gave no screenshot.
  local s=${SESSION:-/nonexistent}
  if [[ -f $s/no-answer && ! -f $s/no-answer-case ]]; then echo "$2" >"$s/no-answer-case"; fi
  [[ -z ${SESSION_NOTE:-} ]] || detail="${detail:+$detail }($SESSION_NOTE)"
  printf '%s\t%s\t%s\t%s\n' "$1" "$2" "$status" "$detail" >>"${SESSION_RESULTS:-$RESULTS}"
  printf '%-9s %-16s %s%s\n' "$1" "$2" "$status" "${detail:+: $detail}"
}

# --- the cases, run inside one desktop's session -----------------------------

PICTURE_SIZE=(${PICTURE_W:-240} ${PICTURE_H:-120}) # wider than any screen's aspect, smaller than the screen
SETTLE=2               # seconds a desktop gets to (wrongly) redraw

desktop_capture() { probe grab "$1"; }

# The probe runs as the desktop's user (a desktop file sets PROBE_AS).
PROBE_AS=()
probe() { "${PROBE_AS[@]}" "$PROBE" "$@"; }

# Makes a picture: picture FILE BODY CORNER [FAR]
picture() { probe picture "$1" "${PICTURE_SIZE[0]}x${PICTURE_SIZE[1]}" "${@:2}"; }

# Sets the picture as Quilvane does; prints the probe's answer.
set_picture() { probe set "$1" "$2" 2>>"$SESSION/logs/probe.log"; }

# Takes a screenshot into FILE; prints why there is none.
capture() {
  if [[ -f $SESSION/no-answer ]]; then
    echo "no screenshot: the desktop stopped answering earlier"
    return 1
  fi
  if ! desktop_capture "$1" >>"$SESSION/logs/capture.log" 2>&1; then
    # Noted for run_desktop: a session that stops answering is started anew.
    if [[ ! -f $SESSION/no-answer ]] && declare -F desktop_no_answer >/dev/null; then
      desktop_no_answer >"$SESSION/logs/no-answer.log" 2>&1
    fi
    date +%T >>"$SESSION/no-answer"
    echo "no screenshot: the desktop did not answer"
    return 1
  fi
}

# Compares one capture with the picture in the style; prints what differs.
shows() { # style body corner
  local shot=$SESSION/shot.png
  capture "$shot" || return 1
  probe check "$shot" "$1" "${PICTURE_SIZE[@]}" "$2" "$3" "${TOP_MARGIN:-0}" "${BOTTOM_MARGIN:-0}"
}

# Waits until the screen shows the picture in the style; prints what the last
# look saw when it never does. comes_up [monitors_show] STYLE BODY CORNER...
comes_up() {
  local end=$((SECONDS + ${SHOW_TIMEOUT:-15})) seen look=shows
  [[ $1 != monitors_show ]] || { look=$1; shift; }
  while :; do
    seen=$("$look" "$@") && return 0
    # No use waiting for a desktop that stopped answering.
    ((SECONDS < end)) && [[ ! -f $SESSION/no-answer ]] || break
    sleep 0.3
  done
  echo "$seen"
  return 1
}

# One picture set and looked for; records the case.
expect_shown() { # case file style-number style body corner
  local answer seen
  answer=$(set_picture "$2" "$3")
  if [[ $answer != shown ]]; then
    record "$NAME" "$1" fail "WallPaperManager: $answer ($(tail -n 2 "$SESSION/logs/probe.log" | tr '\n' ' '))"
    return 1
  fi
  seen=$(comes_up "$4" "$5" "$6")
  local shown=$?
  # Kept with the logs, to look at when a case fails.
  cp "$SESSION/shot.png" "$SESSION/$1.png" 2>/dev/null
  if [[ $shown -eq 0 ]]; then
    record "$NAME" "$1" pass
  else
    record "$NAME" "$1" fail "$seen"
    return 1
  fi
}

run_cases() {
  local p=$SESSION/pictures
  picture "$p/centre.png" '#d03030' '#30d030'
  expect_shown centre "$p/centre.png" 0 centre '#d03030' '#30d030'
  picture "$p/tile.png" '#3030d0' '#d0d030'
  expect_shown tile "$p/tile.png" 1 tile '#3030d0' '#d0d030'
  picture "$p/stretch.png" '#30d0d0' '#d030d0'
  expect_shown stretch "$p/stretch.png" 2 stretch '#30d0d0' '#d030d0'

  local odd="$p/it's a \"quoted\" \$HOME \\ name Ünïcødé ça.png"
  picture "$odd" '#e08020' '#2080e0'
  expect_shown odd-name "$odd" 2 stretch '#e08020' '#2080e0'

  # The slide show sets one path again after writing a new picture there.
  local same=$p/same.png answer seen
  picture "$same" '#808020' '#208080'
  answer=$(set_picture "$same" 2)
  if [[ $answer == shown ]] && comes_up stretch '#808020' '#208080' >/dev/null; then
    picture "$same" '#f0f0f0' '#802080'
    expect_shown changed-content "$same" 2 stretch '#f0f0f0' '#802080'
  else
    record "$NAME" changed-content fail "the first picture did not show ($answer)"
  fi

  # Garbage under a picture's name: reported, and the screen keeps the
  # picture shown before it (a fresh one, so this case stands on its own).
  picture "$p/before-bad.png" '#6040c0' '#c0c040'
  answer=$(set_picture "$p/before-bad.png" 2)
  if [[ $answer != shown ]] || ! seen=$(comes_up stretch '#6040c0' '#c0c040'); then
    record "$NAME" bad-picture fail "the picture before it did not show ($answer) ${seen:-}"
    return
  fi
  printf 'not a picture\n' >"$p/broken.png"
  answer=$(set_picture "$p/broken.png" 2)
  sleep "$SETTLE"
  if [[ $answer != "not a picture" ]]; then
    record "$NAME" bad-picture fail "WallPaperManager answered: $answer"
  elif seen=$(shows stretch '#6040c0' '#c0c040'); then
    record "$NAME" bad-picture pass
  else
    record "$NAME" bad-picture fail "the screen changed: $seen"
  fi
}

# --- two monitors: each shows the picture as its own size makes it ---------

# Looks at every monitor in MONITORS (x,y,w,h each) in one screenshot:
# monitors_show STYLE BODY CORNER FAR. Prints, per monitor, what differs.
monitors_show() {
  local shot=$SESSION/shot.png region seen wrong="" n=0
  capture "$shot" || return 1
  for region in "${MONITORS[@]}"; do
    n=$((n + 1))
    seen=$(probe check-monitor "$shot" "$1" "${PICTURE_SIZE[@]}" "$2" "$3" "$4" "$region" \
      "${TOP_MARGIN:-0}" "${BOTTOM_MARGIN:-0}") || wrong+="monitor $n ($region): $seen; "
  done
  [[ -z $wrong ]] && return 0
  echo "${wrong%; }"
  return 1
}

# One picture set in a style and looked for on every monitor; records the
# case: expect_on_monitors CASE STYLE-NUMBER STYLE BODY CORNER FAR
expect_on_monitors() {
  local file=$SESSION/pictures/${1//\//-}.png answer seen
  picture "$file" "$4" "$5" "$6"
  answer=$(set_picture "$file" "$2")
  if [[ $answer != shown ]]; then
    record "$NAME" "$1" fail "WallPaperManager: $answer ($(tail -n 2 "$SESSION/logs/probe.log" | tr '\n' ' '))"
    return 1
  fi
  seen=$(comes_up monitors_show "$3" "$4" "$5" "$6")
  local shown=$?
  cp "$SESSION/shot.png" "$SESSION/${1//\//-}.png" 2>/dev/null
  if [[ $shown -eq 0 ]]; then record "$NAME" "$1" pass "${ONE_PICTURE_ACROSS:-}"; else record "$NAME" "$1" fail "$seen"; fi
  return $shown
}

# A desktop file that can give the session a second monitor defines
# grow_first_monitor (the one monitor becomes FIRST_MONITOR's size) and
# add_second_monitor (SECOND_MONITOR comes on beside it); common.sh has
# them for the X11 desktops. The second monitor comes after the picture was
# set, as when a laptop is docked, while Quilvane keeps running (the probe
# stays, as Quilvane does for its tray icon and slide show), and must show
# the picture too. Then every style is set with both monitors there.
#
# A desktop that draws one picture over its monitors together says so in
# ONE_PICTURE_ACROSS (how the desktop itself puts it): its cases look at the
# whole layout as one screen. A desktop that draws only on the monitors it
# found when it started defines restart_desktop, run before the styles, as
# a new login with both monitors would.
run_monitor_cases() {
  if ! declare -F add_second_monitor >/dev/null; then
    record "$NAME" two-monitors "not run" "${NO_SECOND_MONITOR:-this session cannot have a second monitor}"
    record "$NAME" monitor-added "not run" "${NO_SECOND_MONITOR:-this session cannot have a second monitor}"
    return
  fi
  MONITORS=("$FIRST_MONITOR")
  if ! grow_first_monitor >>"$SESSION/logs/monitor.log" 2>&1; then
    seen="the monitor did not change: $(tail -n 2 "$SESSION/logs/monitor.log" | tr '\n' ' ')"
    record "$NAME" two-monitors fail "$seen"
    record "$NAME" monitor-added fail "$seen"
    return
  fi
  local p=$SESSION/pictures seen staying added=0
  picture "$p/monitor-added.png" '#c08040' '#40c080' '#8040c0'
  "${PROBE_AS[@]}" "$PROBE" stay "$p/monitor-added.png" 2 >"$SESSION/stay.out" 2>>"$SESSION/logs/probe.log" &
  staying=$!
  wait_until 30 eval "[[ -s $SESSION/stay.out ]] || ! kill -0 $staying"
  if [[ $(cat "$SESSION/stay.out") != shown ]]; then
    record "$NAME" monitor-added fail "WallPaperManager: $(cat "$SESSION/stay.out") ($(tail -n 2 "$SESSION/logs/probe.log" | tr '\n' ' '))"
  elif ! seen=$(comes_up monitors_show stretch '#c08040' '#40c080' '#8040c0'); then
    record "$NAME" monitor-added fail "the picture did not show on the one monitor before: $seen"
  elif ! add_second_monitor >>"$SESSION/logs/monitor.log" 2>&1; then
    record "$NAME" monitor-added fail "no second monitor came: $(tail -n 2 "$SESSION/logs/monitor.log" | tr '\n' ' ')"
  else
    added=1
    monitors_of_layout
    seen=$(comes_up monitors_show stretch '#c08040' '#40c080' '#8040c0')
    local shown=$?
    cp "$SESSION/shot.png" "$SESSION/monitor-added.png" 2>/dev/null
    if [[ $shown -eq 0 ]]; then
      record "$NAME" monitor-added pass "${ONE_PICTURE_ACROSS:-}"
    else
      record "$NAME" monitor-added fail "$seen"
    fi
  fi
  kill_tree "$staying"
  if [[ $added -eq 0 ]] && ! add_second_monitor >>"$SESSION/logs/monitor.log" 2>&1; then
    record "$NAME" two-monitors fail "no second monitor came: $(tail -n 2 "$SESSION/logs/monitor.log" | tr '\n' ' ')"
    return
  fi
  monitors_of_layout
  if declare -F restart_desktop >/dev/null && ! restart_desktop >>"$SESSION/logs/monitor.log" 2>&1; then
    record "$NAME" two-monitors fail "the desktop did not start again: $(tail -n 2 "$SESSION/logs/monitor.log" | tr '\n' ' ')"
    return
  fi

  expect_on_monitors two-monitors/centre 0 centre '#b03060' '#60b030' '#3060b0'
  expect_on_monitors two-monitors/tile 1 tile '#2090a0' '#a02090' '#90a020'
  expect_on_monitors two-monitors/stretch 2 stretch '#e0c060' '#6040e0' '#40e0c0'
}

# What the cases look at once both monitors are there: each monitor, or the
# whole layout for a desktop that draws one picture across them.
monitors_of_layout() {
  if [[ -n ${ONE_PICTURE_ACROSS:-} ]]; then
    MONITORS=("$WHOLE_LAYOUT")
  else
    MONITORS=("$FIRST_MONITOR" "$SECOND_MONITOR")
  fi
}

source "$here/restore.sh"

# --- one desktop ------------------------------------------------------------

# One session of the desktop running every case; its results go to
# SESSION_RESULTS. Fails only when the desktop did not start.
run_session() { # folder
  session_begin "$1"
  SESSION_RESULTS=$SESSION/results.tsv
  : >"$SESSION_RESULTS"
  local started=$SECONDS
  if ! desktop_start >>"$SESSION/logs/start.log" 2>&1; then
    record "$NAME" - "${START_FAILED:-not run}" "did not start: $(tail -n 3 "$SESSION/logs/start.log" | tr '\n' ' ')"
    return 1
  fi
  echo "# $NAME started in $((SECONDS - started)) s"
  run_cases
  # A desktop's own cases (a desktop file defines extra_cases), on the one
  # monitor the cases above had.
  if declare -F extra_cases >/dev/null; then extra_cases; fi
  run_monitor_cases
}

run_desktop() {
  NAME=$1
  source "$here/common.sh"
  source "$here/$NAME.sh"
  local missing=() program
  for program in "${DESKTOP_PROGRAMS[@]}"; do
    command -v "$program" >/dev/null || missing+=("$program")
  done
  if [[ ${#missing[@]} -gt 0 ]]; then
    record "$NAME" - "not run" "not installed: ${missing[*]} (scripts/install-desktops.sh installs them)"
    return
  fi
  trap session_end EXIT
  run_session "$WORK/$NAME"
  session_end
  # A session that stopped giving screenshots (seen with GNOME Shell on a
  # loaded machine) proves nothing either way, and a desktop started headless
  # on a loaded machine now and then misses one change: in both cases the
  # results are set aside and every case runs once more in a new session,
  # whose results count and say why they were needed. A fault of Quilvane's
  # fails both sessions; there is no third.
  local why="" failed
  failed=$(awk -F'\t' '$3 == "fail" { printf " %s", $2 }' "$SESSION_RESULTS")
  if [[ -f $SESSION/no-answer ]]; then
    local during
    during=$(cat "$SESSION/no-answer-case" 2>/dev/null || echo "the last case")
    echo "# $NAME stopped answering screenshot requests during $during (see $SESSION/logs/no-answer.log); its results above are set aside and every case runs again in a new session"
    why="the first stopped answering screenshot requests during $during"
  elif [[ -n $failed ]]; then
    echo "# $NAME failed$failed; its results above are set aside and every case runs again in a new session"
    why="the first failed$failed"
  fi
  if [[ -n $why ]]; then
    START_FAILED=fail SESSION_NOTE="in a second session: $why"
    run_session "$WORK/$NAME-again"
    session_end
  fi
  cat "$SESSION_RESULTS" >>"$RESULTS"

  SESSION_NOTE=""
  run_restore_session "$WORK/$NAME-restore"
  # Its two logins double the chance that a desktop's session does not come
  # up on a loaded machine (Cinnamon's, now and then): up to three tries; a
  # fault of ours fails every one.
  local try
  for try in 2 3; do
    awk -F'\t' '$3 == "fail" { bad = 1 } END { exit !bad }' "$SESSION_RESULTS" || break
    echo "# $NAME failed the restore case; try $try in new sessions"
    SESSION_NOTE="in try $try: the one before failed: $(cut -f4 "$SESSION_RESULTS" | head -c 300)"
    run_restore_session "$WORK/$NAME-restore-$try"
  done
  cat "$SESSION_RESULTS" >>"$RESULTS"
}

# The restore case in sessions of its own, after the others: a login with
# the one monitor a session starts with, whatever the monitor cases left
# behind, and nothing after it that its second login could disturb.
run_restore_session() { # folder
  source "$here/common.sh"
  source "$here/$NAME.sh"
  session_begin "$1"
  SESSION_RESULTS=$SESSION/results.tsv
  : >"$SESSION_RESULTS"
  # The whole screen of the one monitor, not the layout the monitor cases left.
  MONITORS=()
  if desktop_start >>"$SESSION/logs/start.log" 2>&1; then
    run_restore_case
  else
    record "$NAME" restore fail "did not start: $(tail -n 3 "$SESSION/logs/start.log" | tr '\n' ' ')"
  fi
  session_end
}

for d in "${desktops[@]}"; do
  if [[ ! -f $here/$d.sh ]]; then
    echo "no desktop $d (tests/desktops/$d.sh)" >&2
    exit 64
  fi
  (run_desktop "$d")
done

python3 "$here/results_table.py" "$RESULTS" "${CASES[@]}" >"$results_md"
passed=$(awk -F'\t' '$3 == "pass"' "$RESULTS" | wc -l)
failed=$(awk -F'\t' '$3 == "fail"' "$RESULTS" | wc -l)
known=$(awk -F'\t' '$3 == "known" { printf " %s/%s", $1, $2 }' "$RESULTS")
# CI shows only the end of the output: the failures once more, by name.
failures=$(awk -F'\t' '$3 == "fail" { printf " %s/%s", $1, $2 }' "$RESULTS")
# The logs and screenshots stay only when something did not pass.
if awk -F'\t' '$3 != "pass" { bad = 1 } END { exit !bad }' "$RESULTS" || compgen -G "$WORK/*-again" >/dev/null; then
  echo "logs and screenshots: $WORK"
else
  rm -rf "$WORK"
fi
[[ -z $known ]] || echo "known failures of the desktops themselves (not counted, see $results_md):$known"
[[ -z $failures ]] || echo "failed:$failures"
echo "$passed passed, $failed failed"
[[ $failed -eq 0 ]]
