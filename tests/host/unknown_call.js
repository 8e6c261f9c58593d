var grid = new ActiveXObject("KORVALE.MaltroveGridCtrl.1");
grid.noSuchMethod(1);
WScript.Echo("called");
