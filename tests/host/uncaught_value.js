function fail() {
  throw "plain text";
}
fail();
