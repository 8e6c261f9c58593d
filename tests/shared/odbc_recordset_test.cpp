#include "shared/odbc_recordset.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

namespace maltrove {
namespace {

namespace fs = std::filesystem;

constexpr char kConnect[] = "DSN=maltrove_test;UID=;PWD=";
const std::string kHangul = "\xED\x95\x9C\xEA\xB8\x80";  // "한글"

// A SQLite data source of its own in a temporary folder. The variables must
// be set before the first ODBC call: the environment handle reads them once.
class OdbcTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    const char* tmp = getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/maltrove-odbc-XXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    std::ofstream(folder_ + "/odbcinst.ini")
        << "[SQLite3]\nDriver=/usr/lib/x86_64-linux-gnu/odbc/libsqlite3odbc.so\n";
    std::ofstream(folder_ + "/odbc.ini")
        << "[maltrove_test]\nDriver=SQLite3\nDatabase=" << folder_ << "/t.db\nTimeout=2000\n";
    setenv("ODBCSYSINI", folder_.c_str(), 1);
    setenv("ODBCINI", (folder_ + "/odbc.ini").c_str(), 1);

    CDatabaseEx db;
    ASSERT_TRUE(db.Open(kConnect));
    db.ExecuteSQLCount(
        "CREATE TABLE kinds (i INTEGER, r REAL, n NUMERIC, t TEXT, d DATE, ts TIMESTAMP,"
        " b BLOB, v VARCHAR(10), bi BIGINT, si SMALLINT, ti TINYINT, bo BIT, tm TIME)");
    db.ExecuteSQLCount(
        "INSERT INTO kinds VALUES (42, 1.25, 12, '" + kHangul +
        "', '2024-03-05',"
        " '2024-03-05 14:07:09', x'0102', 'short', 4294967296, -1, 7, 1, '14:07:09')");
    db.ExecuteSQLCount(
        "INSERT INTO kinds VALUES (4000000000, NULL, 12.5, NULL, NULL, NULL,"
        " NULL, NULL, -1, NULL, NULL, NULL, NULL)");
    db.ExecuteSQLCount("INSERT INTO kinds (i) VALUES (4999999999)");
  }

  static void TearDownTestSuite() { fs::remove_all(folder_); }

  static std::string folder_;
};

std::string OdbcTest::folder_;

TEST_F(OdbcTest, EveryColumnKindIsWrittenAsText) {
  CxDBARecordset records;
  ASSERT_TRUE(
      records.Open(std::string("ODBC;") + kConnect, "  SELECT * FROM kinds ORDER BY rowid "));
  ASSERT_EQ(records.ColumnCount(), 13);
  EXPECT_EQ(records.ColumnName(0), "i");
  EXPECT_EQ(records.ColumnIndex("TS"), 5);
  EXPECT_EQ(records.ColumnIndex("nothing"), -1);
  EXPECT_EQ(records.ValueTextByName("BI"), "4294967296");
  const char* first[] = {"42",
                         "1.250000",
                         "12",
                         kHangul.c_str(),
                         "2024-03-05 00:00",
                         "2024-03-05 14:07",
                         "(byte array data...)",
                         "short",
                         "4294967296",
                         "-1",
                         "7",
                         "True"};
  for (int i = 0; i < 12; ++i) EXPECT_EQ(records.ValueText(i), first[i]) << i;
  EXPECT_EQ(records.Value(0).type, CxDBAVariant::kInt64);  // INTEGER through 64 bits
  EXPECT_EQ(records.Value(2).type, CxDBAVariant::kDouble);
  EXPECT_EQ(records.Value(4).type, CxDBAVariant::kTimestamp);
  EXPECT_EQ(records.Value(6).bytes, std::string("\x01\x02"));
  EXPECT_EQ(records.ValueText(12).substr(10), " 14:07");  // TIME: the driver adds today's date

  records.MoveNext();
  const char* nulls[] = {"4000000000", "0",  "12.500000", "",  "",      "", "(byte array data...)",
                         "",           "-1", "0",         "0", "False", ""};
  for (int i = 0; i < 13; ++i) EXPECT_EQ(records.ValueText(i), nulls[i]) << i;
  EXPECT_TRUE(records.Value(3).null);
  EXPECT_EQ(records.Value(6).bytes, std::string("\x01\x02"));  // NULL leaves binary unchanged

  records.MoveNext();
  records.MoveNext();
  EXPECT_TRUE(records.IsEOF());
  EXPECT_FALSE(records.IsBOF());
  EXPECT_THROW(records.MoveNext(), DatabaseError);
  records.MoveFirst();  // runs the statement again
  EXPECT_FALSE(records.IsEOF());
  EXPECT_EQ(records.ValueText(0), "42");
}

