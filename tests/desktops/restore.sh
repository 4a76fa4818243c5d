# SPDX-FileCopyrightText: 2026 The Quilvane developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The "restore" case, sourced by run.sh and run in sessions of its own after
# each desktop's other cases: what the next login finds. A picture is set with
# `quilvane --set` (which remembers it), the session ends (the desktop, its
# bus and X server or compositor), a new session of the same desktop starts
# with the same home and settings, and `quilvane --restore` must bring the picture back.

# The program itself, built beside the probe (make test-desktops builds both).
QUILVANE_BIN=${QUILVANE_BIN:-$(dirname "$PROBE")/quilvane}

# Quilvane's settings, writable by whichever user the probe runs as.
restore_quilvane() {
  "${PROBE_AS[@]}" env XDG_CONFIG_HOME="$SESSION/restore-config" "$QUILVANE_BIN" "$@" \
    >>"$SESSION/logs/restore.log" 2>&1
}

# Whether the screen shows the picture stretched: over the whole screen, or on
# each monitor in MONITORS on its own.
restore_shows() {
  local region seen wrong=""
  if [[ ${#MONITORS[@]} -eq 0 ]]; then
    comes_up stretch '#40a040' '#a040a0'
    return
  fi
  for region in "${MONITORS[@]}"; do
    seen=$(REGION=$region comes_up stretch '#40a040' '#a040a0') || wrong+="monitor $region: $seen; "
  done
  [[ -z $wrong ]] || { echo "$wrong"; return 1; }
}

run_restore_case() {
  local p=$SESSION/pictures seen
  if [[ ! -x $QUILVANE_BIN ]]; then
    record "$NAME" restore fail "no program at $QUILVANE_BIN"
    return
  fi
  mkdir -p "$SESSION/restore-config" && chmod 1777 "$SESSION/restore-config"
  picture "$p/restore.png" '#40a040' '#a040a0'
  if ! restore_quilvane --set "$p/restore.png" --mode stretch; then
    record "$NAME" restore fail "quilvane --set failed: $(tail -n 2 "$SESSION/logs/restore.log" | tr '\n' ' ')"
    return
  fi
  MONITORS=(${MONITORS[@]+"${MONITORS[@]}"})
  if ! seen=$(restore_shows); then
    record "$NAME" restore fail "the picture did not show before the session ended: $seen"
    return
  fi

  # A new login: everything of the session ends; the home folder stays.
  session_end
  MONITORS=()
  find "$SESSION" -maxdepth 2 \( -type s -o -name 'wayland-*.lock' \) -delete 2>/dev/null
  if ! desktop_start >>"$SESSION/logs/start-again.log" 2>&1; then
    record "$NAME" restore fail "the new session did not start: $(tail -n 2 "$SESSION/logs/start-again.log" | tr '\n' ' ')"
    return
  fi
  if ! restore_quilvane --restore; then
    record "$NAME" restore fail "quilvane --restore failed: $(tail -n 2 "$SESSION/logs/restore.log" | tr '\n' ' ')"
    return
  fi
  seen=$(restore_shows)
  local shown=$?
  cp "$SESSION/shot.png" "$SESSION/restore.png" 2>/dev/null
  if [[ $shown -eq 0 ]]; then
    record "$NAME" restore pass
  else
    record "$NAME" restore fail "after quilvane --restore in the new session: $seen"
  fi
}
