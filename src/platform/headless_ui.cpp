#include "platform/headless_ui.h"

#include "platform/headless_progress.h"

namespace maltrove::platform {

namespace {

// Keeps a dialog on one line of the log.
std::string OneLine(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c == '\n') out += "\\n";
    else if (c != '\r') out += c;
  }
  return out;
}

MessageBoxAnswer ParseAnswer(const std::string& answer, MessageBoxButtons buttons) {
  if (answer == "cancel") return MessageBoxAnswer::kCancel;
  if (answer == "yes") return MessageBoxAnswer::kYes;
  if (answer == "no") return MessageBoxAnswer::kNo;
  // "ok" presses the default (first) button.
  bool yes_no = buttons == MessageBoxButtons::kYesNo || buttons == MessageBoxButtons::kYesNoCancel;
  return yes_no ? MessageBoxAnswer::kYes : MessageBoxAnswer::kOk;
}

}  // namespace

void HeadlessUserInterface::QueueAnswer(const std::string& answer) {
  std::lock_guard<std::mutex> lock(mutex_);
  answers_.push_back(answer);
}

size_t HeadlessUserInterface::PendingAnswers() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return answers_.size();
}

void HeadlessUserInterface::Log(const std::string& caption, const std::string& text) {
  std::lock_guard<std::mutex> lock(mutex_);
  log_ << "DIALOG " << OneLine(caption) << ": " << OneLine(text) << std::endl;
}

std::optional<std::string> HeadlessUserInterface::NextAnswer() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (answers_.empty()) return std::nullopt;
  std::string answer = std::move(answers_.front());
  answers_.pop_front();
  return answer;
}

MessageBoxAnswer HeadlessUserInterface::ShowMessage(const std::string& caption,
                                                    const std::string& text,
                                                    MessageBoxButtons buttons) {
  Log(caption, text);
  return ParseAnswer(NextAnswer().value_or("ok"), buttons);
}

std::optional<std::string> HeadlessUserInterface::ChooseFile(const FileDialogRequest& request) {
  Log(request.caption, request.save ? "save " + request.initialName : "open " + request.filter);
  std::string answer = NextAnswer().value_or("cancel");
  if (answer.empty() || answer == "cancel") return std::nullopt;
  return answer;
}

std::string HeadlessUserInterface::RunDialog(const std::string& caption,
                                             const std::string& description) {
  Log(caption, description);
  return NextAnswer().value_or("cancel");
}

int HeadlessUserInterface::PopupMenu(const std::vector<MenuItem>& items, int, int) {
  std::string listed;
  for (const MenuItem& item : items) {
    if (!listed.empty()) listed += '|';
    if (item.command == 0) {
      listed += '-';
      continue;
    }
    const std::string label = item.text.substr(0, item.text.find('\t'));
    listed += item.enabled ? label : "[" + label + "]";
  }
  Log("menu", listed);
  const std::string answer = NextAnswer().value_or("cancel");
  for (const MenuItem& item : items) {
    if (item.command == 0 || !item.enabled) continue;
    if (answer == item.text.substr(0, item.text.find('\t')) ||
        answer == std::to_string(item.command)) {
      return item.command;
    }
  }
  return 0;
}

std::unique_ptr<ProgressDialog> HeadlessUserInterface::CreateProgressDialog() {
  return std::make_unique<HeadlessProgressDialog>(
      [this](const std::string& caption, const std::string& text) { Log(caption, text); });
}

}  // namespace maltrove::platform
