#include "io/dsv_format.h"

#include "model/text_util.h"

namespace maltrove {

std::vector<std::string> DelimiterCandidates(const std::string& setting) {
  std::vector<std::string> items;
  for (size_t i = 0; i < setting.size(); ++i) {
    if (setting[i] == '\\' && i + 1 < setting.size()) {
      const std::string candidate = setting.substr(i, 2);
      items.push_back(candidate == "\\t" ? "Tab" : candidate);
      ++i;
    } else {
      items.push_back(setting.substr(i, 1));
    }
  }
  return items;
}

char DelimiterOf(const std::string& boxText) {
  if (boxText == "Tab") return '\t';
  return boxText.empty() ? ',' : boxText[0];
}

std::vector<int> ListedColumns(const CGridModel& grid, bool hidden, bool checkButton) {
  std::vector<int> listed;
  for (int c = 0; c < grid.getColumnCount(); ++c) {
    const CGridColumn& column = *grid.column(c);
    const bool special = column.inputType == kInputRadio || column.inputType == kInputCheckBox ||
                         column.inputType == kInputButton;
    if ((hidden || column.isVisible()) && (checkButton || !special)) listed.push_back(c);
  }
  return listed;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  lines.push_back(text.substr(start));
  return lines;
}

std::vector<std::string> SplitFields(std::string_view line, char delimiter, bool removeQuotes) {
  std::vector<std::string> fields(1);
  for (char c : line) {
    if (c == delimiter) {
      fields.emplace_back();
    } else if (!(removeQuotes && c == '"')) {
      fields.back().push_back(c);
    }
  }
  return fields;
}

std::string LetterName(int position) {
  std::string name;
  for (int n = position + 1; n > 0; n = (n - 1) / 26) {
    name.insert(name.begin(), static_cast<char>('A' + (n - 1) % 26));
  }
  return name;
}

std::string HeaderName(const CGridColumn& column) {
  std::string label = Trim(column.label);
  return label.empty() ? Trim(column.fieldName) : label;
}

}  // namespace maltrove
