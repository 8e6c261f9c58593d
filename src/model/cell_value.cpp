#include "model/cell_value.h"

#include <charconv>

#include "model/bank_codes.h"
#include "model/char_rules.h"
#include "model/number_text.h"
#include "model/ole_date.h"
#include "model/string_mask.h"
#include "shared/ascii_case.h"
#include "model/text_util.h"

namespace maltrove {

namespace {

// Plain decimals of up to 15 digits are exact as an integer divided by a
// power of ten, which gives the correctly rounded double at once.
bool ReadShortDecimal(std::string_view s, double* value, int* fractionDigits) {
  PlainDecimal d;
  if (!ScanPlainDecimal(s, &d)) return false;
  *fractionDigits = d.decimals < 0 ? 0 : d.decimals;
  const double v = static_cast<double>(d.mantissa) / kPowersOfTen[*fractionDigits];
  *value = d.negative ? -v : v;
  return true;
}

// atof without the process locale: the longest numeric prefix, else 0.
// `fractionDigits` as NumberReadsBack takes it: -1 unless a short decimal.
double ReadNumber(std::string_view s, int* fractionDigits) {
  *fractionDigits = -1;
  size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
  if (i < s.size() && s[i] == '+') ++i;
  double value = 0;
  if (ReadShortDecimal(s.substr(i), &value, fractionDigits)) return value;
  *fractionDigits = -1;
  std::from_chars(s.data() + i, s.data() + s.size(), value);
  return value;
}

bool IsSelectColumn(const CGridColumn& column) { return column.inputType == kInputSelect; }

// The cell's own lists when both are set, else the column's.
void SelectLists(const CGridColumn& column, const CellCombo* own, std::string_view* values,
                 std::string_view* datas) {
  if (HasOwnSelectLists(own)) {
    *values = own->comboValues;
    *datas = own->comboDatas;
  } else {
    *values = column.comboValues;
    *datas = column.comboDatas;
  }
}

std::string SelectLabel(const CGridColumn& column, const CGridCell& cell, const CellCombo* own) {
  std::string_view values, datas;
  SelectLists(column, own, &values, &datas);
  std::optional<std::string_view> label = ListEntryAt(datas, FindListEntry(values, cell.text));
  return label ? std::string(*label) : cell.text.str();
}

std::string FormattedText(const CGridColumn& column, const CGridCell& cell,
                          const std::string& pattern, bool display, const CellCombo* own) {
  if (cell.isNull) return {};
  if (IsSelectColumn(column) && column.dataType == kDataString) {
    return ApplyStringMask(pattern, display ? SelectLabel(column, cell, own) : cell.text.str());
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

std::optional<std::string> PrepareInput(const CGridColumn& column, std::string_view data) {
  const std::string_view trimmed = TrimInput(column, data);
  const bool numeric = column.dataType == kDataNumeric;
  std::string text = column.ignoreChar.empty() ? std::string(trimmed)
                                               : RemoveChars(trimmed, column.ignoreChar);
  if (!IsTextAllowed(numeric, column.allowChar, text)) return std::nullopt;
  if (column.outputType.empty()) return text;
  switch (column.dataType) {
    case kDataNumeric: return RemoveNumericMask(column.outputType, text);
    case kDataDateTime: return RemoveDateMask(column.outputType, text);
    default: return RemoveStringMask(column.outputType, text);
  }
}

std::string_view MatchSelectView(const CGridColumn& column, const CellCombo* own,
                                 std::string_view input, std::string* scratch) {
  // Views compare their sizes first: most columns name no method at all.
  const std::string_view method = column.selectMatchMethod;
  if (method == "bankCode") input = *scratch = std::string(BankCodeFor(input));

  if (method == "value") {
    std::string_view list = column.comboValues.empty() ? std::string_view(column.comboDatas)
                                                       : std::string_view(column.comboValues);
    return FindListEntry(list, input) >= 0 ? input : std::string_view();
  }
  if (column.comboValues.empty()) return {};
  std::string_view values, datas;
  SelectLists(column, own, &values, &datas);
  if (FindListEntry(values, input) >= 0) return input;
  if (std::optional<std::string_view> v = ListEntryAt(values, FindListEntry(datas, input))) {
    return *v;
  }
  ListCursor cursor(values);
  std::string_view v;
  while (cursor.Next(&v)) {
    if (EqualsIgnoringAsciiCase(v, input)) return v;
  }
  return {};
}

void SetCellValue(const CGridColumn& column, CGridCell& cell, std::string_view text,
                  const CellCombo* own, const SelectListIndex* index) {
  std::string_view s = TrimBlanks(text);
  cell.isNull = false;
  switch (column.dataType) {
    case kDataNumeric:
      int fractionDigits;
      cell.number = ReadNumber(s, &fractionDigits);
      cell.numberReadsBack = NumberReadsBack(cell.number, fractionDigits);
      cell.text.assign(s);
      return;
    case kDataDateTime: {
      double serial = 0;
      cell.numberReadsBack = false;
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
    std::string scratch;
    cell.text.assign(index != nullptr ? index->Match(s, &scratch)
                                      : MatchSelectView(column, own, s, &scratch));
  } else if (column.inputLimit > 0) {
    cell.text = Trim(TruncateUtf8(s, static_cast<size_t>(column.inputLimit)));
  } else {
    cell.text.assign(s);
  }
}

std::string StorageText(const CGridColumn& column, const CGridCell& cell) {
  if (cell.isNull) return {};
  switch (column.dataType) {
    case kDataNumeric: return FormatNumber(cell.number, column.displayType);
    case kDataDateTime: return DateStorageText(cell.number);
    default: return cell.text.str();
  }
}

std::string DisplayText(const CGridColumn& column, const CGridCell& cell, const CellCombo* own) {
  return FormattedText(column, cell, column.displayType, true, own);
}

std::string OutputText(const CGridColumn& column, const CGridCell& cell) {
  return FormattedText(column, cell, column.outputType, false, nullptr);
}

void AppendOutputText(const CGridColumn& column, const CGridCell& cell, std::string* out) {
  if (cell.isNull) return;
  if (!column.outputType.empty()) {
    out->append(OutputText(column, cell));
    return;
  }
  // Without a pattern: FormattedText's plain forms, written in place.
  switch (column.dataType) {
    case kDataNumeric: AppendPlainNumber(cell.number, out); return;
    case kDataDateTime: AppendDateStorageText(cell.number, out); return;
    default: out->append(cell.text.view()); return;
  }
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
