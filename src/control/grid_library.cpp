#include "automation/library_entry.h"
#include "control/grid_classes.h"

extern "C" void MaltroveGrid_RegisterClasses(maltrove::automation::ClassRegistry* registry) {
  maltrove::RegisterGridClasses(registry);
}
