"""Inside the div the grid shows; outside it the page's own yellow does."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from pixels import read_png

_, _, rows = read_png(os.path.join(sys.argv[1], "shot.png"))
failures = 0


def expect(x, y, wanted, what):
    global failures
    got = rows[y][x]
    ok = got != wanted[4:] if wanted.startswith("not ") else got == wanted
    if not ok:
        print("FAIL: %s at (%d, %d): %s, wanted %s" % (what, x, y, got, wanted))
        failures += 1


expect(100, 60, "#FFFFFF", "the div above the scrolled grid")
expect(100, 80, "not #FFFFFF", "the grid's header after scrolling")
expect(100, 80, "not #FFFF00", "the grid's header is inside the div")
expect(100, 180, "#FFFF00", "below the div the grid is clipped")
expect(280, 100, "#FFFF00", "right of the div the grid is clipped")
expect(30, 100, "#FFFF00", "left of the div")
sys.exit(1 if failures else 0)
