#include "shared/odbc_recordset.h"

#include <odbcinst.h>
#include <sql.h>
#include <sqlext.h>

#include <algorithm>
#include <cstring>

#include "shared/odbc_wide_text.h"

namespace maltrove {

static_assert(sizeof(SQLWCHAR) == sizeof(char16_t));

namespace {

// Buffers of text and binary columns start at this size and are reused at
// up to kReuse units from row to row, so short values take one call.
constexpr size_t kInitial = 256;
constexpr size_t kReuse = 4096;

template <typename Call>
SQLRETURN Retry(Call call) {
  SQLRETURN rc;
  do {
    rc = call();
  } while (rc == SQL_STILL_EXECUTING);
  return rc;
}

SQLCHAR* Text(const std::string& text) {
  return reinterpret_cast<SQLCHAR*>(const_cast<char*>(text.c_str()));
}

SQLWCHAR* WideText(const std::u16string& text) {
  return reinterpret_cast<SQLWCHAR*>(const_cast<char16_t*>(text.c_str()));
}

std::string Trim(const std::string& text) {
  constexpr const char* kBlank = " \t\r\n\v\f";
  const size_t first = text.find_first_not_of(kBlank);
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlank) + 1 - first);
}

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Reads a character or binary value with SQLGetData in as many pieces as it
// takes, keeping at most limit units (0: no limit). False for NULL.
template <typename Buffer>
bool ReadPieces(SQLHSTMT stmt, SQLUSMALLINT number, SQLSMALLINT cType, size_t limit, bool wide,
                Buffer& buffer) {
  constexpr size_t unit = sizeof(typename Buffer::value_type);
  const size_t term = cType == SQL_C_BINARY ? 0 : 1;
  size_t size = std::max({buffer.size() + term + 1, std::min(buffer.capacity(), kReuse), kInitial});
  if (limit) size = std::min(size, limit + term);
  buffer.resize(size);
  size_t have = 0;
  for (;;) {
    SQLLEN indicator = 0;
    const size_t room = buffer.size() - have - term;
    SQLRETURN rc = SQLGetData(stmt, number, cType, buffer.data() + have,
                              static_cast<SQLLEN>((buffer.size() - have) * unit), &indicator);
    if (rc == SQL_NO_DATA) break;
    if (!SQL_SUCCEEDED(rc)) {
      throw DatabaseError::FromHandle(SQL_HANDLE_STMT, stmt, "SQLGetData", wide);
    }
    if (indicator == SQL_NULL_DATA) {
      buffer.clear();
      return false;
    }
    const bool truncated =
        rc == SQL_SUCCESS_WITH_INFO &&
        (indicator == SQL_NO_TOTAL || static_cast<size_t>(indicator) > room * unit);
    if (!truncated) {
      have += static_cast<size_t>(indicator) / unit;
      break;
    }
    have += room;
    if (limit && have >= limit) break;
    // The indicator gives what remained before this piece.
    size_t next = indicator == SQL_NO_TOTAL
                      ? buffer.size() * 2
                      : have + static_cast<size_t>(indicator) / unit - room + term;
    if (limit) next = std::min(next, limit + term);
    buffer.resize(std::max(next, have + term + 1));
  }
  buffer.resize(have);
  return true;
}

}  // namespace

CxDBARecordset::CxDBARecordset(Build build) : build_(build) {}

CxDBARecordset::~CxDBARecordset() { Close(); }

bool CxDBARecordset::Open(const std::string& connect, const std::string& sql, int /*openType*/,
                          int /*options*/, int catalogue, const std::string& second) {
  if (IsOpen()) return false;
  connect_ = connect;
  sql_ = Trim(sql);
  second_ = second;
  catalogue_ = catalogue;
  if (catalogue < 0 || catalogue > kColumns) return false;
  try {
    std::string connection = connect_;
    if (connection.starts_with("ODBC;")) connection.erase(0, 5);
    database_ = std::make_unique<CDatabaseEx>();
    if (!database_->Open(connection)) {
      Close();
      return false;
    }
    SQLHSTMT stmt = SQL_NULL_HSTMT;
    CheckOdbc(SQLAllocHandle(SQL_HANDLE_STMT, database_->hdbc(), &stmt), SQL_HANDLE_DBC,
              database_->hdbc(), "SQLAllocHandle", database_->wide());
    stmt_ = stmt;
    Execute();
    BindColumns();
    FetchRow();
    bof_ = eof_;
    onFirstRow_ = !eof_;
    return true;
  } catch (const std::exception&) {
    Close();
    return false;
  }
}

