#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>

#include "io/xls/biff_records.h"
#include "io/xls/workbook_reader.h"
#include "io/xls/workbook_writer.h"
#include "io/xls/xls_test_util.h"
#include "io/xls/xls_text.h"

namespace maltrove::xls {
namespace {

using testing::TempDir;

std::string LongText(size_t units, std::string_view piece) {
  std::string s;
  while (s.size() < units) s += piece;
  return s;
}

TEST(WorkbookWriter, RoundTripsSheetsNumbersAndText) {
  TempDir dir;
  const std::string path = dir.File("round.xls");
  const std::string long_ascii = LongText(20000, "0123456789").substr(0, 20000);
  std::string long_mixed;  // Korean, ASCII and a surrogate pair, across many CONTINUEs
  for (int i = 0; i < 2000; ++i) long_mixed += "가나다 abc 😀 ";
  const double numbers[] = {0, -1, 0.1, -2.75, 1.5e10, -1.5e10, 1e-300, 123456789.123, 1.0 / 3};

  WorkbookWriter w;
  ASSERT_EQ(w.AddSheet("Data"), 0);
  ASSERT_EQ(w.AddSheet("데이터 시트"), 1);
  ASSERT_EQ(w.AddSheet("Empty"), 2);
  for (size_t i = 0; i < std::size(numbers); ++i) ASSERT_TRUE(w.SetNumber(0, 1, static_cast<uint32_t>(i), numbers[i]));
  ASSERT_TRUE(w.SetText(0, 0, 0, "Name"));
  ASSERT_TRUE(w.SetText(0, 0, 2, "it's"));  // B1 stays empty
  ASSERT_TRUE(w.SetText(0, 0, 3, "'leading"));
  ASSERT_TRUE(w.SetText(0, 0, 4, "=A1+1"));
  ASSERT_TRUE(w.SetText(0, 3, 255, "last column"));
  ASSERT_TRUE(w.SetText(0, 65535, 0, "last row"));
  ASSERT_TRUE(w.SetText(1, 0, 0, "한국어 텍스트"));
  ASSERT_TRUE(w.SetText(1, 1, 0, long_ascii));
  ASSERT_TRUE(w.SetText(1, 2, 0, long_mixed));
  ASSERT_TRUE(w.SetText(1, 3, 0, "Name"));  // shared string
  ASSERT_TRUE(w.SetNumber(1, 4, 0, 5));
  ASSERT_TRUE(w.SetText(1, 4, 0, "replaced"));
  ASSERT_TRUE(w.SetText(1, 5, 0, "cleared"));
  ASSERT_TRUE(w.SetText(1, 5, 0, ""));
  std::string error;
  ASSERT_TRUE(w.Save(path, &error)) << error;

  WorkbookReader r;
  ASSERT_TRUE(r.Open(path, &error)) << error;
  EXPECT_EQ(r.biff_version(), 8);
  EXPECT_FALSE(r.date1904());
  EXPECT_EQ(r.sheet_names(), (std::vector<std::string>{"Data", "데이터 시트", "Empty"}));
  Sheet s;
  ASSERT_TRUE(r.ReadSheet(0, &s, &error)) << error;
  EXPECT_EQ(s.rows, 65536u);
  EXPECT_EQ(s.columns, 256u);
  EXPECT_EQ(s.declared_rows, 65536u);
  EXPECT_EQ(s.declared_columns, 256u);
  EXPECT_EQ(s.cells.size(), std::size(numbers) + 6);
  for (size_t i = 0; i < std::size(numbers); ++i) {
    const Cell* c = s.Find(1, static_cast<uint32_t>(i));
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->type, CellType::kNumber);
    EXPECT_EQ(c->number, numbers[i]);
    EXPECT_FALSE(c->date);
    EXPECT_FALSE(c->formula);
  }
  EXPECT_EQ(s.Find(0, 1), nullptr);
  EXPECT_EQ(s.Find(0, 2)->text, "it's");
  EXPECT_EQ(s.Find(0, 3)->text, "'leading");
  EXPECT_EQ(s.Find(0, 4)->type, CellType::kText);
  EXPECT_EQ(s.Find(0, 4)->text, "=A1+1");
  EXPECT_EQ(s.Find(3, 255)->text, "last column");
  EXPECT_EQ(s.Find(65535, 0)->text, "last row");

