// The items of containers: the common record, and items holding a bitmap, strings or a sound.
#include <memory>

#include "classlib/Bitmaps.h"
#include "classlib/Filer.h"
#include "classlib/StringLists.h"
#include "controls/VisWave.h"
#include "controls/viscont.h"
#include "controls/visstream.h"

PUBLISHED(TVisListItem) {
  Prop("About", &TVisListItem::About).Stored(false);
  Prop("Compressed", &TVisListItem::GetCompressed, &TVisListItem::SetCompressed).Default(false);
  Prop("Description", &TVisListItem::GetDescription, &TVisListItem::SetDescription);
  Prop("Ident", &TVisListItem::GetIdent, &TVisListItem::SetIdent).Default(0);
}

PUBLISHED(TVisBitmapListItem) {
  Prop("PixelFormat", &TVisBitmapListItem::GetPixelFormat, &TVisBitmapListItem::SetPixelFormat).Default(spfDefault);
}

namespace {

constexpr Byte kCompressed = 0x01;
constexpr Byte kDescription = 0x02;
constexpr Byte kIdent = 0x04;
constexpr Byte kData = 0x08;
constexpr Byte kMono = 0x10;
constexpr Byte k4Bit = 0x20;
constexpr Byte k8Bit = 0x40;

}  // namespace

using namespace viscont_detail;

Byte viscont_detail::PixelFormatFlags(TVisSavePixelFormat Format) {
  switch (Format) {
    case spfMono: return kMono;
    case spf4bit: return k4Bit;
    case spf8bit: return k8Bit;
    default: return 0;
  }
}

TVisSavePixelFormat viscont_detail::PixelFormatOfFlags(Byte Flags) {
  if (Flags & kMono) return spfMono;
  if (Flags & k4Bit) return spf4bit;
  if (Flags & k8Bit) return spf8bit;
  return spfDefault;
}

Integer viscont_detail::PixelFormatColors(TVisSavePixelFormat Format) {
  switch (Format) {
    case spfMono: return 2;
    case spf4bit: return 16;
    case spf8bit: return 256;
    default: return -1;
  }
}

// --- TVisListItem -----------------------------------------------------------------------------------

TVisListItem::TVisListItem(TComponent* AOwner) : TVisCustomComponent(AOwner) {
  if (auto* container = dynamic_cast<TVisCustomContainer*>(AOwner)) container->AddItem(this);
}

TVisListItem::~TVisListItem() {
  if (TVisCustomContainer* container = GetContainer()) container->RemoveItem(this);
}

TVisCustomContainer* TVisListItem::GetContainer() const { return dynamic_cast<TVisCustomContainer*>(GetOwner()); }

Integer TVisListItem::GetItemIndex() const {
  TVisCustomContainer* container = GetContainer();
  return container ? container->IndexOf(const_cast<TVisListItem*>(this)) : -1;
}

void TVisListItem::SetDescription(const AnsiString& Value) {
  if (Value == FDescription) return;
  FDescription = Value;
  Change();
}

void TVisListItem::SetIdent(Word Value) {
  if (Value == FIdent) return;
  FIdent = Value;
  Change();
}

void TVisListItem::SetCompressed(bool Value) {
  if (Value == FCompressed) return;
  FCompressed = Value;
  Change();
}

void TVisListItem::DoChange() {
  if (GetUpdating()) return;
  inherited::DoChange();
  if (TVisCustomContainer* container = GetContainer()) container->ItemChanged(this);
}

void TVisListItem::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TVisListItem*>(Source);
  if (!source || source->ClassType() != ClassType()) {
    inherited::Assign(Source);
    return;
  }
  if (source == this) return;
  BeginUpdate();
  FDescription = source->FDescription;
  FIdent = source->FIdent;
  FCompressed = source->FCompressed;
  AssignData(source);
  EndUpdate(true);
}

void TVisListItem::SaveToStream(TStream* Stream) {
  Byte flags = DataFlags();
  if (FCompressed) flags |= kCompressed;
  if (!FDescription.empty()) flags |= kDescription;
  if (FIdent != 0) flags |= kIdent;
  WriteStreamByte(Stream, flags);
  if (flags & kDescription) WriteShortString(Stream, FDescription);
  if (flags & kIdent) WriteStreamInteger(Stream, FIdent);
  WriteData(Stream);
}

