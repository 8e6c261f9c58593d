// The exports write the cells' output texts in place; they must write
// exactly what OutputText gives, trimmed, as the per-cell texts did.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "io/dsv_format.h"
#include "io/dsv_transfer.h"
#include "model/cell_value.h"
#include "model/grid_model.h"
#include "model/text_util.h"
#include "platform/file_io.h"

namespace maltrove {
namespace {

std::string Appended(const CGridColumn& column, const CGridCell& cell) {
  std::string out = "<";  // appending keeps what was there
  AppendOutputText(column, cell, &out);
  return out;
}

TEST(AppendOutputTextTest, WritesWhatOutputTextGives) {
  std::mt19937_64 random(5);
  CGridColumn numeric, date, text, select;
  numeric.dataType = kDataNumeric;
  date.dataType = kDataDateTime;
  select.inputType = kInputSelect;
  select.comboValues = "S;B";
  select.comboDatas = "Seoul;Busan";
  std::vector<double> numbers = {0, -0.0, 1, -1, 0.1, 1e20, 1e21, 1e-7, 123456789012345.6,
                                 9007199254740993.0, 1e308, -2.5, 0.0001, NAN, INFINITY, -INFINITY};
  for (int i = 0; i < 3000; ++i) {
    uint64_t bits = random();
    double x;
    std::memcpy(&x, &bits, sizeof x);
    numbers.push_back(i % 2 == 0 ? x : static_cast<double>(bits % 10000000) / 64 - 50000);
  }
  std::vector<double> serials = {0, -1, 1, 39187, 39187.5, 39187.999994, 2958465.99, 2958466.5,
                                 -657434.5, -657436, 1e12, NAN};
  for (int i = 0; i < 2000; ++i) serials.push_back(static_cast<double>(random() % 4000000) / 1.37 - 700000);
  for (const std::string pattern : {"", "#,###.##", "####-##-##"}) {
    numeric.outputType = date.outputType = pattern;
    text.outputType = select.outputType = pattern;
    for (double v : numbers) {
      CGridCell cell;
      cell.isNull = false;
      cell.number = v;
      ASSERT_EQ(Appended(numeric, cell), "<" + OutputText(numeric, cell)) << v << " " << pattern;
    }
    if (pattern != "#,###.##") {
      for (double v : serials) {
        CGridCell cell;
        cell.isNull = false;
        cell.number = v;
        ASSERT_EQ(Appended(date, cell), "<" + OutputText(date, cell)) << v << " " << pattern;
      }
    }
    for (const char* value : {"", "S", "B", "Busan", "  blank  ", "서울특별시 중구 세종대로 110"}) {
      CGridCell cell;
      cell.isNull = false;
      cell.text = value;
      EXPECT_EQ(Appended(text, cell), "<" + OutputText(text, cell)) << value;
      EXPECT_EQ(Appended(select, cell), "<" + OutputText(select, cell)) << value;
      cell.isNull = true;  // a null cell writes nothing, whatever it holds
      EXPECT_EQ(Appended(text, cell), "<");
      EXPECT_EQ(Appended(numeric, cell), "<");
    }
  }
}

class CsvExportTextsTest : public ::testing::Test {
 protected:
  CsvExportTextsTest() {
    char dir[] = "/tmp/export_texts_XXXXXX";
    if (::mkdtemp(dir) != nullptr) path_ = std::string(dir) + "/out.csv";
    const int types[][2] = {{kDataString, kInputText},   {kDataNumeric, kInputText},
                            {kDataDateTime, kInputText}, {kDataString, kInputSelect},
                            {kDataNumeric, kInputText},  {kDataString, kInputText}};
    for (const auto& t : types) g.insertColumn(-1, "", 80, "", t[0], t[1], "", "", 0, "");
    g.setColumnCombo(3, "Seoul;Busan", "S;B");
    g.setColumnOutputType(4, "#,###.##");
    for (int r = 0; r < 150; ++r) {  // beyond the rows the text's size is judged by
      g.insertRow(-1);
      g.setCellStringData(r, 0, r % 7 == 0 ? "" : "na\"me " + std::to_string(r));
      g.setCellStringData(r, 1, r % 5 == 0 ? "" : std::to_string(r * 37 - 2000) + ".125");
      g.setCellStringData(r, 2, r % 4 == 0 ? "" : "200704" + std::to_string(10 + r % 18) + "1230");
      g.setCellStringData(r, 3, r % 2 == 0 ? "S" : "Busan");
      g.setCellStringData(r, 4, std::to_string(r * 1234.5));
      g.setCellStringData(r, 5, "x");
      // Blanks a stored text may still carry are trimmed on the way out.
      if (r % 3 == 0) g.cell(r, 5)->text = std::string(r % 2 ? " \t" : " ") + "padded " + "\t ";
      if (r % 11 == 0) g.cell(r, 5)->text = "   ";
    }
  }
  ~CsvExportTextsTest() override {
    ::unlink(path_.c_str());
    ::rmdir(path_.substr(0, path_.rfind('/')).c_str());
  }

  std::string Reference(const DsvExportOptions& options) const {
    std::string out;
    std::vector<int> columns = ListedColumns(g, options.hidden, options.checkButton);
    std::vector<std::string> lines;
    if (options.header) {
      std::string line;
      for (size_t i = 0; i < columns.size(); ++i) {
        if (i > 0) line.push_back(options.delimiter);
        line += HeaderName(*g.column(columns[i]));
      }
      lines.push_back(line);
    }
    for (int r = 0; r < g.getRowCount(); ++r) {
      std::string line;
      for (size_t i = 0; i < columns.size(); ++i) {
        if (i > 0) line.push_back(options.delimiter);
        const std::string text = options.displayText
                                     ? g.displayText(r, columns[i])
                                     : OutputText(*g.column(columns[i]), *g.cell(r, columns[i]));
        for (char c : TrimBlanks(text)) {
          if (!options.removeQuotes || c != '"') line.push_back(c);
        }
      }
      lines.push_back(line);
    }
    for (const std::string& line : lines) {
      if (!out.empty()) out += "\r\n";
      out += line;
    }
    return out;
  }

  std::string Exported(const DsvExportOptions& options) const {
    std::string text;
    EXPECT_TRUE(ExportSeparatedValues(g, path_, options, nullptr));
    EXPECT_TRUE(platform::ReadWholeFile(path_, &text));
    return text;
  }

  std::string path_;
  CGridModel g;
};

TEST_F(CsvExportTextsTest, FileHoldsTheTrimmedOutputTextsOfEveryOptionMix) {
  for (int mask = 0; mask < 8; ++mask) {
    DsvExportOptions options;
    options.header = (mask & 1) != 0;
    options.removeQuotes = (mask & 2) != 0;
    options.displayText = (mask & 4) != 0;
    options.delimiter = mask % 2 ? '\t' : ',';
    EXPECT_EQ(Exported(options), Reference(options)) << "options " << mask;
  }
  // A first line that is empty leaves no line break before the next one.
  g.removeColumn(5);
  g.removeColumn(4);
  g.removeColumn(3);
  g.removeColumn(2);
  g.removeColumn(1);
  DsvExportOptions options;
  EXPECT_EQ(Exported(options), Reference(options));
  EXPECT_NE(Reference(options).substr(0, 2), "\r\n");
}

}  // namespace
}  // namespace maltrove
