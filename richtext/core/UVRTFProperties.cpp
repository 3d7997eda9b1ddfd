// The property records and tables of the RTF reader: their defaults, copies and lookups.
#include "richtext/core/UVRTF.h"

// --- Characters -----------------------------------------------------------------------------------

void TUVRTFCharProperties::Reset(Integer DefFontIndex) {
  Hidden = false;
  Size = 12;
  Color = rtf_AutoColor;
  BackColor = clNone;
  FontIndex = DefFontIndex;
  Style = TFontStyles();
  AllCaps = false;
  CharScaleX = 100;
  SScriptType = rtf_ss_Normal;
  CharSpacingTw = 0;
  FontNameOverride.clear();
}

void TUVRTFCharProperties::Assign(const TUVRTFCharProperties& Source) {
  Hidden = Source.Hidden;
  Size = Source.Size;
  Color = Source.Color;
  BackColor = Source.BackColor;
  FontIndex = Source.FontIndex;
  Style = Source.Style;
  AllCaps = Source.AllCaps;
  CharScaleX = Source.CharScaleX;
  SScriptType = Source.SScriptType;
  CharSpacingTw = Source.CharSpacingTw;
  FontNameOverride = Source.FontNameOverride;
}

// --- Borders ------------------------------------------------------------------------------------

void TUVRTFBorderSide::Assign(const TUVRTFBorderSide& Source) {
  BorderType = Source.BorderType;
  WidthTw = Source.WidthTw;
  Color = Source.Color;
  SpaceTw = Source.SpaceTw;
}

void TUVRTFParaBorder::Assign(const TUVRTFParaBorder& Source) {
  for (int i = 0; i < 4; ++i) Sides[i].Assign(Source.Sides[i]);
}

bool TUVRTFParaBorder::HasBorder() const {
  for (const TUVRTFBorderSide& side : Sides)
    if (side.BorderType != 0) return true;
  return false;
}

// --- Markers ------------------------------------------------------------------------------------

void TUVRTFCustomMarkerProperties::Assign(const TUVRTFCustomMarkerProperties& Source) {
  ListType = Source.ListType;
  FontIndex = Source.FontIndex;
  FontSize = Source.FontSize;
  IndentTw = Source.IndentTw;
  SpaceTw = Source.SpaceTw;
  Start = Source.Start;
  Color = Source.Color;
  Alignment = Source.Alignment;
  FontGiven = Source.FontGiven;
  Style = Source.Style;
}

void TUVRTFMarkerProperties::Assign(const TUVRTFMarkerProperties& Source) {
  TUVRTFCustomMarkerProperties::Assign(Source);
  Level = Source.Level;
  Hanging = Source.Hanging;
  TextBefore = Source.TextBefore;
  TextAfter = Source.TextAfter;
}

void TUVRTFMarkerProperties::UpdateFrom(const TUVRTFCharProperties& CharProps) {
  if (!(FontGiven & rtf_mg_Color)) Color = CharProps.Color;
  if (!(FontGiven & rtf_mg_Size)) FontSize = CharProps.Size;
  if (!(FontGiven & rtf_mg_Font)) FontIndex = CharProps.FontIndex;
  Style = CharProps.Style;
}

// --- Paragraphs ---------------------------------------------------------------------------------

TUVRTFParaProperties::~TUVRTFParaProperties() {
  delete Border;
  delete Marker;
}

void TUVRTFParaProperties::Reset() {
  LeftIndentTw = 0;
  RightIndentTw = 0;
  FirstIndentTw = 0;
  SpaceBeforeTw = 0;
  SpaceAfterTw = 0;
  Alignment = rtf_al_Left;
  FreeAndNil(Border);
  FreeAndNil(Marker);
  CurBorderSide = rtf_side_Left;
  LineSpacing = 240;
  LineSpacingMulti = true;
  BackColor = clNone;
  NestingLevel = 1;
  InTable = false;
  Positioned = false;
  TableSeparator = false;
  ListOverrideIndex = -1;
  ListLevel = 0;
}

void TUVRTFParaProperties::Assign(const TUVRTFParaProperties& Source) {
  LeftIndentTw = Source.LeftIndentTw;
  RightIndentTw = Source.RightIndentTw;
  FirstIndentTw = Source.FirstIndentTw;
  SpaceBeforeTw = Source.SpaceBeforeTw;
  SpaceAfterTw = Source.SpaceAfterTw;
  Alignment = Source.Alignment;
  if (Source.Border)
    GetBorder()->Assign(*Source.Border);
  else
    FreeAndNil(Border);
  if (Source.Marker)
    GetMarker()->Assign(*Source.Marker);
  else
    FreeAndNil(Marker);
  CurBorderSide = Source.CurBorderSide;
  LineSpacing = Source.LineSpacing;
  LineSpacingMulti = Source.LineSpacingMulti;
  BackColor = Source.BackColor;
  NestingLevel = Source.NestingLevel;
  InTable = Source.InTable;
  Positioned = Source.Positioned;
  TableSeparator = Source.TableSeparator;
  ListOverrideIndex = Source.ListOverrideIndex;
  ListLevel = Source.ListLevel;
}

