// Item text as 8-bit text or as UTF-16: every routine takes the item's option byte and treats
// the text as UTF-16LE code units stored two bytes each when its Unicode bit (8) is set.
// Measuring on a device context, line-break positions, caret positions of bidirectional text,
// conversions between code pages and UTF-16, charset tables and HTML escaping of UTF-16 text.
#pragma once

#include <vector>

#include "classlib/Graphics.h"
#include "classlib/Streams.h"
#include "classlib/System.h"
#include "richtext/core/UVTypes.h"

class TFontInfo;

// True on the Windows NT family (set once at start-up), which offers the wide-character paths.
extern bool UVIsNTPlatform;

// --- Text helpers (characters are bytes for 8-bit text and code units for UTF-16) --------------
Integer UVUniLength(const AnsiString& Text, Byte Options);
// Count characters from the 1-based character Index.
AnsiString UVUniCopy(const AnsiString& Text, Integer Index, Integer Count, Byte Options);
void UVUniDelete(AnsiString& Text, Integer Index, Integer Count, Byte Options);
// Inserts SubText before the 1-based character Index.
void UVUniInsert(AnsiString& Text, const AnsiString& SubText, Integer Index, Byte Options);
// Whether the 1-based character Index of Text is a space.
bool UVUniIsSpaceAt(const AnsiString& Text, Integer Index, Byte Options);
// The text upper-cased when the style asks for capitals, else unchanged.
AnsiString UVUniApplyAllCaps(const AnsiString& Text, const TFontInfo* Style, Byte Options);
// The raw UTF-16LE bytes of a wide string, and back.
AnsiString UVUniWideStringToRaw(const WideString& Text);
WideString UVUniRawToWide(const AnsiString& Raw);
// Whether a boundary before unit Index (0-based) of Count UTF-16 units would split a surrogate
// pair (the system's character stepping does not always keep pairs together).
bool UVUniSplitsPair(const WideChar* Text, Integer Count, Integer Index);
// The first unit equal to Char within Count units; nil when absent or Count is 0.
const WideChar* WideCharScan(const WideChar* Buffer, WideChar Char, Integer Count);

// --- Measuring ---------------------------------------------------------------------------------
// Width of the whole text in the canvas's font.
Integer UVUniTextWidth(const AnsiString& Text, TCanvas* Canvas, Byte Options);
Integer UVUniTextHeight(const AnsiString& Text, TCanvas* Canvas, Byte Options);
// How many characters fit in MaxExtent, with the width of every prefix in Extents when given.
void UVUniGetTextExtentEx(TCanvas* Canvas, const AnsiString& Text, Integer MaxExtent, Byte Options,
                          std::vector<Integer>* Extents, Integer& Fit);
// The same for Count characters at Text (bytes or units).
void UVUniGetFitExtents(TCanvas* Canvas, const char* Text, Integer Count, Integer MaxExtent, Byte Options,
                        std::vector<Integer>* Extents, Integer& Fit);
// Caret positions: the x before the first character and after each character (count + 1
// entries), in visual order of mixed-direction text. False when the platform cannot tell.
bool GetTextCharPlacement(TCanvas* Canvas, const AnsiString& Text, std::vector<Integer>& Positions, Byte Options);
// Draws characters First..Last (1-based) of a right-to-left or mixed text as selected, in visual
// order, each run clipped to its rectangle. Nothing happens (false) unless BiDi is set.
bool UVUniDrawSelectedText(TCanvas* Canvas, const AnsiString& Text, Integer First, Integer Last, Integer Left,
                           Integer Top, Integer Height, Byte Options, bool BiDi);

// --- Line breaking ------------------------------------------------------------------------------
// The twenty line-break classes.
enum TUVLineBreakClass {
  lbOP, lbCL, lbQU, lbGL, lbNS, lbEX, lbSY, lbIS, lbPR, lbPO,
  lbNU, lbAL, lbID, lbIN, lbHY, lbBA, lbBB, lbB2, lbZW, lbCM
};
// The pair table: 0 break allowed, 1 only with a space between, 2 forbidden.
extern const Byte UVLineBreakPairs[20][20];
Integer UVUniGetCharLineBreakClass(WideChar Char);
// Given the index P (0-based) of the first character of S that does not fit, the last character
// that stays on the line; nil when there is no break opportunity before P.
const WideChar* UVUniGetLineBreakPos(const WideChar* S, Integer P);

// --- Code pages ---------------------------------------------------------------------------------
// 8-bit text in CodePage to raw UTF-16 (falls back to the system code page, then "?" per byte).
AnsiString AnsiToUnicodeCP(Integer CodePage, const AnsiString& Text);
// Raw UTF-16 to 8-bit text: no look-alike characters, every unmappable one becomes "?". Raises
// EUzurUvadError "Can't perform Unicode operation" for an odd byte length.
AnsiString UnicodeToAnsiCP(Integer CodePage, const AnsiString& Raw);
// The ANSI code page of the current keyboard layout's locale.
Integer GetKeyboardCodePage();
AnsiString KeyboardAnsiToUnicode(const AnsiString& Text);
Integer UVCharsetToCodePage(Integer Charset);
Integer UVCharsetToLanguage(Integer Charset);

// --- HTML ---------------------------------------------------------------------------------------
// Appends the HTML form of one character; PrevSpace tracks runs of spaces.
void UVUniHTMLEscapeChar(WideChar Char, bool& PrevSpace, bool Raw, AnsiString& Out);
// The HTML form of raw UTF-16 text: characters from 128 on as "&#n;".
AnsiString UVUniToHTML(const AnsiString& Raw, bool EmptyGivesSpace, bool RawText);
void UVUniWriteHTML(TStream* Stream, const AnsiString& Raw, bool EmptyGivesSpace, bool RawText);
