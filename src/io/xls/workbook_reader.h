#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace maltrove::xls {

enum class CellType : uint8_t { kEmpty, kNumber, kText, kBoolean, kError };

struct Cell {
  uint32_t row = 0;
  uint16_t col = 0;
  CellType type = CellType::kEmpty;
  bool formula = false;  // the value is the result the file stored for a formula
  bool date = false;     // the number format shows a date or a time
  bool boolean = false;  // kBoolean
  uint8_t error = 0;     // kError: an error code, see ErrorText
  uint16_t xf = 0;
  uint16_t format = 0;   // number format index (see WorkbookReader::FormatCode)
  double number = 0;     // kNumber; for dates a serial day number (see date1904)
  std::string text;      // kText, UTF-8
};

struct Sheet {
  std::string name;
  uint32_t rows = 0;     // 1 + the last row holding a value, 0 when there is none
  uint32_t columns = 0;  // 1 + the last column holding a value
  uint32_t declared_rows = 0;     // the DIMENSIONS record's row end (exclusive)
  uint32_t declared_columns = 0;  // and column end
  std::vector<Cell> cells;  // by row, then column; blank cells are left out

  const Cell* Find(uint32_t row, uint32_t col) const;
};

struct SheetInfo {
  std::string name;
  bool hidden = false;
  uint32_t offset = 0;  // of the sheet's BOF in the workbook stream
};

// Reads Excel 97-2003 (BIFF8) workbooks and, with code-page text, Excel 5.0/95
// (BIFF5) ones. Formula cells yield the result stored in the file.
class WorkbookReader {
 public:
  bool Open(const std::string& path, std::string* error);
  bool OpenBytes(std::vector<uint8_t> file, std::string* error);

  int biff_version() const { return biff_; }  // 8 or 5
  bool date1904() const { return date1904_; }
  uint16_t code_page() const { return code_page_; }
  const std::vector<SheetInfo>& sheets() const { return sheets_; }  // worksheets, in order
  std::vector<std::string> sheet_names() const;

  bool ReadSheet(size_t index, Sheet* out, std::string* error) const;

  // The format code of a number format index: the file's own, else the
  // built-in one ("" for a locale-dependent built-in).
  std::string FormatCode(uint16_t format) const;
  bool IsDateFormat(uint16_t format) const;

 private:
  bool ParseGlobals(std::string* error);

  std::vector<uint8_t> stream_;
  int biff_ = 0;
  bool date1904_ = false;
  uint16_t code_page_ = 1252;
  std::vector<SheetInfo> sheets_;
  std::vector<std::string> sst_;
  std::vector<uint16_t> xf_formats_;
  std::map<uint16_t, std::string> formats_;
};

// True when a format code shows a date or time: y, m, d, h or s outside
// quoted text, escapes and [bracketed] parts other than [h], [mm], [ss].
bool IsDateFormatCode(std::string_view code);

// "#DIV/0!" and the like; "#N/A" for an unknown code.
const char* ErrorText(uint8_t code);

}  // namespace maltrove::xls
