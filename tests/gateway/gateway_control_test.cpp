// The gateway's own rules: where its files live, saved conditions, the
// statement text and the mapping and data-type readers.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "gateway/condition_store.h"
#include "gateway/gateway_xml_parser.h"
#include "gateway/maltrove_dbgateway_ctrl.h"

namespace maltrove {
namespace {

TEST(GatewayPathsTest, TempUrlMovesBothFiles) {
  CMaltroveDBGatewayCtrl plain(platform::Services{});
  EXPECT_NE(plain.dsnPath().find("MVDBG/dsn/dsn.inf"), std::string::npos);
  CMaltroveDBGatewayCtrl moved(platform::Services{});
  moved.LoadProperties({{"tempURL", "  /srv/data "}});
  EXPECT_EQ(moved.baseFolder(), "/srv/data/");
  EXPECT_EQ(moved.dsnPath(), "/srv/data/dsn/dsn.inf");
  CMaltroveDBGatewayCtrl slash(platform::Services{});
  slash.LoadProperties({{"tempURL", "/srv/data/"}});
  EXPECT_EQ(slash.dsnPath(), "/srv/data/dsn/dsn.inf");
  CMaltroveDBGatewayCtrl blank(platform::Services{});
  blank.LoadProperties({{"tempURL", "   "}});
  EXPECT_EQ(blank.dsnPath(), plain.dsnPath());
}

TEST(GatewayMembersTest, FailuresWithoutADataSource) {
  const auto dir = std::filesystem::temp_directory_path() / ("maltrove-gw-" + std::to_string(getpid()));
  CMaltroveDBGatewayCtrl gateway(platform::Services{});
  gateway.LoadProperties({{"tempURL", dir.string()}});
  EXPECT_EQ(gateway.getDSN(), "");
  EXPECT_EQ(gateway.executeUpdate("UPDATE t SET a = 1", 0, ""), -1);
  EXPECT_EQ(gateway.execute("UPDATE t SET a = 1", 0, ""), -1);
  EXPECT_EQ(gateway.dbClose(), 1);
  EXPECT_EQ(gateway.executeQuery("SELECT 1", "r", "<vector/>", "", 0, 0, ""), "-1");
  std::filesystem::remove_all(dir);
}

TEST(ConditionStoreTest, KeysAndStatements) {
  const auto dir = std::filesystem::temp_directory_path() / ("maltrove-cond-" + std::to_string(getpid()));
  ConditionStore store(dir.string() + "/");
  EXPECT_EQ(store.Save("  ", "x"), 1);
  EXPECT_FALSE(std::filesystem::exists(dir));
  EXPECT_EQ(store.Save("empty", ""), 1);
  EXPECT_TRUE(std::filesystem::exists(dir / "query" / "empty.sql"));
  EXPECT_EQ(StatementText(" SELECT 1 ", store.Read("empty")), "SELECT 1");
  EXPECT_EQ(StatementText("SELECT 1", store.Read("missing")), "SELECT 1");
  EXPECT_EQ(store.Save("k", "WHERE a = 'b'"), 1);
  EXPECT_EQ(StatementText("SELECT a FROM t", store.Read("k")), "SELECT a FROM t WHERE a = 'b'");
  for (const char* key : {"../x", "a/b", "a\\b", ".", "..", "..x"}) {
    EXPECT_EQ(store.Save(key, "x"), 0) << key;
    EXPECT_EQ(store.Read(key), "") << key;
  }
  std::filesystem::remove_all(dir);
}

TEST(GatewayXmlParserTest, MappingPlacesByVectorkeyAndTypesFollow) {
  std::vector<CDBGFieldInfo> fields;
  CGateWayXMLParser mapping(30, &fields);
  ASSERT_TRUE(mapping.Read("<vector><data vectorkey=\"2\" value=\"c\"/><data vectorkey=\"0\" value=\"a\"/>"
                           "<data vectorkey=\"1\" value=\"b\"/><data value=\"d\"/></vector>",
                           CGateWayXMLParser::kMapping, "utf-8"));
  ASSERT_EQ(fields.size(), 4u);
  EXPECT_EQ(fields[0].name + fields[1].name + fields[2].name + fields[3].name, "abcd");
  CGateWayXMLParser types(30, &fields);
  ASSERT_TRUE(types.Read("<?xml version=\"1.0\"?><vector><data vectorkey=\"1\" value=\"double\"/>"
                         "<data vectorkey=\"2\" value=\"Double\"/><data vectorkey=\"9\" value=\"int\"/></vector>",
                         CGateWayXMLParser::kDataTypes, "euc-kr"));
  EXPECT_EQ(fields[1].type, 4);
  EXPECT_EQ(fields[2].type, 1);  // names compare exactly
  CGateWayXMLParser broken(30, &fields);
  EXPECT_FALSE(broken.Read("<vector><data>", CGateWayXMLParser::kMapping, "utf-8"));
}

}  // namespace
}  // namespace maltrove
