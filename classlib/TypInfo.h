// Run-time type information for published properties: what the form stream writes and reads,
// and what code can get or set by name.
//
// A class publishes its properties once, in the source file that defines its members:
//
//   PUBLISHED(TFontInfo) {
//     Prop("FontName", &TFontInfo::GetFontName, &TFontInfo::SetFontName);
//     Prop("Size", &TFontInfo::GetSize, &TFontInfo::SetSize).Default(10);
//     Prop("Style", &TFontInfo::Style);                    // a plain field
//     Prop("Border", &TFontInfo::GetBorder, &TFontInfo::SetBorder);  // nested persistent object
//     Prop("About", &TFontInfo::About).Stored(false);
//     Prop("OnChange", &TFontInfo::OnChange);              // an event (Closure field)
//     Method("FormCreate", &TFontInfo::FormCreate);        // a handler that forms can name
//   }
//
// Properties are inherited: a class's list is its parent's followed by its own; a class that
// publishes a name again (to change its default, say) replaces the parent's entry in place.
// The property type follows from the C++ type: integers, bool, char, wchar_t, Int64, float
// types, AnsiString, WideString, TSet<E>, pointers to TObject classes, Closure events, and
// enumerations whose names are given with ENUM_NAMES next to the enumeration:
//
//   enum TUVAlignment { uvaLeft, uvaRight, uvaCenter, uvaJustify };
//   ENUM_NAMES(TUVAlignment, "uvaLeft", "uvaRight", "uvaCenter", "uvaJustify");
//
// An integer type whose values have names in forms (colours, cursors) passes its own type
// information with .Type(info) (see TTypeInfo::NamedInteger).
#pragma once

#include <functional>
#include <initializer_list>
#include <limits>
#include <memory>
#include <type_traits>
#include <typeinfo>
#include <vector>

#include "classlib/Sets.h"
#include "classlib/System.h"

enum TTypeKind {
  tkUnknown,
  tkInteger,
  tkChar,
  tkEnumeration,
  tkFloat,
  tkString,
  tkSet,
  tkClass,
  tkMethod,
  tkWChar,
  tkLString,
  tkWString,
  tkVariant,
  tkArray,
  tkRecord,
  tkInterface,
  tkInt64,
  tkDynArray
};

enum TOrdType { otSByte, otUByte, otSWord, otUWord, otSLong, otULong };
enum TFloatType { ftSingle, ftDouble, ftExtended, ftComp, ftCurr };

// Converts between an integer and its name in a form ("clWindowText"); false when there is none.
using TIdentToInt = bool (*)(const AnsiString& Ident, Integer& Value);
using TIntToIdent = bool (*)(Integer Value, AnsiString& Ident);

// A property's type.
class TTypeInfo {
public:
  TTypeKind Kind = tkUnknown;
  AnsiString Name;
  TOrdType OrdType = otSLong;           // tkInteger, tkChar, tkWChar, tkEnumeration
  Int64 MinValue = 0;                   // ordinal kinds
  Int64 MaxValue = 0;
  std::vector<AnsiString> EnumNames;    // tkEnumeration: the names of MinValue .. MaxValue
  const TTypeInfo* CompType = nullptr;  // tkSet: the type of the members
  TFloatType FloatType = ftExtended;    // tkFloat
  TClass ClassType = nullptr;           // tkClass
  TIdentToInt IdentToInt = nullptr;     // tkInteger with named values
  TIntToIdent IntToIdent = nullptr;

  // Builders for the kinds that user code describes.
  static TTypeInfo Enumeration(const char* name, std::initializer_list<const char*> names);
  static TTypeInfo NamedInteger(const char* name, TIdentToInt identToInt, TIntToIdent intToIdent,
                                TOrdType ordType = otSLong);
  static TTypeInfo SetOf(const char* name, const TTypeInfo* compType);
};

// The type information of a C++ type; specialised below for the kinds a property can have and
// by ENUM_NAMES for enumerations.
template <class T, class Enable = void>
struct TTypeInfoOf;