void TVisListItem::LoadFromStream(TStream* Stream) {
  const Byte flags = ReadStreamByte(Stream);
  const AnsiString description = (flags & kDescription) ? ReadShortString(Stream) : AnsiString();
  const Word ident = (flags & kIdent) ? static_cast<Word>(ReadStreamInteger(Stream)) : Word(0);
  BeginUpdate();
  try {
    // Each item reads its data whole before it takes it.
    ReadData(Stream, flags);
  } catch (...) {
    EndUpdate(false);
    throw;
  }
  FCompressed = (flags & kCompressed) != 0;
  FDescription = description;
  FIdent = ident;
  EndUpdate(true);
}

void TVisListItem::DefineProperties(TFiler* Filer) {
  inherited::DefineProperties(Filer);
  Filer->DefineBinaryProperty("Internal", TStreamProc(this, &TVisListItem::ReadInternal),
                              TStreamProc(this, &TVisListItem::WriteInternal), true);
}

void TVisListItem::ReadInternal(TStream* Stream) { LoadFromStream(Stream); }

void TVisListItem::WriteInternal(TStream* Stream) { SaveToStream(Stream); }

// --- TVisBitmapListItem -----------------------------------------------------------------------------

TVisBitmapListItem::TVisBitmapListItem(TComponent* AOwner) : TVisListItem(AOwner), FBitmap(new TBitmap) {
  FBitmap->OnChange = TNotifyEvent(this, &TVisBitmapListItem::BitmapChanged);
}

TVisBitmapListItem::~TVisBitmapListItem() {
  FBitmap->OnChange = nullptr;
  delete FBitmap;
}

void TVisBitmapListItem::BitmapChanged(TObject*) { Change(); }

TBitmap* TVisBitmapListItem::GetBitmap() {
  FetchBitmap();
  return FBitmap;
}

void TVisBitmapListItem::SetBitmap(TBitmap* Value) { FBitmap->Assign(Value); }

void TVisBitmapListItem::SetPixelFormat(TVisSavePixelFormat Value) {
  if (Value == FPixelFormat) return;
  FPixelFormat = Value;
  Change();
}

bool TVisBitmapListItem::IsEmpty() { return FBitmap->GetEmpty(); }

void TVisBitmapListItem::ClearData() { FBitmap->Assign(nullptr); }

Byte TVisBitmapListItem::DataFlags() {
  return PixelFormatFlags(FPixelFormat) | (FBitmap->GetEmpty() ? 0 : kData);
}

void TVisBitmapListItem::WriteData(TStream* Stream) {
  if (!FBitmap->GetEmpty()) WriteBitmapProp(Stream, FBitmap, GetCompressed(), PixelFormatColors(FPixelFormat));
}

void TVisBitmapListItem::ReadData(TStream* Stream, Byte Flags) {
  TBitmap bitmap;
  if (Flags & kData) ReadObjectProp(Stream, &bitmap, (Flags & kCompressed) != 0);
  FPixelFormat = PixelFormatOfFlags(Flags);
  FBitmap->Assign(&bitmap);
}

void TVisBitmapListItem::AssignData(TVisListItem* Source) {
  auto* source = static_cast<TVisBitmapListItem*>(Source);
  FPixelFormat = source->FPixelFormat;
  FBitmap->Assign(source->FBitmap);
}

