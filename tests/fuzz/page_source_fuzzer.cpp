// The page file the page host opens: decoded by its <meta> or byte-order
// mark, JScript handler declarations (`function grid1::onCellFocused(`)
// rewritten before the engine sees the text.
#include <QString>

#include "fuzz/fuzz_support.h"
#include "host/page/jscript_handlers.h"
#include "host/page/page_source.h"

using namespace maltrove::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = WriteInputFile("page.html", data, size);
  maltrove::host::PageSource page;
  QString error;
  Require(maltrove::host::LoadPageSource(QString::fromStdString(path), &page, &error),
          "a readable page file does not load");
  // Every rewritten declaration is longer than the one it replaces.
  const QString again = maltrove::host::RewriteJScriptHandlers(page.html);
  Require(again.size() >= page.html.size(), "rewriting shortened the page");
  return 0;
}
