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
