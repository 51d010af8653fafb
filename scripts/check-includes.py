#!/usr/bin/env python3
"""Checks that every quoted #include runs down the layers:
app -> (keepalive, settings, ui) -> framework -> platform.

A feature folder may include itself, framework/, platform/ and res/, never app/ or another
feature folder; framework/ only itself and platform/; platform/ only itself. An include without
a folder names a generated file (version.h) and belongs to res/.

Includes still waiting to be moved are listed in include-order-exceptions.txt, one
"file -> include" a line. Any other include against the order fails the check, and so does a
listed one that is gone, so the list only ever shrinks."""
import pathlib
import re
import sys

FEATURE = {"framework", "platform", "res"}
ALLOWED = {
    "app": {"app", "keepalive", "settings", "ui"} | FEATURE,
    "keepalive": {"keepalive"} | FEATURE,
    "settings": {"settings"} | FEATURE,
    "ui": {"ui"} | FEATURE,
    "framework": {"framework", "platform"},
    "platform": {"platform"},
}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def target_folder(included):
    return included.split("/")[0] if "/" in included else "res"


def arrows_against_order(root):
    for folder, allowed in ALLOWED.items():
        for path in sorted((root / folder).rglob("*")):
            if path.suffix not in (".h", ".cpp"):
                continue
            lines = path.read_text(encoding="utf-8").splitlines()
            for number, line in enumerate(lines, 1):
                match = INCLUDE.match(line)
                if match and target_folder(match.group(1)) not in allowed:
                    yield f"{path.relative_to(root)} -> {match.group(1)}"


def listed_exceptions(path):
    lines = path.read_text(encoding="utf-8").splitlines()
    return {line.strip() for line in lines if line.strip() and not line.startswith("#")}


def main():
    root = pathlib.Path(__file__).resolve().parent.parent
    arrows = set(arrows_against_order(root))
    exceptions = listed_exceptions(pathlib.Path(__file__).with_name("include-order-exceptions.txt"))
    print(f"{len(arrows)} include(s) against app -> (keepalive, settings, ui) -> framework -> platform")
    for arrow in sorted(arrows - exceptions):
        print(f"against the order: {arrow}")
    for arrow in sorted(exceptions - arrows):
        print(f"listed but gone, remove it from the exceptions: {arrow}")
    return 1 if arrows != exceptions else 0


if __name__ == "__main__":
    sys.exit(main())
