// What the editor tests share: a style sheet with plain, Unicode, protected and hyperlink text
// styles, the sequences in which an editor control calls its document, snapshots of a document's
// structure, its draw lines, and the document invariants every edit must keep.
#pragma once

#include <string>
#include <vector>

#include "richtext/core/tests/support/LayoutTestSupport.h"
#include "richtext/edit/UVWindowlessEdit.h"

namespace edit_test {

// Text styles of the sheet SetUpStyles makes.
enum : Integer {
  tsNormal = 0,
  tsBig = 1,      // Times New Roman 14, bold
  tsSmall = 2,    // Courier New 8
  tsUnicode = 3,  // UTF-16
  tsJump = 4,     // a hyperlink
  tsModifyProtected = 6,
  tsDeleteProtected = 7,
  tsSticking = 8,
  tsConcateProtected = 9,
  tsParaStartProtected = 10,
  tsUnicodeBig = 11,
};
// Paragraph styles.
enum : Integer {
  psNormal = 0,
  psCentered = 1,
  psJustified = 2,    // spacing around and 150% lines, first-line indent
  psSpaced = 3,       // centred, fixed space between lines, indents, NextParaNo 0
  psRight = 4,        // right-aligned, a hanging first line
  psReadOnly = 5,
  psStyleProtected = 6,
  psNoReturns = 7,
};
// List styles: 0 numbered "1.", 1 bullets.
void SetUpStyles(TUVStyle& Style);

// The control's sequences around the data's operations.
bool InsertText(TUVWindowlessEditData& Doc, const AnsiString& Text);
bool InsertItem(TUVWindowlessEditData& Doc, const AnsiString& Name, TCustomUVItemInfo* Item);
bool InsertUVF(TUVWindowlessEditData& Doc, TStream* Stream);
bool InsertRTF(TUVWindowlessEditData& Doc, TStream* Stream);
void PressBackspace(TUVWindowlessEditData& Doc, bool Ctrl = false);
void PressDelete(TUVWindowlessEditData& Doc, bool Ctrl = false);
void PressReturn(TUVWindowlessEditData& Doc, bool Shift = false);
void TypeChar(TUVWindowlessEditData& Doc, char Ch);
void ApplyParagraphStyle(TUVWindowlessEditData& Doc, Integer ParaNo);
void ConvertTextStyles(TUVWindowlessEditData& Doc, Integer UserData);
void Undo(TUVWindowlessEditData& Doc);
void Redo(TUVWindowlessEditData& Doc);
// Puts the caret at an item and offset (as a click would).
void SetCaret(TUVWindowlessEditData& Doc, Integer ItemNo, Integer Offs);

// Everything that makes an item what it is, in one line, and the document as such lines.
std::string DescribeItem(TCustomUVData& Doc, Integer ItemNo);
std::vector<std::string> Snapshot(TCustomUVData& Doc);
// The texts of the items, for readable expectations.
std::vector<AnsiString> Texts(TCustomUVData& Doc);

using Line = richtext_test::DrawLine;
using richtext_test::DrawLines;

// The first invariant the document breaks, or empty: paragraphs keep one style, option bits are
// consistent (markers and full-line items begin paragraphs), Unicode flags match the styles, markers are listed in document order and numbered
// as from scratch, checkpoints are chained in item order and counted.
std::string CheckInvariants(TUVWindowlessEditData& Doc);
// Empty when the draw lines and height equal those of a full format (the caret is kept).
std::string CheckLayout(TUVWindowlessEditData& Doc);

}  // namespace edit_test
