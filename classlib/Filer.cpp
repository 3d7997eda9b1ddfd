#include "classlib/Filer.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "classlib/Handles.h"
#include "classlib/PublishedFields.h"
#include "classlib/Strings.h"
#include "classlib/SysUtils.h"
#include "classlib/TypInfo.h"

namespace {

constexpr char kSignature[4] = {'T', 'P', 'F', '0'};


[[noreturn]] void ReadError(const AnsiString& message) { throw EReadError(message); }

// The component a reference names, as the writer spells it (see TWriter::ComponentRefName):
// "Owner" is the root itself, "Name" one of its components, "A.B" component B of A.
TComponent* FindNestedComponent(TComponent* root, const AnsiString& path) {
  if (!root || path.empty()) return nullptr;
  TComponent* result = nullptr;
  std::size_t start = 0;
  bool first = true;
  while (start <= path.size()) {
    std::size_t dot = path.find('.', start);
    if (dot == AnsiString::npos) dot = path.size();
    AnsiString segment = path.substr(start, dot - start);
    if (CompareText(segment, "Owner") == 0) {
      if (first) result = root;
    } else {
      result = (first ? root : result)->FindComponent(segment);
    }
    if (!result) return nullptr;
    first = false;
    start = dot + 1;
  }
  return result;
}

// Stores Component in its owner's published field of its name, if there is one, as the owner's
// code reaches its components through these fields: a component of another class than the
// field's is an error here rather than a wrong pointer found later. Returns the field set.
const TFieldInfo* BindField(TComponent* Component) {
  TComponent* owner = Component->GetOwner();
  if (!owner || Component->GetName().empty()) return nullptr;
  const TFieldInfo* field = FindPublishedField(owner->ClassType(), Component->GetName());
  if (!field) return nullptr;
  if (!Component->InheritsFrom(field->FieldClass))
    ReadError("Field " + owner->ClassName() + "." + field->Name + " is a " + field->FieldClass->Name +
              ", but component " + Component->GetName() + " is a " + Component->ClassName());
  field->Set(owner, Component);
  return field;
}

// Raises EReadError for a published field of Root that the form text left unset.
void CheckFieldsSet(TComponent* Root) {
  for (const TFieldInfo* field : GetFieldList(Root->ClassType()))
    if (!field->Get(Root))
      ReadError("Field " + Root->ClassName() + "." + field->Name + " (a " + field->FieldClass->Name +
                ") is not set: the form text has no component " + field->Name);
}

}  // namespace

// TComponent publishes its name (written in the component header instead) and its tag.
PUBLISHED(TComponent) {
  Prop("Name", &TComponent::GetName, &TComponent::SetName).Stored(false);
  Prop("Tag", &TComponent::Tag).Default(0);
}

// =============================================================================================
// TReader

// The components read so far, in the order they get Loaded. It asks each component for a free
// notification, so that one freed before the tree is complete drops out of the list.
class TReader::LoadedList : public TComponent {
public:
  LoadedList() : TComponent(nullptr) {}
  ~LoadedList() override {
    for (TComponent* c : items) RemoveFreeNotification(c);
  }
  void Add(TComponent* c) {
    if (std::find(items.begin(), items.end(), c) != items.end()) return;
    items.push_back(c);
    FreeNotification(c);
  }
  void Remove(TComponent* c) { std::erase(items, c); }
  // Calls Loaded for each component, taking each out of the list first.
  void CallLoaded() {
    while (!items.empty()) {
      TComponent* c = items.front();
      items.erase(items.begin());
      RemoveFreeNotification(c);
      c->Loaded();
    }
  }
  void Notification(TComponent* AComponent, TOperation Operation) override {
    if (Operation == opRemove) Remove(AComponent);
  }

  std::vector<TComponent*> items;
};

TReader::TReader(TStream* Stream, Integer BufSize) : TFiler(Stream), FBuf(BufSize > 16 ? BufSize : 16) {}

TReader::~TReader() {
  try {
    FlushBuffer();
  } catch (...) {
    // The stream could not be set back; nothing more can be done while the reader goes.
  }
}

void TReader::FlushBuffer() {
  if (FBufEnd > FBufPos) FStream->Seek(-static_cast<Int64>(FBufEnd - FBufPos), soCurrent);
  FBufPos = FBufEnd = 0;
}

bool TReader::Fill() {
  FBufEnd = FStream->Read(FBuf.data(), static_cast<Integer>(FBuf.size()));
  FBufPos = 0;
  if (FBufEnd < 0) FBufEnd = 0;
  return FBufEnd > 0;
}