void CxDBARecordset::Close() {
  if (stmt_) SQLFreeHandle(SQL_HANDLE_STMT, stmt_);
  stmt_ = nullptr;
  columns_.clear();
  database_.reset();
  bof_ = true;
  eof_ = true;
  onFirstRow_ = false;
}

bool CxDBARecordset::wide() const { return database_ && database_->wide(); }

void CxDBARecordset::Check(short rc, const char* call) const {
  CheckOdbc(rc, SQL_HANDLE_STMT, stmt_, call, wide());
}

void CxDBARecordset::Execute() {
  if (wide()) {
    ExecuteWide();
    return;
  }
  SQLRETURN rc;
  const char* call = "SQLExecDirect";
  SQLCHAR* second = second_.empty() ? nullptr : Text(second_);
  switch (catalogue_) {
    case kTables:
      call = "SQLTables";
      rc = Retry([&] {
        return sql_.empty()
                   ? SQLTables(stmt_, nullptr, 0, nullptr, 0, nullptr, 0, nullptr, 0)
                   : SQLTables(stmt_, nullptr, 0, nullptr, 0, Text(sql_), SQL_NTS, nullptr, 0);
      });
      break;
    case kColumns:
      call = "SQLColumns";
      rc = Retry([&] {
        return SQLColumns(stmt_, nullptr, 0, nullptr, 0, Text(sql_), SQL_NTS, second,
                          second ? SQL_NTS : 0);
      });
      break;
    default:
      rc = Retry([&] { return SQLExecDirect(stmt_, Text(sql_), SQL_NTS); });
      break;
  }
  // SQL_NO_DATA (a change that touched no row) leaves no result columns,
  // which BindColumns refuses.
  if (rc != SQL_NO_DATA) Check(rc, call);
}

void CxDBARecordset::ExecuteWide() {
  const std::u16string sql = Utf8ToUtf16(sql_);
  const std::u16string secondText = Utf8ToUtf16(second_);
  SQLWCHAR* second = second_.empty() ? nullptr : WideText(secondText);
  SQLRETURN rc;
  const char* call = "SQLExecDirectW";
  switch (catalogue_) {
    case kTables:
      call = "SQLTablesW";
      rc = Retry([&] {
        return sql.empty()
                   ? SQLTablesW(stmt_, nullptr, 0, nullptr, 0, nullptr, 0, nullptr, 0)
                   : SQLTablesW(stmt_, nullptr, 0, nullptr, 0, WideText(sql), SQL_NTS, nullptr, 0);
      });
      break;
    case kColumns:
      call = "SQLColumnsW";
      rc = Retry([&] {
        return SQLColumnsW(stmt_, nullptr, 0, nullptr, 0, WideText(sql), SQL_NTS, second,
                           second ? SQL_NTS : 0);
      });
      break;
    default:
      rc = Retry([&] { return SQLExecDirectW(stmt_, WideText(sql), SQL_NTS); });
      break;
  }
  if (rc != SQL_NO_DATA) Check(rc, call);
}

std::string CxDBARecordset::DescribeColumn(SQLUSMALLINT number, short* type, uint64_t* size) const {
  SQLSMALLINT nameLength = 0;
  SQLSMALLINT sqlType = 0;
  SQLULEN columnSize = 0;
  SQLSMALLINT digits = 0;
  SQLSMALLINT nullable = 0;
  std::string name;
  if (wide()) {
    std::u16string buffer(256, u'\0');
    for (;;) {
      Check(SQLDescribeColW(stmt_, number, reinterpret_cast<SQLWCHAR*>(buffer.data()),
                            static_cast<SQLSMALLINT>(buffer.size()), &nameLength, &sqlType,
                            &columnSize, &digits, &nullable),
            "SQLDescribeColW");
      if (nameLength < static_cast<SQLSMALLINT>(buffer.size()) || buffer.size() > 0x7000) break;
      buffer.assign(static_cast<size_t>(nameLength) + 1, u'\0');
    }
    name = Utf16ToUtf8(buffer.data(), std::min<size_t>(nameLength, buffer.size() - 1));
  } else {
    std::string buffer(256, '\0');
    for (;;) {
      Check(SQLDescribeCol(stmt_, number, reinterpret_cast<SQLCHAR*>(buffer.data()),
                           static_cast<SQLSMALLINT>(buffer.size()), &nameLength, &sqlType,
                           &columnSize, &digits, &nullable),
            "SQLDescribeCol");
      if (nameLength < static_cast<SQLSMALLINT>(buffer.size()) || buffer.size() > 0x7000) break;
      buffer.assign(static_cast<size_t>(nameLength) + 1, '\0');
    }
    name = buffer.substr(0, std::min<size_t>(nameLength, buffer.size() - 1));
  }
  *type = sqlType;
  *size = columnSize;
  return name;
}

