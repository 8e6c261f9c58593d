#include "io/workbook_database.h"

#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "io/xls/workbook_reader.h"
#include "io/xls/workbook_writer.h"

namespace maltrove {

namespace {

bool Fail(std::string* error, std::string message) {
  if (error != nullptr) *error = std::move(message);
  return false;
}

std::string DbError(sqlite3* db) { return sqlite3_errmsg(db); }

// Internal queries quote names the SQLite way.
std::string Quoted(std::string_view name) {
  std::string out = "\"";
  for (char c : name) {
    if (c == '"') out.push_back('"');
    out.push_back(c);
  }
  out.push_back('"');
  return out;
}

std::string NumberText(double value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.15g", value);
  return buffer;
}

// The first word of a statement after blanks and comments, upper-cased.
std::string FirstKeyword(std::string_view sql) {
  size_t i = 0;
  while (i < sql.size()) {
    const char c = sql[i];
    if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v') {
      ++i;
    } else if (sql.compare(i, 2, "--") == 0) {
      const size_t end = sql.find('\n', i);
      i = end == std::string_view::npos ? sql.size() : end + 1;
    } else if (sql.compare(i, 2, "/*") == 0) {
      const size_t end = sql.find("*/", i + 2);
      i = end == std::string_view::npos ? sql.size() : end + 2;
    } else {
      break;
    }
  }
  std::string word;
  while (i < sql.size() && std::isalpha(static_cast<unsigned char>(sql[i]))) {
    word.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(sql[i++]))));
  }
  return word;
}

bool FolderOf(const std::string& path, std::string* folder) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) *folder = ".";
  else *folder = slash == 0 ? "/" : path.substr(0, slash);
  struct stat st {};
  return ::stat(folder->c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// A worksheet column as the driver presents it.
struct LoadedColumn {
  std::string name;
  bool numeric = true;
};

std::string CellText(const xls::Cell& cell) {
  switch (cell.type) {
    case xls::CellType::kNumber: return NumberText(cell.number);
    case xls::CellType::kText: return cell.text;
    case xls::CellType::kBoolean: return cell.boolean ? "TRUE" : "FALSE";
    default: return std::string();
  }
}

}  // namespace

std::string RewriteBracketNames(std::string_view sql) {
  std::string out;
  out.reserve(sql.size() + 8);
  const size_t n = sql.size();
  size_t i = 0;
  while (i < n) {
    const char c = sql[i];
    size_t end = i + 1;
    if (c == '\'' || c == '"' || c == '`') {
      while (end < n) {
        if (sql[end] != c) {
          ++end;
        } else if (end + 1 < n && sql[end + 1] == c) {
          end += 2;
        } else {
          ++end;
          break;
        }
      }
    } else if (c == '-' && i + 1 < n && sql[i + 1] == '-') {
      end = sql.find('\n', i);
      end = end == std::string_view::npos ? n : end;
    } else if (c == '/' && i + 1 < n && sql[i + 1] == '*') {
      end = sql.find("*/", i + 2);
      end = end == std::string_view::npos ? n : end + 2;
    } else if (c == '[') {
      // Backquotes, unlike double quotes, never fall back to a string literal.
      std::string name;
      bool closed = false;
      while (end < n) {
        if (sql[end] != ']') {
          if (sql[end] == '`') name.push_back('`');
          name.push_back(sql[end++]);
        } else if (end + 1 < n && sql[end + 1] == ']') {
          name.push_back(']');
          end += 2;
        } else {
          ++end;
          closed = true;
          break;
        }
      }
      if (!closed) {
        out.append(sql.substr(i));
        break;
      }
      out.push_back('`');
      out.append(name);
      out.push_back('`');
      i = end;
      continue;
    }
    out.append(sql.substr(i, end - i));
    i = end;
  }
  return out;
}

std::string WorkbookDatabase::BracketName(std::string_view name) {
  std::string out = "[";
  for (char c : name) {
    out.push_back(c);
    if (c == ']') out.push_back(']');
  }
  out.push_back(']');
  return out;
}

WorkbookDatabase::WorkbookDatabase() = default;

