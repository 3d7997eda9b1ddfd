// The caret of the owner-drawn edits.
#include "controls/VisCaret.h"

#include "classlib/Controls.h"
#include "controls/visgraph.h"

TVisCaret::TVisCaret(TWinControl* AOwner)
    : FBitmap(new TBitmap),
      FSavedBlinkTime(static_cast<Word>(::GetCaretBlinkTime())),
      FBlinkRate(FSavedBlinkTime),
      FOwner(AOwner) {}

TVisCaret::~TVisCaret() {
  Destroy();
  RestoreBlinkTime();
  delete FCaretBitmap;
  delete FBitmap;
}

void TVisCaret::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TVisCaret*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  FBlinkRate = source->FBlinkRate;
  FWidth = source->FWidth;
  FHeight = source->FHeight;
  FStyle = source->FStyle;
}

void TVisCaret::SetValue(Integer Index, Word Value) {
  switch (Index) {
    case 0: FWidth = Value; break;
    case 1: FHeight = Value; break;
    case 2: FImageIndex = Value; break;
    case 3: FListIndex = Value; break;
    case 4: FTextHeight = Value; break;
    default: break;
  }
}

void TVisCaret::RestoreBlinkTime() {
  if (::GetCaretBlinkTime() != FSavedBlinkTime) ::SetCaretBlinkTime(FSavedBlinkTime);
}

void TVisCaret::CreateCaret() {
  if (!FOwner) return;
  HWND wnd = FOwner->GetHandle();
  HBITMAP picture = nullptr;
  int width = FWidth;
  int height = FHeight;
  switch (FStyle) {
    case csDefault:
      width = 1;
      height = FTextHeight;
      break;
    case csBlock:
    case csUnderBlock: break;
    case csUnder:
    case csOver: height = 1; break;
    case csBitmap:
      if (FCaretBmpMode == cbBmpSize) {
        picture = FBitmap->GetHandle();
      } else {
        // A picture of the caret's own size, the bitmap tiled or stretched over it.
        delete FCaretBitmap;
        FCaretBitmap = new TBitmap;
        FCaretBitmap->SetSize(FWidth, FHeight);
        TRect area = Rect(0, 0, FWidth, FHeight);
        DrawBitmapExt(FCaretBitmap->GetCanvas(), area, FBitmap, FCaretBmpMode == cbTile ? dbTile : dbStretch);
        picture = FCaretBitmap->GetHandle();
      }
      break;
  }
  ::CreateCaret(wnd, picture, width, height);
  FCreated = true;
  ::SetCaretBlinkTime(FBlinkRate);
}

void TVisCaret::Show() {
  if (!FOwner || FOwner->GetComponentState().Contains(csDesigning) || !FEnabled) return;
  FVisible = true;
  if (!FCreated) CreateCaret();
  ::SetCaretBlinkTime(FBlinkRate);
  ::ShowCaret(FOwner->GetHandle());
}

void TVisCaret::Hide() {
  FVisible = false;
  if (FOwner && FOwner->HandleAllocated()) ::HideCaret(FOwner->GetHandle());
  RestoreBlinkTime();
}

void TVisCaret::Destroy() {
  if (!FOwner || !FOwner->HandleAllocated()) return;
  RestoreBlinkTime();
  if (FCreated) ::DestroyCaret();
  FCreated = false;
  FVisible = false;
}
