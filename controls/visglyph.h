// Glyphs of buttons: a bitmap holding one to five images side by side, one per button state,
// turned into per-state images that live in image lists shared by every glyph of the same size;
// and the standard button faces.
#pragma once

#include <vector>

#include "classlib/Bitmaps.h"
#include "classlib/Lists.h"
#include "controls/visbtnframe.h"
#include "controls/viscaption.h"
#include "controls/viscont.h"

class TVis3DCaption;
class TVisCustomImageList;
class TVisGlyphTextLayout;

// An image list of one picture size whose slots are handed out and given back; a slot given
// back is the first taken again (its picture is overwritten then).
class TVisGlyphList : public TVisImageListItem {
  CLASS_INFO(TVisGlyphList, TVisImageListItem)
public:
  TVisGlyphList(Integer AWidth, Integer AHeight);

  // The first free slot, with a blank picture added when it lies beyond the list's pictures.
  Integer AllocateSlot();
  // Puts Bitmap, masked by TransparentColor, into a free slot and returns the slot.
  Integer AddMasked(TBitmap* Bitmap, TColor TransparentColor);
  // Gives a slot in use back.
  void DeleteSlot(Integer Index);
  // Slots in use.
  Integer GetCount() const { return FCount; }

private:
  TBits FUsed;
  Integer FCount = 0;
};

// The glyph lists of the process, one per picture size.
class TVisGlyphCache : public TObject {
  CLASS_INFO(TVisGlyphCache, TObject)
public:
  TVisGlyphCache() = default;
  ~TVisGlyphCache() override;

  // The list for that size, made when there is none yet.
  TVisGlyphList* GetList(Integer Width, Integer Height);
  // Frees the list when none of its slots is in use.
  void ReleaseList(TVisGlyphList* List);
  bool IsEmpty() const { return FLists.empty(); }
  Integer GetListCount() const { return static_cast<Integer>(FLists.size()); }

private:
  std::vector<TVisGlyphList*> FLists;
};

// The cache while any glyph exists (made by the first, freed with the last when no list is left),
// else nil.
extern TVisGlyphCache* VisGlyphCache;

// A button's glyph: Glyph holds NumGlyphs images side by side (up, disabled, hot/clicked, down,
// held), and each button state (0 .. 8) gets its image in the shared glyph list on first use.
class TVisGlyph : public TObject {
  CLASS_INFO(TVisGlyph, TObject)
public:
  TVisGlyph();
  ~TVisGlyph() override;

  TBitmap* GetGlyph() const { return FGlyph; }
  // Takes a copy of Bitmap; a bitmap a whole number of heights wide gives NumGlyphs (up to 5;
  // 6 or more give 1).
  void SetGlyph(TBitmap* Bitmap);
  // Takes a copy of the picture (ListIndex, ImageIndex) of List, or becomes empty when the list
  // holds no such picture.
  void SetGlyphFromList(TVisCustomImageList* List, Integer ListIndex, Integer ImageIndex);
  Byte GetNumGlyphs() const { return FNumGlyphs; }
  // 0 and the value already held are ignored.
  void SetNumGlyphs(Byte Value);
  // 1: the up state shows the glyph dimmed (four tones) and the hot state the glyph itself;
  // the flat buttons without colour use it.
  Byte GetDisabledMode() const { return FDisabledMode; }
  void SetDisabledMode(Byte Value);
  TColor GetTransparentColor() const { return FTransparentColor; }

  // The list index of State's image, built on first use; -1 for an empty glyph or a state
  // without an image.
  Integer CreateButtonGlyph(Integer State);
  // Gives every built image back; the list goes back to the cache.
  void Invalidate();
  // The list the images are in, or nil before the first image.
  TVisGlyphList* GetList() const { return FList; }

  // Lays out and draws the image of State and Caption in ClientRect moved by Offset, by Layout
  // with the caption's 3D look (see CalcGlyphTextLayout for Flags and DrawFlags); without an
  // image the caption alone. GlyphRect and TextRect, when given, receive where they went.
  void Draw(TCanvas* Canvas, const TRect& ClientRect, TPoint Offset, const AnsiString& Caption,
            TVisGlyphTextLayout* Layout, Integer State, TVis3DCaption* Caption3D, bool WordWrap, UINT DrawFlags,
            Word Flags, TRect* GlyphRect = nullptr, TRect* TextRect = nullptr);

  TNotifyEvent OnChange;

private:
  void GlyphChanged(TObject* Sender);

  TBitmap* FGlyph;
  Integer FIndexes[9];
  TVisGlyphList* FList = nullptr;
  Byte FNumGlyphs = 1;
  Byte FDisabledMode = 0;
  TColor FTransparentColor = clNone;
};

// The eight standard button faces (13 x 14 pixels: play, pause, stop, record, rewind, fast
// forward, previous, next) of the program's bitmap resource 16546.
class TVisButtonFace : public TObject {
  CLASS_INFO(TVisButtonFace, TObject)
public:
  static constexpr Integer FaceResource = 16546;
  static constexpr Integer FaceWidth = 13;
  static constexpr Integer FaceHeight = 14;

  // Loads face Index (1 .. 8; the bits above 127 are ignored) into Bitmap; an index naming no
  // face leaves Bitmap empty.
  void LoadFace(TBitmap* Bitmap, Integer Index);
  // Pixels a button frame of that style takes on each side: 3 for ubsWin31, 2 for ubsWin40,
  // ubsDelphi, ubsDelphiFlat, ubsNavigator and ubsIntegrated, 1 for the others.
  static Integer ButtonFrameWidth(TVisUserButtonStyle Style);
};

namespace visglyph_detail {
struct UnitStart {
  UnitStart();
  ~UnitStart();
};
static const UnitStart unitStart;
}  // namespace visglyph_detail