TEST_F(OdbcTest, SumOfBigIntegersKeepsItsDigits) {
  CxDBARecordset records;
  ASSERT_TRUE(records.Open(kConnect, "SELECT sum(i) FROM kinds WHERE i > 100"));
  EXPECT_EQ(records.ColumnSqlType(0), 4);
  EXPECT_EQ(records.ValueText(0), "8999999999");
}

TEST_F(OdbcTest, LongTextIsCutAtTheLimitOnACharacterBoundary) {
  CDatabaseEx db;
  ASSERT_TRUE(db.Open(kConnect));
  db.ExecuteSQLCount("CREATE TABLE long_text (t TEXT, v VARCHAR(10))");
  std::string hangul;
  while (hangul.size() < 70000) hangul += kHangul;
  db.ExecuteSQLCount("INSERT INTO long_text VALUES ('" + std::string(70000, 'a') + "', '" +
                     std::string(70000, 'b') + "')");
  db.ExecuteSQLCount("INSERT INTO long_text VALUES ('" + hangul + "', NULL)");
  CxDBARecordset records;
  ASSERT_TRUE(records.Open(kConnect, "SELECT t, v FROM long_text ORDER BY rowid"));
  EXPECT_EQ(records.ColumnSqlType(0), -1);
  EXPECT_EQ(records.ValueText(0), std::string(65536, 'a'));
  EXPECT_EQ(records.ValueText(1), std::string(70000, 'b'));  // VARCHAR is read whole
  records.MoveNext();
  EXPECT_EQ(records.ValueText(0), hangul.substr(0, 65535));
  EXPECT_EQ(records.ValueText(1), "");
}

TEST_F(OdbcTest, EmptyResultIsAtBothEnds) {
  CxDBARecordset records;
  ASSERT_TRUE(records.Open(kConnect, "SELECT * FROM kinds WHERE 0"));
  EXPECT_TRUE(records.IsBOF());
  EXPECT_TRUE(records.IsEOF());
  EXPECT_EQ(records.ColumnCount(), 13);
  try {
    records.MoveFirst();
    FAIL() << "no exception";
  } catch (const DatabaseError& e) {
    EXPECT_EQ(e.sqlState(), "02000");
  }
  EXPECT_THROW(records.MoveNext(), DatabaseError);
}

TEST_F(OdbcTest, OpenFailuresAnswerFalse) {
  CxDBARecordset records;
  EXPECT_FALSE(records.Open(kConnect, "SELECT * FROM missing_table"));
  EXPECT_FALSE(records.IsOpen());
  EXPECT_FALSE(records.Open("DSN=no_such_source", "SELECT 1"));
  EXPECT_FALSE(records.Open(kConnect, "UPDATE kinds SET i = i WHERE 0"));  // no result set
  ASSERT_TRUE(records.Open(kConnect, "SELECT 1"));
  EXPECT_FALSE(records.Open(kConnect, "SELECT 2"));  // already open
  EXPECT_EQ(records.ValueText(0), "1");
}

TEST_F(OdbcTest, BadIndexesAndClosedSetsGiveEmptyText) {
  CxDBARecordset records;
  EXPECT_EQ(records.ValueText(0), "");
  EXPECT_EQ(records.ColumnIndex("i"), -1);
  ASSERT_TRUE(records.Open(kConnect, "SELECT i FROM kinds"));
  EXPECT_EQ(records.ValueText(-1), "");
  EXPECT_EQ(records.ValueText(1), "");
  EXPECT_EQ(records.ColumnName(5), "");
  EXPECT_EQ(records.Value(9).type, CxDBAVariant::kNone);
  records.Close();
  EXPECT_EQ(records.ValueText(0), "");
}

