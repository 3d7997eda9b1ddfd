// Change links, the container bases, the container stream and list files, and the global list
// owner.
#include "controls/viscont.h"

#include <algorithm>
#include <memory>

#include "classlib/Filer.h"
#include "classlib/Lists.h"
#include "classlib/Streams.h"
#include "classlib/SysUtils.h"
#include "controls/visstream.h"

TComponent* VisGlobalListOwner = nullptr;

namespace {

struct KindInfo {
  const char* extension;
  const char* signature;
};

constexpr KindInfo kKinds[] = {{"iml", "VisIML30"}, {"bmp", "VisBML30"}, {"wav", "VisWVL30"},
                               {"txt", "VisSLL30"}, {"*", "VisGLL50"},   {"rtf", "VisRTL50"}};

bool KnownKind(Integer Kind) { return Kind >= 0 && Kind < vlkUnknown; }

AnsiString ResourceText(UINT Id, const char* Fallback) {
  char buffer[256];
  const int n = ::LoadStringA(::GetModuleHandleA(nullptr), Id, buffer, sizeof buffer);
  return n > 0 ? AnsiString(buffer, static_cast<std::size_t>(n)) : AnsiString(Fallback);
}

[[noreturn]] void RaiseReadError() { throw EReadError("Stream read error"); }

Int64 Remaining(TStream* Stream) { return Stream->GetSize() - Stream->GetPosition(); }

// Reads a list file's signature and answers its kind.
Integer ReadSignature(TStream* Stream) {
  if (Remaining(Stream) < 9) return vlkUnknown;
  const AnsiString signature = ReadShortString(Stream);
  for (Integer kind = 0; kind < vlkUnknown; ++kind)
    if (signature == kKinds[kind].signature) return kind;
  return vlkUnknown;
}

// Reads the item count and the record positions of a container stream with an index; every
// position must lie within the stream, after the index.
Integer ReadIndex(TStream* Stream, std::vector<Integer>& Positions) {
  const Integer count = ReadStreamInteger(Stream);
  // Every record takes at least its flags byte besides its 4 bytes of index.
  if (count < 0 || Int64(count) * 5 > Remaining(Stream)) RaiseReadError();
  Positions.resize(static_cast<std::size_t>(count));
  for (Integer& position : Positions) position = ReadStreamInteger(Stream);
  const Int64 first = Stream->GetPosition();
  for (Integer position : Positions)
    if (position < first || position >= Stream->GetSize()) RaiseReadError();
  return count;
}

[[noreturn]] void RaiseWrongKind(const AnsiString& FileName) {
  throw Exception(Format("%s: %s", {ResourceText(SVisInvalidListFile, "Invalid list file"), FileName}));
}

}  // namespace

AnsiString ExtensionOf(Integer Kind, bool WithDot) {
  if (!KnownKind(Kind)) return AnsiString();
  return (WithDot ? "." : "") + AnsiString(kKinds[Kind].extension);
}

AnsiString SignatureOf(Integer Kind) { return KnownKind(Kind) ? AnsiString(kKinds[Kind].signature) : AnsiString(); }

Integer ReadListHeader(const AnsiString& FileName, std::vector<Integer>& Positions) {
  Positions.clear();
  TFileStream file(FileName, fmOpenRead | fmShareDenyWrite);
  const Integer kind = ReadSignature(&file);
  if (kind == vlkUnknown) return kind;
  ReadIndex(&file, Positions);
  return kind;
}

void LoadItemFromFile(const AnsiString& FileName, Integer ExpectedKind, TVisListItem* Item, Integer Index) {
  TFileStream file(FileName, fmOpenRead | fmShareDenyWrite);
  if (ReadSignature(&file) != ExpectedKind) RaiseWrongKind(FileName);
  std::vector<Integer> positions;
  ReadIndex(&file, positions);
  if (Index < 0 || Index >= static_cast<Integer>(positions.size()))
    throw EListError(Format("List index out of bounds (%d)", {Index}));
  file.SetPosition(positions[static_cast<std::size_t>(Index)]);
  Item->LoadFromStream(&file);
}

// --- Change links and the base container ------------------------------------------------------------

TVisChangeLink::~TVisChangeLink() {
  if (FContainer) FContainer->UnRegisterChanges(this);
}

void TVisChangeLink::Change() {
  if (OnChange) OnChange(Sender);
}

TVisBaseContainer::~TVisBaseContainer() {
  for (TVisChangeLink* link : FLinks) link->FContainer = nullptr;
}

void TVisBaseContainer::RegisterChanges(TVisChangeLink* Value) {
  if (!Value || Value->FContainer == this) return;
  if (Value->FContainer) Value->FContainer->UnRegisterChanges(Value);
  FLinks.push_back(Value);
  Value->FContainer = this;
}

