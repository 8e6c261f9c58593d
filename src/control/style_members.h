#pragma once

#include "automation/member_table.h"

namespace maltrove {

class CKorvaleGridCtrl;

// The members that read and set style fields: the grid's style properties,
// the style strings, the per-column styles and the row colours.
void AddStyleMembers(automation::MemberTable<CKorvaleGridCtrl>* table);

}  // namespace maltrove
