// CDatabaseEx: an ODBC connection that runs statements for their affected-row
// count and can describe and bind the parameter markers of a statement.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "shared/odbc_error.h"
#include "shared/odbc_value_text.h"

namespace maltrove {

// One described parameter marker and the storage its value is bound from.
struct CSQLParam {
  std::string position;  // the decimal 1-based marker number
  short direction = 1;   // SQL_PARAM_INPUT
  short sqlType = 0;
  uint64_t columnSize = 0;
  short decimalDigits = 0;
  short nullable = 0;

  // Value storage; the field read depends on sqlType (see BindParameters).
  // Without hasValue the marker receives NULL.
  bool hasValue = false;
  std::string text;
  int32_t int32Value = 0;
  int16_t int16Value = 0;
  double doubleValue = 0;
  float floatValue = 0;
  uint8_t bitValue = 0;
  OdbcTimestamp timestampValue;
};

class CDatabaseEx {
 public:
  CDatabaseEx() = default;
  ~CDatabaseEx();
  CDatabaseEx(CDatabaseEx&& other) noexcept;
  CDatabaseEx& operator=(CDatabaseEx&& other) noexcept;
  CDatabaseEx(const CDatabaseEx&) = delete;
  CDatabaseEx& operator=(const CDatabaseEx&) = delete;

  // SQLDriverConnect without any dialog. False only when the driver answers
  // SQL_NO_DATA (a cancelled dialog); connection errors throw DatabaseError,
  // whose text never holds the connection string. An open connection is
  // closed first. The interface (narrow or wide) and the driver follow
  // ChooseOdbcInterface, so that text is exact in every process locale.
  bool Open(const std::string& connectionString);
  bool IsOpen() const { return hdbc_ != nullptr; }
  // The connection speaks through the wide entry points (text as UTF-16).
  bool wide() const { return wide_; }
  void Close();

  // Whether `error`, raised on this connection, means the connection itself
  // is gone (the server stopped or the link broke): the driver reports the
  // connection dead, or the error is of the connection class (SQLSTATE 08).
  bool IsLost(const DatabaseError& error) const;

  // Executes the statement, binding the described markers first, and
  // returns its affected-row count: 0 when the driver reports none
  // (negative, or SQL_NO_DATA for a change that touched no row). Every
  // result of a batch is read to its end. Errors throw DatabaseError.
  long long ExecuteSQLCount(const std::string& statement);

  // Prepares the statement and describes its markers into parameters().
  // False for an empty statement or any ODBC failure.
  bool DescribeParameters(const std::string& statement);
  int parameterCount() const { return parameterCount_; }
  // Keyed by 0-based marker position.
  std::map<int, CSQLParam>& parameters() { return parameters_; }
  const std::map<int, CSQLParam>& parameters() const { return parameters_; }

  // The native SQLHDBC; null when closed.
  void* hdbc() const { return hdbc_; }

  // The parameter-binding hook that ExecuteSQLCount calls. Binds each stored
  // marker to the statement as an input parameter by its described type:
  // CHAR, VARCHAR, WCHAR, WVARCHAR and any type not named below as
  // zero-terminated text; INTEGER int32; SMALLINT int16; NUMERIC, DECIMAL,
  // FLOAT, DOUBLE double; REAL float; BIT bit; DATE, TIMESTAMP timestamp.
  // A marker without a value gets the SQL_NULL_DATA indicator (NULL).
  void BindParameters(void* hstmt);

 private:
  void* hdbc_ = nullptr;
  bool wide_ = false;
  int parameterCount_ = 0;
  std::map<int, CSQLParam> parameters_;
  std::vector<long> indicators_;  // SQLLEN, alive while a statement executes
  std::vector<std::u16string> wideTexts_;  // text values bound as SQL_C_WCHAR
};

}  // namespace maltrove
