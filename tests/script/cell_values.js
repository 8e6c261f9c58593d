// Values entering through setCellStringData and leaving as output text.
var failures = 0;
function check(cond, what) { if (!cond) { WScript.Echo("FAIL: " + what); failures++; } }
function expect(actual, wanted, what) { check(actual === wanted, what + ": got '" + actual + "'"); }

var grid = new ActiveXObject("KORVALE.MaltroveGridCtrl.1");
grid.insertColumn(-1, "Text", 100, "text", 1, 1, "", "", 0, "");
grid.insertColumn(-1, "Amount", 100, "amount", 2, 1, "", "#,###.##", 0, "");
grid.insertColumn(-1, "Date", 100, "day", 3, 6, "%Y-%m-%d", "", 0, "");
grid.insertColumn(-1, "City", 100, "city", 1, 3, "", "", 0, "");
grid.insertColumn(-1, "Phone", 100, "phone", 1, 1, "###-####|####-####", "", 0, "");
grid.setColumnCombo(3, "Seoul;Busan", "S;B");
grid.insertRow(-1);

expect(grid.setCellStringData(0, 0, "  hello  "), 1, "text stored");
expect(grid.getCellStringData(0, 0), "hello", "text trimmed");
grid.setColumnInputLimit(0, 4);
grid.setCellStringData(0, 0, "abcdef");
expect(grid.getCellStringData(0, 0), "abcd", "input limit");
grid.setCellStringData(0, 0, "한글입니다");
expect(grid.getCellStringData(0, 0), "한", "limit counts UTF-8 bytes without breaking a character");

expect(grid.setCellStringData(0, 1, "12."), 1, "trailing dot accepted");
expect(grid.getCellStringData(0, 1), "12", "trailing dot dropped");
expect(grid.setCellStringData(0, 1, "1.2.3"), 0, "second dot refused");
expect(grid.setCellStringData(0, 1, "1-2"), 0, "inner minus refused");
expect(grid.getCellStringData(0, 1), "12", "refusal leaves the cell");
grid.setColumnIgnoreChar(1, ",");
expect(grid.setCellStringData(0, 1, "1,234"), 1, "ignored comma");
expect(grid.getCellStringData(0, 1), "1234", "comma removed");
grid.setColumnAllowChar(1, "0-9");
expect(grid.setCellStringData(0, 1, "-5"), 0, "allowChar alone decides");
expect(grid.getColumnAllowChar(1), "0-9", "allowChar read back");

expect(grid.setCellStringData(0, 2, "2007-04-15"), 1, "date with mask");
expect(grid.getCellStringData(0, 2), "2007-04-15", "date output");
grid.setColumnOutputType(2, "");
expect(grid.getCellStringData(0, 2), "20070415000000", "date storage form");
grid.setCellStringData(0, 2, "20071301");
expect(grid.getCellStringData(0, 2), "", "month 13 is no date");

grid.setCellStringData(0, 3, "Busan");
expect(grid.getCellStringData(0, 3), "B", "label matched to value");
expect(grid.getCellComboData(0, 3), "Busan", "label of the value");
grid.setCellStringData(0, 3, "s");
expect(grid.getCellStringData(0, 3), "S", "value matched ignoring case");
grid.setCellComboData(0, 3, "Busan");
expect(grid.getCellStringData(0, 3), "B", "setCellComboData");
grid.setCellStringData(0, 3, "Daegu");
expect(grid.getCellStringData(0, 3), "", "unknown city");
expect(grid.getCellComboData(0, 0), "", "combo data of a text column");
expect(grid.modifyCombo(0, 3, "X", "x"), undefined, "modifyCombo gives no value");

grid.setCellStringData(0, 4, "12345678");
expect(grid.getCellStringData(0, 4), "1234-5678", "second mask alternative");
grid.setCellStringData(0, 4, "123-4567");
expect(grid.getCellStringData(0, 4), "123-4567", "mask removed and applied");

expect(grid.setCellStringData(5, 0, "x"), 0, "missing row");
expect(grid.setCellStringData(0, 9, "x"), 0, "missing column");
expect(grid.getCellStringData(0, 9), "", "missing cell reads empty");

grid.setColumnDefault(1, "12a");
expect(grid.getColumnDefault(1), "", "invalid numeric default refused");
grid.setColumnDefault(1, "-1.5");
grid.insertRow(-1);
expect(grid.getCellStringData(1, 1), "-1.5", "default of a new row");

WScript.Quit(failures === 0 ? 0 : 1);
