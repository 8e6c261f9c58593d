// QtClipboard: the desktop's clipboard. Text goes there as plain text and,
// for a block of cells, also as an HTML table so rich-text editors and
// spreadsheets keep the cells.
#pragma once

#include "platform/clipboard.h"

namespace maltrove::platform {

class QtClipboard : public Clipboard {
 public:
  std::string GetText() override;
  void SetText(const std::string& text) override;
  void SetTable(const std::string& text, const std::string& html) override;
};

}  // namespace maltrove::platform
