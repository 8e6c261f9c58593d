// CKorvaleGridCtrl: the grid control object that script creates. It owns the
// grid window, carries the page's persisted settings and publishes the
// automation members and events.
#pragma once

#include <cstdint>
#include <string>

#include "automation/dispatch_impl.h"
#include "platform/services.h"
#include "window/grid_wnd.h"

namespace maltrove {

class CKorvaleGridCtrl : public automation::DispatchImpl<CKorvaleGridCtrl>, public GridEvents {
 public:
  explicit CKorvaleGridCtrl(const platform::Services& services);
  ~CKorvaleGridCtrl() override;

  static const automation::MemberTable<CKorvaleGridCtrl>& Table();
  static const std::vector<automation::EventInfo>& EventList();

  // The objects the member table reaches members of.
  template <class C> C& part();

  CGridWnd& grid() { return grid_; }

  void LoadProperties(const automation::PropertyBag& bag) override;
  automation::PropertyBag SaveProperties() override;

  // Members of the control itself.
  std::string getVersion() const;
  void setGridName(const std::string& name);
  int32_t parserVersion() const { return parserVersion_; }
  void setParserVersion(int32_t version) { parserVersion_ = version; }

  // GridEvents: fired to script.
  void onCellFocused(int row, int col) override;
  void onClickCellButton(int row, int col) override;
  void onClickCellRadio(int row, int col, int checked) override;
  void onClickCellCheckbox(int row, int col, int checked) override;
  void onCellValueChanged(int row, int col, const std::string& data) override;
  void onClickColumnHeader(int col) override;
  void onClickCell(int row, int col) override;
  void onDblClickRowHeader(int row) override;
  void onDblClickColHeader(int col) override;
  void onClickCombo(int row, int col, const std::string& datas,
                    const std::string& values) override;

 private:
  platform::Services services_;
  CGridWnd grid_;
  std::string delimiter_ = ",\\t:;|@#$&*!";
  int32_t protectKeyboard_ = 1;
  int32_t parserVersion_ = 30;
};

template <> inline CGridWnd& CKorvaleGridCtrl::part<CGridWnd>() { return grid_; }
template <> inline CGridModel& CKorvaleGridCtrl::part<CGridModel>() { return grid_.model(); }

}  // namespace maltrove
