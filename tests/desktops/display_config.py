#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Quilvane developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Lays out the monitors of a desktop whose window manager keeps the monitor
configuration itself (GNOME Shell, Cinnamon): through its DisplayConfig
interface on the session bus, as the desktop's own display settings do.
Monitors left out are switched off.

  display_config.py SERVICE CONNECTOR=WxH@X,Y [CONNECTOR=WxH@X,Y ...]

SERVICE is org.gnome.Mutter.DisplayConfig or org.cinnamon.Muffin.DisplayConfig.
The first monitor named is the primary one. The change is a temporary one,
which the desktop neither saves nor asks the user to confirm. Prints the
layout the desktop reports afterwards; the exit status is 0 only when it is
the one asked for."""
import re
import subprocess
import sys
import time


def call(service, method, *args):
    path = "/" + service.replace(".", "/")
    out = subprocess.run(["gdbus", "call", "--session", "--dest", service, "--object-path", path,
                          "--method", f"{service}.{method}", *args],
                         capture_output=True, text=True, timeout=30)
    if out.returncode != 0:
        raise SystemExit(f"{method}: {out.stderr.strip()}")
    return out.stdout


def state(service):
    """The serial, each connector's modes (id, width, height, whether it is
    the one in use) and the logical monitors now shown (x, y, connectors)."""
    text = call(service, "GetCurrentState")
    serial = int(re.match(r"\(uint32 (\d+),", text).group(1))
    # The monitors' list ends where the logical monitors' begins.
    split = text.index("})], [")
    monitors_part, logical_part = text[:split], text[split + 4:]
    modes = {}
    headers = list(re.finditer(r"\(\('([^']*)', '[^']*', '[^']*', '[^']*'\), \[", monitors_part))
    for n, h in enumerate(headers):
        section = monitors_part[h.end():headers[n + 1].start() if n + 1 < len(headers) else len(monitors_part)]
        modes[h.group(1)] = [(i, int(w), int(hh), "'is-current': <true>" in rest)
                             for i, w, hh, rest in re.findall(r"\('([^']+)', (\d+), (\d+), [^{]*(\{[^}]*\})", section)]
    shown = []
    for m in re.finditer(r"\((-?\d+), (-?\d+), [\d.]+, (?:uint32 )?\d+, (?:true|false), \[(.*?)\], ", logical_part):
        shown.append((int(m.group(1)), int(m.group(2)), re.findall(r"\('([^']*)', '[^']*', '[^']*', '[^']*'\)", m.group(3))))
    return serial, modes, shown


def layout(service):
    """What the desktop shows: (connector, width, height, x, y) of each
    monitor that is on, sorted."""
    _, modes, shown = state(service)
    out = []
    for x, y, connectors in shown:
        for c in connectors:
            w, h = next(((w, h) for _, w, h, current in modes.get(c, []) if current), (0, 0))
            out.append((c, w, h, x, y))
    return sorted(out)


def main(service, wanted):
    want = sorted(wanted)
    seen = []
    # Asked again when the desktop ends up elsewhere: a window manager still
    # busy with the outputs' last change may put its own layout back.
    for _ in range(3):
        serial, modes, _ = state(service)
        logical = []
        for n, (connector, w, h, x, y) in enumerate(wanted):
            choices = [i for i, mw, mh, _ in modes.get(connector, []) if (mw, mh) == (w, h)]
            if not choices:
                raise SystemExit(f"{connector} has no {w}x{h} mode (it has: {modes.get(connector)})")
            primary = "true" if n == 0 else "false"
            logical.append(f"({x}, {y}, 1.0, 0, {primary}, [('{connector}', '{choices[0]}', @a{{sv}} {{}})])")
        call(service, "ApplyMonitorsConfig", str(serial), "1", "[" + ", ".join(logical) + "]", "@a{sv} {}")
        for _ in range(25):
            time.sleep(0.2)
            seen = layout(service)
            if seen == want:
                # Still so a moment later: nothing of the desktop's own undid it.
                time.sleep(1)
                seen = layout(service)
                if seen == want:
                    print(" ".join(f"{c}={w}x{h}@{x},{y}" for c, w, h, x, y in seen))
                    return 0
    print("the desktop shows " + " ".join(f"{c}={w}x{h}@{x},{y}" for c, w, h, x, y in seen))
    return 1


def parse(arg):
    m = re.fullmatch(r"([^=]+)=(\d+)x(\d+)@(-?\d+),(-?\d+)", arg)
    if not m:
        raise SystemExit(f"not CONNECTOR=WxH@X,Y: {arg}")
    return m.group(1), int(m.group(2)), int(m.group(3)), int(m.group(4)), int(m.group(5))


if __name__ == "__main__":
    if len(sys.argv) < 3:
        raise SystemExit(__doc__)
    sys.exit(main(sys.argv[1], [parse(a) for a in sys.argv[2:]]))
