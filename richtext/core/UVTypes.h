// The enumerations and option sets that the rich-text document, its items, its styles and its
// owner (a viewer, an editor, a printable copy or the windowless root) share.
#pragma once

#include <cstdint>

#include "classlib/Sets.h"
#include "classlib/System.h"
#include "classlib/TypInfo.h"

// The tag of an item or checkpoint: a plain integer, or, when the document's options hold
// uvoTagsArePChars, an owned zero-terminated string (a pointer made by UVDuplicateTag).
using TUVTag = std::intptr_t;

// Option bits of an item (ItemOptions).
enum : Byte {
  uvioSameAsPrev = 1,       // the item continues the paragraph of the item before it
  uvioPageBreakBefore = 2,  // a page break comes before the item
  uvioBR = 4,               // the item starts a new line inside its paragraph
  uvioUnicode = 8,          // the item's text is UTF-16
};

// Reading direction of a text style, a paragraph style or a document.
enum TUVBiDiMode { uvbdUnspecified, uvbdLeftToRight, uvbdRightToLeft };
ENUM_NAMES(TUVBiDiMode, "uvbdUnspecified", "uvbdLeftToRight", "uvbdRightToLeft");

// The owner's options (a viewer starts with uvoDefaultOptions).
enum TUVOption {
  uvoAllowSelection,
  uvoSingleClick,
  uvoScrollToEnd,
  uvoClientTextWidth,
  uvoShowCheckpoints,
  uvoShowPageBreaks,
  uvoTagsArePChars,
  uvoAutoCopyText,
  uvoAutoCopyUnicodeText,
  uvoAutoCopyUVF,
  uvoAutoCopyImage,
  uvoAutoCopyRTF,
  uvoFormatInvalidate,
  uvoDblClickSelectsWord,
  uvoRClickDeselects
};
using TUVOptions = TSet<TUVOption>;
ENUM_NAMES(TUVOption, "uvoAllowSelection", "uvoSingleClick", "uvoScrollToEnd", "uvoClientTextWidth",
           "uvoShowCheckpoints", "uvoShowPageBreaks", "uvoTagsArePChars", "uvoAutoCopyText", "uvoAutoCopyUnicodeText",
           "uvoAutoCopyUVF", "uvoAutoCopyImage", "uvoAutoCopyRTF", "uvoFormatInvalidate", "uvoDblClickSelectsWord",
           "uvoRClickDeselects");
inline constexpr TUVOptions uvoDefaultOptions = TUVOptions::FromBits(0x7EA5);

// Options of the native document format.
enum TUVFOption {
  uvfoSavePicturesBody,
  uvfoSaveControlsBody,
  uvfoIgnoreUnknownPicFmt,
  uvfoIgnoreUnknownCtrls,
  uvfoConvUnknownStylesToZero,
  uvfoConvLargeImageIdxToZero,
  uvfoSaveBinary,
  uvfoUseStyleNames,
  uvfoSaveBack,
  uvfoLoadBack,
  uvfoSaveTextStyles,
  uvfoSaveParaStyles,
  uvfoSaveLayout,
  uvfoLoadLayout
};
using TUVFOptions = TSet<TUVFOption>;
ENUM_NAMES(TUVFOption, "uvfoSavePicturesBody", "uvfoSaveControlsBody", "uvfoIgnoreUnknownPicFmt",
           "uvfoIgnoreUnknownCtrls", "uvfoConvUnknownStylesToZero", "uvfoConvLargeImageIdxToZero", "uvfoSaveBinary",
           "uvfoUseStyleNames", "uvfoSaveBack", "uvfoLoadBack", "uvfoSaveTextStyles", "uvfoSaveParaStyles",
           "uvfoSaveLayout", "uvfoLoadLayout");
inline constexpr TUVFOptions uvfoDefaultOptions = TUVFOptions::FromBits(67);

// Warnings gathered while reading the native format.
enum : Cardinal {
  uvfwLargeImageIndexConverted = 8,  // an image index beyond its image list became 0 or failed
};

