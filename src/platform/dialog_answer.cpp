#include "platform/dialog_answer.h"

namespace maltrove::platform {

std::optional<std::string> DialogAnswer::Get(const std::string& name) const {
  auto it = values.find(name);
  if (it == values.end()) return std::nullopt;
  return it->second;
}

DialogAnswer ParseDialogAnswer(const std::string& text) {
  DialogAnswer answer;
  if (text.empty() || text == "cancel") return answer;
  answer.cancel = false;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(';', start);
    if (end == std::string::npos) end = text.size();
    const std::string pair = text.substr(start, end - start);
    const size_t equals = pair.find('=');
    if (equals != std::string::npos) answer.values[pair.substr(0, equals)] = pair.substr(equals + 1);
    start = end + 1;
  }
  return answer;
}

}  // namespace maltrove::platform
