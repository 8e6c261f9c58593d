// The fixed identifiers under which the grid control is registered.
#pragma once

namespace maltrove::grid_registration {

inline constexpr char kClsid[] = "{DDC012F8-A786-4584-856D-044BC1F49414}";
inline constexpr char kProgId[] = "KORVALE.MaltroveGridCtrl.1";
inline constexpr char kTypeName[] = "MaltroveGrid Control";
inline constexpr char kPropPageClsid[] = "{775D096D-0F0F-45FA-8EE1-4C1FD194910B}";
inline constexpr char kPropPageProgId[] = "KORVALE.MaltroveGridPropPage.1";
inline constexpr char kPropPageTypeName[] = "MaltroveGrid Property Page";
inline constexpr char kTypeLibId[] = "{C97816B5-B7B9-415A-AC71-7A40FBD66481}";
inline constexpr char kTypeLibName[] = "KorvaleGridLib";
inline constexpr char kDispatchIid[] = "{A222643E-744A-46F8-85FE-02883EC5C2E3}";
inline constexpr char kEventsIid[] = "{DBFD22D6-5229-407D-A407-E15D7FF35253}";
inline constexpr unsigned kMiscStatus = 0x20191;
inline constexpr char kVersion[] = "1,0,0,78";

}  // namespace maltrove::grid_registration
