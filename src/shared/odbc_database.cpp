#include "shared/odbc_database.h"

#include <sql.h>
#include <sqlext.h>

#include <algorithm>
#include <cstddef>
#include <type_traits>
#include <utility>

#include "shared/odbc_interface_choice.h"
#include "shared/odbc_wide_text.h"

namespace maltrove {

static_assert(std::is_same_v<SQLLEN, long>);
static_assert(sizeof(OdbcTimestamp) == sizeof(SQL_TIMESTAMP_STRUCT));
static_assert(offsetof(OdbcTimestamp, fraction) == offsetof(SQL_TIMESTAMP_STRUCT, fraction));

namespace {

// Repeats a call while the driver works asynchronously.
template <typename Call>
SQLRETURN Retry(Call call) {
  SQLRETURN rc;
  do {
    rc = call();
  } while (rc == SQL_STILL_EXECUTING);
  return rc;
}

// Frees a statement handle unless released.
class StatementGuard {
 public:
  StatementGuard(SQLHSTMT stmt, bool wide) : stmt_(stmt), wide_(wide) {}
  ~StatementGuard() {
    if (stmt_) SQLFreeHandle(SQL_HANDLE_STMT, stmt_);
  }
  StatementGuard(const StatementGuard&) = delete;
  StatementGuard& operator=(const StatementGuard&) = delete;

  void CancelAndDrop() {
    SQLCancel(stmt_);
    SQLFreeHandle(SQL_HANDLE_STMT, stmt_);
    stmt_ = nullptr;
  }

  // Collects the diagnostics, cancels and drops the statement, and throws.
  [[noreturn]] void Fail(std::string_view call) {
    DatabaseError error = DatabaseError::FromHandle(SQL_HANDLE_STMT, stmt_, call, wide_);
    CancelAndDrop();
    throw error;
  }

