// The database server goes away under the gateway (immediate shutdown, as a
// crash would): the call that meets it fails with its failure value, and the
// first call after the server is back works. Also the endurance of one
// gateway over many queries on the SQLite source.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "db/db_env.h"
#include "faults/endurance.h"
#include "gateway/maltrove_dbgateway_ctrl.h"

namespace maltrove {
namespace {

namespace fs = std::filesystem;
using maltrove::testing::DbEnv;

constexpr char kMapping[] = "<vector><data vectorkey=\"0\" value=\"n\"/></vector>";

bool Server(const char* action) {
  const std::string command = std::string("bash " PG_SERVER_SCRIPT " '") +
                              DbEnv("MALTROVE_PG_SERVER") + "' " + action;
  return std::system(command.c_str()) == 0;
}

// Stops the server one second into whatever runs meanwhile.
class StopSoon {
 public:
  StopSoon() : thread_([this] {
    std::this_thread::sleep_for(std::chrono::seconds(1));
    stopped_ = Server("stop");
  }) {}
  ~StopSoon() {
    if (thread_.joinable()) thread_.join();
  }
  bool Wait() {
    thread_.join();
    return stopped_;
  }

 private:
  bool stopped_ = false;
  std::thread thread_;
};

class ServerFaultsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(maltrove::testing::LoadDbEnv()) << "needs the database fixture";
    dir_ = fs::temp_directory_path() / ("maltrove-serverfaults-" + std::to_string(getpid()));
    gateway_.LoadProperties({{"tempURL", dir_.string()}});
    ASSERT_EQ(gateway_.setDSN(DbEnv("MALTROVE_PG_DSN"), DbEnv("MALTROVE_PG_UID"),
                              DbEnv("MALTROVE_PG_PWD")), 1);
    ASSERT_GE(gateway_.execute("CREATE TABLE IF NOT EXISTS faults (n integer)", 0, ""), 0);
    ASSERT_GE(gateway_.execute("DELETE FROM faults", 0, ""), 0);
    ASSERT_EQ(gateway_.execute("INSERT INTO faults VALUES (7)", 0, ""), 1);
  }
  void TearDown() override {
    // Whatever happened, the server runs again for the tests after this one.
    if (gateway_.execute("SELECT 1", 0, "") < 0) Server("start");
    fs::remove_all(dir_);
  }
  std::string Query(const std::string& sql) {
    return gateway_.executeQuery(sql, "r", kMapping, "", 0, 0, "");
  }

  fs::path dir_;
  CMaltroveDBGatewayCtrl gateway_{platform::Services{}};
};

TEST_F(ServerFaultsTest, ExecuteQuery) {
  {
    StopSoon stop;
    EXPECT_EQ(Query("SELECT n FROM faults, pg_sleep(5)"), "-1");
    ASSERT_TRUE(stop.Wait());
  }
  EXPECT_EQ(Query("SELECT n FROM faults"), "-1");  // no server
  ASSERT_TRUE(Server("start"));
  EXPECT_NE(Query("SELECT n FROM faults").find("<n value=\"7\"/>"), std::string::npos);
}

TEST_F(ServerFaultsTest, Execute) {
  {
    StopSoon stop;
    EXPECT_EQ(gateway_.execute("UPDATE faults SET n = 8 FROM pg_sleep(5)", 0, ""), -1);
    ASSERT_TRUE(stop.Wait());
  }
  ASSERT_TRUE(Server("start"));
  EXPECT_EQ(gateway_.execute("UPDATE faults SET n = 9", 0, ""), 1);
  EXPECT_NE(Query("SELECT n FROM faults").find("<n value=\"9\"/>"), std::string::npos);
}

TEST_F(ServerFaultsTest, ExecuteUpdateOnTheSharedConnection) {
  ASSERT_EQ(gateway_.dbConnect(), 1);
  EXPECT_EQ(gateway_.executeUpdate("UPDATE faults SET n = 10", 0, ""), 1);
  {
    StopSoon stop;
    EXPECT_EQ(gateway_.executeUpdate("UPDATE faults SET n = 11 FROM pg_sleep(5)", 0, ""), -1);
    ASSERT_TRUE(stop.Wait());
  }
  EXPECT_EQ(gateway_.executeUpdate("UPDATE faults SET n = 12", 0, ""), -1);  // no server
  ASSERT_TRUE(Server("start"));
  EXPECT_EQ(gateway_.executeUpdate("UPDATE faults SET n = 13", 0, ""), 1);
  EXPECT_NE(Query("SELECT n FROM faults").find("<n value=\"13\"/>"), std::string::npos);
}

TEST_F(ServerFaultsTest, ExecuteUpdateAfterARestartBetweenCalls) {
  ASSERT_EQ(gateway_.dbConnect(), 1);
  EXPECT_EQ(gateway_.executeUpdate("UPDATE faults SET n = 20", 0, ""), 1);
  ASSERT_TRUE(Server("stop"));
  ASSERT_TRUE(Server("start"));
  // The first statement meets the cut link and fails; it is not repeated,
  // as it may have taken effect. The next one runs on a new connection.
  EXPECT_EQ(gateway_.executeUpdate("UPDATE faults SET n = 21", 0, ""), -1);
  EXPECT_EQ(gateway_.executeUpdate("UPDATE faults SET n = 22", 0, ""), 1);
  EXPECT_EQ(gateway_.executeUpdate("UPDATE faults SET n = 23", 0, ""), 1);
  EXPECT_NE(Query("SELECT n FROM faults").find("<n value=\"23\"/>"), std::string::npos);
}

constexpr int kWarmUp = 30;
constexpr int kCycles = 300;
// Growth allowed over the measured cycles: below what one kept result per
// cycle would add.
constexpr long long kAllowedGrowth = 16 * 1024;

TEST(GatewayEnduranceTest, QueriesOnOneConnectionKeepTheirMemory) {
  ASSERT_TRUE(maltrove::testing::LoadDbEnv()) << "needs the database fixture";
  const fs::path dir = fs::temp_directory_path() / ("maltrove-gwendurance-" + std::to_string(getpid()));
  {
    CMaltroveDBGatewayCtrl gateway{platform::Services{}};
    gateway.LoadProperties({{"tempURL", dir.string()}});
    ASSERT_EQ(gateway.setDSN(DbEnv("MALTROVE_SQLITE_DSN"), "", ""), 1);
    ASSERT_GE(gateway.execute("CREATE TABLE IF NOT EXISTS endurance (n INTEGER)", 0, ""), 0);
    ASSERT_GE(gateway.execute("DELETE FROM endurance", 0, ""), 0);
    ASSERT_EQ(gateway.execute("INSERT INTO endurance VALUES (0)", 0, ""), 1);
    ASSERT_EQ(gateway.dbConnect(), 1);
    for (int i = 0; i < kWarmUp; ++i) ASSERT_TRUE(maltrove::testing::RunGatewayCycle(&gateway, i)) << i;
    const long long before = maltrove::testing::LiveBytes();
    for (int i = kWarmUp; i < kWarmUp + kCycles; ++i) {
      ASSERT_TRUE(maltrove::testing::RunGatewayCycle(&gateway, i)) << i;
    }
    const long long growth = maltrove::testing::LiveBytes() - before;
    RecordProperty("growth_bytes", std::to_string(growth));
    EXPECT_LT(growth, kAllowedGrowth);
  }
  fs::remove_all(dir);
}

}  // namespace
}  // namespace maltrove