void TReader::Read(void* Buf, Integer Count) {
  auto* out = static_cast<Byte*>(Buf);
  while (Count > 0) {
    if (FBufPos == FBufEnd && !Fill()) ReadError("Stream read error");
    Integer n = FBufEnd - FBufPos < Count ? FBufEnd - FBufPos : Count;
    std::memcpy(out, FBuf.data() + FBufPos, static_cast<std::size_t>(n));
    FBufPos += n;
    out += n;
    Count -= n;
  }
}

Byte TReader::ReadByte() {
  if (FBufPos == FBufEnd && !Fill()) ReadError("Stream read error");
  return FBuf[static_cast<std::size_t>(FBufPos++)];
}

Integer TReader::ReadCount(Integer UnitSize) {
  Integer n;
  Read(&n, 4);
  if (n < 0) PropValueError();
  // A damaged count can claim gigabytes; what it claims must still be in the stream (the bytes
  // buffered and those after them). A stream that cannot tell its size is read until it ends.
  const Int64 size = FStream->GetSize();
  const Int64 position = FStream->GetPosition();
  if (size >= 0 && position >= 0 && static_cast<Int64>(n) * UnitSize > (FBufEnd - FBufPos) + (size - position))
    ReadError("Stream read error");
  return n;
}

Int64 TReader::GetPosition() const { return FStream->GetPosition() - (FBufEnd - FBufPos); }

void TReader::SetPosition(Int64 Value) {
  FlushBuffer();
  FStream->SetPosition(Value);
}

void TReader::PropValueError() { ReadError("Invalid property value"); }

void TReader::PropertyError(const AnsiString& Name) {
  SkipValue();
  ReadError("Property " + Name + " does not exist");
}

TValueType TReader::NextValue() {
  if (FBufPos == FBufEnd && !Fill()) ReadError("Stream read error");
  return static_cast<TValueType>(FBuf[static_cast<std::size_t>(FBufPos)]);
}

TValueType TReader::ReadValue() { return static_cast<TValueType>(ReadByte()); }

void TReader::CheckValue(TValueType Value) {
  if (ReadValue() != Value) {
    --FBufPos;
    SkipValue();
    PropValueError();
  }
}

bool TReader::EndOfList() { return NextValue() == vaNull; }

void TReader::ReadListBegin() { CheckValue(vaList); }

void TReader::ReadListEnd() { CheckValue(vaNull); }

void TReader::ReadSignature() {
  char signature[4];
  Read(signature, 4);
  if (std::memcmp(signature, kSignature, 4) != 0) ReadError("Invalid stream format");
}

void TReader::ReadPrefix(TFilerFlags& Flags, Integer& AChildPos) {
  Flags = TFilerFlags();
  if ((NextValue() & 0xF0) == 0xF0) {
    Byte prefix = ReadByte();
    Flags = TFilerFlags::FromBits(prefix & 0x0F);
    if (Flags.Contains(ffChildPos)) AChildPos = ReadInteger();
  }
}

AnsiString TReader::ReadStr() {
  Byte n = ReadByte();
  AnsiString s(n, '\0');
  Read(s.data(), n);
  return s;
}

bool TReader::ReadBoolean() {
  switch (ReadValue()) {
    case vaTrue: return true;
    case vaFalse: return false;
    default: --FBufPos; SkipValue(); PropValueError();
  }
}

AnsiChar TReader::ReadChar() {
  AnsiString s = ReadString();
  if (s.size() != 1) PropValueError();
  return s[0];
}

WideChar TReader::ReadWideChar() {
  WideString s = ReadWideString();
  if (s.size() != 1) PropValueError();
  return s[0];
}

Integer TReader::ReadInteger() {
  switch (ReadValue()) {
    case vaInt8: {
      std::int8_t v;
      Read(&v, 1);
      return v;
    }
    case vaInt16: {
      std::int16_t v;
      Read(&v, 2);
      return v;
    }
    case vaInt32: {
      std::int32_t v;
      Read(&v, 4);
      return v;
    }
    default:
      --FBufPos;
      SkipValue();
      PropValueError();
  }
}

Int64 TReader::ReadInt64() {
  if (NextValue() == vaInt64) {
    ReadValue();
    Int64 v;
    Read(&v, 8);
    return v;
  }
  return ReadInteger();
}

