var grid = new ActiveXObject("KORVALE.MaltroveGridCtrl.1");
var value = grid.noSuchMember;
WScript.Echo("read", value);
