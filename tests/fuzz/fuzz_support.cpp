#include "fuzz/fuzz_support.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace maltrove::fuzz {

const char kEveryColumnStyle[] =
    "<gridStyle id=\"row\" characterSet=\"utf-8\" fixedColumnCount=\"1\">"
    "<column id=\"text\" name=\"Text\" inputLimit=\"20\" allowChar=\"abcXYZ019\"/>"
    "<column id=\"memo\" inputType=\"multiLine\" ignoreChar=\"-\"/>"
    "<column id=\"amount\" dataType=\"numeric\" displayType=\"#,###.##\"/>"
    "<column id=\"count\" dataType=\"numeric\" outputType=\"###-####\" defaultValue=\"7\"/>"
    "<column id=\"day\" dataType=\"dateTime\" displayType=\"yyyy-MM-dd\"/>"
    "<column id=\"when\" dataType=\"dateTime\" inputType=\"calendar\"/>"
    "<column id=\"kind\" inputType=\"select\" selectMatchMethod=\"text\">"
    "<data text=\"One\" value=\"1\"/><data text=\"Two\" value=\"2\"/><data text=\"Three\"/>"
    "</column>"
    "<column id=\"level\" dataType=\"numeric\" inputType=\"select\">"
    "<data text=\"Low\" value=\"0\"/><data text=\"High\" value=\"9\"/></column>"
    "<column id=\"pick\" inputType=\"radio\"/>"
    "<column id=\"done\" inputType=\"checkBox\" checked=\"true\"/>"
    "<column id=\"go\" inputType=\"button\"/>"
    "<column id=\"phone\" outputType=\"###-####|####-####\" readOnly=\"true\"/>"
    "<column id=\"hidden\" visible=\"false\"/>"
    "</gridStyle>";

namespace {

struct Folder {
  Folder() {
    path = (std::filesystem::temp_directory_path() /
            ("maltrove-fuzz-" + std::to_string(getpid())))
               .string() + "/";
    std::filesystem::create_directories(path + "tmp");
    setenv("TMPDIR", (path + "tmp/").c_str(), 1);
  }
  ~Folder() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
  }
  std::string path;
};

}  // namespace

const std::string& FuzzFolder() {
  static const Folder folder;
  return folder.path;
}

std::string WriteInputFile(const std::string& name, const uint8_t* data, size_t size) {
  const std::string path = FuzzFolder() + name;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  Require(static_cast<bool>(out), "cannot write the input file");
  return path;
}

FuzzHost::FuzzHost() {
  FuzzFolder();
  services_.ui = &ui_;
}

std::unique_ptr<CKorvaleGridCtrl> FuzzHost::NewGrid() {
  auto grid = std::make_unique<CKorvaleGridCtrl>(services_);
  grid->LoadProperties({});
  Require(Call(*grid, "setGridStyleXML", {kEveryColumnStyle}) == automation::Variant(1),
          "the column set does not load");
  return grid;
}

automation::Variant Call(automation::DispatchObject& object, const char* name,
                         std::vector<automation::Variant> args, automation::MemberKind kind) {
  automation::Variant result;
  const automation::HResult hr = object.InvokeByName(name, kind, args, &result);
  if (!automation::Succeeded(hr)) {
    std::fprintf(stderr, "%s failed: %s\n", name, automation::Describe(hr));
    std::abort();
  }
  return result;
}

void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "fuzz check failed: %s\n", what);
  std::abort();
}

}  // namespace maltrove::fuzz
