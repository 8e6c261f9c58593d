// Scroll-bar pictures named by the page's parameters, fetched from a
// loopback HTTP server relative to the page; a picture that cannot be fetched
// leaves the bar's own look. Data tips through the window verbs.
var failures = 0;
function check(cond, what) { if (!cond) { WScript.Echo("FAIL: " + what); failures++; } }
var root = WScript.Arguments[1], port = WScript.Arguments[2];

// A picture to serve: a small magenta window written as a bitmap.
var painter = new ActiveXObject("KORVALE.MaltroveGridCtrl.1");
painter.gridBackgroundColor = "#FF00FF";
painter.columnHeaderVisible = 0;
painter.rowHeaderVisible = 0;
WScript.CreateWindow(painter, 24, 24);
check(WScript.Screenshot(painter, root + "thumb.bmp") === true, "picture written");

WScript.DocumentURL = "http://127.0.0.1:" + port + "/app/page.html";
function gridWith(params) {
  var g = new ActiveXObject("KORVALE.MaltroveGridCtrl.1", params);
  g.insertColumn(-1, "이름", 100, "name", 1, 1, "", "", 0, "");
  for (var r = 0; r < 100; r++) g.insertRow(-1);
  WScript.CreateWindow(g, 300, 200);
  return g;
}
var barX = 300 - 11, thumbY = 18 + 6;

var skinned = gridWith({vscrollbarThumbImage: "../thumb.bmp", vscrollbarBorderColor: "#00FF00"});
check(WScript.Pixel(skinned, barX, thumbY) === "#FF00FF", "thumb picture from the server: " + WScript.Pixel(skinned, barX, thumbY));

var plain = gridWith({vscrollbarThumbImage: "../missing.bmp"});
var own = WScript.Pixel(plain, barX, thumbY);
check(own !== "#FF00FF" && own !== "#FFFFFF", "a missing picture keeps the bar's own thumb: " + own);

// A cell whose text does not fit shows a tip after the delay; a key hides it.
var tipGrid = gridWith({});
var longText = "아주 긴 텍스트가 이 칸에 들어 있습니다 " + "0123456789";
tipGrid.setCellStringData(1, 0, longText);
tipGrid.setCellStringData(2, 0, "짧음");
WScript.Mouse(tipGrid, "move", 100, 26 + 23 + 10);
check(WScript.DataTip(tipGrid) === "", "no tip before the delay");
WScript.Sleep(400);
check(WScript.DataTip(tipGrid) === longText, "tip after the delay: " + WScript.DataTip(tipGrid));
WScript.Mouse(tipGrid, "move", 100, 26 + 2 * 23 + 10);
WScript.Sleep(400);
check(WScript.DataTip(tipGrid) === "", "a fitting text shows no tip");

if (failures) WScript.Quit(1);
WScript.Echo("http_window_skins: all checks passed");
