// A short endurance run under the sanitizers: many cycles of load, edit,
// write and clear on one grid keep the memory where it was after warming up.
// bench/endurance_bench runs the full counts.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "faults/endurance.h"

namespace maltrove {
namespace {

namespace fs = std::filesystem;

constexpr int kWarmUp = 50;
constexpr int kCycles = 400;
// Growth allowed over the measured cycles: well below what one lost row
// or one kept document per cycle would add.
constexpr long long kAllowedGrowth = 16 * 1024;

TEST(EnduranceTest, GridCyclesKeepTheirMemory) {
  const fs::path dir = fs::temp_directory_path() / ("maltrove-endurance-" + std::to_string(getpid()));
  fs::create_directories(dir);
  setenv("TMPDIR", dir.c_str(), 1);
  {
    CKorvaleGridCtrl grid{platform::Services{}};
    testing::SetUpCycleGrid(&grid);
    const testing::CycleData data = testing::MakeCycleData(&grid);
    for (int i = 0; i < kWarmUp; ++i) ASSERT_TRUE(testing::RunGridCycle(&grid, data, i)) << i;
    const long long before = testing::LiveBytes();
    for (int i = kWarmUp; i < kWarmUp + kCycles; ++i) {
      ASSERT_TRUE(testing::RunGridCycle(&grid, data, i)) << i;
    }
    const long long growth = testing::LiveBytes() - before;
    RecordProperty("growth_bytes", std::to_string(growth));
    EXPECT_LT(growth, kAllowedGrowth);
  }
  unsetenv("TMPDIR");
  fs::remove_all(dir);
}

}  // namespace
}  // namespace maltrove
