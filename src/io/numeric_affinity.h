// What a "numeric" column of the workbook database stores for a value bound
// as text: SQLite's NUMERIC affinity makes a text that is a well-formed
// number that number, and keeps any other text as it is. The export writes
// rows straight into the worksheet, so it asks this class instead of
// storing each row in SQLite first.
//
// Plain decimals (the common case) are read here, but only when the result
// cannot depend on how SQLite rounds; texts that cannot be a number stay
// text at once; everything else is handed to SQLite itself. The answer is
// SQLite's in every case.
#pragma once

#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace maltrove {

class NumericAffinity {
 public:
  struct Value {
    bool isNumber = false;
    double number = 0;
    std::string_view text;  // when not a number: the text to store
  };

  NumericAffinity() = default;
  ~NumericAffinity();
  NumericAffinity(const NumericAffinity&) = delete;
  NumericAffinity& operator=(const NumericAffinity&) = delete;

  // The stored value of `text`. A text that stays text is returned as
  // given (it must outlive the result); an infinite number becomes text as
  // SQLite writes it, valid until the next call.
  Value Apply(std::string_view text);

 private:
  Value AskSqlite(std::string_view text);

  sqlite3* db_ = nullptr;  // opened on first use
  sqlite3_stmt* select_ = nullptr;
  std::string rendered_;
};

}  // namespace maltrove
