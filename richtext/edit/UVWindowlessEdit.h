// An editor's document without an editor control: it answers what the control would decide from
// its own fields and counts what it would have told the control. It lets documents be edited,
// undone and redone without a window (tests, and editing documents that are never shown).
#pragma once

#include <functional>

#include "richtext/core/UVWindowless.h"
#include "richtext/edit/UVEUVData.h"

class TUVWindowlessEditData : public TUVWindowlessOwner<TUVEditUVData> {
  CLASS_INFO(TUVWindowlessEditData, TUVWindowlessOwner<TUVEditUVData>)
public:
  explicit TUVWindowlessEditData(TUVStyle* AStyle = nullptr) : TUVWindowlessOwner(AStyle, nullptr) {
    // An editor's hyperlinks are inactive while it is edited.
    Flags = static_cast<TUVFlags>((uvflDefaultFlags & ~uvflBuildJumps) | uvflRootEditor);
  }
  ~TUVWindowlessEditData() override {
    // The items, the saved ones too, go while this class answers for the missing viewer.
    Clear();
  }

  bool IsReadOnly() override { return ReadOnly; }
  TUVEditorOptions GetEditorOptions() override { return EditorOptions; }
  void DoCaretMove() override { ++CaretMoves; }
  void SetCurrentTextStyle(Integer StyleNo) override {
    if (StyleNo != CurTextStyleNo || (State & uvstForceStyleNotify)) ++TextStyleChanges;
    CurTextStyleNo = StyleNo;
  }
  void SetCurrentParaStyle(Integer ParaNo) override {
    if (ParaNo != CurParaStyleNo || (State & uvstForceStyleNotify)) ++ParaStyleChanges;
    CurParaStyleNo = ParaNo;
  }
  void DoStyleConversion(Integer StyleNo, Integer UserData, bool AppliedToText, Integer& NewStyleNo) override {
    if (OnStyleConversion) OnStyleConversion(StyleNo, UserData, AppliedToText, NewStyleNo);
  }
  void DoParaStyleConversion(Integer StyleNo, Integer UserData, bool AppliedToText, Integer& NewStyleNo) override {
    if (OnParaStyleConversion) OnParaStyleConversion(StyleNo, UserData, AppliedToText, NewStyleNo);
  }
  void Change(bool ClearRedo) override {
    TUVEditUVData::Change(ClearRedo);
    Modified = true;
    ++Changes;
  }
  void ClearModified() override { Modified = false; }
  void Beep() override { ++Beeps; }
  TWinControl* GetParentControl() override { return ParentControl; }
  TUVRTFReaderProperties* GetRTFReadProperties() override { return RTFReadProperties; }
  bool IsControlFocused() override { return TUVControlData::IsControlFocused(); }
  void SetControlFocus() override { TUVControlData::SetControlFocus(); }
  TWinControl* GetInplaceEditor() override { return nullptr; }
  void CloseInplaceEditor() override {}
  // There are no scroll bars to tell the document's size to.
  void SetDocumentAreaSize(Integer Width, Integer Height, bool /*UpdateH*/) override {
    DocumentAreaWidth = Width;
    DocumentAreaHeight = Height;
  }

