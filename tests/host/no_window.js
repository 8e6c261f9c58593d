// The gateway has no window: CreateWindow refuses it and the other verbs
// treat it as windowless.
var gateway = new ActiveXObject("KORVALE.MaltroveDBGatewaCtrl.1");
try {
  WScript.CreateWindow(gateway, 100, 100);
  WScript.Echo("created");
} catch (e) {
  WScript.Echo("caught: " + e.message);
}
var thrown = 0;
try { WScript.Pixel(gateway, 1, 1); } catch (e) { thrown++; }
try { WScript.Mouse(gateway, "click", 1, 1); } catch (e) { thrown++; }
try { WScript.Wheel(gateway, 1, 1, 1); } catch (e) { thrown++; }
try { WScript.Screenshot(gateway, "x.png"); } catch (e) { thrown++; }
WScript.Echo("thrown " + thrown + " tip [" + WScript.DataTip(gateway) + "]");
