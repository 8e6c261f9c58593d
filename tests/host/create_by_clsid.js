var byClsid = new ActiveXObject("clsid:DDC012F8-A786-4584-856D-044BC1F49414");
var braced = new ActiveXObject("{ddc012f8-a786-4584-856d-044bc1f49414}");
var gateway = new ActiveXObject("KORVALE.MaltroveDBGatewaCtrl.1");
WScript.Echo(byClsid.getVersion(), braced.getVersion(), typeof gateway);
