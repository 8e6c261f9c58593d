#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// BIFF8 record building blocks shared by WorkbookWriter and test fixtures.
namespace maltrove::xls {

namespace record {
inline constexpr uint16_t kFormula = 0x0006;
inline constexpr uint16_t kEof = 0x000A;
inline constexpr uint16_t kDateMode = 0x0022;
inline constexpr uint16_t kFilePass = 0x002F;
inline constexpr uint16_t kFont = 0x0031;
inline constexpr uint16_t kContinue = 0x003C;
inline constexpr uint16_t kWindow1 = 0x003D;
inline constexpr uint16_t kCodePage = 0x0042;
inline constexpr uint16_t kBoundSheet = 0x0085;
inline constexpr uint16_t kMulRk = 0x00BD;
inline constexpr uint16_t kMulBlank = 0x00BE;
inline constexpr uint16_t kRString = 0x00D6;
inline constexpr uint16_t kXf = 0x00E0;
inline constexpr uint16_t kSst = 0x00FC;
inline constexpr uint16_t kLabelSst = 0x00FD;
inline constexpr uint16_t kExtSst = 0x00FF;
inline constexpr uint16_t kDimensions = 0x0200;
inline constexpr uint16_t kBlank = 0x0201;
inline constexpr uint16_t kNumber = 0x0203;
inline constexpr uint16_t kLabel = 0x0204;
inline constexpr uint16_t kBoolErr = 0x0205;
inline constexpr uint16_t kString = 0x0207;
inline constexpr uint16_t kRow = 0x0208;
inline constexpr uint16_t kArray = 0x0221;
inline constexpr uint16_t kTable = 0x0236;
inline constexpr uint16_t kWindow2 = 0x023E;
inline constexpr uint16_t kRk = 0x027E;
inline constexpr uint16_t kStyle = 0x0293;
inline constexpr uint16_t kFormat = 0x041E;
inline constexpr uint16_t kShrFmla = 0x04BC;
inline constexpr uint16_t kBof = 0x0809;
}  // namespace record

inline constexpr size_t kMaxRecordBody = 8224;
inline constexpr uint16_t kBofGlobals = 0x0005;
inline constexpr uint16_t kBofWorksheet = 0x0010;
inline constexpr uint16_t kCellXf = 15;  // the one cell XF of the standard table

// Appends records to one growing buffer. One record is open at a time.
class BiffWriter {
 public:
  std::vector<uint8_t>& bytes() { return buf_; }
  size_t size() const { return buf_.size(); }
  void Reserve(size_t n) { buf_.reserve(n); }

  void Begin(uint16_t id);
  void End();  // patches the open record's length
  size_t body_size() const { return buf_.size() - open_ - 4; }
  size_t open_record() const { return open_; }

  void U8(uint8_t v) { buf_.push_back(v); }
  void U16(uint16_t v);
  void U32(uint32_t v);
  void F64(double v);
  void Raw(const void* data, size_t n);
  void PatchU32(size_t at, uint32_t v);

  // Characters of a Unicode string; when the record is full, it goes on in a
  // CONTINUE record that starts with the one-byte encoding flag.
  void Chars(std::u16string_view s, bool wide);
  // A string with a 16-bit length, flags and characters, kept together with
  // its first characters (a new CONTINUE record is begun when they do not fit).
  void UnicodeString(std::u16string_view s);

 private:
  std::vector<uint8_t> buf_;
  size_t open_ = 0;
};

// True when every code unit fits the 8-bit "compressed" form.
bool FitsCompressed(std::u16string_view s);

void WriteBof(BiffWriter& w, uint16_t type);
void WriteEof(BiffWriter& w);
// CODEPAGE (UTF-16), WINDOW1 and the five FONT records.
void WriteWorkbookPrologue(BiffWriter& w);
void WriteFormat(BiffWriter& w, uint16_t ifmt, std::u16string_view code);
void WriteStyleXfs(BiffWriter& w);  // XF 0..14
void WriteCellXf(BiffWriter& w, uint16_t ifmt);
void WriteStyle(BiffWriter& w);
// Returns the stream offset of the sheet position field, to be patched.
size_t WriteBoundSheet(BiffWriter& w, std::u16string_view name);
// SST with CONTINUE records as needed, then EXTSST.
void WriteSst(BiffWriter& w, const std::vector<std::u16string>& strings, uint32_t total_refs);

void WriteDimensions(BiffWriter& w, uint32_t first_row, uint32_t end_row, uint16_t first_col,
                     uint16_t end_col);
void WriteRow(BiffWriter& w, uint16_t row, uint16_t first_col, uint16_t end_col);
void WriteNumber(BiffWriter& w, uint16_t row, uint16_t col, uint16_t xf, double value);
void WriteLabelSst(BiffWriter& w, uint16_t row, uint16_t col, uint16_t xf, uint32_t index);
void WriteWindow2(BiffWriter& w, bool selected);

struct FormulaResult {
  enum class Kind : uint8_t { kNumber, kString, kBoolean, kError, kEmptyString };
  Kind kind = Kind::kNumber;
  double number = 0;
  uint8_t code = 0;  // boolean value or error code
};
// A FORMULA record; a kString result must be followed by WriteStringResult.
void WriteFormula(BiffWriter& w, uint16_t row, uint16_t col, uint16_t xf,
                  const FormulaResult& result, std::span<const uint8_t> tokens);
void WriteStringResult(BiffWriter& w, std::u16string_view text);

}  // namespace maltrove::xls
