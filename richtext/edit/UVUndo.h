// Undo and redo of an editor's document: a record describes how to reverse one elementary change,
// an action groups the records of one user-level change, and a list keeps the actions. Records are
// performed through the editing primitives of the document, which record the reversing records
// themselves into the list the document's destination names; so undoing fills the redo list and
// redoing the undo list.
#pragma once

#include "classlib/StringLists.h"
#include "richtext/core/UVClasses.h"
#include "richtext/core/UVItem.h"

class TUVEditUVData;
class TUVUndoList;

// Kinds of user actions passed when actions are opened; the list reads only the typing kind.
enum : Byte {
  uvutNone = 0,
  uvutDelete = 1,          // deleting (selection, Delete, Backspace)
  uvutInsert = 2,          // inserting items, text and streams
  uvutPara = 3,            // applying a paragraph style
  uvutMiscTyping = 4,      // Return, several characters typed at once
  uvutTyping = 7,          // typed characters, joined into one action
  uvutStyleNo = 9,         // converting text styles
  uvutModifyTable = 13,    // changing a table
};

// Record kinds.
enum : Byte {
  uvukReformat = 0,
  uvukDeleteItem = 1,
  uvukDeleteItems = 2,
  uvukDeleteSubstring = 3,
  uvukInsertItem = 4,
  uvukInsertItems = 5,
  uvukInsertSubstring = 6,
  uvukNewLine = 7,
  uvukBR = 8,
  uvukPara = 9,
  uvukPageBreak = 10,
  uvukTyping = 11,
  uvukTag = 12,
  uvukStyleNo = 13,
  uvukCheckpoint = 14,
  uvukModifyItem = 15,
  uvukChangeText = 16,
};

// Where the primitives put their records.
enum : Byte { uvudNone = 0, uvudUndo = 1, uvudRedo = 2 };

// One elementary change, and how to reverse it.
class TUVUndoInfo : public TObject {
  CLASS_INFO(TUVUndoInfo, TObject)
public:
  // Whether performing it changes what is laid out.
  virtual bool RequiresFormat() const { return true; }
  // Whether performing it needs the outermost document formatted again.
  virtual bool RequiresFullReformat() const { return false; }
  // The first and last item it touches, numbered as when it is performed.
  virtual void GetAffectedRange(Integer& First, Integer& Last) const;
  // How many items performing it adds (negative: removes).
  virtual Integer ItemsAdded() const { return 0; }
  // Whether it may change the document's minimal width: asked before and after performing it.
  virtual bool MayChangeMinWidthBefore(TUVEditUVData* /*UVData*/) { return false; }
  virtual bool MayChangeMinWidthAfter(TUVEditUVData* /*UVData*/) { return false; }
  // Reverses the change on the document (which records the opposite change).
  virtual void Perform(TUVEditUVData* UVData) = 0;
  // A record that reverses nothing (a typing record without characters).
  virtual bool IsEmpty() const { return false; }

  Byte Kind = 0;
  TUVUndoList* List = nullptr;  // the list whose action holds it
};

// A record about an item (and, when LastAffectedItemNo is set, the items up to that one).
class TUVUndoItemNoInfo : public TUVUndoInfo {
  CLASS_INFO(TUVUndoItemNoInfo, TUVUndoInfo)
public:
  void GetAffectedRange(Integer& First, Integer& Last) const override;
  // Before: the item's paragraph section was as wide as the document. After: its width changed
  // and is now wider than the document, or was as wide before.
  bool MayChangeMinWidthBefore(TUVEditUVData* UVData) override;
  bool MayChangeMinWidthAfter(TUVEditUVData* UVData) override;

  Integer ItemNo = -1;
  Integer LastAffectedItemNo = -1;
  // The section's minimal width before performing (-1 when not asked).
  Integer OldMinWidth = -1;
};

// A record of a range change that changes nothing: performing it only records it again, so that
// undo and redo lay the range out again (with Full, the outermost document).
class TUVUndoReformateRange : public TUVUndoItemNoInfo {
  CLASS_INFO(TUVUndoReformateRange, TUVUndoItemNoInfo)
public:
  bool RequiresFullReformat() const override { return FullReformat; }
  bool MayChangeMinWidthBefore(TUVEditUVData*) override { return false; }
  bool MayChangeMinWidthAfter(TUVEditUVData*) override { return false; }
  void Perform(TUVEditUVData* UVData) override;

  bool FullReformat = false;
};

// A record that holds one removed item and its text.
class TUVUndoItemInfo : public TUVUndoItemNoInfo {
  CLASS_INFO(TUVUndoItemInfo, TUVUndoItemNoInfo)
public:
  ~TUVUndoItemInfo() override;

