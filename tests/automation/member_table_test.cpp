#include "automation/member_table.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "automation/class_registry.h"
#include "automation/dispatch_impl.h"

namespace maltrove::automation {
namespace {

struct Counter {
  int32_t value = 0;
  int32_t get() const { return value; }
  void set(int32_t v) { value = v; }
};

// A small control: members of its own and of an object it owns.
class Sample : public DispatchImpl<Sample> {
 public:
  static const MemberTable<Sample>& Table() {
    static const MemberTable<Sample> table = [] {
      MemberTable<Sample> t;
      t.Method(1, "join", &Sample::join);
      t.Method(2, "fire", &Sample::fire);
      t.Method(4, "fail", &Sample::fail);
      t.Property(3, "count", &Counter::get, &Counter::set);
      t.Alias("olderJoin", 1);
      return t;
    }();
    return table;
  }
  static const std::vector<EventInfo>& EventList() {
    static const std::vector<EventInfo> events = {{7, "onPing", {ValueType::kLong}}};
    return events;
  }
  template <class C> C& part();

  std::string join(int32_t n, const std::string& s) const { return std::to_string(n) + s; }
  void fire(int32_t n) { FireEvent(7, {n}); }
  int32_t fail() { throw std::runtime_error("the database went away"); }
  void LoadProperties(const PropertyBag&) override {}
  PropertyBag SaveProperties() override { return {}; }

  Counter counter;
};
template <> Counter& Sample::part<Counter>() { return counter; }

struct Recorder : EventSink {
  void OnEvent(const EventInfo& event, const std::vector<Variant>& args) override {
    names.push_back(event.name);
    last = args;
  }
  std::vector<std::string> names;
  std::vector<Variant> last;
};

TEST(MemberTableTest, SignaturesAreReadFromTheFunctions) {
  const MemberInfo* join = Sample::Table().Find(1, MemberKind::kMethod);
  ASSERT_NE(join, nullptr);
  EXPECT_EQ(join->name, "join");
  EXPECT_EQ(join->params, (std::vector<ValueType>{ValueType::kLong, ValueType::kString}));
  EXPECT_EQ(join->result, ValueType::kString);
  const MemberInfo* put = Sample::Table().Find(3, MemberKind::kPropertyPut);
  ASSERT_NE(put, nullptr);
  EXPECT_EQ(put->params, std::vector<ValueType>{ValueType::kLong});
  EXPECT_EQ(put->result, ValueType::kNone);
}

TEST(MemberTableTest, InvokeByNameCoercesArguments) {
  Sample s;
  Variant result;
  ASSERT_EQ(s.InvokeByName("JOIN", MemberKind::kMethod, {"5", 7}, &result), HResult::kOk);
  EXPECT_EQ(result, Variant("57"));
  ASSERT_EQ(s.InvokeByName("olderjoin", MemberKind::kMethod, {1.0, "x"}, &result), HResult::kOk);
  EXPECT_EQ(result, Variant("1x"));
}

TEST(MemberTableTest, AutomationErrorsAreDistinct) {
  Sample s;
  Variant result;
  EXPECT_EQ(s.InvokeByName("nothing", MemberKind::kMethod, {}, &result), HResult::kUnknownName);
  EXPECT_EQ(s.InvokeByName("join", MemberKind::kMethod, {1}, &result), HResult::kBadParamCount);
  EXPECT_EQ(s.InvokeByName("join", MemberKind::kMethod, {"x", "y"}, &result),
            HResult::kTypeMismatch);
  EXPECT_EQ(s.Invoke(1, MemberKind::kPropertyGet, {}, &result), HResult::kMemberNotFound);
}

TEST(MemberTableTest, AFailingMemberReportsAnException) {
  Sample s;
  Variant result;
  std::string description;
  EXPECT_EQ(s.Invoke(4, MemberKind::kMethod, {}, &result, &description), HResult::kException);
  EXPECT_EQ(description, "the database went away");
}

TEST(MemberTableTest, PropertiesReachOwnedObjects) {
  Sample s;
  Variant result;
  ASSERT_EQ(s.InvokeByName("Count", MemberKind::kPropertyPut, {"12"}, nullptr), HResult::kOk);
  EXPECT_EQ(s.counter.value, 12);
  ASSERT_EQ(s.InvokeByName("count", MemberKind::kPropertyGet, {}, &result), HResult::kOk);
  EXPECT_EQ(result, Variant(12));
}

TEST(MemberTableTest, EventsReachEveryConnectedSink) {
  Sample s;
  Recorder a, b;
  s.Advise(&a);
  s.Advise(&b);
  s.Advise(&a);  // connecting twice delivers once
  s.fire(3);
  s.Unadvise(&b);
  s.fire(4);
  EXPECT_EQ(a.names, (std::vector<std::string>{"onPing", "onPing"}));
  EXPECT_EQ(a.last, std::vector<Variant>{Variant(4)});
  EXPECT_EQ(b.names.size(), 1u);
}

TEST(SafetyOptionsTest, AnswersAsTheControlsDo) {
  Sample s;
  SafetyOptions options;
  EXPECT_EQ(s.GetInterfaceSafetyOptions(SafetyInterface::kDispatch, &options), HResult::kOk);
  EXPECT_EQ(options.supported, 3u);
  EXPECT_EQ(options.enabled, 3u);
  EXPECT_EQ(s.GetInterfaceSafetyOptions(SafetyInterface::kOther, &options),
            HResult::kNoInterface);
  EXPECT_EQ(options.enabled, 3u);
  EXPECT_EQ(s.SetInterfaceSafetyOptions(SafetyInterface::kDispatch, 3, 3), HResult::kOk);
  EXPECT_EQ(s.SetInterfaceSafetyOptions(SafetyInterface::kDispatch, 4, 7), HResult::kFail);
  EXPECT_EQ(s.SetInterfaceSafetyOptions(SafetyInterface::kDispatch, 2, 1), HResult::kFail);
  EXPECT_EQ(s.SetInterfaceSafetyOptions(SafetyInterface::kOther, 1, 1), HResult::kNoInterface);
}

TEST(ClassRegistryTest, CreatesByProgIdOrClsid) {
  ClassRegistry registry;
  registry.Register({"Test.Sample.1", "{AB12CD34-0000-0000-0000-000000000001}", "Sample"},
                    [](const platform::Services&) { return std::make_shared<Sample>(); });
  registry.Register({"Test.Page.1", "{AB12CD34-0000-0000-0000-000000000002}", "Page"}, nullptr);
  platform::Services services;
  std::shared_ptr<DispatchObject> object;
  EXPECT_EQ(registry.Create("test.sample.1", services, &object), HResult::kOk);
  EXPECT_NE(object, nullptr);
  object.reset();
  EXPECT_EQ(registry.Create("clsid:ab12cd34-0000-0000-0000-000000000001", services, &object),
            HResult::kOk);
  EXPECT_NE(object, nullptr);
  EXPECT_EQ(registry.Create("{AB12CD34-0000-0000-0000-000000000001}", services, &object),
            HResult::kOk);
  EXPECT_EQ(registry.Create("Test.Page.1", services, &object), HResult::kNoInterface);
  EXPECT_EQ(registry.Create("Test.Missing", services, &object), HResult::kClassNotRegistered);
}

}  // namespace
}  // namespace maltrove::automation
