#include "control/korvale_grid_ctrl.h"

#include "control/grid_registration.h"
#include "control/reference.h"
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
  grid_.setDownloader(services_.downloader);
  grid_.setUserInterface(services_.ui);
  grid_.setCommands(this);
  grid_.setProtectKeyboard(protectKeyboard_ != 0);
}

CKorvaleGridCtrl::~CKorvaleGridCtrl() {
  window_.reset();
  grid_.setEvents(nullptr);
  grid_.setCommands(nullptr);
}

void* CKorvaleGridCtrl::InPlaceActivate(void* parent) {
  if (!window_) window_ = platform::CreateHostedWindow(parent, &grid_);
  return window_->widget();
}

namespace {

// The scroll-bar properties in the order they are exchanged: the image parts
// of each bar, then its border colour.
const char* const kHorizontalImages[] = {"BackgroundImage", "ThumbImage",
                                         "LeftButtonImage", "RightButtonImage",
                                         "LeftPushedButtonImage", "RightPushedButtonImage"};
const char* const kVerticalImages[] = {"BackgroundImage", "ThumbImage",
                                       "UpButtonImage", "DownButtonImage",
                                       "UpPushedButtonImage", "DownPushedButtonImage"};

std::string Property(const automation::PropertyBag& bag, const std::string& name) {
  auto it = bag.find(name);
  return it == bag.end() ? std::string() : it->second;
}

}  // namespace

void CKorvaleGridCtrl::LoadProperties(const automation::PropertyBag& bag) {
  if (auto it = bag.find("parserVersion"); it != bag.end()) {
    parserVersion_ = std::atoi(it->second.c_str());
  }
  if (auto it = bag.find("characterSet"); it != bag.end()) grid_.model().characterSet = it->second;
  if (auto it = bag.find("delimiter"); it != bag.end()) delimiter_ = it->second;
  if (Property(bag, "protectKeyboard") == "false") protectKeyboard_ = 0;
  LoadScrollBar(bag, "hscrollbar", kHorizontalImages, &grid_.horizontalSkin());
  LoadScrollBar(bag, "vscrollbar", kVerticalImages, &grid_.verticalSkin());
  // The vertical bar's border colour doubles as the context-menu switch.
  const std::string border = Property(bag, "vscrollbarBorderColor");
  if (border == "all") grid_.model().style().contextMenuLevel = 1;
  if (border == "disable") grid_.model().style().contextMenuLevel = -1;

  if (parserVersion_ != 40) parserVersion_ = 30;
  setCharacterSet(grid_.model().characterSet);
  grid_.setProtectKeyboard(protectKeyboard_ != 0);
  if (grid_.hasWindow()) grid_.ApplySkins();
}

void CKorvaleGridCtrl::LoadScrollBar(const automation::PropertyBag& bag, const std::string& prefix,
                                     const char* const parts[6], ScrollBarSkin* skin) {
  for (int i = 0; i < 6; ++i) {
    const std::string value = Property(bag, prefix + parts[i]);
    if (!value.empty()) skin->images[parts[i]] = ResolveReference(services_.documentUrl, value);
  }
  const std::string border = Property(bag, prefix + "BorderColor");
  if (!border.empty()) skin->borderColor = border;
}

automation::PropertyBag CKorvaleGridCtrl::SaveProperties() {
  automation::PropertyBag bag = {{"parserVersion", std::to_string(parserVersion_)},
                                 {"characterSet", grid_.model().characterSet},
                                 {"delimiter", delimiter_},
                                 {"protectKeyboard", ""}};
  for (const char* part : kHorizontalImages) bag[std::string("hscrollbar") + part] = "";
  for (const char* part : kVerticalImages) bag[std::string("vscrollbar") + part] = "";
  bag["hscrollbarBorderColor"] = "";
  bag["vscrollbarBorderColor"] = "";
  return bag;
}

void CKorvaleGridCtrl::setCharacterSet(const std::string& name) {
  SetCharacterSet(&grid_.model(), name);
}

bool CKorvaleGridCtrl::WithoutPainting(const std::function<bool()>& load) {
  CGridModel& model = grid_.model();
  const int drawMode = model.immediateDrawMode();
  model.style().immediateDrawMode = 0;
  const bool ok = load();
  model.style().immediateDrawMode = drawMode;
  if (drawMode != 0) model.styleChanged();
  return ok;
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
