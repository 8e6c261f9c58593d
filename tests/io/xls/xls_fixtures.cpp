#include "io/xls/xls_fixtures.h"

#include <cstring>

#include "io/xls/biff_records.h"
#include "io/xls/compound_file.h"

namespace maltrove::xls::testing {

namespace {

void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

void BeginCell(BiffWriter& w, uint16_t id, uint16_t row, uint16_t col, uint16_t xf) {
  w.Begin(id);
  w.U16(row);
  w.U16(col);
  w.U16(xf);
}

void Rk(BiffWriter& w, uint16_t row, uint16_t col, uint32_t rk) {
  BeginCell(w, record::kRk, row, col, kCellXf);
  w.U32(rk);
  w.End();
}

std::u16string MakeLongText() {
  std::u16string s;
  while (s.size() < 10000) s += u"합계 total ";
  return s;
}

}  // namespace

const std::u16string kLongFormulaText = MakeLongText();

std::vector<uint8_t> FormulaWorkbook() {
  BiffWriter w;
  WriteBof(w, kBofGlobals);
  WriteWorkbookPrologue(w);
  w.Begin(record::kDateMode);
  w.U16(1);
  w.End();
  WriteFormat(w, 164, u"yyyy\\-mm\\-dd");
  WriteFormat(w, 165, u"0.00\" d\"");
  WriteFormat(w, 166, u"[h]:mm");
  WriteFormat(w, 167, u"[Red]#,##0");
  WriteStyleXfs(w);
  for (uint16_t ifmt : {0, 164, 165, 166, 14, 167}) WriteCellXf(w, ifmt);  // XF 15..20
  WriteStyle(w);
  const size_t calc_at = WriteBoundSheet(w, u"Calc");
  w.Begin(record::kBoundSheet);
  const size_t chart_at = w.size();
  w.U32(0);
  w.U8(0);
  w.U8(2);  // chart
  w.U8(6);
  w.U8(0);
  w.Raw("Chart1", 6);
  w.End();
  const size_t hidden_at = WriteBoundSheet(w, u"Hidden");
  w.bytes()[hidden_at + 4] = 1;

  // SST: a rich string with phonetic data whose runs straddle a CONTINUE,
  // then a string that goes on 16-bit in the next CONTINUE, then Korean.
  w.Begin(record::kSst);
  w.U32(3);
  w.U32(3);
  w.U16(4);
  w.U8(0x0C);
  w.U16(2);   // runs
  w.U32(10);  // phonetic bytes
  w.Raw("Rich", 4);
  w.U32(0x00010000);
  w.End();
  w.Begin(record::kContinue);
  w.U32(0x00000003);
  for (int i = 0; i < 10; ++i) w.U8(0xAA);
  w.U16(5);
  w.U8(0);
  w.Raw("Pl", 2);
  w.End();
  w.Begin(record::kContinue);
  w.U8(1);
  for (char16_t c : std::u16string(u"ain")) w.U16(c);
  w.U16(2);
  w.U8(1);
  for (char16_t c : std::u16string(u"한글")) w.U16(c);
  w.End();
  WriteEof(w);

  w.PatchU32(calc_at, static_cast<uint32_t>(w.size()));
  WriteBof(w, kBofWorksheet);
  WriteDimensions(w, 0, 6, 0, 6);
  using K = FormulaResult::Kind;
  const uint8_t a1_plus_b1[] = {0x24, 0, 0, 0, 0xC0, 0x24, 0, 0, 1, 0xC0, 0x03};
  const uint8_t str_abc[] = {0x17, 3, 0, 'a', 'b', 'c'};
  const uint8_t true_token[] = {0x1D, 1};
  const uint8_t div_zero[] = {0x1E, 1, 0, 0x1E, 0, 0, 0x06};
  const uint8_t empty_str[] = {0x17, 0, 0};
  WriteNumber(w, 0, 0, kCellXf, 1);
  WriteNumber(w, 0, 1, kCellXf, 2);
  WriteFormula(w, 0, 2, kCellXf, {K::kNumber, 3, 0}, a1_plus_b1);
  WriteFormula(w, 0, 3, 16, {K::kNumber, 44197.5, 0}, a1_plus_b1);
  WriteFormula(w, 1, 0, kCellXf, {K::kString, 0, 0}, str_abc);
  WriteStringResult(w, u"abc");
  WriteFormula(w, 1, 1, kCellXf, {K::kBoolean, 0, 1}, true_token);
  WriteFormula(w, 1, 2, kCellXf, {K::kError, 0, 0x07}, div_zero);
  WriteFormula(w, 1, 3, kCellXf, {K::kEmptyString, 0, 0}, empty_str);
  WriteFormula(w, 1, 4, kCellXf, {K::kString, 0, 0}, empty_str);
  WriteStringResult(w, kLongFormulaText);
  WriteFormula(w, 1, 5, kCellXf, {K::kString, 0, 0}, empty_str);
  w.Begin(record::kArray);  // may stand between a formula and its STRING
  for (int i = 0; i < 14; ++i) w.U8(0);
  w.End();
  WriteStringResult(w, u"arr");

  Rk(w, 2, 0, 123u << 2 | 2);
  Rk(w, 2, 1, 123u << 2 | 3);
  Rk(w, 2, 2, 0x3FF80000);  // 1.5
  w.Begin(record::kMulRk);
  w.U16(2);
  w.U16(3);
  for (uint32_t rk : {static_cast<uint32_t>(-5) << 2 | 2, 0x3FD00000u, 1234567u << 2 | 3}) {
    w.U16(kCellXf);
    w.U32(rk);
  }
  w.U16(5);
  w.End();

  BeginCell(w, record::kBoolErr, 3, 0, kCellXf);
  w.U8(1);
  w.U8(0);
  w.End();
  BeginCell(w, record::kBoolErr, 3, 1, kCellXf);
  w.U8(0x2A);
  w.U8(1);
  w.End();
  BeginCell(w, record::kLabel, 3, 2, kCellXf);
  w.U16(7);
  w.U8(0);
  w.Raw("label \xE9", 7);
  w.End();
  BeginCell(w, record::kRString, 3, 3, kCellXf);
  w.U16(6);
  w.U8(1);
  for (char16_t c : std::u16string(u"rich 가")) w.U16(c);
  w.U16(1);
  w.U32(0);
  w.End();
  BeginCell(w, record::kBlank, 3, 4, kCellXf);
  w.End();
  w.Begin(record::kMulBlank);
  w.U16(3);
  w.U16(5);
  w.U16(kCellXf);
  w.U16(kCellXf);
  w.U16(6);
  w.End();

  WriteNumber(w, 4, 0, 16, 44197);
  WriteNumber(w, 4, 1, 17, 1.5);
  WriteNumber(w, 4, 2, 18, 1.25);
  WriteNumber(w, 4, 3, 19, 44197);
  WriteNumber(w, 4, 4, 20, 5);
  for (uint16_t i = 0; i < 3; ++i) WriteLabelSst(w, 5, i, kCellXf, i);
  WriteWindow2(w, true);
  WriteEof(w);

  w.PatchU32(chart_at, static_cast<uint32_t>(w.size()));
  WriteBof(w, 0x0020);
  WriteEof(w);

  w.PatchU32(hidden_at, static_cast<uint32_t>(w.size()));
  WriteBof(w, kBofWorksheet);
  WriteDimensions(w, 0, 1, 0, 1);
  WriteNumber(w, 0, 0, kCellXf, 7);
  WriteWindow2(w, false);
  WriteEof(w);
  if (w.size() < 4096) w.bytes().resize(4096, 0);
  return MakeCompoundFile(u"Workbook", w.bytes());
}

std::vector<uint8_t> Biff5BookStream() {
  // "시트" and "안녕" in code page 949.
  const std::string sheet_name = "\xBD\xC3\xC6\xAE";
  const std::string label = "\xBE\xC8\xB3\xE7 Excel 95";
  const std::string total = "Total 95";
  BiffWriter w;
  auto bof = [&](uint16_t type) {
    w.Begin(record::kBof);
    for (uint16_t v : {0x0500, static_cast<int>(type), 0x0DBB, 0x07CC}) w.U16(static_cast<uint16_t>(v));
    w.End();
  };
  bof(kBofGlobals);
  w.Begin(record::kCodePage);
  w.U16(949);
  w.End();
  for (int i = 0; i < 16; ++i) {
    w.Begin(record::kXf);
    w.U16(0);
    w.U16(i == 15 ? 14 : 0);  // XF 15 shows dates
    w.U16(i < 15 ? 0xFFF5 : 0x0001);
    for (int k = 0; k < 10; ++k) w.U8(0);
    w.End();
  }
  w.Begin(record::kBoundSheet);
  const size_t at = w.size();
  w.U32(0);
  w.U16(0);
  w.U8(static_cast<uint8_t>(sheet_name.size()));
  w.Raw(sheet_name.data(), sheet_name.size());
  w.End();
  WriteEof(w);
  w.PatchU32(at, static_cast<uint32_t>(w.size()));
  bof(kBofWorksheet);
  w.Begin(record::kDimensions);
  for (uint16_t v : {0, 2, 0, 3, 0}) w.U16(v);
  w.End();
  w.Begin(record::kLabel);
  for (uint16_t v : {0, 0, 0}) w.U16(v);
  w.U16(static_cast<uint16_t>(label.size()));
  w.Raw(label.data(), label.size());
  w.End();
  WriteNumber(w, 0, 1, 0, 2.5);
  WriteNumber(w, 0, 2, 15, 35000);
  Rk(w, 1, 0, 42u << 2 | 2);
  WriteFormula(w, 1, 1, 0, {FormulaResult::Kind::kString, 0, 0}, std::vector<uint8_t>{0x17, 0});
  w.Begin(record::kString);
  w.U16(static_cast<uint16_t>(total.size()));
  w.Raw(total.data(), total.size());
  w.End();
  WriteEof(w);
  return std::move(w.bytes());
}

std::vector<uint8_t> MiniStreamFile(const std::u16string& name, const std::vector<uint8_t>& stream) {
  constexpr uint32_t kFree = 0xFFFFFFFF, kEnd = 0xFFFFFFFE, kFatSect = 0xFFFFFFFD;
  const size_t units = (stream.size() + 63) / 64;
  const size_t data_sectors = (units * 64 + 511) / 512;
  // Sectors: 0 FAT, 1 directory, 2 mini FAT, 3.. the mini stream.
  std::vector<uint8_t> f(512 * (4 + data_sectors), 0);
  const uint8_t sig[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
  std::memcpy(f.data(), sig, 8);
  const uint8_t fixed[] = {0x3E, 0, 3, 0, 0xFE, 0xFF, 9, 0, 6, 0};
  std::memcpy(f.data() + 0x18, fixed, sizeof fixed);
  Put32(f, 0x2C, 1);
  Put32(f, 0x30, 1);
  Put32(f, 0x38, 4096);
  Put32(f, 0x3C, 2);
  Put32(f, 0x40, 1);
  Put32(f, 0x44, kEnd);
  for (size_t i = 0; i < 109; ++i) Put32(f, 0x4C + 4 * i, i == 0 ? 0 : kFree);
  const size_t fat = 512, dir = 1024, minifat = 1536, data = 2048;
  for (size_t i = 0; i < 128; ++i) {
    uint32_t v = kFree;
    if (i == 0) v = kFatSect;
    else if (i == 1 || i == 2) v = kEnd;
    else if (i >= 3 && i < 3 + data_sectors) v = i + 1 < 3 + data_sectors ? static_cast<uint32_t>(i + 1) : kEnd;
    Put32(f, fat + 4 * i, v);
  }
  auto entry = [&](size_t at, const std::u16string& n, uint8_t type, uint32_t child, uint32_t start, uint32_t size) {
    for (size_t i = 0; i < n.size(); ++i) {
      f[at + 2 * i] = static_cast<uint8_t>(n[i]);
      f[at + 2 * i + 1] = static_cast<uint8_t>(n[i] >> 8);
    }
    f[at + 0x40] = static_cast<uint8_t>((n.size() + 1) * 2);
    f[at + 0x42] = type;
    f[at + 0x43] = 1;
    Put32(f, at + 0x44, kFree);
    Put32(f, at + 0x48, kFree);
    Put32(f, at + 0x4C, child);
    Put32(f, at + 0x74, start);
    Put32(f, at + 0x78, size);
  };
  entry(dir, u"Root Entry", 5, 1, 3, static_cast<uint32_t>(units * 64));
  entry(dir + 128, name, 2, kFree, 0, static_cast<uint32_t>(stream.size()));
  for (size_t e = 2; e < 4; ++e) entry(dir + 128 * e, u"", 0, kFree, 0, 0);
  for (size_t i = 0; i < 128; ++i)
    Put32(f, minifat + 4 * i, i + 1 < units ? static_cast<uint32_t>(i + 1) : i + 1 == units ? kEnd : kFree);
  std::memcpy(f.data() + data, stream.data(), stream.size());
  return f;
}

}  // namespace maltrove::xls::testing
