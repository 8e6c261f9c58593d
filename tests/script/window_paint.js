// The grid's window through the window verbs: colours at chosen pixels after
// styles, selection, focus, scrolling and frozen columns; Korean text drawn;
// a screenshot of a styled 20-column grid.
var failures = 0;
function check(cond, what) { if (!cond) { WScript.Echo("FAIL: " + what); failures++; } }
var files = WScript.Arguments[1];

// Default geometry: row header 60 wide, header row 20 high, columns of 100
// and rows of 20 with a 3-pixel gap.
function cellX(c) { return 65 + c * 103 + 50; }
function cellY(r) { return 26 + r * 23 + 10; }

var grid = new ActiveXObject("KORVALE.MaltroveGridCtrl.1");
for (var c = 0; c < 20; c++) grid.insertColumn(-1, "열" + c, 100, "f" + c, 1, 1, "", "", 0, "");
for (var r = 0; r < 200; r++) grid.insertRow(-1);
grid.setCellStringData(0, 0, "가나다라마바사");
WScript.CreateWindow(grid, 640, 480);

check(WScript.Pixel(grid, cellX(0) + 45, cellY(0)) === "#FFFFFF", "cell background");
check(WScript.Pixel(grid, 10, 10) === "#ECE9D8", "corner: " + WScript.Pixel(grid, 10, 10));

// Korean text is drawn: dark pixels inside the first cell's text run.
var dark = 0;
for (var x = 66; x < 140; x++) {
  for (var y = cellY(0) - 6; y <= cellY(0) + 6; y++) {
    if (WScript.Pixel(grid, x, y) !== "#FFFFFF") dark++;
  }
}
check(dark > 40, "Korean glyphs drawn (" + dark + " dark pixels)");

grid.rowCellBackgroundColorEven = "#EEEEEE";
grid.setRowCellBackgroundColor(3, "#123456");
check(WScript.Pixel(grid, cellX(1), cellY(0)) === "#FFFFFF", "row 0 keeps the column colour");
check(WScript.Pixel(grid, cellX(1), cellY(1)) === "#EEEEEE", "row 1 even colour: " + WScript.Pixel(grid, cellX(1), cellY(1)));
check(WScript.Pixel(grid, cellX(1), cellY(3)) === "#123456", "row colour wins");

grid.focusedCellBackgroundColor = "#00FF00";
grid.setFocusCell(2, 1);
check(WScript.Pixel(grid, cellX(1), cellY(2)) === "#00FF00", "focused cell");
check(WScript.Pixel(grid, 5, cellY(2) - 6) === "#FFC07E", "focused row header: " + WScript.Pixel(grid, 5, cellY(2) - 6));
check(WScript.Pixel(grid, cellX(1) - 40, 4) === "#FFC07E", "focused column header");

grid.addSelection(4, -1);
check(WScript.Pixel(grid, cellX(2), cellY(4)) === "#DCDBC2", "selected cell");
check(WScript.Pixel(grid, 5, cellY(4) - 6) === "#00259A", "selected row header");

// One notch towards the user scrolls three lines of 20 pixels.
WScript.Wheel(grid, 300, 200, -1);
check(WScript.Pixel(grid, cellX(1), cellY(3) - 60) === "#123456", "scrolled by 60 pixels");
WScript.Wheel(grid, 300, 200, 1);
check(WScript.Pixel(grid, cellX(1), cellY(3)) === "#123456", "scrolled back");

// Frozen column: scrolled right, column 0 stays and its separator is a
// header line (black) beside a cell line.
grid.fixedColumnCount = 1;
var arrowX = 640 - 22 - 9, arrowY = 480 - 11;
WScript.Mouse(grid, "click", arrowX, arrowY);
check(WScript.Pixel(grid, 165, cellY(5)) === "#000000", "separator of the frozen area: " + WScript.Pixel(grid, 165, cellY(5)));
check(WScript.Pixel(grid, 164, cellY(5)) === "#808080", "cell line beside it");
check(WScript.Pixel(grid, cellX(0) + 40, cellY(0)) === "#FFFFFF" , "frozen column in place");

// The vertical bar: dragging the thumb to the end shows the last row.
function rowTopOf(colour) {
  for (var y = 24; y < 458; y++) if (WScript.Pixel(grid, cellX(0), y) === colour) return y;
  return -1;
}
grid.setRowCellBackgroundColor(199, "#AA0000");
var barX = 640 - 11;
WScript.Mouse(grid, "down", barX, 18 + 5);
WScript.Mouse(grid, "move", barX, 2000);
WScript.Mouse(grid, "up", barX, 2000);
var lastTop = rowTopOf("#AA0000");
check(lastTop > 400, "the last row shows after dragging the thumb to the end (" + lastTop + ")");

// Holding the up arrow repeats: one step at once, then after the 500 ms
// delay one every 100 ms, 10 pixels each.
grid.setRowCellBackgroundColor(185, "#0000AA");
var before = rowTopOf("#0000AA");
WScript.Mouse(grid, "down", barX, 9);
WScript.Sleep(1000);
WScript.Mouse(grid, "up", barX, 9);
var moved = rowTopOf("#0000AA") - before;
check(moved >= 30 && moved <= 80, "the held arrow repeated: moved " + moved);

// A styled 20-column grid written as a picture.
grid.gridBackgroundColor = "#F8F8FF";
check(WScript.Screenshot(grid, files + "grid.png") === true, "screenshot written");
var fso = new ActiveXObject("KORVALE.MaltroveGridCtrl.1");
check(fso.getFileSize(files + "grid.png") > 1000, "screenshot has content");

if (failures) WScript.Quit(1);
WScript.Echo("window_paint: all checks passed");