TUVRTFParaBorder* TUVRTFParaProperties::GetBorder() {
  if (!Border) Border = new TUVRTFParaBorder;
  return Border;
}

TUVRTFMarkerProperties* TUVRTFParaProperties::GetMarker() {
  if (!Marker) Marker = new TUVRTFMarkerProperties;
  return Marker;
}

// --- Sections and the document ----------------------------------------------------------------

TUVRTFSectionProperties::~TUVRTFSectionProperties() = default;

void TUVRTFSectionProperties::Reset() {
  Columns = 1;
  SectionBreak = 4;
  PageNumberXTw = 720;
  PageNumberYTw = 720;
  PageNumberFormat = 0;
  HeaderYTw = 720;
  FooterYTw = 720;
  Levels.clear();
}

void TUVRTFSectionProperties::Assign(const TUVRTFSectionProperties& Source) {
  Columns = Source.Columns;
  SectionBreak = Source.SectionBreak;
  PageNumberXTw = Source.PageNumberXTw;
  PageNumberYTw = Source.PageNumberYTw;
  PageNumberFormat = Source.PageNumberFormat;
  HeaderYTw = Source.HeaderYTw;
  FooterYTw = Source.FooterYTw;
  if (Source.Levels.empty()) {
    Levels.clear();
  } else {
    for (std::size_t i = 0; i < Source.Levels.size(); ++i) GetLevel(static_cast<Integer>(i) + 1)->Assign(*Source.Levels[i]);
  }
}

TUVRTFMarkerProperties* TUVRTFSectionProperties::GetLevel(Integer Level) {
  if (Levels.empty()) {
    for (Integer i = 1; i <= 11; ++i) {
      auto level = std::make_unique<TUVRTFMarkerProperties>();
      level->Level = i;
      Levels.push_back(std::move(level));
    }
  }
  if (Level < 1 || Level > 11) return nullptr;
  return Levels[static_cast<std::size_t>(Level - 1)].get();
}

void TUVRTFDocProperties::Reset() {
  PaperWidthTw = 12240;
  PaperHeightTw = 15840;
  LeftMarginTw = 1800;
  TopMarginTw = 1440;
  RightMarginTw = 1800;
  BottomMarginTw = 1440;
  PageNumberStart = 1;
  FacingPages = false;
  Landscape = false;
}

void TUVRTFDocProperties::Assign(const TUVRTFDocProperties& Source) {
  PaperWidthTw = Source.PaperWidthTw;
  PaperHeightTw = Source.PaperHeightTw;
  LeftMarginTw = Source.LeftMarginTw;
  TopMarginTw = Source.TopMarginTw;
  RightMarginTw = Source.RightMarginTw;
  BottomMarginTw = Source.BottomMarginTw;
  PageNumberStart = Source.PageNumberStart;
  FacingPages = Source.FacingPages;
  Landscape = Source.Landscape;
}

// --- Rows and cells -------------------------------------------------------------------------------

void TUVRTFCellProperties::Reset() {
  HMerge = rtf_cm_None;
  VMerge = rtf_cm_None;
  BestWidthInPercent = false;
  BestWidth = 0;
  BackColor = clNone;
  VAlign = rtf_val_Top;
  Border.Assign(TUVRTFParaBorder());
  CurBorderSide = rtf_side_Left;
  RightBoundaryTw = 0;
  PatternColor = clNone;
  Shading = 0;
  BestHeight = 0;
}

void TUVRTFCellProperties::Assign(const TUVRTFCellProperties& Source) {
  HMerge = Source.HMerge;
  VMerge = Source.VMerge;
  BestWidthInPercent = Source.BestWidthInPercent;
  BestWidth = Source.BestWidth;
  BackColor = Source.BackColor;
  VAlign = Source.VAlign;
  Border.Assign(Source.Border);
  CurBorderSide = Source.CurBorderSide;
  RightBoundaryTw = Source.RightBoundaryTw;
  PatternColor = Source.PatternColor;
  Shading = Source.Shading;
  BestHeight = Source.BestHeight;
}

TUVRTFCellProperties* TUVRTFCellPropsList::AddNew() {
  auto* cell = new TUVRTFCellProperties;
  Add(cell);
  return cell;
}

