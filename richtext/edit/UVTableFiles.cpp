// The table in the document formats: its record in the native format (read and written, as text
// or binary), and its RTF and HTML. The native record holds the table's properties and its grid
// as a component stream: the row and column counts, then cell by cell the spans and the cell's
// attributes and document, each cell document written by the native writer one level deeper.
#include <algorithm>
#include <cmath>

#include "classlib/Filer.h"
#include "classlib/Streams.h"
#include "classlib/SysUtils.h"
#include "classlib/TypInfo.h"
#include "richtext/core/CUVFData.h"
#include "richtext/core/UVFMisc.h"
#include "richtext/core/UVFuncs.h"
#include "richtext/core/UVStyle.h"
#include "richtext/edit/UVTable.h"

namespace {

// Wherever tables can be, RTF imports build them.
const bool RTFImportRegistered = (UVRegisterTableRTFImport(), true);

// The component that carries one cell through a component stream: its one property "C" is the
// cell, so the cell's attributes and document are written as "C.<property>".
class TD : public TComponent {
  CLASS_INFO(TD, TComponent)
public:
  TD() : TComponent(nullptr) {}
  explicit TD(TComponent* AOwner) : TComponent(AOwner) {}
  TUVTableCellData* GetCell() const { return FCell; }
  void SetCell(TUVTableCellData* Value) { FCell = Value; }

private:
  TUVTableCellData* FCell = nullptr;
};

PUBLISHED(TD) { Prop("C", &TD::GetCell, &TD::SetCell); }

[[noreturn]] void CellsError() { throw EReadError("Wrong end of cells list"); }

// The component that streams one table: the table's published properties, then "C" (the grid)
// and "RowVAlign" (the rows' vertical alignments, when any is not the default).
class TUVTableSW : public TComponent {
  CLASS_INFO(TUVTableSW, TComponent)
public:
  TUVTableSW() : TComponent(nullptr) {}
  explicit TUVTableSW(TComponent* AOwner) : TComponent(AOwner) {}
  TUVTableSW(TUVTableItemInfo* ATable, Integer AFirstRow, Integer ARowCount)
      : TComponent(nullptr), Table(ATable), FirstRow(AFirstRow), RowCount(ARowCount) {}

  void WriteState(TWriter* Writer) override {
    // The table's properties stand as the component's own.
    Writer->WritePrefix(TFilerFlags(), 0);
    Writer->WriteStr(ClassName());
    Writer->WriteStr(GetName());
    Writer->WriteProperties(Table);
    DefineProperties(Writer);
    Writer->WriteListEnd();
    Writer->WriteListEnd();
  }

  void ReadState(TReader* Reader) override {
    while (!Reader->EndOfList()) {
      // The two properties of the streamer itself; everything else is the table's.
      const Int64 at = Reader->GetPosition();
      const AnsiString name = Reader->ReadStr();
      Reader->SetPosition(at);
      if (name == "C" || name == "RowVAlign")
        Reader->ReadProperty(this);
      else
        Reader->ReadProperty(Table);
    }
    Reader->ReadListEnd();
    // The streamer has no children.
    if (!Reader->EndOfList()) throw EReadError("Invalid UVF format");
    Reader->ReadListEnd();
  }

  void DefineProperties(TFiler* Filer) override {
    TComponent::DefineProperties(Filer);
    Filer->DefineProperty("C", TReaderProc(this, &TUVTableSW::ReadCells), TWriterProc(this, &TUVTableSW::WriteCells),
                          true);
    bool aligned = false;
    for (Integer r = FirstRow; r < FirstRow + RowCount && !aligned; ++r)
      aligned = Table->Rows->GetRow(r)->VAlign != uvcTop;
    Filer->DefineProperty("RowVAlign", TReaderProc(this, &TUVTableSW::ReadRowVAlign),
                          TWriterProc(this, &TUVTableSW::WriteRowVAlign), aligned);
  }