void CxDBARecordset::BindColumns() {
  SQLSMALLINT count = 0;
  Check(SQLNumResultCols(stmt_, &count), "SQLNumResultCols");
  if (count <= 0) throw DatabaseError("The statement gave no result set", "24000", 0);
  // Through the wide interface every character column is read as UTF-16.
  const short textType = wide() ? SQL_C_WCHAR : SQL_C_CHAR;
  columns_.resize(count);
  for (SQLUSMALLINT i = 0; i < count; ++i) {
    Column& column = columns_[i];
    short type = 0;
    uint64_t size = 0;
    column.name = DescribeColumn(i + 1, &type, &size);
    column.sqlType = type;
    column.size = size;

    int holder = CxDBAVariant::kNone;
    switch (type) {
      case SQL_LONGVARCHAR:
        column.limit = kLongTextLimit;
        [[fallthrough]];
      case SQL_CHAR:
      case SQL_VARCHAR:
      case -99:
        holder = CxDBAVariant::kText;
        column.cType = textType;
        break;
      case SQL_WLONGVARCHAR:
      case -97:
        column.limit = kLongTextLimit;
        [[fallthrough]];
      case SQL_WCHAR:
      case SQL_WVARCHAR:
      case -95:
      case -96:
      case -350:
        holder = CxDBAVariant::kWideText;
        column.cType = SQL_C_WCHAR;
        break;
      case SQL_NUMERIC:
      case SQL_DECIMAL:
      case SQL_DOUBLE:
        holder = CxDBAVariant::kDouble;
        column.cType = SQL_C_DOUBLE;
        break;
      case SQL_FLOAT:
      case SQL_REAL:
        holder = CxDBAVariant::kFloat;
        column.cType = SQL_C_FLOAT;
        break;
      // Read through 64-bit storage: drivers type wider values (SQLite's
      // sum()) as INTEGER, and 32 bits would wrap them silently.
      case SQL_INTEGER:
      case SQL_SMALLINT:
      case SQL_TINYINT:
      case SQL_BIGINT:
        holder = CxDBAVariant::kInt64;
        column.cType = SQL_C_SBIGINT;
        break;
      case SQL_BIT:
        holder = CxDBAVariant::kBool;
        column.cType = SQL_C_BIT;
        break;
      case SQL_DATE:
      case SQL_TIME:
      case SQL_TIMESTAMP:
      case SQL_TYPE_DATE:
      case SQL_TYPE_TIME:
      case SQL_TYPE_TIMESTAMP:
        holder = CxDBAVariant::kTimestamp;
        column.cType = SQL_C_TYPE_TIMESTAMP;
        break;
      case SQL_BINARY:
      case SQL_VARBINARY:
      case SQL_GUID:
      case -98:
      case -150:
        holder = CxDBAVariant::kByteArray;
        column.cType = SQL_C_BINARY;
        break;
      case SQL_LONGVARBINARY:
        holder = CxDBAVariant::kLongBinary;
        column.cType = SQL_C_BINARY;
        break;
      default:
        break;
    }
    if (column.value.type == CxDBAVariant::kNone) column.value.type = holder;
  }
}

void CxDBARecordset::FetchRow() {
  SQLRETURN rc = Retry([&] { return SQLFetch(stmt_); });
  if (rc == SQL_NO_DATA) {
    eof_ = true;
    return;
  }
  Check(rc, "SQLFetch");
  eof_ = false;
  for (Column& column : columns_) ReadColumn(column);
}

