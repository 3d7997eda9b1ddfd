// The item base, text items, horizontal lines and rectangular items; checkpoints; the factory
// and the registry of item kinds; extra properties of the native format.
#include "richtext/core/UVItem.h"

#include <vector>

#include "classlib/SysUtils.h"
#include "richtext/core/CUVData.h"
#include "richtext/core/CUVFData.h"
#include "richtext/core/UVFuncs.h"
#include "richtext/core/UVMarker.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/UVUni.h"

// ---------------------------------------------------------------------------------------------
// Checkpoints

void TUVCPInfo::Assign(const TUVCPInfo* Source, bool TagsArePChars) {
  Name = Source->Name;
  RaiseEvent = Source->RaiseEvent;
  Tag = CopyItemTag(Source->Tag, TagsArePChars);
}

// ---------------------------------------------------------------------------------------------
// TCustomUVItemInfo

TCustomUVItemInfo::TCustomUVItemInfo(TCustomUVData*) {}

TCustomUVItemInfo::~TCustomUVItemInfo() = default;

void TCustomUVItemInfo::SetContinuesPara(bool Value) {
  if (Value)
    ItemOptions = static_cast<Byte>((ItemOptions | uvioSameAsPrev) & ~(uvioPageBreakBefore | uvioBR));
  else
    ItemOptions &= static_cast<Byte>(~uvioSameAsPrev);
}

void TCustomUVItemInfo::SetPageBreakBefore(bool Value) {
  if (Value)
    ItemOptions = static_cast<Byte>((ItemOptions | uvioPageBreakBefore) & ~(uvioSameAsPrev | uvioBR));
  else
    ItemOptions &= static_cast<Byte>(~uvioPageBreakBefore);
}

void TCustomUVItemInfo::SetBreaksLine(bool Value) {
  if (!Value) {
    ItemOptions &= static_cast<Byte>(~uvioBR);
    return;
  }
  if (QueryFlag(uvbpFullWidth)) return;
  ItemOptions = static_cast<Byte>((ItemOptions | uvioBR) & ~uvioSameAsPrev);
}

TCustomUVItemInfo* TCustomUVItemInfo::CreateCopy(TCustomUVItemInfo* Source, TCustomUVData* UVData) {
  TCustomUVItemInfo* item = Source->NewInstance(UVData);
  item->Assign(Source);
  bool pchars = UVData && UVData->GetOptions().Contains(uvoTagsArePChars);
  item->Tag = CopyItemTag(Source->Tag, pchars);
  if (Source->Checkpoint) {
    auto* cp = new TUVCPInfo();
    cp->Assign(Source->Checkpoint, pchars);
    cp->ItemInfo = item;
    item->Checkpoint = cp;
  }
  return item;
}

Integer TCustomUVItemInfo::GetMinWidth(const TUVScreenAndDevice* Sad, TCanvas*, TCustomUVData*) {
  return Sad ? Sad->XToDevice(20) : 20;
}

bool TCustomUVItemInfo::QueryFlag(Integer Code) {
  switch (Code) {
    case uvbpValid:
    case uvbpRequiresUVFLines:
      return true;
    default:
      return Code >= 8;
  }
}

bool TCustomUVItemInfo::QueryStyledFlag(Integer Code, TUVStyle*) { return Code == uvbspPrintToBitmap; }

void TCustomUVItemInfo::PaintFullWidth(Integer, Integer, Integer, TCanvas*, TUVTextDrawStates, TUVStyle*,
                                       const TRect&, TCustomUVFormattedData*) {}

void TCustomUVItemInfo::Paint(Integer, Integer, TCanvas*, TUVTextDrawStates, TUVStyle*, TUVDrawLineInfo*) {}

bool TCustomUVItemInfo::PrintToBitmap(TBitmap*, bool, TCustomUVData*, TUVDrawLineInfo*, Integer) { return false; }

void TCustomUVItemInfo::Print(TCanvas*, Integer, Integer, Integer, bool, bool, const TUVScreenAndDevice&,
                              TCustomUVData*, TUVDrawLineInfo*, Integer) {}