WorkbookDatabase::~WorkbookDatabase() {
  if (db_ != nullptr) sqlite3_close_v2(db_);
}

int WorkbookDatabase::Authorize(void* self, int action, const char* a, const char*, const char*,
                                const char*) {
  auto* database = static_cast<WorkbookDatabase*>(self);
  if (database->internal_) return SQLITE_OK;
  switch (action) {
    case SQLITE_ATTACH:
    case SQLITE_DETACH:
      database->denied_ = "ATTACH and DETACH are not supported";
      return SQLITE_DENY;
    case SQLITE_PRAGMA:
      database->denied_ = "PRAGMA is not supported";
      return SQLITE_DENY;
    case SQLITE_CREATE_TABLE: {
      // Refused here, as the driver refuses it, rather than when writing.
      xls::WorkbookWriter probe;
      std::string reason;
      if (a != nullptr && probe.AddSheet(a, &reason) >= 0) return SQLITE_OK;
      database->denied_ = std::string("table ") + (a ? a : "") + ": " + reason;
      return SQLITE_DENY;
    }
    default:
      return SQLITE_OK;
  }
}

bool WorkbookDatabase::Open(const std::string& path, std::string* error) {
  return Open(path, true, error);
}

bool WorkbookDatabase::OpenEmpty(const std::string& path, std::string* error) {
  return Open(path, false, error);
}

bool WorkbookDatabase::Open(const std::string& path, bool loadExisting, std::string* error) {
  if (db_ != nullptr) {
    sqlite3_close_v2(db_);
    db_ = nullptr;
  }
  std::string folder;
  if (!FolderOf(path, &folder)) return Fail(error, "cannot create " + path + ": no folder " + folder);
  struct stat st {};
  const bool exists = ::stat(path.c_str(), &st) == 0;
  if (exists && !S_ISREG(st.st_mode)) return Fail(error, path + " is not a file");
  if ((!exists || !loadExisting) && ::access(folder.c_str(), W_OK | X_OK) != 0) {
    return Fail(error, "cannot create " + path + ": " + std::strerror(errno));
  }
  // One thread at a time uses a workbook: no locking inside SQLite.
  if (sqlite3_open_v2(":memory:", &db_,
                      SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                      nullptr) != SQLITE_OK) {
    const std::string message = db_ != nullptr ? DbError(db_) : "out of memory";
    sqlite3_close_v2(db_);
    db_ = nullptr;
    return Fail(error, message);
  }
  sqlite3_limit(db_, SQLITE_LIMIT_ATTACHED, 0);
  sqlite3_db_config(db_, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
  sqlite3_db_config(db_, SQLITE_DBCONFIG_ENABLE_LOAD_EXTENSION, 0, nullptr);
  sqlite3_set_authorizer(db_, &WorkbookDatabase::Authorize, this);
  path_ = path;
  if (exists && loadExisting && !LoadWorkbook(path, error)) {
    sqlite3_close_v2(db_);
    db_ = nullptr;
    return false;
  }
  return true;
}

bool WorkbookDatabase::LoadWorkbook(const std::string& path, std::string* error) {
  xls::WorkbookReader reader;
  if (!reader.Open(path, error)) return false;
  internal_ = true;
  struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{internal_};
  if (sqlite3_exec(db_, "BEGIN", nullptr, nullptr, nullptr) != SQLITE_OK) {
    return Fail(error, DbError(db_));
  }
  for (size_t index = 0; index < reader.sheets().size(); ++index) {
    xls::Sheet sheet;
    if (!reader.ReadSheet(index, &sheet, error)) return false;
    std::vector<LoadedColumn> columns(std::max<uint32_t>(sheet.columns, 1));
    for (const xls::Cell& cell : sheet.cells) {
      if (cell.row == 0) {
        columns[cell.col].name = CellText(cell);
      } else if (cell.type != xls::CellType::kNumber && cell.type != xls::CellType::kError) {
        columns[cell.col].numeric = false;
      }
    }
    // Blank and repeated names become F1, F2, ... by position, as the driver names them.
    std::string create = "CREATE TABLE " + Quoted(sheet.name) + " (";
    for (size_t c = 0; c < columns.size(); ++c) {
      std::string& name = columns[c].name;
      bool taken = name.empty();
      for (size_t k = 0; k < c && !taken; ++k) {
        taken = sqlite3_stricmp(columns[k].name.c_str(), name.c_str()) == 0;
      }
      if (taken) name = std::string("F").append(std::to_string(c + 1));
      create += (c > 0 ? ", " : "") + Quoted(name) + (columns[c].numeric ? " numeric" : " text");
    }
    create += ")";
    if (sqlite3_exec(db_, create.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) {
      return Fail(error, "sheet " + sheet.name + ": " + DbError(db_));
    }
    if (sheet.rows <= 1) continue;
    std::string insert = "INSERT INTO " + Quoted(sheet.name) + " VALUES (";
    for (size_t c = 0; c < columns.size(); ++c) insert += c > 0 ? ", ?" : "?";
    insert += ")";
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db_, insert.c_str(), -1, &stmt, nullptr) != SQLITE_OK) {
      return Fail(error, DbError(db_));
    }
    size_t next = 0;
    while (next < sheet.cells.size() && sheet.cells[next].row == 0) ++next;
    bool ok = true;
    for (uint32_t row = 1; row < sheet.rows && ok; ++row) {
      sqlite3_clear_bindings(stmt);
      for (; next < sheet.cells.size() && sheet.cells[next].row == row; ++next) {
        const xls::Cell& cell = sheet.cells[next];
        const int parameter = cell.col + 1;
        if (cell.type == xls::CellType::kNumber && columns[cell.col].numeric) {
          sqlite3_bind_double(stmt, parameter, cell.number);
        } else if (cell.type != xls::CellType::kError && cell.type != xls::CellType::kEmpty) {
          const std::string text = CellText(cell);
          sqlite3_bind_text(stmt, parameter, text.data(), static_cast<int>(text.size()),
                            SQLITE_TRANSIENT);
        }
      }
      ok = sqlite3_step(stmt) == SQLITE_DONE;
      sqlite3_reset(stmt);
    }
    sqlite3_finalize(stmt);
    if (!ok) return Fail(error, "sheet " + sheet.name + ": " + DbError(db_));
  }
  if (sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) {
    return Fail(error, DbError(db_));
  }
  return true;
}

