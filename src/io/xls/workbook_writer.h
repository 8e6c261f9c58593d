#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace maltrove::xls {

// Writes an Excel 97-2003 workbook (BIFF8 in a compound file) holding text
// and numbers in the General format.
class WorkbookWriter {
 public:
  static constexpr uint32_t kMaxRows = 65536;
  static constexpr uint32_t kMaxColumns = 256;
  static constexpr size_t kMaxSheetName = 31;    // UTF-16 units
  static constexpr size_t kMaxTextLength = 32767;  // UTF-16 units; longer text is cut

  // Returns the new sheet's index, or -1 when the name is empty, longer than
  // 31 characters, holds one of : \ / ? * [ ], starts or ends with an
  // apostrophe, or is already used (letter case ignored).
  int AddSheet(std::string_view name, std::string* error = nullptr);

  // Both return false for an unknown sheet or a row/column out of range.
  // Empty text leaves the cell empty; later calls for a cell replace earlier ones.
  bool SetText(int sheet, uint32_t row, uint32_t col, std::string_view utf8);
  bool SetNumber(int sheet, uint32_t row, uint32_t col, double value);  // false for NaN/inf

  // Writes to a temporary file beside `path` and renames it over `path`.
  bool Save(const std::string& path, std::string* error);

  // The BIFF8 "Workbook" stream alone.
  std::vector<uint8_t> BuildStream();

 private:
  struct Cell {
    uint32_t key;    // row << 8 | column
    uint32_t value;  // SST index, or one of the tags below
    double number;
  };
  static constexpr uint32_t kNumberTag = 0xFFFFFFFF;
  static constexpr uint32_t kClearTag = 0xFFFFFFFE;

  struct Sheet {
    std::u16string name;
    std::vector<Cell> cells;
  };

  // A slot of the open-addressed table from a text to its SST index.
  struct TextSlot {
    uint32_t hash = 0;
    uint32_t index = kNoText;
  };
  static constexpr uint32_t kNoText = 0xFFFFFFFF;

  bool Put(int sheet, uint32_t row, uint32_t col, uint32_t value, double number);
  void Normalize(Sheet& sheet);
  uint32_t TextIndex(std::string_view utf8);
  uint32_t AddText(std::string_view utf8);
  std::string_view KeyOf(uint32_t index) const {
    return std::string_view(keys_).substr(key_starts_[index],
                                          key_starts_[index + 1] - key_starts_[index]);
  }
  void GrowSlots();

  std::vector<Sheet> sheets_;
  std::vector<std::u16string> strings_;
  // Each SST entry's UTF-8 text, end to end: entry i spans key_starts_[i] to
  // key_starts_[i + 1]. One block rather than a node and string per text.
  std::string keys_;
  std::vector<size_t> key_starts_{0};
  std::vector<TextSlot> slots_;
  // Per column, the SST index of the text last written there.
  std::vector<uint32_t> last_text_ = std::vector<uint32_t>(kMaxColumns, kNoText);
};

}  // namespace maltrove::xls
