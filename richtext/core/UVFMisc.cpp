#include "richtext/core/UVFMisc.h"

#include <memory>

#include "classlib/Controls.h"
#include "classlib/Filer.h"
#include "classlib/SysUtils.h"
#include "richtext/core/CUVData.h"
#include "richtext/core/UVFuncs.h"
#include "richtext/core/UVStyle.h"

namespace {

const char kHexDigits[] = "0123456789ABCDEF";

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

void AppendHex(AnsiString& out, const Byte* data, std::size_t size) {
  out.reserve(out.size() + size * 2);
  for (std::size_t i = 0; i < size; ++i) {
    out += kHexDigits[data[i] >> 4];
    out += kHexDigits[data[i] & 15];
  }
}

void SkipBlank(const char*& P) {
  if (*P == ' ') ++P;
}

}  // namespace

namespace {
void NoGraphicImported(TGraphic*) {}
}  // namespace

TUVGraphicImportedProc UVGraphicImported = &NoGraphicImported;

void UVFWrite(TStream* Stream, const AnsiString& S) {
  if (!S.empty()) Stream->WriteBuffer(S.data(), static_cast<Integer>(S.size()));
}

void UVFWriteLine(TStream* Stream, const AnsiString& S) {
  UVFWrite(Stream, S);
  Stream->WriteBuffer("\r\n", 2);
}

void UVFWriteTerminatedLine(TStream* Stream, const AnsiString& S, bool Unicode) {
  UVFWrite(Stream, S);
  if (Unicode)
    Stream->WriteBuffer("\x29\x20", 2);
  else
    Stream->WriteBuffer("\r\n", 2);
}

AnsiString UVFStreamToHex(TCustomMemoryStream* Stream) {
  AnsiString result;
  AppendHex(result, static_cast<const Byte*>(Stream->GetMemory()), static_cast<std::size_t>(Stream->GetSize()));
  return result;
}

AnsiString UVFStrToHex(const AnsiString& S) {
  AnsiString result;
  AppendHex(result, reinterpret_cast<const Byte*>(S.data()), S.size());
  return result;
}

AnsiString UVFWideStrToHex(const WideString& S) {
  AnsiString result;
  result.reserve(S.size() * 4);
  for (WideChar c : S) {
    Word w = static_cast<Word>(c);
    for (int shift = 12; shift >= 0; shift -= 4) result += kHexDigits[(w >> shift) & 15];
  }
  return result;
}

bool UVFHexToStream(const AnsiString& Hex, TStream* Stream) {
  if (Hex.size() % 2 != 0) return false;
  AnsiString bytes;
  bytes.reserve(Hex.size() / 2);
  for (std::size_t i = 0; i < Hex.size(); i += 2) {
    int hi = HexValue(Hex[i]);
    int lo = HexValue(Hex[i + 1]);
    if (hi < 0 || lo < 0) return false;
    bytes += static_cast<char>(hi * 16 + lo);
  }
  Stream->SetSize(static_cast<Int64>(bytes.size()));
  Stream->SetPosition(0);
  UVFWrite(Stream, bytes);
  return true;
}

AnsiString UVFHexToStr(const AnsiString& Hex) {
  AnsiString result;
  for (std::size_t i = 0; i + 1 < Hex.size(); i += 2) {
    int hi = HexValue(Hex[i]);
    int lo = HexValue(Hex[i + 1]);
    if (hi < 0 || lo < 0) break;
    result += static_cast<char>(hi * 16 + lo);
  }
  return result;
}

WideString UVFHexToWideStr(const AnsiString& Hex) {
  WideString result;
  if (Hex.size() % 4 != 0) return result;
  for (std::size_t i = 0; i < Hex.size(); i += 4) {
    int value = 0;
    for (std::size_t k = 0; k < 4; ++k) {
      int d = HexValue(Hex[i + k]);
      if (d < 0) return result;
      value = value * 16 + d;
    }
    result += static_cast<WideChar>(value);
  }
  return result;
}

AnsiString UVFSavePicture(TGraphic* Graphic) {
  TMemoryStream stream;
  Graphic->SaveToStream(&stream);
  return UVFStreamToHex(&stream);
}

void UVFSavePictureBinary(TStream* Stream, TGraphic* Graphic) {
  Int64 start = Stream->GetPosition();
  Integer size = 0;
  Stream->WriteBuffer(&size, 4);
  Graphic->SaveToStream(Stream);
  Int64 end = Stream->GetPosition();
  size = static_cast<Integer>(end - start - 4);
  Stream->SetPosition(start);
  Stream->WriteBuffer(&size, 4);
  Stream->SetPosition(end);
}

bool UVFLoadPicture(const AnsiString& Hex, TGraphic* Graphic) {
  TMemoryStream stream;
  if (!UVFHexToStream(Hex, &stream)) return false;
  stream.SetPosition(0);
  Graphic->LoadFromStream(&stream);
  return true;
}

void UVFLoadPictureBinary(const AnsiString& Data, TGraphic* Graphic) {
  TMemoryStream stream;
  UVFWrite(&stream, Data);
  stream.SetPosition(0);
  Graphic->LoadFromStream(&stream);
}

bool UVFReadString(const char*& P, AnsiString& S) {
  S.clear();
  while (*P && *P != ' ') S += *P++;
  SkipBlank(P);
  return !S.empty();
}

bool UVFReadInteger(const char*& P, Integer& Value) {
  const char* q = P;
  bool negative = false;
  if (*q == '-') {
    negative = true;
    ++q;
  }
  if (*q < '0' || *q > '9') return false;
  Int64 v = 0;
  while (*q >= '0' && *q <= '9') {
    v = v * 10 + (*q - '0');
    if (v > 0x80000000LL) return false;
    ++q;
  }
  if (*q && *q != ' ') return false;
  if (negative) v = -v;
  if (v > 0x7FFFFFFF) return false;
  Value = static_cast<Integer>(v);
  P = q;
  SkipBlank(P);
  return true;
}

