// Helpers of the native document format: writing lines, hexadecimal coding of binary data,
// pictures kept in a record, and the blank-separated fields of a record header.
#pragma once

#include "classlib/Pictures.h"
#include "classlib/Streams.h"
#include "classlib/System.h"
#include "richtext/core/UVTypes.h"

// --- Lines and hex -------------------------------------------------------------------------
// The bytes of S, nothing else.
void UVFWrite(TStream* Stream, const AnsiString& S);
// S followed by CR LF.
void UVFWriteLine(TStream* Stream, const AnsiString& S);
// S followed by the UTF-16 paragraph separator (bytes 29 20) when Unicode, else CR LF.
void UVFWriteTerminatedLine(TStream* Stream, const AnsiString& S, bool Unicode);
// Two upper-case hexadecimal digits per byte.
AnsiString UVFStreamToHex(TCustomMemoryStream* Stream);
AnsiString UVFStrToHex(const AnsiString& S);
// Four upper-case hexadecimal digits per 16-bit unit, most significant first.
AnsiString UVFWideStrToHex(const WideString& S);
// Fills the stream from an even-length hexadecimal text (either case); false at a bad pair.
bool UVFHexToStream(const AnsiString& Hex, TStream* Stream);
// Bytes from hexadecimal text; stops quietly at the first bad pair.
AnsiString UVFHexToStr(const AnsiString& Hex);
// 16-bit units from four digits each; empty when the length is not a multiple of 4.
WideString UVFHexToWideStr(const AnsiString& Hex);

// --- Pictures ------------------------------------------------------------------------------
// The picture's own saved bytes as hexadecimal text.
AnsiString UVFSavePicture(TGraphic* Graphic);
// A 32-bit byte count followed by the picture's saved bytes.
void UVFSavePictureBinary(TStream* Stream, TGraphic* Graphic);
// Loads the picture from hexadecimal text; false when the text is not valid hex.
bool UVFLoadPicture(const AnsiString& Hex, TGraphic* Graphic);
// Loads the picture from its raw bytes.
void UVFLoadPictureBinary(const AnsiString& Data, TGraphic* Graphic);

// Told of every picture the RTF reader has read (replaceable by the host; does nothing).
using TUVGraphicImportedProc = void (*)(TGraphic* Graphic);
extern TUVGraphicImportedProc UVGraphicImported;

// --- Header fields -------------------------------------------------------------------------
// Each reader takes one field at P, moves P past it and one following blank.
// Characters up to a blank or the end; true when not empty.
bool UVFReadString(const char*& P, AnsiString& S);
// An optional "-" then decimal digits up to a blank or the end.
bool UVFReadInteger(const char*& P, Integer& Value);
// A double-quoted text with doubled inner quotes.
bool UVFReadQuoted(const char*& P, AnsiString& S);
// A tag: with string tags "0" is no tag and anything else a new copy; else an integer.
bool UVFReadTag(const char*& P, bool TagsArePChars, TUVTag& Tag);
// A tag as header text: the string ("0" when absent or empty), or the integer.
AnsiString UVFTagToStr(TUVTag Tag, bool TagsArePChars);

// --- Reading state -------------------------------------------------------------------------
// How the next line of a record is read.
enum TUVFReadMode {
  uvf_rmText,            // a text line
  uvf_rmBinaryFollows,   // a text line that announces binary data (CR LF required)
  uvf_rmBinary,          // a binary line: a 32-bit byte count and the bytes
  uvf_rmUnicodeFollows,  // a text line before Unicode lines (CR LF required)
  uvf_rmUnicode,         // a UTF-16 line ended by U+2029
  uvf_rmAfterUnicode     // the last UTF-16 line of a record
};
// Where the reader is in the stream.
enum TUVFReadState { uvf_rsHeader, uvf_rsData, uvf_rsSkip };
// The header's read-mode field: data in text lines, no body stored, binary data in binary lines.
enum : Integer { uvf_dfText = 0, uvf_dfNoBody = 1, uvf_dfBinary = 2 };

class TUVStyle;
// A style reference for a header: the quoted StyleName when names are wanted and the number
// is not negative, else the decimal number.
AnsiString UVFStyleNoToStr(TUVStyle* Style, Integer StyleNo, bool UseStyleNames);
AnsiString UVFParaNoToStr(TUVStyle* Style, Integer ParaNo, bool UseStyleNames);
class TCustomUVItemInfo;
class TCustomUVData;
// The paragraph field of an item's header: -1 when the item continues its paragraph, else its
// paragraph style by the document's uvfoUseStyleNames.
AnsiString UVFItemParaNoToStr(TCustomUVData* UVData, TCustomUVItemInfo* Item);
// A text or paragraph style field: an integer, or a quoted StyleName (exact comparison, first
// match; an unknown name gives 0).
bool UVFReadTextStyle(const char*& P, TUVStyle* Style, Integer& StyleNo);
bool UVFReadParaStyle(const char*& P, TUVStyle* Style, Integer& ParaNo);

// --- Controls ------------------------------------------------------------------------------
class TComponent;
class TWinControl;
// A component through the class library's component writer, as hexadecimal text.
AnsiString UVFSaveControl(TComponent* Control);
// A 32-bit byte count followed by the written component.
void UVFSaveControlBinary(TStream* Stream, TComponent* Control);
// Reads a component from hexadecimal text (or raw bytes) into Control; with a class name and no
// control, a control of that registered class is made first (no owner). A control gets Parent
// before and after reading. False when the data cannot be decoded or read.
bool UVFLoadControl(const AnsiString& Hex, TComponent*& Control, const AnsiString& ClassName, TWinControl* Parent);
bool UVFLoadControlBinary(const AnsiString& Data, TComponent*& Control, const AnsiString& ClassName,
                          TWinControl* Parent);
