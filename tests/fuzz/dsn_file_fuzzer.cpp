// The gateway's DSN file as getDSN reads it (the mutator in
// dsn_file_mutator.cpp mutates the deciphered values). A file the gateway
// reads must be the one setDSN writes for the same values.
#include <filesystem>
#include <fstream>
#include <iterator>

#include "fuzz/fuzz_support.h"
#include "gateway/dsn_store.h"

using maltrove::automation::Variant;
using namespace maltrove::fuzz;

namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The three records the gateway reads; the rest of a file is not its.
size_t RecordsLength(const uint8_t* data) {
  size_t at = 0;
  for (int i = 0; i < 3; ++i) {
    const uint32_t length = data[at] | data[at + 1] << 8 | data[at + 2] << 16 |
                            static_cast<uint32_t>(data[at + 3]) << 24;
    at += 4 + length;
  }
  return at;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string base = FuzzFolder() + "gateway/";
  const std::string path = base + "dsn/dsn.inf";
  WriteInputFile("gateway-input", data, size);
  std::filesystem::create_directories(base + "dsn");
  std::filesystem::rename(FuzzFolder() + "gateway-input", path);

  FuzzHost host;
  maltrove::CMaltroveDBGatewayCtrl gateway(host.services());
  gateway.LoadProperties({{"tempURL", base}});
  const Variant info = Call(gateway, "getDSN");
  std::string dsn, id, password;
  const bool read = maltrove::DsnStore(path).Read(&dsn, &id, &password);
  Require(read == !info.asString().empty(), "getDSN and the store disagree");
  if (!read) return 0;
  Require(Call(gateway, "setDSN", {dsn, id, password}) == Variant(1), "read values do not write");
  Require(ReadAll(path) == std::string(reinterpret_cast<const char*>(data), RecordsLength(data)),
          "the written file differs from the one read");
  return 0;
}
