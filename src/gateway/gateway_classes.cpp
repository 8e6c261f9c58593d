#include "gateway/gateway_classes.h"

#include "gateway/gateway_registration.h"
#include "gateway/maltrove_dbgateway_ctrl.h"

namespace maltrove {

void RegisterGatewayClasses(automation::ClassRegistry* registry) {
  using namespace gateway_registration;
  registry->Register({kProgId, kClsid, kTypeName}, [](const platform::Services& services) {
    return std::make_shared<CMaltroveDBGatewayCtrl>(services);
  });
  registry->Register({kPropPageProgId, kPropPageClsid, kPropPageTypeName}, nullptr);
}

}  // namespace maltrove
