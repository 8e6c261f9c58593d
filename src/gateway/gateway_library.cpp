#include "automation/library_entry.h"
#include "gateway/gateway_classes.h"

extern "C" void MaltroveDBGateway_RegisterClasses(maltrove::automation::ClassRegistry* registry) {
  maltrove::RegisterGatewayClasses(registry);
}
