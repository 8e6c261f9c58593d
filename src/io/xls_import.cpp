#include "io/xls_import.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <limits>
#include <optional>

#include "io/appended_rows.h"
#include "io/dsv_format.h"
#include "io/excel_sheet_dialog.h"
#include "model/ole_date.h"
#include "model/text_util.h"
#include "io/file_names.h"
#include "model/grid_messages.h"
#include "platform/file_io.h"
#include "platform/progress_dialog.h"
#include "platform/registry.h"
#include "platform/temp_folder.h"
#include "platform/user_interface.h"

namespace maltrove {

namespace {

constexpr char kDriverMessage[] =
    "Excel 파일 처리에 필요한 OLE DB 드라이버가 정상적으로 설치되지 않았습니다.";
constexpr char kOdbcMessage[] =
    "Excel 파일 처리에 필요한 ODBC 드라이버가 정상적으로 설치되지 않았습니다.[ERROR-0004]";
constexpr char kLoadingMessage[] = "엑셀 파일을 불러오는 중입니다.";
constexpr char kRefusedMessage[] = "엑셀 데이터 %d 행의 %s 칼럼이 지정된 형식과 일치하지 않습니다.";
constexpr char kInUseMessage[] =
    "엑셀 파일이 사용 중인 것 같습니다. 엑셀 파일을 사용 중인 프로그램을 종료하고 [확인] 버튼을 "
    "클릭하십시오.";
constexpr char kOpenCaption[] = "열기";
// A host that keeps answering OK to a file it can never read would loop
// for ever; after this many questions the member ends as on Cancel.
constexpr int kMaxInUseQuestions = 10;
constexpr int kMaxWorkingCopies = 100000;

std::string Format(const char* format, double value) {
  const int size = std::snprintf(nullptr, 0, format, value);
  std::string text(static_cast<size_t>(std::max(size, 0)), '\0');
  std::snprintf(text.data(), text.size() + 1, format, value);
  return text;
}

std::string RefusedMessage(int row, const std::string& name) {
  const int size = std::snprintf(nullptr, 0, kRefusedMessage, row, name.c_str());
  std::string text(static_cast<size_t>(std::max(size, 0)), '\0');
  std::snprintf(text.data(), text.size() + 1, kRefusedMessage, row, name.c_str());
  return text;
}

void StripTrailingZeros(std::string* text) {
  if (text->find('.') == std::string::npos) return;
  while (!text->empty() && text->back() == '0') text->pop_back();
}

std::string DoubleText(double value, const CGridColumn* column) {
  const bool wide =
      column != nullptr && (column->inputType == kInputSelect || column->dataType == kDataString);
  std::string text;
  if (!std::isfinite(value)) {
    text = Format("%f", value);
  } else if (!wide && value >= std::numeric_limits<int32_t>::min() &&
             value <= std::numeric_limits<int32_t>::max() &&
             value == static_cast<double>(static_cast<int32_t>(value))) {
    text = std::to_string(static_cast<int32_t>(value));
  } else if (wide && std::fabs(value) < 9.2e18 &&
             value == static_cast<double>(static_cast<int64_t>(value))) {
    text = std::to_string(static_cast<long long>(value));
  } else {
    text = Format("%f", value);
  }
  StripTrailingZeros(&text);
  return text;
}

// Excel day serials to OLE ones: the 1900 system counts a 29 February 1900
// that never was, so its first two months are one day off.
double OleSerial(double serial, bool date1904) {
  if (date1904) return serial + 1462;
  return serial < 60 ? serial + 1 : serial;
}

int SheetIndex(const xls::WorkbookReader& book, const std::string& name) {
  const auto& sheets = book.sheets();
  for (size_t i = 0; i < sheets.size(); ++i) {
    if (sheets[i].name == name) return static_cast<int>(i);
  }
  return -1;
}

bool ReadNamedSheet(const xls::WorkbookReader& book, const std::string& name, xls::Sheet* sheet) {
  const int index = SheetIndex(book, name);
  std::string error;
  return index >= 0 && book.ReadSheet(static_cast<size_t>(index), sheet, &error);
}

bool RowIsEmpty(const ExcelRowsets& rowsets, uint32_t row) {
  for (uint32_t c = 0; c < rowsets.columns(); ++c) {
    if (!rowsets.CellValue(row, c, nullptr).empty()) return false;
  }
  return true;
}

void ShowError(platform::UserInterface* ui, const std::string& text) {
  if (ui != nullptr) ui->ShowMessage(kGridCaption, text, platform::MessageBoxButtons::kOk);
}

bool CanOpenForReading(const std::string& path) {
  FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  std::fclose(file);
  return true;
}

bool WriteAll(int fd, const std::string& content) {
  size_t done = 0;
  while (done < content.size()) {
    const ssize_t n = ::write(fd, content.data() + done, content.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

// Saves both TypeGuessRows values, sets them to 0 and restores them when it
// goes out of scope, on every path.
class TypeGuessRowsGuard {
 public:
  explicit TypeGuessRowsGuard(platform::Registry* registry) : registry_(registry) {
    if (registry_ == nullptr) return;
    for (int i = 0; i < 2; ++i) {
      uint32_t value = 0;
      if (registry_->ReadDword(kKeys[i], kTypeGuessRows, &value) != platform::RegistryRead::kValue) {
        value = kDefaultTypeGuessRows;
      }
      saved_[i] = value;
      registry_->WriteDword(kKeys[i], kTypeGuessRows, 0);
    }
  }
  ~TypeGuessRowsGuard() {
    if (registry_ == nullptr) return;
    for (int i = 0; i < 2; ++i) registry_->WriteDword(kKeys[i], kTypeGuessRows, saved_[i]);
  }
  TypeGuessRowsGuard(const TypeGuessRowsGuard&) = delete;
  TypeGuessRowsGuard& operator=(const TypeGuessRowsGuard&) = delete;

 private:
  static constexpr const char* kKeys[2] = {kJet35ExcelKey, kJet40ExcelKey};
  platform::Registry* registry_;
  uint32_t saved_[2] = {kDefaultTypeGuessRows, kDefaultTypeGuessRows};
};

class FileRemover {
 public:
  explicit FileRemover(std::string path) : path_(std::move(path)) {}
  ~FileRemover() { std::remove(path_.c_str()); }
  FileRemover(const FileRemover&) = delete;
  FileRemover& operator=(const FileRemover&) = delete;

 private:
  std::string path_;
};

}  // namespace

std::string ExcelErrorMessage(ExcelOpenError error) {
  if (error == ExcelOpenError::kSheetList) return kOdbcMessage;
  return std::string(kDriverMessage) + "[ERROR-000" + std::to_string(static_cast<int>(error)) + "]";
}

ExcelOpenError ExcelRowsets::Open(const std::string& workbookPath, const std::string& copyPath,
                                  const std::string& sheetName) {
  *this = ExcelRowsets();
  try {
    std::string error;
    xls::WorkbookReader textBook;
    if (!textBook.Open(workbookPath, &error)) return ExcelOpenError::kTextBook;
    xls::WorkbookReader typedBook;
    if (!typedBook.Open(copyPath.empty() ? workbookPath : copyPath, &error)) {
      return ExcelOpenError::kTypedBook;
    }
    if (!ReadNamedSheet(textBook, sheetName, &text_) ||
        !ReadNamedSheet(typedBook, sheetName, &typed_)) {
      *this = ExcelRowsets();
      return ExcelOpenError::kSheet;
    }
    typedDate1904_ = typedBook.date1904();
    rows_ = std::max(typed_.rows, text_.rows);
    columns_ = std::max(typed_.columns, text_.columns);
    return ExcelOpenError::kNone;
  } catch (const std::exception&) {
    *this = ExcelRowsets();
    return ExcelOpenError::kSheet;
  }
}

ExcelValue ExcelRowsets::Typed(uint32_t row, uint32_t col) const {
  ExcelValue value;
  const xls::Cell* cell = typed_.Find(row, col);
  if (cell == nullptr) return value;
  if (cell->type == xls::CellType::kText) {
    value.kind = ExcelValue::kText;
    value.text = cell->text;
  } else if (cell->type == xls::CellType::kNumber && !cell->date) {
    value.kind = ExcelValue::kDouble;
    value.number = cell->number;
  } else if (cell->type == xls::CellType::kNumber) {
    DateParts parts{};
    if (OleDateToParts(OleSerial(cell->number, typedDate1904_), &parts)) {
      value.kind = ExcelValue::kDate;
      value.year = parts.year;
      value.month = parts.month;
      value.day = parts.day;
    }
  }
  return value;
}

std::string ExcelRowsets::Text(uint32_t row, uint32_t col) const {
  const xls::Cell* cell = text_.Find(row, col);
  if (cell == nullptr) return {};
  switch (cell->type) {
    case xls::CellType::kNumber: return GeneralNumberText(cell->number);
    case xls::CellType::kText: return cell->text;
    case xls::CellType::kBoolean: return cell->boolean ? "TRUE" : "FALSE";
    case xls::CellType::kError: return xls::ErrorText(cell->error);
    default: return {};
  }
}

std::string ExcelRowsets::CellValue(uint32_t row, uint32_t col, const CGridColumn* column) const {
  std::string value = Trim(TypedValueText(Typed(row, col), column));
  if (IsExponentNotation(value)) value = Trim(Text(row, col));
  return value;
}

bool ListExcelSheets(const std::string& workbookPath, std::vector<std::string>* names) {
  names->clear();
  try {
    xls::WorkbookReader book;
    std::string error;
    if (!book.Open(workbookPath, &error)) return false;
    for (const std::string& name : book.sheet_names()) {
      if (std::find(names->begin(), names->end(), name) == names->end()) names->push_back(name);
    }
    return true;
  } catch (const std::exception&) {
    names->clear();
    return false;
  }
}

std::string GeneralNumberText(double value) {
  if (value == 0) return "0";
  if (!std::isfinite(value)) return "#NUM!";
  const double magnitude = std::fabs(value);
  const size_t sign = value < 0 ? 1 : 0;
  if (magnitude >= 1e-4 && magnitude < 1e11) {
    const int exponent = static_cast<int>(std::floor(std::log10(magnitude)));
    const int decimals = exponent >= 0 ? std::max(0, 9 - exponent) : 9;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    std::string text = buffer;
    if (text.find('.') != std::string::npos) {
      StripTrailingZeros(&text);
      if (text.back() == '.') text.pop_back();
    }
    if (text.size() - sign <= 11) return text;  // else rounding spilled into a 12th digit
  }
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.5E", value);
  std::string text = buffer;
  const size_t e = text.find('E');
  std::string mantissa = text.substr(0, e);
  StripTrailingZeros(&mantissa);
  if (mantissa.back() == '.') mantissa.pop_back();
  return mantissa + text.substr(e);
}

std::string TypedValueText(const ExcelValue& value, const CGridColumn* column) {
  std::string text;
  switch (value.kind) {
    case ExcelValue::kDouble: text = DoubleText(value.number, column); break;
    case ExcelValue::kDate: {
      char buffer[32];
      std::snprintf(buffer, sizeof buffer, "%04d%02d%02d", value.year, value.month, value.day);
      text = buffer;
      break;
    }
    case ExcelValue::kText: text = value.text; break;
    case ExcelValue::kEmpty: break;
  }
  if (column != nullptr && column->dataType == kDataDateTime) {
    std::erase_if(text, [](char c) { return c < '0' || c > '9'; });
  }
  return text;
}

bool IsExponentNotation(const std::string& text) {
  if (text.size() < 5) return false;
  auto digit = [&](size_t i) { return i < text.size() && text[i] >= '0' && text[i] <= '9'; };
  size_t i = 0;
  if (!digit(i)) return false;
  while (digit(i)) ++i;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (digit(i)) ++i;
  }
  if (i >= text.size() || (text[i] != 'E' && text[i] != 'e')) return false;
  ++i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  if (!digit(i)) return false;
  while (digit(i)) ++i;
  return i == text.size();
}

ExcelPosition PositionRowsets(const ExcelRowsets& rowsets, bool header, bool skipEmpty,
                              const std::vector<int>& fillable, std::vector<int>* columnMap) {
  ExcelPosition position;
  uint32_t row = 0;
  if (skipEmpty) {
    while (row < rowsets.rows() && RowIsEmpty(rowsets, row)) ++row;
  }
  position.names.push_back(kNotAssigned);
  for (uint32_t c = 0; c < rowsets.columns(); ++c) {
    if (!header) {
      position.names.push_back(LetterName(static_cast<int>(c)));
    } else {
      position.names.push_back(row < rowsets.rows() ? rowsets.CellValue(row, c, nullptr) : "");
    }
  }
  int k = 0;
  for (int i : fillable) {
    ++k;
    if (i < 0 || static_cast<size_t>(i) >= columnMap->size()) continue;
    int& entry = (*columnMap)[static_cast<size_t>(i)];
    if (entry == -1) entry = static_cast<uint32_t>(k) <= rowsets.columns() ? k : 0;
  }
  if (header) ++row;
  position.firstRow = row;
  return position;
}

namespace {

// immediateDrawMode off for an import, back on whatever way it ends.
class DrawModeOff {
 public:
  explicit DrawModeOff(CGridModel* grid) : grid_(grid), saved_(grid->immediateDrawMode()) {
    grid_->style().immediateDrawMode = 0;
  }
  ~DrawModeOff() {
    grid_->style().immediateDrawMode = saved_;
    grid_->styleChanged();
  }
  DrawModeOff(const DrawModeOff&) = delete;
  DrawModeOff& operator=(const DrawModeOff&) = delete;

 private:
  CGridModel* grid_;
  int32_t saved_;
};

}  // namespace

bool ImportExcelRows(CGridModel* grid, const ExcelImportSettings& settings,
                     platform::UserInterface* ui, platform::ProgressDialog* progress) {
  ExcelRowsets rowsets;
  const ExcelOpenError error =
      rowsets.Open(settings.workbookPath, settings.copyPath, settings.sheetName);
  if (error != ExcelOpenError::kNone) {
    ShowError(ui, ExcelErrorMessage(error));
    return false;
  }
  if (progress != nullptr) {
    progress->SetMessage(kLoadingMessage);
    progress->SetRange(settings.to);
    progress->SetPosition(0);
  }
  const DrawModeOff drawModeOff(grid);  // one layout and repaint at the end
  if (grid->getRowCount() > 0 && settings.clearRows) grid->removeAllRows();
  AppendedRows appended(grid);  // taken back only when the worker throws

  std::vector<int> map = settings.columnMap;
  map.resize(static_cast<size_t>(grid->getColumnCount()), -1);
  const std::vector<int> fillable = ListedColumns(*grid, settings.hidden, settings.checkButton);
  const ExcelPosition position =
      PositionRowsets(rowsets, settings.header, settings.skipEmpty, fillable, &map);

  const int64_t first = static_cast<int64_t>(settings.from) - 1;
  int64_t m = 0;
  for (uint32_t r = position.firstRow; r < rowsets.rows() && m < settings.to; ++r, ++m) {
    if (m >= first) {
      const int row = grid->insertRow(-1);
      if (row < 0) break;  // the grid's row limit
      bool empty = true;
      for (int i : fillable) {
        const int t = map[static_cast<size_t>(i)];
        if (t <= 0 || static_cast<uint32_t>(t) > rowsets.columns()) continue;
        const std::string value = rowsets.CellValue(r, static_cast<uint32_t>(t - 1), grid->column(i));
        if (!value.empty()) empty = false;
        if (grid->setCellStringData(row, i, value) != 0) continue;
        if (ui != nullptr) {
          ui->ShowMessage(kGridCaption,
                          RefusedMessage(static_cast<int>(m + 1), position.names[static_cast<size_t>(t)]),
                          platform::MessageBoxButtons::kOk);
        }
      }
      if (empty && settings.skipEmpty) grid->removeRow(row);
    }
    if (progress != nullptr) progress->Step();
  }
  appended.Keep();
  return true;
}

std::string MakeWorkingCopy(const std::string& source) {
  const std::string folder = platform::TempFolder();
  std::string content;
  if (folder.empty() || !platform::ReadWholeFile(source, &content)) return {};
  for (int n = 0; n < kMaxWorkingCopies; ++n) {
    const std::string path = folder + "MG_Temp_" + std::to_string(n) + ".xls";
    struct stat info;
    if (::lstat(path.c_str(), &info) == 0) continue;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      return {};
    }
    const bool written = WriteAll(fd, content);
    if (::close(fd) != 0 || !written) {
      std::remove(path.c_str());
      return {};
    }
    return path;
  }
  return {};
}

bool IsExcelPath(const std::string& path) { return FileExtension(path) == ".xls"; }

int32_t OpenXlsFile(CGridModel* grid, const platform::Services& services, const std::string& path,
                    int32_t nHeader, int32_t nAppend, int32_t nHidden, int32_t nCheckButton,
                    int32_t nSkipEmpty) {
  platform::UserInterface* ui = services.ui;
  if (grid == nullptr || ui == nullptr) return 0;
  try {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return 0;
    for (int asked = 0; !CanOpenForReading(path); ++asked) {
      if (asked >= kMaxInUseQuestions) return 1;
      if (ui->ShowMessage(kGridCaption, kInUseMessage, platform::MessageBoxButtons::kOkCancel) ==
          platform::MessageBoxAnswer::kCancel) {
        return 1;
      }
    }
    TypeGuessRowsGuard typeGuessRows(services.registry);
    const std::string copy = MakeWorkingCopy(path);
    if (copy.empty()) return 0;
    FileRemover removeCopy(copy);
    ExcelSheetOptions options;
    options.header = nHeader != 0;
    options.clearRows = nAppend == 0;
    options.hidden = nHidden != 0;
    options.checkButton = nCheckButton != 0;
    options.skipEmpty = nSkipEmpty != 0;
    CSelectExcelSheet dialog(grid, path, copy, options);
    return dialog.DoModal(ui) ? 1 : 0;
  } catch (const std::exception&) {
    return 0;
  }
}

int32_t OpenXlsDialogMember(CGridModel* grid, const platform::Services& services,
                            int32_t nHeader, int32_t nAppend, int32_t nHidden,
                            int32_t nCheckButton, int32_t nSkipEmpty) {
  if (grid == nullptr || services.ui == nullptr) return 0;
  const std::optional<std::string> path =
      services.ui->ChooseFile({false, kOpenCaption, "", kExcelFileFilter, "xls"});
  if (!path) return 0;
  return OpenXlsFile(grid, services, *path, nHeader, nAppend, nHidden, nCheckButton, nSkipEmpty);
}

}  // namespace maltrove
