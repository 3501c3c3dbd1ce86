#!/usr/bin/env python3
"""Reads a comma-separated export back with Python's csv module and compares
it, field for field, with the tab-separated table it was exported from."""

import csv
import sys


def main(exported, table):
    with open(exported, newline="", encoding="utf-8") as f:
        rows = list(csv.reader(f))
    with open(table, encoding="utf-8") as f:
        expected = [line.rstrip("\r\n").split("\t") for line in f if line.strip("\r\n")]
    width = len(expected[0])
    for number, row in enumerate(rows, 1):
        if len(row) != width:
            sys.exit(f"{exported}: row {number} has {len(row)} fields, not {width}: {row}")
    if rows != expected:
        sys.exit(f"{exported}: reads back as {rows}, not as the table {expected}")
    print(f"{exported}: {len(rows)} rows of {width} fields, as in {table}")


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
