#!/usr/bin/env python3
"""Writes samples/session.vt: a link monitor's screen as a host application
would paint it on a VT100-family terminal, byte for byte.

    tools/make_session.py > samples/session.vt
"""
import sys

ESC = "\x1b"
CSI = ESC + "["


def at(row, col):
    return f"{CSI}{row};{col}H"


def sgr(*modes):
    return CSI + ";".join(str(m) for m in modes) + "m"


NORMAL, BOLD, SUBDUED, UNDERLINED, BLINKING, REVERSE = 0, 1, 2, 4, 5, 7
GRAPHICS, ASCII = ESC + "(0", ESC + "(B"   # G0
SO, SI = "\x0e", "\x0f"                    # G1 (designated graphics) in and out

TOP, LEFT, RIGHT, BOTTOM = 3, 2, 79, 13
DIVIDER = 56   # between the links and the totals
RULE = 5       # under the headings

out = []
w = out.append

# Reset, clear, auto-wrap off, G1 holds the line graphics.
w(ESC + "c" + CSI + "2J" + CSI + "?7l" + ESC + ")0")

# Title bar.
w(at(1, 1) + sgr(REVERSE) + " NETVIEW " + sgr(REVERSE, BOLD) + " Brenmoor link monitor")
w(sgr(NORMAL, REVERSE) + " " * 41 + "12:04:31 " + sgr(NORMAL))

# The box, drawn in G0 with the graphics set designated.
w(GRAPHICS)
w(at(TOP, LEFT) + "l" + "q" * (DIVIDER - LEFT - 1) + "w" + "q" * (RIGHT - DIVIDER - 1) + "k")
for row in range(TOP + 1, BOTTOM):
    if row == RULE:
        w(at(row, LEFT) + "t" + "q" * (DIVIDER - LEFT - 1) + "n" + "q" * (RIGHT - DIVIDER - 1) + "u")
    else:
        w(at(row, LEFT) + "x" + at(row, DIVIDER) + "x" + at(row, RIGHT) + "x")
w(at(BOTTOM, LEFT) + "m" + "q" * (DIVIDER - LEFT - 1) + "v" + "q" * (RIGHT - DIVIDER - 1) + "j")
w(ASCII)

# Titles over the top border.
w(at(TOP, 5) + "u" + sgr(BOLD) + " Exchange links " + sgr(NORMAL) + "t")
w(at(TOP, DIVIDER + 3) + "u" + sgr(BOLD) + " Totals " + sgr(NORMAL) + "t")
# The tees above came out as letters: they were written in ASCII. Redo them in G1.
w(at(TOP, 5) + SO + "u" + SI + at(TOP, 22) + SO + "t" + SI)
w(at(TOP, DIVIDER + 3) + SO + "u" + SI + at(TOP, DIVIDER + 12) + SO + "t" + SI)

# Columns of the table on tab stops of its own.
w(CSI + "3g")
for col in (4, 11, 29, 41):
    w(at(4, col) + ESC + "H")
row_text = lambda row: at(row, LEFT + 1) + "\t"
w(row_text(4) + sgr(UNDERLINED) + "Link" + sgr(NORMAL) + "\t" + sgr(UNDERLINED) + "Node"
  + sgr(NORMAL) + "\t" + sgr(UNDERLINED) + "State" + sgr(NORMAL) + "\t" + sgr(UNDERLINED)
  + "Load" + sgr(NORMAL))
links = [
    ("L01", "halden-gw", (BOLD,), "UP", "42%"),
    ("L02", "quor-core", (BOLD,), "UP", "17%"),
    ("L03", "drex-edge", (BOLD, BLINKING), "DOWN", "--"),
    ("L04", "kestle-nms", (REVERSE,), "DEGRADED", "88%"),
    ("L05", "morr-lab", (SUBDUED,), "IDLE", " 0%"),
    ("L06", "venn-dr", (BOLD, UNDERLINED), "UP", "63%"),
]
for i, (link, node, modes, state, load) in enumerate(links):
    w(row_text(RULE + 1 + i) + link + "\t" + node + "\t" + sgr(*modes) + state + sgr(NORMAL)
      + "\t" + load)
w(at(BOTTOM - 1, 4) + sgr(SUBDUED) + "Load: five-minute average; F5 refreshes" + sgr(NORMAL))

totals = [("Links up", "3", ()), ("Degraded", "1", ()), ("Down", "1", (BLINKING,)),
          ("Idle", "1", (SUBDUED,)), ("", "", ()), ("Alarms", "2", (BOLD, BLINKING))]
w(at(4, DIVIDER + 2) + sgr(UNDERLINED) + "Since 06:00" + sgr(NORMAL))
for i, (label, count, modes) in enumerate(totals):
    if label:
        w(at(RULE + 1 + i, DIVIDER + 2) + label.ljust(16) + sgr(*modes) + count + sgr(NORMAL))

# The event log scrolls inside rows 16 to 21; the rows around it stay.
w(at(15, 2) + sgr(BOLD, UNDERLINED) + "Events" + sgr(NORMAL))
w(at(22, 2) + SO + "q" * 77 + SI)
w(CSI + "16;21r" + at(16, 1))
events = [
    ("11:58:02", "L01 halden-gw", "", "link up"),
    ("11:58:40", "L02 quor-core", "", "link up"),
    ("11:59:13", "L05 morr-lab", "", "idle for 15 minutes"),
    ("12:00:00", "L06 venn-dr", "", "failover test passed"),
    ("12:01:27", "L04 kestle-nms", "WARN", "errors 2.1% over 5 min"),
    ("12:02:05", "L03 drex-edge", "ALARM", "carrier lost"),
    ("12:02:06", "L03 drex-edge", "", "traffic rerouted via L01"),
    ("12:03:44", "L04 kestle-nms", "WARN", "load 88%"),
    ("12:04:30", "L03 drex-edge", "ALARM", "no answer to 3 polls"),
]
for i, (time, source, level, text) in enumerate(events):
    if i:
        w("\r\n")
    w(" " + sgr(SUBDUED) + time + sgr(NORMAL) + "  " + source.ljust(16))
    if level == "ALARM":
        w(sgr(REVERSE, BLINKING) + " ALARM " + sgr(NORMAL) + " ")
    elif level == "WARN":
        w(sgr(BOLD) + " warn  " + sgr(NORMAL) + " ")
    else:
        w(" " * 8)
    w(text)
w(CSI + "r")

# The status line, then the clock ticks once with the cursor saved and restored.
w(at(24, 1) + sgr(REVERSE) + " F1 Help  F2 Links  F3 Events  F10 Quit" + " " * 22
  + "halden.example.net " + sgr(NORMAL))
w(at(23, 2) + sgr(BOLD) + "Command:" + sgr(NORMAL) + " show link L04")
w(ESC + "7" + at(1, 72) + sgr(REVERSE) + "12:04:32" + ESC + "8")
# A typing slip mended in place: "shwo" becomes "show".
w(at(23, 11) + "shwo" + CSI + "2D" + CSI + "P" + CSI + "C" + CSI + "@" + "w")
w(at(23, 25))

sys.stdout.buffer.write("".join(out).encode("latin-1"))
