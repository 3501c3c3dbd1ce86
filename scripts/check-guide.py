#!/usr/bin/env python3
"""The hosting guide's code is the example host's: each region of
samples/host marked "// [guide:NAME]" ... "// [end]" stands, unindented, in
docs/hosting.md as the code block after "<!-- guide:NAME -->", and every
such block is one region. Without arguments, says what differs and fails;
with --write, copies the regions into the guide."""
import pathlib
import re
import sys
import textwrap

ROOT = pathlib.Path(__file__).resolve().parent.parent
GUIDE = ROOT / "docs" / "hosting.md"
SOURCES = sorted((ROOT / "samples" / "host").glob("*.cpp"))
BLOCK = re.compile(r"(<!-- guide:([\w-]+) -->\n```cpp\n)(.*?)(```\n)", re.S)


def regions():
    found = {}
    for source in SOURCES:
        text = source.read_text()
        for match in re.finditer(r"^( *)// \[guide:([\w-]+)\]\n(.*?)^\1// \[end\]\n", text, re.S | re.M):
            if match.group(2) in found:
                sys.exit(f"check-guide: region {match.group(2)} is marked twice")
            found[match.group(2)] = textwrap.dedent(match.group(3))
    return found


def main():
    code = regions()
    guide = GUIDE.read_text()
    blocks = {match.group(2): match.group(3) for match in BLOCK.finditer(guide)}
    problems = [f"{name}: in samples/host, not in the guide" for name in code.keys() - blocks.keys()]
    problems += [f"{name}: in the guide, not in samples/host" for name in blocks.keys() - code.keys()]
    if "--write" in sys.argv[1:]:
        GUIDE.write_text(BLOCK.sub(lambda m: m.group(1) + code.get(m.group(2), m.group(3)) + m.group(4), guide))
    else:
        problems += [f"{name}: the guide's block differs from the example's code"
                     for name in sorted(code.keys() & blocks.keys()) if code[name] != blocks[name]]
    for problem in problems:
        print(f"check-guide: {problem}", file=sys.stderr)
    if problems:
        sys.exit(1)
    print(f"check-guide: the guide's {len(blocks)} code blocks are the example host's code")


main()
