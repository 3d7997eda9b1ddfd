#include "classlib/Components.h"

#include <map>
#include <mutex>

#include "classlib/Filer.h"
#include "classlib/SysUtils.h"
#include "classlib/TypInfo.h"

namespace {

// A component name is an identifier: a letter or underscore, then letters, digits, underscores.
bool IsIdentifier(const AnsiString& s) {
  auto alpha = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
  if (s.empty() || !alpha(s[0])) return false;
  for (char c : s)
    if (!alpha(c) && !(c >= '0' && c <= '9')) return false;
  return true;
}

// DesignInfo holds two 16-bit halves: left in the low word, top in the high word.
Word LowWord(Integer v) { return static_cast<Word>(static_cast<Cardinal>(v) & 0xFFFF); }
Word HighWord(Integer v) { return static_cast<Word>(static_cast<Cardinal>(v) >> 16); }
Integer JoinWords(Word low, Word high) { return static_cast<Integer>(static_cast<Cardinal>(high) << 16 | low); }

}  // namespace

// ---- TPersistent ----

void TPersistent::Assign(TPersistent* Source) {
  if (Source)
    Source->AssignTo(this);
  else
    AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* Dest) { Dest->AssignError(this); }

void TPersistent::AssignError(TPersistent* Source) {
  AnsiString sourceName = Source ? Source->ClassName() : AnsiString("nil");
  throw EConvertError(Format("Cannot assign a %s to a %s", {sourceName, ClassName()}));
}

AnsiString TPersistent::GetNamePath() {
  AnsiString result = ClassName();
  if (TPersistent* owner = GetOwner()) {
    AnsiString s = owner->GetNamePath();
    if (!s.empty()) result = s + "." + result;
  }
  return result;
}

void TPersistent::DefineProperties(TFiler*) {}

TPersistent* TPersistent::GetOwner() const { return nullptr; }

// ---- TComponent ----

TComponent::TComponent(TComponent* AOwner) {
  if (AOwner) AOwner->InsertComponent(this);
}

void TComponent::operator delete(TComponent* Component, std::destroying_delete_t) {
  void* memory = dynamic_cast<void*>(Component);
  Component->BeforeDestruction();
  Component->~TComponent();
  ::operator delete(memory);
}

void TComponent::BeforeDestruction() {
  if (!FComponentState.Contains(csDestroying)) Destroying();
}

TComponent::~TComponent() {
  Destroying();
  // Tell those that asked to hear of this component's end. Telling one normally drops the
  // mutual requests; an override that does not pass the call on leaves them, so drop them here.
  while (FFreeNotifies.GetCount() > 0) {
    auto* other = static_cast<TComponent*>(FFreeNotifies.Last());
    other->Notification(this, opRemove);
    RemoveFreeNotification(other);
  }
  DestroyComponents();
  if (FOwner) FOwner->RemoveComponent(this);
}

void TComponent::DestroyComponents() {
  while (FComponents.GetCount() > 0) {
    auto* instance = static_cast<TComponent*>(FComponents.Last());
    // A component that others watch must be removed with notification, so that the owner's
    // other components hear of it before it goes.
    if (instance->FComponentState.Contains(csFreeNotification) ||
        (FComponentState.Contains(csDesigning) && FComponentState.Contains(csInline)))
      RemoveComponent(instance);
    else
      Remove(instance);
    delete instance;
  }
}

void TComponent::Destroying() {
  if (FComponentState.Contains(csDestroying)) return;
  FComponentState.Include(csDestroying);
  for (Integer i = 0; i < FComponents.GetCount(); ++i) GetComponents(i)->Destroying();
}

TComponent* TComponent::FindComponent(const AnsiString& AName) const {
  if (AName.empty()) return nullptr;
  for (Integer i = 0; i < FComponents.GetCount(); ++i) {
    TComponent* c = GetComponents(i);
    if (SameText(c->FName, AName)) return c;
  }
  return nullptr;
}