  TUVTableItemInfo* Table = nullptr;
  Integer FirstRow = 0;
  Integer RowCount = 0;

private:
  void WriteCells(TWriter* Writer);
  void ReadCells(TReader* Reader);
  void WriteRowVAlign(TWriter* Writer) {
    Writer->WriteListBegin();
    for (Integer r = FirstRow; r < FirstRow + RowCount; ++r)
      Writer->WriteInteger(static_cast<Integer>(Table->Rows->GetRow(r)->VAlign));
    Writer->WriteListEnd();
  }
  void ReadRowVAlign(TReader* Reader) {
    // Values beyond the rows are passed over; rows without one keep the default; a value that
    // names no alignment leaves its row at the default.
    Reader->ReadListBegin();
    for (Integer r = 0; !Reader->EndOfList(); ++r) {
      Integer value = Reader->ReadInteger();
      if (r < Table->GetRowCount() && value >= uvcTop && value <= uvcVDefault)
        Table->Rows->GetRow(r)->VAlign = static_cast<TUVCellVAlign>(value);
    }
    Reader->ReadListEnd();
  }
};

void TUVTableSW::WriteCells(TWriter* Writer) {
  Writer->WriteInteger(RowCount);
  if (RowCount <= 0) return;
  TUVTableRows* rows = Table->Rows;
  const Integer colCount = rows->GetRow(FirstRow)->GetCount();
  const Integer lastRow = FirstRow + RowCount;
  Writer->WriteInteger(colCount);
  Writer->WriteListBegin();
  TD td;
  for (Integer r = FirstRow; r < lastRow; ++r)
    for (Integer c = 0; c < colCount; ++c) {
      TUVTableCellData* cell = rows->GetCell(r, c);
      Integer rowSpan;
      if (cell) {
        rowSpan = cell->RowSpan;
      } else {
        // A cell merged from a row above the range starts the range's first row.
        Integer mr, mc;
        cell = r == FirstRow ? rows->GetMainCell(r, c, mr, mc) : nullptr;
        if (!cell || mc != c) continue;
        rowSpan = cell->RowSpan - (FirstRow - mr);
      }
      Writer->WriteInteger(cell->ColSpan);
      Writer->WriteInteger(std::min(rowSpan, lastRow - r));
      td.SetCell(cell);
      Writer->WriteComponent(&td);
    }
  Writer->WriteListEnd();
}

void TUVTableSW::ReadCells(TReader* Reader) {
  TUVTableRows* rows = Table->Rows;
  const Integer rowCount = Reader->ReadInteger();
  if (rowCount < 0) CellsError();
  if (rowCount == 0) {
    rows->Reset(0, 0);
    return;
  }
  const Integer colCount = Reader->ReadInteger();
  // Every cell takes several bytes of the stream: a grid that the rest of the stream cannot
  // hold is damaged, and is not made.
  const Int64 remaining = Reader->GetStream()->GetSize() - Reader->GetPosition();
  if (colCount < 1 || static_cast<Int64>(rowCount) * colCount > remaining) CellsError();
  rows->Reset(rowCount, colCount);
  Reader->ReadListBegin();
  TD td;
  for (Integer r = 0; r < rowCount; ++r)
    for (Integer c = 0; c < colCount; ++c) {
      TUVTableCellData* cell = rows->GetCell(r, c);
      if (!cell) continue;  // covered by a merged cell read before
      if (Reader->EndOfList()) CellsError();
      const Integer colSpan = Reader->ReadInteger();
      const Integer rowSpan = Reader->ReadInteger();
      if (colSpan < 1 || rowSpan < 1 || colSpan > colCount - c || rowSpan > rowCount - r) CellsError();
      if (colSpan > 1 || rowSpan > 1) {
        if (!rows->CanMerge(r, c, colSpan, rowSpan, true)) CellsError();
        rows->MergeCells(r, c, colSpan, rowSpan, true, true);
      }
      td.SetCell(cell);
      Reader->ReadComponent(&td);
    }
  if (!Reader->EndOfList()) CellsError();
  Reader->ReadListEnd();
}

// --- RTF ----------------------------------------------------------------------------------------

Integer Twips(double Pixels, double TwipsPerPixel) { return static_cast<Integer>(Round(Pixels * TwipsPerPixel)); }

// The four sides of a table or cell border: nothing for a border of width 0 or a hidden side.
AnsiString RTFBorder(const char* Prefix, Integer WidthTw, TUVTableBorderStyle Style, TColor Color, TColor LightColor,
                     const TUVBooleanRect* Visible, TUVColorList* Colors) {
  if (WidthTw == 0) return AnsiString();
  auto index = [Colors](TColor C) { return std::max(Colors->IndexOf(C), 0); };
  const bool shown[4] = {Visible->Left, Visible->Top, Visible->Right, Visible->Bottom};
  static const char* const kSides[4] = {"l", "t", "r", "b"};
  AnsiString s;
  for (Integer side = 0; side < 4; ++side) {
    if (!shown[side]) continue;
    AnsiString text;
    switch (Style) {
      case uvtbRaised:
        text = Format("\\brdroutset\\brdrw%d", WidthTw);
        break;
      case uvtbLowered:
        text = Format("\\brdrinset\\brdrw%d", WidthTw);
        break;
      default: {
        // Raised borders are light on the left and top, lowered ones on the right and bottom.
        const bool leftOrTop = side < 2;
        TColor color = Color;
        if (Style == uvtbRaisedColor && leftOrTop) color = LightColor;
        if (Style == uvtbLoweredColor && !leftOrTop) color = LightColor;
        text = Format("\\brdrs\\brdrw%d\\brdrcf%d", WidthTw, index(color));
      }
    }
    s += Format("\\%sbrdr%s%s", Prefix, kSides[side], text);
  }
  return s;
}

// The background a cell shows in a written document: its own colour, the table's, and in a
// formatted document the table paragraph's or the document's; clNone when there is none.
TColor WrittenCellColor(TUVTableItemInfo* Table, TUVTableCellData* Cell, TCustomUVData* UVData) {
  if (Cell->GetCellColor() != clNone) return Cell->GetCellColor();
  if (Table->GetColor() != clNone) return Table->GetColor();
  if (!dynamic_cast<TCustomUVFormattedData*>(UVData)) return clNone;
  return Cell->GetEffectiveColor();
}

// Where the columns end, in pixels from the table's left: from the last layout, else from the
// cells' pixel widths.
std::vector<Integer> ColumnRightEdges(TUVTableItemInfo* Table) {
  const Integer cols = Table->GetColCount();
  TUVTableItemFormattingInfo* fi = Table->FormattingInfo;
  std::vector<Integer> edges(static_cast<std::size_t>(cols));
  const Integer padding = 2 * Table->GetCellPadding();
  if (fi->Width > 0 && static_cast<Integer>(fi->ColStarts.size()) == cols &&
      static_cast<Integer>(fi->ColWidths.size()) == cols) {
    for (Integer c = 0; c < cols; ++c)
      edges[static_cast<std::size_t>(c)] =
          fi->ColStarts[static_cast<std::size_t>(c)] + fi->ColWidths[static_cast<std::size_t>(c)] + padding;
    return edges;
  }
  Integer x = Table->GetTableBorderWidth() + Table->GetBorderHSpacing();
  for (Integer c = 0; c < cols; ++c) {
    Integer width = 0;
    for (Integer r = 0; r < Table->GetRowCount(); ++r) {
      TUVTableCellData* cell = Table->GetCells(r, c);
      if (cell && cell->ColSpan == 1 && cell->BestWidth > width) width = cell->BestWidth;
    }
    if (width == 0) width = 100;
    x += width + padding + 2 * Table->GetCellBorderWidth();
    edges[static_cast<std::size_t>(c)] = x;
    x += Table->GetCellHSpacing();
  }
  return edges;
}

// --- HTML ---------------------------------------------------------------------------------------

// " name=value", or nothing for an empty value or the attribute's default.
AnsiString Attr(const char* Name, const AnsiString& Value, const AnsiString& Default = AnsiString()) {
  if (Value.empty() || Value == Default) return AnsiString();
  return Format(" %s=%s", Name, Value);
}

AnsiString HTMLLength(TUVHTMLLength Value) {
  if (Value > 0) return IntToStr(Value);
  if (Value < 0) return IntToStr(-Value) + "%";
  return AnsiString();
}

AnsiString VAlignWord(TUVCellVAlign Value) {
  switch (Value) {
    case uvcTop:
      return "top";
    case uvcMiddle:
      return "middle";
    case uvcBottom:
      return "bottom";
    default:
      return AnsiString();
  }
}

// The CSS text of the cell borders, with a cell's own border colours where it has them.
AnsiString CellBorderCSS(TUVTableItemInfo* Table, TColor Dark, TColor Light) {
  const Integer width = Table->GetCellBorderWidth();
  const Integer tableWidth = Table->GetTableBorderWidth();
  AnsiString s;
  if (!((tableWidth == width && tableWidth <= 1) || (width == 1 && tableWidth >= 2)))
    s = Format("border-width : %dpx; ", width);
  if (width <= 0) return s;
  auto four = [](TColor Top, TColor Right, TColor Bottom, TColor Left) {
    return Format("border-color : %s %s %s %s; border-style: solid", ColorToHTMLString(Top), ColorToHTMLString(Right),
                  ColorToHTMLString(Bottom), ColorToHTMLString(Left));
  };
  const TUVTableBorderStyle tableStyle = Table->GetBorderStyle();
  switch (Table->GetCellBorderStyle()) {
    case uvtbRaised:
      s += "border-style: outset";
      break;
    case uvtbLowered:
      break;
    case uvtbColor:
      if (!(tableStyle == uvtbColor && Table->GetBorderColor() == Dark))
        s += Format("border-color : %s; border-style: solid", ColorToHTMLString(Dark));
      break;
    case uvtbRaisedColor:
      s += four(Light, Dark, Dark, Light);
      break;
    case uvtbLoweredColor:
      if (!((tableStyle == uvtbRaisedColor || tableStyle == uvtbLoweredColor) && Table->GetBorderColor() == Dark &&
            Table->GetBorderLightColor() == Light))
        s += four(Dark, Light, Light, Dark);
      break;
  }
  return s;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The native format

void TUVTableItemInfo::SaveUVF(TStream* Stream, TCustomUVData* UVData, Integer, const AnsiString& Name,
                               bool ForceSameAsPrev) {
  SaveRowsUVF(Stream, UVData, Name, ForceSameAsPrev, 0, GetRowCount());
}

void TUVTableItemInfo::SaveRowsUVF(TStream* Stream, TCustomUVData* UVData, const AnsiString& Name,
                                   bool ForceSameAsPrev, Integer FirstRow, Integer RowCount) {
  FirstRow = std::clamp(FirstRow, 0, GetRowCount());
  RowCount = std::clamp(RowCount, 0, GetRowCount() - FirstRow);
  const bool binary = UVData->GetUVFOptions().Contains(uvfoSaveBinary);
  SaveUVFHeader(Stream, UVData, GetExtraPropertyCount() + 3, binary ? uvf_dfBinary : uvf_dfText, ForceSameAsPrev);
  UVFWriteLine(Stream, Name);
  SaveUVFExtraProperties(Stream);
  UVFWriteLine(Stream, "1");
  TUVTableSW streamer(this, FirstRow, RowCount);
  if (binary)
    UVFSaveControlBinary(Stream, &streamer);
  else
    UVFWriteLine(Stream, UVFSaveControl(&streamer));
}

bool TUVTableItemInfo::SaveUVFSelection(TStream* Stream, TCustomUVData* UVData, Integer ItemNo) {
  Integer top, left, rowCount, colCount;
  if (!GetNormalizedSelectionBounds(false, top, left, rowCount, colCount)) return false;
  SaveRowsUVF(Stream, UVData, UVData->GetItemText(ItemNo), false, top, rowCount);
  return true;
}

bool TUVTableItemInfo::ReadUVFLine(const AnsiString& S, TCustomUVData*, Integer ReadType, Integer LineNo,
                                   Integer LineCount, AnsiString& Name, TUVFReadMode& ReadMode, TUVFReadState&) {
  // The name, the extra properties, the line before the body and the body.
  if (LineCount < 3 || (ReadType != uvf_dfText && ReadType != uvf_dfBinary)) return false;
  if (LineNo == 0) {
    Name = S;
  } else if (LineNo < LineCount - 2) {
    ReadUVFExtraProperty(this, S);
  } else if (LineNo == LineCount - 1) {
    TMemoryStream stream;
    if (ReadType == uvf_dfBinary)
      UVFWrite(&stream, S);
    else if (!UVFHexToStream(S, &stream))
      return false;
    stream.SetPosition(0);
    TUVTableSW streamer(this, 0, 0);
    try {
      TReader reader(&stream, 4096);
      reader.ReadRootComponent(&streamer);
    } catch (const Exception&) {
      return false;
    }
  }
  if (ReadType == uvf_dfBinary && LineNo + 2 == LineCount - 1) ReadMode = uvf_rmBinaryFollows;
  return true;
}

// ---------------------------------------------------------------------------------------------
// RTF

void TUVTableItemInfo::FillRTFTables(TUVColorList* ColorList, TUVIntegerList* ListOverrideCounts,
                                     TCustomUVData*) {
  ColorList->AddUnique(FColor);
  auto addStyle = [ColorList](TUVTableBorderStyle Style, TColor Color, TColor Light) {
    switch (Style) {
      case uvtbRaised:
      case uvtbLowered:
        ColorList->AddUnique(clBtnHighlight);
        ColorList->AddUnique(clBtnShadow);
        ColorList->AddUnique(clBtnFace);
        break;
      case uvtbColor:
        ColorList->AddUnique(Color);
        break;
      default:
        ColorList->AddUnique(Color);
        ColorList->AddUnique(Light);
    }
  };
  addStyle(FBorderStyle, FBorderColor, FBorderLightColor);
  addStyle(FCellBorderStyle, FCellBorderColor, FCellBorderLightColor);
  if (FVRuleWidth > 0) ColorList->AddUnique(FVRuleColor);
  if (FHRuleWidth > 0) ColorList->AddUnique(FHRuleColor);
  for (Integer r = 0; r < GetRowCount(); ++r)
    for (Integer c = 0; c < GetColCount(); ++c) {
      TUVTableCellData* cell = GetCells(r, c);
      if (!cell) continue;
      ColorList->AddUnique(cell->GetCellColor());
      ColorList->AddUnique(cell->BorderColor);
      ColorList->AddUnique(cell->BorderLightColor);
      cell->MakeRTFTables(ColorList, ListOverrideCounts, false);
    }
}

void TUVTableItemInfo::SaveRTF(TStream* Stream, const AnsiString&, TCustomUVData* UVData, Integer,
                               const AnsiString&, TUVRTFSaveContext& Context) {
  const double f = Context.TwipsPerPixel;
  const Integer level = Context.Level;
  const bool nested = level > 0;
  TUVColorList* colors = Context.ColorList;
  auto write = [Stream](const AnsiString& S) { UVFWrite(Stream, S); };
  auto colorIndex = [colors](TColor C) { return colors->IndexOf(C); };
  TUVStyle* style = UVData->GetUVStyle();
  TParaInfo* para = style && ParaNo >= 0 && ParaNo < style->GetParaStyles()->GetCount()
                        ? style->GetParaStyles()->GetItem(ParaNo)
                        : nullptr;
  AnsiString align;
  if (para && para->Alignment == uvaRight) align = "\\trqr";
  if (para && para->Alignment == uvaCenter) align = "\\trqc";
  const Integer leftTw = para ? Twips(para->LeftIndent, f) : 0;
  const Integer rowCount = GetRowCount();
  const Integer colCount = GetColCount();
  const std::vector<Integer> edges = ColumnRightEdges(this);
  const TUVBooleanRect allSides(true);
  const AnsiString prefix = nested ? "nest" : "";

  for (Integer r = 0; r < rowCount; ++r) {
    write(Format("{%s", nested ? "\\*\\nesttableprops" : ""));
    write(Format("%s\\trowd\\trgaph%d\\trleft%d\\itap%d", align,
                 Twips(((FCellPadding + FCellBorderWidth) * 2 + FCellHSpacing) / 2.0, f), leftTw, level + 1));
    if (r < FHeadingRowCount) write("\\trhdr");
    Integer rowHeight = 0;
    for (Integer c = 0; c < colCount; ++c)
      if (TUVTableCellData* cell = GetCells(r, c); cell && cell->RowSpan == 1)
        rowHeight = std::max(rowHeight, cell->BestHeight);
    if (rowHeight > 0) write(Format("\\trrh%d", Twips(rowHeight, f)));
    const Integer padding = Twips(FCellPadding, f);
    write(Format("\\trpaddl%d\\trpaddt%d\\trpaddr%d\\trpaddb%d\\trpaddfl3\\trpaddft3\\trpaddfr3\\trpaddfb3", padding,
                 padding, padding, padding));
    const Integer hSpacing = Twips(FCellHSpacing / 2.0, f);
    write(Format("\\trspdl%d\\trspdr%d\\trspdfl3\\trspdfr3", hSpacing, hSpacing));
    const Integer top = Twips((r == 0 ? FBorderVSpacing : FCellVSpacing) / 2.0, f);
    const Integer bottom = Twips((r == rowCount - 1 ? FBorderVSpacing : FCellVSpacing) / 2.0, f);
    write(Format("\\trspdt%d\\trspdb%d\\trspdft3\\trspdfb3", top, bottom));
    if (FBestWidth > 0)
      write(Format("\\trwWidth%d\\trftsWidth3", Twips(FBestWidth + 2 * FBorderWidth, f)));
    else if (FBestWidth < 0)
      write(Format("\\trwWidth%d\\trftsWidth2", -FBestWidth * 50));
    else
      write("\\trftsWidth1");
    if (FOptions.Contains(uvtoRTFAllowAutofit)) write("\\trautofit1");
    write(Format("\\uzuruvadtbw%d", FBestWidth));
    write(RTFBorder("tr", Twips(FBorderWidth, f), FBorderStyle, FBorderColor, FBorderLightColor, &allSides, colors));

    for (Integer c = 0; c < colCount; ++c) {
      TUVTableCellData* cell = GetCells(r, c);
      if (cell) {
        if (cell->RowSpan > 1) write("\\clvmgf");
        if (cell->ColSpan > 1) write("\\clmgf");
      } else {
        Integer mr, mc;
        if (TUVTableCellData* main = Rows->GetMainCell(r, c, mr, mc)) {
          if (mr < r) {
            write("\\clvmrg");
            if (mc == c && main->ColSpan > 1) write("\\clmgf");
          }
          if (mc < c) {
            write("\\clmrg");
            if (mr == r && main->RowSpan > 1) write("\\clvmgf");
          }
        }
      }
      if (cell) {
        if (cell->BestWidth > 0) {
          if (FOptions.Contains(uvtoRTFSaveCellPixelBestWidth))
            write(Format("\\clwWidth%d\\clftsWidth3", Twips(cell->BestWidth, f)));
          else
            write("\\clwWidth0");
        } else if (cell->BestWidth < 0) {
          write(Format("\\clwWidth%d\\clftsWidth2", -cell->BestWidth * 50));
        } else {
          write("\\clftsWidth1");
        }
        write(Format("\\uzuruvadcbw%d\\uzuruvadcbh%d", cell->BestWidth, cell->BestHeight));
        const TColor dark = cell->BorderColor != clNone ? cell->BorderColor : FCellBorderColor;
        const TColor light = cell->BorderLightColor != clNone ? cell->BorderLightColor : FCellBorderLightColor;
        write(RTFBorder("cl", Twips(FCellBorderWidth, f), FCellBorderStyle, dark, light, cell->GetVisibleBorders(),
                        colors));
        const TColor back = WrittenCellColor(this, cell, UVData);
        if (back != clNone && colorIndex(back) >= 0) write(Format("\\clcbpat%d", colorIndex(back)));
        const TUVCellVAlign valign = cell->VAlign != uvcVDefault ? cell->VAlign : Rows->GetRow(r)->VAlign;
        if (valign == uvcMiddle) write("\\clvertalc");
        if (valign == uvcBottom) write("\\clvertalb");
      }
      write(Format("\\cellx%d", Twips(edges[static_cast<std::size_t>(c)] + FCellHSpacing / 2.0, f)));
    }

    write(Format("\\pard\\intbl\\itap%d{", level + 1));
    for (Integer c = 0; c < colCount; ++c) {
      write("{");
      if (TUVTableCellData* cell = GetCells(r, c))
        GetEditingData(cell)->SaveRTFToStream(Stream, false, clNone, level + 1, Context.FontTable, colors,
                              Context.ListOverrideNumbers, f);
      write(Format("\\%scell}", prefix));
    }
    write(Format("}\\pard\\intbl\\itap%d", level + 1));
    write(Format("\\%srow}", prefix));
  }
}

// ---------------------------------------------------------------------------------------------
// HTML

void TUVTableItemInfo::SaveHTML(TStream* Stream, TCustomUVData* UVData, Integer, const AnsiString&,
                                const AnsiString& Path, const AnsiString& ImgSavePrefix, Integer&, TColor,
                                Integer SaveOptions, bool UseCSS, TUVHTMLImageCache*) {
  auto write = [Stream](const AnsiString& S) { UVFWrite(Stream, S); };
  AnsiString border = Attr("border", IntToStr(FBorderWidth), "0");
  if (UseCSS && FBorderWidth < 1 && FCellBorderWidth != 0) border = " border=1 style='{border-width : 0px}'";
  AnsiString borderColor, borderLightColor;
  if (FBorderStyle == uvtbColor) borderColor = Attr("bordercolor", ColorToHTMLString(FBorderColor));
  if (FBorderStyle == uvtbRaisedColor || FBorderStyle == uvtbLoweredColor) {
    borderColor = Attr("bordercolordark", ColorToHTMLString(FBorderColor));
    borderLightColor = Attr("bordercolorlight", ColorToHTMLString(FBorderLightColor));
  }
  AnsiString tableStyle;
  if (UseCSS) {
    if (FBorderStyle == uvtbLowered) tableStyle = "border-style: inset";
    if (FBorderStyle == uvtbLoweredColor)
      tableStyle = Format("border-color : %s %s %s %s; border-style: solid", ColorToHTMLString(FBorderColor),
                          ColorToHTMLString(FBorderLightColor), ColorToHTMLString(FBorderLightColor),
                          ColorToHTMLString(FBorderColor));
    if (!tableStyle.empty()) tableStyle = Format(" style='{%s}'", tableStyle);
  }
  write(Format("<TABLE%s%s%s%s%s%s%s%s>", Attr("width", HTMLLength(FBestWidth)),
               Attr("bgcolor", ColorToHTMLString(FColor)), border, Attr("cellpadding", IntToStr(FCellPadding), "1"),
               borderColor, borderLightColor, Attr("cellspacing", IntToStr((FCellVSpacing + FCellHSpacing) / 2), "2"),
               tableStyle));
  write("\r\n");

  const AnsiString tableCellCSS = UseCSS ? CellBorderCSS(this, FCellBorderColor, FCellBorderLightColor) : AnsiString();
  const Integer cellOptions = SaveOptions | uvsoMiddleOnly | uvsoDefault0Style;
  for (Integer r = 0; r < GetRowCount(); ++r) {
    TUVTableRow* row = Rows->GetRow(r);
    write(Format("<TR%s>", Attr("valign", VAlignWord(row->VAlign), "top")));
    for (Integer c = 0; c < GetColCount(); ++c) {
      TUVTableCellData* cell = row->GetCell(c);
      if (!cell) continue;
      AnsiString cellStyle;
      if (UseCSS) {
        cellStyle = tableCellCSS;
        if (cell->BorderColor != clNone || cell->BorderLightColor != clNone)
          cellStyle = CellBorderCSS(this, cell->BorderColor != clNone ? cell->BorderColor : FCellBorderColor,
                                    cell->BorderLightColor != clNone ? cell->BorderLightColor : FCellBorderLightColor);
        if (!cellStyle.empty() && !AnsiEndsStr(";", cellStyle) && !AnsiEndsStr("; ", cellStyle)) cellStyle += "; ";
        if (FCellBorderWidth > 0) {
          const TUVBooleanRect* v = cell->GetVisibleBorders();
          if (!v->Top) cellStyle += "border-top: none; ";
          if (!v->Right) cellStyle += "border-right: none; ";
          if (!v->Bottom) cellStyle += "border-bottom: none; ";
          if (!v->Left) cellStyle += "border-left: none; ";
        }
        if (!cellStyle.empty()) cellStyle = Format(" style='{%s}'", cellStyle);
      }
      AnsiString cellColor = ColorToHTMLString(cell->GetCellColor());
      write(Format("<TD%s%s%s%s%s%s%s>", Attr("colspan", IntToStr(cell->ColSpan), "1"),
                   Attr("rowspan", IntToStr(cell->RowSpan), "1"), Attr("width", HTMLLength(cell->BestWidth)),
                   Attr("height", HTMLLength(cell->BestHeight)),
                   Attr("bgcolor", cellColor, ColorToHTMLString(FColor)), Attr("valign", VAlignWord(cell->VAlign)),
                   cellStyle));
      if (!cell->HasData(false)) {
        write("&nbsp;");
      } else {
        const TColor back = WrittenCellColor(this, cell, UVData);
        if (UseCSS)
          GetEditingData(cell)->SaveHTMLToStreamWithCSS(Stream, Path, AnsiString(), ImgSavePrefix, cellOptions, back, 0, 0, 0, 0,
                                        nullptr, AnsiString());
        else
          GetEditingData(cell)->SaveHTMLToStream(Stream, Path, AnsiString(), ImgSavePrefix, cellOptions, back, 0, 0, 0, 0,
                                                 nullptr);
      }
      write("</TD>");
    }
    write("</TR>\r\n");
  }
  write("</TABLE>\r\n");
}
