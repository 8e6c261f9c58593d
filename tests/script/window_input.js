// The grid used by a person: real mouse and key events through the window
// verbs reach the grid, and its events reach script handlers in order.
var failures = 0;
function check(cond, what) { if (!cond) { WScript.Echo("FAIL: " + what); failures++; } }
function cellX(c) { return 65 + c * 103 + 50; }
function cellY(r) { return 26 + r * 23 + 10; }
var shell = new ActiveXObject("WScript.Shell");

var log = [];
var grid = new ActiveXObject("KORVALE.MaltroveGridCtrl.1");
grid.setGridStyleXML('<gridStyle>' +
    '<column id="name" name="이름"/>' +
    '<column id="amount" name="금액" dataType="numeric"/>' +
    '<column id="pick" name="선택" inputType="radio"/>' +
    '<column id="ok" name="확인" inputType="checkBox" readOnly="true"/>' +
    '<column id="hidden" name="숨김" visible="false"/>' +
    '<column id="city" name="도시" inputType="select"/>' +
    '</gridStyle>');
grid.setColumnCombo(5, "서울;부산", "S;B");
for (var r = 0; r < 5; r++) grid.insertRow(-1);
grid.setCellStringData(0, 0, "첫째");
WScript.CreateWindow(grid, 800, 300);

// Handlers bound both ways.
grid.attachEvent("onCellFocused", function (row, col) { log.push("focus " + row + "," + col); });
function g_onClickCell(row, col) { log.push("click " + row + "," + col); }
function g_onClickCellRadio(row, col, on) { log.push("radio " + row + "," + col + "," + on); }
function g_onClickCellCheckbox(row, col, on) { log.push("check " + row + "," + col + "," + on); }
function g_onCellValueChanged(row, col, data) { log.push("changed " + row + "," + col + " " + data); }
function g_onClickColumnHeader(col) { log.push("header " + col); }
function g_onClickCombo(row, col, datas, values) {
  log.push("combo " + row + "," + col);
  grid.modifyCombo(row, col, "하나;둘;셋", "1;2;3");
}
WScript.ConnectObject(grid, "g_");

grid.setFocusCell(1, 1);
log = [];
grid.setFocusCell(-1, -1);
check(log.join("; ") === "focus -1,-1" && grid.getFocusedRowIndex() === 0, "setFocusCell(-1, -1): " + log.join("; "));

// A click on an unfocused radio cell.
log = [];
WScript.Mouse(grid, "click", cellX(2), cellY(3));
check(log.join("; ") === "focus 3,2; click 3,2; radio 3,2,1", "radio click: " + log.join("; "));
check(grid.getCellChecked(3, 2) === 1, "radio switched on");

// A read-only check box fires onClickCell only.
log = [];
WScript.Mouse(grid, "click", cellX(3), cellY(1));
check(log.join("; ") === "focus 1,3; click 1,3", "read-only check box: " + log.join("; "));

// Typing: Korean into a text cell, "a" refused and "-" only first in a
// numeric cell, Enter moving down.
grid.setFocusCell(0, 0);
log = [];
shell.SendKeys("{F2}");
shell.SendKeys("^a가나{ENTER}");
check(grid.getCellStringData(0, 0) === "가나", "typed Korean: " + grid.getCellStringData(0, 0));
check(grid.getFocusedRowIndex() === 1 && grid.getFocusedColIndex() === 0, "Enter moved down");
grid.setFocusCell(2, 1);
shell.SendKeys("a-1-2{ENTER}");
check(grid.getCellStringData(2, 1) === "-12", "numeric typing: " + grid.getCellStringData(2, 1));
check(log.join("; ").indexOf("changed 2,1 -12") >= 0, "onCellValueChanged: " + log.join("; "));

// Escape fires nothing and keeps the value.
grid.setFocusCell(2, 1);
log = [];
shell.SendKeys("{F2}99{ESC}");
check(log.length === 0 && grid.getCellStringData(2, 1) === "-12", "Escape: " + log.join("; "));