bool UVFReadQuoted(const char*& P, AnsiString& S) {
  S.clear();
  if (*P != '"') return false;
  const char* q = P + 1;
  for (;;) {
    if (!*q) return false;
    if (*q == '"') {
      if (q[1] == '"') {
        S += '"';
        q += 2;
        continue;
      }
      ++q;
      break;
    }
    S += *q++;
  }
  P = q;
  SkipBlank(P);
  return true;
}

bool UVFReadTag(const char*& P, bool TagsArePChars, TUVTag& Tag) {
  AnsiString token;
  if (!UVFReadString(P, token)) return false;
  if (TagsArePChars) {
    Tag = token == "0" ? 0 : UVMakeStringTag(token);
    return true;
  }
  Integer value = 0;
  if (!TryStrToInt(token, value)) return false;
  Tag = value;
  return true;
}

AnsiString UVFTagToStr(TUVTag Tag, bool TagsArePChars) {
  if (TagsArePChars) {
    AnsiString text = UVTagText(Tag);
    return text.empty() ? AnsiString("0") : text;
  }
  return IntToStr(static_cast<Integer>(Tag));
}

namespace {
AnsiString Quoted(const AnsiString& S) { return AnsiQuotedStr(S, '"'); }
}  // namespace

AnsiString UVFStyleNoToStr(TUVStyle* Style, Integer StyleNo, bool UseStyleNames) {
  if (UseStyleNames && StyleNo >= 0 && Style && StyleNo < Style->GetTextStyles()->GetCount())
    return Quoted(Style->GetTextStyles()->GetItem(StyleNo)->StyleName);
  return IntToStr(StyleNo);
}

AnsiString UVFParaNoToStr(TUVStyle* Style, Integer ParaNo, bool UseStyleNames) {
  if (UseStyleNames && ParaNo >= 0 && Style && ParaNo < Style->GetParaStyles()->GetCount())
    return Quoted(Style->GetParaStyles()->GetItem(ParaNo)->StyleName);
  return IntToStr(ParaNo);
}

AnsiString UVFItemParaNoToStr(TCustomUVData* UVData, TCustomUVItemInfo* Item) {
  if (Item->GetContinuesPara()) return "-1";
  return UVFParaNoToStr(UVData->GetUVStyle(), Item->ParaNo, UVData->GetUVFOptions().Contains(uvfoUseStyleNames));
}

namespace {

// A style field by number or by quoted name among the styles of Infos.
bool ReadStyleField(const char*& P, TCustomUVInfos* Infos, Integer& StyleNo) {
  if (*P == '-' || (*P >= '0' && *P <= '9')) return UVFReadInteger(P, StyleNo);
  AnsiString name;
  if (!UVFReadQuoted(P, name)) return false;
  StyleNo = 0;
  if (Infos)
    for (Integer i = 0; i < Infos->GetCount(); ++i)
      if (static_cast<TCustomUVInfo*>(Infos->GetItems(i))->StyleName == name) {
        StyleNo = i;
        break;
      }
  return true;
}

}  // namespace

bool UVFReadTextStyle(const char*& P, TUVStyle* Style, Integer& StyleNo) {
  return ReadStyleField(P, Style ? Style->GetTextStyles() : nullptr, StyleNo);
}

bool UVFReadParaStyle(const char*& P, TUVStyle* Style, Integer& ParaNo) {
  return ReadStyleField(P, Style ? Style->GetParaStyles() : nullptr, ParaNo);
}

namespace {

bool ReadControl(TStream* Stream, TComponent*& Control, const AnsiString& ClassName, TWinControl* Parent) {
  if (!Control && !ClassName.empty()) {
    TClass cls = GetClass(ClassName);
    if (!cls || !cls->InheritsFrom(TComponent::StaticClass())) return false;
    Control = static_cast<TComponent*>(cls->Create(nullptr));
    if (!Control) return false;
  }
  auto* control = dynamic_cast<TControl*>(Control);
  if (control) control->SetParent(Parent);
  try {
    Stream->SetPosition(0);
    TReader reader(Stream);
    reader.ReadRootComponent(Control);
  } catch (const Exception&) {
    return false;
  }
  if (control) control->SetParent(Parent);
  return true;
}

}  // namespace

AnsiString UVFSaveControl(TComponent* Control) {
  TMemoryStream stream;
  {
    TWriter writer(&stream);
    writer.WriteRootComponent(Control);
  }
  return UVFStreamToHex(&stream);
}

void UVFSaveControlBinary(TStream* Stream, TComponent* Control) {
  Int64 start = Stream->GetPosition();
  Integer size = 0;
  Stream->WriteBuffer(&size, 4);
  {
    TWriter writer(Stream);
    writer.WriteRootComponent(Control);
  }
  Int64 end = Stream->GetPosition();
  size = static_cast<Integer>(end - start - 4);
  Stream->SetPosition(start);
  Stream->WriteBuffer(&size, 4);
  Stream->SetPosition(end);
}

bool UVFLoadControl(const AnsiString& Hex, TComponent*& Control, const AnsiString& ClassName, TWinControl* Parent) {
  TMemoryStream stream;
  if (!UVFHexToStream(Hex, &stream)) return false;
  return ReadControl(&stream, Control, ClassName, Parent);
}

bool UVFLoadControlBinary(const AnsiString& Data, TComponent*& Control, const AnsiString& ClassName,
                          TWinControl* Parent) {
  TMemoryStream stream;
  UVFWrite(&stream, Data);
  return ReadControl(&stream, Control, ClassName, Parent);
}
