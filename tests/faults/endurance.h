// Long runs of the everyday cycles, with the memory they keep: shared by the
// short endurance tests and the full run of bench/endurance_bench.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <string>

#include "control/korvale_grid_ctrl.h"
#include "gateway/maltrove_dbgateway_ctrl.h"

#if defined(__SANITIZE_ADDRESS__)
// From the sanitizer's allocator interface (GCC ships no header for it).
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace maltrove::testing {

// Resident memory of this process in bytes (/proc/self/statm).
inline long long ResidentBytes() {
  long long pages = 0, resident = 0;
  std::FILE* statm = std::fopen("/proc/self/statm", "r");
  if (statm == nullptr) return -1;
  const int read = std::fscanf(statm, "%lld %lld", &pages, &resident);
  std::fclose(statm);
  return read == 2 ? resident * sysconf(_SC_PAGESIZE) : -1;
}

// The memory that live objects hold: the sanitizer's count of allocated
// bytes where it runs (its quarantine keeps freed blocks resident for a
// while, so resident memory says little there), resident memory elsewhere.
inline long long LiveBytes() {
#if defined(__SANITIZE_ADDRESS__)
  return static_cast<long long>(__sanitizer_get_current_allocated_bytes());
#else
  return ResidentBytes();
#endif
}

constexpr int kCycleRows = 20;

inline void SetUpCycleGrid(CKorvaleGridCtrl* grid) {
  grid->setGridStyleXML(
      "<gridStyle><column id=\"name\"/><column id=\"n\" dataType=\"numeric\"/>"
      "<column id=\"day\" dataType=\"dateTime\"/><column id=\"ok\" inputType=\"checkBox\"/></gridStyle>");
}

// The rows every cycle loads, as vector XML and as zipped text.
struct CycleData {
  std::string xml;
  std::string zipped;
};

inline CycleData MakeCycleData(CKorvaleGridCtrl* grid) {
  std::string xml = "<vector>";
  for (int r = 0; r < kCycleRows; ++r) {
    xml += "<data vectorkey=\"" + std::to_string(r) + "\"><record><name value=\"이름 " +
           std::to_string(r) + "\"/><n value=\"" + std::to_string(r * 1.5) +
           "\"/><day value=\"20240101\"/><ok value=\"1\"/></record></data>";
  }
  xml += "</vector>";
  grid->insertRowXML(xml);
  CycleData data{xml, grid->getAllXMLZipBase64()};
  grid->grid().model().removeAllRows();
  return data;
}

// Load (alternately as XML and as zipped text), edit, write, clear. False
// when a step failed.
inline bool RunGridCycle(CKorvaleGridCtrl* grid, const CycleData& data, int cycle) {
  CGridModel& model = grid->grid().model();
  const bool loaded = cycle % 2 == 0 ? grid->insertRowXML(data.xml) == 1
                                     : grid->setAllXMLZipBase64(data.zipped) == 1;
  if (!loaded || model.getRowCount() != kCycleRows) return false;
  for (int r = 0; r < kCycleRows; r += 4) {
    model.setCellStringData(r, 0, "고침 " + std::to_string(cycle));
    model.setCellStringData(r, 1, std::to_string(cycle));
  }
  const std::string written = grid->getAllXML();
  const bool wrote = written.find("고침 " + std::to_string(cycle)) != std::string::npos &&
                     (cycle % 10 != 0 || !grid->getAllXMLZipBase64().empty());
  model.removeAllRows();
  model.clearStatus(1);
  return wrote && model.getRowCount() == 0;
}

// One query through its own connection and one statement on the shared
// connection. False when either failed.
inline bool RunGatewayCycle(CMaltroveDBGatewayCtrl* gateway, int cycle) {
  const std::string rows = gateway->executeQuery(
      "SELECT " + std::to_string(cycle) + ", 'text " + std::to_string(cycle) + "'", "r",
      "<vector><data vectorkey=\"0\" value=\"a\"/><data vectorkey=\"1\" value=\"b\"/></vector>",
      "", 0, 0, "");
  const bool queried = rows.find("<a value=\"" + std::to_string(cycle) + "\"/>") != std::string::npos;
  const bool updated =
      gateway->executeUpdate("UPDATE endurance SET n = " + std::to_string(cycle), 0, "") == 1;
  return queried && updated;
}

}  // namespace maltrove::testing