TUVDrawLineInfo* TCustomUVItemInfo::CreateDrawRecord(bool, TCustomUVData*, const TUVScreenAndDevice*) {
  return new TUVDrawLineInfo();
}

void TCustomUVItemInfo::Inserting(TCustomUVData* UVData, AnsiString& Text, bool) {
  if (UVData) UVData->ItemAction(uviaInserting, this, Text);
}

void TCustomUVItemInfo::Inserted(TCustomUVData*, Integer) {}

bool TCustomUVItemInfo::OnDocWidthChange(Integer, TUVDrawLineInfo*, bool, TCanvas*, TCustomUVData*,
                                         const TUVScreenAndDevice*, Integer& HShift, bool) {
  HShift = 0;
  return false;
}

void TCustomUVItemInfo::Assign(TPersistent* Source) {
  if (auto* item = dynamic_cast<TCustomUVItemInfo*>(Source)) {
    StyleNo = item->StyleNo;
    ParaNo = item->ParaNo;
    ItemOptions = item->ItemOptions;
    return;
  }
  TPersistent::Assign(Source);
}

bool TCustomUVItemInfo::ReadUVFLine(const AnsiString& S, TCustomUVData*, Integer, Integer LineNo, Integer,
                                    AnsiString& Name, TUVFReadMode&, TUVFReadState&) {
  if (LineNo == 0) Name = S;
  return true;
}

void TCustomUVItemInfo::NotifyRemoving(TCustomUVData* UVData, Integer ItemNo) {
  if (!UVData) return;
  AnsiString text = ItemNo >= 0 && ItemNo < UVData->GetItemCount() ? UVData->GetItemText(ItemNo) : AnsiString();
  UVData->ItemAction(uviaDestroying, this, text);
}

void TCustomUVItemInfo::MarkUsedParaStyle(TUVStyleUsage& Used) {
  if (Used.ParaStyles && ParaNo >= 0 && ParaNo < Used.ParaStyles->GetCount()) Used.ParaStyles->Put(ParaNo, 1);
}

void TCustomUVItemInfo::RenumberParaStyle(TUVStyleUsage& Used) {
  if (Used.ParaStyles && ParaNo >= 0 && ParaNo < Used.ParaStyles->GetCount()) ParaNo -= Used.ParaStyles->Get(ParaNo);
}

TCustomUVFormattedData* TCustomUVItemInfo::GetSubDocument(TUVStoreSubUVData*&, TUVSubDocumentPosition) {
  return nullptr;
}

void TCustomUVItemInfo::SaveUVFHeader(TStream* Stream, TCustomUVData* UVData, Integer LineCount, Integer ReadType,
                                      bool ForceSameAsPrev) {
  bool sameAsPrev = ForceSameAsPrev || GetContinuesPara();
  TUVFOptions uvfOptions = UVData->GetUVFOptions();
  AnsiString para = sameAsPrev ? AnsiString("-1")
                               : UVFParaNoToStr(UVData->GetUVStyle(), ParaNo, uvfOptions.Contains(uvfoUseStyleNames));
  Byte options = ItemOptions & 15;
  if (ForceSameAsPrev) options = static_cast<Byte>((options | uvioSameAsPrev) & ~(uvioPageBreakBefore | uvioBR));
  UVFWriteLine(Stream, Format("%d %d %s %d %d %s %s", StyleNo, LineCount, para, static_cast<Integer>(options),
                              ReadType, UVFTagToStr(Tag, UVData->GetOptions().Contains(uvoTagsArePChars)),
                              GetUVFExtraHeader(UVData)));
}

// ---------------------------------------------------------------------------------------------
// TUVTextItemInfo

bool TUVTextItemInfo::QueryStyledFlag(Integer Code, TUVStyle* Style) {
  if (Code == uvbspPrintToBitmap) return true;
  if (!Style) return false;
  TFontInfo* font = Style->GetTextStyles()->GetItem(StyleNo);
  switch (Code) {
    case uvbspJump:
    case uvbspAllowsFocus:
    case uvbspXORFocus:
      return font->Jump;
    case uvbspHotColdJump:
      return font->Jump && Style->StyleHoverSensitive(StyleNo);
    default:
      return false;
  }
}

