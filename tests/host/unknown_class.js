try {
  new ActiveXObject("NO.SUCH.Control.1");
} catch (e) {
  if (e.number != 0x80040154) throw new Error("number was " + e.number);
  WScript.Echo("caught: " + e.message);
}
new ActiveXObject("Another.Missing.1");
