// The RTF reader's tokenizer: groups, control words, destinations, text runs, pictures, fields,
// tables and list markers, reported through the reader's events.
#include "richtext/core/UVRTF.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "classlib/Bitmaps.h"
#include "classlib/Handles.h"
#include "classlib/Jpeg.h"
#include "classlib/MetafileChecks.h"
#include "classlib/Metafiles.h"
#include "classlib/SysUtils.h"
#include "richtext/core/UVFMisc.h"
#include "richtext/core/UVItem.h"

namespace {

constexpr Integer kBufferSize = 4096;
// Deeper nesting than any word processor writes; a stream that goes beyond it is refused rather
// than allowed to use up memory.
constexpr Integer kMaxDepth = 10000;
// Table nesting read from \itap is held to this many levels.
constexpr Integer kMaxTableNesting = 32;
constexpr Int64 kMaxParam = 0x7FFFFFFF;

bool IsLetter(Integer Ch) { return (Ch >= 'a' && Ch <= 'z') || (Ch >= 'A' && Ch <= 'Z'); }
bool IsDigit(Integer Ch) { return Ch >= '0' && Ch <= '9'; }

Integer HexValue(Integer Ch) {
  if (Ch >= '0' && Ch <= '9') return Ch - '0';
  if (Ch >= 'a' && Ch <= 'f') return Ch - 'a' + 10;
  if (Ch >= 'A' && Ch <= 'F') return Ch - 'A' + 10;
  return -1;
}

void SetStyle(TFontStyles& Styles, TFontStyle Style, bool On) {
  if (On)
    Styles.Include(Style);
  else
    Styles.Exclude(Style);
}

// Half points to points, halves to the even number.
Integer HalfPointsToPoints(Integer Value) { return static_cast<Integer>(Round(Value / 2.0L)); }

// The colours of \highlight1 to \highlight16.
constexpr TColor kHighlightColors[16] = {clBlack,  clBlue,   clAqua,    clLime, clFuchsia, clRed,  clYellow, clWhite,
                                         clNavy,   clTeal,   clGreen,   clPurple, clMaroon, clOlive, clGray,  clSilver};

// 8-bit text to UTF-16: precomposed, glyph characters for control codes; a code page that fails
// is replaced by the system's, and when that fails too every byte becomes "?".
WideString ConvertToWide(Cardinal CodePage, std::string_view Text) {
  if (Text.empty()) return WideString();
  const int length = static_cast<int>(Text.size());
  for (Cardinal cp : {CodePage, Cardinal(CP_ACP)}) {
    int n = ::MultiByteToWideChar(cp, MB_PRECOMPOSED | MB_USEGLYPHCHARS, Text.data(), length, nullptr, 0);
    if (n > 0) {
      WideString result(static_cast<std::size_t>(n), L'\0');
      ::MultiByteToWideChar(cp, MB_PRECOMPOSED | MB_USEGLYPHCHARS, Text.data(), length, result.data(), n);
      return result;
    }
    if (cp == CP_ACP) break;
  }
  return WideString(Text.size(), L'?');
}

// UTF-16 to 8-bit text without look-alike replacements, "?" for characters the code page lacks.
AnsiString ConvertToAnsi(Cardinal CodePage, std::wstring_view Text) {
  if (Text.empty()) return AnsiString();
  const int length = static_cast<int>(Text.size());
  constexpr DWORD kFlags = WC_COMPOSITECHECK | WC_DISCARDNS | WC_SEPCHARS | WC_DEFAULTCHAR;
  for (Cardinal cp : {CodePage, Cardinal(CP_ACP)}) {
    int n = ::WideCharToMultiByte(cp, kFlags, Text.data(), length, nullptr, 0, "?", nullptr);
    if (n > 0) {
      AnsiString result(static_cast<std::size_t>(n), '\0');
      ::WideCharToMultiByte(cp, kFlags, Text.data(), length, result.data(), n, "?", nullptr);
      return result;
    }
    if (cp == CP_ACP) break;
  }
  return AnsiString(Text.size(), '?');
}

// The one byte that stands for Ch in the code page; false when the code page has no such byte.
bool WideCharToSingleByte(Cardinal CodePage, WideChar Ch, Byte& Out) {
  char buffer[8];
  BOOL usedDefault = FALSE;
  int n = ::WideCharToMultiByte(CodePage, WC_NO_BEST_FIT_CHARS, &Ch, 1, buffer, sizeof buffer, nullptr, &usedDefault);
  if (n != 1 || usedDefault) return false;
  Out = static_cast<Byte>(buffer[0]);
  return true;
}

// Each channel mixed from the two colours by the shading, in hundredths of a percent.
TColor MixShading(TColor Back, TColor Pattern, Integer Shading) {
  const LongInt back = Back == clNone ? 0xFFFFFF : ColorToRGB(Back);
  const LongInt pattern = Pattern == clNone ? 0 : ColorToRGB(Pattern);
  LongInt result = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const Int64 b = (back >> shift) & 0xFF;
    const Int64 p = (pattern >> shift) & 0xFF;
    const Int64 mixed = ((10000 - Shading) * b + Shading * p) / 10000;
    result |= static_cast<LongInt>(std::clamp<Int64>(mixed, 0, 255)) << shift;
  }
  return result;
}

// The offset of the pixels of a packed DIB that starts at Header (after the 14-byte file
// header), or 0 when the header is not a DIB header.
DWORD PackedDIBOffset(const Byte* Header, std::size_t Size) {
  if (Size < 4) return 0;
  DWORD headerSize;
  std::memcpy(&headerSize, Header, 4);
  if (headerSize == sizeof(BITMAPCOREHEADER)) {
    if (Size < sizeof(BITMAPCOREHEADER)) return 0;
    BITMAPCOREHEADER core;
    std::memcpy(&core, Header, sizeof core);
    DWORD colors = core.bcBitCount <= 8 ? (1u << core.bcBitCount) : 0;
    return sizeof(BITMAPFILEHEADER) + headerSize + colors * sizeof(RGBTRIPLE);
  }
  if (headerSize < sizeof(BITMAPINFOHEADER) || Size < sizeof(BITMAPINFOHEADER)) return 0;
  BITMAPINFOHEADER info;
  std::memcpy(&info, Header, sizeof info);
  DWORD colors = info.biClrUsed;
  if (colors == 0 && info.biBitCount <= 8) colors = 1u << info.biBitCount;
  if (colors > 256) return 0;
  DWORD masks = (headerSize == sizeof(BITMAPINFOHEADER) && info.biCompression == BI_BITFIELDS) ? 12 : 0;
  return sizeof(BITMAPFILEHEADER) + headerSize + masks + colors * sizeof(RGBQUAD);
}

// The blank-separated words of a field instruction; a quoted word keeps its blanks and loses
// its quotation marks.
std::vector<AnsiString> SplitInstruction(const AnsiString& Text) {
  std::vector<AnsiString> words;
  std::size_t i = 0;
  while (i < Text.size()) {
    while (i < Text.size() && Text[i] == ' ') ++i;
    if (i >= Text.size()) break;
    if (Text[i] == '"') {
      std::size_t end = Text.find('"', i + 1);
      if (end == AnsiString::npos) end = Text.size();
      words.push_back(Text.substr(i + 1, end - i - 1));
      i = end + 1;
    } else {
      std::size_t end = Text.find(' ', i);
      if (end == AnsiString::npos) end = Text.size();
      words.push_back(Text.substr(i, end - i));
      i = end;
    }
  }
  return words;
}

}  // namespace

// --- Construction -------------------------------------------------------------------------------

TUVRTFReader::TUVRTFReader(TComponent* AOwner)
    : TComponent(AOwner),
      FFontTable(new TUVRTFFontList),
      FStyleSheet(new TUVRTFStyleSheet),
      FColorTable(new TUVRTFColorList),
      FListTable(new TUVRTFListTable97),
      FListOverrideTable(new TUVRTFListOverrideTable97) {
  FStates.push_back(std::make_unique<TUVRTFReaderState>());
  FState = FStates[0].get();
}

TUVRTFReader::~TUVRTFReader() = default;

void TUVRTFReader::Clear() {
  FStyleSheet->Clear();
  FFontTable->Clear();
  FColorTable->Items.clear();
  FListTable->Clear();
  FListOverrideTable->Clear();
  FStackCount = 1;
  FState = FStates[0].get();
  FState->Reset();
  FPicture.reset();
  FPNMarker.reset();
  FMarkerText = nullptr;
  FPendingText.clear();
  FPendingTextW.clear();
  FPosition = rtf_ts_NewPara;
  FCodePage = DefCodePage;
  FSkipCount = 0;
  FDepth = 0;
  FTableLevels = 0;
  FBinCount = 0;
  FLastParam = 0;
  FStar = false;
  FPictNibble = 0;
  FPictSecondNibble = false;
  FHexValue = 0;
  FHexSecondDigit = false;
  FPNSecLevel = 0;
  FFlushEvenIfEmpty = false;
  FPushBack = -1;
  FBufPos = 0;
  FBufLen = 0;
}