Extended TReader::ReadFloat() {
  switch (NextValue()) {
    case vaExtended: {
      ReadValue();
      Extended v = 0;
      Read(&v, 10);
      return v;
    }
    case vaSingle: {
      ReadValue();
      Single v;
      Read(&v, 4);
      return v;
    }
    case vaDate: {
      ReadValue();
      double v;
      Read(&v, 8);
      return v;
    }
    case vaCurrency: {
      ReadValue();
      Int64 v;
      Read(&v, 8);
      return static_cast<Extended>(v) / 10000;
    }
    case vaInt64:
      return static_cast<Extended>(ReadInt64());
    default:
      return ReadInteger();
  }
}

Single TReader::ReadSingle() { return static_cast<Single>(ReadFloat()); }

TDateTime TReader::ReadDate() { return static_cast<TDateTime>(ReadFloat()); }

AnsiString TReader::ReadString() {
  switch (ReadValue()) {
    case vaString: {
      Byte n = ReadByte();
      AnsiString s(n, '\0');
      Read(s.data(), n);
      return s;
    }
    case vaLString: {
      const Integer n = ReadCount(1);
      AnsiString s(static_cast<std::size_t>(n), '\0');
      Read(s.data(), n);
      return s;
    }
    case vaWString:
      --FBufPos;
      return WideToAnsi(ReadWideString());
    default:
      --FBufPos;
      SkipValue();
      PropValueError();
  }
}

WideString TReader::ReadWideString() {
  if (NextValue() != vaWString) return AnsiToWide(ReadString());
  ReadValue();
  const Integer n = ReadCount(2);
  WideString s(static_cast<std::size_t>(n), L'\0');
  Read(s.data(), n * 2);
  return s;
}

AnsiString TReader::ReadIdent() {
  switch (ReadValue()) {
    case vaIdent: return ReadStr();
    case vaFalse: return "False";
    case vaTrue: return "True";
    case vaNil: return "nil";
    case vaNull: return "Null";
    default: --FBufPos; SkipValue(); PropValueError();
  }
}

void TReader::SkipSetBody() {
  while (!ReadStr().empty()) {
  }
}

void TReader::SkipProperty() {
  ReadStr();
  SkipValue();
}

void TReader::SkipValue() {
  auto skip = [this](Int64 n) {
    Byte scratch[256];
    while (n > 0) {
      Integer k = n > 256 ? 256 : static_cast<Integer>(n);
      Read(scratch, k);
      n -= k;
    }
  };
  auto skipCounted = [&](Integer unit) { skip(static_cast<Int64>(ReadCount(unit)) * unit); };
  switch (ReadValue()) {
    case vaNull: case vaFalse: case vaTrue: case vaNil: break;
    case vaList:
      while (!EndOfList()) SkipValue();
      ReadListEnd();
      break;
    case vaInt8: skip(1); break;
    case vaInt16: skip(2); break;
    case vaInt32: case vaSingle: skip(4); break;
    case vaExtended: skip(10); break;
    case vaString: case vaIdent: ReadStr(); break;
    case vaBinary: case vaLString: skipCounted(1); break;
    case vaWString: skipCounted(2); break;
    case vaSet: SkipSetBody(); break;
    case vaCollection:
      while (!EndOfList()) {
        if (NextValue() == vaInt8 || NextValue() == vaInt16 || NextValue() == vaInt32) SkipValue();
        ReadListBegin();
        while (!EndOfList()) SkipProperty();
        ReadListEnd();
      }
      ReadListEnd();
      break;
    case vaCurrency: case vaDate: case vaInt64: skip(8); break;
    default: PropValueError();
  }
}

// ---------------------------------------------------------------------------------------------
// Components

void TReader::AddLoaded(TComponent* Component) {
  if (FLoaded) FLoaded->Add(Component);
}

TComponent* TReader::ReadRootComponent(TComponent* Root) {
  ReadSignature();
  TFilerFlags flags;
  Integer childPos = 0;
  ReadPrefix(flags, childPos);
  TComponent* result = Root;
  LoadedList loaded;
  LoadedList* oldLoaded = FLoaded;
  try {
    if (!Root) {
      AnsiString className = ReadStr();
      TClass cls = FindClass(className);
      TObject* made = cls->InheritsFrom(TComponent::StaticClass()) ? cls->Create(nullptr) : nullptr;
      if (!made) throw EClassNotFound("Class " + className + " not found");
      result = static_cast<TComponent*>(made);
      result->FComponentState << csLoading << csReading;
      result->SetName(ReadStr());
    } else {
      ReadStr();  // the class name: the given root is read whatever its class
      result->FComponentState << csLoading << csReading;
      AnsiString name = ReadStr();
      if (!result->FComponentState.Contains(csDesigning)) result->SetName(name);
    }
    FRoot = result;
    FLookupRoot = result;
    Owner = result;
    FLoaded = &loaded;
    loaded.Add(result);
    result->ReadState(this);
    result->FComponentState >> csReading;
    CheckFieldsSet(result);
    FLoaded = oldLoaded;
  } catch (...) {
    FLoaded = oldLoaded;
    if (!Root)
      delete result;
    else
      Root->FComponentState -= TComponentState{csLoading, csReading};
    throw;
  }
  loaded.CallLoaded();
  return result;
}