void TUVTextItemInfo::MarkUsedParaStyle(TUVStyleUsage& Used) {
  TCustomUVItemInfo::MarkUsedParaStyle(Used);
  if (Used.TextStyles && StyleNo >= 0 && StyleNo < Used.TextStyles->GetCount()) Used.TextStyles->Put(StyleNo, 1);
}

void TUVTextItemInfo::RenumberParaStyle(TUVStyleUsage& Used) {
  TCustomUVItemInfo::RenumberParaStyle(Used);
  if (Used.TextStyles && StyleNo >= 0 && StyleNo < Used.TextStyles->GetCount())
    StyleNo -= Used.TextStyles->Get(StyleNo);
}

void TUVTextItemInfo::NotifyHyperlink(TCustomUVData* UVData) {
  TUVStyle* style = UVData ? UVData->GetUVStyle() : nullptr;
  if (!style || !style->GetTextStyles()->GetItem(StyleNo)->Jump) return;
  if (auto* formatted = dynamic_cast<TCustomUVFormattedData*>(UVData))
    formatted->NotifyHyperlinkNo(UVData->FirstJumpNo + HyperlinkId);
}

// ---------------------------------------------------------------------------------------------
// Items that take a whole line, and horizontal lines

bool TUVFullLineItemInfo::QueryFlag(Integer Code) {
  if (Code == uvbpFullWidth) return true;
  return TUVNonTextItemInfo::QueryFlag(Code);
}

TUVBreakItemInfo::TUVBreakItemInfo(TCustomUVData* UVData) : TUVFullLineItemInfo(UVData) { StyleNo = uvsBreak; }

TUVBreakItemInfo::TUVBreakItemInfo(TCustomUVData* UVData, Byte ALineWidth, Byte AStyle, TColor AColor)
    : TUVFullLineItemInfo(UVData), LineWidth(ALineWidth), Style(AStyle), Color(AColor) {
  StyleNo = uvsBreak;
}

void TUVBreakItemInfo::Assign(TPersistent* Source) {
  if (auto* b = dynamic_cast<TUVBreakItemInfo*>(Source)) {
    LineWidth = b->LineWidth;
    Style = b->Style;
    Color = b->Color;
  }
  TUVFullLineItemInfo::Assign(Source);
}

bool TUVBreakItemInfo::QueryFlag(Integer Code) {
  if (Code == uvbpRequiresUVFLines) return false;
  return TUVFullLineItemInfo::QueryFlag(Code);
}

bool TUVBreakItemInfo::QueryStyledFlag(Integer Code, TUVStyle* AStyle) {
  if (Code == uvbspPrintToBitmap) return false;
  return TUVFullLineItemInfo::QueryStyledFlag(Code, AStyle);
}

TColor TUVBreakItemInfo::GetLineColor(TUVStyle* AStyle) const {
  if (Color != clNone) return Color;
  return AStyle ? AStyle->GetTextStyles()->GetItem(0)->Color : clWindowText;
}

namespace {
TPenStyle BreakPenStyle(Byte Style) { return Style <= psInsideFrame ? static_cast<TPenStyle>(Style) : psSolid; }
}  // namespace

void TUVBreakItemInfo::PaintFullWidth(Integer Left, Integer Right, Integer Top, TCanvas* Canvas,
                                      TUVTextDrawStates State, TUVStyle* AStyle, const TRect&,
                                      TCustomUVFormattedData*) {
  TPen* pen = Canvas->GetPen();
  pen->SetStyle(BreakPenStyle(Style));
  pen->SetWidth(LineWidth);
  pen->SetColor(GetLineColor(AStyle));
  Canvas->MoveTo(Left + 5, Top + 5);
  Canvas->LineTo(Right - 5, Top + 5);
  if (State.Contains(uvtsSelected) && AStyle) {
    TColor sel = State.Contains(uvtsControlFocused) ? AStyle->SelColor : AStyle->InactiveSelColor;
    if (sel != clNone) {
      pen->SetStyle(psSolid);
      pen->SetWidth(1);
      pen->SetColor(sel);
      Canvas->MoveTo(Left + 5, Top + 4);
      Canvas->LineTo(Right - 5, Top + 4);
      Canvas->MoveTo(Left + 5, Top + 6);
      Canvas->LineTo(Right - 5, Top + 6);
    }
  }
  pen->SetWidth(1);
  pen->SetStyle(psSolid);
}

