#include "classlib/TypInfo.h"

#include <mutex>

#include "classlib/PublishedFields.h"
#include "classlib/SysUtils.h"

namespace {

// What a class publishes itself, and the full list with the inherited properties, built on
// first use. Registration happens while the program starts; a later one rebuilds the lists.
TTypeInfo Float(const char* name, TFloatType type) {
  TTypeInfo t;
  t.Kind = tkFloat;
  t.Name = name;
  t.FloatType = type;
  return t;
}

struct TClassProps {
  std::vector<std::unique_ptr<TPropInfo>> own;
  std::vector<std::unique_ptr<TMethodInfo>> methods;
  std::vector<std::unique_ptr<TFieldInfo>> fields;
  std::vector<const TPropInfo*> all;
  unsigned generation = 0;  // of `all`; 0 = not built
};

struct Registry {
  std::recursive_mutex lock;
  std::vector<std::unique_ptr<TClassProps>> store;
  unsigned generation = 1;
};

Registry& TheRegistry() {
  static Registry registry;
  return registry;
}

TClassProps& PropsOf(TClass c) {
  if (!c->TypeData) {
    auto& store = TheRegistry().store;
    store.push_back(std::make_unique<TClassProps>());
    c->TypeData = store.back().get();
  }
  return *static_cast<TClassProps*>(c->TypeData);
}

TPropInfo* FindIn(std::vector<const TPropInfo*>& list, const AnsiString& name, std::size_t* index) {
  for (std::size_t i = 0; i < list.size(); ++i)
    if (CompareText(list[i]->Name, name) == 0) {
      *index = i;
      return const_cast<TPropInfo*>(list[i]);
    }
  return nullptr;
}

const TPropInfo* PropOrRaise(TObject* instance, const AnsiString& name) {
  const TPropInfo* p = GetPropInfo(instance, name);
  if (!p) throw EPropertyError("Property " + name + " does not exist");
  return p;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Types

TTypeInfo TTypeInfo::Enumeration(const char* name, std::initializer_list<const char*> names) {
  TTypeInfo t;
  t.Kind = tkEnumeration;
  t.Name = name;
  t.OrdType = names.size() <= 256 ? otUByte : otUWord;
  t.MinValue = 0;
  t.MaxValue = static_cast<Int64>(names.size()) - 1;
  for (const char* n : names) t.EnumNames.emplace_back(n);
  return t;
}

TTypeInfo TTypeInfo::NamedInteger(const char* name, TIdentToInt identToInt, TIntToIdent intToIdent,
                                  TOrdType ordType) {
  TTypeInfo t = typinfo_detail::Ordinal(tkInteger, name, ordType, 0, 0);
  switch (ordType) {
    case otSByte: t.MinValue = -128, t.MaxValue = 127; break;
    case otUByte: t.MinValue = 0, t.MaxValue = 255; break;
    case otSWord: t.MinValue = -32768, t.MaxValue = 32767; break;
    case otUWord: t.MinValue = 0, t.MaxValue = 65535; break;
    case otSLong: t.MinValue = INT32_MIN, t.MaxValue = INT32_MAX; break;
    case otULong: t.MinValue = 0, t.MaxValue = UINT32_MAX; break;
  }
  t.IdentToInt = identToInt;
  t.IntToIdent = intToIdent;
  return t;
}

TTypeInfo TTypeInfo::SetOf(const char* name, const TTypeInfo* compType) {
  TTypeInfo t;
  t.Kind = tkSet;
  t.Name = name;
  t.CompType = compType;
  return t;
}

TTypeInfo typinfo_detail::Ordinal(TTypeKind kind, const char* name, TOrdType ordType, Int64 minValue,
                                  Int64 maxValue) {
  TTypeInfo t;
  t.Kind = kind;
  t.Name = name;
  t.OrdType = ordType;
  t.MinValue = minValue;
  t.MaxValue = maxValue;
  return t;
}

const TTypeInfo* typinfo_detail::BooleanInfo() {
  static const TTypeInfo info = TTypeInfo::Enumeration("Boolean", {"False", "True"});
  return &info;
}

const TTypeInfo* typinfo_detail::FloatInfo(TFloatType type) {
  static const TTypeInfo infos[] = {Float("Single", ftSingle), Float("Double", ftDouble), Float("Extended", ftExtended)};
  return &infos[type == ftSingle ? 0 : type == ftDouble ? 1 : 2];
}

const TTypeInfo* typinfo_detail::StringInfo() {
  static const TTypeInfo info = Ordinal(tkLString, "AnsiString", otSLong, 0, 0);
  return &info;
}

const TTypeInfo* typinfo_detail::WideStringInfo() {
  static const TTypeInfo info = Ordinal(tkWString, "WideString", otSLong, 0, 0);
  return &info;
}

const TTypeInfo* typinfo_detail::Int64Info() {
  static const TTypeInfo info = Ordinal(tkInt64, "Int64", otSLong, INT64_MIN, INT64_MAX);
  return &info;
}

const TTypeInfo* typinfo_detail::MethodInfo() {
  static const TTypeInfo info = Ordinal(tkMethod, "Method", otSLong, 0, 0);
  return &info;
}

TTypeInfo typinfo_detail::ClassRef(TClass c) {
  TTypeInfo t;
  t.Kind = tkClass;
  t.Name = c->Name;
  t.ClassType = c;
  return t;
}

void typinfo_detail::RaiseReadOnly() { throw EPropertyError("Property is read-only"); }
void typinfo_detail::RaiseWriteOnly() { throw EPropertyError("Property is write-only"); }
void typinfo_detail::RaiseInvalidType() { throw EPropertyError("Invalid property type"); }
void typinfo_detail::RaiseInvalidValue() { throw EPropertyError("Invalid property value"); }

AnsiString GetEnumName(const TTypeInfo* TypeInfo, Int64 Value) {
  if (TypeInfo->Kind == tkEnumeration) {
    if (Value < TypeInfo->MinValue || Value > TypeInfo->MaxValue) return AnsiString();
    return TypeInfo->EnumNames[static_cast<std::size_t>(Value - TypeInfo->MinValue)];
  }
  return IntToStr(Value);
}

Int64 GetEnumValue(const TTypeInfo* TypeInfo, const AnsiString& Name) {
  if (TypeInfo->Kind == tkEnumeration) {
    for (std::size_t i = 0; i < TypeInfo->EnumNames.size(); ++i)
      if (CompareText(TypeInfo->EnumNames[i], Name) == 0) return TypeInfo->MinValue + static_cast<Int64>(i);
    return -1;
  }
  // Members of integer sets are written as numbers.
  if (Name.empty()) return -1;
  Int64 v = 0;
  std::size_t i = Name[0] == '-' ? 1 : 0;
  if (i == Name.size()) return -1;
  for (; i < Name.size(); ++i) {
    if (Name[i] < '0' || Name[i] > '9' || v > INT64_MAX / 10) return -1;
    v = v * 10 + (Name[i] - '0');
  }
  return Name[0] == '-' ? -v : v;
}

// ---------------------------------------------------------------------------------------------
// Accessors: the calls that do not fit a property's kind

Int64 TPropAccessor::GetOrd(TObject*) const { typinfo_detail::RaiseInvalidType(); }
void TPropAccessor::SetOrd(TObject*, Int64) const { typinfo_detail::RaiseInvalidType(); }
Extended TPropAccessor::GetFloat(TObject*) const { typinfo_detail::RaiseInvalidType(); }
void TPropAccessor::SetFloat(TObject*, Extended) const { typinfo_detail::RaiseInvalidType(); }
AnsiString TPropAccessor::GetStr(TObject*) const { typinfo_detail::RaiseInvalidType(); }
void TPropAccessor::SetStr(TObject*, const AnsiString&) const { typinfo_detail::RaiseInvalidType(); }
WideString TPropAccessor::GetWideStr(TObject*) const { typinfo_detail::RaiseInvalidType(); }
void TPropAccessor::SetWideStr(TObject*, const WideString&) const { typinfo_detail::RaiseInvalidType(); }
TObject* TPropAccessor::GetObject(TObject*) const { typinfo_detail::RaiseInvalidType(); }
void TPropAccessor::SetObject(TObject*, TObject*) const { typinfo_detail::RaiseInvalidType(); }
bool TPropAccessor::MethodAssigned(TObject*) const { typinfo_detail::RaiseInvalidType(); }
void TPropAccessor::ClearMethod(TObject*) const { typinfo_detail::RaiseInvalidType(); }
bool TPropAccessor::SetMethod(TObject*, const TMethodInfo&, TObject*) const { typinfo_detail::RaiseInvalidType(); }
bool TPropAccessor::MethodIs(TObject*, const TMethodInfo&, TObject*) const { typinfo_detail::RaiseInvalidType(); }

// ---------------------------------------------------------------------------------------------
// Registration and lookup

TPropInfo& typinfo_detail::AddProp(TClass c, std::unique_ptr<TPropInfo> prop) {
  Registry& r = TheRegistry();
  std::lock_guard<std::recursive_mutex> guard(r.lock);
  auto& own = PropsOf(c).own;
  own.push_back(std::move(prop));
  ++r.generation;
  return *own.back();
}

void typinfo_detail::AddMethod(TClass c, std::unique_ptr<TMethodInfo> method) {
  Registry& r = TheRegistry();
  std::lock_guard<std::recursive_mutex> guard(r.lock);
  PropsOf(c).methods.push_back(std::move(method));
}

void typinfo_detail::AddField(TClass c, std::unique_ptr<TFieldInfo> field) {
  Registry& r = TheRegistry();
  std::lock_guard<std::recursive_mutex> guard(r.lock);
  PropsOf(c).fields.push_back(std::move(field));
}

TPropBuilder& TPropBuilder::Type(const TTypeInfo* type) {
  const TTypeKind kind = prop_.PropType->Kind;
  const bool ordinal = kind == tkInteger || kind == tkEnumeration || kind == tkSet || kind == tkChar;
  const bool fits = ordinal ? (type->Kind == tkInteger || type->Kind == tkEnumeration || type->Kind == tkSet ||
                               type->Kind == tkChar)
                            : type->Kind == kind;
  if (!fits) typinfo_detail::RaiseInvalidType();
  prop_.PropType = type;
  return *this;
}

const std::vector<const TPropInfo*>& GetPropList(TClass Class) {
  Registry& r = TheRegistry();
  std::lock_guard<std::recursive_mutex> guard(r.lock);
  TClassProps& props = PropsOf(Class);
  if (props.generation != r.generation) {
    std::vector<const TPropInfo*> all;
    if (Class->Parent) all = GetPropList(Class->Parent);
    for (const auto& p : props.own) {
      std::size_t at;
      if (FindIn(all, p->Name, &at))
        all[at] = p.get();
      else
        all.push_back(p.get());
    }
    props.all = std::move(all);
    props.generation = r.generation;
  }
  return props.all;
}

const TPropInfo* GetPropInfo(TClass Class, const AnsiString& PropName) {
  for (const TPropInfo* p : GetPropList(Class))
    if (CompareText(p->Name, PropName) == 0) return p;
  return nullptr;
}

const TPropInfo* GetPropInfo(const TObject* Instance, const AnsiString& PropName) {
  return GetPropInfo(Instance->ClassType(), PropName);
}

bool IsPublishedProp(const TObject* Instance, const AnsiString& PropName) {
  return GetPropInfo(Instance, PropName) != nullptr;
}

const TMethodInfo* FindPublishedMethod(TClass Class, const AnsiString& Name) {
  Registry& r = TheRegistry();
  std::lock_guard<std::recursive_mutex> guard(r.lock);
  for (TClass c = Class; c; c = c->Parent) {
    if (!c->TypeData) continue;
    for (const auto& m : static_cast<TClassProps*>(c->TypeData)->methods)
      if (CompareText(m->Name, Name) == 0) return m.get();
  }
  return nullptr;
}

const TFieldInfo* FindPublishedField(TClass Class, const AnsiString& Name) {
  Registry& r = TheRegistry();
  std::lock_guard<std::recursive_mutex> guard(r.lock);
  for (TClass c = Class; c; c = c->Parent) {
    if (!c->TypeData) continue;
    for (const auto& f : static_cast<TClassProps*>(c->TypeData)->fields)
      if (CompareText(f->Name, Name) == 0) return f.get();
  }
  return nullptr;
}

std::vector<const TFieldInfo*> GetFieldList(TClass Class) {
  std::vector<const TFieldInfo*> list;
  if (!Class) return list;
  list = GetFieldList(Class->Parent);
  Registry& r = TheRegistry();
  std::lock_guard<std::recursive_mutex> guard(r.lock);
  if (Class->TypeData)
    for (const auto& f : static_cast<TClassProps*>(Class->TypeData)->fields) list.push_back(f.get());
  return list;
}

const TMethodInfo* FindMethodOf(TObject* Instance, const TPropInfo* Event, TObject* Data) {
  if (!Data || !Event->Access->MethodAssigned(Instance)) return nullptr;
  Registry& r = TheRegistry();
  std::lock_guard<std::recursive_mutex> guard(r.lock);
  for (TClass c = Data->ClassType(); c; c = c->Parent) {
    if (!c->TypeData) continue;
    for (const auto& m : static_cast<TClassProps*>(c->TypeData)->methods)
      if (Event->Access->MethodIs(Instance, *m, Data)) return m.get();
  }
  return nullptr;
}

bool IsStoredProp(TObject* Instance, const TPropInfo* PropInfo) {
  if (PropInfo->StoredFunc) return PropInfo->StoredFunc(Instance);
  return PropInfo->Stored;
}

// ---------------------------------------------------------------------------------------------
// Getting and setting

Int64 GetOrdProp(TObject* Instance, const TPropInfo* PropInfo) { return PropInfo->Access->GetOrd(Instance); }

void SetOrdProp(TObject* Instance, const TPropInfo* PropInfo, Int64 Value) {
  PropInfo->Access->SetOrd(Instance, Value);
}

Int64 GetOrdProp(TObject* Instance, const AnsiString& PropName) {
  return GetOrdProp(Instance, PropOrRaise(Instance, PropName));
}

void SetOrdProp(TObject* Instance, const AnsiString& PropName, Int64 Value) {
  SetOrdProp(Instance, PropOrRaise(Instance, PropName), Value);
}

AnsiString GetEnumProp(TObject* Instance, const AnsiString& PropName) {
  const TPropInfo* p = PropOrRaise(Instance, PropName);
  return GetEnumName(p->PropType, p->Access->GetOrd(Instance));
}

void SetEnumProp(TObject* Instance, const AnsiString& PropName, const AnsiString& Value) {
  const TPropInfo* p = PropOrRaise(Instance, PropName);
  Int64 v = GetEnumValue(p->PropType, Value);
  if (v < 0 && p->PropType->Kind == tkEnumeration) typinfo_detail::RaiseInvalidValue();
  p->Access->SetOrd(Instance, v);
}

Extended GetFloatProp(TObject* Instance, const AnsiString& PropName) {
  return PropOrRaise(Instance, PropName)->Access->GetFloat(Instance);
}

void SetFloatProp(TObject* Instance, const AnsiString& PropName, Extended Value) {
  PropOrRaise(Instance, PropName)->Access->SetFloat(Instance, Value);
}

AnsiString GetStrProp(TObject* Instance, const AnsiString& PropName) {
  return PropOrRaise(Instance, PropName)->Access->GetStr(Instance);
}

void SetStrProp(TObject* Instance, const AnsiString& PropName, const AnsiString& Value) {
  PropOrRaise(Instance, PropName)->Access->SetStr(Instance, Value);
}

WideString GetWideStrProp(TObject* Instance, const AnsiString& PropName) {
  return PropOrRaise(Instance, PropName)->Access->GetWideStr(Instance);
}

void SetWideStrProp(TObject* Instance, const AnsiString& PropName, const WideString& Value) {
  PropOrRaise(Instance, PropName)->Access->SetWideStr(Instance, Value);
}

TObject* GetObjectProp(TObject* Instance, const AnsiString& PropName) {
  return PropOrRaise(Instance, PropName)->Access->GetObject(Instance);
}

void SetObjectProp(TObject* Instance, const AnsiString& PropName, TObject* Value) {
  PropOrRaise(Instance, PropName)->Access->SetObject(Instance, Value);
}
