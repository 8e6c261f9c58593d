#include "ops/clipboard_text.h"

namespace maltrove {

namespace {

bool NeedsQuotes(std::string_view value) {
  return value.find_first_of("\t\r\n\"") != std::string_view::npos;
}

// Length of the line break at `at`, 0 when there is none.
size_t LineBreakAt(std::string_view text, size_t at) {
  if (at < text.size() && text[at] == '\n') return 1;
  if (at + 1 < text.size() && text[at] == '\r' && text[at + 1] == '\n') return 2;
  return 0;
}

bool EndsField(std::string_view text, size_t at) {
  return at == text.size() || text[at] == '\t' || LineBreakAt(text, at) > 0;
}

// A quoted field starting at `at` (the opening quote): its value and the
// position after the closing quote, or false when it is not well formed.
bool ReadQuoted(std::string_view text, size_t at, std::string* value, size_t* end) {
  value->clear();
  size_t i = at + 1;
  while (true) {
    const size_t quote = text.find('"', i);
    if (quote == std::string_view::npos) return false;
    value->append(text.substr(i, quote - i));
    if (quote + 1 < text.size() && text[quote + 1] == '"') {
      value->push_back('"');
      i = quote + 2;
      continue;
    }
    if (!EndsField(text, quote + 1)) return false;
    *end = quote + 1;
    return true;
  }
}

}  // namespace

void AppendClipboardField(std::string& out, std::string_view value) {
  if (!NeedsQuotes(value)) {
    out.append(value);
    return;
  }
  out.push_back('"');
  for (char c : value) {
    if (c == '"') out.push_back('"');
    out.push_back(c);
  }
  out.push_back('"');
}

std::vector<std::vector<std::string>> ParseClipboardText(std::string_view text) {
  // Spreadsheets on this platform end every row, the last one too, with a
  // lone "\n"; the grid's own "\r\n" never ends its text but for an empty
  // last field.
  if (text.size() >= 1 && text.back() == '\n' && (text.size() < 2 || text[text.size() - 2] != '\r')) {
    text.remove_suffix(1);
  }
  std::vector<std::vector<std::string>> rows(1);
  size_t i = 0;
  while (true) {
    std::string field;
    size_t end = 0;
    if (i < text.size() && text[i] == '"' && ReadQuoted(text, i, &field, &end)) {
      i = end;
    } else {
      end = i;
      while (!EndsField(text, end)) ++end;
      field.assign(text.substr(i, end - i));
      i = end;
    }
    rows.back().push_back(std::move(field));
    if (i == text.size()) break;
    if (text[i] == '\t') {
      ++i;
    } else {
      i += LineBreakAt(text, i);
      rows.emplace_back();
    }
  }
  return rows;
}

}  // namespace maltrove