void TUVBreakItemInfo::Print(TCanvas* Canvas, Integer X, Integer Y, Integer X2, bool, bool,
                             const TUVScreenAndDevice& Sad, TCustomUVData* UVData, TUVDrawLineInfo*, Integer) {
  TPen* pen = Canvas->GetPen();
  pen->SetStyle(psInsideFrame);
  pen->SetWidth(MulDiv(LineWidth, Sad.DevicePpiY, Sad.ScreenPpiY));
  pen->SetColor(GetLineColor(UVData ? UVData->GetUVStyle() : nullptr));
  Integer inset = Sad.XToDevice(5);
  Integer y = Y + Sad.YToDevice(5);
  Canvas->MoveTo(X + inset, y);
  Canvas->LineTo(X2 - inset, y);
  pen->SetWidth(1);
  pen->SetStyle(psSolid);
}

AnsiString TUVBreakItemInfo::GetUVFExtraHeader(TCustomUVData*) {
  return Format("%d %d %d", Color, static_cast<Integer>(Style), static_cast<Integer>(LineWidth));
}

bool TUVBreakItemInfo::ReadUVFHeader(const char*& P, TCustomUVData*) {
  Color = clNone;
  Style = 0;
  LineWidth = 1;
  Integer value = 0;
  if (!*P) return true;
  if (!UVFReadInteger(P, value)) return false;
  Color = value;
  if (!*P) return true;
  if (!UVFReadInteger(P, value)) return false;
  Style = static_cast<Byte>(value);
  if (!*P) return true;
  if (!UVFReadInteger(P, value)) return false;
  LineWidth = static_cast<Byte>(value);
  return true;
}

void TUVBreakItemInfo::SaveUVF(TStream* Stream, TCustomUVData* UVData, Integer, const AnsiString&,
                               bool ForceSameAsPrev) {
  SaveUVFHeader(Stream, UVData, 0, uvf_dfText, ForceSameAsPrev);
}

void TUVBreakItemInfo::SaveRTF(TStream* Stream, const AnsiString&, TCustomUVData* UVData, Integer,
                               const AnsiString&, TUVRTFSaveContext& Context) {
  AnsiString table;
  if (Context.Level > 0) table = Format("\\itap%d%s", Context.Level, Context.Level == 1 ? "\\intbl" : "");
  Integer colorIndex = 0;
  if (Context.ColorList) {
    colorIndex = Context.ColorList->IndexOf(GetLineColor(UVData ? UVData->GetUVStyle() : nullptr));
    if (colorIndex < 0) colorIndex = 0;
  }
  UVFWrite(Stream, Format("\\pard%s\\plain\\fs6\\brdrb\\brdrs\\brdrw%d\\brdrcf%d\\par\\pard%s", table,
                          static_cast<Integer>(Round(LineWidth * Context.TwipsPerPixel)), colorIndex, table));
}

void TUVBreakItemInfo::FillRTFTables(TUVColorList* ColorList, TUVIntegerList*, TCustomUVData*) {
  ColorList->AddUnique(Color);
}

void TUVBreakItemInfo::SaveHTML(TStream* Stream, TCustomUVData*, Integer, const AnsiString&, const AnsiString&,
                                const AnsiString&, Integer&, TColor, Integer SaveOptions, bool UseCSS,
                                TUVHTMLImageCache*) {
  if (Color != clNone && (UseCSS || (SaveOptions & 128)))
    UVFWriteLine(Stream, Format("<HR noshade size=%d style='{color : %s}'>", static_cast<Integer>(LineWidth),
                                ColorToHTMLString(Color)));
  else
    UVFWriteLine(Stream, Format("<HR noshade size=%d>", static_cast<Integer>(LineWidth)));
}

