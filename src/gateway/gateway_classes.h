#pragma once

#include "automation/class_registry.h"

namespace maltrove {

// Enters the gateway control and its property page in the registry.
void RegisterGatewayClasses(automation::ClassRegistry* registry);

}  // namespace maltrove
