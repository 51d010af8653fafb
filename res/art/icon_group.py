#!/usr/bin/env python3
"""Writes the group directory of an icon whose images another icon of the program already holds.

Usage: icon_group.py FILE.ico FIRST_ID OUT.grp

The resource compiler numbers the images of the resource script's ICON statements in order,
from 1. An icon group written here (RT_GROUP_ICON, 14) names the images of FILE.ico by those
numbers from FIRST_ID on, so a second icon of the same picture costs no second copy of them.
"""
import struct
import sys

path, first_id, out = sys.argv[1], int(sys.argv[2]), sys.argv[3]
with open(path, "rb") as f:
    data = f.read()
count = struct.unpack_from("<H", data, 4)[0]
group = struct.pack("<HHH", 0, 1, count)
for i in range(count):
    width, height, colors, _, planes, bits, size, _ = struct.unpack_from("<BBBBHHII", data,
                                                                          6 + 16 * i)
    group += struct.pack("<BBBBHHIH", width, height, colors, 0, planes, bits, size, first_id + i)
with open(out, "wb") as f:
    f.write(group)