TUVRTFResult TUVRTFReader::ReadFromFile(const AnsiString& FileName) {
  std::unique_ptr<TFileStream> stream;
  try {
    stream = std::make_unique<TFileStream>(FileName, fmOpenRead | fmShareDenyWrite);
  } catch (const Exception&) {
    return rtf_ec_FileOpenError;
  }
  return ReadFromStream(stream.get());
}

TUVRTFResult TUVRTFReader::ReadFromStream(TStream* Stream) {
  FStream = Stream;
  FStreamSize = Stream->GetSize();
  Clear();
  FBuffer.resize(kBufferSize);
  TUVRTFResult result = ParseRtfStream();
  // Give back what was read ahead, so that the stream stands right after the outermost group.
  Integer unread = FBufLen - FBufPos + (FPushBack >= 0 ? 1 : 0);
  if (unread > 0) FStream->Seek(-unread, soCurrent);
  FPushBack = -1;
  FBufPos = FBufLen = 0;
  FStream = nullptr;
  return result;
}

// --- Bytes ----------------------------------------------------------------------------------------

bool TUVRTFReader::FillBuffer() {
  FBufPos = 0;
  FBufLen = FStream->Read(FBuffer.data(), kBufferSize);
  if (FBufLen < 0) FBufLen = 0;
  return FBufLen > 0;
}

Integer TUVRTFReader::GetChar() {
  if (FPushBack >= 0) {
    Integer ch = FPushBack;
    FPushBack = -1;
    return ch;
  }
  if (FBufPos >= FBufLen && !FillBuffer()) return -1;
  return FBuffer[static_cast<std::size_t>(FBufPos++)];
}

void TUVRTFReader::UngetChar(Integer Ch) { FPushBack = Ch; }

// --- The main loop --------------------------------------------------------------------------------

TUVRTFResult TUVRTFReader::ParseRtfStream() {
  Integer ch;
  while ((ch = GetChar()) >= 0) {
    if (FDepth < 0) return rtf_ec_StackUnderflow;
    TUVRTFResult ec = rtf_ec_OK;
    if (FState->InputMode == rtf_im_Binary) {
      ec = ParseRtfChar(ch);
      if (ec != rtf_ec_OK) return ec;
      continue;
    }
    switch (ch) {
      case '{':
        FSkipCount = 0;
        ec = PushRtfState();
        break;
      case '}':
        FSkipCount = 0;
        ec = PopRtfState();
        if (ec == rtf_ec_OK && FDepth == 0) goto finished;
        break;
      case '\\':
        ec = ParseRtfKeyword();
        break;
      case '\r':
      case '\n':
        break;
      default:
        if (FState->InputMode == rtf_im_Normal) {
          if (FSkipCount > 0)
            --FSkipCount;
          else
            ec = ParseRtfChar(ch);
        } else if (FState->InputMode == rtf_im_Hex) {
          Integer digit = HexValue(ch);
          if (digit < 0) return rtf_ec_InvalidHex;
          FHexValue = FHexValue * 16 + digit;
          if (!FHexSecondDigit) {
            FHexSecondDigit = true;
          } else {
            Integer value = FHexValue;
            FHexValue = 0;
            FHexSecondDigit = false;
            FState->InputMode = rtf_im_Normal;
            if (FSkipCount > 0)
              --FSkipCount;
            else
              ec = ParseRtfChar(value);
          }
        } else {
          return rtf_ec_Assertion;
        }
    }
    if (ec != rtf_ec_OK) return ec;
  }
finished:
  UpdateRtfMarker();
  while (FTableLevels > 0) {
    --FTableLevels;
    FireRtfTableEvent(rtf_te_TableEnd);
  }
  // The colour table ends with the automatic entry added after its last ";".
  if (!FColorTable->Items.empty()) FColorTable->Items.pop_back();
  if (FDepth < 0) return rtf_ec_StackUnderflow;
  if (FDepth > 0) return rtf_ec_UnmatchedBrace;
  // The tables were closed above; text left over goes out without opening one again.
  return FlushText();
}

TUVRTFResult TUVRTFReader::ParseRtfKeyword() {
  Integer ch = GetChar();
  if (ch < 0) return rtf_ec_EndOfFile;
  if (!IsLetter(ch)) {
    const char keyword[2] = {static_cast<char>(ch), '\0'};
    // A control symbol that stands for a character may be the fallback of a \u character.
    if (FSkipCount > 0 && ch != '\'') {
      const TUVRTFsymbol* sym = FindRtfKeyword(keyword);
      if (sym && (sym->Kind == rtf_kwd_Char || sym->Kind == rtf_kwd_SpecChar)) {
        --FSkipCount;
        return rtf_ec_OK;
      }
    }
    return DispatchRtfKeyword(keyword, 0, false);
  }
  char keyword[64];
  std::size_t length = 0;
  AnsiString longKeyword;  // keywords longer than the buffer (no real one is)
  while (IsLetter(ch)) {
    if (length + 1 < sizeof keyword)
      keyword[length++] = static_cast<char>(ch);
    else
      longKeyword += static_cast<char>(ch);
    ch = GetChar();
  }
  keyword[length] = '\0';
  bool negative = false;
  bool hasParam = false;
  Int64 param = 0;
  if (ch == '-') {
    negative = true;
    ch = GetChar();
  }
  while (IsDigit(ch)) {
    hasParam = true;
    param = std::min<Int64>(param * 10 + (ch - '0'), kMaxParam);
    ch = GetChar();
  }
  if (ch >= 0 && ch != ' ') UngetChar(ch);
  Integer value = static_cast<Integer>(negative ? -param : param);
  if (hasParam) FLastParam = value;
  if (FSkipCount > 0) {
    --FSkipCount;
    return rtf_ec_OK;
  }
  if (!longKeyword.empty()) {
    // No control word is that long: an unknown one.
    if (FStar) FState->Destination = rtf_ds_Skip;
    FStar = false;
    return rtf_ec_OK;
  }
  return DispatchRtfKeyword(keyword, value, hasParam);
}

TUVRTFResult TUVRTFReader::DispatchRtfKeyword(const char* Keyword, Integer Param, bool HasParam) {
  const TUVRTFsymbol* sym = FindRtfKeyword(Keyword);
  if (!sym) {
    // "{\*\unknown ...}" is an optional destination this reader does not know: skip it whole.
    if (FStar) FState->Destination = rtf_ds_Skip;
    FStar = false;
    return rtf_ec_OK;
  }
  FStar = false;
  switch (sym->Kind) {
    case rtf_kwd_Char:
      return ParseRtfChar(sym->Index);
    case rtf_kwd_SpecChar:
      return OutputSpecialChar(*sym);
    case rtf_kwd_Dest:
      return ChangeRtfDestination(sym->Index);
    case rtf_kwd_Prop: {
      Integer value = (sym->UseDefault == 1 || !HasParam) ? sym->DefValue : Param;
      if (FState->Destination == rtf_ds_Normal && sym->Affects == rtf_af_CharProps) {
        TUVRTFResult ec = FlushText();
        if (ec != rtf_ec_OK) return ec;
      }
      return ApplyRtfProperty(*sym, value);
    }
    case rtf_kwd_Spec:
      if (FState->Destination == rtf_ds_Skip && sym->Index != rtf_sk_Bin) return rtf_ec_OK;
      switch (sym->Index) {
        case rtf_sk_Bin:
          // Raw bytes follow; in a skipped group they are skipped, braces and all.
          if (HasParam && Param > 0) {
            FBinCount = Param;
            FState->InputMode = rtf_im_Binary;
          }
          break;
        case rtf_sk_Hex:
          FState->InputMode = rtf_im_Hex;
          FHexValue = 0;
          FHexSecondDigit = false;
          break;
        case rtf_sk_Star:
          FStar = true;
          break;
      }
      return rtf_ec_OK;
  }
  return rtf_ec_BadTable;
}

// --- Groups ---------------------------------------------------------------------------------------

TUVRTFResult TUVRTFReader::PushRtfState() {
  if (FDepth >= kMaxDepth) return rtf_ec_StackOverflow;
  try {
    if (static_cast<std::size_t>(FStackCount) == FStates.size())
      FStates.push_back(std::make_unique<TUVRTFReaderState>());
    TUVRTFReaderState* state = FStates[static_cast<std::size_t>(FStackCount)].get();
    state->Assign(*FState);
    ++FStackCount;
    FState = state;
  } catch (const std::bad_alloc&) {
    return rtf_ec_StackOverflow;
  }
  FState->InputMode = rtf_im_Normal;
  ++FDepth;
  if (FState->Destination == rtf_ds_StyleSheet) {
    // Each group of the style sheet describes one style.
    auto* entry = new TUVRTFStyleSheetEntry;
    FStyleSheet->Add(entry);
    FState->Destination = rtf_ds_StyleSheetEntry;
  }
  return rtf_ec_OK;
}