  TCustomUVItemInfo* Item = nullptr;  // owned while here
  AnsiString ItemText;
};

// A removed item goes back.
class TUVUndoDeleteItemInfo : public TUVUndoItemInfo {
  CLASS_INFO(TUVUndoDeleteItemInfo, TUVUndoItemInfo)
public:
  Integer ItemsAdded() const override { return 1; }
  void Perform(TUVEditUVData* UVData) override;
};

// A record that holds a run of removed items with their texts.
class TUVUndoItemRangeInfo : public TUVUndoItemNoInfo {
  CLASS_INFO(TUVUndoItemRangeInfo, TUVUndoItemNoInfo)
public:
  ~TUVUndoItemRangeInfo() override;

  TStringList Items;  // texts, with the items (owned while here) as objects
  Integer Count = 0;  // how many items it saved (they stay counted once they went back)
};

// Removed items go back, in order, from ItemNo on.
class TUVUndoDeleteItemsInfo : public TUVUndoItemRangeInfo {
  CLASS_INFO(TUVUndoDeleteItemsInfo, TUVUndoItemRangeInfo)
public:
  void GetAffectedRange(Integer& First, Integer& Last) const override;
  Integer ItemsAdded() const override { return Count; }
  void Perform(TUVEditUVData* UVData) override;
};

// A record that holds a text.
class TUVUndoStringInfo : public TUVUndoItemNoInfo {
  CLASS_INFO(TUVUndoStringInfo, TUVUndoItemNoInfo)
public:
  AnsiString S;
};

// A record that holds a piece of an item's text and where it was.
class TUVUndoSubStringInfo : public TUVUndoStringInfo {
  CLASS_INFO(TUVUndoSubStringInfo, TUVUndoStringInfo)
public:
  Integer Offs = 1;
  bool Unicode = false;
};

// Removed characters go back into the item at Offs.
class TUVUndoDeleteSubstringInfo : public TUVUndoSubStringInfo {
  CLASS_INFO(TUVUndoDeleteSubstringInfo, TUVUndoSubStringInfo)
public:
  void Perform(TUVEditUVData* UVData) override;
};

// An inserted item goes.
class TUVUndoInsertItemInfo : public TUVUndoItemNoInfo {
  CLASS_INFO(TUVUndoInsertItemInfo, TUVUndoItemNoInfo)
public:
  Integer ItemsAdded() const override { return -1; }
  void Perform(TUVEditUVData* UVData) override;
};

// Count inserted items go, from ItemNo on.
class TUVUndoInsertItemsInfo : public TUVUndoItemNoInfo {
  CLASS_INFO(TUVUndoInsertItemsInfo, TUVUndoItemNoInfo)
public:
  void GetAffectedRange(Integer& First, Integer& Last) const override;
  Integer ItemsAdded() const override { return -Count; }
  void Perform(TUVEditUVData* UVData) override;

  Integer Count = 0;
};

// Length inserted characters at Offs go.
class TUVUndoInsertSubstringInfo : public TUVUndoItemNoInfo {
  CLASS_INFO(TUVUndoInsertSubstringInfo, TUVUndoItemNoInfo)
public:
  void Perform(TUVEditUVData* UVData) override;

  Integer Offs = 1;
  Integer Length = 0;
};

// The paragraph bits (continue, page break, line break) of an item and the paragraph style of its
// paragraph, restored. The style covers the item and the rest of its paragraph, up to
// LastAffectedItemNo.
class TUVUndoNewLineInfo : public TUVUndoItemNoInfo {
  CLASS_INFO(TUVUndoNewLineInfo, TUVUndoItemNoInfo)
public:
  void Perform(TUVEditUVData* UVData) override;

  Byte OldOptions = 0;  // the item's paragraph bits
  Integer OldParaNo = 0;
};

// The line-break bit (with the continue bit it replaced) restored.
class TUVUndoBRInfo : public TUVUndoItemNoInfo {
  CLASS_INFO(TUVUndoBRInfo, TUVUndoItemNoInfo)
public:
  void Perform(TUVEditUVData* UVData) override;

  Byte OldOptions = 0;
};

// One paragraph style restored on Count items from ItemNo.
class TUVUndoParaInfo : public TUVUndoItemNoInfo {
  CLASS_INFO(TUVUndoParaInfo, TUVUndoItemNoInfo)
public:
  void GetAffectedRange(Integer& First, Integer& Last) const override;
  void Perform(TUVEditUVData* UVData) override;

  Integer Count = 0;
  Integer ParaNo = 0;
};

