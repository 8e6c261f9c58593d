// The fixed identifiers under which the gateway control is registered.
#pragma once

namespace maltrove::gateway_registration {

inline constexpr char kClsid[] = "{F78A830F-E6D0-4F70-BC4D-B29B6713961F}";
inline constexpr char kProgId[] = "KORVALE.MaltroveDBGatewaCtrl.1";
inline constexpr char kTypeName[] = "MaltroveDBGateway Control";
inline constexpr char kPropPageClsid[] = "{BA04A117-26C3-4C87-A3BA-F3D7A1D8C4FE}";
inline constexpr char kPropPageProgId[] = "KORVALE.MaltroveDBGatePropPage.1";
inline constexpr char kPropPageTypeName[] = "MaltroveDBGateway Property Page";
inline constexpr char kTypeLibId[] = "{DE2BA9C8-CF2E-41DF-8B64-441C516B64AE}";
inline constexpr char kTypeLibName[] = "MaltroveDBGatewayLib";
inline constexpr char kDispatchIid[] = "{FE4F5263-11D5-4724-95BA-A978983B6369}";
inline constexpr char kEventsIid[] = "{BC322BD5-6359-47D4-9926-363FE6A11024}";
inline constexpr unsigned kMiscStatus = 0x20191;
inline constexpr char kVersion[] = "1,0,0,78";

}  // namespace maltrove::gateway_registration
