var grid = new ActiveXObject("KORVALE.MaltroveGridCtrl.1");
grid.insertRow();
