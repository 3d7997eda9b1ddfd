// The flattened view of a rich-text document that the rich-text walker reads: every item of the
// document, and of every cell of every table in it (in cell order), numbered as one sequence of
// lines. The serializer keeps one entry per level of the descent it has made: the root document,
// the cells entered, and the rest of a document after a table. An entry covers the items from its
// first one up to its current one, which are consecutive lines from its LineBase on.
#pragma once

#include <memory>
#include <vector>

#include "classlib/System.h"

class TCustomUVData;
class TCustomUVFormattedData;
class TCustomUzurUvadEdit;
class TUVStoreSubUVData;

// One level of the descent.
class TUVSerEntry : public TObject {
  CLASS_INFO(TUVSerEntry, TObject)
public:
  ~TUVSerEntry() override;

  // The flattened number of the entry's first item.
  Integer LineBase = 0;
  // The document or cell document the entry walks (not owned).
  TCustomUVData* UVData = nullptr;
  // The entry that holds the table; -1 for the root.
  Integer Parent = -1;
  // The entry whose document this one walks on after a table; -1 for others.
  Integer Continues = -1;
  // The table's item number in the parent document; -1 for none.
  Integer TableItemNo = -1;
  // The table's position of this cell, owned; none outside cells.
  TUVStoreSubUVData* CellIterator = nullptr;
  Integer FirstItemNo = 0;
  // The current item; FirstItemNo - 1 before the first.
  Integer ItemNo = -1;

  Integer CurrentLine() const { return ItemNo - FirstItemNo + LineBase; }
};

class TUVSerializer : public TObject {
  CLASS_INFO(TUVSerializer, TObject)
public:
  // Starts before the first item of the editor's document.
  explicit TUVSerializer(TCustomUzurUvadEdit* Editor);
  ~TUVSerializer() override;

  // The next item of the flattened sequence; false (and AtEnd) after the last.
  bool NextItem();
  // Back one item; leaving a cell or the rest after a table returns to the table's item. Clears
  // AtEnd instead when it is set. Raises "Internal error 1" when a deeper entry than the current
  // one exists.
  bool PrevItem();
  Integer CurrentLine() const { return Current()->CurrentLine(); }
  // The current document and item; the item is below the entry's first while before it.
  void CurrentItem(TCustomUVData*& Data, Integer& ItemNo) const;
  bool HasItem() const;
  // -1 goes before the first item (false). Otherwise moves to the line among the entries that
  // cover it; false when none does.
  bool SeekLine(Integer Line);
  // Moves to the line, stepping forward when no entry covers it yet.
  void SetLine(Integer Line);
  // Moves to the item of the document (stepping forward to it when it is not covered yet).
  void LocateItem(TCustomUVData* Data, Integer ItemNo);
  // The item's flattened line; -1 when no entry covers it.
  Integer LineOf(TCustomUVData* Data, Integer ItemNo) const;
  // Moves to the caret's item, in the innermost cell being edited.
  void GoToCaret();
  // The selection of the innermost edited document as flattened positions: text offsets are
  // 0-based columns, lines are flattened lines.
  void GetSelectionLines(Integer& StartColumn, Integer& StartLine, Integer& EndColumn, Integer& EndLine);
  // When the current entry walks a cell, opens the table's cell editor on it (or, in a read-only
  // editor or a table that cannot be edited, makes it the chosen cell), so that a selection can
  // be set in it; on the root document's items, closes the cell editor and gives up a chosen
  // cell.
  void EnterCell();

  bool AtEnd() const { return atEnd_; }
  Integer EntryCount() const { return static_cast<Integer>(entries_.size()); }
  TUVSerEntry* Entry(Integer Index) const { return entries_[static_cast<std::size_t>(Index)].get(); }
  TUVSerEntry* Current() const { return Entry(current_); }
  // The document the entry's items live in now: a cell's items live in the table's cell editor
  // while it is open on the cell.
  TCustomUVData* DataOf(const TUVSerEntry* E) const;
  // The innermost document being edited (the root without a chosen cell).
  TCustomUVFormattedData* EditedData() const;

private:
  // Opens an entry for the cell and makes it current.
  void PushCell(TCustomUVFormattedData* Cell, TUVStoreSubUVData* Iterator, Integer Parent, Integer TableItemNo,
                Integer LineBase);
  void DropAfter(Integer Index);
  // The entry of the document that covers the item, searched from the deepest; -1 for none.
  Integer FindEntry(TCustomUVData* Data, Integer ItemNo) const;

  TCustomUzurUvadEdit* editor_;
  std::vector<std::unique_ptr<TUVSerEntry>> entries_;
  Integer current_ = 0;
  bool atEnd_ = false;
};
