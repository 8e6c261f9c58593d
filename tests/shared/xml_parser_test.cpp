#include "shared/xml_parser.h"

#include <gtest/gtest.h>
#include <iconv.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace maltrove {
namespace {

// Records every visit as "path|tag|text|name=value,...".
class Recorder : public XML_PARSER {
 public:
  Recorder() : XML_PARSER(30) {}

  bool Parse_Node() override {
    std::string line = path() + "|" + currentTag() + "|" + currentText() + "|";
    for (size_t i = 0; i < attributeNames().size(); ++i) {
      line += attributeNames()[i] + "=" + attributeValues()[i] + ",";
    }
    visits.push_back(line);
    if (onVisit) return onVisit(*this);
    return true;
  }

  std::vector<std::string> visits;
  std::function<bool(XML_PARSER&)> onVisit;
};

using Lines = std::vector<std::string>;

TEST(XmlParserWalkTest, VisitsVectorDocumentInPreOrder) {
  Recorder parser;
  ASSERT_TRUE(parser.Load_XML_String(
      "<?xml version=\"1.0\"?><vector result=\"1\"><data vectorkey=\"0\"><record size=\"2\">"
      "<name value=\"a\"/><age value=\"3\"/></record></data></vector>"));
  EXPECT_EQ(parser.visits, (Lines{
                               "|<#document>||",
                               "<#document>|<#document>||",  // the declaration
                               "<#document>|<vector>||result=1,",
                               "<#document><vector>|<data>||vectorkey=0,",
                               "<#document><vector><data>|<record>||size=2,",
                               "<#document><vector><data><record>|<name>||value=a,",
                               "<#document><vector><data><record>|<age>||value=3,",
                           }));
  // Back at the root: the last node's members stay, path and index do not.
  EXPECT_EQ(parser.path(), "");
  EXPECT_EQ(parser.currentTag(), "<age>");
  EXPECT_EQ(parser.currentAttributeIndex(), -1);
  EXPECT_EQ(parser.statusText(), "Success");
}

TEST(XmlParserWalkTest, TextCommentsAndInstructions) {
  Recorder parser;
  ASSERT_TRUE(parser.Load_XML_String(
      "<!--note--><?app go?>\n<a x=\"1\">\n  <b>hi &amp; &#xAC00;</b>\n  "
      "<c><![CDATA[<raw> ]]></c>\n</a>"));
  EXPECT_EQ(parser.visits, (Lines{
                               "|<#document>||",
                               "<#document>|<#comment>||",
                               "<#document>|<#comment>||",  // <?app?> keeps the members
                               "<#document>|<a>||x=1,",
                               "<#document><a>|<b>||",
                               "<#document><a><b>|<#TEXT#>|hi & \xEA\xB0\x80|",
                               "<#document><a>|<c>||",
                               "<#document><a><c>|<#CDATA#>|<raw> |",
                           }));
  EXPECT_EQ(parser.currentName(), "#CDATA#");
}

TEST(XmlParserWalkTest, NamespacesDoctypeAndDeclaredEncodingOfText) {
  Recorder parser;
  // The text is taken as UTF-8 whatever its declaration names.
  ASSERT_TRUE(parser.Load_XML_String("<?xml version=\"1.0\" encoding=\"euc-kr\"?><!DOCTYPE p:a>"
                                     "<p:a xmlns:p=\"urn:x\" p:k=\"\xEA\xB0\x80\"/>"));
  EXPECT_EQ(parser.visits, (Lines{"|<#document>||", "<#document>|<#document>||",
                                  "<#document>|<p:a>||xmlns:p=urn:x,p:k=\xEA\xB0\x80,"}));
}

TEST(XmlParserWalkTest, FalseFromParseNodeSkipsChildren) {
  Recorder parser;
  parser.onVisit = [](XML_PARSER& p) { return !p.Is_Tag("<skip>"); };
  ASSERT_TRUE(parser.Load_XML_String("<r><skip><x/>t</skip><y/></r>"));
  EXPECT_EQ(parser.visits, (Lines{"|<#document>||", "<#document>|<r>||",
                                  "<#document><r>|<skip>||", "<#document><r>|<y>||"}));

  parser.visits.clear();
  parser.onVisit = [](XML_PARSER&) { return false; };
  ASSERT_TRUE(parser.Load_XML_String("<?xml version=\"1.0\"?><r/>"));
  EXPECT_EQ(parser.visits, (Lines{"|<#document>||"}));
}

TEST(XmlParserQueryTest, IsChildOfUsesTheFirstOccurrence) {
  Recorder parser;
  std::vector<int> results;
  parser.onVisit = [&](XML_PARSER& p) {
    if (p.Is_Tag("<x>")) {
      EXPECT_EQ(p.path(), "<#document><data><vector><data>");
      results = {p.Is_Child_Of("<data>"), p.Is_Child_Of("<vector><data>"),
                 p.Is_Child_Of("<vector>")};
    }
    return true;
  };
  ASSERT_TRUE(parser.Load_XML_String("<data><vector><data><x/></data></vector></data>"));
  EXPECT_EQ(results, (std::vector<int>{0, 1, 0}));
  EXPECT_FALSE(parser.Is_Child_Of("<data>"));  // empty path after the walk
}

TEST(XmlParserQueryTest, AttributeLookupIsCaseSensitive) {
  Recorder parser;
  std::vector<std::string> seen;
  parser.onVisit = [&](XML_PARSER& p) {
    if (!p.Is_Tag("<col>")) return true;
    EXPECT_FALSE(p.Find_Attribute("IgnoreChar"));
    EXPECT_EQ(p.currentAttributeIndex(), -1);
    seen.push_back(p.Get_Attribute_Value());
    EXPECT_TRUE(p.Find_Attribute("ignoreChar"));
    EXPECT_EQ(p.currentAttributeIndex(), 1);
    seen.push_back(p.Get_Attribute_Value());
    return true;
  };
  ASSERT_TRUE(parser.Load_XML_String("<col id=\"7\" ignoreChar=\",\"/>"));
  const std::string error = "XML_PARSER::Get_Attribute_Value()  : Can't Retrieve an Attribute";
  EXPECT_EQ(seen, (std::vector<std::string>{error, ","}));
  EXPECT_EQ(parser.statusText(), error);

  // A new load starts over.
  ASSERT_FALSE(parser.Load_XML_String("<broken>"));
  EXPECT_EQ(parser.statusText(), "Success");
  EXPECT_EQ(parser.currentTag(), "");
  EXPECT_TRUE(parser.attributeNames().empty());
}

TEST(XmlParserRefusalTest, IllFormedTextVisitsNothing) {
  const std::vector<std::string> refused = {
      "",
      "<a><b></a></b>",
      "<a x=\"1\" x=\"2\"/>",
      "<a>&undefined;</a>",
      "<a/><b/>",
      "<a>\xFF</a>",
      "<a>\xED\xA0\x80</a>",  // an encoded surrogate
      std::string("<a>\0</a>", 8),
      std::string("<a/>\0<b/><c/>", 13),
      "<p:a/>",
      "<!DOCTYPE a [<!ENTITY l0 \"ha\"><!ENTITY l1 \"&l0;&l0;&l0;&l0;&l0;&l0;&l0;&l0;\">"
      "<!ENTITY l2 \"&l1;&l1;&l1;&l1;&l1;&l1;&l1;&l1;\">]><a>&l2;</a>",
      "<!DOCTYPE a [<!ENTITY e SYSTEM \"file:///etc/passwd\">]><a>&e;</a>",
      "<!DOCTYPE a [<!ENTITY e \"x\">]><a/>",
      "<!DOCTYPE a SYSTEM \"a.dtd\"><a>&e;</a>",
      "<!DOCTYPE a SYSTEM \"a.dtd\"><a v=\"&e;\"/>",
  };
  for (const std::string& text : refused) {
    Recorder parser;
    EXPECT_FALSE(parser.Load_XML_String(text)) << text;
    EXPECT_TRUE(parser.visits.empty()) << text;
    EXPECT_EQ(parser.statusText(), "Success");
  }
}

class XmlParserFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("maltrove-xml-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string Write(const std::string& name, const std::string& bytes) {
    const std::string path = (dir_ / name).string();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

  static std::string ToEucKr(std::string utf8) {
    iconv_t cd = iconv_open("EUC-KR", "UTF-8");
    std::string out(utf8.size() * 2, '\0');
    char* in = utf8.data();
    size_t inLeft = utf8.size();
    char* to = out.data();
    size_t outLeft = out.size();
    EXPECT_NE(iconv(cd, &in, &inLeft, &to, &outLeft), static_cast<size_t>(-1));
    iconv_close(cd);
    out.resize(out.size() - outLeft);
    return out;
  }

  std::filesystem::path dir_;
};

TEST_F(XmlParserFileTest, DecodesTheDeclaredEncoding) {
  const std::string path = Write(
      "ko.xml",
      ToEucKr("<?xml version=\"1.0\" encoding=\"euc-kr\"?>\n<vector><n v=\"가나다\">국민</n></vector>"));
  Recorder parser;
  ASSERT_TRUE(parser.Load_XML_Document(path));
  EXPECT_EQ(parser.visits, (Lines{
                               "|<#document>||",
                               "<#document>|<#document>||",
                               "<#document>|<vector>||",
                               "<#document><vector>|<n>||v=가나다,",
                               "<#document><vector><n>|<#TEXT#>|국민|",
                           }));
}

TEST_F(XmlParserFileTest, FailuresSetTheStatus) {
  const std::vector<std::string> paths = {
      (dir_ / "missing.xml").string(),
      dir_.string(),
      Write("bad-euc-kr.xml", "<?xml version=\"1.0\" encoding=\"euc-kr\"?><a/>\xFF\xFF"),
      Write("nul.xml", std::string("<a/>\0<b/>", 9)),
      Write("entity.xml", "<!DOCTYPE a [<!ENTITY e \"x\">]><a>&e;</a>"),
      "http://127.0.0.1/a.xml",
  };
  for (const std::string& path : paths) {
    Recorder parser;
    EXPECT_FALSE(parser.Load_XML_Document(path)) << path;
    EXPECT_TRUE(parser.visits.empty()) << path;
    EXPECT_EQ(parser.statusText(), "XML Document FAILED to load");
  }
}

}  // namespace
}  // namespace maltrove
