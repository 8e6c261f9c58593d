// CxDBARecordset: a forward-only record set that binds every column of
// whatever result a statement or catalogue call gives, keeps each value in a
// CxDBAVariant and hands values out as display text.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "shared/odbc_database.h"
#include "shared/odbc_error.h"
#include "shared/odbc_value_text.h"

namespace maltrove {

class CxDBARecordset {
 public:
  enum class Build { kGateway, kGrid };
  enum Catalogue { kStatement = 0, kTables = 2, kColumns = 3 };

  // Long text (LONGVARCHAR, WLONGVARCHAR) is cut after this many UTF-8
  // bytes, at a character boundary. Other values are read whole.
  static constexpr size_t kLongTextLimit = 65536;

  explicit CxDBARecordset(Build build = Build::kGateway);
  ~CxDBARecordset();
  CxDBARecordset(const CxDBARecordset&) = delete;
  CxDBARecordset& operator=(const CxDBARecordset&) = delete;

  // Connects with the connect text (a leading "ODBC;" removed) on a
  // connection of its own, runs the trimmed SQL text (catalogue 0 or 1),
  // lists tables named sql (2; all when empty) or columns of table sql named
  // second (3; all when empty), and fetches the first row. False when
  // already open or when anything fails (the set is then closed); it never
  // throws. openType and options are accepted for compatibility: the cursor
  // is always forward-only and read-only.
  bool Open(const std::string& connect, const std::string& sql, int openType = -1, int options = 0,
            int catalogue = 0, const std::string& second = "");
  bool IsOpen() const { return stmt_ != nullptr; }
  void Close();

  // Both throw DatabaseError: NoDataFound() on an empty result or past the
  // end, and errors of the driver. MoveFirst runs the statement again
  // unless the first row is the current one.
  void MoveNext();
  void MoveFirst();
  bool IsEOF() const { return eof_; }
  bool IsBOF() const { return bof_; }

  int ColumnCount() const { return static_cast<int>(columns_.size()); }
  // Empty for a bad index.
  std::string ColumnName(int column) const;
  // The SQL type the driver reports; 0 for a bad index.
  int ColumnSqlType(int column) const;
  // The display text of the current row's value; empty for a bad index or a
  // closed record set.
  std::string ValueText(int column) const;
  // An empty holder (type 0) for a bad index.
  const CxDBAVariant& Value(int column) const;
  // Compares upper-cased ASCII; -1 when no column matches or closed.
  int ColumnIndex(std::string_view name) const;
  std::string ValueTextByName(std::string_view name) const;

  const std::string& connectText() const { return connect_; }
  Build build() const { return build_; }
  // The open connection, or null.
  CDatabaseEx* database() { return database_.get(); }

  // The first installed driver whose name holds "Excel"; empty when none.
  static std::string ExcelDriverName();

 private:
  struct Column {
    std::string name;
    short sqlType = 0;
    uint64_t size = 0;
    short cType = 0;   // the C type SQLGetData asks for; 0 when not read
    size_t limit = 0;  // in bytes; 0 for none
    CxDBAVariant value;
    std::u16string wide;  // the buffer of wide text
    std::string scratch;  // the buffer of binary values
  };

  bool wide() const;
  // CheckOdbc on the statement.
  void Check(short rc, const char* call) const;
  void Execute();
  void ExecuteWide();
  // The name, SQL type and size of a result column (numbered from 1).
  std::string DescribeColumn(unsigned short number, short* type, uint64_t* size) const;
  void BindColumns();
  void FetchRow();
  void ReadColumn(Column& column);

  Build build_;
  std::string connect_;
  std::string sql_;
  std::string second_;
  int catalogue_ = 0;
  std::unique_ptr<CDatabaseEx> database_;
  void* stmt_ = nullptr;
  std::vector<Column> columns_;
  bool bof_ = true;
  bool eof_ = true;
  bool onFirstRow_ = false;
};

}  // namespace maltrove
