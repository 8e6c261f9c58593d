var grid = new ActiveXObject("KORVALE.MaltroveGridCtrl.1");
WScript.Echo("before");
function leave() {
  try {
    WScript.Quit(7);
  } catch (e) {
    WScript.Echo("caught");
  } finally {
    WScript.Echo("finally");
  }
}
leave();
WScript.Echo("after");