template <class T>
const TTypeInfo* TypeInfo() {
  return TTypeInfoOf<std::remove_cv_t<T>>::Get();
}

// Gives an enumeration its names (one per value, from 0). Use at global scope, in the header
// that declares the enumeration.
#define ENUM_NAMES(Enum, ...)                                                  \
  template <>                                                                  \
  struct TTypeInfoOf<Enum> {                                                   \
    static const TTypeInfo* Get() {                                            \
      static const TTypeInfo info = TTypeInfo::Enumeration(#Enum, {__VA_ARGS__}); \
      return &info;                                                            \
    }                                                                          \
  }

// The name of an enumeration value ("" when out of range) and the value of a name (compared
// without regard to case; -1 when unknown). For integer types these are decimal numbers.
AnsiString GetEnumName(const TTypeInfo* TypeInfo, Int64 Value);
Int64 GetEnumValue(const TTypeInfo* TypeInfo, const AnsiString& Name);

class TPropInfo;

// A published method: a handler that a form names and the reader binds to the form object.
class TMethodInfo {
public:
  explicit TMethodInfo(AnsiString name) : Name(std::move(name)) {}
  virtual ~TMethodInfo() = default;
  AnsiString Name;
  // The Closure type the method fits.
  virtual const std::type_info& ClosureType() const = 0;
  // Stores the method bound to Data into *ClosureOut, which must be of ClosureType().
  virtual void Bind(TObject* Data, void* ClosureOut) const = 0;
};

// Access to one property's value. The kind of value follows the property type: ordinal values
// (integers, characters, enumerations, sets as bit masks, Int64) as Int64; floats as Extended.
// A call that does not fit the kind raises EPropertyError.
class TPropAccessor {
public:
  virtual ~TPropAccessor() = default;
  virtual bool CanRead() const { return true; }
  virtual bool CanWrite() const = 0;
  virtual Int64 GetOrd(TObject* Instance) const;
  virtual void SetOrd(TObject* Instance, Int64 Value) const;
  virtual Extended GetFloat(TObject* Instance) const;
  virtual void SetFloat(TObject* Instance, Extended Value) const;
  virtual AnsiString GetStr(TObject* Instance) const;
  virtual void SetStr(TObject* Instance, const AnsiString& Value) const;
  virtual WideString GetWideStr(TObject* Instance) const;
  virtual void SetWideStr(TObject* Instance, const WideString& Value) const;
  virtual TObject* GetObject(TObject* Instance) const;
  virtual void SetObject(TObject* Instance, TObject* Value) const;
  // Events: whether a handler is set; clearing it; setting it to Method bound to Data (false
  // when the method does not fit the event); whether it is Method bound to Data.
  virtual bool MethodAssigned(TObject* Instance) const;
  virtual void ClearMethod(TObject* Instance) const;
  virtual bool SetMethod(TObject* Instance, const TMethodInfo& Method, TObject* Data) const;
  virtual bool MethodIs(TObject* Instance, const TMethodInfo& Method, TObject* Data) const;
};

// A published property.
class TPropInfo {
public:
  AnsiString Name;
  const TTypeInfo* PropType = nullptr;
  // Ordinal properties with a default are not written while they hold it.
  bool HasDefault = false;
  Int64 Default = 0;
  // Whether the property is written: Stored, unless StoredFunc says otherwise.
  bool Stored = true;
  std::function<bool(TObject*)> StoredFunc;
  std::unique_ptr<TPropAccessor> Access;
};

// Raised for a property that does not exist or is used with the wrong kind of value.
class EPropertyError : public Exception {
  CLASS_INFO(EPropertyError, Exception)
public:
  using Exception::Exception;
};

// The published properties of a class, inherited ones first, in publishing order.
const std::vector<const TPropInfo*>& GetPropList(TClass Class);
// The property of that name (without regard to case), or nullptr.
const TPropInfo* GetPropInfo(TClass Class, const AnsiString& PropName);
const TPropInfo* GetPropInfo(const TObject* Instance, const AnsiString& PropName);
bool IsPublishedProp(const TObject* Instance, const AnsiString& PropName);
// The published method of that name in the class or its parents (without regard to case).
const TMethodInfo* FindPublishedMethod(TClass Class, const AnsiString& Name);
// The published method that Event (a method property of Instance) holds bound to Data.
const TMethodInfo* FindMethodOf(TObject* Instance, const TPropInfo* Event, TObject* Data);

bool IsStoredProp(TObject* Instance, const TPropInfo* PropInfo);

// Getting and setting by property; the overloads taking a name raise EPropertyError with
// "Property %s does not exist" when there is no such property.
Int64 GetOrdProp(TObject* Instance, const TPropInfo* PropInfo);
void SetOrdProp(TObject* Instance, const TPropInfo* PropInfo, Int64 Value);
Int64 GetOrdProp(TObject* Instance, const AnsiString& PropName);
void SetOrdProp(TObject* Instance, const AnsiString& PropName, Int64 Value);
AnsiString GetEnumProp(TObject* Instance, const AnsiString& PropName);
void SetEnumProp(TObject* Instance, const AnsiString& PropName, const AnsiString& Value);
Extended GetFloatProp(TObject* Instance, const AnsiString& PropName);
void SetFloatProp(TObject* Instance, const AnsiString& PropName, Extended Value);
AnsiString GetStrProp(TObject* Instance, const AnsiString& PropName);
void SetStrProp(TObject* Instance, const AnsiString& PropName, const AnsiString& Value);
WideString GetWideStrProp(TObject* Instance, const AnsiString& PropName);
void SetWideStrProp(TObject* Instance, const AnsiString& PropName, const WideString& Value);
TObject* GetObjectProp(TObject* Instance, const AnsiString& PropName);
void SetObjectProp(TObject* Instance, const AnsiString& PropName, TObject* Value);

// ---------------------------------------------------------------------------------------------
// Type information of the built-in kinds.

namespace typinfo_detail {
// A type of the given kind; the ordinal fields are only meaningful for ordinal kinds.
TTypeInfo Ordinal(TTypeKind kind, const char* name, TOrdType ordType, Int64 minValue, Int64 maxValue);
const TTypeInfo* BooleanInfo();
const TTypeInfo* FloatInfo(TFloatType type);
const TTypeInfo* StringInfo();
const TTypeInfo* WideStringInfo();
const TTypeInfo* Int64Info();
const TTypeInfo* MethodInfo();
TTypeInfo ClassRef(TClass c);

[[noreturn]] void RaiseReadOnly();
[[noreturn]] void RaiseWriteOnly();
[[noreturn]] void RaiseInvalidType();
[[noreturn]] void RaiseInvalidValue();

template <class T>
constexpr TOrdType OrdTypeOf() {
  if constexpr (sizeof(T) == 1)
    return std::is_signed_v<T> ? otSByte : otUByte;
  else if constexpr (sizeof(T) == 2)
    return std::is_signed_v<T> ? otSWord : otUWord;
  else
    return std::is_signed_v<T> ? otSLong : otULong;
}

template <class T>
struct IsClosure : std::false_type {};
template <class Sig>
struct IsClosure<Closure<Sig>> : std::true_type {};

template <class T>
struct IsSet : std::false_type {};
template <class E>
struct IsSet<TSet<E>> : std::true_type {};
}  // namespace typinfo_detail

template <>
struct TTypeInfoOf<bool> {
  static const TTypeInfo* Get() { return typinfo_detail::BooleanInfo(); }
};
template <>
struct TTypeInfoOf<char> {
  static const TTypeInfo* Get() {
    static const TTypeInfo info = typinfo_detail::Ordinal(tkChar, "Char", otUByte, 0, 255);
    return &info;
  }
};
template <>
struct TTypeInfoOf<wchar_t> {
  static const TTypeInfo* Get() {
    static const TTypeInfo info = typinfo_detail::Ordinal(tkWChar, "WideChar", otUWord, 0, 65535);
    return &info;
  }
};
template <>
struct TTypeInfoOf<Int64> {
  static const TTypeInfo* Get() { return typinfo_detail::Int64Info(); }
};
template <class T>
struct TTypeInfoOf<T, std::enable_if_t<std::is_integral_v<T> && !std::is_same_v<T, bool> && !std::is_same_v<T, char> &&
                                       !std::is_same_v<T, wchar_t> && sizeof(T) <= 4>> {
  static const TTypeInfo* Get() {
    static const TTypeInfo info = typinfo_detail::Ordinal(tkInteger, "Integer", typinfo_detail::OrdTypeOf<T>(),
                                                          std::numeric_limits<T>::min(), std::numeric_limits<T>::max());
    return &info;
  }
};
template <>
struct TTypeInfoOf<float> {
  static const TTypeInfo* Get() { return typinfo_detail::FloatInfo(ftSingle); }
};
template <>
struct TTypeInfoOf<double> {
  static const TTypeInfo* Get() { return typinfo_detail::FloatInfo(ftDouble); }
};
template <>
struct TTypeInfoOf<long double> {
  static const TTypeInfo* Get() { return typinfo_detail::FloatInfo(ftExtended); }
};
template <>
struct TTypeInfoOf<AnsiString> {
  static const TTypeInfo* Get() { return typinfo_detail::StringInfo(); }
};
template <>
struct TTypeInfoOf<WideString> {
  static const TTypeInfo* Get() { return typinfo_detail::WideStringInfo(); }
};
template <class E>
struct TTypeInfoOf<TSet<E>> {
  static const TTypeInfo* Get() {
    static const TTypeInfo info = TTypeInfo::SetOf("set", TypeInfo<E>());
    return &info;
  }
};
template <class T>
struct TTypeInfoOf<T*, std::enable_if_t<std::is_base_of_v<TObject, T>>> {
  static const TTypeInfo* Get() {
    static const TTypeInfo info = typinfo_detail::ClassRef(T::StaticClass());
    return &info;
  }
};
template <class Sig>
struct TTypeInfoOf<Closure<Sig>> {
  static const TTypeInfo* Get() { return typinfo_detail::MethodInfo(); }
};

// ---------------------------------------------------------------------------------------------
// Registration.

namespace typinfo_detail {

// A value of type V seen through the kind-specific calls of TPropAccessor.
template <class C, class V>
class Accessor final : public TPropAccessor {
public:
  Accessor(std::function<V(C*)> get, std::function<void(C*, const V&)> set)
      : get_(std::move(get)), set_(std::move(set)) {}

  bool CanRead() const override { return static_cast<bool>(get_); }
  bool CanWrite() const override { return static_cast<bool>(set_); }

  Int64 GetOrd(TObject* o) const override {
    if constexpr (IsSet<V>::value)
      return static_cast<Int64>(Get(o).Bits());
    else if constexpr (std::is_integral_v<V> || std::is_enum_v<V>)
      return static_cast<Int64>(Get(o));
    else
      return TPropAccessor::GetOrd(o);
  }
  void SetOrd(TObject* o, Int64 v) const override {
    if constexpr (IsSet<V>::value)
      Set(o, V::FromBits(static_cast<std::uint64_t>(v)));
    else if constexpr (std::is_integral_v<V> || std::is_enum_v<V>)
      Set(o, static_cast<V>(v));
    else
      TPropAccessor::SetOrd(o, v);
  }
  Extended GetFloat(TObject* o) const override {
    if constexpr (std::is_floating_point_v<V>)
      return static_cast<Extended>(Get(o));
    else
      return TPropAccessor::GetFloat(o);
  }
  void SetFloat(TObject* o, Extended v) const override {
    if constexpr (std::is_floating_point_v<V>)
      Set(o, static_cast<V>(v));
    else
      TPropAccessor::SetFloat(o, v);
  }
  AnsiString GetStr(TObject* o) const override {
    if constexpr (std::is_same_v<V, AnsiString>)
      return Get(o);
    else
      return TPropAccessor::GetStr(o);
  }
  void SetStr(TObject* o, const AnsiString& v) const override {
    if constexpr (std::is_same_v<V, AnsiString>)
      Set(o, v);
    else
      TPropAccessor::SetStr(o, v);
  }
  WideString GetWideStr(TObject* o) const override {
    if constexpr (std::is_same_v<V, WideString>)
      return Get(o);
    else
      return TPropAccessor::GetWideStr(o);
  }
  void SetWideStr(TObject* o, const WideString& v) const override {
    if constexpr (std::is_same_v<V, WideString>)
      Set(o, v);
    else
      TPropAccessor::SetWideStr(o, v);
  }
  TObject* GetObject(TObject* o) const override {
    if constexpr (std::is_pointer_v<V>)
      return Get(o);
    else
      return TPropAccessor::GetObject(o);
  }
  void SetObject(TObject* o, TObject* v) const override {
    if constexpr (std::is_pointer_v<V>) {
      using T = std::remove_pointer_t<V>;
      if (v && !v->InheritsFrom(T::StaticClass())) RaiseInvalidValue();
      Set(o, static_cast<V>(v));
    } else {
      TPropAccessor::SetObject(o, v);
    }
  }
  bool MethodAssigned(TObject* o) const override {
    if constexpr (IsClosure<V>::value)
      return static_cast<bool>(Get(o));
    else
      return TPropAccessor::MethodAssigned(o);
  }
  void ClearMethod(TObject* o) const override {
    if constexpr (IsClosure<V>::value)
      Set(o, V());
    else
      TPropAccessor::ClearMethod(o);
  }
  bool SetMethod(TObject* o, const TMethodInfo& m, TObject* data) const override {
    if constexpr (IsClosure<V>::value) {
      if (m.ClosureType() != typeid(V)) return false;
      V c;
      m.Bind(data, &c);
      Set(o, c);
      return true;
    } else {
      return TPropAccessor::SetMethod(o, m, data);
    }
  }
  bool MethodIs(TObject* o, const TMethodInfo& m, TObject* data) const override {
    if constexpr (IsClosure<V>::value) {
      if (m.ClosureType() != typeid(V)) return false;
      V c;
      m.Bind(data, &c);
      return c == Get(o);
    } else {
      return TPropAccessor::MethodIs(o, m, data);
    }
  }

private:
  V Get(TObject* o) const {
    if (!get_) RaiseWriteOnly();
    return get_(static_cast<C*>(o));
  }
  void Set(TObject* o, const V& v) const {
    if (!set_) RaiseReadOnly();
    set_(static_cast<C*>(o), v);
  }
  std::function<V(C*)> get_;
  std::function<void(C*, const V&)> set_;
};

template <class C, class R, class... A>
class BoundMethod final : public TMethodInfo {
public:
  BoundMethod(AnsiString name, R (C::*method)(A...)) : TMethodInfo(std::move(name)), method_(method) {}
  const std::type_info& ClosureType() const override { return typeid(Closure<R(A...)>); }
  void Bind(TObject* data, void* out) const override {
    *static_cast<Closure<R(A...)>*>(out) = Closure<R(A...)>(static_cast<C*>(data), method_);
  }

private:
  R (C::*method_)(A...);
};

// Adds to a class's own lists (kept in TClassInfo::TypeData).
TPropInfo& AddProp(TClass c, std::unique_ptr<TPropInfo> prop);
void AddMethod(TClass c, std::unique_ptr<TMethodInfo> method);

}  // namespace typinfo_detail

// Refines the property just published.
class TPropBuilder {
public:
  explicit TPropBuilder(TPropInfo& prop) : prop_(prop) {}
  // The value not written to forms (ordinal properties: integers, enumerations, sets, bool).
  template <class V>
  TPropBuilder& Default(V value) {
    prop_.HasDefault = true;
    if constexpr (typinfo_detail::IsSet<V>::value)
      prop_.Default = static_cast<Int64>(value.Bits());
    else
      prop_.Default = static_cast<Int64>(value);
    return *this;
  }
  TPropBuilder& Stored(bool stored) {
    prop_.Stored = stored;
    return *this;
  }
  template <class C>
  TPropBuilder& Stored(bool (C::*isStored)()) {
    prop_.StoredFunc = [isStored](TObject* o) { return (static_cast<C*>(o)->*isStored)(); };
    return *this;
  }
  template <class C>
  TPropBuilder& Stored(bool (C::*isStored)() const) {
    prop_.StoredFunc = [isStored](TObject* o) { return (static_cast<const C*>(o)->*isStored)(); };
    return *this;
  }
  // A type of its own for an integer property (named values such as colours).
  TPropBuilder& Type(const TTypeInfo* type);

private:
  TPropInfo& prop_;
};

// The base of a PUBLISHED block: Prop and Method publish members of C.
template <class C>
class TPublisher {
protected:
  // A plain field.
  template <class V, class M>
    requires std::is_base_of_v<M, C>
  TPropBuilder Prop(const char* name, V M::*field) {
    return Add<V>(name, [field](C* o) -> V { return o->*field; }, [field](C* o, const V& v) { o->*field = v; });
  }
  // A getter and a setter (either may be nullptr).
  template <class G, class S>
  TPropBuilder Prop(const char* name, G getter, S setter) {
    using V = typename Getter<G>::Value;
    std::function<V(C*)> get;
    std::function<void(C*, const V&)> set;
    if constexpr (!std::is_null_pointer_v<G>)
      get = [getter](C* o) -> V { return (o->*getter)(); };
    if constexpr (!std::is_null_pointer_v<S>)
      set = [setter](C* o, const V& v) { (o->*setter)(v); };
    return Add<V>(name, std::move(get), std::move(set));
  }
  // A read-only property; it can be got by name but is not written to forms.
  template <class R, class M>
    requires std::is_base_of_v<M, C>
  TPropBuilder Prop(const char* name, R (M::*getter)() const) {
    return Prop(name, getter, nullptr);
  }
  template <class R, class M, class... A>
    requires std::is_base_of_v<M, C>
  void Method(const char* name, R (M::*method)(A...)) {
    typinfo_detail::AddMethod(C::StaticClass(),
                              std::make_unique<typinfo_detail::BoundMethod<M, R, A...>>(name, method));
  }

private:
  template <class G>
  struct Getter;
  template <class R, class M>
  struct Getter<R (M::*)() const> {
    using Value = std::remove_cvref_t<R>;
  };
  template <class R, class M>
  struct Getter<R (M::*)()> {
    using Value = std::remove_cvref_t<R>;
  };

  template <class V>
  TPropBuilder Add(const char* name, std::function<V(C*)> get, std::function<void(C*, const V&)> set) {
    auto prop = std::make_unique<TPropInfo>();
    prop->Name = name;
    prop->PropType = TypeInfo<V>();
    prop->Access = std::make_unique<typinfo_detail::Accessor<C, V>>(std::move(get), std::move(set));
    return TPropBuilder(typinfo_detail::AddProp(C::StaticClass(), std::move(prop)));
  }
};

// Publishes the properties of Class: the braces that follow hold Prop and Method calls, run
// once when the program starts. Use at global scope in the class's source file.
#define PUBLISHED(Class) PUBLISHED_IMPL(Class, __COUNTER__)
#define PUBLISHED_IMPL(Class, n) PUBLISHED_IMPL2(Class, n)
#define PUBLISHED_IMPL2(Class, n)                       \
  namespace {                                           \
  struct Published_##n : TPublisher<Class> {            \
    Published_##n();                                    \
  };                                                    \
  const Published_##n published_##n;                   \
  }                                                     \
  Published_##n::Published_##n()