TComponent* TReader::ReadComponent(TComponent* Component) {
  TFilerFlags flags;
  Integer childPos = 0;
  ReadPrefix(flags, childPos);
  AnsiString className = ReadStr();
  AnsiString name = ReadStr();
  TComponent* oldParent = Parent;
  TComponent* oldLookupRoot = FLookupRoot;
  // Read on its own, a component and its children get Loaded when it is complete.
  std::unique_ptr<LoadedList> ownLoaded;
  if (!FLoaded) {
    ownLoaded = std::make_unique<LoadedList>();
    FLoaded = ownLoaded.get();
  }
  TComponent* result = Component;
  bool created = false;
  const TFieldInfo* field = nullptr;
  try {
    if (!result) {
      if (flags.Contains(ffInherited)) {
        TComponent* lookup = FLookupRoot ? FLookupRoot : FRoot;
        result = lookup ? lookup->FindComponent(name) : nullptr;
        if (!result) ReadError("Ancestor for '" + name + "' not found");
      } else {
        TClass cls = FindClass(className);
        TObject* made = cls->InheritsFrom(TComponent::StaticClass()) ? cls->Create(Owner) : nullptr;
        if (!made) throw EClassNotFound("Class " + className + " not found");
        result = static_cast<TComponent*>(made);
        created = true;
      }
    }
    result->FComponentState << csLoading;
    if (!flags.Contains(ffInherited)) result->SetName(name);
    if (flags.Contains(ffInline)) {
      result->FComponentState << csInline;
      FLookupRoot = result;
    }
    field = BindField(result);
    if (created && Parent && result->HasParent()) result->SetParentComponent(Parent);
    result->FComponentState << csReading;
    result->ReadState(this);
    result->FComponentState >> csReading;
    if (flags.Contains(ffChildPos) && Parent) Parent->SetChildOrder(result, childPos);
    AddLoaded(result);
  } catch (...) {
    Parent = oldParent;
    FLookupRoot = oldLookupRoot;
    if (ownLoaded) FLoaded = nullptr;
    if (created) {
      if (field) field->Set(result->GetOwner(), nullptr);
      delete result;
    }
    throw;
  }
  Parent = oldParent;
  FLookupRoot = oldLookupRoot;
  if (ownLoaded) {
    FLoaded = nullptr;
    ownLoaded->CallLoaded();
  }
  return result;
}

void TReader::ReadData(TComponent* Instance) {
  BeginFixups();
  try {
    ReadDataInner(Instance);
  } catch (...) {
    if (--FFixupDepth == 0) FFixups.clear();
    throw;
  }
  EndFixups();
}

void TReader::ReadDataInner(TComponent* Instance) {
  while (!EndOfList()) ReadProperty(Instance);
  ReadListEnd();
  TComponent* oldParent = Parent;
  TComponent* oldOwner = Owner;
  Parent = Instance->GetChildParent();
  Owner = Instance->GetChildOwner();
  if (!Owner) Owner = FRoot;
  ScopeExit restore([&] {
    Parent = oldParent;
    Owner = oldOwner;
  });
  while (!EndOfList()) ReadComponent(nullptr);
  ReadListEnd();
}

void TReader::BeginFixups() { ++FFixupDepth; }

void TReader::EndFixups() {
  if (--FFixupDepth == 0) {
    std::vector<Fixup> fixups;
    fixups.swap(FFixups);
    for (const Fixup& f : fixups) {
      // A name that finds no component leaves the property empty, as when the component it
      // named belongs to a form that is not loaded.
      TComponent* ref = FindNestedComponent(f.root, f.name);
      if (!ref) continue;
      try {
        f.prop->Access->SetObject(f.instance, ref);
      } catch (const Exception& e) {
        ReadError("Error reading " + f.prop->Name + ": " + e.Message);
      }
    }
  }
}

