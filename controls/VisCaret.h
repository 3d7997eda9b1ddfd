// The caret of the component set's owner-drawn edits: its shape (a line, a block, an underline
// or overline, or a picture), its size and its blink rate. It makes, shows, hides and destroys
// the system caret in its owner's window, and gives the system its blink time back whenever it
// hides or destroys the caret, since the blink time is shared by every program.
#pragma once

#include "classlib/Bitmaps.h"
#include "controls/VisObject.h"

class TWinControl;
class TVisCustomImageList;

enum TVisCaretStyles { csDefault, csBlock, csUnder, csOver, csBitmap, csUnderBlock };
ENUM_NAMES(TVisCaretStyles, "csDefault", "csBlock", "csUnder", "csOver", "csBitmap", "csUnderBlock");

// How a csBitmap caret uses its picture: at the picture's size, tiled or stretched to Width x Height.
enum TVisCaretBitmap { cbBmpSize, cbTile, cbStretch };
ENUM_NAMES(TVisCaretBitmap, "cbBmpSize", "cbTile", "cbStretch");

class TVisCaret : public TVisObject {
  CLASS_INFO(TVisCaret, TVisObject)
public:
  // The blink rate starts as the system's blink time, which is also kept to be given back.
  explicit TVisCaret(TWinControl* AOwner = nullptr);
  // Destroys the caret, gives the blink time back and frees the pictures.
  ~TVisCaret() override;
  // From another caret: BlinkRate, Width, Height and Style.
  void Assign(TPersistent* Source) override;

  // Makes the system caret in the owner's window in the shape of Style and sets the system's
  // blink time to BlinkRate.
  void CreateCaret();
  // Not while the owner is designed, and only when enabled: made first if need be, then shown.
  void Show();
  // Hides the caret and gives the blink time back.
  void Hide();
  // When the owner has a window: gives the blink time back and destroys the system caret.
  void Destroy();

  TBitmap* GetBitmap() const { return FBitmap; }
  void SetBitmap(TBitmap* Value) { FBitmap->Assign(Value); }
  TVisCustomImageList* GetImageList() const { return FImageList; }
  void SetImageList(TVisCustomImageList* Value) { FImageList = Value; }
  // The shared setter of the sizes and indexes: 0 Width, 1 Height, 2 ImageIndex, 3 ListIndex,
  // 4 the text height of the owner's font.
  void SetValue(Integer Index, Word Value);
  Word GetWidth() const { return FWidth; }
  void SetWidth(Word Value) { SetValue(0, Value); }
  Word GetHeight() const { return FHeight; }
  void SetHeight(Word Value) { SetValue(1, Value); }
  Word GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(Word Value) { SetValue(2, Value); }
  Word GetListIndex() const { return FListIndex; }
  void SetListIndex(Word Value) { SetValue(3, Value); }
  Word GetTextHeight() const { return FTextHeight; }
  void SetTextHeight(Word Value) { SetValue(4, Value); }
  Word GetBlinkRate() const { return FBlinkRate; }
  void SetBlinkRate(Word Value) { FBlinkRate = Value; }
  TVisCaretStyles GetStyle() const { return FStyle; }
  void SetStyle(TVisCaretStyles Value) { FStyle = Value; }
  TVisCaretBitmap GetCaretBmpMode() const { return FCaretBmpMode; }
  void SetCaretBmpMode(TVisCaretBitmap Value) { FCaretBmpMode = Value; }

  TWinControl* GetOwnerControl() const { return FOwner; }
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool Value) { FEnabled = Value; }
  bool GetCreated() const { return FCreated; }
  bool GetVisible() const { return FVisible; }
  // The blink time given back on hiding and destroying.
  Word GetSavedBlinkTime() const { return FSavedBlinkTime; }

private:
  void RestoreBlinkTime();

  TBitmap* FBitmap;
  TBitmap* FCaretBitmap = nullptr;
  TVisCustomImageList* FImageList = nullptr;
  Word FTextHeight = 0;
  Word FSavedBlinkTime;
  Word FWidth = 2;
  Word FHeight = 10;
  Word FImageIndex = 0;
  Word FListIndex = 0;
  Word FBlinkRate;
  TVisCaretStyles FStyle = csDefault;
  TWinControl* FOwner;
  bool FEnabled = true;
  bool FCreated = false;
  bool FVisible = false;
  TVisCaretBitmap FCaretBmpMode = cbBmpSize;
};
