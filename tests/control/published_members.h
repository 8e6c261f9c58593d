// The published automation interface of the controls, as data: every member
// (dispatch id, exact name, parameter types, result) and every event that
// script can reach on the grid and on the database gateway. The member-table
// test compares what the controls register against these tables.
#pragma once

#include <vector>

#include "automation/member_info.h"
#include "automation/variant.h"

namespace maltrove::published {

using automation::DispId;
using automation::MemberKind;
using automation::ValueType;

struct PublishedMember {
  DispId dispid;
  const char* name;
  MemberKind kind;
  std::vector<ValueType> params;
  ValueType result;
};

struct PublishedEvent {
  DispId dispid;
  const char* name;
  std::vector<ValueType> params;
};

// A further name the dispatch table accepts for an existing dispatch id.
struct PublishedExtraName {
  const char* name;
  DispId dispid;
};

inline constexpr const char* kGridProgId = "KORVALE.MaltroveGridCtrl.1";
inline constexpr const char* kGatewayProgId = "KORVALE.MaltroveDBGatewaCtrl.1";

// Grid: 181 type-library methods, the dispatch-table-only method 258, and 74
// read/write properties (one kPropertyGet and one kPropertyPut entry each).
const std::vector<PublishedMember>& PublishedGridMembers();
const std::vector<PublishedEvent>& PublishedGridEvents();
const std::vector<PublishedExtraName>& PublishedGridExtraNames();

// Gateway: nine methods, no properties, no events.
const std::vector<PublishedMember>& PublishedGatewayMembers();
const std::vector<PublishedEvent>& PublishedGatewayEvents();
const std::vector<PublishedExtraName>& PublishedGatewayExtraNames();

}  // namespace maltrove::published