 private:
  SQLHSTMT stmt_;
  bool wide_;
};

SQLCHAR* Text(const std::string& text) {
  return reinterpret_cast<SQLCHAR*>(const_cast<char*>(text.c_str()));
}

SQLWCHAR* WideText(const std::u16string& text) {
  return reinterpret_cast<SQLWCHAR*>(const_cast<char16_t*>(text.c_str()));
}

}  // namespace

CDatabaseEx::~CDatabaseEx() { Close(); }

CDatabaseEx::CDatabaseEx(CDatabaseEx&& other) noexcept
    : hdbc_(std::exchange(other.hdbc_, nullptr)),
      wide_(other.wide_),
      parameterCount_(std::exchange(other.parameterCount_, 0)),
      parameters_(std::move(other.parameters_)) {}

CDatabaseEx& CDatabaseEx::operator=(CDatabaseEx&& other) noexcept {
  if (this != &other) {
    Close();
    hdbc_ = std::exchange(other.hdbc_, nullptr);
    wide_ = other.wide_;
    parameterCount_ = std::exchange(other.parameterCount_, 0);
    parameters_ = std::move(other.parameters_);
  }
  return *this;
}

bool CDatabaseEx::Open(const std::string& connectionString) {
  Close();
  SQLHDBC dbc = SQL_NULL_HDBC;
  SQLHENV env = OdbcEnvironment();
  CheckOdbc(SQLAllocHandle(SQL_HANDLE_DBC, env, &dbc), SQL_HANDLE_ENV, env, "SQLAllocHandle");
  const OdbcInterfaceChoice choice = ChooseOdbcInterface(connectionString);
  // The completed connection string that a driver can hand back holds the
  // password in clear, so it is never asked for.
  SQLRETURN rc;
  if (choice.wide) {
    const std::u16string text = Utf8ToUtf16(choice.connectionString);
    rc = SQLDriverConnectW(dbc, nullptr, WideText(text), SQL_NTS, nullptr, 0, nullptr,
                           SQL_DRIVER_NOPROMPT);
  } else {
    rc = SQLDriverConnect(dbc, nullptr, Text(choice.connectionString), SQL_NTS, nullptr, 0,
                          nullptr, SQL_DRIVER_NOPROMPT);
  }
  if (SQL_SUCCEEDED(rc)) {
    hdbc_ = dbc;
    wide_ = choice.wide;
    return true;
  }
  if (rc == SQL_NO_DATA) {
    SQLFreeHandle(SQL_HANDLE_DBC, dbc);
    return false;
  }
  DatabaseError error =
      DatabaseError::FromHandle(SQL_HANDLE_DBC, dbc, "SQLDriverConnect", choice.wide);
  SQLFreeHandle(SQL_HANDLE_DBC, dbc);
  throw error;
}

void CDatabaseEx::Close() {
  if (!hdbc_) return;
  SQLDisconnect(hdbc_);
  SQLFreeHandle(SQL_HANDLE_DBC, hdbc_);
  hdbc_ = nullptr;
}

bool CDatabaseEx::IsLost(const DatabaseError& error) const {
  if (error.sqlState().rfind("08", 0) == 0) return true;
  if (!hdbc_) return false;
  SQLUINTEGER dead = SQL_CD_FALSE;
  const SQLRETURN rc = SQLGetConnectAttr(hdbc_, SQL_ATTR_CONNECTION_DEAD, &dead, 0, nullptr);
  return SQL_SUCCEEDED(rc) && dead == SQL_CD_TRUE;
}

long long CDatabaseEx::ExecuteSQLCount(const std::string& statement) {
  if (!hdbc_) throw DatabaseError("The connection is not open", "08003", 0);
  SQLHSTMT stmt = SQL_NULL_HSTMT;
  CheckOdbc(SQLAllocHandle(SQL_HANDLE_STMT, hdbc_, &stmt), SQL_HANDLE_DBC, hdbc_, "SQLAllocHandle",
            wide_);
  StatementGuard guard(stmt, wide_);
  try {
    BindParameters(stmt);
  } catch (const DatabaseError&) {
    guard.CancelAndDrop();
    throw;
  }

  const std::u16string wideStatement = wide_ ? Utf8ToUtf16(statement) : std::u16string();
  SQLRETURN rc = Retry([&] {
    return wide_ ? SQLExecDirectW(stmt, WideText(wideStatement), SQL_NTS)
                 : SQLExecDirect(stmt, Text(statement), SQL_NTS);
  });
  // A searched UPDATE or DELETE that touches no row answers SQL_NO_DATA.
  SQLLEN count = 0;
  if (rc != SQL_NO_DATA) {
    if (!SQL_SUCCEEDED(rc)) guard.Fail("SQLExecDirect");
    if (!SQL_SUCCEEDED(Retry([&] { return SQLRowCount(stmt, &count); }))) {
      guard.Fail("SQLRowCount");
    }
    if (count < 0) count = 0;
  }

  for (;;) {
    SQLSMALLINT columns = 0;
    if (!SQL_SUCCEEDED(Retry([&] { return SQLNumResultCols(stmt, &columns); }))) {
      guard.Fail("SQLNumResultCols");
    }
    while (columns > 0) {
      rc = Retry([&] { return SQLFetch(stmt); });
      if (rc == SQL_NO_DATA) break;
      if (!SQL_SUCCEEDED(rc)) guard.Fail("SQLFetch");
    }
    rc = Retry([&] { return SQLMoreResults(stmt); });
    if (rc == SQL_NO_DATA) break;
    if (!SQL_SUCCEEDED(rc)) guard.Fail("SQLMoreResults");
  }
  return count;
}

bool CDatabaseEx::DescribeParameters(const std::string& statement) {
  if (statement.empty() || !hdbc_) return false;
  SQLHSTMT stmt = SQL_NULL_HSTMT;
  if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, hdbc_, &stmt))) return false;
  StatementGuard guard(stmt, wide_);
  SQLSMALLINT count = 0;
  const std::u16string wideStatement = wide_ ? Utf8ToUtf16(statement) : std::u16string();
  const SQLRETURN prepared = wide_ ? SQLPrepareW(stmt, WideText(wideStatement), SQL_NTS)
                                   : SQLPrepare(stmt, Text(statement), SQL_NTS);
  if (!SQL_SUCCEEDED(prepared) ||
      !SQL_SUCCEEDED(SQLNumParams(stmt, &count))) {
    return false;
  }
  parameterCount_ = count;
  // Cleared even for a statement without markers, so that stale markers of
  // an earlier statement are never bound.
  parameters_.clear();
  for (int i = 0; i < count; ++i) {
    SQLSMALLINT type = 0;
    SQLULEN size = 0;
    SQLSMALLINT digits = 0;
    SQLSMALLINT nullable = 0;
    if (!SQL_SUCCEEDED(SQLDescribeParam(stmt, static_cast<SQLUSMALLINT>(i + 1), &type, &size,
                                        &digits, &nullable))) {
      // Read every record so that the driver's diagnostics are consumed.
      for (SQLSMALLINT record = 1;; ++record) {
        SQLCHAR state[6];
        SQLINTEGER native;
        SQLCHAR message[512];
        SQLSMALLINT length;
        if (!SQL_SUCCEEDED(SQLGetDiagRec(SQL_HANDLE_STMT, stmt, record, state, &native, message,
                                         sizeof(message), &length))) {
          break;
        }
      }
      return false;
    }
    CSQLParam& param = parameters_[i];
    param.position = std::to_string(i + 1);
    param.direction = SQL_PARAM_INPUT;
    param.sqlType = type;
    param.columnSize = size;
    param.decimalDigits = digits;
    param.nullable = nullable;
  }
  return true;
}