bool WorkbookDatabase::PrepareOne(const std::string& sql, sqlite3_stmt** stmt,
                                  std::string* error) {
  *stmt = nullptr;
  if (db_ == nullptr) return Fail(error, "the workbook is not open");
  if (FirstKeyword(sql) == "VACUUM") return Fail(error, "VACUUM is not supported");
  const std::string rewritten = RewriteBracketNames(sql);
  const char* tail = nullptr;
  denied_.clear();
  if (sqlite3_prepare_v2(db_, rewritten.c_str(), static_cast<int>(rewritten.size()), stmt,
                         &tail) != SQLITE_OK) {
    return Fail(error, denied_.empty() ? DbError(db_) : denied_);
  }
  if (*stmt == nullptr) return Fail(error, "no statement");
  sqlite3_stmt* more = nullptr;
  const int rc = sqlite3_prepare_v2(db_, tail, -1, &more, nullptr);
  if (rc != SQLITE_OK || more != nullptr) {
    sqlite3_finalize(more);
    sqlite3_finalize(*stmt);
    *stmt = nullptr;
    return Fail(error, "only one statement at a time");
  }
  return true;
}

bool WorkbookDatabase::Execute(const std::string& sql, std::string* error) {
  sqlite3_stmt* stmt = nullptr;
  if (!PrepareOne(sql, &stmt, error)) return false;
  int rc;
  while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
  }
  const bool ok = rc == SQLITE_DONE;
  if (!ok) Fail(error, DbError(db_));
  sqlite3_finalize(stmt);
  return ok;
}

