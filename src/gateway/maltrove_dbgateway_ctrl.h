// CMaltroveDBGatewayCtrl: the database gateway control that script creates.
// It has no window and no events.
#pragma once

#include <string>

#include "automation/dispatch_impl.h"
#include "platform/services.h"

namespace maltrove {

class CMaltroveDBGatewayCtrl : public automation::DispatchImpl<CMaltroveDBGatewayCtrl> {
 public:
  explicit CMaltroveDBGatewayCtrl(const platform::Services& services);

  static const automation::MemberTable<CMaltroveDBGatewayCtrl>& Table();
  static const std::vector<automation::EventInfo>& EventList();

  void LoadProperties(const automation::PropertyBag& bag) override;
  automation::PropertyBag SaveProperties() override;

  std::string getVersion() const;

 private:
  platform::Services services_;
  int parserVersion_ = 0;
  std::string characterSet_;
};

}  // namespace maltrove