void TReader::ReadProperty(TPersistent* Instance) {
  AnsiString path = ReadStr();
  try {
    TPersistent* target = Instance;
    std::size_t start = 0;
    for (;;) {
      std::size_t dot = path.find('.', start);
      FPropName = path.substr(start, dot == AnsiString::npos ? AnsiString::npos : dot - start);
      if (dot == AnsiString::npos) break;
      const TPropInfo* prop = GetPropInfo(target, FPropName);
      if (!prop) PropertyError(FPropName);
      TObject* value = prop->PropType->Kind == tkClass ? prop->Access->GetObject(target) : nullptr;
      if (!value || !value->InheritsFrom(TPersistent::StaticClass())) {
        SkipValue();
        ReadError("Invalid property path");
      }
      target = static_cast<TPersistent*>(value);
      start = dot + 1;
    }
    if (const TPropInfo* prop = GetPropInfo(target, FPropName)) {
      ReadPropValue(target, prop);
    } else {
      target->DefineProperties(this);
      if (!FPropName.empty()) PropertyError(FPropName);
    }
  } catch (const Exception& e) {
    AnsiString name;
    if (Instance->InheritsFrom(TComponent::StaticClass())) name = static_cast<TComponent*>(Instance)->GetName();
    if (name.empty()) name = Instance->ClassName();
    throw EReadError("Error reading " + name + "." + path + ": " + e.Message);
  }
}

void TReader::ReadPropValue(TPersistent* Instance, const TPropInfo* Prop) {
  const TPropAccessor& access = *Prop->Access;
  if (!access.CanWrite() || !access.CanRead()) {
    SkipValue();
    ReadError("Property is read-only");
  }
  const TTypeInfo* type = Prop->PropType;
  switch (type->Kind) {
    case tkInteger:
      if (NextValue() == vaIdent) {
        AnsiString ident = ReadIdent();
        Integer v;
        if (!type->IdentToInt || !type->IdentToInt(ident, v)) PropValueError();
        access.SetOrd(Instance, v);
      } else {
        access.SetOrd(Instance, ReadInteger());
      }
      break;
    case tkChar:
      access.SetOrd(Instance, static_cast<Byte>(ReadChar()));
      break;
    case tkWChar:
      access.SetOrd(Instance, static_cast<Word>(ReadWideChar()));
      break;
    case tkEnumeration: {
      Int64 v = GetEnumValue(type, ReadIdent());
      if (v < 0) PropValueError();
      access.SetOrd(Instance, v);
      break;
    }
    case tkSet:
      access.SetOrd(Instance, ReadSet(Prop));
      break;
    case tkInt64:
      access.SetOrd(Instance, ReadInt64());
      break;
    case tkFloat:
      access.SetFloat(Instance, ReadFloat());
      break;
    case tkString:
    case tkLString:
      access.SetStr(Instance, ReadString());
      break;
    case tkWString:
      access.SetWideStr(Instance, ReadWideString());
      break;
    case tkClass:
      switch (NextValue()) {
        case vaNil:
          ReadValue();
          access.SetObject(Instance, nullptr);
          break;
        case vaCollection: {
          ReadValue();
          TObject* value = access.GetObject(Instance);
          if (!value || !value->InheritsFrom(TCollection::StaticClass())) {
            --FBufPos;
            SkipValue();
            PropValueError();
          }
          ReadCollection(static_cast<TCollection*>(value));
          break;
        }
        default: {
          AnsiString name = ReadIdent();
          FFixups.push_back({Instance, Prop, FLookupRoot ? FLookupRoot : FRoot, name});
          if (FFixupDepth == 0) {
            BeginFixups();
            EndFixups();
          }
        }
      }
      break;
    case tkMethod:
      if (NextValue() == vaNil) {
        ReadValue();
        access.ClearMethod(Instance);
      } else {
        AnsiString name = ReadIdent();
        TComponent* root = FLookupRoot ? FLookupRoot : FRoot;
        const TMethodInfo* method = root ? FindPublishedMethod(root->ClassType(), name) : nullptr;
        if (!method || !access.SetMethod(Instance, *method, root)) PropValueError();
      }
      break;
    default:
      SkipValue();
      PropValueError();
  }
}

