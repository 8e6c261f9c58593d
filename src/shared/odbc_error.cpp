#include "shared/odbc_error.h"

#include <sql.h>
#include <sqlext.h>

#include <mutex>
#include <utility>

#include "shared/odbc_wide_text.h"

namespace maltrove {

DatabaseError::DatabaseError(const std::string& message, std::string sqlState, long nativeError)
    : std::runtime_error(message), sqlState_(std::move(sqlState)), nativeError_(nativeError) {}

namespace {

struct DiagRecord {
  std::string state;
  long native = 0;
  std::string text;
};

bool ReadDiagRecord(short handleType, void* handle, SQLSMALLINT record, bool wide,
                    DiagRecord* out) {
  SQLINTEGER native = 0;
  SQLSMALLINT length = 0;
  if (wide) {
    SQLWCHAR state[6] = {};
    SQLWCHAR text[SQL_MAX_MESSAGE_LENGTH] = {};
    SQLRETURN rc = SQLGetDiagRecW(handleType, handle, record, state, &native, text,
                                  SQL_MAX_MESSAGE_LENGTH, &length);
    if (!SQL_SUCCEEDED(rc)) return false;
    const auto units = [](const SQLWCHAR* w, size_t max) {
      size_t n = 0;
      while (n < max && w[n] != 0) ++n;
      return n;
    };
    out->state = Utf16ToUtf8(reinterpret_cast<const char16_t*>(state), units(state, 5));
    out->text = Utf16ToUtf8(reinterpret_cast<const char16_t*>(text),
                            units(text, SQL_MAX_MESSAGE_LENGTH - 1));
  } else {
    SQLCHAR state[6] = {};
    SQLCHAR text[SQL_MAX_MESSAGE_LENGTH] = {};
    SQLRETURN rc =
        SQLGetDiagRec(handleType, handle, record, state, &native, text, sizeof(text), &length);
    if (!SQL_SUCCEEDED(rc)) return false;
    out->state = reinterpret_cast<const char*>(state);
    out->text = reinterpret_cast<const char*>(text);
  }
  out->native = native;
  return true;
}

}  // namespace

DatabaseError DatabaseError::FromHandle(short handleType, void* handle, std::string_view call,
                                        bool wide) {
  std::string message;
  std::string firstState;
  long firstNative = 0;
  if (handle) {
    DiagRecord diag;
    for (SQLSMALLINT record = 1; ReadDiagRecord(handleType, handle, record, wide, &diag);
         ++record) {
      if (record == 1) {
        firstState = diag.state;
        firstNative = diag.native;
      }
      if (!message.empty()) message += '\n';
      message += diag.text + " (SQLSTATE " + diag.state + ", native " +
                 std::to_string(diag.native) + ")";
    }
  }
  if (message.empty()) message = std::string(call) + " failed";
  return DatabaseError(message, firstState, firstNative);
}

DatabaseError DatabaseError::NoDataFound() {
  return DatabaseError("Attempt to scroll past end or before beginning of data.", "02000", 0);
}

void CheckOdbc(short rc, short handleType, void* handle, std::string_view call, bool wide) {
  if (SQL_SUCCEEDED(rc)) return;
  throw DatabaseError::FromHandle(handleType, handle, call, wide);
}

void* OdbcEnvironment() {
  static std::once_flag once;
  static SQLHENV environment = SQL_NULL_HENV;
  std::call_once(once, [] {
    SQLHENV env = SQL_NULL_HENV;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env))) return;
    SQLRETURN rc =
        SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    if (!SQL_SUCCEEDED(rc)) {
      SQLFreeHandle(SQL_HANDLE_ENV, env);
      return;
    }
    environment = env;
  });
  if (environment == SQL_NULL_HENV) {
    throw DatabaseError("The ODBC driver manager refused an environment handle", "HY001", 0);
  }
  return environment;
}

}  // namespace maltrove