TUVRTFResult TUVRTFReader::PopRtfState() {
  if (FStackCount <= 1) return rtf_ec_StackUnderflow;
  TUVRTFReaderState* closing = FState;
  TUVRTFReaderState* outer = FStates[static_cast<std::size_t>(FStackCount - 2)].get();
  if (closing->Destination == rtf_ds_StyleSheetEntry && outer->Destination == rtf_ds_StyleSheet &&
      FStyleSheet->GetCount() > 0) {
    TUVRTFStyleSheetEntry* entry = FStyleSheet->GetItem(FStyleSheet->GetCount() - 1);
    entry->ParaProps.Assign(closing->ParaProps);
    entry->CharProps.Assign(closing->CharProps);
  }
  TUVRTFResult ec;
  if (closing->Destination == rtf_ds_Normal) {
    ec = FlushText();
    if (ec != rtf_ec_OK) return ec;
  }
  if (outer->Destination != closing->Destination) {
    ec = EndRtfDestination(closing);
    if (ec != rtf_ec_OK) return ec;
  }
  if ((closing->HFType == rtf_hf_Header || closing->HFType == rtf_hf_Footer) && closing->HFType != outer->HFType &&
      OnHeaderFooter)
    OnHeaderFooter(this, closing->HFType, false);
  // The instruction of a field is read in a group of its own; the field and its result need it
  // to tell a hyperlink or an included picture.
  if (closing->Destination == rtf_ds_FieldInstruction &&
      (outer->Destination == rtf_ds_Field || outer->Destination == rtf_ds_FieldInstruction)) {
    outer->FieldInstruction = closing->FieldInstruction;
    outer->FieldPictureIncluded = closing->FieldPictureIncluded;
  }
  --FStackCount;
  FState = outer;
  --FDepth;
  if (closing->Destination == rtf_ds_PN && outer->Destination != rtf_ds_PN && FPNMarker) {
    FState->ParaProps.GetMarker()->Assign(*FPNMarker);
    FPNMarker.reset();
  }
  // Section numbering is defined in a group of its own but holds for the section.
  if (closing->Destination == rtf_ds_PNSectionLevel && outer->Destination != rtf_ds_PNSectionLevel)
    if (TUVRTFMarkerProperties* level = outer->SectProps.GetLevel(FPNSecLevel))
      level->Assign(*closing->SectProps.GetLevel(FPNSecLevel));
  if (closing->Destination == rtf_ds_PN || closing->Destination == rtf_ds_PNSectionLevel) {
    if (outer->Destination != rtf_ds_PN && outer->Destination != rtf_ds_PNSectionLevel) FMarkerText = nullptr;
  }
  return rtf_ec_OK;
}

TUVRTFResult TUVRTFReader::ChangeRtfDestination(Integer Dest) {
  TUVRTFReaderState* s = FState;
  if (s->Destination == rtf_ds_Skip) return rtf_ec_OK;
  switch (Dest) {
    case rtf_dk_Picture:
      if (FPicture) return rtf_ec_InvalidPicture;
      if (OnNewPicture) FPicture = std::make_unique<TUVRTFPicture>();
      s->Destination = rtf_ds_Picture;
      FPictNibble = 0;
      FPictSecondNibble = false;
      break;
    case rtf_dk_FontTable:
      FFontTable->Clear();
      s->Destination = rtf_ds_FontTable;
      break;
    case rtf_dk_StyleSheet:
      FStyleSheet->Clear();
      s->Destination = rtf_ds_StyleSheet;
      break;
    case rtf_dk_ColorTable:
      FColorTable->Items.clear();
      FColorTable->Items.push_back(rtf_AutoColor);
      s->Destination = rtf_ds_ColorTable;
      break;
    case rtf_dk_Field: {
      TUVRTFResult ec = FlushText();
      if (ec != rtf_ec_OK) return ec;
      s->Destination = rtf_ds_Field;
      break;
    }
    case rtf_dk_FieldInstruction:
      if (s->Destination == rtf_ds_Field) {
        s->FieldInstruction.clear();
        s->FieldPictureIncluded = false;
        s->Destination = rtf_ds_FieldInstruction;
      } else {
        s->Destination = rtf_ds_Skip;
      }
      break;
    case rtf_dk_FieldResult:
      s->Destination = rtf_ds_Normal;
      break;
    case rtf_dk_Header:
    case rtf_dk_Footer:
      s->HFType = Dest == rtf_dk_Header ? rtf_hf_Header : rtf_hf_Footer;
      if (OnHeaderFooter) {
        // Text before the header belongs to the document, not to the header.
        TUVRTFResult ec = FlushText();
        if (ec != rtf_ec_OK) return ec;
        OnHeaderFooter(this, s->HFType, true);
        s->Destination = rtf_ds_Normal;
      } else {
        s->Destination = rtf_ds_Skip;
      }
      break;
    case rtf_dk_PN:
      FPNMarker = std::make_unique<TUVRTFMarkerProperties>();
      FMarkerText = FPNMarker.get();
      s->Destination = rtf_ds_PN;
      break;
    case rtf_dk_PNTextAfter:
    case rtf_dk_PNTextBefore:
      if ((s->Destination == rtf_ds_PN || s->Destination == rtf_ds_PNSectionLevel) && FMarkerText)
        s->Destination = Dest == rtf_dk_PNTextAfter ? rtf_ds_PNTextAfter : rtf_ds_PNTextBefore;
      else
        s->Destination = rtf_ds_Skip;
      break;
    case rtf_dk_ListTable:
      FListTable->Clear();
      s->Destination = rtf_ds_ListTable;
      break;
    case rtf_dk_List:
      if (s->Destination == rtf_ds_ListTable) {
        FListTable->Add(new TUVRTFList97);
        s->Destination = rtf_ds_List;
      } else {
        s->Destination = rtf_ds_Skip;
      }
      break;
    case rtf_dk_ListName:
      s->Destination = s->Destination == rtf_ds_List ? rtf_ds_ListName : rtf_ds_Skip;
      break;
    case rtf_dk_ListLevel:
      if (s->Destination == rtf_ds_List && FListTable->GetCount() > 0) {
        FListTable->GetItem(FListTable->GetCount() - 1)->Add(new TUVRTFListLevel97);
        s->Destination = rtf_ds_ListLevel;
      } else {
        s->Destination = rtf_ds_Skip;
      }
      break;
    case rtf_dk_LevelText:
    case rtf_dk_LevelNumbers:
      if (s->Destination == rtf_ds_ListLevel)
        s->Destination = Dest == rtf_dk_LevelText ? rtf_ds_LevelText : rtf_ds_LevelNumbers;
      else
        s->Destination = rtf_ds_Skip;
      break;
    case rtf_dk_ListOverrideTable:
      FListOverrideTable->Clear();
      s->Destination = rtf_ds_ListOverrideTable;
      break;
    case rtf_dk_ListOverride:
      if (s->Destination == rtf_ds_ListOverrideTable) {
        FListOverrideTable->Add(new TUVRTFListOverride97);
        s->Destination = rtf_ds_ListOverride;
      } else {
        s->Destination = rtf_ds_Skip;
      }
      break;
    case rtf_dk_ListOverrideLevel:
      if (s->Destination == rtf_ds_ListOverride && FListOverrideTable->GetCount() > 0) {
        FListOverrideTable->GetItem(FListOverrideTable->GetCount() - 1)->Add(new TUVRTFListOverrideLevel97);
        s->Destination = rtf_ds_ListOverrideLevel;
      } else {
        s->Destination = rtf_ds_Skip;
      }
      break;
    default:
      s->Destination = rtf_ds_Skip;
  }
  return rtf_ec_OK;
}

TUVRTFResult TUVRTFReader::EndRtfDestination(TUVRTFReaderState* Closing) {
  switch (Closing->Destination) {
    case rtf_ds_Picture: {
      TUVRTFResult ec = FlushText();
      if (ec != rtf_ec_OK) return ec;
      if (FPicture) {
        if (!Closing->FieldPictureIncluded) FinishRtfPicture();
        FPicture.reset();
      }
      break;
    }
    case rtf_ds_Field:
      Closing->FieldInstruction.clear();
      Closing->FieldPictureIncluded = false;
      break;
    case rtf_ds_FieldInstruction:
      ReadIncludePictureField(Closing);
      ReadSymbolField(Closing);
      break;
    case rtf_ds_LevelText:
      if (TUVRTFListLevel97* level = GetCurrentListLevel()) {
        // The first character holds the length of the text that follows it.
        if (!level->Text.empty()) {
          std::size_t length = static_cast<Byte>(level->Text[0]) + 1u;
          if (level->Text.size() > length) level->Text.resize(length);
        }
        if (!level->TextW.empty()) {
          std::size_t length = static_cast<Word>(level->TextW[0]) + 1u;
          if (level->TextW.size() > length) level->TextW.resize(length);
        }
      }
      break;
    case rtf_ds_LevelNumbers:
      // The positions of the placeholders, ended by ";".
      if (TUVRTFListLevel97* level = GetCurrentListLevel())
        if (!level->Numbers.empty() && level->Numbers.back() == ';') level->Numbers.pop_back();
      break;
    case rtf_ds_ListName:
      if (FListTable->GetCount() > 0) {
        AnsiString& name = FListTable->GetItem(FListTable->GetCount() - 1)->Name;
        if (!name.empty() && name.back() == ';') name.pop_back();
      }
      break;
    default:
      break;
  }
  return rtf_ec_OK;
}