void TComponent::FreeNotification(TComponent* AComponent) {
  if (!FOwner || AComponent->FOwner != FOwner) {
    if (FFreeNotifies.IndexOf(AComponent) < 0) {
      FFreeNotifies.Add(AComponent);
      AComponent->FreeNotification(this);
    }
  }
  FComponentState.Include(csFreeNotification);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
  RemoveNotification(AComponent);
  AComponent->RemoveNotification(this);
}

void TComponent::RemoveNotification(TComponent* AComponent) { FFreeNotifies.Remove(AComponent); }

void TComponent::Insert(TComponent* AComponent) {
  FComponents.Add(AComponent);
  AComponent->FOwner = this;
}

void TComponent::Remove(TComponent* AComponent) {
  AComponent->FOwner = nullptr;
  FComponents.Remove(AComponent);
}

void TComponent::InsertComponent(TComponent* AComponent) {
  AComponent->ValidateContainer(this);
  ValidateRename(AComponent, AnsiString(), AComponent->FName);
  Insert(AComponent);
  if (FComponentState.Contains(csDesigning)) AComponent->SetDesigning(true);
  Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
  ValidateRename(AComponent, AComponent->FName, AnsiString());
  Notification(AComponent, opRemove);
  Remove(AComponent);
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == opRemove && AComponent) RemoveFreeNotification(AComponent);
  // An owned component may free others while being told; go on from where the list now ends.
  Integer i = FComponents.GetCount() - 1;
  while (i >= 0) {
    GetComponents(i)->Notification(AComponent, Operation);
    --i;
    if (i >= FComponents.GetCount()) i = FComponents.GetCount() - 1;
  }
}

AnsiString TComponent::GetNamePath() { return FName; }

void TComponent::DefineProperties(TFiler* Filer) {
  Filer->DefineProperty("Left", TReaderProc(this, &TComponent::ReadLeft), TWriterProc(this, &TComponent::WriteLeft),
                        LowWord(DesignInfo) != 0);
  Filer->DefineProperty("Top", TReaderProc(this, &TComponent::ReadTop), TWriterProc(this, &TComponent::WriteTop),
                        HighWord(DesignInfo) != 0);
}

void TComponent::ReadLeft(TReader* Reader) { DesignInfo = JoinWords(static_cast<Word>(Reader->ReadInteger()), HighWord(DesignInfo)); }

void TComponent::WriteLeft(TWriter* Writer) { Writer->WriteInteger(Integer{LowWord(DesignInfo)}); }

void TComponent::ReadTop(TReader* Reader) { DesignInfo = JoinWords(LowWord(DesignInfo), static_cast<Word>(Reader->ReadInteger())); }

void TComponent::WriteTop(TWriter* Writer) { Writer->WriteInteger(Integer{HighWord(DesignInfo)}); }

void TComponent::SetSubComponent(bool IsSubComponent) {
  if (IsSubComponent)
    FComponentStyle.Include(csSubComponent);
  else
    FComponentStyle.Exclude(csSubComponent);
}

Integer TComponent::GetComponentIndex() const { return FOwner ? FOwner->FComponents.IndexOf(this) : -1; }

void TComponent::SetComponentIndex(Integer Value) {
  if (!FOwner) return;
  TList& list = FOwner->FComponents;
  Integer i = list.IndexOf(this);
  if (i < 0) return;
  Value = std::clamp(Value, 0, list.GetCount() - 1);
  if (Value != i) list.Move(i, Value);
}

void TComponent::SetName(const AnsiString& NewName) {
  if (FName == NewName) return;
  if (!NewName.empty() && !IsIdentifier(NewName))
    throw EComponentError(Format("'%s' is not a valid component name", {NewName}));
  if (FOwner)
    FOwner->ValidateRename(this, FName, NewName);
  else
    ValidateRename(nullptr, FName, NewName);
  ChangeName(NewName);
}

void TComponent::ChangeName(const AnsiString& NewName) { FName = NewName; }

void TComponent::ValidateRename(TComponent* AComponent, const AnsiString& CurName, const AnsiString& NewName) {
  if (AComponent && !SameText(CurName, NewName) && AComponent->FOwner == this && FindComponent(NewName))
    throw EComponentError(Format("A component named %s already exists", {NewName}));
}

