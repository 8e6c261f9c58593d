"""The grid's vertical thumb shows the magenta picture its <param> named."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from pixels import read_png

_, _, rows = read_png(os.path.join(sys.argv[1], "shot.png"))
# The grid's box starts at (0, 0): its vertical bar's thumb is below the header.
colour = rows[18 + 6][300 - 11]
if colour != "#FF00FF":
    print("FAIL: thumb picture by relative URL: " + colour)
    sys.exit(1)
