// NumericAffinity against SQLite itself: every text is stored in a real
// "numeric" column and read back, and the class must give the same kind of
// value and the same double, bit for bit.
#include "io/numeric_affinity.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace maltrove {
namespace {

class NumericColumn {
 public:
  NumericColumn() {
    EXPECT_EQ(sqlite3_open(":memory:", &db_), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db_, "CREATE TABLE t (v numeric)", nullptr, nullptr, nullptr),
              SQLITE_OK);
    EXPECT_EQ(sqlite3_prepare_v2(db_, "INSERT INTO t VALUES (?)", -1, &insert_, nullptr),
              SQLITE_OK);
    EXPECT_EQ(sqlite3_prepare_v2(db_, "SELECT v FROM t", -1, &select_, nullptr), SQLITE_OK);
  }
  ~NumericColumn() {
    sqlite3_finalize(insert_);
    sqlite3_finalize(select_);
    sqlite3_close(db_);
  }

  // What the column stores for `text`, as the workbook writer takes it.
  NumericAffinity::Value Store(std::string_view text) {
    sqlite3_exec(db_, "DELETE FROM t", nullptr, nullptr, nullptr);
    sqlite3_bind_text(insert_, 1, text.data(), static_cast<int>(text.size()), SQLITE_STATIC);
    EXPECT_EQ(sqlite3_step(insert_), SQLITE_DONE);
    sqlite3_reset(insert_);
    EXPECT_EQ(sqlite3_step(select_), SQLITE_ROW);
    NumericAffinity::Value value;
    switch (sqlite3_column_type(select_, 0)) {
      case SQLITE_INTEGER:
        value.isNumber = true;
        value.number = static_cast<double>(sqlite3_column_int64(select_, 0));
        break;
      case SQLITE_FLOAT:
        value.number = sqlite3_column_double(select_, 0);
        value.isNumber = std::isfinite(value.number);
        break;
      default:
        break;
    }
    if (!value.isNumber) {
      text_.assign(reinterpret_cast<const char*>(sqlite3_column_text(select_, 0)),
                   static_cast<size_t>(sqlite3_column_bytes(select_, 0)));
      value.text = text_;
    }
    sqlite3_reset(select_);
    return value;
  }

 private:
  sqlite3* db_ = nullptr;
  sqlite3_stmt* insert_ = nullptr;
  sqlite3_stmt* select_ = nullptr;
  std::string text_;
};

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Counts the texts on which the class and the column disagree, naming the first few.
int Disagreements(NumericColumn& column, NumericAffinity& affinity,
                  const std::vector<std::string>& texts) {
  int wrong = 0;
  for (const std::string& text : texts) {
    const NumericAffinity::Value expected = column.Store(text);
    const std::string expectedText(expected.text);
    const NumericAffinity::Value got = affinity.Apply(text);
    const bool same = got.isNumber == expected.isNumber &&
                      (got.isNumber ? SameBits(got.number, expected.number)
                                    : got.text == expectedText);
    if (!same && ++wrong <= 5) {
      ADD_FAILURE() << "'" << text << "': column " << (expected.isNumber ? "number " : "text ")
                    << expected.number << " '" << expectedText << "', class "
                    << (got.isNumber ? "number " : "text ") << got.number << " '" << got.text
                    << "'";
    }
  }
  return wrong;
}

TEST(NumericAffinityTest, EdgeFormsAreStoredAsTheColumnStoresThem) {
  const std::vector<std::string> texts = {
      "0", "-0", "0.0", "-0.0", "-0.000", "00012", "007.50", "5", "-5", "+5", " 5", "5 ",
      "\t7\n", "7\v", "1.", ".5", "-.5", "1e5", "1E-3", "3.0e+5", "-0e5", "1e400", "-1e400",
      "1e-400", "0x10", "12abc", "abc", "1,234", "--1", "+-1", "1e", "e5", "1.2.3", "-",
      ".", "+", " ", "9223372036854775807", "9223372036854775808", "-9223372036854775808",
      "-9223372036854775809", "123456789012345", "-123456789012345", "1234567890123456",
      "12345678901234567890123", "0.1", "0.3", "2.675", "1.005", "4.35", "99999999999999.9",
      "0.000000000000001", "12345678.1234567", std::string("1\0", 2), std::string("\0", 1),
      "١٢", "１２", "NaN", "inf", "Infinity", "1_000", "1e+", "1e-", "1.5e308", "2e308",
      "4.9e-324", "2.2250738585072014e-308", "NULL", "서울"};
  NumericColumn column;
  NumericAffinity affinity;
  EXPECT_EQ(Disagreements(column, affinity, texts), 0);
}

// Plain decimals of up to 15 digits: read without SQLite, and among them
// those whose rounding through long double differs from one division.
TEST(NumericAffinityTest, RandomPlainDecimalsGiveTheColumnsNumbers) {
  std::mt19937_64 random(20261208);
  std::vector<std::string> texts;
  for (int i = 0; i < 60000; ++i) {
    const int digits = 1 + static_cast<int>(random() % 15);
    std::string text = random() % 3 == 0 ? "-" : "";
    for (int d = 0; d < digits; ++d) text.push_back(static_cast<char>('0' + random() % 10));
    if (digits > 1 && random() % 8 != 0) {
      text.insert(text.size() - 1 - random() % static_cast<unsigned>(digits - 1), ".");
    }
    texts.push_back(std::move(text));
  }
  NumericColumn column;
  NumericAffinity affinity;
  EXPECT_EQ(Disagreements(column, affinity, texts), 0);
}

// Short texts of the bytes numbers are written with, as SQLite reads them.
TEST(NumericAffinityTest, RandomNumberLikeTextsGiveTheColumnsValues) {
  static constexpr char kBytes[] = "0123456789.+-eE \t";
  std::mt19937_64 random(7);
  std::vector<std::string> texts;
  for (int i = 0; i < 20000; ++i) {
    std::string text;
    const int length = 1 + static_cast<int>(random() % 9);
    for (int k = 0; k < length; ++k) text.push_back(kBytes[random() % (sizeof kBytes - 1)]);
    texts.push_back(std::move(text));
  }
  NumericColumn column;
  NumericAffinity affinity;
  EXPECT_EQ(Disagreements(column, affinity, texts), 0);
}

}  // namespace
}  // namespace maltrove
