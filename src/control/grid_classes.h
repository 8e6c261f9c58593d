#pragma once

#include "automation/class_registry.h"

namespace maltrove {

// Enters the grid control and its property page in the registry.
void RegisterGridClasses(automation::ClassRegistry* registry);

}  // namespace maltrove
