#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Quilvane developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Turns the desktop checks' results (desktop, case, status, detail per line,
tab-separated) into the Markdown page docs/desktops.md: one row per desktop,
one column per case, and the reason for every failed or skipped one."""
import datetime
import platform
import sys

MARK = {"pass": "pass", "fail": "**FAIL**", "known": "fails (desktop's fault)", "not run": "not run"}


def cell(cells, column):
    """A column's mark; a column whose case has parts ("two-monitors/tile")
    is "pass" when every part passed and names each part otherwise."""
    if column in cells:
        return MARK.get(cells[column], cells[column])
    parts = [(case.split("/", 1)[1], status) for case, status in cells.items() if case.startswith(column + "/")]
    if not parts:
        return "-"
    if all(status == "pass" for _, status in parts):
        return "pass"
    return ", ".join(f"{part}: {MARK.get(status, status)}" for part, status in parts)


def main(results_path, cases):
    rows, order, notes, said = {}, [], [], set()
    with open(results_path, encoding="utf-8") as f:
        for line in f:
            desktop, case, status, detail = (line.rstrip("\n").split("\t") + [""] * 4)[:4]
            if desktop not in rows:
                rows[desktop] = {}
                order.append(desktop)
            rows[desktop][case] = status
            # A note said of several passed cases of one desktop is given once.
            if status != "pass" or (detail and (desktop, "pass", detail) not in said):
                notes.append((desktop, case, status, detail))
                said.add((desktop, status, detail))

    out = ["# Desktops checked for real", "",
           "Written by `make test-desktops` (tests/desktops/run.sh) on "
           f"{datetime.date.today().isoformat()}, {platform.system()} {platform.release()}: "
           "each desktop started headless in a private session, pictures set through "
           "WallPaperManager, the pixels the desktop drew read back. A desktop whose session "
           "stops answering screenshot requests (GNOME Shell, headless and software-rendered, "
           "did so now and then on a loaded machine) or fails a case has that session's results "
           "set aside and every case run once more in a new session; only the second session's "
           "results count, and each of them says so below, with what failed the first time. "
           "restore: a picture set with `quilvane --set` (stretched), the session ended, a new "
           "session of the same desktop started with the same home, `quilvane --restore`, the "
           "pixels read back; it runs in sessions of its own after the other cases.", "",
           "The X11 desktops run on Xorg with its dummy video driver, whose RandR outputs come and go "
           "as a real card's do; GNOME Shell has virtual monitors switched on and off through its "
           "display configuration, sway a second headless output. two-monitors: a 1920x1080 monitor "
           "at 0,0 and a 1280x1024 one at 1920,100, each checked for centre, tile and stretch as its "
           "own size makes them (a picture marked at two corners), unless a note says the desktop "
           "draws one picture across both. monitor-added: the second monitor comes after the picture "
           "was set, with Quilvane still running, and must show it too.", "",
           "| desktop | " + " | ".join(cases) + " |",
           "|---|" + "---|" * len(cases)]
    for desktop in order:
        cells = rows[desktop]
        if "-" in cells:  # the whole desktop was not run
            out.append(f"| {desktop} | " + " | ".join(["not run"] * len(cases)) + " |")
        else:
            out.append(f"| {desktop} | " + " | ".join(cell(cells, c) for c in cases) + " |")
    if notes:
        out += ["", "## Not passed, and notes", ""]
        for desktop, case, status, detail in notes:
            what = "the whole desktop" if case == "-" else case
            out.append(f"- {desktop}, {what}: {status}. {detail}".rstrip())
    print("\n".join(out))


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2:])
