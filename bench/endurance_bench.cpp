// Endurance: 10,000 cycles of load, edit, write and clear on one grid, and
// 1,000 gateway cycles (a query on its own connection and a statement on the
// shared connection) against the SQLite source of the test databases when
// MALTROVE_SQLITE_DSN names it. Prints resident memory after a warm-up and
// at the end. Usage: endurance_bench [GRID_CYCLES [GATEWAY_CYCLES]]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "faults/endurance.h"

namespace {

using namespace maltrove;
using Clock = std::chrono::steady_clock;

constexpr int kWarmUpShare = 10;  // the first tenth warms up

void Report(const char* what, int cycles, long long warm, long long end, Clock::duration took) {
  std::printf("%s: %d cycles in %.1f s; resident %.1f MiB after warm-up, %.1f MiB at the end, "
              "growth %lld KiB (%.2f bytes per cycle)\n",
              what, cycles, std::chrono::duration<double>(took).count(), warm / 1048576.0,
              end / 1048576.0, (end - warm) / 1024, static_cast<double>(end - warm) / cycles);
}

bool GridRun(int cycles) {
  CKorvaleGridCtrl grid{platform::Services{}};
  testing::SetUpCycleGrid(&grid);
  const testing::CycleData data = testing::MakeCycleData(&grid);
  const int warmUp = cycles / kWarmUpShare;
  const auto start = Clock::now();
  long long warm = 0;
  for (int i = 0; i < cycles; ++i) {
    if (i == warmUp) warm = testing::ResidentBytes();
    if (!testing::RunGridCycle(&grid, data, i)) {
      std::fprintf(stderr, "grid cycle %d failed\n", i);
      return false;
    }
  }
  Report("grid", cycles - warmUp, warm, testing::ResidentBytes(), Clock::now() - start);
  return true;
}

bool GatewayRun(int cycles, const std::string& dsn, const std::string& folder) {
  CMaltroveDBGatewayCtrl gateway{platform::Services{}};
  gateway.LoadProperties({{"tempURL", folder}});
  if (gateway.setDSN(dsn, "", "") != 1 ||
      gateway.execute("CREATE TABLE IF NOT EXISTS endurance (n INTEGER)", 0, "") < 0 ||
      gateway.execute("DELETE FROM endurance", 0, "") < 0 ||
      gateway.execute("INSERT INTO endurance VALUES (0)", 0, "") != 1 || gateway.dbConnect() != 1) {
    std::fprintf(stderr, "the gateway could not reach %s\n", dsn.c_str());
    return false;
  }
  const int warmUp = cycles / kWarmUpShare;
  const auto start = Clock::now();
  long long warm = 0;
  for (int i = 0; i < cycles; ++i) {
    if (i == warmUp) warm = testing::ResidentBytes();
    if (!testing::RunGatewayCycle(&gateway, i)) {
      std::fprintf(stderr, "gateway cycle %d failed\n", i);
      return false;
    }
  }
  Report("gateway", cycles - warmUp, warm, testing::ResidentBytes(), Clock::now() - start);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const int gridCycles = argc > 1 ? std::atoi(argv[1]) : 10000;
  const int gatewayCycles = argc > 2 ? std::atoi(argv[2]) : 1000;
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("maltrove-endurance-" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  bool ok = GridRun(gridCycles);
  const char* dsn = std::getenv("MALTROVE_SQLITE_DSN");
  if (dsn != nullptr && *dsn != '\0') ok = GatewayRun(gatewayCycles, dsn, folder.string()) && ok;
  else std::printf("gateway: skipped (MALTROVE_SQLITE_DSN not set)\n");
  std::filesystem::remove_all(folder);
  return ok ? 0 : 1;
}
