#!/usr/bin/env python3
"""Checks that every quoted #include runs down the layers:
app -> (keepalive, settings, ui) -> framework -> platform.

A feature folder may include itself, framework/, platform/ and res/, never app/ or another
feature folder; framework/ only itself and platform/; platform/ only itself. An include without
a folder names a generated file (version.h) and belongs to res/."""
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
            for line in path.read_text(encoding="utf-8").splitlines():
                match = INCLUDE.match(line)
                if match and target_folder(match.group(1)) not in allowed:
                    yield f"{path.relative_to(root)} -> {match.group(1)}"


def main():
    root = pathlib.Path(__file__).resolve().parent.parent
    arrows = sorted(arrows_against_order(root))
    print(f"{len(arrows)} include(s) against app -> (keepalive, settings, ui) -> framework -> platform")
    for arrow in arrows:
        print(f"against the order: {arrow}")
    return 1 if arrows else 0


if __name__ == "__main__":
    sys.exit(main())
