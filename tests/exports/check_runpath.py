#!/usr/bin/env python3
"""Checks that every built program and library (ELF files in the given
folders) carries no search path but exactly $ORIGIN: an empty entry would
search the folder the user starts from, and a build folder would leak into
an installed copy."""
import os
import subprocess
import sys


def elf_files(folder):
    for name in sorted(os.listdir(folder)):
        path = os.path.join(folder, name)
        if os.path.islink(path) or not os.path.isfile(path):
            continue
        with open(path, "rb") as f:
            if f.read(4) == b"\x7fELF":
                yield path


def search_paths(path):
    out = subprocess.run(["readelf", "-d", path], check=True, capture_output=True, text=True).stdout
    paths = []
    for line in out.splitlines():
        if "(RUNPATH)" in line or "(RPATH)" in line:
            paths.append(line[line.index("[") + 1:line.rindex("]")])
    return paths


def main(folders):
    checked = 0
    wrong = []
    for folder in folders:
        if not os.path.isdir(folder):
            continue
        for path in elf_files(folder):
            checked += 1
            paths = search_paths(path)
            if paths != ["$ORIGIN"]:
                wrong.append(f"{path}: {paths}")
    for line in wrong:
        print(line)
    print(f"{checked} binaries checked, {len(wrong)} with another search path")
    return 1 if wrong or checked == 0 else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
