// MemberTable<T>: the dispatch table of one control class. Members are bound
// to member functions of T; the parameter and result types are read off the
// function's signature, so the table cannot disagree with the code.
//
//   table.Method(4, "insertColumn", &Grid::insertColumn);
//   table.Property(213, "readOnly", &Grid::readOnly, &Grid::setReadOnly);
#pragma once

#include <exception>
#include <functional>
#include <new>
#include <type_traits>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "automation/coercion.h"
#include "automation/member_info.h"
#include "automation/variant.h"

namespace maltrove::automation {

// The value type that a C++ parameter or result type stands for.
template <class T> struct ValueTypeOf;
template <> struct ValueTypeOf<void> { static constexpr ValueType kValue = ValueType::kNone; };
template <> struct ValueTypeOf<int32_t> { static constexpr ValueType kValue = ValueType::kLong; };
template <> struct ValueTypeOf<double> { static constexpr ValueType kValue = ValueType::kDouble; };
template <> struct ValueTypeOf<bool> { static constexpr ValueType kValue = ValueType::kBool; };
template <> struct ValueTypeOf<std::string> { static constexpr ValueType kValue = ValueType::kString; };
template <> struct ValueTypeOf<Variant> { static constexpr ValueType kValue = ValueType::kVariant; };

// Reads a coerced argument back as the C++ parameter type.
template <class T> T ArgumentAs(const Variant& v);
template <> inline int32_t ArgumentAs<int32_t>(const Variant& v) { return v.asLong(); }
template <> inline double ArgumentAs<double>(const Variant& v) { return v.asDouble(); }
template <> inline bool ArgumentAs<bool>(const Variant& v) { return v.asBool(); }
template <> inline std::string ArgumentAs<std::string>(const Variant& v) { return v.asString(); }
template <> inline Variant ArgumentAs<Variant>(const Variant& v) { return v; }

// Case-insensitive (ASCII) lower-case copy, the key of name lookups.
std::string FoldCase(std::string_view name);

// Members are bound to member functions of the control class T or of an
// object it owns: for a class C other than T, the table reaches the object
// through T::part<C>().
template <class T>
class MemberTable {
 public:
  // Receives arguments already coerced to the declared parameter types.
  using Handler = std::function<Variant(T&, const std::vector<Variant>&)>;

  template <class C, class R, class... Args>
  void Method(DispId id, std::string name, R (C::*fn)(Args...)) {
    AddBound(id, std::move(name), MemberKind::kMethod, Bind(fn));
  }
  template <class C, class R, class... Args>
  void Method(DispId id, std::string name, R (C::*fn)(Args...) const) {
    AddBound(id, std::move(name), MemberKind::kMethod, Bind(fn));
  }

  template <class C, class R, class V>
  void Property(DispId id, std::string name, R (C::*get)() const, void (C::*put)(V)) {
    AddBound(id, name, MemberKind::kPropertyGet, Bind(get));
    AddBound(id, std::move(name), MemberKind::kPropertyPut, Bind(put));
  }

  // A member whose handler converts its own arguments, for families of
  // members that differ only in the field they reach.
  void Add(DispId id, std::string name, MemberKind kind, std::vector<ValueType> params,
           ValueType result, Handler handler) {
    AddBound(id, std::move(name), kind,
             Bound{MemberInfo{0, {}, kind, std::move(params), result}, std::move(handler)});
  }

  // A further name under which an existing dispid is found.
  void Alias(std::string name, DispId id) { ids_by_name_[FoldCase(name)] = id; }

  HResult FindDispId(std::string_view name, DispId* id) const {
    auto it = ids_by_name_.find(FoldCase(name));
    if (it == ids_by_name_.end()) return HResult::kUnknownName;
    *id = it->second;
    return HResult::kOk;
  }

  const MemberInfo* Find(DispId id, MemberKind kind) const {
    const Entry* entry = FindEntry(id, kind);
    return entry == nullptr ? nullptr : &entry->info;
  }