void TComponent::ValidateContainer(TComponent* AComponent) { AComponent->ValidateInsert(this); }

void TComponent::ValidateInsert(TComponent*) {}

void TComponent::Loaded() { FComponentState.Exclude(csLoading); }

void TComponent::ReadState(TReader* Reader) { Reader->ReadData(this); }

void TComponent::WriteState(TWriter* Writer) { Writer->WriteData(this); }

void TComponent::GetChildren(TGetChildProc, TComponent*) {}

TComponent* TComponent::GetChildOwner() { return nullptr; }

TComponent* TComponent::GetChildParent() { return this; }

void TComponent::SetChildOrder(TComponent*, Integer) {}

TComponent* TComponent::GetParentComponent() const { return nullptr; }

void TComponent::SetParentComponent(TComponent*) {}

bool TComponent::HasParent() const { return false; }

void TComponent::SetDesigning(bool Value, bool SetChildren) {
  if (Value)
    FComponentState.Include(csDesigning);
  else
    FComponentState.Exclude(csDesigning);
  if (SetChildren)
    for (Integer i = 0; i < FComponents.GetCount(); ++i) GetComponents(i)->SetDesigning(Value);
}

void TComponent::SetAncestor(bool Value) {
  if (Value)
    FComponentState.Include(csAncestor);
  else
    FComponentState.Exclude(csAncestor);
  for (Integer i = 0; i < FComponents.GetCount(); ++i) GetComponents(i)->SetAncestor(Value);
}

void TComponent::Updating() { FComponentState.Include(csUpdating); }

void TComponent::Updated() { FComponentState.Exclude(csUpdating); }

// ---- TCollectionItem ----

// While the constructor runs the item does not know its final class yet, so only a collection
// change of a finished item can check it against the collection's item class.
TCollectionItem::TCollectionItem(TCollection* Collection) {
  if (Collection) Collection->InsertItem(this);
}

TCollectionItem::~TCollectionItem() {
  if (FCollection) FCollection->RemoveItem(this);
}

void TCollectionItem::SetCollection(TCollection* Value) {
  if (FCollection == Value) return;
  if (Value && !InheritsFrom(Value->FItemClass)) TList::Error("Invalid property value", 0);
  if (FCollection) FCollection->RemoveItem(this);
  if (Value) Value->InsertItem(this);
}

Integer TCollectionItem::GetIndex() const { return FCollection ? FCollection->FItems.IndexOf(this) : -1; }

void TCollectionItem::SetIndex(Integer Value) {
  Integer current = GetIndex();
  if (current >= 0 && current != Value) {
    FCollection->FItems.Move(current, Value);
    Changed(true);
  }
}

AnsiString TCollectionItem::GetDisplayName() { return ClassName(); }

void TCollectionItem::SetDisplayName(const AnsiString&) { Changed(false); }

void TCollectionItem::Changed(bool AllItems) {
  if (FCollection && FCollection->FUpdateCount == 0) FCollection->Update(AllItems ? nullptr : this);
}

TPersistent* TCollectionItem::GetOwner() const { return FCollection; }

AnsiString TCollectionItem::GetNamePath() {
  if (!FCollection) return ClassName();
  return Format("%s[%d]", {FCollection->GetNamePath(), GetIndex()});
}

// ---- TCollection ----

TCollection::TCollection(TClass ItemClass) : FItemClass(ItemClass) {}

TCollection::~TCollection() {
  FUpdateCount = 1;
  Clear();
}

TCollectionItem* TCollection::Add() {
  TObject* item = FItemClass->Create(this);
  if (!item) throw EListError("Invalid property value");
  return static_cast<TCollectionItem*>(item);
}

TCollectionItem* TCollection::Insert(Integer Index) {
  TCollectionItem* item = Add();
  item->SetIndex(Index);
  return item;
}

void TCollection::Delete(Integer Index) {
  TCollectionItem* item = GetItems(Index);
  Notify(item, cnDeleting);
  delete item;
}

