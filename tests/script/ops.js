// Sort, filter, clipboard and calculation through member names.
var failures = 0;
function check(cond, what) { if (!cond) { WScript.Echo("FAIL: " + what); failures++; } }
function column(g, c) {
  var values = [];
  for (var r = 0; r < g.getRowCount(); r++) values.push(g.getCellStringData(r, c));
  return values.join(",");
}

var grid = new ActiveXObject("KORVALE.MaltroveGridCtrl.1");
grid.setGridStyleXML('<gridStyle><column id="s"/><column id="n" dataType="numeric"/>' +
                     '<column id="t"/><column id="ok" inputType="checkBox"/></gridStyle>');
var data = [["10", "3", "b", "1"], ["9", "1", "a", "0"], ["A", "", "a", "1"], ["9", "2", "c", "0"]];
for (var r = 0; r < data.length; r++) {
  grid.insertRow(-1);
  for (var c = 0; c < 3; c++) grid.setCellStringData(r, c, data[r][c]);
  grid.setCellChecked(r, 3, data[r][3] === "1" ? 1 : 0);
}

check(grid.sort(1, 0, -1, 0, -1, 0) === 0 && column(grid, 0) === "10,9,9,A", "code order: " + column(grid, 0));
check(grid.sort(0, 0, -1, 0, -1, 0) === 0 && column(grid, 0) === "10,9,9,A", "sort(0) changes nothing");
grid.sort(2, 1, -1, 0, -1, 0);
check(column(grid, 1) === "3,2,1,", "numeric descending, empty as 0: " + column(grid, 1));
grid.sort(1, 0, 3, 1, -1, 0);
check(column(grid, 0) + "|" + column(grid, 2) === "10,9,9,A|b,c,a,a", "second key within runs");

// Filters: checkBox values, left-to-right joins, sort inside a filter.
grid.applyFilter(3, 0, "true", 0, -1, 0, "", 0, -1, 0, "");
check(grid.getRowCount() === 2, "checkBox true: " + grid.getRowCount());
grid.applyFilter(3, 0, "TRUE", 0, -1, 0, "", 0, -1, 0, "");
var upper = grid.getRowCount();
grid.applyFilter(3, 0, "1", 0, -1, 0, "", 0, -1, 0, "");
check(grid.getRowCount() === 2, "checkBox 1: " + grid.getRowCount() + " (TRUE: " + upper + ")");
grid.applyFilter(0, 0, "9", 0, 2, 0, "a", 1, 2, 0, "c");  // (s = 9 or t = a) and t = c
check(grid.getRowCount() === 1, "joins from left to right: " + grid.getRowCount());
grid.clearFilter();
check(grid.getRowCount() === 4, "clearFilter shows all rows");
grid.applyFilter(0, 0, "9", 0, -1, 0, "", 0, -1, 0, "");
grid.sort(2, 0, -1, 0, -1, 0);
check(column(grid, 1) === "1,2", "sorted inside the filter: " + column(grid, 1));
grid.clearFilter();
check(column(grid, 0) === "10,9,9,A", "clearing keeps the full list's order: " + column(grid, 0));

// Calculation.
var calc = new ActiveXObject("KORVALE.MaltroveGridCtrl.1");
calc.setGridStyleXML('<gridStyle><column id="v" dataType="numeric"/></gridStyle>');
calc.insertRow(-1); calc.setCellStringData(0, 0, "-5");
calc.insertRow(-1); calc.setCellStringData(1, 0, "-2");
check(calc.calculate(0, "max", -1, "") === -2, "max of -5 and -2");
check(calc.calculate(0, "sum", -1, "") === -7, "sum");

// Clipboard: copy and paste back values with a tab, a line break and a quote.
var clip = new ActiveXObject("KORVALE.MaltroveGridCtrl.1");
clip.setGridStyleXML('<gridStyle><column id="a"/><column id="b"/></gridStyle>');
clip.insertRow(-1); clip.insertRow(-1);
clip.setCellStringData(0, 0, "tab\there");
clip.setCellStringData(0, 1, "say \"hi\"");
clip.setCellStringData(1, 0, "plain");
clip.copy();  // context-menu level 0: nothing
clip.contextMenuLevel = 1;
clip.addSelection(-1, -1);
clip.copy();
var copyTarget = new ActiveXObject("KORVALE.MaltroveGridCtrl.1");
copyTarget.contextMenuLevel = 1;
copyTarget.setGridStyleXML('<gridStyle><column id="a"/><column id="b"/></gridStyle>');
copyTarget.insertRow(-1); copyTarget.insertRow(-1);
copyTarget.setFocusCell(0, 0);
copyTarget.paste();
check(copyTarget.getCellStringData(0, 0) === "tab\there" && copyTarget.getCellStringData(0, 1) === "say \"hi\"" &&
      copyTarget.getCellStringData(1, 0) === "plain", "values pasted back the same");

WScript.Quit(failures === 0 ? 0 : 1);
