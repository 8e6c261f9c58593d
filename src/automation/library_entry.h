// The one exported entry point of each control library: it enters the
// library's classes in the host's class registry (what self-registration
// does on Windows).
#pragma once

#include "automation/class_registry.h"

#define MALTROVE_EXPORT __attribute__((visibility("default")))

extern "C" {
MALTROVE_EXPORT void MaltroveGrid_RegisterClasses(maltrove::automation::ClassRegistry* registry);
MALTROVE_EXPORT void MaltroveDBGateway_RegisterClasses(
    maltrove::automation::ClassRegistry* registry);
}