void TVisBaseContainer::UnRegisterChanges(TVisChangeLink* Value) {
  const auto it = std::find(FLinks.begin(), FLinks.end(), Value);
  if (it == FLinks.end()) return;
  FLinks.erase(it);
  Value->FContainer = nullptr;
}

void TVisBaseContainer::DoChange() {
  if (GetUpdating()) return;
  inherited::DoChange();
  // A handler may unregister links; walk a copy.
  const std::vector<TVisChangeLink*> links = FLinks;
  for (TVisChangeLink* link : links)
    if (std::find(FLinks.begin(), FLinks.end(), link) != FLinks.end()) link->Change();
}

// --- TVisCustomContainer -----------------------------------------------------------------------------

TVisCustomContainer::TVisCustomContainer(TComponent* AOwner) : TVisBaseContainer(AOwner) {}

TVisCustomContainer::~TVisCustomContainer() {
  // The items are owned components, freed by the component base; they need not report.
  BeginUpdate();
  const std::vector<TVisListItem*> items = FItems;
  for (TVisListItem* item : items) delete item;
}

TClass TVisCustomContainer::ItemClass() const { return TVisListItem::StaticClass(); }

TVisListItem* TVisCustomContainer::GetItem(Integer Index) {
  if (Index < 0 || Index >= GetCount()) return nullptr;
  return FItems[static_cast<std::size_t>(Index)];
}

Integer TVisCustomContainer::IndexOf(TVisListItem* Item) const {
  const auto it = std::find(FItems.begin(), FItems.end(), Item);
  return it == FItems.end() ? -1 : static_cast<Integer>(it - FItems.begin());
}

void TVisCustomContainer::AddItem(TVisListItem* Item) {
  if (std::find(FItems.begin(), FItems.end(), Item) == FItems.end()) FItems.push_back(Item);
}

void TVisCustomContainer::RemoveItem(TVisListItem* Item) {
  const auto it = std::find(FItems.begin(), FItems.end(), Item);
  if (it != FItems.end()) FItems.erase(it);
}

void TVisCustomContainer::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  // The item may be half destroyed: it is found by its address alone.
  const auto it = std::find_if(FItems.begin(), FItems.end(),
                               [&](TVisListItem* item) { return static_cast<TComponent*>(item) == AComponent; });
  if (it != FItems.end()) FItems.erase(it);
}

TVisListItem* TVisCustomContainer::Add() {
  TObject* made = ItemClass()->Create(this);
  auto* item = dynamic_cast<TVisListItem*>(made);
  if (!item) {
    delete made;
    throw EInvalidOperation(Format("%s: Invalid item class", {ClassName()}));
  }
  item->SetCompressed(DefaultCompressed);
  InitItem(item);
  ItemChanged(item);
  return item;
}

void TVisCustomContainer::Clear() {
  BeginUpdate();
  const std::vector<TVisListItem*> items = FItems;
  for (TVisListItem* item : items) delete item;
  FItems.clear();
  EndUpdate(true);
}

void TVisCustomContainer::Delete(Integer Index) {
  TVisListItem* item = GetItem(Index);
  if (!item) throw EListError(Format("List index out of bounds (%d)", {Index}));
  delete item;
  DoChange();
}

void TVisCustomContainer::ItemChanged(TVisListItem*) { DoChange(); }

void TVisCustomContainer::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TVisCustomContainer*>(Source);
  if (!source || source->ClassType() != ClassType()) {
    inherited::Assign(Source);
    return;
  }
  if (source == this) return;
  TMemoryStream copy;
  source->SaveToStream(&copy, false);
  copy.SetPosition(0);
  DefaultCompressed = source->DefaultCompressed;
  LoadFromStream(&copy, false);
}

void TVisCustomContainer::SaveToStream(TStream* Stream, bool WithIndex) {
  const auto count = static_cast<Integer>(FItems.size());
  WriteStreamInteger(Stream, count);
  const Int64 indexAt = Stream->GetPosition();
  std::vector<Integer> positions;
  if (WithIndex)
    for (Integer i = 0; i < count; ++i) WriteStreamInteger(Stream, 0);
  for (TVisListItem* item : FItems) {
    positions.push_back(static_cast<Integer>(Stream->GetPosition()));
    item->SaveToStream(Stream);
  }
  if (!WithIndex) return;
  const Int64 end = Stream->GetPosition();
  Stream->SetPosition(indexAt);
  for (Integer position : positions) WriteStreamInteger(Stream, position);
  Stream->SetPosition(end);
}