void TCollection::Clear() {
  if (FItems.GetCount() == 0) return;
  BeginUpdate();
  try {
    while (FItems.GetCount() > 0) delete static_cast<TCollectionItem*>(FItems.Last());
  } catch (...) {
    // EndUpdate runs the change handlers, which may raise: it is called here, not from a
    // destructor.
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TCollection::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TCollection*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  BeginUpdate();
  try {
    Clear();
    for (Integer i = 0; i < source->GetCount(); ++i) Add()->Assign(source->GetItems(i));
  } catch (...) {
    // EndUpdate runs the change handlers, which may raise: it is called here, not from a
    // destructor.
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TCollection::BeginUpdate() { ++FUpdateCount; }

void TCollection::EndUpdate() {
  --FUpdateCount;
  Changed();
}

void TCollection::Changed() {
  if (FUpdateCount == 0) Update(nullptr);
}

void TCollection::Update(TCollectionItem*) {}

void TCollection::Notify(TCollectionItem*, TCollectionNotification) {}

TCollectionItem* TCollection::FindItemID(Integer ID) const {
  for (Integer i = 0; i < FItems.GetCount(); ++i)
    if (GetItems(i)->FID == ID) return GetItems(i);
  return nullptr;
}

AnsiString TCollection::GetNamePath() {
  AnsiString result = ClassName();
  TPersistent* owner = GetOwner();
  if (!owner) return result;
  AnsiString s = owner->GetNamePath();
  if (s.empty()) return result;
  AnsiString propName = GetPropName();
  if (propName.empty()) return result;
  return s + "." + propName;
}

AnsiString TCollection::GetPropName() {
  TPersistent* owner = GetOwner();
  if (!FPropName.empty() || !owner) return FPropName;
  for (const TPropInfo* prop : GetPropList(owner->ClassType())) {
    if (prop->PropType && prop->PropType->Kind == tkClass && prop->Access && prop->Access->CanRead() &&
        prop->Access->GetObject(owner) == this) {
      FPropName = prop->Name;
      break;
    }
  }
  return FPropName;
}

TPersistent* TCollection::GetOwner() const { return nullptr; }

void TCollection::SetItems(Integer Index, TCollectionItem* Value) { GetItems(Index)->Assign(Value); }

void TCollection::InsertItem(TCollectionItem* Item) {
  FItems.Add(Item);
  Item->FCollection = this;
  Item->FID = FNextID++;
  Notify(Item, cnAdded);
  Changed();
}

void TCollection::RemoveItem(TCollectionItem* Item) {
  Notify(Item, cnExtracting);
  if (FItems.GetCount() > 0 && FItems.Last() == Item)
    FItems.Delete(FItems.GetCount() - 1);
  else
    FItems.Remove(Item);
  Item->FCollection = nullptr;
  Changed();
}

// ---- Class registry ----

namespace {

struct ClassRegistry {
  std::mutex lock;
  std::map<AnsiString, TClass> byName;  // keyed by the upper-case name
};

ClassRegistry& Registry() {
  static ClassRegistry registry;
  return registry;
}

AnsiString RegistryKey(const AnsiString& name) { return UpperCase(name); }

}  // namespace

void RegisterClass(TClass AClass) {
  ClassRegistry& registry = Registry();
  std::lock_guard<std::mutex> guard(registry.lock);
  for (TClass c = AClass; c && c != TObject::StaticClass(); c = c->Parent) {
    auto [it, added] = registry.byName.emplace(RegistryKey(c->Name), c);
    if (!added && it->second != c) throw EFilerError(Format("A class named %s already exists", {AnsiString(c->Name)}));
    if (c == TPersistent::StaticClass()) break;
  }
}

void RegisterClasses(std::initializer_list<TClass> AClasses) {
  for (TClass c : AClasses) RegisterClass(c);
}

TClass GetClass(const AnsiString& AClassName) {
  ClassRegistry& registry = Registry();
  std::lock_guard<std::mutex> guard(registry.lock);
  auto it = registry.byName.find(RegistryKey(AClassName));
  return it == registry.byName.end() ? nullptr : it->second;
}

TClass FindClass(const AnsiString& ClassName) {
  TClass c = GetClass(ClassName);
  if (!c) throw EClassNotFound(Format("Class %s not found", {ClassName}));
  return c;
}