Int64 TReader::ReadSet(const TPropInfo* Prop) {
  if (ReadValue() != vaSet) {
    --FBufPos;
    SkipValue();
    PropValueError();
  }
  Int64 result = 0;
  for (;;) {
    AnsiString name = ReadStr();
    if (name.empty()) break;
    Int64 v = GetEnumValue(Prop->PropType->CompType, name);
    if (v < 0 || v > 63) {
      SkipSetBody();
      PropValueError();
    }
    result |= Int64{1} << v;
  }
  return result;
}

void TReader::ReadCollection(TCollection* Collection) {
  BeginFixups();
  Collection->BeginUpdate();
  try {
    if (!EndOfList()) Collection->Clear();
    while (!EndOfList()) {
      TValueType next = NextValue();
      if (next == vaInt8 || next == vaInt16 || next == vaInt32) ReadInteger();  // the item's index
      TCollectionItem* item = Collection->Add();
      ReadListBegin();
      while (!EndOfList()) ReadProperty(item);
      ReadListEnd();
    }
    ReadListEnd();
  } catch (...) {
    Collection->EndUpdate();
    if (--FFixupDepth == 0) FFixups.clear();
    throw;
  }
  Collection->EndUpdate();
  EndFixups();
}

void TReader::DefineProperty(const AnsiString& Name, TReaderProc ReadData, TWriterProc, bool) {
  if (ReadData && CompareText(Name, FPropName) == 0) {
    ReadData(this);
    FPropName.clear();
  }
}

void TReader::DefineBinaryProperty(const AnsiString& Name, TStreamProc ReadData, TStreamProc, bool) {
  if (!ReadData || CompareText(Name, FPropName) != 0) return;
  if (ReadValue() != vaBinary) {
    --FBufPos;
    SkipValue();
    PropValueError();
  }
  const Integer n = ReadCount(1);
  TMemoryStream data;
  data.SetSize(n);
  Read(data.GetMemory(), n);
  ReadData(&data);
  FPropName.clear();
}

// =============================================================================================
// TWriter

void TWriter::Write(const void* Buf, Integer Count) { FStream->WriteBuffer(Buf, Count); }

Int64 TWriter::GetPosition() const { return FStream->GetPosition(); }

void TWriter::SetPosition(Int64 Value) { FStream->SetPosition(Value); }

void TWriter::SetRoot(TComponent* Value) {
  TFiler::SetRoot(Value);
  FLookupRoot = Value;
}

void TWriter::WriteValue(TValueType Value) {
  Byte b = Value;
  Write(&b, 1);
}

void TWriter::WriteListBegin() { WriteValue(vaList); }

void TWriter::WriteListEnd() { WriteValue(vaNull); }

void TWriter::WriteSignature() { Write(kSignature, 4); }

void TWriter::WritePrefix(TFilerFlags Flags, Integer AChildPos) {
  if (Flags.Empty()) return;
  Byte prefix = static_cast<Byte>(0xF0 | (Flags.Bits() & 0x0F));
  Write(&prefix, 1);
  if (Flags.Contains(ffChildPos)) WriteInteger(AChildPos);
}

void TWriter::WriteStr(const AnsiString& Value) {
  if (Value.size() > 255) throw EWriteError("'" + Value.substr(0, 32) + "...' is too long for a name in a form");
  Byte buf[256];
  buf[0] = static_cast<Byte>(Value.size());
  std::memcpy(buf + 1, Value.data(), Value.size());
  Write(buf, static_cast<Integer>(Value.size() + 1));
}

void TWriter::WriteBoolean(bool Value) { WriteValue(Value ? vaTrue : vaFalse); }

void TWriter::WriteChar(AnsiChar Value) { WriteString(AnsiString(1, Value)); }

void TWriter::WriteWideChar(WideChar Value) { WriteWideString(WideString(1, Value)); }

void TWriter::WriteInteger(Integer Value) {
  Byte buf[5];
  Integer n;
  if (Value >= -128 && Value <= 127) {
    buf[0] = vaInt8;
    buf[1] = static_cast<Byte>(Value);
    n = 2;
  } else if (Value >= -32768 && Value <= 32767) {
    buf[0] = vaInt16;
    std::int16_t v = static_cast<std::int16_t>(Value);
    std::memcpy(buf + 1, &v, 2);
    n = 3;
  } else {
    buf[0] = vaInt32;
    std::memcpy(buf + 1, &Value, 4);
    n = 5;
  }
  Write(buf, n);
}

void TWriter::WriteInteger(Int64 Value) {
  if (Value >= INT32_MIN && Value <= INT32_MAX) {
    WriteInteger(static_cast<Integer>(Value));
    return;
  }
  Byte buf[9] = {vaInt64};
  std::memcpy(buf + 1, &Value, 8);
  Write(buf, 9);
}

