#pragma once

#include <string>

namespace maltrove::platform {

// Text clipboard (UTF-8).
class Clipboard {
 public:
  virtual ~Clipboard() = default;
  virtual std::string GetText() = 0;
  virtual void SetText(const std::string& text) = 0;
};

}  // namespace maltrove::platform
