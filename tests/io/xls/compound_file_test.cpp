#include "io/xls/compound_file.h"

#include <gtest/gtest.h>

#include <random>

#include "io/xls/workbook_reader.h"
#include "io/xls/workbook_writer.h"
#include "io/xls/xls_fixtures.h"

namespace maltrove::xls {
namespace {

uint32_t Get32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}
void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

std::vector<uint8_t> Pattern(size_t n) {
  std::vector<uint8_t> v(n);
  for (size_t i = 0; i < n; ++i) v[i] = static_cast<uint8_t>(i * 7 + (i >> 9));
  return v;
}

std::string OpenError(std::vector<uint8_t> bytes) {
  CompoundFileReader r;
  std::string error;
  std::vector<uint8_t> out;
  if (r.Open(std::move(bytes), &error) && r.ReadStream("Workbook", &out, &error)) return "";
  EXPECT_FALSE(error.empty());
  return error.empty() ? "?" : error;
}

TEST(CompoundFile, StreamsOfEverySizeReadBack) {
  // 8 MB needs one DIFAT sector, 20 MB two.
  for (size_t size : {4096u, 5000u, 65536u, 8u << 20, 20u << 20}) {
    const std::vector<uint8_t> stream = Pattern(size);
    const std::vector<uint8_t> file = MakeCompoundFile(u"Workbook", stream);
    ASSERT_FALSE(file.empty());
    EXPECT_EQ(file.size() % 512, 0u);
    const uint32_t fat_sectors = Get32(file, 0x2C);
    const uint32_t difat_sectors = Get32(file, 0x48);
    EXPECT_EQ(difat_sectors, fat_sectors > 109 ? (fat_sectors - 109 + 126) / 127 : 0) << size;
    if (size == (20u << 20)) {
      EXPECT_EQ(difat_sectors, 2u);
    }
    CompoundFileReader r;
    std::string error;
    ASSERT_TRUE(r.Open(file, &error)) << error;
    EXPECT_EQ(r.StreamNames(), std::vector<std::string>{"Workbook"});
    std::vector<uint8_t> out;
    ASSERT_TRUE(r.ReadStream("workbook", &out, &error)) << error;
    EXPECT_TRUE(out == stream) << size;
    EXPECT_FALSE(r.ReadStream("Book", &out, &error));
  }
}

TEST(CompoundFile, ReadsTheMiniStream) {
  std::vector<uint8_t> stream = Pattern(1000);
  CompoundFileReader r;
  std::string error;
  ASSERT_TRUE(r.Open(testing::MiniStreamFile(u"Book", stream), &error)) << error;
  std::vector<uint8_t> out;
  ASSERT_TRUE(r.ReadStream("Book", &out, &error)) << error;
  EXPECT_TRUE(out == stream);
}

TEST(CompoundFile, MalformedFilesFailWithAnError) {
  const std::vector<uint8_t> good = MakeCompoundFile(u"Workbook", Pattern(8u << 20));
  const size_t stream_sectors = (8u << 20) / 512;
  const size_t fat_at = 512 + (stream_sectors + 1) * 512;  // first FAT sector

  EXPECT_NE(OpenError({}), "");
  EXPECT_NE(OpenError(std::vector<uint8_t>(good.begin(), good.begin() + 300)), "");
  const std::string text = "Name,Amount\nKim,10\n";
  EXPECT_NE(OpenError(std::vector<uint8_t>(text.begin(), text.end())).find("signature"),
            std::string::npos);
  auto bad = good;
  bad[0x1E] = 10;  // sector shift
  EXPECT_NE(OpenError(bad), "");
  bad = good;
  Put32(bad, fat_at + 4 * 5, 5);  // stream chain loops on itself
  EXPECT_NE(OpenError(bad).find("loops"), std::string::npos);
  bad = good;
  Put32(bad, fat_at + 4 * 5, 0x7FFFFFFF);  // points far past the table
  EXPECT_NE(OpenError(bad), "");
  bad = good;
  Put32(bad, 0x4C + 4 * 3, 0x00FFFFFF);  // FAT sector out of range
  EXPECT_NE(OpenError(bad), "");
  bad = good;
  const uint32_t difat = Get32(good, 0x44);
  Put32(bad, 512 + (difat + 1) * 512 - 4, difat);  // DIFAT chain points at itself
  Put32(bad, 0x2C, Get32(good, 0x2C) + 127);
  EXPECT_NE(OpenError(bad).find("DIFAT"), std::string::npos);
  bad = good;
  Put32(bad, 0x2C, 0xFFFFFFFF);
  EXPECT_NE(OpenError(bad), "");
  bad = good;
  const size_t dir_at = 512 + (stream_sectors + 1) * 512 - 512;
  Put32(bad, dir_at + 128 + 0x44, 1);  // entry 1 is its own sibling
  EXPECT_NE(OpenError(bad).find("loops"), std::string::npos);
  bad = good;
  Put32(bad, dir_at + 128 + 0x78, 0x7FFFFFFF);  // stream larger than the file
  EXPECT_NE(OpenError(bad), "");
  bad = std::vector<uint8_t>(good.begin(), good.end() - 512);
  EXPECT_NE(OpenError(bad), "");
}

// Truncations and byte flips of valid files, through the whole reader.
TEST(CompoundFile, FuzzedInputNeverCrashes) {
  WorkbookWriter w;
  const int sheet = w.AddSheet("Data");
  for (uint32_t r = 0; r < 40; ++r) {
    w.SetNumber(sheet, r, 0, r * 1.5);
    w.SetText(sheet, r, 1, "text " + std::to_string(r % 7) + " 가나");
  }
  w.SetText(w.AddSheet("Long"), 0, 0, std::string(9000, 'x'));
  const std::vector<std::vector<uint8_t>> seeds = {
      MakeCompoundFile(u"Workbook", w.BuildStream()), testing::FormulaWorkbook(),
      testing::MiniStreamFile(u"Book", testing::Biff5BookStream())};
  std::mt19937 rng(20240611);
  int opened = 0;
  for (int i = 0; i < 3000; ++i) {
    std::vector<uint8_t> bytes = seeds[i % seeds.size()];
    const int mode = static_cast<int>(rng() % 4);
    if (mode == 0) {
      bytes.resize(rng() % bytes.size());
    } else {
      const int flips = 1 + static_cast<int>(rng() % 8);
      for (int k = 0; k < flips; ++k) {
        // Mode 1 aims at the header, mode 2 at the end (directory, FAT), mode 3 anywhere.
        size_t at = rng() % bytes.size();
        if (mode == 1) at = rng() % 512;
        if (mode == 2) at = bytes.size() - 1 - rng() % std::min<size_t>(bytes.size(), 2048);
        bytes[at] ^= static_cast<uint8_t>(1 + rng() % 255);
      }
    }
    WorkbookReader reader;
    std::string error;
    if (!reader.OpenBytes(std::move(bytes), &error)) {
      EXPECT_FALSE(error.empty());
      continue;
    }
    ++opened;
    for (size_t s = 0; s < reader.sheets().size(); ++s) {
      Sheet sheet_out;
      error.clear();
      if (!reader.ReadSheet(s, &sheet_out, &error)) {
        EXPECT_FALSE(error.empty());
      }
    }
  }
  EXPECT_GT(opened, 0);
}

TEST(CompoundFile, EveryTruncationFails) {
  WorkbookWriter w;
  w.SetNumber(w.AddSheet("S"), 0, 0, 1);
  const std::vector<uint8_t> file = MakeCompoundFile(u"Workbook", w.BuildStream());
  for (size_t n = 0; n < file.size(); n += 37) {
    WorkbookReader reader;
    std::string error;
    EXPECT_FALSE(reader.OpenBytes(std::vector<uint8_t>(file.begin(), file.begin() + n), &error)) << n;
    EXPECT_FALSE(error.empty());
  }
}

}  // namespace
}  // namespace maltrove::xls
