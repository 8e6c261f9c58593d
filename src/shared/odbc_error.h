// The database error of the ODBC layer, and the checks that raise it. ODBC
// handles appear as void* and return codes as short so that this header does
// not pull the ODBC headers (and their Windows-style macros) into callers.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace maltrove {

class DatabaseError : public std::runtime_error {
 public:
  DatabaseError(const std::string& message, std::string sqlState, long nativeError);

  // The SQLSTATE and native code of the first diagnostic record.
  const std::string& sqlState() const { return sqlState_; }
  long nativeError() const { return nativeError_; }

  // Every diagnostic record of the handle, one line each; `call` names the
  // failed function when the handle holds none. With wide, the records are
  // read through SQLGetDiagRecW (see odbc_interface_choice.h).
  static DatabaseError FromHandle(short handleType, void* handle, std::string_view call,
                                  bool wide = false);
  // A move on an empty record set or past its end (SQLSTATE 02000).
  static DatabaseError NoDataFound();

 private:
  std::string sqlState_;
  long nativeError_;
};

// SQL_SUCCESS and SQL_SUCCESS_WITH_INFO pass; any other answer throws.
void CheckOdbc(short rc, short handleType, void* handle, std::string_view call, bool wide = false);

// The process-wide ODBC 3 environment handle, created on first use; never
// freed. Throws DatabaseError when the driver manager refuses it.
void* OdbcEnvironment();

}  // namespace maltrove
