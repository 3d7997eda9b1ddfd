// Control items: a live control placed in a document, shown by the viewer at its draw record,
// printed through a picture of it, and kept in the native format as a streamed component.
#include <algorithm>

#include "classlib/SysUtils.h"
#include "richtext/core/CUVFData.h"
#include "richtext/core/UVItem.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/UVUni.h"

TUVControlItemInfo::TUVControlItemInfo(TCustomUVData* UVData) : TUVRectItemInfo(UVData) { StyleNo = uvsComponent; }

TUVControlItemInfo::TUVControlItemInfo(TCustomUVData* UVData, TControl* AControl, Byte AVAlign)
    : TUVRectItemInfo(UVData), Control(AControl) {
  StyleNo = uvsComponent;
  VAlign = AVAlign;
}

TUVControlItemInfo::~TUVControlItemInfo() { delete Control; }

void TUVControlItemInfo::Assign(TPersistent* Source) {
  if (auto* c = dynamic_cast<TUVControlItemInfo*>(Source)) PercentWidth = c->PercentWidth;
  TUVRectItemInfo::Assign(Source);
}

bool TUVControlItemInfo::QueryFlag(Integer Code) {
  switch (Code) {
    case uvbpValid:
      return Control != nullptr;
    case uvbpDisplayActiveState:
    case uvbpImmediateControlOwner:
      return true;
    default:
      return TUVRectItemInfo::QueryFlag(Code);
  }
}

bool TUVControlItemInfo::QueryStyledFlag(Integer Code, TUVStyle* Style) {
  if (Code == uvbspAllowsFocus) {
    auto* windowed = dynamic_cast<TWinControl*>(Control);
    return windowed && windowed->CanFocus();
  }
  return TUVRectItemInfo::QueryStyledFlag(Code, Style);
}

Integer TUVControlItemInfo::GetMinWidth(const TUVScreenAndDevice* Sad, TCanvas*, TCustomUVData*) {
  Integer w = PercentWidth >= 1 && PercentWidth <= 100 ? 20 : GetBorderWidth();
  return Sad ? Sad->XToDevice(w) : w;
}

bool TUVControlItemInfo::OnDocWidthChange(Integer DocWidth, TUVDrawLineInfo*, bool, TCanvas*, TCustomUVData*,
                                          const TUVScreenAndDevice*, Integer& HShift, bool) {
  HShift = 0;
  if (!Control || PercentWidth < 1 || PercentWidth > 100) return false;
  Integer width = DocWidth * PercentWidth / 100 - 2;
  if (width == Control->GetWidth()) return false;
  Control->SetWidth(width);
  return true;
}

void TUVControlItemInfo::Inserting(TCustomUVData* UVData, AnsiString& Text, bool Safe) {
  if (Control) {
    Control->SetVisible(false);
    Control->SetParent(Safe || !UVData ? nullptr : UVData->GetParentControl());
  }
  TUVRectItemInfo::Inserting(UVData, Text, Safe);
}

void TUVControlItemInfo::SetPosition(Integer X, Integer Y, TCustomUVFormattedData*) {
  if (!Control) return;
  // The true top stays in Tag; the window system is given at most 10000 pixels either way, and
  // scrolling moves the control from Tag (TUVScroller::ScrollChildren).
  Control->Tag = Y + 1;
  Control->SetBounds(X + 1, std::clamp(Y + 1, -10000, 10000), Control->GetWidth(), Control->GetHeight());
  Control->Show();
}

void TUVControlItemInfo::Paint(Integer X, Integer Y, TCanvas* Canvas, TUVTextDrawStates State, TUVStyle* Style,
                               TUVDrawLineInfo*) {
  // The control draws itself; the item only marks it.
  PaintFrames(X, Y, GetBorderWidth(), GetBorderHeight(), Canvas, State, Style);
}

