// Which ODBC interface a connection speaks, so that text is exact whatever
// the process locale.
//
// unixODBC converts between the narrow and the wide interface through the
// locale's character set: a wide call on a driver without wide entry points,
// or a narrow call on a driver that has them, turns Korean text into "?" or
// mojibake under LC_ALL=C. So a driver that exports the wide entry points is
// spoken to only through them (UTF-16, converted here from and to UTF-8), and
// any other driver only through the narrow ones, with UTF-8 bytes (SQLite's
// driver keeps them as they are). psqlODBC's ANSI library takes its client
// encoding from the locale, so a source that names it is connected through
// the Unicode library beside it instead; the data source's settings stay
// those of its DSN.
#pragma once

#include <string>
#include <string_view>

namespace maltrove {

struct OdbcInterfaceChoice {
  std::string connectionString;  // what SQLDriverConnect receives
  bool wide = false;             // the W entry points and SQL_C_WCHAR
};

// Decided by the driver library that the connection string reaches (its
// DRIVER keyword, else its DSN's Driver entry, whichever comes first). A
// driver that cannot be found keeps the string and the narrow interface.
OdbcInterfaceChoice ChooseOdbcInterface(const std::string& connectionString);

// The value of the first KEY=value pair whose key equals key ignoring case,
// braces removed; found tells whether there was one.
std::string ConnectionAttribute(std::string_view connectionString, std::string_view key,
                                bool* found = nullptr);

}  // namespace maltrove