TEST_F(OdbcTest, CatalogueListsTablesAndColumns) {
  CxDBARecordset tables;
  ASSERT_TRUE(tables.Open(kConnect, "kinds", -1, 0, CxDBARecordset::kTables));
  EXPECT_EQ(tables.ValueText(tables.ColumnIndex("table_name")), "kinds");
  tables.MoveNext();
  EXPECT_TRUE(tables.IsEOF());

  CxDBARecordset all;
  ASSERT_TRUE(all.Open(kConnect, "", -1, 0, CxDBARecordset::kTables));
  EXPECT_FALSE(all.IsEOF());

  CxDBARecordset columns;
  ASSERT_TRUE(columns.Open(kConnect, "kinds", -1, 0, CxDBARecordset::kColumns));
  int count = 0;
  for (; !columns.IsEOF(); columns.MoveNext()) ++count;
  EXPECT_EQ(count, 13);
  CxDBARecordset one;
  ASSERT_TRUE(one.Open(kConnect, "kinds", -1, 0, CxDBARecordset::kColumns, "bi"));
  EXPECT_EQ(one.ValueText(one.ColumnIndex("COLUMN_NAME")), "bi");
  EXPECT_EQ(one.ValueText(one.ColumnIndex("DATA_TYPE")), "-5");
}

TEST_F(OdbcTest, ExecuteSqlCountReturnsTouchedRows) {
  CDatabaseEx db;
  ASSERT_TRUE(db.Open(kConnect));
  db.ExecuteSQLCount("CREATE TABLE counted (k INTEGER)");
  EXPECT_EQ(db.ExecuteSQLCount("INSERT INTO counted VALUES (1), (2), (3)"), 3);
  EXPECT_EQ(db.ExecuteSQLCount("UPDATE counted SET k = k + 10"), 3);
  EXPECT_EQ(db.ExecuteSQLCount("UPDATE counted SET k = 0 WHERE k < 0"), 0);
  EXPECT_EQ(db.ExecuteSQLCount("DELETE FROM counted WHERE k < 0"), 0);
  EXPECT_EQ(db.ExecuteSQLCount("SELECT * FROM counted"), 0);
  EXPECT_THROW(db.ExecuteSQLCount("UPDATE nowhere SET k = 1"), DatabaseError);
  EXPECT_THROW(db.ExecuteSQLCount("UPDATE counted SET k = 1; UPDATE counted SET k = 2"),
               DatabaseError);                              // SQLite takes no batches
  EXPECT_EQ(db.ExecuteSQLCount("DELETE FROM counted"), 3);  // still usable
}

TEST_F(OdbcTest, DescribedMarkersReceiveNull) {
  CDatabaseEx db;
  EXPECT_FALSE(db.DescribeParameters("SELECT 1"));  // closed
  ASSERT_TRUE(db.Open(kConnect));
  db.ExecuteSQLCount("CREATE TABLE marked (a TEXT, b INTEGER)");
  EXPECT_FALSE(db.DescribeParameters(""));
  ASSERT_TRUE(db.DescribeParameters("INSERT INTO marked VALUES (?, ?)"));
  ASSERT_EQ(db.parameterCount(), 2);
  const CSQLParam& second = db.parameters().at(1);
  EXPECT_EQ(second.position, "2");
  EXPECT_EQ(second.sqlType, -1);  // SQLite describes every marker as LONGVARCHAR(65536)
  EXPECT_EQ(second.columnSize, 65536u);
  EXPECT_EQ(db.ExecuteSQLCount("INSERT INTO marked VALUES (?, ?)"), 1);
  CSQLParam& first = db.parameters().at(0);
  first.hasValue = true;
  first.text = kHangul;
  EXPECT_EQ(db.ExecuteSQLCount("INSERT INTO marked VALUES (?, ?)"), 1);

  CxDBARecordset records;
  ASSERT_TRUE(records.Open(kConnect, "SELECT a IS NULL, b IS NULL, a FROM marked ORDER BY rowid"));
  EXPECT_EQ(records.ValueText(0) + records.ValueText(1), "11");
  records.MoveNext();
  EXPECT_EQ(records.ValueText(0) + records.ValueText(1) + records.ValueText(2), "01" + kHangul);

  ASSERT_TRUE(db.DescribeParameters("DELETE FROM marked"));  // no markers: none kept
  EXPECT_EQ(db.parameterCount(), 0);
  EXPECT_TRUE(db.parameters().empty());
  EXPECT_EQ(db.ExecuteSQLCount("DELETE FROM marked"), 2);
}