// Options of the RTF writer.
enum TUVRTFOption {
  uvrtfSaveStyleSheet,
  uvrtfDuplicateUnicode,
  uvrtfSaveEMFAsWMF,
  uvrtfSaveJpegAsJpeg,
  uvrtfSaveBitmapDefault,
  uvrtfSaveEMFDefault
};
using TUVRTFOptions = TSet<TUVRTFOption>;
ENUM_NAMES(TUVRTFOption, "uvrtfSaveStyleSheet", "uvrtfDuplicateUnicode", "uvrtfSaveEMFAsWMF", "uvrtfSaveJpegAsJpeg",
           "uvrtfSaveBitmapDefault", "uvrtfSaveEMFDefault");
inline constexpr TUVRTFOptions uvrtfDefaultOptions = TUVRTFOptions::FromBits(14);

// How styles stored in a document being read are brought into the style sheet.
enum TUVFReaderStyleMode { uvf_sIgnore, uvf_sInsertMap, uvf_sInsertMerge };
ENUM_NAMES(TUVFReaderStyleMode, "uvf_sIgnore", "uvf_sInsertMap", "uvf_sInsertMerge");

// What pictures do about the owner's palette.
enum TUVPaletteAction { uvpaDoNothing, uvpaAssignPallette, uvpaCreateCopies, uvpaCreateCopiesEx };
ENUM_NAMES(TUVPaletteAction, "uvpaDoNothing", "uvpaAssignPallette", "uvpaCreateCopies", "uvpaCreateCopiesEx");

// When the viewer reports checkpoints scrolling into view.
enum TCPEventKind { cpeNone, cpeAsSectionStart, cpeWhenVisible };
ENUM_NAMES(TCPEventKind, "cpeNone", "cpeAsSectionStart", "cpeWhenVisible");

// Which keys move the focus among hyperlinks and controls.
enum TUVTabNavigationType { uvtnNone, uvtnTab, uvtnCtrlTab };
ENUM_NAMES(TUVTabNavigationType, "uvtnNone", "uvtnTab", "uvtnCtrlTab");

// The owner's document flags, a 16-bit set (a viewer starts with uvflDefaultFlags).
using TUVFlags = Word;
enum : TUVFlags {
  uvflBuildJumps = 0x0001,       // formatting builds the list of hyperlink areas
  uvflDropWrapSpace = 0x0002,    // the space at which a line wraps belongs to neither line
  uvflSharedContents = 0x0004,   // a copy that shares its items: inserted controls are not moved
  uvflExternalLeading = 0x0008,  // text lines include the font's external leading
  uvflMouseUnclamped = 0x0010,   // a drag selection is not held inside the client area horizontally
  uvflOwnDrawRecords = 0x0020,   // full-line items make their own draw records (printing)
  uvflPrinting = 0x0040,         // items are measured for printing
  uvflRootEditor = 0x0080,       // the root document belongs to an editor
  uvflOwnMarkers = 0x0100,       // the document keeps its own list-marker list
};
inline constexpr TUVFlags uvflDefaultFlags = 0x010B;

// The state passed with every drawing call of a text piece or item.
enum TUVTextDrawState {
  uvtsSelected,       // 1: the piece or item is selected
  uvtsHover,          // 2: text: hyperlink under the mouse; item: the document's active item
  uvtsItemStart,      // 4: text: the piece starts its item; item: the hyperlink under the mouse
  uvtsItemEnd,        // 8
  uvtsDrawItemStart,  // 16
  uvtsDrawItemEnd,    // 32
  uvtsControlFocused  // 64: the control has the keyboard focus
};
using TUVTextDrawStates = TSet<TUVTextDrawState>;

// Item actions reported to the owner's item-action event.
enum TUVItemAction { uviaInserting, uviaInserted, uviaTextModifying, uviaDestroying, uviaMovingToUndoList };

// Control actions reported to the owner's control-action event.
enum TUVControlAction { uvcaAfterUVFLoad, uvcaDestroy, uvcaMoveToUndoList, uvcaMoveFromUndoList, uvcaBeforeUVFSave,
                        uvcaAfterUVFSave };
