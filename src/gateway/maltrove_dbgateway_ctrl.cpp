#include "gateway/maltrove_dbgateway_ctrl.h"

#include <cstdlib>

#include "gateway/gateway_registration.h"

namespace maltrove {

CMaltroveDBGatewayCtrl::CMaltroveDBGatewayCtrl(const platform::Services& services)
    : services_(services) {}

void CMaltroveDBGatewayCtrl::LoadProperties(const automation::PropertyBag& bag) {
  if (auto it = bag.find("parserVersion"); it != bag.end()) {
    parserVersion_ = std::atoi(it->second.c_str());
  }
  if (auto it = bag.find("characterSet"); it != bag.end()) characterSet_ = it->second;
}

automation::PropertyBag CMaltroveDBGatewayCtrl::SaveProperties() {
  return {{"parserVersion", std::to_string(parserVersion_)}, {"characterSet", characterSet_}};
}

std::string CMaltroveDBGatewayCtrl::getVersion() const { return gateway_registration::kVersion; }

const automation::MemberTable<CMaltroveDBGatewayCtrl>& CMaltroveDBGatewayCtrl::Table() {
  static const automation::MemberTable<CMaltroveDBGatewayCtrl> table = [] {
    automation::MemberTable<CMaltroveDBGatewayCtrl> t;
    t.Method(9, "getVersion", &CMaltroveDBGatewayCtrl::getVersion);
    return t;
  }();
  return table;
}

const std::vector<automation::EventInfo>& CMaltroveDBGatewayCtrl::EventList() {
  static const std::vector<automation::EventInfo> none;
  return none;
}

}  // namespace maltrove
