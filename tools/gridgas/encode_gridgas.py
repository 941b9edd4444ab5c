#!/usr/bin/env python3
"""Builds the scrambled column definitions data/gridgas.cne from the readable gridgas.txt.

Usage: encode_gridgas.py [source] [target]   (defaults: gridgas.txt beside this script,
data/gridgas.cne of the repository).

Each line is stored scrambled byte by byte (Windows-1252): a TAB becomes byte 254, any other byte
d at position i (counted from 1) becomes d + ((i mod 7) + 3). Lines end with CR LF. The program
undoes this when it reads the file. The build does not run this script: the generated file is
committed, and a test checks that it still matches the source.
"""
import pathlib
import sys

HERE = pathlib.Path(__file__).resolve().parent
TAB_SCRAMBLED = 254


def scramble(line: str, number: int) -> bytes:
    if "," in line:
        # The reader turns every comma into a point before it splits the line.
        raise ValueError(f"line {number}: commas are read back as points; rephrase")
    data = line.encode("cp1252")
    out = bytearray()
    for i, d in enumerate(data, start=1):
        if d == 9:
            out.append(TAB_SCRAMBLED)
            continue
        c = d + (i % 7) + 3
        if c > 255 or c == TAB_SCRAMBLED or c in (10, 13):
            raise ValueError(f"line {number}, position {i}: byte {d} cannot be stored")
        out.append(c)
    return bytes(out)


def main() -> int:
    source = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else HERE / "gridgas.txt"
    target = pathlib.Path(sys.argv[2]) if len(sys.argv) > 2 else HERE.parent.parent / "data" / "gridgas.cne"
    lines = source.read_text(encoding="utf-8").splitlines()
    try:
        body = b"".join(scramble(line, n) + b"\r\n" for n, line in enumerate(lines, start=1))
    except ValueError as e:
        print(f"{source}: {e}", file=sys.stderr)
        return 1
    target.write_bytes(body)
    print(f"{target}: {len(lines)} lines")
    return 0


if __name__ == "__main__":
    sys.exit(main())