bool TUVControlItemInfo::PrintToBitmap(TBitmap* Bitmap, bool, TCustomUVData* UVData, TUVDrawLineInfo* DrawItem,
                                       Integer Part) {
  if (!Control) return false;
  TBitmap* picture = UVData ? UVData->GetControlPrintImage(Control) : nullptr;
  if (!picture && UVGetControlImage) picture = UVGetControlImage(Control);
  if (!picture) return false;
  if (MinHeightOnPage <= 0) {
    Integer w = std::max(Bitmap->GetWidth(), picture->GetWidth());
    Integer h = std::max(Bitmap->GetHeight(), picture->GetHeight());
    if (w != Bitmap->GetWidth() || h != Bitmap->GetHeight()) Bitmap->SetSize(w, h);
    Bitmap->GetCanvas()->Draw((w - picture->GetWidth()) / 2, (h - picture->GetHeight()) / 2, picture);
  } else {
    Integer top = 0;
    auto* multi = dynamic_cast<TUVMultiImagePrintInfo*>(DrawItem);
    if (multi && Part >= 0 && Part < multi->GetPartCount()) top = multi->GetImagePart(Part)->ImgTop;
    Bitmap->GetCanvas()->Draw(0, -top, picture);
  }
  delete picture;
  return true;
}

TUVDrawLineInfo* TUVControlItemInfo::CreateDrawRecord(bool Printing, TCustomUVData* UVData,
                                                      const TUVScreenAndDevice* Sad) {
  if (Printing && Sad && MinHeightOnPage > 0 && Control) {
    auto* record = new TUVMultiImagePrintInfo(this, *Sad, Control->GetHeight());
    record->Width = Sad->XToDevice(GetBorderWidth());
    record->Height = Sad->YToDevice(GetBorderHeight());
    return record;
  }
  return TUVRectItemInfo::CreateDrawRecord(Printing, UVData, Sad);
}

Integer TUVControlItemInfo::GetExtraPropertyCount() {
  return TUVRectItemInfo::GetExtraPropertyCount() + (MinHeightOnPage > 0 ? 1 : 0);
}

void TUVControlItemInfo::SaveUVFExtraProperties(TStream* Stream) {
  TUVRectItemInfo::SaveUVFExtraProperties(Stream);
  if (MinHeightOnPage > 0) UVFWriteLine(Stream, Format("minheightonpage=%d", MinHeightOnPage));
}

bool TUVControlItemInfo::SetExtraIntProperty(TUVExtraItemProperty Prop, Integer Value) {
  if (Prop == uvepMinHeightOnPage) {
    MinHeightOnPage = Value;
    return true;
  }
  return TUVRectItemInfo::SetExtraIntProperty(Prop, Value);
}

bool TUVControlItemInfo::GetExtraIntProperty(TUVExtraItemProperty Prop, Integer& Value) {
  if (Prop == uvepMinHeightOnPage) {
    Value = MinHeightOnPage;
    return true;
  }
  return TUVRectItemInfo::GetExtraIntProperty(Prop, Value);
}