void TVisBitmapListItem::FetchBitmap() {
  if (FFetching || !FBitmap->GetEmpty()) return;
  TVisCustomContainer* container = GetContainer();
  if (!container) return;
  for (const TComponent* c : {static_cast<const TComponent*>(this), static_cast<const TComponent*>(container)}) {
    const TComponentState state = c->GetComponentState();
    if (state.Contains(csDesigning) || state.Contains(csLoading) || state.Contains(csReading)) return;
  }
  FFetching = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{FFetching};
  const Integer index = GetItemIndex();
  HINSTANCE module = ::GetModuleHandleA(nullptr);
  switch (container->StorageMode) {
    case 1: {
      const AnsiString file = container->StorageFolder() + container->FileName + ExtensionOf(vlkBitmapList, true);
      if (!container->FileName.empty() && FileExists(file)) LoadItemFromFile(file, vlkBitmapList, this, index);
      break;
    }
    case 2:
      if (!GetName().empty() && ::FindResourceA(module, GetName().c_str(), MAKEINTRESOURCEA(2)))
        FBitmap->LoadFromResourceName(module, GetName());
      break;
    case 3: {
      HMODULE library = container->FileName.empty()
                            ? nullptr
                            : ::LoadLibraryExA(container->FileName.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
      if (library) {
        struct Free {
          HMODULE m;
          ~Free() { ::FreeLibrary(m); }
        } free{library};
        if (!GetName().empty() && ::FindResourceA(library, GetName().c_str(), MAKEINTRESOURCEA(2)))
          FBitmap->LoadFromResourceName(library, GetName());
      } else {
        const AnsiString file = container->ItemFileName(index);
        if (FileExists(file)) FBitmap->LoadFromFile(file);
      }
      break;
    }
    case 4: {
      const AnsiString file = container->ItemFileName(index);
      if (FileExists(file)) container->LoadItemFile(this, file);
      break;
    }
    default: break;
  }
}

// --- TVisStringListItem -----------------------------------------------------------------------------

TVisStringListItem::TVisStringListItem(TComponent* AOwner) : TVisListItem(AOwner), FItems(new TStringList) {
  static_cast<TStringList*>(FItems)->OnChange = TNotifyEvent(this, &TVisStringListItem::ItemsChanged);
}

TVisStringListItem::~TVisStringListItem() {
  static_cast<TStringList*>(FItems)->OnChange = nullptr;
  delete FItems;
}

void TVisStringListItem::ItemsChanged(TObject*) { Change(); }

void TVisStringListItem::SetItems(TStrings* Value) { FItems->Assign(Value); }

bool TVisStringListItem::IsEmpty() { return FItems->GetCount() == 0; }

void TVisStringListItem::ClearData() { FItems->Clear(); }

Byte TVisStringListItem::DataFlags() { return FItems->GetCount() > 0 ? kData : 0; }

void TVisStringListItem::WriteData(TStream* Stream) {
  if (FItems->GetCount() > 0) WriteObjectProp(Stream, FItems, GetCompressed());
}

void TVisStringListItem::ReadData(TStream* Stream, Byte Flags) {
  TStringList items;
  if (Flags & kData) ReadObjectProp(Stream, static_cast<TStrings*>(&items), (Flags & kCompressed) != 0);
  FItems->Assign(&items);
}

void TVisStringListItem::AssignData(TVisListItem* Source) {
  FItems->Assign(static_cast<TVisStringListItem*>(Source)->FItems);
}

// --- TVisWaveListItem -------------------------------------------------------------------------------

TVisWaveListItem::TVisWaveListItem(TComponent* AOwner) : TVisListItem(AOwner), FWave(new TVisWave) {
  FWave->OnChange = TNotifyEvent(this, &TVisWaveListItem::WaveChanged);
}

TVisWaveListItem::~TVisWaveListItem() {
  FWave->OnChange = nullptr;
  delete FWave;
}

void TVisWaveListItem::WaveChanged(TObject*) { Change(); }

void TVisWaveListItem::SetWave(TVisWave* Value) { FWave->Assign(Value); }

bool TVisWaveListItem::IsEmpty() { return FWave->Empty(); }

void TVisWaveListItem::ClearData() { FWave->Clear(); }

Byte TVisWaveListItem::DataFlags() { return FWave->Empty() ? 0 : kData; }

void TVisWaveListItem::WriteData(TStream* Stream) {
  if (!FWave->Empty()) WriteWaveProp(Stream, FWave, GetCompressed());
}

void TVisWaveListItem::ReadData(TStream* Stream, Byte Flags) {
  TVisWave wave;
  if (Flags & kData) ReadWaveProp(Stream, &wave, (Flags & kCompressed) != 0);
  FWave->Assign(wave.Empty() ? nullptr : &wave);
}

void TVisWaveListItem::AssignData(TVisListItem* Source) {
  TVisWave* wave = static_cast<TVisWaveListItem*>(Source)->FWave;
  FWave->Assign(wave->Empty() ? nullptr : wave);
}