  ASSERT_TRUE(r.ReadSheet(1, &s, &error)) << error;
  EXPECT_EQ(s.name, "데이터 시트");
  EXPECT_EQ(s.Find(0, 0)->text, "한국어 텍스트");
  EXPECT_EQ(s.Find(1, 0)->text, long_ascii);
  EXPECT_EQ(s.Find(2, 0)->text, long_mixed);
  EXPECT_EQ(s.Find(3, 0)->text, "Name");
  EXPECT_EQ(s.Find(4, 0)->text, "replaced");
  EXPECT_EQ(s.Find(5, 0), nullptr);
  EXPECT_EQ(s.rows, 5u);

  ASSERT_TRUE(r.ReadSheet(2, &s, &error)) << error;
  EXPECT_TRUE(s.cells.empty());
  EXPECT_EQ(s.rows, 0u);
  EXPECT_FALSE(r.ReadSheet(3, &s, &error));
}

TEST(WorkbookWriter, RefusesBadNamesAndCoordinates) {
  WorkbookWriter w;
  std::string error;
  for (const char* bad : {"", "a:b", "a\\b", "a/b", "a?b", "a*b", "a[b", "a]b", "'quoted",
                          "quoted'", "1234567890123456789012345678901x"}) {
    EXPECT_EQ(w.AddSheet(bad, &error), -1) << bad;
    EXPECT_FALSE(error.empty());
  }
  EXPECT_EQ(w.AddSheet("1234567890123456789012345678901"), 0);
  EXPECT_EQ(w.AddSheet("가나다라마바사아자차카타파하가나다라마바사아자차카타파하가나다"), 1);
  EXPECT_EQ(w.AddSheet("Summary"), 2);
  EXPECT_EQ(w.AddSheet("SUMMARY", &error), -1);
  EXPECT_FALSE(w.SetNumber(0, 65536, 0, 1));
  EXPECT_FALSE(w.SetNumber(0, 0, 256, 1));
  EXPECT_FALSE(w.SetText(3, 0, 0, "x"));
  EXPECT_FALSE(w.SetText(-1, 0, 0, "x"));
  EXPECT_FALSE(w.SetNumber(0, 0, 0, std::numeric_limits<double>::quiet_NaN()));
  EXPECT_FALSE(w.SetNumber(0, 0, 0, std::numeric_limits<double>::infinity()));

  WorkbookWriter none;
  TempDir dir;
  EXPECT_FALSE(none.Save(dir.File("none.xls"), &error));
  EXPECT_FALSE(error.empty());
}

TEST(WorkbookWriter, RecordsStayWithinTheSizeLimit) {
  WorkbookWriter w;
  const int s = w.AddSheet("S");
  for (uint32_t i = 0; i < 3000; ++i)
    w.SetText(s, i, 0, (i % 2 ? "항목 " : "item ") + std::to_string(i) + std::string(i % 13, 'z'));
  w.SetText(s, 0, 1, std::string(40000, 'q'));  // cut to 32,767 characters
  const std::vector<uint8_t> stream = w.BuildStream();
  size_t pos = 0;
  int continues = 0;
  size_t extsst = 0;
  uint16_t previous = 0;
  std::vector<size_t> record_starts;
  while (pos + 4 <= stream.size()) {
    const uint16_t id = stream[pos] | stream[pos + 1] << 8;
    const size_t len = stream[pos + 2] | stream[pos + 3] << 8;
    EXPECT_LE(len, kMaxRecordBody);
    if (id == record::kContinue) ++continues;
    if (id == record::kExtSst && (previous == record::kSst || previous == record::kContinue)) extsst = pos;
    record_starts.push_back(pos);
    previous = id;
    pos += 4 + len;
  }
  EXPECT_GT(continues, 3);
  ASSERT_GT(extsst, 0u);
  // Each EXTSST bucket points at the length of every eighth string and its place in its record.
  auto u16 = [&](size_t at) { return static_cast<size_t>(stream[at] | stream[at + 1] << 8); };
  auto u32 = [&](size_t at) { return u16(at) | u16(at + 2) << 16; };
  const size_t per_bucket = u16(extsst + 4);
  const size_t buckets = (u16(extsst + 2) - 2) / 8;
  EXPECT_EQ(buckets, (3001 + per_bucket - 1) / per_bucket);
  for (size_t b = 0; b < buckets; ++b) {
    const size_t at = u32(extsst + 6 + 8 * b);
    const size_t i = b * per_bucket;
    const std::string text = (i % 2 ? "항목 " : "item ") + std::to_string(i) + std::string(i % 13, 'z');
    EXPECT_EQ(u16(at), i < 3000 ? Utf8ToUtf16(text).size() : 32767) << b;
    const size_t start = *(std::upper_bound(record_starts.begin(), record_starts.end(), at) - 1);
    EXPECT_EQ(at - start, u16(extsst + 10 + 8 * b)) << b;
  }

  TempDir dir;
  std::string error;
  ASSERT_TRUE(w.Save(dir.File("limit.xls"), &error)) << error;
  WorkbookReader r;
  ASSERT_TRUE(r.Open(dir.File("limit.xls"), &error)) << error;
  Sheet sheet;
  ASSERT_TRUE(r.ReadSheet(0, &sheet, &error)) << error;
  EXPECT_EQ(sheet.Find(0, 1)->text, std::string(32767, 'q'));
  for (uint32_t i = 0; i < 3000; i += 97)
    EXPECT_EQ(sheet.Find(i, 0)->text, (i % 2 ? "항목 " : "item ") + std::to_string(i) + std::string(i % 13, 'z'));
}

// The unique count in the SST record's header.
uint32_t UniqueStrings(const std::vector<uint8_t>& stream) {
  size_t pos = 0;
  while (pos + 12 <= stream.size()) {
    const uint16_t id = stream[pos] | stream[pos + 1] << 8;
    const size_t len = stream[pos + 2] | stream[pos + 3] << 8;
    if (id == record::kSst) {
      return stream[pos + 8] | stream[pos + 9] << 8 | stream[pos + 10] << 16 |
             static_cast<uint32_t>(stream[pos + 11]) << 24;
    }
    pos += 4 + len;
  }
  return 0;
}

// Texts written again, after the lookup table has grown several times, find
// their first entry: one SST entry per distinct text, a prefix included.
TEST(WorkbookWriter, RepeatedTextsShareOneEntry) {
  WorkbookWriter w;
  const int s = w.AddSheet("S");
  const auto text = [](uint32_t i) { return "t" + std::to_string(i % 2500); };
  for (uint32_t i = 0; i < 5000; ++i) ASSERT_TRUE(w.SetText(s, i, 0, text(i)));
  ASSERT_TRUE(w.SetText(s, 0, 1, "t1"));
  ASSERT_TRUE(w.SetText(s, 0, 2, "t"));
  EXPECT_EQ(UniqueStrings(w.BuildStream()), 2501u);

  TempDir dir;
  std::string error;
  ASSERT_TRUE(w.Save(dir.File("shared.xls"), &error)) << error;
  WorkbookReader r;
  ASSERT_TRUE(r.Open(dir.File("shared.xls"), &error)) << error;
  Sheet sheet;
  ASSERT_TRUE(r.ReadSheet(0, &sheet, &error)) << error;
  for (uint32_t i = 0; i < 5000; i += 37) EXPECT_EQ(sheet.Find(i, 0)->text, text(i)) << i;
  EXPECT_EQ(sheet.Find(0, 1)->text, "t1");
  EXPECT_EQ(sheet.Find(0, 2)->text, "t");
}

TEST(WorkbookWriter, SaveReplacesAtomically) {
  TempDir dir;
  const std::string path = dir.File("book.xls");
  std::string error;
  WorkbookWriter first;
  first.SetText(first.AddSheet("One"), 0, 0, "first");
  ASSERT_TRUE(first.Save(path, &error)) << error;
  WorkbookWriter second;
  second.SetText(second.AddSheet("Two"), 0, 0, "second");
  ASSERT_TRUE(second.Save(path, &error)) << error;
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
  WorkbookReader r;
  ASSERT_TRUE(r.Open(path, &error)) << error;
  EXPECT_EQ(r.sheet_names(), std::vector<std::string>{"Two"});
  EXPECT_FALSE(second.Save(dir.File("missing/book.xls"), &error));
  EXPECT_NE(error.find("missing"), std::string::npos);
}

// 65,536 rows of two numbers and a text pass 7 MB, so the file needs DIFAT sectors.
TEST(WorkbookWriter, FullHeightSheetUsesDifat) {
  TempDir dir;
  const std::string path = dir.File("tall.xls");
  WorkbookWriter w;
  const int s = w.AddSheet("Tall");
  auto text = [](uint32_t r) { return "행 " + std::to_string(r) + " 가나다라마바사아자차카타파하 text"; };
  for (uint32_t r = 0; r < 65536; ++r) {
    w.SetNumber(s, r, 0, r);
    w.SetNumber(s, r, 1, -0.5 * r);
    w.SetText(s, r, 2, text(r));
  }
  std::string error;
  ASSERT_TRUE(w.Save(path, &error)) << error;
  const std::vector<uint8_t> file = testing::ReadBytes(path);
  EXPECT_GT(file.size(), 7u << 20);
  EXPECT_GT(file[0x48], 0);  // DIFAT sector count
  WorkbookReader r;
  ASSERT_TRUE(r.Open(path, &error)) << error;
  Sheet sheet;
  ASSERT_TRUE(r.ReadSheet(0, &sheet, &error)) << error;
  ASSERT_EQ(sheet.cells.size(), 65536u * 3);
  for (uint32_t row = 0; row < 65536; ++row) {
    const Cell* c = &sheet.cells[row * 3];
    ASSERT_EQ(c[0].number, row);
    ASSERT_EQ(c[1].number, -0.5 * row);
    ASSERT_EQ(c[2].text, text(row));
  }
}

TEST(WorkbookWriter, SavesTenColumnsOfFullHeightQuickly) {
  TempDir dir;
  const auto start = std::chrono::steady_clock::now();
  WorkbookWriter w;
  const int s = w.AddSheet("Big");
  for (uint32_t r = 0; r < 65536; ++r) {
    for (uint32_t c = 0; c < 10; ++c) {
      if (c % 2) {
        std::string text = "v";
        text += std::to_string(r * 10 + c);
        w.SetText(s, r, c, text);
      } else {
        w.SetNumber(s, r, c, r * 10.0 + c + 0.25);
      }
    }
  }
  const auto filled = std::chrono::steady_clock::now();
  std::string error;
  ASSERT_TRUE(w.Save(dir.File("big.xls"), &error)) << error;
  const auto saved = std::chrono::steady_clock::now();
  WorkbookReader r;
  ASSERT_TRUE(r.Open(dir.File("big.xls"), &error)) << error;
  Sheet sheet;
  ASSERT_TRUE(r.ReadSheet(0, &sheet, &error)) << error;
  const auto read = std::chrono::steady_clock::now();
  ASSERT_EQ(sheet.cells.size(), 655360u);
  EXPECT_EQ(sheet.Find(65535, 9)->text, "v655359");
  auto ms = [](auto a, auto b) { return std::chrono::duration<double, std::milli>(b - a).count(); };
  std::printf("65,536 x 10: fill %.0f ms, save %.0f ms, open+read %.0f ms\n", ms(start, filled),
              ms(filled, saved), ms(saved, read));
#if defined(__SANITIZE_ADDRESS__) || !defined(__OPTIMIZE__)
  EXPECT_LT(ms(filled, saved), 30000);
#else
  EXPECT_LT(ms(filled, saved), 1000);
#endif
}

TEST(WorkbookReader, BuiltInDateAndTimeFormatsAreDates) {
  const WorkbookReader r;  // no formats of its own: the built-in ones apply
  for (uint16_t f = 14; f <= 22; ++f) EXPECT_TRUE(r.IsDateFormat(f)) << f;
  for (uint16_t f : {45, 46, 47}) EXPECT_TRUE(r.IsDateFormat(f)) << f;
  for (uint16_t f : {0, 1, 2, 9, 11, 13, 23, 37, 44, 48, 49}) EXPECT_FALSE(r.IsDateFormat(f)) << f;
  EXPECT_EQ(r.FormatCode(22), "m/d/yyyy h:mm");
  EXPECT_TRUE(IsDateFormatCode(r.FormatCode(22)));
  EXPECT_EQ(r.FormatCode(14), "m/d/yyyy");
}

}  // namespace
}  // namespace maltrove::xls
