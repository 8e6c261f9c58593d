// Korean text through the gateway against real data sources: SQLite, a UTF8
// and an EUC_KR PostgreSQL database whose DSNs name psqlODBC's ANSI driver.
// The program runs once under LC_ALL=C and once under LC_ALL=C.UTF-8 and
// takes its locale from the environment, as a host does.
#include <gtest/gtest.h>
#include <unistd.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "db/db_env.h"
#include "gateway/maltrove_dbgateway_ctrl.h"
#include "shared/odbc_interface_choice.h"
#include "shared/odbc_recordset.h"

namespace maltrove {
namespace {

using testing::DbEnv;

const std::string kHong = "홍길동";
const std::string kKim = "김철수";
// The UTF-8 and EUC-KR bytes of 홍길동, as hexadecimal text.
constexpr char kHongUtf8Hex[] = "ed998deab8b8eb8f99";
constexpr char kHongEucKrHex[] = "c8abb1e6b5bf";
constexpr char kKimUtf8Hex[] = "eab980ecb2a0ec8898";

struct Source {
  const char* name;
  const char* dsnVariable;
  bool postgres;
};

std::ostream& operator<<(std::ostream& out, const Source& source) { return out << source.name; }

class KoreanTextTest : public ::testing::TestWithParam<Source> {
 protected:
  void SetUp() override {
    if (!testing::LoadDbEnv()) GTEST_SKIP() << "MALTROVE_DB_ENV is not set";
    dsn_ = DbEnv(GetParam().dsnVariable);
    ASSERT_FALSE(dsn_.empty());
    if (GetParam().postgres) {
      uid_ = DbEnv("MALTROVE_PG_UID");
      pwd_ = DbEnv("MALTROVE_PG_PWD");
    }
    folder_ = std::filesystem::temp_directory_path() /
              ("maltrove-korean-" + std::to_string(getpid()) + "-" + GetParam().name);
    gateway_.LoadProperties({{"tempURL", folder_.string()}});
    ASSERT_EQ(gateway_.setDSN(dsn_, uid_, pwd_), 1);
    ASSERT_EQ(gateway_.dbConnect(), 1);
    table_ = "사람_" + std::to_string(getpid());
    gateway_.executeUpdate("DROP TABLE IF EXISTS " + table_, 0, "");
    ASSERT_EQ(gateway_.executeUpdate(
                  "CREATE TABLE " + table_ + " (번호 integer, 이름 varchar(20), 메모 text)", 0, ""),
              0);
  }

  void TearDown() override {
    if (!table_.empty()) gateway_.executeUpdate("DROP TABLE " + table_, 0, "");
    gateway_.dbClose();
    std::filesystem::remove_all(folder_);
  }

  std::string ConnectionString() const { return "DSN=" + dsn_ + ";UID=" + uid_ + ";PWD=" + pwd_; }

  // A text literal of UTF-8 bytes given in hexadecimal: the statement itself
  // stays ASCII, so it reaches the database the same in every locale.
  std::string Literal(const char* utf8Hex) const {
    if (GetParam().postgres) {
      return std::string("convert_from('\\x") + utf8Hex + "'::bytea, 'UTF8')";
    }
    return std::string("CAST(x'") + utf8Hex + "' AS TEXT)";
  }

  // The UTF-8 bytes the database holds for 이름 of row id, in hexadecimal.
  std::string StoredHex(int id) {
    const std::string hex = GetParam().postgres ? "encode(convert_to(이름, 'UTF8'), 'hex')"
                                                : "lower(hex(이름))";
    return Query("SELECT " + hex + " FROM " + table_ + " WHERE 번호 = " + std::to_string(id));
  }

  // The first column of the first row, through the gateway's query.
  std::string Query(const std::string& sql) {
    const std::string xml = gateway_.executeQuery(
        sql, "r", "<vector><data vectorkey=\"0\" value=\"v\"/></vector>", "", 0, 0, "");
    const std::string start = "<v value=\"";
    const size_t at = xml.find(start);
    if (at == std::string::npos) return "(" + xml + ")";
    return xml.substr(at + start.size(), xml.find('"', at + start.size()) - at - start.size());
  }

