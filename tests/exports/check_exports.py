#!/usr/bin/env python3
"""Checks that a shared library exports exactly the flat functions its public
headers declare with the library's export macro, and nothing else."""
import re
import subprocess
import sys


def declared(headers, macro):
    names = set()
    pattern = re.compile(macro + r"\s+[^;{]*?\b([A-Za-z_]\w*)\s*\(", re.S)
    for header in headers:
        with open(header, encoding="utf-8") as f:
            text = f.read()
        text = re.sub(r"//[^\n]*", "", text)
        text = re.sub(r"/\*.*?\*/", "", text, flags=re.S)
        text = re.sub(r"#\s*define[^\n]*", "", text)
        names.update(pattern.findall(text))
    return names


def exported(library):
    out = subprocess.run(["nm", "-D", "--defined-only", library], check=True,
                         capture_output=True, text=True).stdout
    names = set()
    for line in out.splitlines():
        parts = line.split()
        if len(parts) < 3:
            continue
        kind, name = parts[1], parts[2]
        if kind == "A":  # the version node the map creates
            continue
        names.add(name.split("@")[0])
    return names


def main():
    library, macro, headers = sys.argv[1], sys.argv[2], sys.argv[3:]
    want, have = declared(headers, macro), exported(library)
    if not want:
        print(f"no {macro} declarations found in {headers}")
        return 1
    missing, extra = sorted(want - have), sorted(have - want)
    for name in missing:
        print(f"declared but not exported: {name}")
    for name in extra:
        print(f"exported but not declared: {name}")
    print(f"{library}: {len(have)} exports, {len(want)} declared")
    return 1 if missing or extra else 0


if __name__ == "__main__":
    sys.exit(main())
