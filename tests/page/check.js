// Checks for test pages: check() and expect() print "FAIL: ..." lines;
// done() prints the count and closes the window, after throwing when a
// check failed (an uncaught error makes the host's status 1). Any uncaught
// error closes the page, so that a broken page ends at once.
window.addEventListener("error", function () { setTimeout(function () { window.close(); }); });
var failures = 0, checks = 0;
function check(cond, what) {
  checks++;
  if (!cond) { console.log("FAIL: " + what); failures++; }
}
function expect(actual, wanted, what) {
  check(actual === wanted, what + ": got '" + actual + "', wanted '" + wanted + "'");
}
function throwsNumber(fn, number, what) {
  try {
    fn();
    check(false, what + ": no error");
  } catch (e) {
    expect(e.number, number, what + " (" + e.message + ")");
  }
}
function done() {
  console.log("page done: " + checks + " checks, " + failures + " failed");
  if (failures > 0) throw new Error(failures + " checks failed");
  window.close();
}