void TWriter::WriteFloat(Extended Value) {
  Byte buf[11] = {vaExtended};
  std::memcpy(buf + 1, &Value, 10);  // the 80-bit value; the rest of a long double is padding
  Write(buf, 11);
}

void TWriter::WriteSingle(Single Value) {
  Byte buf[5] = {vaSingle};
  std::memcpy(buf + 1, &Value, 4);
  Write(buf, 5);
}

void TWriter::WriteDate(TDateTime Value) {
  Byte buf[9] = {vaDate};
  std::memcpy(buf + 1, &Value, 8);
  Write(buf, 9);
}

void TWriter::WriteString(const AnsiString& Value) {
  const Integer n = static_cast<Integer>(Value.size());
  if (n <= 255) {
    Byte head[2] = {vaString, static_cast<Byte>(n)};
    Write(head, 2);
  } else {
    Byte head[5] = {vaLString};
    std::memcpy(head + 1, &n, 4);
    Write(head, 5);
  }
  Write(Value.data(), n);
}

void TWriter::WriteWideString(const WideString& Value) {
  const Integer n = static_cast<Integer>(Value.size());
  Byte head[5] = {vaWString};
  std::memcpy(head + 1, &n, 4);
  Write(head, 5);
  Write(Value.data(), n * 2);
}

void TWriter::WriteIdent(const AnsiString& Ident) {
  if (CompareText(Ident, "False") == 0)
    WriteValue(vaFalse);
  else if (CompareText(Ident, "True") == 0)
    WriteValue(vaTrue);
  else if (CompareText(Ident, "Null") == 0)
    WriteValue(vaNull);
  else if (CompareText(Ident, "nil") == 0)
    WriteValue(vaNil);
  else {
    WriteValue(vaIdent);
    WriteStr(Ident);
  }
}

void TWriter::WritePropName(const AnsiString& Name) { WriteStr(FPropPath + Name); }

void TWriter::WriteRootComponent(TComponent* Root) {
  SetRoot(Root);
  WriteSignature();
  WriteComponent(Root);
}

void TWriter::WriteComponent(TComponent* Component) {
  Component->FComponentState << csWriting;
  ScopeExit written([Component] { Component->FComponentState >> csWriting; });
  Component->WriteState(this);
}

void TWriter::WriteData(TComponent* Instance) {
  TFilerFlags flags;
  if (Instance->FComponentState.Contains(csInline)) flags << ffInline;
  WritePrefix(flags, 0);
  WriteStr(Instance->ClassName());
  WriteStr(Instance->GetName());
  WriteProperties(Instance);
  WriteListEnd();
  if (!IgnoreChildren) {
    TComponent* oldRoot = FRoot;
    if (Instance->FComponentState.Contains(csInline)) FRoot = Instance;
    ScopeExit restore([this, oldRoot] { FRoot = oldRoot; });
    Instance->GetChildren(TGetChildProc(this, &TWriter::WriteComponent), FRoot);
  }
  WriteListEnd();
}

void TWriter::WriteProperties(TPersistent* Instance) {
  for (const TPropInfo* prop : GetPropList(Instance->ClassType()))
    if (IsStoredProp(Instance, prop)) WriteProperty(Instance, prop);
  Instance->DefineProperties(this);
}