// --- Characters -----------------------------------------------------------------------------------

TUVRTFResult TUVRTFReader::ParseRtfChar(Integer Ch) {
  TUVRTFResult ec = rtf_ec_OK;
  switch (FState->Destination) {
    case rtf_ds_Normal: {
      const bool lineEnd = Ch == 10 || Ch == 13;
      if (lineEnd) UpdateRtfMarker();
      ec = OutputRtfText(Ch, true);
      if (lineEnd) UpdateRtfMarker();
      break;
    }
    case rtf_ds_FontTable:
      if (Ch != ';' && FFontTable->GetCount() > 0)
        FFontTable->GetItem(FFontTable->GetCount() - 1)->Name += static_cast<char>(Ch);
      break;
    case rtf_ds_ColorTable:
      if (Ch == ';') FColorTable->Items.push_back(rtf_AutoColor);
      break;
    case rtf_ds_StyleSheetEntry:
      if (Ch != ';' && FStyleSheet->GetCount() > 0)
        FStyleSheet->GetItem(FStyleSheet->GetCount() - 1)->Name += static_cast<char>(Ch);
      break;
    case rtf_ds_Picture:
      if (FPicture) {
        if (FState->InputMode == rtf_im_Binary) {
          const Byte b = static_cast<Byte>(Ch);
          FPicture->Data->Write(&b, 1);
        } else {
          Integer digit = HexValue(Ch);
          if (digit < 0) {
            ec = rtf_ec_InvalidPicture;
            break;
          }
          FPictNibble = FPictNibble * 16 + digit;
          if (FPictSecondNibble) {
            const Byte b = static_cast<Byte>(FPictNibble);
            FPicture->Data->Write(&b, 1);
            FPictNibble = 0;
          }
          FPictSecondNibble = !FPictSecondNibble;
        }
      }
      break;
    case rtf_ds_FieldInstruction:
      FState->FieldInstruction += static_cast<char>(Ch);
      break;
    case rtf_ds_PNTextAfter:
      if (FMarkerText) FMarkerText->TextAfter += static_cast<char>(Ch);
      break;
    case rtf_ds_PNTextBefore:
      if (FMarkerText) FMarkerText->TextBefore += static_cast<char>(Ch);
      break;
    case rtf_ds_ListName:
      if (FListTable->GetCount() > 0) FListTable->GetItem(FListTable->GetCount() - 1)->Name += static_cast<char>(Ch);
      break;
    case rtf_ds_LevelText:
      if (TUVRTFListLevel97* level = GetCurrentListLevel()) {
        const char c = static_cast<char>(Ch);
        level->Text += c;
        if (!level->TextW.empty()) level->TextW += LevelTextToWide(AnsiString(1, c));
      }
      break;
    case rtf_ds_LevelNumbers:
      if (TUVRTFListLevel97* level = GetCurrentListLevel()) level->Numbers += static_cast<char>(Ch);
      break;
    default:
      break;
  }
  if (FState->InputMode == rtf_im_Binary && --FBinCount < 1) FState->InputMode = rtf_im_Normal;
  return ec;
}

TUVRTFResult TUVRTFReader::OutputRtfText(Integer Ch, bool CheckTableLevel) {
  if (CheckTableLevel) UpdateRtfTableLevel(false);
  if (Ch != 0 && Ch != 10 && Ch != 13) {
    if (!FPendingTextW.empty()) FireRtfTextEvent(0);
    FPendingText += static_cast<char>(Ch);
    return rtf_ec_OK;
  }
  FireRtfTextEvent(Ch);
  if (Ch == 10)
    FPosition = rtf_ts_NewPara;
  else if (Ch == 13)
    FPosition = rtf_ts_NewLine;
  return rtf_ec_OK;
}

TUVRTFResult TUVRTFReader::OutputWideChar(WideChar Ch) {
  UpdateRtfTableLevel(false);
  if (!FPendingText.empty()) FireRtfTextEvent(0);
  FPendingTextW += Ch;
  return rtf_ec_OK;
}

void TUVRTFReader::FireRtfTextEvent(Integer Kind) {
  if (FPendingText.empty() && FPendingTextW.empty() && !FFlushEvenIfEmpty) {
    // Nothing to report; a plain flush leaves its position to the next piece of text.
    if (FPosition == rtf_ts_ContinuePara || Kind == 0) return;
  }
  FFlushEvenIfEmpty = false;
  const TUVRTFPosition position = FPosition;
  if (!FPendingTextW.empty() && OnNewUnicodeText) {
    WideString text;
    text.swap(FPendingTextW);
    FPendingText.clear();
    OnNewUnicodeText(this, text, position);
  } else {
    AnsiString text;
    text.swap(FPendingText);
    FPendingTextW.clear();
    if (OnNewText) OnNewText(this, text, position);
  }
  FPosition = rtf_ts_ContinuePara;
}

TUVRTFResult TUVRTFReader::OutputRtfUnicodeChar(Integer Value) {
  const WideChar ch = static_cast<WideChar>(static_cast<Word>(Value));
  switch (FState->Destination) {
    case rtf_ds_Normal:
      // Without a receiver for UTF-16 text the fallback characters are the text.
      if (!OnNewUnicodeText) return rtf_ec_OK;
      FSkipCount = FState->UCValue;
      return OutputWideChar(ch);
    case rtf_ds_LevelText:
      FSkipCount = FState->UCValue;
      if (TUVRTFListLevel97* level = GetCurrentListLevel()) {
        if (level->TextW.empty()) level->TextW = LevelTextToWide(level->Text);
        level->TextW += ch;
        level->Text += WideToAnsi(WideString(1, ch));
      }
      return rtf_ec_OK;
    default:
      if (FState->UCValue < 1) return rtf_ec_OK;
      FSkipCount = FState->UCValue;
      for (char c : WideToAnsi(WideString(1, ch))) {
        TUVRTFResult ec = ParseRtfChar(static_cast<Byte>(c));
        if (ec != rtf_ec_OK) return ec;
      }
      return rtf_ec_OK;
  }
}

TUVRTFResult TUVRTFReader::OutputSpecialChar(const TUVRTFsymbol& Sym) {
  if (FState->Destination == rtf_ds_Normal && OnNewUnicodeText) {
    if (Sym.DefValue == 0) return rtf_ec_OK;
    return OutputWideChar(static_cast<WideChar>(Sym.DefValue));
  }
  Integer ch = Sym.Index;
  Byte b;
  if (Sym.UseDefault == 1 && Sym.DefValue != 0 &&
      WideCharToSingleByte(FCodePage, static_cast<WideChar>(Sym.DefValue), b))
    ch = b;
  if (ch == 0) return rtf_ec_OK;
  return ParseRtfChar(ch);
}

WideString TUVRTFReader::AnsiToWide(const AnsiString& Text) const { return ConvertToWide(FCodePage, Text); }

WideString TUVRTFReader::LevelTextToWide(const AnsiString& Text) const {
  // The length byte and the level placeholders are numbers, not characters to be shown.
  WideString result;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= Text.size(); ++i) {
    if (i == Text.size() || static_cast<Byte>(Text[i]) < 0x20) {
      result += ConvertToWide(FCodePage, std::string_view(Text).substr(start, i - start));
      if (i < Text.size()) result += static_cast<WideChar>(static_cast<Byte>(Text[i]));
      start = i + 1;
    }
  }
  return result;
}

AnsiString TUVRTFReader::WideToAnsi(const WideString& Text) const { return ConvertToAnsi(FCodePage, Text); }

// --- Properties -----------------------------------------------------------------------------------

Integer TUVRTFReader::LookupRtfFont(Integer Number) const {
  Integer index = FFontTable->GetFontIndex(Number);
  if (index < 0) index = FFontTable->GetFontIndex(FState->DefFontNumber);
  return index < 0 ? 0 : index;
}

TColor TUVRTFReader::GetTableColor(Integer Index, bool& Valid) const {
  Valid = Index >= 0 && Index < FColorTable->GetCount();
  return Valid ? FColorTable->GetItem(Index) : clNone;
}

TUVRTFListLevel97* TUVRTFReader::GetCurrentListLevel() const {
  if (FListTable->GetCount() == 0) return nullptr;
  TUVRTFList97* list = FListTable->GetItem(FListTable->GetCount() - 1);
  return list->GetCount() > 0 ? list->GetItem(list->GetCount() - 1) : nullptr;
}

AnsiString TUVRTFReader::GetCurrentFontName() const {
  const TUVRTFCharProperties& props = FState->CharProps;
  if (!props.FontNameOverride.empty()) return props.FontNameOverride;
  if (props.FontIndex >= 0 && props.FontIndex < FFontTable->GetCount()) return FFontTable->GetItem(props.FontIndex)->Name;
  return AnsiString();
}

