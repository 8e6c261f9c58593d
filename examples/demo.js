// Maltrove demo: a grid of every column type, filled and edited from script
// the way a page does it, then the changes a page would send back.
var grid = new ActiveXObject("KORVALE.MaltroveGridCtrl.1");
WScript.Echo("MaltroveGrid " + grid.getVersion());

// dataType 1 string, 2 numeric, 3 dateTime; inputType 1 text .. 7 button.
grid.insertColumn(-1, "이름", 100, "name", 1, 1, "", "", 0, "");
grid.insertColumn(-1, "금액", 90, "amount", 2, 1, "", "#,###.##", 0, "0");
grid.insertColumn(-1, "입사일", 90, "joined", 3, 6, "%Y-%m-%d", "%Y년 %m월 %d일", 0, "");
grid.insertColumn(-1, "지역", 70, "region", 1, 3, "", "", 0, "");
grid.insertColumn(-1, "은행", 70, "bank", 1, 3, "", "", 0, "");
grid.insertColumn(-1, "전화", 110, "phone", 1, 1, "###-####|####-####", "", 0, "");
grid.insertColumn(-1, "여부", 40, "active", 1, 5, "", "", 0, "");
grid.insertColumn(-1, "담당", 40, "owner", 1, 4, "", "", 0, "");
grid.insertColumn(-1, "비고", 150, "memo", 1, 2, "", "", 0, "");
grid.insertColumn(-1, "보기", 50, "open", 1, 7, "", "", 0, "");
grid.setColumnCombo(3, "서울;부산;대구", "S;B;D");
grid.setColumnCombo(4, "국민;기업;우리", "04;03;20");
grid.setColumnInputLimit(8, 20);

var rows = [
  ["김민수", "1234567.5", "2019-03-02", "서울", "국민", "02345678", "", "", "첫 번째"],
  ["이영희", "-980", "2021-11-30", "B", "03", "1234567", "", "", ""],
  ["박철수", "42", "2024-02-29", "대구", "우리", "9999-8888", "", "", "윤년 입사"]
];
for (var r = 0; r < rows.length; r++) {
  grid.insertRow(-1);
  for (var c = 0; c < rows[r].length; c++) grid.setCellStringData(r, c, rows[r][c]);
}
grid.setCellChecked(0, 6, 1);
grid.setCellChecked(2, 6, 1);
grid.setCellChecked(0, 7, 1);
grid.clearStatus(1);  // as if the rows had come from the database

// A cell as a page shows it: labels of select cells, marks for check states.
function valueOf(r, c) {
  var type = grid.getColumnInputType(c);
  if (type == 3) return grid.getCellComboData(r, c) + "(" + grid.getCellStringData(r, c) + ")";
  if (type == 4 || type == 5) return grid.getCellChecked(r, c) ? "[x]" : "[ ]";
  return grid.getCellStringData(r, c);
}

function show(title) {
  WScript.Echo("\n" + title);
  for (var r = 0; r < grid.getRowCount(); r++) {
    var cells = [];
    for (var c = 0; c < grid.getColumnCount() - 1; c++) cells.push(valueOf(r, c));
    WScript.Echo("  " + r + ": " + cells.join(" | "));
  }
}
show("Loaded rows:");

// The user's edits, and one value the column refuses.
grid.setCellStringData(1, 1, "1,500.25".replace(",", ""));
grid.setCellStringData(2, 3, "부산");
grid.setCellChecked(2, 7, 1);
grid.setCellChecked(1, 6, 1);
var refused = grid.setCellStringData(0, 1, "12a") === 0;
grid.insertRow(-1);
grid.setCellStringData(3, 0, "최지우");
grid.setCellStringData(3, 2, "2026-12-07");
show("After editing:");

WScript.Echo("\nRefused '12a' for 금액: " + refused);
WScript.Echo("isModified: " + grid.isModified() + " (1 = edited and inserted rows)");
for (var r = 0; r < grid.getRowCount(); r++) {
  var changed = [];
  for (var c = 0; c < grid.getColumnCount(); c++) {
    if (grid.isCellEdited(r, c)) changed.push(grid.getColumnFieldName(c) + "=" + valueOf(r, c));
  }
  if (grid.isRowInserted(r)) WScript.Echo("  row " + r + " inserted: " + grid.getCellStringData(r, 0));
  else if (changed.length) WScript.Echo("  row " + r + " edited: " + changed.join(", "));
}