TEST_F(OdbcTest, ConnectionErrorsDoNotShowThePassword) {
  CDatabaseEx db;
  try {
    db.Open("DRIVER={No Such Driver};UID=someone;PWD=Sekr3tWord");
    FAIL() << "no exception";
  } catch (const DatabaseError& e) {
    EXPECT_EQ(e.sqlState(), "01000");
    EXPECT_EQ(std::string(e.what()).find("Sekr3tWord"), std::string::npos) << e.what();
  }
  const std::string missing = folder_ + "/missing.db";
  try {
    db.Open("DRIVER=SQLite3;Database=" + missing + ";NoCreat=1;PWD=Sekr3tWord");
    FAIL() << "no exception";
  } catch (const DatabaseError& e) {
    EXPECT_EQ(std::string(e.what()).find("Sekr3tWord"), std::string::npos) << e.what();
  }
  EXPECT_FALSE(db.IsOpen());
  EXPECT_FALSE(fs::exists(missing));
}

TEST_F(OdbcTest, NoExcelDriverIsInstalledHere) { EXPECT_EQ(CxDBARecordset::ExcelDriverName(), ""); }

TEST(OdbcValueTextTest, NumbersFollowTheBuild) {
  CxDBAVariant value;
  value.type = CxDBAVariant::kDouble;
  value.doubleValue = 12;
  EXPECT_EQ(value.Text(true), "12");
  EXPECT_EQ(value.Text(false), "12.000000");
  value.doubleValue = 12.5;
  EXPECT_EQ(value.Text(true), "12.500000");
  value.doubleValue = 1e19;  // beyond 64-bit integers
  EXPECT_EQ(value.Text(true), "10000000000000000000.000000");
  value.type = CxDBAVariant::kFloat;
  value.floatValue = 0.5f;
  EXPECT_EQ(value.Text(true), "0.500000");
  value.type = CxDBAVariant::kInt64;
  value.int64Value = -1;
  EXPECT_EQ(value.Text(true), "-1");
  value.type = CxDBAVariant::kUInt8;
  value.uint8Value = 255;
  EXPECT_EQ(value.Text(true), "255");
  value.type = CxDBAVariant::kBool;
  EXPECT_EQ(value.Text(true), "False");
  value.type = CxDBAVariant::kLongBinary;
  EXPECT_EQ(value.Text(true), "(binary data...)");
  value.type = CxDBAVariant::kNone;
  EXPECT_EQ(value.Text(true), "");
}

TEST(OdbcValueTextTest, TimestampsNeedAValidDateFrom1900) {
  OdbcTimestamp stamp{2024, 2, 29, 23, 59, 58, 0};
  EXPECT_EQ(TimestampText(stamp), "2024-02-29 23:59");
  stamp.year = 2023;
  EXPECT_EQ(TimestampText(stamp), "");  // no 29 February
  EXPECT_EQ(TimestampText({1899, 12, 31, 0, 0, 0, 0}), "");
  EXPECT_EQ(TimestampText({1900, 1, 1, 0, 0, 0, 0}), "1900-01-01 00:00");
  EXPECT_EQ(TimestampText({}), "");
}

TEST(OdbcValueTextTest, TimeFormatsLoseTheirSeconds) {
  EXPECT_EQ(TimeFormatWithoutSeconds("%H:%M:%S", ""), "%H:%M");
  EXPECT_EQ(TimeFormatWithoutSeconds("%T", ""), "%H:%M");
  EXPECT_EQ(TimeFormatWithoutSeconds("%r", "%I:%M:%S %p"), "%I:%M %p");
  EXPECT_EQ(TimeFormatWithoutSeconds("%p %I\xEC\x8B\x9C %M\xEB\xB6\x84 %S\xEC\xB4\x88", ""),
            "%p %I\xEC\x8B\x9C %M\xEB\xB6\x84");  // 시 분 초
}

TEST(OdbcValueTextTest, Utf16BecomesUtf8) {
  std::string out;
  AppendUtf16AsUtf8(u"a\uD55C\U0001F600", &out);
  EXPECT_EQ(out,
            "a"
            "\xED\x95\x9C"
            "\xF0\x9F\x98\x80");
  out.clear();
  AppendUtf16AsUtf8(std::u16string(1, u'\xD800'), &out);
  EXPECT_EQ(out, "\xEF\xBF\xBD");
  EXPECT_EQ(CompleteUtf8Length(kHangul.substr(0, 5)), 3u);
  EXPECT_EQ(CompleteUtf8Length(kHangul), 6u);
}

}  // namespace
}  // namespace maltrove