TUVRTFBorderSide* TUVRTFReader::GetCurrentBorderSide() {
  switch (FState->BorderTarget) {
    case rtf_bt_Row: {
      TUVRTFRowProperties* row = FState->GetRowProps();
      return &row->Border.Sides[row->CurBorderSide];
    }
    case rtf_bt_Cell: {
      TUVRTFCellProperties* cell = FState->GetRowProps()->GetLastCell();
      return &cell->Border.Sides[cell->CurBorderSide];
    }
    default:
      return &FState->ParaProps.GetBorder()->Sides[FState->ParaProps.CurBorderSide];
  }
}

void TUVRTFReader::ApplyBorderStyle(TUVRTFBorderType Style) {
  // The first style keyword of a side wins.
  TUVRTFBorderSide* side = GetCurrentBorderSide();
  if (side->BorderType == 0) side->BorderType = Style;
}

TUVRTFResult TUVRTFReader::ApplyRtfProperty(const TUVRTFsymbol& Sym, Integer Value) {
  TUVRTFReaderState* s = FState;
  switch (s->Destination) {
    case rtf_ds_Skip:
      return rtf_ec_OK;
    case rtf_ds_ColorTable:
    case rtf_ds_Picture:
    case rtf_ds_PN:
    case rtf_ds_PNSectionLevel:
    case rtf_ds_List:
    case rtf_ds_ListLevel:
    case rtf_ds_ListOverride:
    case rtf_ds_ListOverrideLevel:
      ApplyDestinationProperty(Sym, Value);
      return rtf_ec_OK;
    case rtf_ds_StyleSheetEntry:
      // The formatting of a style goes into the group, from which the entry takes it at "}".
      if (ApplyDestinationProperty(Sym, Value) || Sym.Affects == rtf_af_None) return rtf_ec_OK;
      break;
    default:
      break;
  }
  TUVRTFCharProperties& cp = s->CharProps;
  TUVRTFParaProperties& pp = s->ParaProps;
  bool valid;
  switch (Sym.Index) {
    // Characters.
    case rtf_pk_Bold:
      SetStyle(cp.Style, fsBold, Value != 0);
      break;
    case rtf_pk_Italic:
      SetStyle(cp.Style, fsItalic, Value != 0);
      break;
    case rtf_pk_Underline:
      SetStyle(cp.Style, fsUnderline, Value != 0);
      break;
    case rtf_pk_StrikeOut:
      SetStyle(cp.Style, fsStrikeOut, Value != 0);
      break;
    case rtf_pk_AllCaps:
      cp.AllCaps = Value != 0;
      break;
    case rtf_pk_CharScaleX:
      cp.CharScaleX = Value;
      break;
    case rtf_pk_CharSpacing:
      cp.CharSpacingTw = Value;
      break;
    case rtf_pk_SScript:
      cp.SScriptType = static_cast<TUVRTFSScriptType>(Value);
      break;
    case rtf_pk_Up:
      cp.SScriptType = Value > 0 ? rtf_ss_Superscript : rtf_ss_Normal;
      break;
    case rtf_pk_Down:
      cp.SScriptType = Value > 0 ? rtf_ss_Subscript : rtf_ss_Normal;
      break;
    case rtf_pk_FontSize:
      cp.Size = HalfPointsToPoints(Value);
      break;
    case rtf_pk_Color: {
      TColor color = GetTableColor(Value, valid);
      if (valid) cp.Color = color;
      break;
    }
    case rtf_pk_BackColor: {
      TColor color = GetTableColor(Value, valid);
      if (valid) cp.BackColor = color == rtf_AutoColor ? clNone : color;
      break;
    }
    case rtf_pk_Highlight:
      switch (ConvertHighlight) {
        case rtf_hl_FixedColors:
          cp.BackColor = Value >= 1 && Value <= 16 ? kHighlightColors[Value - 1] : clNone;
          break;
        case rtf_hl_ColorTable: {
          TColor color = GetTableColor(Value, valid);
          if (valid) cp.BackColor = color == rtf_AutoColor ? clNone : color;
          break;
        }
        case rtf_hl_Ignore:
          break;
      }
      break;
    case rtf_pk_Hidden:
      if (cp.Hidden != (Value != 0)) {
        if (s->Destination == rtf_ds_Normal) {
          // When hiding starts, the paragraph start goes out with the visible text before it, so
          // that it is not dropped together with the hidden text.
          FFlushEvenIfEmpty = Value != 0;
          FlushText();
          FFlushEvenIfEmpty = false;
        }
        cp.Hidden = Value != 0;
      }
      break;
    case rtf_pk_Plain:
      cp.Reset(LookupRtfFont(s->DefFontNumber));
      break;
    case rtf_pk_Font:
      if (s->Destination == rtf_ds_FontTable) {
        auto* font = new TUVRTFFont;
        font->Number = Value;
        FFontTable->Add(font);
      } else {
        cp.FontIndex = LookupRtfFont(Value);
      }
      break;

    // Paragraphs.
    case rtf_pk_ParD:
      pp.Reset();
      break;
    case rtf_pk_LeftIndent:
      pp.LeftIndentTw = Value;
      break;
    case rtf_pk_RightIndent:
      pp.RightIndentTw = Value;
      break;
    case rtf_pk_FirstIndent:
      pp.FirstIndentTw = Value;
      break;
    case rtf_pk_SpaceBefore:
      pp.SpaceBeforeTw = Value;
      break;
    case rtf_pk_SpaceAfter:
      pp.SpaceAfterTw = Value;
      break;
    case rtf_pk_LineSpacing:
      pp.LineSpacing = Value;
      break;
    case rtf_pk_LineSpacingMulti:
      pp.LineSpacingMulti = Value != 0;
      break;
    case rtf_pk_Alignment:
      pp.Alignment = static_cast<TUVRTFAlignment>(Value);
      break;
    case rtf_pk_ParaBackColor: {
      TColor color = GetTableColor(Value, valid);
      if (valid) pp.BackColor = color == rtf_AutoColor ? clNone : color;
      break;
    }
    case rtf_pk_ParaBorderSide:
      s->BorderTarget = rtf_bt_Para;
      pp.CurBorderSide = static_cast<TUVRTFSide>(Value);
      pp.GetBorder();
      break;
    case rtf_pk_BorderStyle:
      ApplyBorderStyle(static_cast<TUVRTFBorderType>(Value));
      break;
    case rtf_pk_BorderWidth:
      GetCurrentBorderSide()->WidthTw = Value;
      break;
    case rtf_pk_BorderColor: {
      TColor color = GetTableColor(Value, valid);
      if (valid) GetCurrentBorderSide()->Color = color;
      break;
    }
    case rtf_pk_BorderSpace:
      pp.GetBorder()->Sides[pp.CurBorderSide].SpaceTw = Value;
      break;
    case rtf_pk_ListOverride:
      pp.ListOverrideIndex = FListOverrideTable->FindOverride(Value);
      break;
    case rtf_pk_ListLevel:
      pp.ListLevel = Value;
      break;
    case rtf_pk_InTable:
      pp.InTable = Value != 0;
      break;
    case rtf_pk_NestingLevel:
      // Word processors nest tables a few levels deep; a level beyond any real document would
      // only make the reader announce that many tables, one by one.
      pp.NestingLevel = std::min(Value, kMaxTableNesting);
      if (Value > 0) pp.InTable = true;
      break;
    case rtf_pk_Positioned:
      pp.Positioned = true;
      break;
    case rtf_pk_TableSeparator:
      pp.TableSeparator = Value != 0;
      break;
    case rtf_pk_Page:
    case rtf_pk_PageBreakBefore:
      if (s->Destination == rtf_ds_Normal && OnRequiredPageBreak) {
        OutputRtfText(0, true);
        OnRequiredPageBreak(this);
      }
      break;

    // Sections.
    case rtf_pk_SectD:
      s->SectProps.Reset();
      break;
    case rtf_pk_Columns:
      s->SectProps.Columns = Value;
      break;
    case rtf_pk_PageNumberX:
      s->SectProps.PageNumberXTw = Value;
      break;
    case rtf_pk_PageNumberY:
      s->SectProps.PageNumberYTw = Value;
      break;
    case rtf_pk_HeaderY:
      s->SectProps.HeaderYTw = Value;
      break;
    case rtf_pk_FooterY:
      s->SectProps.FooterYTw = Value;
      break;
    case rtf_pk_SectionBreak:
      s->SectProps.SectionBreak = Value;
      break;
    case rtf_pk_PageNumberFormat:
      s->SectProps.PageNumberFormat = Value;
      break;
    case rtf_pk_PNSectionLevel:
      if (Value >= 1 && Value <= 11) {
        FPNSecLevel = Value;
        FMarkerText = s->SectProps.GetLevel(Value);
        s->Destination = rtf_ds_PNSectionLevel;
      } else {
        s->Destination = rtf_ds_Skip;
      }
      break;

    // The document.
    case rtf_pk_PaperWidth:
      s->DocProps.PaperWidthTw = Value;
      break;
    case rtf_pk_PaperHeight:
      s->DocProps.PaperHeightTw = Value;
      break;
    case rtf_pk_MarginL:
      s->DocProps.LeftMarginTw = Value;
      break;
    case rtf_pk_MarginR:
      s->DocProps.RightMarginTw = Value;
      break;
    case rtf_pk_MarginT:
      s->DocProps.TopMarginTw = Value;
      break;
    case rtf_pk_MarginB:
      s->DocProps.BottomMarginTw = Value;
      break;
    case rtf_pk_PageNumberStart:
      s->DocProps.PageNumberStart = Value;
      break;
    case rtf_pk_FacingPages:
      s->DocProps.FacingPages = true;
      break;
    case rtf_pk_Landscape:
      s->DocProps.Landscape = true;
      break;
    case rtf_pk_DefFont:
      if (s->Destination == rtf_ds_Normal) s->DefFontNumber = Value;
      break;
    case rtf_pk_CodePage:
      FCodePage = static_cast<Cardinal>(Value);
      break;
    case rtf_pk_UnicodeChar:
      return OutputRtfUnicodeChar(Value);
    case rtf_pk_UnicodeSkip:
      s->UCValue = std::max(Value, 0);
      break;

    // The font table.
    case rtf_pk_FontFamily:
      if (s->Destination == rtf_ds_FontTable && FFontTable->GetCount() > 0)
        FFontTable->GetItem(FFontTable->GetCount() - 1)->Family = static_cast<TUVRTFFontFamily>(Value);
      break;
    case rtf_pk_FontCharset:
      if (s->Destination == rtf_ds_FontTable && FFontTable->GetCount() > 0)
        FFontTable->GetItem(FFontTable->GetCount() - 1)->Charset =
            Value > 255 ? Byte(MAC_CHARSET) : static_cast<Byte>(std::max(Value, 0));
      break;

    // Tables.
    case rtf_pk_RowD:
      s->GetRowProps()->Reset();
      break;
    case rtf_pk_RowAlignment:
      s->GetRowProps()->Alignment = static_cast<TUVRTFAlignment>(Value);
      break;
    case rtf_pk_RowGapH:
      s->GetRowProps()->GapHTw = Value;
      break;
    case rtf_pk_RowLeft:
      s->GetRowProps()->LeftTw = Value;
      break;
    case rtf_pk_RowHeight:
      s->GetRowProps()->HeightTw = Value;
      break;
    case rtf_pk_RowHeading:
      s->GetRowProps()->Heading = Value != 0;
      break;
    case rtf_pk_RowPaddingL:
    case rtf_pk_RowPaddingT:
    case rtf_pk_RowPaddingR:
    case rtf_pk_RowPaddingB:
      s->GetRowProps()->PaddingsTw[Sym.Index - rtf_pk_RowPaddingL] = Value;
      break;
    case rtf_pk_RowPaddingUnitL:
    case rtf_pk_RowPaddingUnitT:
    case rtf_pk_RowPaddingUnitR:
    case rtf_pk_RowPaddingUnitB:
      s->GetRowProps()->PaddingsInTwips[Sym.Index - rtf_pk_RowPaddingUnitL] = Value == 3;
      break;
    case rtf_pk_RowSpacingL:
    case rtf_pk_RowSpacingT:
    case rtf_pk_RowSpacingR:
    case rtf_pk_RowSpacingB:
      s->GetRowProps()->SpacingsTw[Sym.Index - rtf_pk_RowSpacingL] = Value;
      break;
    case rtf_pk_RowSpacingUnitL:
    case rtf_pk_RowSpacingUnitT:
    case rtf_pk_RowSpacingUnitR:
    case rtf_pk_RowSpacingUnitB:
      s->GetRowProps()->SpacingsInTwips[Sym.Index - rtf_pk_RowSpacingUnitL] = Value == 3;
      break;
    case rtf_pk_RowWidth: {
      TUVRTFRowProperties* row = s->GetRowProps();
      row->BestWidth = row->BestWidthInPercent ? -Value : Value;
      break;
    }
    case rtf_pk_RowWidthUnit: {
      TUVRTFRowProperties* row = s->GetRowProps();
      if (Value == 2) {
        row->BestWidthInPercent = true;
        row->BestWidth = -row->BestWidth;
      } else if (Value != 3) {
        row->BestWidth = 0;
      }
      break;
    }
    case rtf_pk_CellWidth: {
      TUVRTFCellProperties* cell = s->GetRowProps()->GetLastCell();
      cell->BestWidth = cell->BestWidthInPercent ? -Value : Value;
      break;
    }
    case rtf_pk_CellWidthUnit: {
      TUVRTFCellProperties* cell = s->GetRowProps()->GetLastCell();
      if (Value == 2) {
        cell->BestWidthInPercent = true;
        cell->BestWidth = -cell->BestWidth;
      } else if (Value != 3) {
        cell->BestWidth = 0;
      }
      break;
    }
    case rtf_pk_CellHMerge:
      s->GetRowProps()->GetLastCell()->HMerge = static_cast<TUVRTFCellMerge>(Value);
      break;
    case rtf_pk_CellVMerge:
      s->GetRowProps()->GetLastCell()->VMerge = static_cast<TUVRTFCellMerge>(Value);
      break;
    case rtf_pk_CellBackColor: {
      TColor color = GetTableColor(Value, valid);
      if (valid) s->GetRowProps()->GetLastCell()->BackColor = color == rtf_AutoColor ? clNone : color;
      break;
    }
    case rtf_pk_CellPatternColor: {
      TColor color = GetTableColor(Value, valid);
      if (valid) s->GetRowProps()->GetLastCell()->PatternColor = color;
      break;
    }
    case rtf_pk_CellShading:
      s->GetRowProps()->GetLastCell()->Shading = Value;
      break;
    case rtf_pk_CellVAlign:
      s->GetRowProps()->GetLastCell()->VAlign = static_cast<TUVRTFVAlign>(Value);
      break;
    case rtf_pk_CellX: {
      TUVRTFRowProperties* row = s->GetRowProps();
      row->GetLastCell()->RightBoundaryTw = Value;
      row->Cells.AddNew();
      row->LastCellPending = true;
      break;
    }
    case rtf_pk_RowBorderSide:
      s->BorderTarget = rtf_bt_Row;
      s->GetRowProps()->CurBorderSide = static_cast<TUVRTFSide>(Value);
      break;
    case rtf_pk_CellBorderSide:
      s->BorderTarget = rtf_bt_Cell;
      s->GetRowProps()->GetLastCell()->CurBorderSide = static_cast<TUVRTFSide>(Value);
      break;
    case rtf_pk_CellBestWidthPx: {
      TUVRTFRowProperties* row = s->GetRowProps();
      row->GetLastCell()->BestWidth = Value;
      row->InPixels = true;
      break;
    }
    case rtf_pk_CellBestHeightPx: {
      TUVRTFRowProperties* row = s->GetRowProps();
      row->GetLastCell()->BestHeight = Value;
      row->InPixels = true;
      break;
    }
    case rtf_pk_TableBestWidthPx: {
      TUVRTFRowProperties* row = s->GetRowProps();
      row->BestWidth = Value;
      row->InPixels = true;
      break;
    }
    case rtf_pk_Cell:
      UpdateRtfTableLevel(true);
      FlushText();
      FPosition = rtf_ts_NewPara;
      FireRtfTableEvent(rtf_te_CellEnd);
      break;
    case rtf_pk_Row:
      FinishRtfRow();
      UpdateRtfTableLevel(true);
      FireRtfTableEvent(rtf_te_RowEnd);
      break;
    default:
      // Keywords of other destinations mean nothing here.
      break;
  }
  return rtf_ec_OK;
}

