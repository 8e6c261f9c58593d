// Draws a styled grid with Korean text and every column type in a window and
// writes it as a picture: maltrove script examples/screenshot.js OUT.png
var out = WScript.Arguments.length > 0 ? WScript.Arguments[0] : "grid.png";
var grid = new ActiveXObject("KORVALE.MaltroveGridCtrl.1");
grid.setGridStyleXML(
    '<gridStyle id="record">' +
    '<column id="name" name="이름" width="90"/>' +
    '<column id="amount" name="금액" width="100" dataType="numeric" displayType="#,###.##"/>' +
    '<column id="joined" name="입사일" width="96" dataType="dateTime" inputType="calendar"' +
    ' outputType="%Y-%m-%d" displayType="%Y-%m-%d"/>' +
    '<column id="region" name="지역" width="64" inputType="select"/>' +
    '<column id="active" name="재직" width="44" inputType="checkBox"/>' +
    '<column id="owner" name="담당" width="44" inputType="radio"/>' +
    '<column id="memo" name="비고" width="150" inputType="multiLine"/>' +
    '<column id="open" name="상세" width="56" inputType="button"/>' +
    '</gridStyle>');
grid.setColumnCombo(3, "서울;부산;대구;광주", "S;B;D;G");
for (var c = 0; c < grid.getColumnCount(); c++) {
  grid.setColumnHeaderStyle(c, "background-color:#DDE6F3;font-weight:bold;");
}
grid.rowCellBackgroundColorEven = "#F3F6FB";
var names = ["김민수", "이영희", "박철수", "최지우", "정하늘", "강바다", "조은별", "윤가람",
             "장미래", "임소리", "한결", "오세훈"];
var regions = ["S", "B", "D", "G"];
for (var r = 0; r < names.length; r++) {
  grid.insertRow(-1);
  grid.setCellStringData(r, 0, names[r]);
  grid.setCellStringData(r, 1, String(1234567.5 / (r + 1)));
  grid.setCellStringData(r, 2, "2024-0" + (1 + r % 9) + "-1" + (r % 9));
  grid.setCellStringData(r, 3, regions[r % 4]);
  grid.setCellChecked(r, 4, r % 3 === 0 ? 1 : 0);
  grid.setCellStringData(r, 6, r % 2 ? "두 줄 메모\n둘째 줄" : "메모 " + (r + 1));
  grid.setCellStringData(r, 7, "보기");
}
grid.setRowHeight(1, 34);
grid.setCellChecked(2, 5, 1);
grid.fixedColumnCount = 1;
grid.addSelection(5, 1);
grid.addSelection(5, 2);
grid.addSelection(6, 1);
grid.addSelection(6, 2);
grid.setFocusCell(2, 1);
WScript.CreateWindow(grid, 720, 330);
WScript.Screenshot(grid, out);
WScript.Echo("wrote " + out);