// A record that holds a list of numbers.
class TUVUndoListInfo : public TUVUndoItemNoInfo {
  CLASS_INFO(TUVUndoListInfo, TUVUndoItemNoInfo)
public:
  TUVIntegerList List;
};

// Each item from ItemNo gets its own old paragraph style back.
class TUVUndoParaListInfo : public TUVUndoListInfo {
  CLASS_INFO(TUVUndoParaListInfo, TUVUndoListInfo)
public:
  void GetAffectedRange(Integer& First, Integer& Last) const override;
  void Perform(TUVEditUVData* UVData) override;
};

// The page-break bit restored.
class TUVUndoPageBreakInfo : public TUVUndoItemNoInfo {
  CLASS_INFO(TUVUndoPageBreakInfo, TUVUndoItemNoInfo)
public:
  void Perform(TUVEditUVData* UVData) override;

  Byte OldOptions = 0;
};

// Characters typed one by one at Offs: undoing takes back the last of them only.
class TUVUndoTypingInfo : public TUVUndoInsertSubstringInfo {
  CLASS_INFO(TUVUndoTypingInfo, TUVUndoInsertSubstringInfo)
public:
  void Perform(TUVEditUVData* UVData) override;
  bool IsEmpty() const override { return Length == 0; }

  bool Unicode = false;
};

// Characters taken back by undoing typing, the first taken back first: redoing types the last of
// them again, at Offs less their count plus one.
class TUVRedoTypingInfo : public TUVUndoSubStringInfo {
  CLASS_INFO(TUVRedoTypingInfo, TUVUndoSubStringInfo)
public:
  void Perform(TUVEditUVData* UVData) override;
  bool IsEmpty() const override { return S.empty(); }
  // The characters held.
  Integer CharCount() const { return Unicode ? static_cast<Integer>(S.size() / 2) : static_cast<Integer>(S.size()); }
};

// An item's old tag restored.
class TUVUndoTagInfo : public TUVUndoItemNoInfo {
  CLASS_INFO(TUVUndoTagInfo, TUVUndoItemNoInfo)
public:
  ~TUVUndoTagInfo() override;
  bool RequiresFormat() const override { return false; }
  void Perform(TUVEditUVData* UVData) override;

  TUVTag OldTag = 0;  // owned when TagsArePChars
  bool TagsArePChars = false;
};

// A text item's old style restored.
class TUVUndoStyleNoInfo : public TUVUndoItemNoInfo {
  CLASS_INFO(TUVUndoStyleNoInfo, TUVUndoItemNoInfo)
public:
  void Perform(TUVEditUVData* UVData) override;

  Integer OldStyleNo = 0;
};

// A checkpoint added to ItemNo (-1: at the document's end) goes again.
class TUVUndoAddCPInfo : public TUVUndoItemNoInfo {
  CLASS_INFO(TUVUndoAddCPInfo, TUVUndoItemNoInfo)
public:
  bool RequiresFormat() const override { return false; }
  void Perform(TUVEditUVData* UVData) override;
};

// A removed checkpoint comes back to ItemNo (-1: at the document's end).
class TUVUndoDeleteCPInfo : public TUVUndoItemNoInfo {
  CLASS_INFO(TUVUndoDeleteCPInfo, TUVUndoItemNoInfo)
public:
  ~TUVUndoDeleteCPInfo() override;
  bool RequiresFormat() const override { return false; }
  void Perform(TUVEditUVData* UVData) override;

  TUVCPInfo* Checkpoint = nullptr;  // owned while here
  bool TagsArePChars = false;
};

// Changes of properties of an item or of an object inside it (a table cell).
class TUVUndoModifyItemProps : public TUVUndoItemNoInfo {
  CLASS_INFO(TUVUndoModifyItemProps, TUVUndoItemNoInfo)
public:
  bool RequiresFormat() const override { return AffectSize; }
  bool MayChangeMinWidthBefore(TUVEditUVData* UVData) override;
  bool MayChangeMinWidthAfter(TUVEditUVData* UVData) override;

  bool AffectSize = true;   // the change may change the item's size
  bool AffectWidth = true;  // the change may change the item's minimal width
  TObject* SubObject = nullptr;  // the object whose property changed (the item itself, or a part of it)
};

// Opens or closes a group of property records of one item: the group is asked the minimal-width
// questions once, before its first record and after its last.
class TUVUndoModifyItemTerminator : public TUVUndoModifyItemProps {
  CLASS_INFO(TUVUndoModifyItemTerminator, TUVUndoModifyItemProps)
public:
  void Perform(TUVEditUVData* UVData) override;