void TVisCustomContainer::LoadFromStream(TStream* Stream, bool WithIndex) {
  Integer count;
  if (WithIndex) {
    std::vector<Integer> positions;
    count = ReadIndex(Stream, positions);
  } else {
    count = ReadStreamInteger(Stream);
    if (count < 0 || count > Remaining(Stream)) RaiseReadError();
  }
  // The items are read apart from the container, so that a stream that fails half-way leaves
  // the container as it was.
  std::vector<std::unique_ptr<TVisListItem>> read;
  for (Integer i = 0; i < count; ++i) {
    TObject* made = ItemClass()->Create(nullptr);
    auto* item = dynamic_cast<TVisListItem*>(made);
    if (!item) {
      delete made;
      throw EInvalidOperation(Format("%s: Invalid item class", {ClassName()}));
    }
    read.emplace_back(item);
    item->LoadFromStream(Stream);
  }
  BeginUpdate();
  const std::vector<TVisListItem*> old = FItems;
  for (TVisListItem* item : old) delete item;
  FItems.clear();
  for (auto& item : read) {
    TVisListItem* taken = item.release();
    InsertComponent(taken);
    AddItem(taken);
  }
  EndUpdate(true);
}

void TVisCustomContainer::SaveToFile(const AnsiString& FileName) {
  TMemoryStream data;
  WriteShortString(&data, SignatureOf(FKind));
  SaveToStream(&data, true);
  data.SaveToFile(FileName);
}

void TVisCustomContainer::LoadFromFile(const AnsiString& FileName) {
  TMemoryStream data;
  data.LoadFromFile(FileName);
  if (ReadSignature(&data) != FKind) RaiseWrongKind(FileName);
  LoadFromStream(&data, true);
}

void TVisCustomContainer::DefineProperties(TFiler* Filer) {
  inherited::DefineProperties(Filer);
  Filer->DefineBinaryProperty("Items", TStreamProc(this, &TVisCustomContainer::ReadContent),
                              TStreamProc(this, &TVisCustomContainer::WriteContent), !FItems.empty());
}

AnsiString TVisCustomContainer::StorageFolder() const {
  if (PathPrefix != ppFixed) return GetPrefixPath(PathPrefix, true);
  // A fixed path is the file name in full; a name without a folder lies in the program's folder.
  const bool absolute = FileName.size() >= 2 && (FileName[1] == ':' || (FileName[0] == '\\' && FileName[1] == '\\'));
  return absolute ? AnsiString() : ProgramFolder();
}

AnsiString TVisCustomContainer::ItemFileName(Integer Index) const {
  return StorageFolder() + FileName + IntToStr(Index + 1) + ExtensionOf(FKind, true);
}

void TVisCustomContainer::LoadItemFile(TVisListItem*, const AnsiString&) {}

// --- The global list owner ----------------------------------------------------------------------------

bool IsGlobalImageList(const TVisCustomImageList* List) {
  return List && VisGlobalListOwner && List->GetOwner() == VisGlobalListOwner;
}

void WriteGlobalListRef(TWriter* Writer, const TVisCustomImageList* List) { Writer->WriteIdent(List->GetName()); }

TVisCustomImageList* ReadGlobalListRef(TReader* Reader) {
  const AnsiString name = Reader->ReadIdent();
  if (!VisGlobalListOwner) return nullptr;
  return dynamic_cast<TVisCustomImageList*>(VisGlobalListOwner->FindComponent(name));
}

namespace {
int controlStartCount = 0;
TVisContainer* globalLists = nullptr;
}  // namespace

viscont_detail::UnitStart::UnitStart() {
  if (controlStartCount++ != 0) return;
  for (TClass item : {TVisListItem::StaticClass(), TVisBitmapListItem::StaticClass(),
                      TVisImageListItem::StaticClass(), TVisStringListItem::StaticClass(),
                      TVisWaveListItem::StaticClass(), TVisBitmapList::StaticClass(), TVisImageList::StaticClass(),
                      TVisImageListConnector::StaticClass(), TVisStringList::StaticClass(),
                      TVisWaveList::StaticClass(), TVisContainer::StaticClass()})
    if (!GetClass(item->Name)) RegisterClass(item);
  globalLists = new TVisContainer(nullptr);
  globalLists->GetBitmapList()->SetName("VisBML30");
  globalLists->GetImageList()->SetName("VisIML30");
  globalLists->GetWaveList()->SetName("VisWVL30");
  globalLists->GetStringList()->SetName("VisSLL30");
  VisGlobalListOwner = globalLists;
}

viscont_detail::UnitStart::~UnitStart() {
  if (--controlStartCount != 0) return;
  if (VisGlobalListOwner == globalLists) VisGlobalListOwner = nullptr;
  FreeAndNil(globalLists);
}