bool WorkbookDatabase::ColumnNames(const std::string& table, std::vector<std::string>* names,
                                   std::string* error) {
  const bool internal = internal_;
  internal_ = true;  // PRAGMA is refused to the statements of callers only
  sqlite3_stmt* stmt = nullptr;
  const std::string pragma = "PRAGMA table_info(" + Quoted(table) + ")";
  const bool prepared = sqlite3_prepare_v2(db_, pragma.c_str(), -1, &stmt, nullptr) == SQLITE_OK;
  internal_ = internal;
  if (!prepared) return Fail(error, DbError(db_));
  names->clear();
  int rc;
  while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
    names->emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 1)));
  }
  sqlite3_finalize(stmt);
  if (rc != SQLITE_DONE) return Fail(error, DbError(db_));
  return true;
}

bool WorkbookDatabase::WriteWorkbook(std::string* error) {
  internal_ = true;
  std::vector<std::string> tables;
  sqlite3_stmt* stmt = nullptr;
  if (sqlite3_prepare_v2(db_,
                         "SELECT name FROM sqlite_master WHERE type = 'table' AND "
                         "name NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY rowid",
                         -1, &stmt, nullptr) != SQLITE_OK) {
    return Fail(error, DbError(db_));
  }
  while (sqlite3_step(stmt) == SQLITE_ROW) {
    tables.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
  }
  sqlite3_finalize(stmt);
  if (tables.empty()) return true;
  if (sqlite3_get_autocommit(db_) == 0) sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr);

  xls::WorkbookWriter writer;
  int sheets = 0;
  std::string problem;
  auto note = [&problem](std::string message) {
    if (problem.empty()) problem = std::move(message);
  };
  for (const std::string& table : tables) {
    std::string reason;
    const int sheet = writer.AddSheet(table, &reason);
    if (sheet < 0) {
      note("table " + table + ": " + reason);
      continue;
    }
    ++sheets;
    std::vector<std::string> names;
    if (!ColumnNames(table, &names, &reason)) {
      note(reason);
      continue;
    }
    for (size_t c = 0; c < names.size() && c < kMaxColumns; ++c) {
      writer.SetText(sheet, 0, static_cast<uint32_t>(c), names[c]);
    }
    if (names.size() > kMaxColumns) note("table " + table + " has more than 256 columns");

    const std::string select = "SELECT * FROM " + Quoted(table);
    if (sqlite3_prepare_v2(db_, select.c_str(), -1, &stmt, nullptr) != SQLITE_OK) {
      note(DbError(db_));
      continue;
    }
    const int columns = std::min(sqlite3_column_count(stmt), kMaxColumns);
    uint32_t row = 0;
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
      if (++row > static_cast<uint32_t>(kMaxDataRows)) {
        note("table " + table + " has more than 65535 rows");
        rc = SQLITE_DONE;
        break;
      }
      for (int c = 0; c < columns; ++c) {
        const auto col = static_cast<uint32_t>(c);
        // One thread uses the connection, opened without a mutex, so the
        // column's value can be read through the value calls: one API entry
        // per cell instead of three.
        sqlite3_value* value = sqlite3_column_value(stmt, c);
        switch (sqlite3_value_type(value)) {
          case SQLITE_NULL:
            break;
          case SQLITE_INTEGER:
            writer.SetNumber(sheet, row, col, static_cast<double>(sqlite3_value_int64(value)));
            break;
          case SQLITE_FLOAT:
            if (writer.SetNumber(sheet, row, col, sqlite3_value_double(value))) break;
            [[fallthrough]];  // infinities stay readable as text
          default: {
            const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
            writer.SetText(sheet, row, col,
                           std::string_view(text, static_cast<size_t>(sqlite3_value_bytes(value))));
          }
        }
      }
    }
    if (rc != SQLITE_DONE) note(DbError(db_));
    sqlite3_finalize(stmt);
  }
  std::string reason;
  if (sheets == 0) return Fail(error, problem);
  if (!writer.Save(path_, &reason)) return Fail(error, reason);
  if (!problem.empty()) return Fail(error, problem);
  return true;
}

bool WorkbookDatabase::Close(std::string* error) {
  if (db_ == nullptr) return Fail(error, "the workbook is not open");
  const bool ok = WriteWorkbook(error);
  internal_ = false;
  sqlite3_close_v2(db_);
  db_ = nullptr;
  return ok;
}

}  // namespace maltrove
