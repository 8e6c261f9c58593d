#include "model/cell_value.h"

#include <charconv>

#include "model/bank_codes.h"
#include "model/char_rules.h"
#include "model/number_text.h"
#include "model/ole_date.h"
#include "model/string_mask.h"
#include "model/text_util.h"

namespace maltrove {

namespace {

// atof without the process locale: the longest numeric prefix, else 0.
double ReadNumber(std::string_view s) {
  size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
  if (i < s.size() && s[i] == '+') ++i;
  double value = 0;
  std::from_chars(s.data() + i, s.data() + s.size(), value);
  return value;
}

bool IsSelectColumn(const CGridColumn& column) { return column.inputType == kInputSelect; }

// The position of value in the list, or -1.
int FindEntry(std::string_view list, std::string_view value) {
  std::vector<std::string_view> entries = SplitList(list);
  for (size_t i = 0; i < entries.size(); ++i) {
    if (entries[i] == value) return static_cast<int>(i);
  }
  return -1;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

// The cell's own lists when both are set, else the column's.
void SelectLists(const CGridColumn& column, const CGridCell& cell, std::string_view* values,
                 std::string_view* datas) {
  if (!cell.comboValues().empty() && !cell.comboDatas().empty()) {
    *values = cell.comboValues();
    *datas = cell.comboDatas();
  } else {
    *values = column.comboValues;
    *datas = column.comboDatas;
  }
}

std::string SelectLabel(const CGridColumn& column, const CGridCell& cell) {
  std::string_view values, datas;
  SelectLists(column, cell, &values, &datas);
  int position = FindEntry(values, cell.text);
  std::vector<std::string_view> labels = SplitList(datas);
  if (position < 0 || position >= static_cast<int>(labels.size())) return cell.text;
  return std::string(labels[position]);
}

std::string FormattedText(const CGridColumn& column, const CGridCell& cell,
                          const std::string& pattern, bool display) {
  if (cell.isNull) return {};
  if (IsSelectColumn(column) && column.dataType == kDataString) {
    return ApplyStringMask(pattern, display ? SelectLabel(column, cell) : cell.text);
  }
  switch (column.dataType) {
    case kDataNumeric:
      return FormatNumberWithGrouping(cell.number, pattern);
    case kDataDateTime:
      if (pattern.empty()) return DateStorageText(cell.number);
      return cell.number > 0 ? FormatDate(cell.number, pattern) : std::string();
    default:
      return ApplyStringMask(pattern, cell.text);
  }
}

}  // namespace

const std::string& CGridCell::comboValues() const {
  static const std::string kEmpty;
  return combo ? combo->comboValues : kEmpty;
}

const std::string& CGridCell::comboDatas() const {
  static const std::string kEmpty;
  return combo ? combo->comboDatas : kEmpty;
}

std::optional<std::string> PrepareInput(const CGridColumn& column, std::string_view data) {
  std::string text = Trim(data);
  const bool numeric = column.dataType == kDataNumeric;
  if (numeric && !text.empty() && text.back() == '.') text.pop_back();
  text = RemoveChars(text, column.ignoreChar);
  if (numeric || !column.allowChar.empty()) {
    for (size_t i = 0; i < text.size(); ++i) {
      if (!IsCharAllowed(numeric, column.allowChar, text[i], std::string_view(text).substr(0, i))) {
        return std::nullopt;
      }
    }
  }
  if (column.outputType.empty()) return text;
  switch (column.dataType) {
    case kDataNumeric: return RemoveNumericMask(column.outputType, text);
    case kDataDateTime: return RemoveDateMask(column.outputType, text);
    default: return RemoveStringMask(column.outputType, text);
  }
}

std::string MatchSelectValue(const CGridColumn& column, const CGridCell& cell,
                             std::string_view text) {
  std::string input(text);
  if (column.selectMatchMethod == "bankCode") input = std::string(BankCodeFor(input));

  if (column.selectMatchMethod == "value") {
    std::string_view list = column.comboValues.empty() ? std::string_view(column.comboDatas)
                                                       : std::string_view(column.comboValues);
    return FindEntry(list, input) >= 0 ? input : std::string();
  }
  if (column.comboValues.empty()) return {};
  std::string_view values, datas;
  SelectLists(column, cell, &values, &datas);
  std::vector<std::string_view> value_list = SplitList(values);
  for (std::string_view v : value_list) {
    if (v == input) return input;
  }
  int label = FindEntry(datas, input);
  if (label >= 0 && label < static_cast<int>(value_list.size())) {
    return std::string(value_list[label]);
  }
  for (std::string_view v : value_list) {
    if (EqualIgnoringCase(v, input)) return std::string(v);
  }
  return {};
}

void SetCellValue(const CGridColumn& column, CGridCell& cell, std::string_view text) {
  std::string s = Trim(text);
  cell.isNull = false;
  switch (column.dataType) {
    case kDataNumeric:
      cell.number = ReadNumber(s);
      cell.text = std::move(s);
      return;
    case kDataDateTime: {
      double serial = 0;
      if (ParseDateDigits(s, &serial)) {
        cell.number = serial;
      } else {
        cell.isNull = true;
      }
      return;
    }
    default:
      break;
  }
  if (IsSelectColumn(column)) {
    cell.text = MatchSelectValue(column, cell, s);
  } else if (column.inputLimit > 0) {
    cell.text = Trim(TruncateUtf8(s, static_cast<size_t>(column.inputLimit)));
  } else {
    cell.text = std::move(s);
  }
}

std::string StorageText(const CGridColumn& column, const CGridCell& cell) {
  if (cell.isNull) return {};
  switch (column.dataType) {
    case kDataNumeric: return FormatNumber(cell.number, column.displayType);
    case kDataDateTime: return DateStorageText(cell.number);
    default: return cell.text;
  }
}

std::string DisplayText(const CGridColumn& column, const CGridCell& cell) {
  return FormattedText(column, cell, column.displayType, true);
}

std::string OutputText(const CGridColumn& column, const CGridCell& cell) {
  return FormattedText(column, cell, column.outputType, false);
}

bool IsValidDefault(int dataType, std::string_view value) {
  for (size_t i = 0; i < value.size(); ++i) {
    const char c = value[i];
    const bool digit = c >= '0' && c <= '9';
    if (dataType == kDataNumeric && !digit && c != '.' && !(i == 0 && (c == '+' || c == '-'))) {
      return false;
    }
    if (dataType == kDataDateTime && !digit) return false;
  }
  return true;
}

}  // namespace maltrove