  bool Opening = false;
};

// One integer property restored by its published name.
class TUVUndoModifyItemIntProperty : public TUVUndoModifyItemProps {
  CLASS_INFO(TUVUndoModifyItemIntProperty, TUVUndoModifyItemProps)
public:
  void Perform(TUVEditUVData* UVData) override;

  AnsiString PropertyName;
  Integer OldValue = 0;
};

// Several integer properties restored, as "name=value" lines.
class TUVUndoModifyItemIntProperties : public TUVUndoModifyItemProps {
  CLASS_INFO(TUVUndoModifyItemIntProperties, TUVUndoModifyItemProps)
public:
  void Perform(TUVEditUVData* UVData) override;

  TStringList PropList;
};

// An item's old text restored.
class TUVUndoChangeTextInfo : public TUVUndoStringInfo {
  CLASS_INFO(TUVUndoChangeTextInfo, TUVUndoStringInfo)
public:
  void Perform(TUVEditUVData* UVData) override;
};

// A record that holds actions of its own (the editing inside a table cell); what performing it
// does is its class's business.
class TUVCompositeUndo : public TUVUndoInfo {
  CLASS_INFO(TUVCompositeUndo, TUVUndoInfo)
public:
  TUVCompositeUndo();
  ~TUVCompositeUndo() override;
  bool IsEmpty() const override;

  TUVUndoList* UndoList;
};

// One user-level action: its records in the order they were made.
class TUVUndoInfos : public TUVList {
  CLASS_INFO(TUVUndoInfos, TUVList)
public:
  TUVUndoInfo* GetRecord(Integer Index) const { return static_cast<TUVUndoInfo*>(Get(Index)); }
  // No records, or only records that reverse nothing.
  bool IsEmptyAction() const;
  // Reverses the action on UVData: its records from last to first, then the touched paragraphs
  // laid out again (unless Reformat is false) and the caret put where the action began.
  void Perform(TUVEditUVData* UVData, bool Reformat);

  AnsiString Caption;
  Byte UndoType = uvutNone;
  Integer CaretItemNo = -1;
  Integer CaretOffs = -1;
};

// The actions of an undo or redo list, oldest first.
class TUVUndoList : public TUVList {
  CLASS_INFO(TUVUndoList, TUVList)
public:
  explicit TUVUndoList(TUVEditUVData* AOwner = nullptr) : Owner(AOwner) {}
  TUVUndoInfos* GetAction(Integer Index) const { return static_cast<TUVUndoInfos*>(Get(Index)); }
  TUVUndoInfos* LastAction() const { return GetCount() > 0 ? GetAction(GetCount() - 1) : nullptr; }

  // Opens an action (or keeps the current one while the group counter is raised); false when
  // recording is off (limit 0).
  bool AddUndoAction(Byte UndoType, const AnsiString& Caption, Integer CaretOffs, Integer CaretItemNo);
  // Appends a record to the last action. Raises EUzurUvadError "Can't modify empty undo list"
  // without an action, "Incorrect adding into undo list" when the last action is a typing action.
  void AppendRecord(TUVUndoInfo* Record);
  // Appends a whole action; its records come under this list.
  void AppendAction(TUVUndoInfos* Action);
  // A character typed at Offs of item ItemNo: joins the typing action it continues, or opens one.
  void AppendTyping(Integer ItemNo, Integer Offs, bool Unicode);
  // A character taken back from Offs of item ItemNo by undoing typing.
  void AppendRedoTyping(const AnsiString& Text, Integer ItemNo, Integer Offs);
  // Deletes the last action when it is empty and no group is open.
  void DropEmptyLast();
  Byte LastUndoType() const { return GetCount() > 0 ? LastAction()->UndoType : Byte(uvutNone); }
  // Performs the last action on UVData. Raise EUzurUvadError "Undo buffer is empty" when there
  // is none.
  void Undo(TUVEditUVData* UVData);
  void Redo(TUVEditUVData* UVData);

  Integer GetLimit() const { return FLimit; }
  // -1: unlimited; 0: recording off. A lower limit drops the oldest actions at once.
  void SetLimit(Integer Value);

  Integer FormatLock = 0;     // while above 0, performing an action lays nothing out
  TUVEditUVData* Owner;
  Integer GroupCounter = 0;   // while at least 1, records join the last action

private:
  // A composite record coming under this list: its inner lists, however deep, come under this
  // list's document.
  void TakeOver(TUVUndoInfo* Record);
  // Performs the last action through UVData's opposite list; Redo tells which way.
  void PerformLast(TUVEditUVData* UVData, bool Redo);
  Integer FLimit = -1;
};
