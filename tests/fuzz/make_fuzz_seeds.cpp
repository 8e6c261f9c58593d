// Writes the fuzz targets' seed inputs with the controls' own writers:
// make_fuzz_seeds FOLDER gives FOLDER/<target>/<seed> for every target.
#include <filesystem>
#include <fstream>
#include <iterator>

#include "fuzz/fuzz_support.h"

using maltrove::automation::Variant;
using namespace maltrove::fuzz;

namespace {

std::filesystem::path out;

void Seed(const std::string& target, const std::string& name, const std::string& bytes) {
  std::filesystem::create_directories(out / target);
  std::ofstream(out / target / name, std::ios::binary | std::ios::trunc) << bytes;
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void Fill(maltrove::CKorvaleGridCtrl& grid) {
  const char* rows[][13] = {
      {"abc", "한글 메모\r\n둘째 줄", "1234.5", "5551234", "20070415", "20261208093000", "1", "9",
       "", "1", "", "01012345678", "x"},
      {"XYZ09", "", "-0.25", "", "19000101", "", "Three", "0", "b", "0", "go", "0212345678", ""},
      {"", "<&\">", "", "+3", "", "", "", "", "", "", "", "", "숨김"},
  };
  for (const auto& row : rows) {
    const Variant r = Call(grid, "insertRow", {-1});
    for (int32_t c = 0; c < 13; ++c) Call(grid, "setCellStringData", {r, c, row[c]});
  }
}

void VectorSeeds(FuzzHost& host, maltrove::CKorvaleGridCtrl& grid) {
  Seed("insert_row_xml", "all", Call(grid, "getAllXML").asString());
  Seed("insert_row_xml", "first_row", Call(grid, "getVectorXML", {0, 0}).asString());
  Seed("insert_row_xml", "inserted", Call(grid, "getInsertedXML").asString());
  Seed("insert_row_xml", "checked", Call(grid, "getCheckedXML", {9}).asString());
  Seed("grid_style_xml", "every_column", Call(grid, "getGridStyleXML").asString());
  Seed("grid_style_xml", "given", kEveryColumnStyle);
  Seed("zip_base64", "all", Call(grid, "getAllXMLZipBase64").asString());
  auto one = host.NewGrid();
  Call(*one, "insertRow", {-1});
  Call(*one, "setCellStringData", {0, 0, "a"});
  Seed("zip_base64", "one_row", Call(*one, "getAllXMLZipBase64").asString());
  Seed("insert_row_xml", "one_row", Call(*one, "getAllXML").asString());
}

void StyleSeeds(maltrove::CKorvaleGridCtrl& grid) {
  Call(grid, "setColumnHeaderStyle", {0, "background-color:#FFCC00;font-weight:bold;text-align:left"});
  Call(grid, "setColumnCellStyle", {2, "color:#0000FF;text-align:right;font-family:굴림;font-size:12"});
  Call(grid, "setRowHeaderStyle", {"border-color:#808080;background-color:#EEEEEE"});
  Seed("grid_style_xml", "styled", Call(grid, "getGridStyleXML").asString());
  // [setter index][column or row][length][text], setters as the target lists them.
  std::string commands;
  auto add = [&commands](uint8_t setter, int8_t index, const std::string& text) {
    commands.push_back(static_cast<char>(setter));
    commands.push_back(static_cast<char>(index));
    commands.push_back(static_cast<char>(std::min<size_t>(text.size(), 255)));
    commands += text.substr(0, 255);
  };
  add(0, 0, Call(grid, "getHeaderStyle", {0}).asString());
  add(1, 0, Call(grid, "getCellStyle").asString());
  add(2, 0, Call(grid, "getRowHeaderStyle").asString());
  add(3, 0, Call(grid, "getColumnHeaderStyle", {0}).asString());
  add(4, 2, Call(grid, "getColumnCellStyle", {2}).asString());
  add(5, 1, Call(grid, "getColumnHeaderBackgroundColor", {0}).asString());
  add(9, 10, "#C0C0C0");
  add(12, 1, "#00FF00");
  Seed("style_setters", "every_setter", commands);
}

void FileSeeds(FuzzHost& host, maltrove::CKorvaleGridCtrl& grid) {
  const std::string& folder = FuzzFolder();
  struct Export {
    const char* name;
    const char* answer;
    uint8_t options;  // the import target's first byte: delimiter, header, quotes
  };
  for (const Export& e : {Export{"comma_header", "delim=,;header=1", 0 | 4},
                          Export{"tab_quoted", "delim=\\t;header=0;quotes=0", 1 | 8},
                          Export{"pipe", "delim=|;header=1", 3 | 4 | 16}}) {
    host.ui().QueueAnswer(folder + "seed.csv");
    host.ui().QueueAnswer(e.answer);
    if (Call(grid, "saveDSVDialog", {"seed.csv", ",", 1, 0, 0, 0, 0}) != Variant(1)) continue;
    Seed("dsv_import", e.name, std::string(1, static_cast<char>(e.options)) + ReadAll(folder + "seed.csv"));
  }
  for (int32_t type : {0, 1}) {
    host.ui().QueueAnswer(folder + "seed.xls");
    if (Call(grid, "saveXLSDialog", {"seed.xls", 0, 0, type}) != Variant(1)) continue;
    Seed("xls_import", "export_type" + std::to_string(type), ReadAll(folder + "seed.xls"));
  }
}

void GatewaySeeds(FuzzHost& host) {
  maltrove::CMaltroveDBGatewayCtrl gateway(host.services());
  gateway.LoadProperties({{"tempURL", FuzzFolder() + "seedgw/"}});
  Call(gateway, "setDSN", {"MaltroveDemo", "사용자", "p@ss;word"});
  Seed("dsn_file", "korean_user", ReadAll(gateway.dsnPath()));
  Call(gateway, "setDSN", {"", "", ""});
  Seed("dsn_file", "empty_values", ReadAll(gateway.dsnPath()));
}

std::string CreateRequest(const std::string& classid, const maltrove::automation::PropertyBag& bag) {
  std::string json = "{\"op\":\"create\",\"classid\":\"clsid:" + classid + "\",\"params\":{";
  bool first = true;
  for (const auto& [name, value] : bag) {
    std::string escaped;
    for (char c : value) {
      if (c == '"' || c == '\\') escaped += '\\';
      escaped += c;
    }
    json += (first ? "\"" : ",\"") + name + "\":\"" + escaped + "\"";
    first = false;
  }
  return json + "},\"id\":\"grid\"}";
}

void PageSeeds(FuzzHost& host, maltrove::CKorvaleGridCtrl& grid) {
  Seed("page_objects", "grid", CreateRequest("DDC012F8-A786-4584-856D-044BC1F49414", grid.SaveProperties()));
  maltrove::CMaltroveDBGatewayCtrl gateway(host.services());
  gateway.LoadProperties({{"characterSet", "euc-kr"}, {"tempURL", "/tmp/mvdbg"}});
  Seed("page_objects", "gateway",
       CreateRequest("F78A830F-E6D0-4F70-BC4D-B29B6713961F", gateway.SaveProperties()));
  Seed("page_objects", "document", "{\"op\":\"document\",\"doc\":\"t1\"}");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_fuzz_seeds FOLDER\n");
    return 2;
  }
  out = argv[1];
  FuzzHost host;
  auto grid = host.NewGrid();
  grid->LoadProperties({{"characterSet", "utf-8"}, {"hscrollbarThumbImage", "img/thumb.bmp"},
                        {"vscrollbarBorderColor", "#808080"}});
  Call(*grid, "setGridStyleXML", {kEveryColumnStyle});
  Fill(*grid);
  VectorSeeds(host, *grid);
  StyleSeeds(*grid);
  FileSeeds(host, *grid);
  GatewaySeeds(host);
  PageSeeds(host, *grid);
  return 0;
}