// Shift+Tab on the first visible column stays; Tab skips the hidden column.
grid.setFocusCell(1, 0);
shell.SendKeys("+{TAB}");
check(grid.getFocusedColIndex() === 0, "Shift+Tab on the first column");
grid.setFocusCell(1, 3);
shell.SendKeys("{TAB}");
check(grid.getFocusedColIndex() === 5, "Tab skips the hidden column: " + grid.getFocusedColIndex());
shell.SendKeys("+{ENTER}");
check(grid.getFocusedRowIndex() === 0, "Shift+Enter moves up");

// The combo handler's own list is the one shown: Down picks its first entry.
log = [];
shell.SendKeys("{F2}");
shell.SendKeys("{DOWN}{ENTER}");
WScript.Sleep(50);
check(log[0] === "combo 0,5", "onClickCombo first: " + log.join("; "));
check(grid.getCellStringData(0, 5) === "1", "the handler's list: " + grid.getCellStringData(0, 5));

// Korean composition on a focused cell without an editor: the first
// syllable arrives whole.
grid.setFocusCell(4, 0);
WScript.Compose(grid, "ㅎ", "");
WScript.Compose(grid, "하", "");
WScript.Compose(grid, "한", "");
WScript.Compose(grid, "ㄱ", "한");
WScript.Compose(grid, "그", "");
WScript.Compose(grid, "글", "");
WScript.Compose(grid, "", "글");
shell.SendKeys("{ENTER}");
check(grid.getCellStringData(4, 0) === "한글", "composed: " + grid.getCellStringData(4, 0));
// The same inside an open editor.
grid.setFocusCell(3, 0);
shell.SendKeys("{F2}^a");
WScript.Compose(grid, "ㅎ", "");
WScript.Compose(grid, "한", "");
WScript.Compose(grid, "ㄱ", "한");
WScript.Compose(grid, "글", "");
WScript.Compose(grid, "", "글");
shell.SendKeys("{ENTER}");
check(grid.getCellStringData(3, 0) === "한글", "composed in the editor: " + grid.getCellStringData(3, 0));

// A calendar cell takes typed digits and steps from field to field.
var dates = new ActiveXObject("KORVALE.MaltroveGridCtrl.1");
dates.setGridStyleXML('<gridStyle><column id="d" name="날짜" dataType="dateTime" inputType="calendar" outputType="%Y-%m-%d"/></gridStyle>');
dates.insertRow(-1);
dates.insertRow(-1);
WScript.CreateWindow(dates, 300, 200);
dates.setFocusCell(0, 0);
shell.SendKeys("20240315{ENTER}");
check(dates.getCellStringData(0, 0) === "2024-03-15", "typed date: " + dates.getCellStringData(0, 0));
check(dates.getFocusedRowIndex() === 1, "Enter in the date picker moves down");

// A 19-pixel column is refused, 20 accepted.
grid.enableColumnResize = 1;
var border = 65 + 100 + 1;
WScript.Mouse(grid, "down", border, 10);
WScript.Mouse(grid, "move", border - 81, 10);
WScript.Mouse(grid, "up", border - 81, 10);
check(grid.getColumnWidth(0) === 100, "19 pixels refused: " + grid.getColumnWidth(0));
WScript.Mouse(grid, "down", border, 10);
WScript.Mouse(grid, "move", border - 80, 10);
WScript.Mouse(grid, "up", border - 80, 10);
check(grid.getColumnWidth(0) === 20, "20 pixels accepted: " + grid.getColumnWidth(0));
grid.setColumnWidth(0, 100);

// The context menu by level (the DIALOG lines are checked by the .expect
// file); a read-only row survives a delete.
grid.contextMenuLevel = 0;
WScript.Mouse(grid, "rightclick", cellX(1), 10);
grid.contextMenuLevel = 1;
grid.setCellStringData(1, 0, "keep");
grid.setRowReadOnly(1, 1);
grid.clearSelection();
grid.addSelection(1, -1);
grid.addSelection(2, -1);
WScript.Answer("삭제");
WScript.Mouse(grid, "rightclick", 30, cellY(2));
check(grid.getRowCount() === 4 && grid.getCellStringData(1, 0) === "keep", "read-only row kept: " + grid.getRowCount());

if (failures) WScript.Quit(1);
WScript.Echo("window_input: all checks passed");