  // Without a viewer the rest of the viewer's questions get a document's own answers, and its
  // events go nowhere.
  HPALETTE GetUVPalette() override { return TUVControlData::GetUVPalette(); }
  LOGPALETTE* GetUVLogPalette() override { return TUVControlData::GetUVLogPalette(); }
  TColor GetColor() override { return Color != clNone ? Color : TUVControlData::GetColor(); }
  TCursor GetCursor() override { return TUVControlData::GetCursor(); }
  void SetCursor(TCursor Cursor) override { TUVControlData::SetCursor(Cursor); }
  TCustomUVFormattedData* GetChosenData() override { return TUVControlData::GetChosenData(); }
  TCustomUVItemInfo* GetChosenItem() override { return TUVControlData::GetChosenItem(); }
  bool CanMoveChildren() override { return false; }
  bool IsDestroying() override { return false; }
  void AdjustVScrollUnits() override {}
  void DoSelect() override {}
  void DoJump(Integer) override {}
  void DoUVMouseMove(Integer) override {}
  void DoUVMouseDown(TMouseButton, TShiftState, Integer, Integer, Integer) override {}
  void DoUVMouseUp(TMouseButton, TShiftState, Integer, Integer, Integer) override {}
  void DoUVDblClick(const AnsiString&, Integer) override {}
  void DoUVRightClick(const AnsiString&, Integer, Integer, Integer) override {}
  void DoCopy() override {}
  bool IsAssignedOnJump() override { return false; }
  bool IsAssignedOnUVMouseDown() override { return false; }
  bool IsAssignedOnUVMouseUp() override { return false; }
  bool IsAssignedOnUVDblClick() override { return false; }
  bool IsAssignedOnUVRightClick() override { return false; }
  bool IsAssignedOnCopy() override { return false; }
  bool IsAssignedOnCheckpointVisible() override { return false; }
  AnsiString GetURL(Integer Id) override { return TUVControlData::GetURL(Id); }
  AnsiString GetRTFExtra(Integer Area, TPersistent* Obj, Integer Index1, Integer Index2, bool InStyleSheet) override {
    return TUVControlData::GetRTFExtra(Area, Obj, Index1, Index2, InStyleSheet);
  }
  AnsiString GetHTMLExtra(Integer Area, bool CSSVersion) override {
    return TUVControlData::GetHTMLExtra(Area, CSSVersion);
  }
  void ReadHyperlink(const AnsiString& Target, const AnsiString& Extras, Integer DocFormat, Integer& StyleNo,
                     TUVTag& ItemTag, AnsiString& ItemName) override {
    TUVControlData::ReadHyperlink(Target, Extras, DocFormat, StyleNo, ItemTag, ItemName);
  }
  TGraphic* UVFPictureNeeded(const AnsiString& ItemName, TUVTag ItemTag) override {
    return TUVControlData::UVFPictureNeeded(ItemName, ItemTag);
  }
  TControl* UVFControlNeeded(const AnsiString& ItemName, TUVTag ItemTag) override {
    return TUVControlData::UVFControlNeeded(ItemName, ItemTag);
  }
  TCustomImageList* UVFImageListNeeded(Integer ImageListTag) override {
    return TUVControlData::UVFImageListNeeded(ImageListTag);
  }
  AnsiString SaveComponentToFile(const AnsiString& Path, TControl* Control, Integer SaveFormat) override {
    return TUVControlData::SaveComponentToFile(Path, Control, SaveFormat);
  }
  void HTMLSaveImage(TCustomUVData* UVData, Integer ItemNo, const AnsiString& Path, TColor BackColor,
                     AnsiString& Location, bool& DoDefault) override {
    TUVControlData::HTMLSaveImage(UVData, ItemNo, Path, BackColor, Location, DoDefault);
  }
  void ControlAction(TUVControlAction Action, Integer ItemNo, TControl*& Control) override {
    TUVControlData::ControlAction(Action, ItemNo, Control);
  }
  void ItemAction(TUVItemAction Action, TCustomUVItemInfo* Item, AnsiString& Text) override {
    TUVControlData::ItemAction(Action, Item, Text);
  }

  // What the control would decide.
  bool ReadOnly = false;
  TUVEditorOptions EditorOptions{uvoClearTagOnStyleApp};
  using TConversion = std::function<void(Integer StyleNo, Integer UserData, bool AppliedToText, Integer& NewStyleNo)>;
  TConversion OnStyleConversion;
  TConversion OnParaStyleConversion;
  // A window standing in for the control (the system caret is made in it while it has the focus).
  TWinControl* ParentControl = nullptr;
  TUVRTFReaderProperties* RTFReadProperties = nullptr;

  // What the document told its control.
  Integer CaretMoves = 0;
  Integer TextStyleChanges = 0;
  Integer ParaStyleChanges = 0;
  Integer Changes = 0;
  Integer Beeps = 0;
  bool Modified = false;
};
