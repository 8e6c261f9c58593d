#pragma once

#include <mutex>

#include "platform/clipboard.h"

namespace maltrove::platform {

// A process-wide text clipboard for hosts without a display.
class MemoryClipboard : public Clipboard {
 public:
  std::string GetText() override;
  void SetText(const std::string& text) override;

 private:
  std::mutex mutex_;
  std::string text_;
};

}  // namespace maltrove::platform