bool TUVRTFReader::ApplyDestinationProperty(const TUVRTFsymbol& Sym, Integer Value) {
  TUVRTFReaderState* s = FState;
  bool valid;
  switch (s->Destination) {
    case rtf_ds_ColorTable: {
      Integer shift;
      switch (Sym.Index) {
        case rtf_pk_Red:
          shift = 0;
          break;
        case rtf_pk_Green:
          shift = 8;
          break;
        case rtf_pk_Blue:
          shift = 16;
          break;
        default:
          return false;
      }
      if (FColorTable->Items.empty()) FColorTable->Items.push_back(rtf_AutoColor);
      TColor& color = FColorTable->Items.back();
      if (color == rtf_AutoColor) color = 0;
      color = (color & ~(0xFF << shift)) | ((Value & 0xFF) << shift);
      return true;
    }
    case rtf_ds_StyleSheetEntry: {
      if (FStyleSheet->GetCount() == 0) return false;
      TUVRTFStyleSheetEntry* entry = FStyleSheet->GetItem(FStyleSheet->GetCount() - 1);
      switch (Sym.Index) {
        case rtf_pk_ParaStyle:
          entry->Number = Value;
          entry->StyleSheetType = rtf_sst_Par;
          return true;
        case rtf_pk_CharStyle:
          entry->Number = Value;
          entry->StyleSheetType = rtf_sst_Char;
          return true;
        case rtf_pk_SectStyle:
          entry->Number = Value;
          entry->StyleSheetType = rtf_sst_Sect;
          return true;
        case rtf_pk_BasedOn:
          entry->BasedOn = FStyleSheet->GetEntry(Value);
          return true;
        case rtf_pk_NextStyle:
          entry->Next = FStyleSheet->GetEntry(Value);
          return true;
        case rtf_pk_Additive:
          entry->Additive = true;
          return true;
        case rtf_pk_StyleHidden:
          entry->Hidden = true;
          return true;
        default:
          return false;
      }
    }
    case rtf_ds_Picture: {
      TUVRTFPicture* pict = FPicture.get();
      if (!pict) return true;
      switch (Sym.Index) {
        case rtf_pk_PicW:
          pict->PicW = Value;
          return true;
        case rtf_pk_PicH:
          pict->PicH = Value;
          return true;
        case rtf_pk_PicWGoal:
          pict->PicWGoalTw = Value;
          return true;
        case rtf_pk_PicHGoal:
          pict->PicHGoalTw = Value;
          return true;
        case rtf_pk_PicScaleX:
          pict->PicScaleX = Value;
          return true;
        case rtf_pk_PicScaleY:
          pict->PicScaleY = Value;
          return true;
        case rtf_pk_WBMWidthBytes:
          pict->WBMWidthBytes = Value;
          return true;
        case rtf_pk_PictureType:
          pict->PicType = static_cast<TUVRTFPictureType>(Value);
          // Room for the bitmap file header that turns the DIB into a bitmap file.
          if (pict->PicType == rtf_pict_DIB) pict->Data->SetPosition(sizeof(BITMAPFILEHEADER));
          return true;
        case rtf_pk_WMetafile:
          pict->PicType = rtf_pict_WMF;
          pict->WMFMapMode = Value >= 2 && Value <= 8 ? Value : 1;
          return true;
        case rtf_pk_PicBmp:
          pict->PicBmp = true;
          return true;
        default:
          return false;
      }
    }
    case rtf_ds_PN:
      if (FPNMarker) ApplyMarkerProperty(FPNMarker.get(), Sym.Index, Value, false);
      return true;
    case rtf_ds_PNSectionLevel:
      if (TUVRTFMarkerProperties* level = s->SectProps.GetLevel(FPNSecLevel))
        ApplyMarkerProperty(level, Sym.Index, Value, true);
      return true;
    case rtf_ds_List: {
      if (FListTable->GetCount() == 0) return true;
      TUVRTFList97* list = FListTable->GetItem(FListTable->GetCount() - 1);
      if (Sym.Index == rtf_pk_ListId) list->Id = Value;
      if (Sym.Index == rtf_pk_ListSimple) list->Simple = Value != 0;
      return true;
    }
    case rtf_ds_ListLevel: {
      TUVRTFListLevel97* level = GetCurrentListLevel();
      if (!level) return true;
      switch (Sym.Index) {
        case rtf_pk_LevelNumberType:
          switch (Value) {
            case 1:
              level->ListType = rtf_pn_UpperRoman;
              break;
            case 2:
              level->ListType = rtf_pn_LowerRoman;
              break;
            case 3:
              level->ListType = rtf_pn_UpperLetter;
              break;
            case 4:
              level->ListType = rtf_pn_LowerLetter;
              break;
            case 23:
              level->ListType = rtf_pn_Bullet;
              break;
            default:
              level->ListType = rtf_pn_Default;
          }
          break;
        case rtf_pk_LevelJustify:
          level->Alignment = Value == 1 ? rtf_al_Center : Value == 2 ? rtf_al_Right : rtf_al_Left;
          break;
        case rtf_pk_LevelOld:
          level->OldStyle = Value != 0;
          break;
        case rtf_pk_LevelLegal:
          level->Legal = Value != 0;
          break;
        case rtf_pk_LevelNoRestart:
          level->NoRestart = Value != 0;
          break;
        case rtf_pk_LevelStartAt:
          level->Start = Value;
          break;
        case rtf_pk_LevelIndent:
          level->IndentTw = Value;
          break;
        case rtf_pk_LevelSpace:
          level->SpaceTw = Value;
          break;
        case rtf_pk_LevelFollow:
          level->Follow = static_cast<TUVRTFListLevel97::TFollow>(std::clamp(Value, 0, 2));
          break;
        case rtf_pk_TabPosition:
          level->TabPosTw = Value;
          break;
        case rtf_pk_LeftIndent:
          level->LeftIndentTw = Value;
          break;
        case rtf_pk_FirstIndent:
          level->FirstIndentTw = Value;
          break;
        case rtf_pk_Color: {
          TColor color = GetTableColor(Value, valid);
          if (valid) {
            level->Color = color;
            level->FontGiven |= TUVRTFCustomMarkerProperties::rtf_mg_Color;
          }
          break;
        }
        case rtf_pk_Font:
          level->FontIndex = LookupRtfFont(Value);
          level->FontGiven |= TUVRTFCustomMarkerProperties::rtf_mg_Font;
          break;
        case rtf_pk_FontSize:
          level->FontSize = HalfPointsToPoints(Value);
          level->FontGiven |= TUVRTFCustomMarkerProperties::rtf_mg_Size;
          break;
        case rtf_pk_Bold:
          SetStyle(level->Style, fsBold, Value != 0);
          break;
        case rtf_pk_Italic:
          SetStyle(level->Style, fsItalic, Value != 0);
          break;
        case rtf_pk_Underline:
          SetStyle(level->Style, fsUnderline, Value != 0);
          break;
        case rtf_pk_StrikeOut:
          SetStyle(level->Style, fsStrikeOut, Value != 0);
          break;
        default:
          break;
      }
      return true;
    }
    case rtf_ds_ListOverride: {
      if (FListOverrideTable->GetCount() == 0) return true;
      TUVRTFListOverride97* lo = FListOverrideTable->GetItem(FListOverrideTable->GetCount() - 1);
      if (Sym.Index == rtf_pk_ListId) lo->ListIndex = FListTable->FindList(Value);
      if (Sym.Index == rtf_pk_ListOverrideCount) lo->OverrideCount = Value;
      if (Sym.Index == rtf_pk_ListOverride) lo->Number = Value;
      return true;
    }
    case rtf_ds_ListOverrideLevel: {
      if (FListOverrideTable->GetCount() == 0) return true;
      TUVRTFListOverride97* lo = FListOverrideTable->GetItem(FListOverrideTable->GetCount() - 1);
      if (lo->GetCount() == 0) return true;
      TUVRTFListOverrideLevel97* level = lo->GetItem(lo->GetCount() - 1);
      if (Sym.Index == rtf_pk_LevelStartAt) level->Start = Value;
      if (Sym.Index == rtf_pk_ListOverrideStartAt) level->UseStart = true;
      return true;
    }
    default:
      return false;
  }
}

