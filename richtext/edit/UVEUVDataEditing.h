// What the editing operations of the editor's document data share: the frame around an edit
// (which paragraphs to lay out again afterwards, and whether the document may change its width)
// and small steps several operations take.
#pragma once

#include "richtext/edit/UVEUVData.h"

namespace UVEditing {

// Opened before an edit of items First..Last: it removes the selection and notes the paragraphs
// around them in the formatting before the edit. Finish lays them out again (or the whole
// document when the edit changed its width), given the items the edit left.
// A change of the text of one item alone: Removed characters taken out from character Offs on
// (0 for an insertion there).
struct TextChange {
  Integer ItemNo = -1;
  Integer Offs = 1;
  Integer Removed = 0;
};

class EditScope {
public:
  EditScope(TUVEditUVData* AData, Integer First, Integer Last);
  // Opened before a change of one item's text: only the words around the change are measured,
  // and FinishText lays out only the lines around it, so that typing into a long paragraph
  // costs what the changed lines cost.
  EditScope(TUVEditUVData* AData, const TextChange& Change);
  void Finish(Integer First, Integer Last);
  // The end of a text change: Inserted characters now stand at the change's place.
  void FinishText(Integer Inserted);

  // Set by the operation when a primitive reported that the width may have changed.
  bool FullReformat = false;

private:
  // Notes the paragraphs around items First..Last in the formatting as it is.
  void NoteParagraphs(Integer First, Integer Last);
  Integer MinWidthAround(Integer First, Integer Last);
  // What the words around Count characters from the change's place ask of their line (-1: its
  // whole paragraph counts).
  Integer TextMinWidth(Integer Count);

  TUVEditUVData* Data;
  bool Formatted = true;
  bool WasWidest = false;
  Integer DrawFirst = 0;
  Integer DrawLast = 0;
  Integer ItemCount = 0;
  bool TextMode = false;
  TextChange Text;
};

// The paragraph holding ItemNo takes the style of its first item, undoably.
void UnifyParaStyle(TUVEditUVData* Data, Integer ItemNo, bool& FullReformat);
// A position (ItemNo, Offs) after the items JoinedItemNo and JoinedItemNo + 1 became one, the first
// having held FirstLength characters (0 when it was empty).
void TrackJoin(Integer JoinedItemNo, Integer FirstLength, Integer& ItemNo, Integer& Offs);
// A copy of the list marker that begins ItemNo's paragraph, continuing its numbering; none when
// the paragraph has no marker.
TCustomUVItemInfo* MarkerCopy(TUVEditUVData* Data, Integer ItemNo);

}  // namespace UVEditing
