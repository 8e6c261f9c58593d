"""The demo page's picture holds the filled grid: many rows of drawn text
inside the grid's box, and the page's own status line below it."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from pixels import read_png

width, height, rows = read_png(sys.argv[1])
failures = 0


def fail(what):
    global failures
    print("FAIL: " + what)
    failures += 1


if (width, height) != (780, 560):
    fail("picture size %dx%d" % (width, height))
# Rows of the grid's body (below its header): dark text pixels in most rows.
inked_lines = 0
for y in range(130, 420, 4):
    if sum(1 for x in range(20, 720) if rows[y][x] in ("#000000",) or rows[y][x] < "#404040") > 3:
        inked_lines += 1
if inked_lines < 20:
    fail("the grid shows too little text: %d lines with ink" % inked_lines)
# The status line under the grid reports the query.
if not any(rows[y][x] != "#F4F6F9" for y in range(460, 490) for x in range(16, 300)):
    fail("no status line")
sys.exit(1 if failures else 0)
