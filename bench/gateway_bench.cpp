// executeQuery of 100,000 rows x 6 columns against a plain ODBC loop that
// fetches the same rows with SQLFetch and SQLGetData into strings, on the
// SQLite data source and on PostgreSQL. The data sources are those of the
// database fixture: run through `./maltrove bench`, which starts it.
#include <benchmark/benchmark.h>
#include <sql.h>
#include <sqlext.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "bench/ratio_reporter.h"
#include "gateway/maltrove_dbgateway_ctrl.h"
#include "shared/odbc_database.h"
#include "shared/odbc_wide_text.h"

namespace maltrove {
namespace {

constexpr int kRows = 100000;
const char kSelect[] = "SELECT id, name, amount, price, day, note FROM bench_rows";
const std::u16string kWideSelect = u"SELECT id, name, amount, price, day, note FROM bench_rows";

struct Source {
  std::string dsn, uid, pwd;
  bool pg;
  std::string ConnectionString() const { return "DSN=" + dsn + ";UID=" + uid + ";PWD=" + pwd; }
};

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

void CreateRows(const Source& source) {
  CDatabaseEx db;
  db.Open(source.ConnectionString());
  db.ExecuteSQLCount("DROP TABLE IF EXISTS bench_rows");
  db.ExecuteSQLCount(
      "CREATE TABLE bench_rows (id integer, name varchar(40), amount integer, price numeric(10,2), "
      "day date, note varchar(80))");
  const std::string series =
      source.pg ? "SELECT g FROM generate_series(1, 100000) g"
                : "WITH RECURSIVE s(g) AS (SELECT 1 UNION ALL SELECT g + 1 FROM s WHERE g < 100000) "
                  "SELECT g FROM s";
  db.ExecuteSQLCount(
      "INSERT INTO bench_rows SELECT g, 'customer ' || g, g % 97, (g % 1000) + 0.25, "
      "'2026-12-07', 'a note of moderate length for row ' || g FROM (" + series + ") t");
}

void BM_ExecuteQuery(benchmark::State& state, const Source& source) {
  const std::string folder = std::filesystem::temp_directory_path() / "maltrove-bench-gateway";
  CMaltroveDBGatewayCtrl gateway(platform::Services{});
  gateway.LoadProperties({{"tempURL", folder}});
  gateway.setDSN(source.dsn, source.uid, source.pwd);
  std::string mapping = "<vector>";
  for (int i = 0; i < 6; ++i) {
    mapping += "<data vectorkey=\"" + std::to_string(i) + "\" value=\"c" + std::to_string(i) + "\"/>";
  }
  mapping += "</vector>";
  for (auto _ : state) {
    std::string xml = gateway.executeQuery(kSelect, "row", mapping, "", 0, 0, "");
    if (xml == "-1") state.SkipWithError("executeQuery failed");
    benchmark::DoNotOptimize(xml.data());
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}

// The loop on one connection, or (withConnect) on a new connection per run
// as executeQuery makes one; through the interface the connection speaks
// (wide: UTF-16 read and turned into UTF-8, as the record set does).
void PlainOdbcLoop(benchmark::State& state, const Source& source, bool withConnect) {
  CDatabaseEx db;
  if (!withConnect) db.Open(source.ConnectionString());
  std::vector<std::string> values(6);
  for (auto _ : state) {
    if (withConnect) db.Open(source.ConnectionString());
    SQLHSTMT stmt = nullptr;
    SQLAllocHandle(SQL_HANDLE_STMT, static_cast<SQLHDBC>(db.hdbc()), &stmt);
    const bool wide = db.wide();
    if (wide) {
      SQLExecDirectW(stmt, reinterpret_cast<SQLWCHAR*>(const_cast<char16_t*>(kWideSelect.c_str())),
                     SQL_NTS);
    } else {
      SQLExecDirect(stmt, (SQLCHAR*)kSelect, SQL_NTS);
    }
    long rows = 0;
    char buffer[256];
    char16_t wideBuffer[256];
    while (SQL_SUCCEEDED(SQLFetch(stmt))) {
      for (SQLUSMALLINT c = 0; c < 6; ++c) {
        SQLLEN length = 0;
        if (wide) {
          SQLGetData(stmt, c + 1, SQL_C_WCHAR, wideBuffer, sizeof wideBuffer, &length);
          values[c] = Utf16ToUtf8(wideBuffer, length > 0 ? static_cast<size_t>(length) / 2 : 0);
        } else {
          SQLGetData(stmt, c + 1, SQL_C_CHAR, buffer, sizeof buffer, &length);
          values[c].assign(buffer, length > 0 ? static_cast<size_t>(length) : 0);
        }
      }
      ++rows;
    }
    SQLFreeHandle(SQL_HANDLE_STMT, stmt);
    if (withConnect) db.Close();
    if (rows != kRows) state.SkipWithError("wrong row count");
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}

void BM_PlainOdbcLoop(benchmark::State& state, const Source& source) {
  PlainOdbcLoop(state, source, false);
}

void BM_PlainOdbcLoopWithConnect(benchmark::State& state, const Source& source) {
  PlainOdbcLoop(state, source, true);
}

}  // namespace
}  // namespace maltrove

int main(int argc, char** argv) {
  using maltrove::Source;
  std::vector<std::pair<std::string, Source>> sources;
  if (!maltrove::Env("MALTROVE_SQLITE_DSN").empty()) {
    sources.push_back({"sqlite", Source{maltrove::Env("MALTROVE_SQLITE_DSN"), "", "", false}});
  }
  if (!maltrove::Env("MALTROVE_PG_DSN").empty()) {
    sources.push_back({"pg", Source{maltrove::Env("MALTROVE_PG_DSN"), maltrove::Env("MALTROVE_PG_UID"),
                                    maltrove::Env("MALTROVE_PG_PWD"), true}});
  }
  if (sources.empty()) {
    std::fprintf(stderr, "gateway_bench: no data source (run it through ./maltrove bench)\n");
    return 0;
  }
  maltrove::bench::KeepFreedMemory();
  for (const auto& [kind, source] : sources) {
    maltrove::CreateRows(source);
    benchmark::RegisterBenchmark(("executeQuery_" + kind).c_str(), maltrove::BM_ExecuteQuery, source)
        ->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);
    benchmark::RegisterBenchmark(("plain_odbc_" + kind).c_str(), maltrove::BM_PlainOdbcLoop, source)
        ->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);
    benchmark::RegisterBenchmark(("plain_odbc_connect_" + kind).c_str(),
                                 maltrove::BM_PlainOdbcLoopWithConnect, source)
        ->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);
  }
  std::vector<maltrove::bench::Ratio> ratios;
  for (const auto& [kind, source] : sources) {
    ratios.push_back({"executeQuery / plain ODBC loop (" + kind + ")", "executeQuery_" + kind,
                      "plain_odbc_" + kind});
    ratios.push_back({"executeQuery / plain ODBC loop, own connection (" + kind + ")",
                      "executeQuery_" + kind, "plain_odbc_connect_" + kind});
  }
  // Adds the rows per second of executeQuery.
  class Reporter : public maltrove::bench::RatioReporter {
   public:
    using RatioReporter::RatioReporter;
    void Finalize() override {
      RatioReporter::Finalize();
      for (const char* name : {"executeQuery_sqlite", "executeQuery_pg"}) {
        if (Has(name)) {
          std::printf("rows per second %-24s %10.0f\n", name,
                      maltrove::kRows / (Time(name) / 1000.0));
        }
      }
    }
  } reporter(std::move(ratios));
  return maltrove::bench::RunBenchmarks(argc, argv, &reporter);
}