bool TUVControlItemInfo::ReadUVFLine(const AnsiString& S, TCustomUVData* UVData, Integer ReadType, Integer LineNo,
                                     Integer LineCount, AnsiString& Name, TUVFReadMode& ReadMode, TUVFReadState&) {
  auto unknown = [&]() {
    if (UVData) UVData->SetUVFWarnings(UVData->GetUVFWarnings() | uvfwUnknownCtrls);
    return UVData && UVData->GetUVFOptions().Contains(uvfoIgnoreUnknownCtrls);
  };
  if (LineNo == 0) {
    Name = S;
    if (ReadType == uvf_dfNoBody) {
      delete Control;
      Control = UVData ? UVData->UVFControlNeeded(Name, Tag) : nullptr;
    }
  } else if (ReadType == uvf_dfNoBody) {
    ReadUVFExtraProperty(this, S);
  } else if (LineNo == 1) {
    delete Control;
    Control = nullptr;
    TClass cls = GetClass(S);
    if (cls && cls->InheritsFrom(TControl::StaticClass())) Control = static_cast<TControl*>(cls->Create(nullptr));
    if (Control) {
      Control->SetVisible(false);
      Control->SetParent(UVData ? UVData->GetParentControl() : nullptr);
    } else if (!unknown()) {
      return false;
    }
  } else if (LineNo == LineCount - 1) {
    if (!Control) return true;
    TComponent* component = Control;
    TWinControl* parent = UVData ? UVData->GetParentControl() : nullptr;
    bool ok = ReadType == uvf_dfBinary ? UVFLoadControlBinary(S, component, AnsiString(), parent)
                                       : UVFLoadControl(S, component, AnsiString(), parent);
    if (!ok) {
      FreeAndNil(Control);
      if (!unknown()) return false;
    }
  } else {
    ReadUVFExtraProperty(this, S);
  }
  if (ReadType == uvf_dfBinary && LineNo + 2 == LineCount - 1) ReadMode = uvf_rmBinaryFollows;
  return true;
}

void TUVControlItemInfo::SaveUVF(TStream* Stream, TCustomUVData* UVData, Integer ItemNo, const AnsiString& Name,
                                 bool ForceSameAsPrev) {
  TUVFOptions options = UVData->GetUVFOptions();
  bool body = options.Contains(uvfoSaveControlsBody) && Control;
  bool binary = options.Contains(uvfoSaveBinary);
  SaveUVFHeader(Stream, UVData, GetExtraPropertyCount() + (body ? 3 : 1),
                body ? (binary ? uvf_dfBinary : uvf_dfText) : uvf_dfNoBody, ForceSameAsPrev);
  UVFWriteLine(Stream, Name);
  if (body) UVFWriteLine(Stream, Control->ClassName());
  SaveUVFExtraProperties(Stream);
  if (!body) return;
  TControl* control = Control;
  UVData->ControlAction(uvcaBeforeUVFSave, ItemNo, control);
  if (binary)
    UVFSaveControlBinary(Stream, Control);
  else
    UVFWriteLine(Stream, UVFSaveControl(Control));
  UVData->ControlAction(uvcaAfterUVFSave, ItemNo, control);
}

void TUVControlItemInfo::SaveHTML(TStream* Stream, TCustomUVData* UVData, Integer, const AnsiString&,
                                  const AnsiString& Path, const AnsiString&, Integer&, TColor, Integer, bool,
                                  TUVHTMLImageCache*) {
  if (Control) UVFWrite(Stream, UVData->SaveComponentToFile(Path, Control, 1));
}

AnsiString TUVControlItemInfo::AsText(Integer, TCustomUVData* UVData, const AnsiString&, const AnsiString& Path,
                                      bool, bool Unicode) {
  if (!Control) return AnsiString();
  AnsiString text = UVData->SaveComponentToFile(Path, Control, 0);
  return Unicode ? AnsiToUnicodeCP(0, text) : text;
}

void TUVControlItemInfo::NotifyRemoving(TCustomUVData* UVData, Integer ItemNo) {
  if (Control) {
    Control->SetParent(nullptr);
    if (UVData) {
      TControl* control = Control;
      UVData->ControlAction(uvcaMoveToUndoList, ItemNo, control);
    }
  }
  TUVRectItemInfo::NotifyRemoving(UVData, ItemNo);
}

void TUVControlItemInfo::AfterUndoRestore(TCustomUVData* UVData, Integer ItemNo) {
  TUVRectItemInfo::AfterUndoRestore(UVData, ItemNo);
  if (!Control || !UVData) return;
  TControl* control = Control;
  UVData->ControlAction(uvcaMoveFromUndoList, ItemNo, control);
  Control->SetParent(UVData->GetParentControl());
}

bool TUVControlItemInfo::SetFocusToControl() {
  auto* windowed = dynamic_cast<TWinControl*>(Control);
  return windowed && windowed->CanFocus();
}