void TUVRTFCellPropsList::Assign(const TUVRTFCellPropsList& Source) {
  // Cells already here are reused, so that copying a state allocates nothing in the common case.
  Integer count = Source.GetCount();
  while (GetCount() > count) Delete(GetCount() - 1);
  for (Integer i = 0; i < count; ++i) {
    TUVRTFCellProperties* cell = i < GetCount() ? GetItem(i) : AddNew();
    cell->Assign(*Source.GetItem(i));
  }
}

void TUVRTFRowProperties::Reset() {
  Alignment = rtf_al_Left;
  GapHTw = 0;
  LeftTw = 0;
  HeightTw = 0;
  Heading = false;
  BestWidthInPercent = false;
  for (int i = 0; i < 4; ++i) {
    PaddingsTw[i] = 0;
    PaddingsInTwips[i] = false;
    SpacingsTw[i] = 0;
    SpacingsInTwips[i] = false;
  }
  BestWidth = 0;
  Border.Assign(TUVRTFParaBorder());
  CurBorderSide = rtf_side_Left;
  Cells.Clear();
  Cells.AddNew();
  ShadingPending = true;
  LastCellPending = true;
  InPixels = false;
}

void TUVRTFRowProperties::Assign(const TUVRTFRowProperties& Source) {
  Alignment = Source.Alignment;
  GapHTw = Source.GapHTw;
  LeftTw = Source.LeftTw;
  HeightTw = Source.HeightTw;
  Heading = Source.Heading;
  BestWidthInPercent = Source.BestWidthInPercent;
  for (int i = 0; i < 4; ++i) {
    PaddingsTw[i] = Source.PaddingsTw[i];
    PaddingsInTwips[i] = Source.PaddingsInTwips[i];
    SpacingsTw[i] = Source.SpacingsTw[i];
    SpacingsInTwips[i] = Source.SpacingsInTwips[i];
  }
  BestWidth = Source.BestWidth;
  Border.Assign(Source.Border);
  CurBorderSide = Source.CurBorderSide;
  Cells.Assign(Source.Cells);
  ShadingPending = Source.ShadingPending;
  LastCellPending = Source.LastCellPending;
  InPixels = Source.InPixels;
}

// --- Pictures -------------------------------------------------------------------------------------

TUVRTFPicture::TUVRTFPicture() : Data(new TMemoryStream) {}

TUVRTFPicture::~TUVRTFPicture() { delete Data; }

// --- Tables ---------------------------------------------------------------------------------------

Integer TUVRTFFontList::GetFontIndex(Integer Number) const {
  for (Integer i = 0; i < GetCount(); ++i)
    if (GetItem(i)->Number == Number) return i;
  return -1;
}

TUVRTFStyleSheetEntry* TUVRTFStyleSheet::GetEntry(Integer Number) const {
  for (Integer i = 0; i < GetCount(); ++i)
    if (GetItem(i)->Number == Number) return GetItem(i);
  return nullptr;
}

Integer TUVRTFListTable97::FindList(Integer Id) const {
  for (Integer i = 0; i < GetCount(); ++i)
    if (GetItem(i)->Id == Id) return i;
  return -1;
}

Integer TUVRTFListOverrideTable97::FindOverride(Integer Number) const {
  for (Integer i = 0; i < GetCount(); ++i)
    if (GetItem(i)->Number == Number) return i;
  return -1;
}

// --- Group states ---------------------------------------------------------------------------------

TUVRTFReaderState::~TUVRTFReaderState() { delete RowProps; }

void TUVRTFReaderState::Reset() {
  CharProps.Reset(0);
  ParaProps.Reset();
  SectProps.Reset();
  DocProps.Reset();
  FreeAndNil(RowProps);
  BorderTarget = rtf_bt_Para;
  Destination = rtf_ds_Normal;
  InputMode = rtf_im_Normal;
  FieldInstruction.clear();
  FieldPictureIncluded = false;
  DefFontNumber = 0;
  HFType = rtf_hf_MainText;
  UCValue = 1;
}

void TUVRTFReaderState::Assign(const TUVRTFReaderState& Source) {
  CharProps.Assign(Source.CharProps);
  ParaProps.Assign(Source.ParaProps);
  SectProps.Assign(Source.SectProps);
  DocProps.Assign(Source.DocProps);
  if (Source.RowProps)
    GetRowProps()->Assign(*Source.RowProps);
  else
    FreeAndNil(RowProps);
  BorderTarget = Source.BorderTarget;
  Destination = Source.Destination;
  InputMode = Source.InputMode;
  FieldInstruction = Source.FieldInstruction;
  FieldPictureIncluded = Source.FieldPictureIncluded;
  DefFontNumber = Source.DefFontNumber;
  HFType = Source.HFType;
  UCValue = Source.UCValue;
}

TUVRTFRowProperties* TUVRTFReaderState::GetRowProps() {
  if (!RowProps) RowProps = new TUVRTFRowProperties;
  return RowProps;
}
