// SQL on an Excel 97-2003 workbook, in place of the platform's Excel ODBC
// driver: the statements run on an in-memory SQLite database whose tables
// are the workbook's worksheets, and Close writes them back as the workbook.
//
// As with the driver (FIRSTROWHASNAMES=1), a worksheet's first row holds the
// column names. [bracketed] names, "]]" standing for "]" inside them, the
// types numeric and text and NULL are understood; "numeric" columns store a
// text that reads as a number as that number.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace maltrove {

class WorkbookDatabase {
 public:
  // A worksheet holds at most this many rows after its header row.
  static constexpr int kMaxDataRows = 65535;
  static constexpr int kMaxColumns = 256;

  WorkbookDatabase();
  ~WorkbookDatabase();  // without Close nothing is written
  WorkbookDatabase(const WorkbookDatabase&) = delete;
  WorkbookDatabase& operator=(const WorkbookDatabase&) = delete;

  // Loads the worksheets of an existing workbook as tables (columns typed
  // numeric when every non-empty value is a number, else text); a missing
  // file starts an empty workbook. False when the file cannot be read or its
  // folder does not exist.
  bool Open(const std::string& path, std::string* error);
  // An empty workbook that replaces the file at `path` when it is closed:
  // until then, and when writing it fails, an earlier file stays as it was.
  bool OpenEmpty(const std::string& path, std::string* error);
  bool is_open() const { return db_ != nullptr; }

  // Runs one statement; more than one, ATTACH, PRAGMA and VACUUM are
  // refused. A failing statement changes nothing.
  bool Execute(const std::string& sql, std::string* error);

  // The column names of `table` in their order, as its worksheet's first
  // row holds them.
  bool ColumnNames(const std::string& table, std::vector<std::string>* names,
                   std::string* error);

  // Writes every table as a worksheet named after it, in the order they were
  // created: the column names, then the rows in table order (numbers as
  // numbers, text as text, NULL as an empty cell). Without any table no file
  // is written. A table that cannot become a worksheet (its name, more than
  // 256 columns or 65,535 rows) makes the result false, while everything
  // that fits is still written. The database is closed in every case.
  bool Close(std::string* error);

  // [name] with every "]" in the name doubled.
  static std::string BracketName(std::string_view name);

 private:
  bool Open(const std::string& path, bool loadExisting, std::string* error);
  bool PrepareOne(const std::string& sql, sqlite3_stmt** stmt, std::string* error);
  bool LoadWorkbook(const std::string& path, std::string* error);
  bool WriteWorkbook(std::string* error);
  static int Authorize(void* self, int action, const char* a, const char* b, const char* c,
                       const char* d);

  sqlite3* db_ = nullptr;
  std::string path_;
  bool internal_ = false;  // our own queries pass the authorizer
  std::string denied_;     // why the authorizer refused the last statement
};

// The statement with every [name] written as "name", "]]" read as "]".
std::string RewriteBracketNames(std::string_view sql);

}  // namespace maltrove
