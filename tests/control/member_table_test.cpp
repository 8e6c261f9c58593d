// Checks the member tables the controls register against the published
// automation interface of the controls. A registered member must agree with
// its published row in every detail; members not registered yet are only
// reported.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <iostream>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "automation/class_registry.h"
#include "automation/dispatch_object.h"
#include "control/grid_classes.h"
#include "control/published_members.h"
#include "gateway/gateway_classes.h"
#include "platform/services.h"

namespace maltrove {
namespace {

using automation::DispId;
using automation::DispatchObject;
using automation::HResult;
using automation::MemberKind;
using automation::ValueType;
using published::PublishedEvent;
using published::PublishedExtraName;
using published::PublishedMember;

std::string Signature(const std::vector<ValueType>& params, ValueType result) {
  std::string text = "(";
  for (size_t i = 0; i < params.size(); ++i) {
    if (i > 0) text += ", ";
    text += automation::TypeName(params[i]);
  }
  return text + ") -> " + automation::TypeName(result);
}

std::string Describe(DispId dispid, const std::string& name, MemberKind kind) {
  std::ostringstream out;
  out << dispid << " " << name << " " << automation::KindName(kind);
  return out.str();
}

std::string Transform(std::string text, int (*fn)(int)) {
  for (char& c : text) c = static_cast<char>(fn(static_cast<unsigned char>(c)));
  return text;
}

struct ControlCase {
  const char* label;
  const char* progId;
  const std::vector<PublishedMember>& (*members)();
  const std::vector<PublishedEvent>& (*events)();
  const std::vector<PublishedExtraName>& (*extraNames)();
};

void PrintTo(const ControlCase& c, std::ostream* os) { *os << c.label; }

const ControlCase kCases[] = {
    {"grid", published::kGridProgId, published::PublishedGridMembers,
     published::PublishedGridEvents, published::PublishedGridExtraNames},
    {"gateway", published::kGatewayProgId, published::PublishedGatewayMembers,
     published::PublishedGatewayEvents, published::PublishedGatewayExtraNames},
};

class MemberTableTest : public ::testing::TestWithParam<ControlCase> {
 protected:
  void SetUp() override {
    RegisterGridClasses(&registry_);
    RegisterGatewayClasses(&registry_);
    ASSERT_EQ(registry_.Create(GetParam().progId, services_, &object_), HResult::kOk)
        << GetParam().progId;
    ASSERT_NE(object_, nullptr);
    for (const PublishedMember& m : GetParam().members()) published_[{m.dispid, m.kind}] = &m;
  }

  const PublishedMember* FindPublished(DispId dispid, MemberKind kind) const {
    auto it = published_.find({dispid, kind});
    return it == published_.end() ? nullptr : it->second;
  }

  automation::ClassRegistry registry_;
  platform::Services services_{};
  std::shared_ptr<DispatchObject> object_;
  std::map<std::pair<DispId, MemberKind>, const PublishedMember*> published_;
};

TEST_P(MemberTableTest, RegisteredMembersMatchPublishedRows) {
  std::set<std::pair<DispId, MemberKind>> seen;
  for (const automation::MemberInfo& m : object_->Members()) {
    SCOPED_TRACE(Describe(m.dispid, m.name, m.kind));
    EXPECT_TRUE(seen.insert({m.dispid, m.kind}).second) << "registered twice";
    const PublishedMember* p = FindPublished(m.dispid, m.kind);
    if (p == nullptr) {
      ADD_FAILURE() << "not in the published interface";
      continue;
    }
    EXPECT_EQ(m.name, p->name);
    EXPECT_EQ(Signature(m.params, m.result), Signature(p->params, p->result));
  }
}

TEST_P(MemberTableTest, ReportsMissingMembers) {
  std::set<std::pair<DispId, MemberKind>> registered;
  for (const automation::MemberInfo& m : object_->Members()) registered.insert({m.dispid, m.kind});
  const auto& all = GetParam().members();
  std::vector<const PublishedMember*> missing;
  for (const PublishedMember& p : all)
    if (!registered.count({p.dispid, p.kind})) missing.push_back(&p);
  std::cout << GetParam().label << ": " << missing.size() << " of " << all.size()
            << " members still missing\n";
  for (const PublishedMember* p : missing)
    std::cout << "  " << Describe(p->dispid, p->name, p->kind) << "\n";
}

TEST_P(MemberTableTest, NamesResolveCaseInsensitively) {
  std::set<DispId> registeredIds;
  for (const automation::MemberInfo& m : object_->Members()) {
    registeredIds.insert(m.dispid);
    for (const std::string& name :
         {m.name, Transform(m.name, ::toupper), Transform(m.name, ::tolower)}) {
      DispId id = -1;
      EXPECT_EQ(object_->GetDispId(name, &id), HResult::kOk) << name;
      EXPECT_EQ(id, m.dispid) << name;
    }
  }
  for (const PublishedExtraName& extra : GetParam().extraNames()) {
    if (!registeredIds.count(extra.dispid)) continue;
    for (const std::string& name : {std::string(extra.name), Transform(extra.name, ::toupper)}) {
      DispId id = -1;
      EXPECT_EQ(object_->GetDispId(name, &id), HResult::kOk) << name;
      EXPECT_EQ(id, extra.dispid) << name;
    }
  }
}

TEST_P(MemberTableTest, EventsMatchPublishedEvents) {
  auto key = [](DispId id, const std::string& name, const std::vector<ValueType>& params) {
    return std::to_string(id) + " " + name + Signature(params, ValueType::kNone);
  };
  std::vector<std::string> registered, expected;
  for (const automation::EventInfo& e : object_->Events())
    registered.push_back(key(e.dispid, e.name, e.params));
  for (const PublishedEvent& e : GetParam().events())
    expected.push_back(key(e.dispid, e.name, e.params));
  std::sort(registered.begin(), registered.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(registered, expected);
}

INSTANTIATE_TEST_SUITE_P(Controls, MemberTableTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.label); });

// The published tables themselves: counts and uniqueness.
TEST(PublishedMembersTest, TablesAreConsistent) {
  auto count = [](const std::vector<PublishedMember>& members, MemberKind kind) {
    return std::count_if(members.begin(), members.end(),
                         [kind](const PublishedMember& m) { return m.kind == kind; });
  };
  const auto& grid = published::PublishedGridMembers();
  EXPECT_EQ(count(grid, MemberKind::kMethod), 181 + 1);  // + saveXLSQueryAutoOpen
  EXPECT_EQ(count(grid, MemberKind::kPropertyGet), 74);
  EXPECT_EQ(count(grid, MemberKind::kPropertyPut), 74);
  EXPECT_EQ(published::PublishedGridEvents().size(), 10u);
  const auto& gateway = published::PublishedGatewayMembers();
  EXPECT_EQ(count(gateway, MemberKind::kMethod), 9);
  EXPECT_EQ(gateway.size(), 9u);

  for (const auto* members : {&grid, &gateway}) {
    std::set<std::pair<DispId, MemberKind>> keys;
    std::map<std::string, DispId> idOfName;
    for (const PublishedMember& m : *members) {
      EXPECT_TRUE(keys.insert({m.dispid, m.kind}).second) << m.dispid;
      auto [it, inserted] = idOfName.emplace(Transform(m.name, ::tolower), m.dispid);
      EXPECT_EQ(it->second, m.dispid) << m.name << " names two dispatch ids";
    }
  }
}

}  // namespace
}  // namespace maltrove