void TUVRTFReader::ApplyMarkerProperty(TUVRTFMarkerProperties* Marker, Integer Prop, Integer Value, bool InSection) {
  bool valid;
  switch (Prop) {
    case rtf_pk_PNLevel:
      // A paragraph's marker starts from the section's definition of its level.
      if (!InSection && FState->SectProps.HasLevels())
        if (TUVRTFMarkerProperties* level = FState->SectProps.GetLevel(Value)) Marker->Assign(*level);
      Marker->Level = Value;
      break;
    case rtf_pk_PNHang:
      Marker->Hanging = true;
      break;
    case rtf_pk_PNNumberType:
      Marker->ListType = static_cast<TUVRTFParaListType>(Value);
      break;
    case rtf_pk_PNBold:
      SetStyle(Marker->Style, fsBold, Value != 0);
      break;
    case rtf_pk_PNItalic:
      SetStyle(Marker->Style, fsItalic, Value != 0);
      break;
    case rtf_pk_PNUnderline:
      SetStyle(Marker->Style, fsUnderline, Value != 0);
      break;
    case rtf_pk_PNStrikeOut:
      SetStyle(Marker->Style, fsStrikeOut, Value != 0);
      break;
    case rtf_pk_PNColor: {
      TColor color = GetTableColor(Value, valid);
      if (valid) {
        Marker->Color = color;
        Marker->FontGiven |= TUVRTFCustomMarkerProperties::rtf_mg_Color;
      }
      break;
    }
    case rtf_pk_PNFont:
      Marker->FontIndex = LookupRtfFont(Value);
      Marker->FontGiven |= TUVRTFCustomMarkerProperties::rtf_mg_Font;
      break;
    case rtf_pk_PNFontSize:
      Marker->FontSize = HalfPointsToPoints(Value);
      Marker->FontGiven |= TUVRTFCustomMarkerProperties::rtf_mg_Size;
      break;
    case rtf_pk_PNIndent:
      Marker->IndentTw = Value;
      break;
    case rtf_pk_PNSpace:
      Marker->SpaceTw = Value;
      break;
    case rtf_pk_PNAlignment:
      Marker->Alignment = static_cast<TUVRTFAlignment>(Value);
      break;
    case rtf_pk_PNStart:
      Marker->Start = Value;
      break;
    default:
      break;
  }
}