void CxDBARecordset::ReadColumn(Column& column) {
  const auto number = static_cast<SQLUSMALLINT>(&column - columns_.data() + 1);
  CxDBAVariant& value = column.value;
  switch (column.cType) {
    case 0:
      return;
    case SQL_C_CHAR:
      value.null = !ReadPieces(stmt_, number, SQL_C_CHAR, column.limit, wide(), value.text);
      if (column.limit && value.text.size() >= column.limit) {
        value.text.resize(CompleteUtf8Length(std::string_view(value.text).substr(0, column.limit)));
      }
      return;
    case SQL_C_WCHAR: {
      // UTF-8 never has fewer bytes than UTF-16 units, so reading limit
      // units is enough to fill limit bytes.
      value.null = !ReadPieces(stmt_, number, SQL_C_WCHAR, column.limit, wide(), column.wide);
      std::u16string_view wide = column.wide;
      if (column.limit && wide.size() >= column.limit && wide.back() >= 0xD800 &&
          wide.back() <= 0xDBFF) {
        wide.remove_suffix(1);
      }
      value.text.clear();
      AppendUtf16AsUtf8(wide, &value.text);
      if (column.limit && value.text.size() > column.limit) {
        value.text.resize(CompleteUtf8Length(std::string_view(value.text).substr(0, column.limit)));
      }
      return;
    }
    case SQL_C_BINARY:
      // NULL leaves the bytes of the previous row.
      value.null = !ReadPieces(stmt_, number, SQL_C_BINARY, 0, wide(), column.scratch);
      if (!value.null) value.bytes.swap(column.scratch);
      return;
    default:
      break;
  }

  void* target = nullptr;
  unsigned char bit = 0;
  switch (column.cType) {
    case SQL_C_DOUBLE:
      target = &value.doubleValue;
      break;
    case SQL_C_FLOAT:
      target = &value.floatValue;
      break;
    case SQL_C_SBIGINT:
      target = &value.int64Value;
      break;
    case SQL_C_BIT:
      target = &bit;
      break;
    default:
      target = &value.timestampValue;
      break;
  }
  SQLLEN indicator = 0;
  Check(SQLGetData(stmt_, number, column.cType, target, 0, &indicator), "SQLGetData");
  value.null = indicator == SQL_NULL_DATA;
  if (value.null) {
    value.doubleValue = 0;
    value.floatValue = 0;
    value.int64Value = 0;
    value.timestampValue = OdbcTimestamp{};
  }
  value.boolValue = !value.null && bit != 0;
}

void CxDBARecordset::MoveNext() {
  if (!IsOpen() || eof_) throw DatabaseError::NoDataFound();
  bof_ = false;
  onFirstRow_ = false;
  FetchRow();
}

void CxDBARecordset::MoveFirst() {
  if (!IsOpen() || (bof_ && eof_)) throw DatabaseError::NoDataFound();
  if (onFirstRow_) return;
  // A forward-only cursor reaches the first row again only by running the
  // statement again.
  Check(SQLFreeStmt(stmt_, SQL_CLOSE), "SQLFreeStmt");
  Execute();
  FetchRow();
  bof_ = eof_;
  onFirstRow_ = !eof_;
}

std::string CxDBARecordset::ColumnName(int column) const {
  if (column < 0 || column >= ColumnCount()) return {};
  return columns_[column].name;
}

int CxDBARecordset::ColumnSqlType(int column) const {
  if (column < 0 || column >= ColumnCount()) return 0;
  return columns_[column].sqlType;
}

std::string CxDBARecordset::ValueText(int column) const {
  if (!IsOpen() || column < 0 || column >= ColumnCount()) return {};
  return columns_[column].value.Text(build_ == Build::kGateway);
}

std::string CxDBARecordset::ValueTextByName(std::string_view name) const {
  return ValueText(ColumnIndex(name));
}

const CxDBAVariant& CxDBARecordset::Value(int column) const {
  static const CxDBAVariant kEmpty;
  if (column < 0 || column >= ColumnCount()) return kEmpty;
  return columns_[column].value;
}

int CxDBARecordset::ColumnIndex(std::string_view name) const {
  if (!IsOpen()) return -1;
  for (int i = 0; i < ColumnCount(); ++i) {
    const std::string& candidate = columns_[i].name;
    if (candidate.size() == name.size() &&
        std::equal(candidate.begin(), candidate.end(), name.begin(),
                   [](char a, char b) { return Upper(a) == Upper(b); })) {
      return i;
    }
  }
  return -1;
}

std::string CxDBARecordset::ExcelDriverName() {
  char buffer[2000] = {};
  WORD length = 0;
  if (!SQLGetInstalledDrivers(buffer, sizeof(buffer), &length)) return {};
  const char* end = buffer + sizeof(buffer);
  for (const char* name = buffer; name < end && *name;) {
    std::string_view driver(name, strnlen(name, end - name));
    if (driver.find("Excel") != std::string_view::npos) return std::string(driver);
    name += driver.size() + 1;
  }
  return {};
}

}  // namespace maltrove