AnsiString TUVBreakItemInfo::AsText(Integer LineWidthChars, TCustomUVData*, const AnsiString&, const AnsiString&, bool,
                                    bool Unicode) {
  AnsiString line = StringOfChar(LineWidth < 2 ? '-' : '=', LineWidthChars < 1 ? 1 : LineWidthChars);
  return Unicode ? AnsiToUnicodeCP(0, line) : line;
}

// ---------------------------------------------------------------------------------------------
// TUVRectItemInfo

void TUVRectItemInfo::Assign(TPersistent* Source) {
  if (auto* r = dynamic_cast<TUVRectItemInfo*>(Source)) {
    VAlign = r->VAlign;
    VShift = r->VShift;
    VShiftAbs = r->VShiftAbs;
    MinHeightOnPage = r->MinHeightOnPage;
  }
  TUVNonTextItemInfo::Assign(Source);
}

AnsiString TUVRectItemInfo::GetUVFExtraHeader(TCustomUVData*) { return IntToStr(static_cast<Integer>(VAlign)); }

bool TUVRectItemInfo::ReadUVFHeader(const char*& P, TCustomUVData*) {
  VAlign = 0;
  if (!*P) return true;
  Integer value = 0;
  if (!UVFReadInteger(P, value)) return false;
  VAlign = static_cast<Byte>(value);
  return true;
}

Integer TUVRectItemInfo::GetExtraPropertyCount() { return (VShift != 0 ? 1 : 0) + (VShiftAbs ? 1 : 0); }

void TUVRectItemInfo::SaveUVFExtraProperties(TStream* Stream) {
  if (VShift != 0) UVFWriteLine(Stream, Format("vshift=%d", VShift));
  if (VShiftAbs) UVFWriteLine(Stream, "vshiftabs=1");
}

bool TUVRectItemInfo::SetExtraIntProperty(TUVExtraItemProperty Prop, Integer Value) {
  switch (Prop) {
    case uvepVShift:
      VShift = Value;
      return true;
    case uvepVShiftAbs:
      VShiftAbs = Value != 0;
      return true;
    default:
      return false;
  }
}

bool TUVRectItemInfo::GetExtraIntProperty(TUVExtraItemProperty Prop, Integer& Value) {
  switch (Prop) {
    case uvepVShift:
      Value = VShift;
      return true;
    case uvepVShiftAbs:
      Value = VShiftAbs ? 1 : 0;
      return true;
    default:
      return false;
  }
}

bool TUVRectItemInfo::ReadUVFLine(const AnsiString& S, TCustomUVData*, Integer, Integer LineNo, Integer,
                                  AnsiString& Name, TUVFReadMode&, TUVFReadState&) {
  if (LineNo == 0)
    Name = S;
  else
    ReadUVFExtraProperty(this, S);
  return true;
}

void TUVRectItemInfo::SaveUVF(TStream* Stream, TCustomUVData* UVData, Integer, const AnsiString& Name,
                              bool ForceSameAsPrev) {
  SaveUVFHeader(Stream, UVData, 1 + GetExtraPropertyCount(), uvf_dfText, ForceSameAsPrev);
  UVFWriteLine(Stream, Name);
  SaveUVFExtraProperties(Stream);
}

AnsiString TUVRectItemInfo::HTMLImageTag(const AnsiString& Location, bool SizeAttributes, Integer SaveOptions,
                                         bool UseCSS) {
  AnsiString align = VAlign == 1 ? " align=middle" : "";
  AnsiString attrs = (SaveOptions & 32) ? " border=0 " : " ";
  if (SizeAttributes) attrs += Format("width=%d height=%d ", GetImageWidth(nullptr), GetImageHeight(nullptr));
  if (UseCSS && VAlign != 1) {
    AnsiString css = GetHTMLVAlign(true);
    if (!css.empty()) attrs += Format("style=\"{%s}\" ", css);
  }
  return Format("<IMG%s%ssrc=\"%s\">", align, attrs, UVMakeHTMLPath(Location));
}

AnsiString TUVRectItemInfo::GetHTMLVAlign(bool UseCSS) {
  if (VAlign == 1) return " align=middle";
  if (UseCSS && VShift != 0) return Format("vertical-align : %d%s", VShift, VShiftAbs ? "px" : "%");
  return AnsiString();
}

