// TGraphic, and TPicture with the registry of file and clipboard formats.
#include "classlib/Pictures.h"

#include <memory>

#include "classlib/Bitmaps.h"
#include "classlib/Filer.h"
#include "classlib/Handles.h"
#include "classlib/Icons.h"
#include "classlib/Jpeg.h"
#include "classlib/Metafiles.h"
#include "classlib/SysUtils.h"

// ---------------------------------------------------------------------------------------------
// TGraphic

void TGraphic::SetTransparent(bool Value) {
  if (Value == FTransparent) return;
  FTransparent = Value;
  Changed(this);
}

void TGraphic::SetModified(bool Value) {
  if (Value)
    Changed(this);
  else
    FModified = false;
}

void TGraphic::Changed(TObject*) {
  FModified = true;
  if (OnChange) OnChange(this);
}

void TGraphic::LoadFromFile(const AnsiString& FileName) {
  TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&stream);
}

void TGraphic::SaveToFile(const AnsiString& FileName) {
  TFileStream stream(FileName, fmCreate);
  SaveToStream(&stream);
}

void TGraphic::LoadFromClipboardFormat(Word, HANDLE, HPALETTE) {
  throw EInvalidGraphic("Unsupported clipboard format");
}

void TGraphic::SaveToClipboardFormat(Word&, HANDLE&, HPALETTE&) {
  throw EInvalidGraphic("Unsupported clipboard format");
}

bool TGraphic::Equals(TGraphic* Graphic) {
  if (!Graphic || Graphic->ClassType() != ClassType()) return false;
  if (GetEmpty() || Graphic->GetEmpty()) return GetEmpty() && Graphic->GetEmpty();
  TMemoryStream mine, theirs;
  WriteData(&mine);
  Graphic->WriteData(&theirs);
  return mine.GetSize() == theirs.GetSize() &&
         std::memcmp(mine.GetMemory(), theirs.GetMemory(), static_cast<std::size_t>(mine.GetSize())) == 0;
}

void TGraphic::ReadData(TStream* Stream) { LoadFromStream(Stream); }

void TGraphic::WriteData(TStream* Stream) { SaveToStream(Stream); }

void TGraphic::DefineProperties(TFiler* Filer) {
  Filer->DefineBinaryProperty("Data", TStreamProc(this, &TGraphic::ReadData), TStreamProc(this, &TGraphic::WriteData),
                              !GetEmpty());
}

