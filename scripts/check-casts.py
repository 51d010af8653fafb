#!/usr/bin/env python3
"""Lists every cast to a function-pointer type in the C++ sources and fails on any outside the
one helper that looks up system exports (base/loaded_library.h).

On 32-bit Windows a function's calling convention is part of its type; a cast between function
types compiles whatever the convention and leaves the stack unbalanced at the first call. So a
callback is declared CALLBACK or WINAPI and passed as it is, and a looked-up export gets its
type, with WINAPI, from the helper alone.

A function-pointer type is one written out with (*) or (CONVENTION *), a Win32 name for one
(FARPROC, WNDPROC, DLGPROC, TIMERPROC, SUBCLASSPROC, PFN..., LPFN..., ..._ROUTINE), or an alias
the sources declare as one. The casts looked at are the named casts, std::bit_cast, C-style
casts and functional casts to such a name."""
import pathlib
import re
import sys

HELPER = "base/loaded_library.h"
SKIPPED = {"build", "dist", ".git"}

COMMENT_OR_TEXT = re.compile(r'//[^\n]*|/\*.*?\*/|"(?:\\.|[^"\\\n])*"|\'(?:\\.|[^\'\\\n])*\'',
                             re.S)
POINTER_DECLARATOR = r"\(\s*(?:\w+\s*)?\*\s*\)\s*\([^()]*\)"
WIN32_NAME = r"\b(?:FARPROC|NEARPROC|PROC|[A-Z]+PROC|L?PFN\w*|\w*_ROUTINE)\b"
ALIAS = re.compile(r"\busing\s+(\w+)\s*=\s*([^;]*);|\btypedef\s[^;]*?\(\s*(?:\w+\s*)?\*\s*(\w+)\s*\)")
NAMED_CAST = re.compile(r"\b(?:reinterpret_cast|static_cast|const_cast|bit_cast)\s*<")


def blank(match):
    return re.sub(r"[^\n]", " ", match.group(0))


def code_of(path):
    return COMMENT_OR_TEXT.sub(blank, path.read_text(encoding="utf-8"))


def sources(root):
    for path in sorted(root.rglob("*")):
        relative = path.relative_to(root)
        if path.suffix in (".h", ".cpp") and relative.parts[0] not in SKIPPED:
            yield relative, code_of(path)


def pointer_aliases(codes):
    """The names the sources declare as function-pointer types, also through other aliases."""
    names, definitions = set(), []
    for code in codes:
        for match in ALIAS.finditer(code):
            if match.group(3):
                names.add(match.group(3))
            else:
                definitions.append(match.group(1, 2))
    while True:
        known = "|".join([POINTER_DECLARATOR] + [rf"\b{name}\b" for name in names])
        more = {name for name, value in definitions if re.search(known, value)} - names
        if not more:
            return names
        names |= more


def angle_target(code, start):
    """The text between the < at start - 1 and its closing >."""
    depth, index = 1, start
    while index < len(code) and depth:
        depth += {"<": 1, ">": -1}.get(code[index], 0)
        index += 1
    return code[start:index - 1]


def casts(code, pointer_type):
    names = rf"(?:{pointer_type})"
    for match in NAMED_CAST.finditer(code):
        target = angle_target(code, match.end())
        if re.search(rf"{POINTER_DECLARATOR}|{names}", target):
            yield match.start(), target
    c_style = re.compile(rf"\(\s*([\w:\s<>,]*{POINTER_DECLARATOR}|{names})\s*\)\s*[\w&(*]")
    for match in c_style.finditer(code):
        yield match.start(), match.group(1)
    for match in re.finditer(rf"(?<![\w:.>])({names})\s*\(", code):
        yield match.start(), match.group(1)


def found_casts(root):
    files = dict(sources(root))
    aliases = pointer_aliases(files.values())
    pointer_type = "|".join([WIN32_NAME] + [rf"\b{re.escape(name)}\b" for name in sorted(aliases)])
    for relative, code in files.items():
        for offset, target in casts(code, pointer_type):
            line = code.count("\n", 0, offset) + 1
            yield relative.as_posix(), line, " ".join(target.split())


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else __file__).resolve()
    if root.is_file():
        root = root.parent.parent
    found = sorted(set(found_casts(root)))
    outside = [cast for cast in found if cast[0] != HELPER]
    print(f"{len(found)} cast(s) to a function pointer, {len(outside)} outside {HELPER}")
    for path, line, target in found:
        verdict = "through the helper" if path == HELPER else "NOT THROUGH THE HELPER"
        print(f"{path}:{line}: cast to {target} ({verdict})")
    return 1 if outside else 0


if __name__ == "__main__":
    sys.exit(main())
