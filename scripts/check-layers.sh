#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Quilvane developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Fails on an #include of a layer the including layer may not use. Each layer
# may use those below it as the build links them:
#   platform <- widgets <- res
#   platform <- pictures <- desktop <- core <- session
#   core, widgets, res <- canvas <- designer / slideshow <- app
#   session <- app
# (designer and slideshow never include each other). Which layers have no
# window is not checked here: their targets are not linked with Qt Widgets,
# so a widget header cannot be found from them. tests/ and bench/ are exempt.
set -euo pipefail
cd "$(dirname "$0")/.."
exec python3 - <<'PY'
import re, subprocess, sys

BELOW = {
    "platform": set(),
    "widgets": {"platform"},
    "res": {"platform", "widgets"},
    "pictures": {"platform"},
    "desktop": {"platform", "pictures"},
    "core": {"platform", "pictures", "desktop"},
}
BELOW["session"] = BELOW["core"] | {"core"}
BELOW["canvas"] = BELOW["core"] | BELOW["res"] | {"core", "widgets", "res"}
BELOW["designer"] = BELOW["canvas"] | {"canvas"}
BELOW["slideshow"] = BELOW["canvas"] | {"canvas"}
BELOW["app"] = BELOW["designer"] | BELOW["session"] | {"designer", "slideshow", "session"}

include = re.compile(r'^\s*#\s*include\s*"([^"]+)"')
files = subprocess.run(["git", "ls-files", "--", *(f"{l}/*.cpp" for l in BELOW), *(f"{l}/*.h" for l in BELOW)],
                       capture_output=True, text=True, check=True).stdout.split()
problems = []
for path in files:
    layer = path.split("/")[0]
    for number, line in enumerate(open(path, encoding="utf-8"), 1):
        m = include.match(line)
        if not m:
            continue
        name = m.group(1)
        target = name.split("/")[0] if "/" in name else layer
        if target in BELOW and target != layer and target not in BELOW[layer]:
            problems.append(f'{path}:{number}: #include "{name}": {layer} may not include {target}')

if problems:
    print("check-layers: includes against the layer direction:", *problems, sep="\n  ", file=sys.stderr)
    sys.exit(1)
print(f"check-layers: {len(files)} files, every include follows the layers")
PY
