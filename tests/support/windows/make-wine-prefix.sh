#!/usr/bin/env bash
# Makes the wine prefix that each test on wine starts from a copy of.
set -euo pipefail
prefix="$1"
rm -rf "$prefix"
export WINEPREFIX="$prefix" WINEDEBUG=-all
# No prompts to install the .NET and HTML engines.
export WINEDLLOVERRIDES="mscoree,mshtml="
wineboot -i
wineserver -w