// --- Tables and markers ---------------------------------------------------------------------------

void TUVRTFReader::UpdateRtfTableLevel(bool AtCellEnd) {
  const TUVRTFParaProperties& pp = FState->ParaProps;
  if (pp.Positioned) return;
  const Integer level = pp.InTable ? std::max(pp.NestingLevel, 0) : 0;
  while (level > FTableLevels) {
    ++FTableLevels;
    FireRtfTableEvent(rtf_te_TableStart);
  }
  // The end of a cell or row closes the nested tables inside it, but never the table it
  // belongs to, even when its paragraph lost its \intbl.
  const Integer keep = AtCellEnd ? std::max(level, 1) : level;
  while (keep < FTableLevels) {
    --FTableLevels;
    FireRtfTableEvent(rtf_te_TableEnd);
  }
}

void TUVRTFReader::FireRtfTableEvent(TUVRTFTableEventKind Kind) {
  UpdateRtfMarker();
  // Text read so far belongs before the table change.
  FireRtfTextEvent(0);
  if (OnTable) OnTable(this, Kind);
}

void TUVRTFReader::FinishRtfRow() {
  TUVRTFRowProperties* row = FState->GetRowProps();
  if (row->LastCellPending && row->Cells.GetCount() > 0) {
    row->Cells.Delete(row->Cells.GetCount() - 1);
    row->LastCellPending = false;
  }
  if (row->ShadingPending) {
    for (Integer i = 0; i < row->Cells.GetCount(); ++i) {
      TUVRTFCellProperties* cell = row->Cells.GetItem(i);
      if (cell->Shading >= 1) {
        cell->BackColor = MixShading(cell->BackColor, cell->PatternColor, std::min(cell->Shading, 10000));
        cell->Shading = 0;
        cell->PatternColor = 0;
      }
    }
    row->ShadingPending = false;
  }
}

void TUVRTFReader::UpdateRtfMarker() {
  if (!OnUpdateMarker || !FState->ParaProps.Marker) return;
  FState->ParaProps.Marker->UpdateFrom(FState->CharProps);
  OnUpdateMarker(this);
}

// --- Pictures and fields --------------------------------------------------------------------------

void TUVRTFReader::SetGoalSize(HDC Screen) {
  // Word processors state the size a picture is shown at in twips; it wins over the extents.
  if (FPicture->PicWGoalTw > 0 && FPicture->PicHGoalTw > 0) {
    FPicture->SuggestedWidth =
        static_cast<Integer>(Round(FPicture->PicWGoalTw * ::GetDeviceCaps(Screen, LOGPIXELSX) / 1440.0L));
    FPicture->SuggestedHeight =
        static_cast<Integer>(Round(FPicture->PicHGoalTw * ::GetDeviceCaps(Screen, LOGPIXELSY) / 1440.0L));
  }
}

TGraphic* TUVRTFReader::CreateRtfGraphic() {
  TMemoryStream* data = FPicture->Data;
  if (FPicture->PicType != rtf_pict_WMF) SetGoalSize(WindowDC());
  if (data->GetSize() == 0) return nullptr;
  try {
    switch (FPicture->PicType) {
      case rtf_pict_EMF: {
        auto metafile = std::make_unique<TMetafile>();
        data->SetPosition(0);
        metafile->LoadFromStream(data);
        return metafile.release();
      }
      case rtf_pict_JPEG: {
        auto jpeg = std::make_unique<TJPEGImage>();
        data->SetPosition(0);
        jpeg->LoadFromStream(data);
        return jpeg.release();
      }
      case rtf_pict_WMF: {
        if (!IsWholeWindowsMetafile(static_cast<const Byte*>(data->GetMemory()),
                                    static_cast<std::size_t>(data->GetSize())))
          return nullptr;
        WindowDC screen;
        METAFILEPICT pict{FPicture->WMFMapMode, FPicture->PicW, FPicture->PicH, nullptr};
        UniqueEnhMetaFile handle(::SetWinMetaFileBits(static_cast<UINT>(data->GetSize()),
                                                      static_cast<const BYTE*>(data->GetMemory()), screen, &pict));
        if (!handle) return nullptr;
        // Scalable metafiles state their size in hundredths of a millimetre.
        if ((FPicture->WMFMapMode == MM_ISOTROPIC || FPicture->WMFMapMode == MM_ANISOTROPIC) && FPicture->PicW >= 1 &&
            FPicture->PicH >= 1) {
          FPicture->SuggestedWidth =
              static_cast<Integer>(Round(FPicture->PicW / 2540.0L * ::GetDeviceCaps(screen, LOGPIXELSX)));
          FPicture->SuggestedHeight =
              static_cast<Integer>(Round(FPicture->PicH / 2540.0L * ::GetDeviceCaps(screen, LOGPIXELSY)));
        }
        SetGoalSize(screen);
        auto metafile = std::make_unique<TMetafile>();
        metafile->SetHandle(handle.release());
        metafile->SetEnhanced(true);
        return metafile.release();
      }
      case rtf_pict_DIB: {
        // The data start with room for a bitmap file header; filling it in makes a bitmap file.
        const Int64 size = data->GetSize();
        if (size <= static_cast<Int64>(sizeof(BITMAPFILEHEADER))) return nullptr;
        auto* bytes = static_cast<Byte*>(data->GetMemory());
        DWORD offset = PackedDIBOffset(bytes + sizeof(BITMAPFILEHEADER),
                                       static_cast<std::size_t>(size) - sizeof(BITMAPFILEHEADER));
        if (offset == 0 || offset > size) return nullptr;
        BITMAPFILEHEADER header{};
        header.bfType = 0x4D42;
        header.bfSize = static_cast<DWORD>(size);
        header.bfOffBits = offset;
        std::memcpy(bytes, &header, sizeof header);
        auto bitmap = std::make_unique<TBitmap>();
        data->SetPosition(0);
        bitmap->LoadFromStream(data);
        return bitmap.release();
      }
      default:
        return nullptr;
    }
  } catch (const std::exception&) {
    // A damaged picture is a missing one.
    return nullptr;
  }
}

void TUVRTFReader::FinishRtfPicture() {
  TGraphic* graphic = CreateRtfGraphic();
  if (graphic) UVGraphicImported(graphic);
  FPicture->Data->SetPosition(0);
  const TUVRTFPosition position = FPosition;
  FPosition = rtf_ts_ContinuePara;
  if (OnNewPicture)
    OnNewPicture(this, FPicture.get(), graphic, position);
  else
    delete graphic;
}

void TUVRTFReader::ReadIncludePictureField(TUVRTFReaderState* State) {
  if (!OnNewPicture) return;
  const AnsiString instruction = Trim(State->FieldInstruction);
  if (instruction.compare(0, 14, "INCLUDEPICTURE") != 0) return;
  const std::size_t open = instruction.find('"');
  if (open == AnsiString::npos) return;
  const std::size_t close = instruction.find('"', open + 1);
  if (close == AnsiString::npos) return;
  AnsiString fileName = instruction.substr(open + 1, close - open - 1);
  for (std::size_t p = 0; (p = fileName.find("\\\\", p)) != AnsiString::npos; ++p) fileName.erase(p, 1);
  std::unique_ptr<TGraphic> graphic;
  try {
    TPicture picture;
    picture.LoadFromFile(fileName);
    TGraphic* loaded = picture.GetGraphic();
    if (!loaded || loaded->GetEmpty()) return;
    graphic.reset(UVCreateGraphic(loaded->ClassType()));
    if (!graphic) return;
    graphic->Assign(loaded);
  } catch (const std::exception&) {
    return;
  }
  UVGraphicImported(graphic.get());
  const TUVRTFPosition position = FPosition;
  FPosition = rtf_ts_ContinuePara;
  State->FieldPictureIncluded = true;
  OnNewPicture(this, nullptr, graphic.release(), position);
}

void TUVRTFReader::ReadSymbolField(TUVRTFReaderState* State) {
  // SYMBOL <character> [\f "<font>"] [\s <size>]
  const std::vector<AnsiString> words = SplitInstruction(Trim(State->FieldInstruction));
  if (words.size() < 2 || words[0] != "SYMBOL") return;
  Integer code = 0;
  if (!TryStrToInt(words[1], code) || code <= 0 || code > 0xFFFF) return;
  AnsiString fontName;
  Integer size = 0;
  for (std::size_t i = 2; i + 1 < words.size(); ++i) {
    if (words[i] == "\\f") fontName = words[++i];
    else if (words[i] == "\\s") TryStrToInt(words[++i], size);
  }
  TUVRTFCharProperties& cp = State->CharProps;
  const Integer oldSize = cp.Size;
  if (!fontName.empty()) cp.FontNameOverride = fontName;
  if (size > 0) cp.Size = size;
  if (code < 256)
    OutputRtfText(code, true);
  else if (OnNewUnicodeText)
    OutputWideChar(static_cast<WideChar>(code));
  FlushText();
  cp.Size = oldSize;
  cp.FontNameOverride.clear();
}