  HResult Invoke(T& object, DispId id, MemberKind kind, const std::vector<Variant>& args,
                 Variant* result, std::string* exception = nullptr) const {
    const Entry* entry = FindEntry(id, kind);
    if (entry == nullptr) return HResult::kMemberNotFound;
    const std::vector<ValueType>& params = entry->info.params;
    if (args.size() != params.size()) return HResult::kBadParamCount;
    std::vector<Variant> coerced(args.size());
    for (size_t i = 0; i < args.size(); ++i) {
      HResult hr = Coerce(args[i], params[i], &coerced[i]);
      if (!Succeeded(hr)) return hr;
    }
    Variant value;
    try {
      value = entry->handler(object, coerced);
    } catch (const std::bad_alloc&) {
      return HResult::kOutOfMemory;
    } catch (const std::exception& e) {
      if (exception != nullptr) *exception = e.what();
      return HResult::kException;
    }
    if (result != nullptr) *result = std::move(value);
    return HResult::kOk;
  }

  std::vector<MemberInfo> Members() const {
    std::vector<MemberInfo> out;
    out.reserve(entries_.size());
    for (const Entry& e : entries_) out.push_back(e.info);
    return out;
  }

 private:
  struct Entry {
    MemberInfo info;
    Handler handler;
  };

  template <class C>
  static C& Reach(T& object) {
    if constexpr (std::is_same_v<C, T>) {
      return object;
    } else {
      return object.template part<C>();
    }
  }

  template <class C, class Fn, class R, class... Args, size_t... I>
  static Variant Call(Fn fn, T& object, const std::vector<Variant>& args,
                      std::index_sequence<I...>) {
    C& target = Reach<C>(object);
    if constexpr (std::is_void_v<R>) {
      (target.*fn)(ArgumentAs<std::decay_t<Args>>(args[I])...);
      return Variant();
    } else {
      return Variant((target.*fn)(ArgumentAs<std::decay_t<Args>>(args[I])...));
    }
  }

  template <class R, class... Args>
  static MemberInfo Describe() {
    return MemberInfo{0, {}, MemberKind::kMethod, {ValueTypeOf<std::decay_t<Args>>::kValue...},
                      ValueTypeOf<R>::kValue};
  }

  struct Bound {
    MemberInfo info;
    Handler handler;
  };

  template <class C, class R, class... Args>
  static Bound Bind(R (C::*fn)(Args...)) {
    return {Describe<R, Args...>(), [fn](T& object, const std::vector<Variant>& args) {
              return Call<C, decltype(fn), R, Args...>(fn, object, args,
                                                       std::index_sequence_for<Args...>{});
            }};
  }
  template <class C, class R, class... Args>
  static Bound Bind(R (C::*fn)(Args...) const) {
    return {Describe<R, Args...>(), [fn](T& object, const std::vector<Variant>& args) {
              return Call<C, decltype(fn), R, Args...>(fn, object, args,
                                                       std::index_sequence_for<Args...>{});
            }};
  }

  void AddBound(DispId id, std::string name, MemberKind kind, Bound bound) {
    bound.info.dispid = id;
    bound.info.kind = kind;
    ids_by_name_.emplace(FoldCase(name), id);
    bound.info.name = std::move(name);
    index_[Key(id, kind)] = entries_.size();
    entries_.push_back(Entry{std::move(bound.info), std::move(bound.handler)});
  }

  static int64_t Key(DispId id, MemberKind kind) {
    return static_cast<int64_t>(id) * 4 + static_cast<int64_t>(kind);
  }

  const Entry* FindEntry(DispId id, MemberKind kind) const {
    auto it = index_.find(Key(id, kind));
    return it == index_.end() ? nullptr : &entries_[it->second];
  }

  std::vector<Entry> entries_;
  std::unordered_map<int64_t, size_t> index_;
  std::unordered_map<std::string, DispId> ids_by_name_;
};

}  // namespace maltrove::automation
