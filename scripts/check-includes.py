#!/usr/bin/env python3
"""Checks that every quoted #include runs down the layers as they are built:
app -> (ui, about, keepalive, history, settings) -> links -> (framework | platform) -> base.

Each folder may include itself and only the folders ALLOWED names for it:
  app/        everything below it: the composition root
  ui/         links/ (a link control opens its target through the fallback there),
              framework/, platform/, base/
  about/      platform/, res/
  links/      platform/, res/
  keepalive/  platform/, res/
  history/    platform/, res/
  settings/   platform/, base/ (the shell links' COM pointers and wide texts), res/
  framework/  base/ only: the window layer is the seam's sibling, not the layer above it
  platform/   base/ only
  base/       nothing: the single owners of handles and the UTF-16 text, shared by both sides
  res/        nothing: the product's names and resource ids
An include without a folder names a generated file (version.h) and belongs to res/.
Besides, nothing outside platform/ includes platform/win32/: the rest of the program reaches the
system through the seam's interfaces. Tests are not checked; they may reach anywhere."""
import pathlib
import re
import sys

ORDER = "app -> (ui, about, keepalive, history, settings) -> links -> (framework | platform) -> base"
ALLOWED = {
    "app": {"ui", "about", "keepalive", "history", "settings", "links", "framework", "platform",
            "base", "res"},
    "ui": {"links", "framework", "platform", "base"},
    "about": {"platform", "res"},
    "links": {"platform", "res"},
    "keepalive": {"platform", "res"},
    "history": {"platform", "res"},
    "settings": {"platform", "base", "res"},
    "framework": {"base"},
    "platform": {"base"},
    "base": set(),
    "res": set(),
}
SEAM_IMPLEMENTATION = "platform/win32/"
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def target_folder(included):
    return included.split("/")[0] if "/" in included else "res"


def allowed(folder, included):
    if included.startswith(SEAM_IMPLEMENTATION) and folder != "platform":
        return False
    target = target_folder(included)
    return target == folder or target in ALLOWED[folder]


def arrows_against_order(root):
    for folder in ALLOWED:
        for path in sorted((root / folder).rglob("*")):
            if path.suffix not in (".h", ".cpp"):
                continue
            for line in path.read_text(encoding="utf-8").splitlines():
                match = INCLUDE.match(line)
                if match and not allowed(folder, match.group(1)):
                    yield f"{path.relative_to(root)} -> {match.group(1)}"


def main():
    root = pathlib.Path(__file__).resolve().parent.parent
    arrows = sorted(arrows_against_order(root))
    print(f"{len(arrows)} include(s) against {ORDER}")
    for arrow in arrows:
        print(f"against the order: {arrow}")
    return 1 if arrows else 0


if __name__ == "__main__":
    sys.exit(main())