  CMaltroveDBGatewayCtrl gateway_{platform::Services{}};
  std::filesystem::path folder_;
  std::string dsn_;
  std::string uid_;
  std::string pwd_;
  std::string table_;
};

TEST_P(KoreanTextTest, RowsWrittenByTheDatabaseReadExactly) {
  ASSERT_EQ(gateway_.executeUpdate("INSERT INTO " + table_ + " VALUES (1, " + Literal(kHongUtf8Hex) +
                                       ", 'a'), (2, " + Literal(kKimUtf8Hex) + ", 'b')",
                                   0, ""),
            2);
  const std::string xml = gateway_.executeQuery(
      "SELECT 번호, 이름, 메모 FROM " + table_ + " ORDER BY 번호", "row",
      "<vector><data vectorkey=\"0\" value=\"id\"/><data vectorkey=\"1\" value=\"name\"/>"
      "<data vectorkey=\"2\" value=\"memo\"/></vector>",
      "", 0, 0, "");
  EXPECT_EQ(xml,
            "<vector condition='' result=\"2\">\r\n"
            "\t<data vectorkey=\"0\">\r\n\t\t<row>\r\n\t\t\t<id value=\"1\"/>\r\n"
            "\t\t\t<name value=\"홍길동\"/>\r\n\t\t\t<memo value=\"a\"/>\r\n\t\t</row>\r\n\t</data>\r\n"
            "\t<data vectorkey=\"1\">\r\n\t\t<row>\r\n\t\t\t<id value=\"2\"/>\r\n"
            "\t\t\t<name value=\"김철수\"/>\r\n\t\t\t<memo value=\"b\"/>\r\n\t\t</row>\r\n\t</data>\r\n"
            "</vector>\r\n");
}

TEST_P(KoreanTextTest, KoreanTextWrittenByEveryMemberIsStoredExactly) {
  ASSERT_EQ(gateway_.executeUpdate(
                "INSERT INTO " + table_ + " VALUES (1, '" + kHong + "', '메모 " + kHong + "')", 0, ""),
            1);
  ASSERT_EQ(gateway_.execute("INSERT INTO " + table_ + " VALUES (2, '" + kKim + "', '둘째')", 0, ""),
            1);
  EXPECT_EQ(StoredHex(1), kHongUtf8Hex);
  EXPECT_EQ(StoredHex(2), kKimUtf8Hex);
  if (DbEnv("MALTROVE_PG_EUCKR_DSN") == dsn_) {
    EXPECT_EQ(Query("SELECT encode(convert_to(이름, 'EUC_KR'), 'hex') FROM " + table_ +
                    " WHERE 번호 = 1"),
              kHongEucKrHex);
  }
  EXPECT_EQ(Query("SELECT 메모 FROM " + table_ + " WHERE 번호 = 1"), "메모 " + kHong);
  EXPECT_EQ(Query("SELECT 메모 FROM " + table_ + " WHERE 번호 = 2"), "둘째");
}

TEST_P(KoreanTextTest, KoreanConditionsMatch) {
  ASSERT_EQ(gateway_.executeUpdate("INSERT INTO " + table_ + " VALUES (1, '" + kHong + "', 'a'), (2, '" +
                                       kKim + "', 'b')",
                                   0, ""),
            2);
  EXPECT_EQ(Query("SELECT 번호 FROM " + table_ + " WHERE 이름 = '" + kKim + "'"), "2");
  EXPECT_EQ(gateway_.executeUpdate(
                "UPDATE " + table_ + " SET 메모 = '고침' WHERE 이름 = '" + kHong + "'", 0, ""),
            1);
  EXPECT_EQ(gateway_.execute("DELETE FROM " + table_ + " WHERE 이름 = '" + kKim + "'", 0, ""), 1);
  // A saved condition in Korean joins the statement.
  ASSERT_EQ(gateway_.setCondition("korean", "WHERE 메모 = '고침'"), 1);
  const std::string xml = gateway_.executeQuery(
      "SELECT 이름 FROM " + table_, "r", "<vector><data vectorkey=\"0\" value=\"n\"/></vector>", "", 0, 0,
      "korean");
  EXPECT_NE(xml.find("<vector condition='WHERE 메모 = &apos;고침&apos;' result=\"1\">"), std::string::npos)
      << xml;
  EXPECT_NE(xml.find("<n value=\"홍길동\"/>"), std::string::npos) << xml;
}

TEST_P(KoreanTextTest, ColumnNamesInKorean) {
  CxDBARecordset records;
  ASSERT_TRUE(records.Open(ConnectionString(), "SELECT 번호, 이름 AS 성명 FROM " + table_));
  ASSERT_EQ(records.ColumnCount(), 2);
  EXPECT_EQ(records.ColumnName(0), "번호");
  EXPECT_EQ(records.ColumnName(1), "성명");
  EXPECT_EQ(records.ColumnIndex("성명"), 1);
}

INSTANTIATE_TEST_SUITE_P(Sources, KoreanTextTest,
                         ::testing::Values(Source{"sqlite", "MALTROVE_SQLITE_DSN", false},
                                           Source{"pg_utf8", "MALTROVE_PG_DSN", true},
                                           Source{"pg_euckr", "MALTROVE_PG_EUCKR_DSN", true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ProcessLocaleTest, TheEnvironmentChoseTheLocale) {
  const char* wanted = std::getenv("LC_ALL");
  if (wanted == nullptr || *wanted == '\0') GTEST_SKIP() << "LC_ALL is not set";
  EXPECT_STREQ(std::setlocale(LC_CTYPE, nullptr), wanted);
}

// Which interface and driver a connection string reaches.
class InterfaceChoiceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!testing::LoadDbEnv()) GTEST_SKIP() << "MALTROVE_DB_ENV is not set";
  }
};

TEST_F(InterfaceChoiceTest, PsqlodbcAnsiIsReplacedByItsUnicodeLibrary) {
  const std::string dsn = DbEnv("MALTROVE_PG_EUCKR_DSN");
  const OdbcInterfaceChoice choice = ChooseOdbcInterface("DSN=" + dsn + ";UID=u;PWD=;x=a;b");
  EXPECT_TRUE(choice.wide);
  // The DSN is spelled out; the caller's attributes follow and win, but an
  // empty one leaves the DSN's value.
  EXPECT_TRUE(choice.connectionString.starts_with("DRIVER={/")) << choice.connectionString;
  EXPECT_NE(choice.connectionString.find("/psqlodbcw.so};Servername=127.0.0.1;Port=" +
                                         DbEnv("PGPORT") + ";Database=maltrove_euckr;"),
            std::string::npos)
      << choice.connectionString;
  EXPECT_TRUE(choice.connectionString.ends_with(";CommLog=0;UID=u;x=a;"))
      << choice.connectionString;
  EXPECT_EQ(choice.connectionString.find("DSN="), std::string::npos);
  EXPECT_EQ(choice.connectionString.find("Description"), std::string::npos);

  const OdbcInterfaceChoice named = ChooseOdbcInterface("UID=u;Driver={PostgreSQL ANSI};Database=x");
  EXPECT_TRUE(named.wide);
  EXPECT_TRUE(named.connectionString.starts_with("DRIVER={/")) << named.connectionString;
  EXPECT_TRUE(named.connectionString.ends_with("/psqlodbcw.so};UID=u;Database=x;"))
      << named.connectionString;

  const std::string unicode = "DRIVER={PostgreSQL Unicode};DSN=" + dsn;
  EXPECT_TRUE(ChooseOdbcInterface(unicode).wide);
  EXPECT_EQ(ChooseOdbcInterface(unicode).connectionString, unicode);
}

TEST_F(InterfaceChoiceTest, DriversWithoutWideEntryPointsKeepTheNarrowInterface) {
  const std::string sqlite = "DSN=" + DbEnv("MALTROVE_SQLITE_DSN") + ";UID=;PWD=";
  const OdbcInterfaceChoice choice = ChooseOdbcInterface(sqlite);
  EXPECT_FALSE(choice.wide);  // Debian's SQLite driver exports no W functions
  EXPECT_EQ(choice.connectionString, sqlite);
  for (const char* unknown : {"DSN=no_such_source;UID=a", "", "FILEDSN=/nowhere.dsn;DSN=x",
                              "DRIVER={No such driver}", "DSN"}) {
    const OdbcInterfaceChoice other = ChooseOdbcInterface(unknown);
    EXPECT_FALSE(other.wide) << unknown;
    EXPECT_EQ(other.connectionString, unknown);
  }
}

TEST(ConnectionAttributeTest, KeysIgnoreCaseAndBracesHoldSemicolons) {
  bool found = false;
  EXPECT_EQ(ConnectionAttribute("dsn=a;Driver={x;y};PWD=z", "DRIVER", &found), "x;y");
  EXPECT_TRUE(found);
  EXPECT_EQ(ConnectionAttribute("dsn=a;Driver={x;y};PWD=z", "pwd"), "z");
  EXPECT_EQ(ConnectionAttribute(" DSN = a ;", "DSN"), " a ");
  EXPECT_EQ(ConnectionAttribute("novalue;UID=", "UID", &found), "");
  EXPECT_TRUE(found);
  EXPECT_EQ(ConnectionAttribute("DSN=a", "UID", &found), "");
  EXPECT_FALSE(found);
}

}  // namespace
}  // namespace maltrove

int main(int argc, char** argv) {
  // The locale of the environment, as a host program takes it.
  std::setlocale(LC_ALL, "");
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