void TGraphic::AssignTo(TPersistent* Dest) {
  if (auto* bitmap = dynamic_cast<TBitmap*>(Dest)) {
    bitmap->SetSize(GetWidth(), GetHeight());
    TCanvas* canvas = bitmap->GetCanvas();
    const RECT all{0, 0, GetWidth(), GetHeight()};
    ::FillRect(canvas->GetHandle(), &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    canvas->Draw(0, 0, this);
    return;
  }
  inherited::AssignTo(Dest);
}

// ---------------------------------------------------------------------------------------------
// The registry of formats

namespace {

struct FileFormat {
  AnsiString Extension;  // lower case, without the dot
  AnsiString Description;
  TGraphicClass GraphicClass;
};

struct ClipboardFormat {
  Word Format;
  TGraphicClass GraphicClass;
};

struct Registry {
  std::vector<FileFormat> Files;
  std::vector<ClipboardFormat> Clipboard;
};

// The built-in formats are listed here (rather than registered by each unit at start-up) so
// that they are known whichever units the linker keeps.
Registry& Formats() {
  static Registry registry{
      {{"bmp", "Bitmaps", TBitmap::StaticClass()},
       {"ico", "Icons", TIcon::StaticClass()},
       {"emf", "Enhanced Metafiles", TMetafile::StaticClass()},
       {"wmf", "Metafiles", TMetafile::StaticClass()},
       {"jpg", "JPEG Image File", TJPEGImage::StaticClass()},
       {"jpeg", "JPEG Image File", TJPEGImage::StaticClass()}},
      {{CF_BITMAP, TBitmap::StaticClass()}, {CF_ENHMETAFILE, TMetafile::StaticClass()}}};
  return registry;
}

AnsiString NormalExtension(const AnsiString& Extension) {
  AnsiString ext = LowerCase(Extension);
  if (!ext.empty() && ext[0] == '.') ext.erase(0, 1);
  return ext;
}

TGraphic* NewGraphic(TGraphicClass GraphicClass) {
  TObject* object = GraphicClass ? GraphicClass->Create(nullptr) : nullptr;
  auto* graphic = dynamic_cast<TGraphic*>(object);
  if (!graphic) {
    delete object;
    throw EInvalidGraphic("Invalid graphic class");
  }
  return graphic;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TPicture

TPicture::~TPicture() { delete FGraphic; }

void TPicture::Changed(TObject*) {
  if (OnChange) OnChange(this);
}

void TPicture::Replace(TGraphic* NewGraphic) {
  delete FGraphic;
  FGraphic = NewGraphic;
  if (FGraphic) FGraphic->OnChange = TNotifyEvent(this, &TPicture::Changed);
  Changed(this);
}

void TPicture::SetGraphic(TGraphic* Value) {
  std::unique_ptr<TGraphic> copy;
  if (Value) {
    copy.reset(NewGraphic(Value->ClassType()));
    copy->Assign(Value);
  }
  Replace(copy.release());
}

void TPicture::Assign(TPersistent* Source) {
  if (!Source)
    SetGraphic(nullptr);
  else if (auto* picture = dynamic_cast<TPicture*>(Source))
    SetGraphic(picture->FGraphic);
  else if (auto* graphic = dynamic_cast<TGraphic*>(Source))
    SetGraphic(graphic);
  else
    inherited::Assign(Source);
}

void TPicture::AssignTo(TPersistent* Dest) {
  if (auto* graphic = dynamic_cast<TGraphic*>(Dest)) {
    graphic->Assign(FGraphic);
    return;
  }
  inherited::AssignTo(Dest);
}

template <class T>
T* TPicture::ForceType() {
  if (auto* graphic = dynamic_cast<T*>(FGraphic)) return graphic;
  Replace(new T);
  return static_cast<T*>(FGraphic);
}

TBitmap* TPicture::GetBitmap() { return ForceType<TBitmap>(); }
TIcon* TPicture::GetIcon() { return ForceType<TIcon>(); }
TMetafile* TPicture::GetMetafile() { return ForceType<TMetafile>(); }
void TPicture::SetBitmap(TBitmap* Value) { SetGraphic(Value); }
void TPicture::SetIcon(TIcon* Value) { SetGraphic(Value); }
void TPicture::SetMetafile(TMetafile* Value) { SetGraphic(Value); }

void TPicture::LoadFromFile(const AnsiString& FileName) {
  const AnsiString ext = NormalExtension(ExtractFileExt(FileName));
  TGraphicClass graphicClass = FileFormatClass(ext);
  if (!graphicClass) throw EInvalidGraphic(Format("Unknown picture file extension (.%s)", {ext}));
  std::unique_ptr<TGraphic> graphic(NewGraphic(graphicClass));
  graphic->LoadFromFile(FileName);
  Replace(graphic.release());
}

void TPicture::SaveToFile(const AnsiString& FileName) {
  if (FGraphic) FGraphic->SaveToFile(FileName);
}

void TPicture::LoadFromClipboardFormat(Word AFormat, HANDLE AData, HPALETTE APalette) {
  TGraphicClass graphicClass = nullptr;
  for (const ClipboardFormat& f : Formats().Clipboard)
    if (f.Format == AFormat) graphicClass = f.GraphicClass;
  if (!graphicClass) throw EInvalidGraphic("Unsupported clipboard format");
  std::unique_ptr<TGraphic> graphic(NewGraphic(graphicClass));
  graphic->LoadFromClipboardFormat(AFormat, AData, APalette);
  Replace(graphic.release());
}

void TPicture::SaveToClipboardFormat(Word& AFormat, HANDLE& AData, HPALETTE& APalette) {
  AFormat = 0;
  AData = nullptr;
  APalette = nullptr;
  if (FGraphic) FGraphic->SaveToClipboardFormat(AFormat, AData, APalette);
}

bool TPicture::SupportsClipboardFormat(Word AFormat) {
  for (const ClipboardFormat& f : Formats().Clipboard)
    if (f.Format == AFormat) return true;
  return false;
}

void TPicture::RegisterFileFormat(const AnsiString& Extension, const AnsiString& Description,
                                  TGraphicClass GraphicClass) {
  Formats().Files.push_back({NormalExtension(Extension), Description, GraphicClass});
}

void TPicture::RegisterClipboardFormat(Word AFormat, TGraphicClass GraphicClass) {
  Formats().Clipboard.push_back({AFormat, GraphicClass});
}

void TPicture::UnregisterGraphicClass(TGraphicClass AClass) {
  auto& files = Formats().Files;
  std::erase_if(files, [&](const FileFormat& f) { return f.GraphicClass == AClass; });
  auto& clipboard = Formats().Clipboard;
  std::erase_if(clipboard, [&](const ClipboardFormat& f) { return f.GraphicClass == AClass; });
}

TGraphicClass TPicture::FileFormatClass(const AnsiString& Extension) {
  const AnsiString ext = NormalExtension(Extension);
  const auto& files = Formats().Files;
  for (auto it = files.rbegin(); it != files.rend(); ++it)
    if (it->Extension == ext) return it->GraphicClass;
  return nullptr;
}

// The "Data" property: the class name as a short string (a length byte and the characters),
// then the graphic's own data; an empty name for no graphic.
void TPicture::ReadData(TStream* Stream) {
  Byte length = 0;
  Stream->ReadBuffer(&length, 1);
  AnsiString className(length, '\0');
  if (length) Stream->ReadBuffer(className.data(), length);
  if (className.empty()) {
    Replace(nullptr);
    return;
  }
  TGraphicClass graphicClass = nullptr;
  for (const FileFormat& f : Formats().Files)
    if (SameText(f.GraphicClass->Name, className)) graphicClass = f.GraphicClass;
  if (!graphicClass) graphicClass = GetClass(className);
  if (!graphicClass || !graphicClass->InheritsFrom(TGraphic::StaticClass()))
    throw EInvalidGraphic(Format("Unknown picture class %s", {className}));
  std::unique_ptr<TGraphic> graphic(NewGraphic(graphicClass));
  graphic->ReadData(Stream);
  Replace(graphic.release());
}

void TPicture::WriteData(TStream* Stream) {
  const AnsiString className = FGraphic ? AnsiString(FGraphic->ClassName()) : AnsiString();
  const Byte length = static_cast<Byte>(className.size());
  Stream->WriteBuffer(&length, 1);
  if (length) Stream->WriteBuffer(className.data(), length);
  if (FGraphic) FGraphic->WriteData(Stream);
}


void TPicture::DefineProperties(TFiler* Filer) {
  Filer->DefineBinaryProperty("Data", TStreamProc(this, &TPicture::ReadData), TStreamProc(this, &TPicture::WriteData),
                              FGraphic != nullptr);
}
