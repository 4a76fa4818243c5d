#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Quilvane developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Gives every tracked file that can carry a comment the licence header of the
# REUSE layout (a copyright line and a licence identifier), in the comment
# syntax of its type, right at the top: after a "#!" line, after an XML
# declaration. Files that already name a licence are left as they are, so
# running it again changes nothing. Pictures, translations, JSON, test data
# and fuzzing seeds get their licence from .reuse/dep5 instead; `reuse lint`
# checks the result.
#
#   scripts/add-spdx-headers.sh           add the missing headers
#   scripts/add-spdx-headers.sh --check   only list the files that lack one
set -euo pipefail
cd "$(dirname "$0")/.."
exec python3 - "$@" <<'PY'
import os, re, subprocess, sys, datetime

check = sys.argv[1:] == ["--check"]
if sys.argv[1:] and not check:
    sys.exit("usage: add-spdx-headers.sh [--check]")

# Spelled in two parts so that this script is not itself read as a header.
TAG_COPYRIGHT = "SPDX-" + "FileCopyrightText"
TAG_LICENSE = "SPDX-" + "License-Identifier"
HOLDER = "The Quilvane developers"
LICENSE = "GPL-3.0-or-later"
# The metainfo's metadata licence is CC0 (software centres require a
# permissive one), and the file says so inside as well.
LICENSE_BY_NAME = {re.compile(r"\.metainfo\.xml$"): "CC0-1.0"}

# Left to .reuse/dep5: keep these in step with it.
DEP5 = re.compile(r"(^tests/data/|^tests/fuzz/corpus/|^packaging/(changelog|copyright)$|^docs/desktops\.md$|"
                  r"^LICENSES/|^\.reuse/|"
                  r"\.(png|jpe?g|bmp|gif|ico|svgz|qm|ts|json)$)", re.I)

HASH = ("#", "")
SLASH = ("//", "")
XML = ("<!--", "-->")
ROFF = ('.\\"', "")
SEMI = (";", "")
STYLE_BY_EXT = {
    "cpp": SLASH, "cc": SLASH, "cxx": SLASH, "c": SLASH, "h": SLASH, "hpp": SLASH, "rc": SLASH,
    "js": SLASH, "qml": SLASH,
    "sh": HASH, "py": HASH, "cmake": HASH, "supp": HASH, "yml": HASH, "yaml": HASH, "toml": HASH,
    "desktop": HASH, "cfg": HASH, "conf": HASH, "dict": HASH,
    "md": XML, "xml": XML, "svg": XML, "manifest": XML, "qrc": XML, "ui": XML, "html": XML,
    "tip": SEMI,
}
STYLE_BY_NAME = {
    "CMakeLists.txt": HASH, "Makefile": HASH, ".gitignore": HASH, ".gitattributes": HASH,
    ".editorconfig": HASH, ".clang-format": HASH, ".clang-tidy": HASH, ".git-blame-ignore-revs": HASH,
}
MAN = re.compile(r"\.[1-9]$")


def style_of(path, first_line):
    name = os.path.basename(path)
    if name in STYLE_BY_NAME:
        return STYLE_BY_NAME[name]
    if MAN.search(name):
        return ROFF
    ext = name.rsplit(".", 1)[1].lower() if "." in name.lstrip(".") else ""
    if ext in STYLE_BY_EXT:
        return STYLE_BY_EXT[ext]
    if first_line.startswith("#!"):
        return HASH
    return None


def year_added(path):
    out = subprocess.run(["git", "log", "--follow", "--diff-filter=A", "--format=%ad", "--date=format:%Y", "--", path],
                         capture_output=True, text=True).stdout.split()
    return out[-1] if out else str(datetime.date.today().year)


def header(style, path):
    begin, end = style
    license = next((l for p, l in LICENSE_BY_NAME.items() if p.search(path)), LICENSE)
    lines = [f"{TAG_COPYRIGHT}: {year_added(path)} {HOLDER}", f"{TAG_LICENSE}: {license}"]
    if end:
        return f"{begin}\n" + "".join(f"{l}\n" for l in lines) + f"{end}\n"
    return "".join(f"{begin} {l}\n" for l in lines)


files = subprocess.run(["git", "ls-files", "-z"], capture_output=True, check=True).stdout.decode().split("\0")
missing, unknown = [], []
for path in filter(None, files):
    if DEP5.search(path) or os.path.islink(path) or not os.path.isfile(path):
        continue
    with open(path, "rb") as f:
        data = f.read()
    if b"\0" in data:
        unknown.append(path)
        continue
    text = data.decode("utf-8")
    if TAG_LICENSE in text:
        continue
    first = text.split("\n", 1)[0]
    style = style_of(path, first)
    if style is None:
        unknown.append(path)
        continue
    missing.append(path)
    if check:
        continue
    # The header goes after what must stay first (an interpreter line, an XML
    # declaration), and a blank line parts it from what follows, except in a
    # manual page, where a blank line is output.
    keep = ""
    if first.startswith("#!") or (style == XML and first.startswith("<?xml")):
        keep, text = first + "\n", (text.split("\n", 1)[1] if "\n" in text else "")
    crlf = "\r\n" in text
    block = header(style, path)
    if text.strip() and style != ROFF:
        block += "\n"
    new = keep + block + text.replace("\r\n", "\n")
    if crlf:
        new = new.replace("\n", "\r\n")
    with open(path, "w", encoding="utf-8", newline="") as f:
        f.write(new)

for path in missing:
    print(("lacks a header: " if check else "header added: ") + path)
for path in unknown:
    print(f"no comment syntax known for {path}: give it a line in .reuse/dep5", file=sys.stderr)
if unknown or (check and missing):
    sys.exit(1)
PY
