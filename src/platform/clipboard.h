#pragma once

#include <string>

namespace maltrove::platform {

// Text clipboard (UTF-8).
class Clipboard {
 public:
  virtual ~Clipboard() = default;
  virtual std::string GetText() = 0;
  virtual void SetText(const std::string& text) = 0;
  // A block of cells: the text and the same cells as an HTML table, for
  // clipboards that carry both; others keep the text.
  virtual void SetTable(const std::string& text, const std::string& html) {
    (void)html;
    SetText(text);
  }
};

}  // namespace maltrove::platform
