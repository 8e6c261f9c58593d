#include "shared/odbc_error.h"

#include <sql.h>
#include <sqlext.h>

#include <mutex>
#include <utility>

namespace maltrove {

DatabaseError::DatabaseError(const std::string& message, std::string sqlState, long nativeError)
    : std::runtime_error(message), sqlState_(std::move(sqlState)), nativeError_(nativeError) {}

DatabaseError DatabaseError::FromHandle(short handleType, void* handle, std::string_view call) {
  std::string message;
  std::string firstState;
  long firstNative = 0;
  if (handle) {
    for (SQLSMALLINT record = 1;; ++record) {
      SQLCHAR state[6] = {};
      SQLINTEGER native = 0;
      SQLCHAR text[SQL_MAX_MESSAGE_LENGTH] = {};
      SQLSMALLINT length = 0;
      SQLRETURN rc =
          SQLGetDiagRec(handleType, handle, record, state, &native, text, sizeof(text), &length);
      if (!SQL_SUCCEEDED(rc)) break;
      if (record == 1) {
        firstState = reinterpret_cast<const char*>(state);
        firstNative = native;
      }
      if (!message.empty()) message += '\n';
      message += reinterpret_cast<const char*>(text);
      message += " (SQLSTATE ";
      message += reinterpret_cast<const char*>(state);
      message += ", native " + std::to_string(native) + ")";
    }
  }
  if (message.empty()) message = std::string(call) + " failed";
  return DatabaseError(message, firstState, firstNative);
}

DatabaseError DatabaseError::NoDataFound() {
  return DatabaseError("Attempt to scroll past end or before beginning of data.", "02000", 0);
}

void CheckOdbc(short rc, short handleType, void* handle, std::string_view call) {
  if (SQL_SUCCEEDED(rc)) return;
  throw DatabaseError::FromHandle(handleType, handle, call);
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
