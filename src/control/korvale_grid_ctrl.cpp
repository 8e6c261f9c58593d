#include "control/korvale_grid_ctrl.h"

#include "control/grid_registration.h"
#include "formats/xml_settings.h"

namespace maltrove {

namespace {
enum EventId {
  kOnCellFocused = 1,
  kOnClickCellButton = 2,
  kOnClickCellRadio = 3,
  kOnClickCellCheckbox = 4,
  kOnCellValueChanged = 5,
  kOnClickColumnHeader = 6,
  kOnClickCell = 7,
  kOnDblClickRowHeader = 245,
  kOnDblClickColHeader = 246,
  kOnClickCombo = 247,
};
}  // namespace

CKorvaleGridCtrl::CKorvaleGridCtrl(const platform::Services& services) : services_(services) {
  grid_.setEvents(this);
}

CKorvaleGridCtrl::~CKorvaleGridCtrl() { grid_.setEvents(nullptr); }

void CKorvaleGridCtrl::LoadProperties(const automation::PropertyBag& bag) {
  if (auto it = bag.find("parserVersion"); it != bag.end()) {
    parserVersion_ = std::atoi(it->second.c_str());
  }
  if (auto it = bag.find("characterSet"); it != bag.end()) setCharacterSet(it->second);
  if (auto it = bag.find("delimiter"); it != bag.end()) delimiter_ = it->second;
  if (auto it = bag.find("protectKeyboard"); it != bag.end()) {
    protectKeyboard_ = it->second == "false" ? 0 : 1;
  }
  if (parserVersion_ != 40) parserVersion_ = 30;
}

automation::PropertyBag CKorvaleGridCtrl::SaveProperties() {
  return {{"parserVersion", std::to_string(parserVersion_)},
          {"characterSet", grid_.model().characterSet},
          {"delimiter", delimiter_}};
}

void CKorvaleGridCtrl::setCharacterSet(const std::string& name) {
  SetCharacterSet(&grid_.model(), name);
}

std::string CKorvaleGridCtrl::getVersion() const { return grid_registration::kVersion; }

void CKorvaleGridCtrl::setGridName(const std::string& name) {
  grid_.model().rowElementName = name;
}

void CKorvaleGridCtrl::onCellFocused(int row, int col) {
  FireEvent(kOnCellFocused, {row, col});
}
void CKorvaleGridCtrl::onClickCellButton(int row, int col) {
  FireEvent(kOnClickCellButton, {row, col});
}
void CKorvaleGridCtrl::onClickCellRadio(int row, int col, int checked) {
  FireEvent(kOnClickCellRadio, {row, col, checked});
}
void CKorvaleGridCtrl::onClickCellCheckbox(int row, int col, int checked) {
  FireEvent(kOnClickCellCheckbox, {row, col, checked});
}
void CKorvaleGridCtrl::onCellValueChanged(int row, int col, const std::string& data) {
  FireEvent(kOnCellValueChanged, {row, col, data});
}
void CKorvaleGridCtrl::onClickColumnHeader(int col) { FireEvent(kOnClickColumnHeader, {col}); }
void CKorvaleGridCtrl::onClickCell(int row, int col) { FireEvent(kOnClickCell, {row, col}); }
void CKorvaleGridCtrl::onDblClickRowHeader(int row) { FireEvent(kOnDblClickRowHeader, {row}); }
void CKorvaleGridCtrl::onDblClickColHeader(int col) { FireEvent(kOnDblClickColHeader, {col}); }
void CKorvaleGridCtrl::onClickCombo(int row, int col, const std::string& datas,
                                    const std::string& values) {
  FireEvent(kOnClickCombo, {row, col, datas, values});
}

const std::vector<automation::EventInfo>& CKorvaleGridCtrl::EventList() {
  using automation::ValueType;
  constexpr ValueType L = ValueType::kLong;
  constexpr ValueType S = ValueType::kString;
  static const std::vector<automation::EventInfo> events = {
      {kOnCellFocused, "onCellFocused", {L, L}},
      {kOnClickCellButton, "onClickCellButton", {L, L}},
      {kOnClickCellRadio, "onClickCellRadio", {L, L, L}},
      {kOnClickCellCheckbox, "onClickCellCheckbox", {L, L, L}},
      {kOnCellValueChanged, "onCellValueChanged", {L, L, S}},
      {kOnClickColumnHeader, "onClickColumnHeader", {L}},
      {kOnClickCell, "onClickCell", {L, L}},
      {kOnDblClickRowHeader, "onDblClickRowHeader", {L}},
      {kOnDblClickColHeader, "onDblClickColHeader", {L}},
      {kOnClickCombo, "onClickCombo", {L, L, S, S}},
  };
  return events;
}

}  // namespace maltrove