void CDatabaseEx::BindParameters(void* hstmt) {
  // Sized before binding: the driver keeps pointers into it until execution.
  indicators_.assign(parameters_.size(), 0);
  wideTexts_.assign(parameters_.size(), std::u16string());
  size_t slot = 0;
  for (auto& [position, param] : parameters_) {
    std::u16string& wideText = wideTexts_[slot];
    SQLLEN* indicator = &indicators_[slot++];
    SQLSMALLINT cType = SQL_C_CHAR;
    SQLPOINTER value = Text(param.text);
    SQLLEN bufferLength = 0;
    switch (param.sqlType) {
      case SQL_INTEGER:
        cType = SQL_C_SLONG;
        value = &param.int32Value;
        break;
      case SQL_SMALLINT:
        cType = SQL_C_SSHORT;
        value = &param.int16Value;
        break;
      case SQL_NUMERIC:
      case SQL_DECIMAL:
      case SQL_FLOAT:
      case SQL_DOUBLE:
        cType = SQL_C_DOUBLE;
        value = &param.doubleValue;
        break;
      case SQL_REAL:
        cType = SQL_C_FLOAT;
        value = &param.floatValue;
        break;
      case SQL_BIT:
        cType = SQL_C_BIT;
        value = &param.bitValue;
        break;
      case SQL_DATE:
      case SQL_TIMESTAMP:
      case SQL_TYPE_DATE:
      case SQL_TYPE_TIMESTAMP:
        cType = SQL_C_TYPE_TIMESTAMP;
        value = &param.timestampValue;
        break;
      default:
        if (wide_) {
          wideText = Utf8ToUtf16(param.text);
          cType = SQL_C_WCHAR;
          value = WideText(wideText);
          bufferLength = static_cast<SQLLEN>((wideText.size() + 1) * sizeof(SQLWCHAR));
        } else {
          bufferLength = static_cast<SQLLEN>(param.text.size() + 1);
        }
        break;
    }
    const bool text = cType == SQL_C_CHAR || cType == SQL_C_WCHAR;
    if (!param.hasValue) {
      *indicator = SQL_NULL_DATA;
    } else {
      *indicator = text ? SQL_NTS : 0;
    }
    SQLULEN columnSize = param.columnSize;
    if (text && columnSize == 0) {
      columnSize = std::max<SQLULEN>(cType == SQL_C_WCHAR ? wideText.size() : param.text.size(), 1);
    }
    CheckOdbc(SQLBindParameter(hstmt, static_cast<SQLUSMALLINT>(position + 1), SQL_PARAM_INPUT,
                               cType, param.sqlType, columnSize, param.decimalDigits, value,
                               bufferLength, indicator),
              SQL_HANDLE_STMT, hstmt, "SQLBindParameter", wide_);
  }
}

}  // namespace maltrove
