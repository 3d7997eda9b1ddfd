#include "richtext/edit/tests/support/EditTestSupport.h"

#include <sstream>

#include "classlib/SysUtils.h"
#include "richtext/core/UVFuncs.h"
#include "richtext/core/UVMarker.h"
#include "richtext/core/UVStyle.h"

namespace edit_test {

void SetUpStyles(TUVStyle& Style) {
  richtext_test::AddLayoutStyles(Style);
  TFontInfos* fonts = Style.GetTextStyles();
  fonts->GetItem(2)->Style.Clear();
  fonts->GetItem(3)->Unicode = true;
  fonts->GetItem(3)->Style.Clear();
  auto add = [&](TUVProtectOption Option) {
    TFontInfo* font = fonts->Add();
    font->Protection << Option;
    return font;
  };
  add(uvprModifyProtect);                          // 6
  add(uvprDeleteProtect);                          // 7
  add(uvprSticking);                               // 8
  add(uvprConcateProtect);                         // 9
  add(uvprParaStartProtect);                       // 10
  TFontInfo* unicodeBig = fonts->Add();            // 11
  unicodeBig->Unicode = true;
  unicodeBig->FontName = "Times New Roman";
  unicodeBig->Size = 12;

  TParaInfos* paras = Style.GetParaStyles();
  paras->GetItem(psSpaced)->NextParaNo = 0;
  paras->Add()->Options << uvpaoReadOnly;          // 5
  paras->Add()->Options << uvpaoStyleProtect;      // 6
  paras->Add()->Options << uvpaoDoNotWantReturns;  // 7

  TUVListLevel* numbered = Style.GetListStyles()->Add()->GetLevels()->Add();
  numbered->ListType = uvlstDecimal;
  numbered->FormatString = "%0:s.";
  numbered->LeftIndent = 24;
  numbered->FirstIndent = -14;
  TUVListLevel* bullets = Style.GetListStyles()->Add()->GetLevels()->Add();
  bullets->ListType = uvlstBullet;
  bullets->LeftIndent = 20;
}

// --- The control's sequences ------------------------------------------------------------------

namespace {

// PrepareInsertion: one insertion action, the selection deleted, the current style kept.
bool PrepareInsertion(TUVWindowlessEditData& Doc) {
  Integer style = Doc.CurTextStyleNo;
  Doc.OpenUndoAction(uvutInsert);
  Doc.ChangeGroupCounter(true);
  if (!Doc.DeleteSelection()) {
    Doc.ChangeGroupCounter(false);
    Doc.UndoList->DropEmptyLast();
    return false;
  }
  Doc.SetCurrentTextStyle(style);
  return true;
}

void FinishInsertion(TUVWindowlessEditData& Doc) {
  Doc.ChangeGroupCounter(false);
  Doc.UndoList->DropEmptyLast();
  Doc.Change(true);
}

// Keys that edit delete a selection first.
bool DeleteSelectionFirst(TUVWindowlessEditData& Doc) {
  if (!Doc.SelectionExists()) return true;
  return Doc.DeleteSelection();
}

}  // namespace

bool InsertText(TUVWindowlessEditData& Doc, const AnsiString& Text) {
  if (!PrepareInsertion(Doc)) return false;
  bool ok = Doc.InsertTextA(Text, false);
  FinishInsertion(Doc);
  return ok;
}

bool InsertItem(TUVWindowlessEditData& Doc, const AnsiString& Name, TCustomUVItemInfo* Item) {
  if (!PrepareInsertion(Doc)) {
    delete Item;
    return false;
  }
  bool ok = Doc.InsertItemAtCaret(Name, Item, false);
  FinishInsertion(Doc);
  return ok;
}

bool InsertUVF(TUVWindowlessEditData& Doc, TStream* Stream) {
  if (!PrepareInsertion(Doc)) return false;
  bool ok = Doc.InsertUVFAtCaret(Stream);
  FinishInsertion(Doc);
  return ok;
}

bool InsertRTF(TUVWindowlessEditData& Doc, TStream* Stream) {
  if (!PrepareInsertion(Doc)) return false;
  bool ok = Doc.InsertRTFAtCaret(Stream);
  FinishInsertion(Doc);
  return ok;
}

void PressBackspace(TUVWindowlessEditData& Doc, bool Ctrl) {
  if (Doc.SelectionExists()) {
    Doc.DeleteSelection();
    return;
  }
  Doc.PressBackspace(Ctrl, false);
}

void PressDelete(TUVWindowlessEditData& Doc, bool Ctrl) {
  if (Doc.SelectionExists()) {
    Doc.DeleteSelection();
    return;
  }
  Doc.PressDelete(Ctrl);
}

void PressReturn(TUVWindowlessEditData& Doc, bool Shift) {
  if (!DeleteSelectionFirst(Doc)) return;
  Doc.PressReturn(Shift);
  Doc.Change(true);
}

void TypeChar(TUVWindowlessEditData& Doc, char Ch) {
  if (!DeleteSelectionFirst(Doc)) return;
  Doc.KeyPressChar(Ch);
}

void ApplyParagraphStyle(TUVWindowlessEditData& Doc, Integer ParaNo) {
  Doc.OpenUndoAction(uvutPara);
  Doc.ApplyParaStyle(ParaNo, false);
  Doc.UndoList->DropEmptyLast();
}

void ConvertTextStyles(TUVWindowlessEditData& Doc, Integer UserData) {
  Doc.ApplyStyleConversion(UserData);
  Doc.UndoList->DropEmptyLast();
}

void Undo(TUVWindowlessEditData& Doc) {
  Doc.UndoList->Undo(&Doc);
  Doc.Change(false);
}

void Redo(TUVWindowlessEditData& Doc) {
  Doc.RedoList->Redo(&Doc);
  Doc.Change(false);
}

void SetCaret(TUVWindowlessEditData& Doc, Integer ItemNo, Integer Offs) {
  Doc.SetSelectionBounds(ItemNo, Offs, ItemNo, Offs);
}

// --- Snapshots ---------------------------------------------------------------------------------

std::string DescribeItem(TCustomUVData& Doc, Integer ItemNo) {
  TCustomUVItemInfo* item = Doc.GetItem(ItemNo);
  std::ostringstream out;
  out << "style " << item->StyleNo << " para " << item->ParaNo << " options " << Integer(item->ItemOptions)
      << " tag " << (Doc.GetOptions().Contains(uvoTagsArePChars) ? UVTagText(item->Tag) : IntToStr(Integer(item->Tag)));
  const AnsiString& text = Doc.GetItemText(ItemNo);
  out << " text \"";
  for (char c : text) {
    if (c >= 32 && c < 127)
      out << c;
    else
      out << "\\x" << std::hex << (static_cast<unsigned>(static_cast<unsigned char>(c))) << std::dec;
  }
  out << "\"";
  if (item->Checkpoint) out << " checkpoint " << item->Checkpoint->Name << (item->Checkpoint->RaiseEvent ? "!" : "");
  if (auto* marker = dynamic_cast<TUVMarkerItemInfo*>(item))
    out << " list " << marker->ListNo << " level " << marker->Level << " start " << marker->StartFrom
        << (marker->Reset ? " reset" : "");
  return out.str();
}

std::vector<std::string> Snapshot(TCustomUVData& Doc) {
  std::vector<std::string> lines;
  for (Integer i = 0; i < Doc.GetItemCount(); ++i) lines.push_back(DescribeItem(Doc, i));
  if (Doc.NotAddedCP) lines.push_back("end checkpoint " + Doc.NotAddedCP->Name);
  return lines;
}

std::vector<AnsiString> Texts(TCustomUVData& Doc) {
  std::vector<AnsiString> texts;
  for (Integer i = 0; i < Doc.GetItemCount(); ++i) texts.push_back(Doc.GetItemText(i));
  return texts;
}

// --- Invariants --------------------------------------------------------------------------------

std::string CheckInvariants(TUVWindowlessEditData& Doc) {
  TUVStyle* style = Doc.GetUVStyle();
  Integer count = Doc.GetItemCount();
  auto at = [](Integer i, const std::string& What) { return "item " + std::to_string(i) + ": " + What; };
  Integer paraNo = -1;
  for (Integer i = 0; i < count; ++i) {
    TCustomUVItemInfo* item = Doc.GetItem(i);
    Byte options = item->ItemOptions;
    if ((options & uvioSameAsPrev) && (options & (uvioBR | uvioPageBreakBefore)))
      return at(i, "continues its paragraph and starts a line or page");
    if (i == 0 && !item->StartsPara()) return at(i, "the first item does not start a paragraph");
    if (item->StyleNo == uvsListMarker && !item->StartsPara()) return at(i, "a list marker does not start a paragraph");
    bool fullLine = item->StyleNo < 0 && item->QueryFlag(uvbpFullWidth);
    if (fullLine && !item->StartsPara()) return at(i, "a full-line item does not start a paragraph");
    if (i > 0 && Doc.GetItemStyle(i - 1) < 0 && Doc.GetItem(i - 1)->QueryFlag(uvbpFullWidth) &&
        item->GetContinuesPara())
      return at(i, "continues the paragraph of a full-line item");
    if (item->StartsPara()) paraNo = item->ParaNo;
    else if (item->ParaNo != paraNo)
      return at(i, "paragraph style " + std::to_string(item->ParaNo) + " in a paragraph of style " +
                       std::to_string(paraNo));
    if (item->StyleNo >= 0) {
      bool unicode = style->GetTextStyles()->GetItem(item->StyleNo)->Unicode;
      if (item->IsUnicode() != unicode) return at(i, "Unicode flag does not match its style");
      if (unicode && Doc.GetItemText(i).size() % 2) return at(i, "odd UTF-16 text");
    } else if (options & uvioUnicode) {
      return at(i, "a non-text item marked Unicode");
    }
  }
  // Markers: in document order, numbered as from scratch.
  TUVMarkerList* markers = Doc.GetMarkers(false);
  std::vector<TUVMarkerItemInfo*> inDocument;
  for (Integer i = 0; i < count; ++i)
    if (Doc.GetItemStyle(i) == uvsListMarker) inDocument.push_back(static_cast<TUVMarkerItemInfo*>(Doc.GetItem(i)));
  Integer listed = markers ? markers->GetCount() : 0;
  if (listed != static_cast<Integer>(inDocument.size()))
    return "the marker list holds " + std::to_string(listed) + " markers, the document " +
           std::to_string(inDocument.size());
  std::vector<AnsiString> numbers;
  for (Integer i = 0; i < listed; ++i) {
    if (markers->Get(i) != inDocument[static_cast<std::size_t>(i)]) return "marker " + std::to_string(i) + " out of order";
    numbers.push_back(markers->Get(i)->DisplayString);
  }
  if (listed > 0) {
    markers->RecalcCounters(0, style);
    for (Integer i = 0; i < listed; ++i)
      if (markers->Get(i)->DisplayString != numbers[static_cast<std::size_t>(i)])
        return "marker " + std::to_string(i) + " shows \"" + numbers[static_cast<std::size_t>(i)] + "\" for \"" +
               markers->Get(i)->DisplayString + "\"";
  }
  // Checkpoints: chained in item order, counted.
  Integer chained = 0;
  Integer lastItem = -1;
  TUVCPInfo* previous = nullptr;
  for (TUVCPInfo* cp = Doc.FirstCP; cp; cp = cp->Next) {
    Integer itemNo = Doc.IndexOfItem(cp->ItemInfo);
    if (itemNo < 0 || Doc.GetItem(itemNo)->Checkpoint != cp) return "a chained checkpoint is not on its item";
    if (itemNo <= lastItem) return "checkpoints out of item order";
    if (cp->Prev != previous) return "a checkpoint's back link is wrong";
    lastItem = itemNo;
    previous = cp;
    ++chained;
  }
  if (Doc.LastCP != previous) return "the last checkpoint is not the chain's end";
  Integer onItems = 0;
  for (Integer i = 0; i < count; ++i)
    if (Doc.GetItem(i)->Checkpoint) ++onItems;
  if (onItems != chained) return "checkpoints on items that are not chained";
  if (Doc.CPCount != chained + (Doc.NotAddedCP ? 1 : 0)) return "the checkpoint count is wrong";
  return std::string();
}

std::string CheckLayout(TUVWindowlessEditData& Doc) {
  std::vector<Line> lines = DrawLines(Doc);
  Integer height = Doc.DocumentHeight;
  Integer width = Doc.DocumentWidth;
  Doc.Format(true, true, true, 0, nullptr, false, false);
  std::vector<Line> full = DrawLines(Doc);
  if (width != Doc.DocumentWidth)
    return "document width " + std::to_string(width) + ", a full format gives " + std::to_string(Doc.DocumentWidth);
  if (lines.size() != full.size())
    return std::to_string(lines.size()) + " draw lines, a full format gives " + std::to_string(full.size());
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (!(lines[i] == full[i])) {
      const Line& a = lines[i];
      const Line& b = full[i];
      std::ostringstream out;
      out << "draw line " << i << ": item " << a.ItemNo << " offs " << a.Offs << " len " << a.Length << " at "
          << a.Left << "," << a.Top << " " << a.Width << "x" << a.Height << "; full: item " << b.ItemNo << " offs "
          << b.Offs << " len " << b.Length << " at " << b.Left << "," << b.Top << " " << b.Width << "x" << b.Height;
      return out.str();
    }
  if (height != Doc.DocumentHeight)
    return "document height " + std::to_string(height) + ", a full format gives " + std::to_string(Doc.DocumentHeight);
  return std::string();
}

}  // namespace edit_test