void TWriter::WriteProperty(TPersistent* Instance, const TPropInfo* Prop) {
  const TPropAccessor& access = *Prop->Access;
  // Only what can be read back is written.
  if (!access.CanWrite() || !access.CanRead()) return;
  const TTypeInfo* type = Prop->PropType;
  switch (type->Kind) {
    case tkInteger:
    case tkChar:
    case tkWChar:
    case tkEnumeration:
    case tkSet: {
      Int64 v = access.GetOrd(Instance);
      if (Prop->HasDefault && v == Prop->Default) return;
      WritePropName(Prop->Name);
      AnsiString ident;
      switch (type->Kind) {
        case tkInteger:
          if (type->IntToIdent && type->IntToIdent(static_cast<Integer>(v), ident))
            WriteIdent(ident);
          else
            WriteInteger(static_cast<Integer>(v));
          break;
        case tkChar: WriteChar(static_cast<AnsiChar>(v)); break;
        case tkWChar: WriteWideChar(static_cast<WideChar>(v)); break;
        case tkEnumeration: WriteIdent(GetEnumName(type, v)); break;
        default: WriteSet(Prop, v); break;
      }
      break;
    }
    case tkInt64: {
      Int64 v = access.GetOrd(Instance);
      if (v == (Prop->HasDefault ? Prop->Default : 0)) return;
      WritePropName(Prop->Name);
      WriteInteger(v);
      break;
    }
    case tkFloat: {
      Extended v = access.GetFloat(Instance);
      if (v == 0) return;
      WritePropName(Prop->Name);
      WriteFloat(v);
      break;
    }
    case tkString:
    case tkLString: {
      AnsiString v = access.GetStr(Instance);
      if (v.empty()) return;
      WritePropName(Prop->Name);
      WriteString(v);
      break;
    }
    case tkWString: {
      WideString v = access.GetWideStr(Instance);
      if (v.empty()) return;
      WritePropName(Prop->Name);
      WriteWideString(v);
      break;
    }
    case tkMethod: {
      // A handler is written by its name when it is a published method of the root.
      const TMethodInfo* method = FindMethodOf(Instance, Prop, FLookupRoot);
      if (!method) return;
      WritePropName(Prop->Name);
      WriteIdent(method->Name);
      break;
    }
    case tkClass: {
      TObject* value = access.GetObject(Instance);
      if (!value) return;
      if (value->InheritsFrom(TComponent::StaticClass())) {
        AnsiString name = ComponentRefName(static_cast<TComponent*>(value));
        if (name.empty()) return;
        WritePropName(Prop->Name);
        WriteIdent(name);
      } else if (value->InheritsFrom(TPersistent::StaticClass())) {
        {
          AnsiString oldPath = FPropPath;
          FPropPath += Prop->Name + ".";
          ScopeExit restore([&] { FPropPath.swap(oldPath); });
          WriteProperties(static_cast<TPersistent*>(value));
        }
        if (value->InheritsFrom(TCollection::StaticClass())) {
          WritePropName(Prop->Name);
          WriteCollection(static_cast<TCollection*>(value));
        }
      }
      break;
    }
    default:
      break;
  }
}

void TWriter::WriteSet(const TPropInfo* Prop, Int64 Value) {
  WriteValue(vaSet);
  for (int i = 0; i < 64; ++i)
    if (Value & (Int64{1} << i)) {
      AnsiString name = GetEnumName(Prop->PropType->CompType, i);
      if (!name.empty()) WriteStr(name);
    }
  WriteStr(AnsiString());
}

AnsiString TWriter::ComponentRefName(TComponent* Component) const {
  if (Component->GetOwner() == FLookupRoot) return Component->GetName();
  if (Component == FLookupRoot) return "Owner";
  TComponent* owner = Component->GetOwner();
  if (owner && !owner->GetName().empty() && !Component->GetName().empty())
    return owner->GetName() + "." + Component->GetName();
  if (!Component->GetName().empty()) return Component->GetName() + ".Owner";
  return AnsiString();
}

void TWriter::WriteCollection(TCollection* Value) {
  WriteValue(vaCollection);
  // Item properties are named from the item, not from the object holding the collection.
  {
    AnsiString oldPath = FPropPath;
    FPropPath.clear();
    ScopeExit restore([&] { FPropPath.swap(oldPath); });
    if (Value)
      for (Integer i = 0; i < Value->GetCount(); ++i) {
        WriteListBegin();
        WriteProperties(Value->GetItems(i));
        WriteListEnd();
      }
  }
  WriteListEnd();
}

void TWriter::DefineProperty(const AnsiString& Name, TReaderProc, TWriterProc WriteData, bool HasData) {
  if (!HasData || !WriteData) return;
  WritePropName(Name);
  WriteData(this);
}

void TWriter::DefineBinaryProperty(const AnsiString& Name, TStreamProc, TStreamProc WriteData, bool HasData) {
  if (!HasData || !WriteData) return;
  WritePropName(Name);
  TMemoryStream data;
  WriteData(&data);
  WriteValue(vaBinary);
  Integer n = static_cast<Integer>(data.GetSize());
  Write(&n, 4);
  Write(data.GetMemory(), n);
}

// =============================================================================================

void WriteComponentToStream(TStream* Stream, TComponent* Instance) {
  TWriter writer(Stream);
  writer.WriteRootComponent(Instance);
}

TComponent* ReadComponentFromStream(TStream* Stream, TComponent* Instance) {
  TReader reader(Stream);
  return reader.ReadRootComponent(Instance);
}
