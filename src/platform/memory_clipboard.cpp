#include "platform/memory_clipboard.h"

namespace maltrove::platform {

std::string MemoryClipboard::GetText() {
  std::lock_guard<std::mutex> lock(mutex_);
  return text_;
}

void MemoryClipboard::SetText(const std::string& text) {
  std::lock_guard<std::mutex> lock(mutex_);
  text_ = text;
}

}  // namespace maltrove::platform
