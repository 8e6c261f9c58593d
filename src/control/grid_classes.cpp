#include "control/grid_classes.h"

#include "control/grid_registration.h"
#include "control/korvale_grid_ctrl.h"

namespace maltrove {

void RegisterGridClasses(automation::ClassRegistry* registry) {
  using namespace grid_registration;
  registry->Register({kProgId, kClsid, kTypeName}, [](const platform::Services& services) {
    return std::make_shared<CKorvaleGridCtrl>(services);
  });
  // The property page shows nothing of its own; it has no automation object.
  registry->Register({kPropPageProgId, kPropPageClsid, kPropPageTypeName}, nullptr);
}

}  // namespace maltrove