void TUVRectItemInfo::PaintFrames(Integer X, Integer Y, Integer Width, Integer Height, TCanvas* Canvas,
                                  TUVTextDrawStates State, TUVStyle* Style) {
  if (!Style) return;
  Canvas->GetBrush()->SetStyle(bsClear);
  TPen* pen = Canvas->GetPen();
  pen->SetStyle(psSolid);
  pen->SetWidth(1);
  if (State.Contains(uvtsHover) && Style->HoverColor != clNone) {
    pen->SetColor(Style->HoverColor);
    Canvas->Rectangle(X - 1, Y - 1, X + Width + 1, Y + Height + 1);
  }
  if (State.Contains(uvtsSelected)) {
    TColor sel = State.Contains(uvtsControlFocused) ? Style->SelColor : Style->InactiveSelColor;
    if (sel != clNone) {
      pen->SetColor(sel);
      Canvas->Rectangle(X, Y, X + Width, Y + Height);
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Factory and registry

namespace {

struct RegistryEntry {
  Integer StyleNo;
  TClass ItemClass;
  TUVItemConstructor Create;
};

std::vector<RegistryEntry>& Registry() {
  static std::vector<RegistryEntry> entries;
  return entries;
}

template <class T>
TCustomUVItemInfo* Make(TCustomUVData* UVData) {
  return new T(UVData);
}

}  // namespace

TUVItemConstructor UVTextItemConstructor = &Make<TUVTextItemInfo>;

TCustomUVItemInfo* CreateItemByStyleNo(TCustomUVData* UVData, Integer StyleNo) {
  TCustomUVItemInfo* item = nullptr;
  if (StyleNo >= 0) {
    item = UVTextItemConstructor(UVData);
  } else {
    switch (StyleNo) {
      case uvsBreak:
        item = new TUVBreakItemInfo(UVData);
        break;
      case uvsPicture:
        item = new TUVGraphicItemInfo(UVData);
        break;
      case uvsHotspot:
        item = new TUVHotspotItemInfo(UVData);
        break;
      case uvsComponent:
        item = new TUVControlItemInfo(UVData);
        break;
      case uvsBullet:
        item = new TUVBulletItemInfo(UVData);
        break;
      case uvsHotPicture:
        item = new TUVHotGraphicItemInfo(UVData);
        break;
      case uvsListMarker:
        item = new TUVMarkerItemInfo(UVData);
        break;
      default:
        for (const RegistryEntry& entry : Registry())
          if (entry.StyleNo == StyleNo) {
            item = entry.Create(UVData);
            break;
          }
        break;
    }
  }
  if (item) item->StyleNo = StyleNo;
  return item;
}

void RegisterUzurUvadItemClass(Integer StyleNo, TClass ItemClass, TUVItemConstructor Create) {
  const char* error = "Can't register UzurUvad item type - this StyleNo is already registered";
  if (StyleNo >= -9) throw EUzurUvadError(error);
  for (const RegistryEntry& entry : Registry()) {
    if (entry.StyleNo != StyleNo) continue;
    if (entry.ItemClass != ItemClass) throw EUzurUvadError(error);
    return;
  }
  Registry().push_back({StyleNo, ItemClass, Create});
}

TUVExtraItemProperty GetExtraPropertyCode(const AnsiString& Name) {
  static const char* const kNames[] = {"vshift",      "vshiftabs", "width", "height",
                                       "transparent", "tmode",     "tcolor", "minheightonpage"};
  for (int i = 0; i < 8; ++i)
    if (Name == kNames[i]) return static_cast<TUVExtraItemProperty>(i + 1);
  return uvepUnknown;
}

void ReadUVFExtraProperty(TCustomUVItemInfo* Item, const AnsiString& Line) {
  std::size_t eq = Line.find('=');
  if (eq == AnsiString::npos) return;
  Integer value = StrToIntDef(Line.substr(eq + 1), 0);
  TUVExtraItemProperty code = GetExtraPropertyCode(Line.substr(0, eq));
  if (code != uvepUnknown) Item->SetExtraIntProperty(code, value);
}
