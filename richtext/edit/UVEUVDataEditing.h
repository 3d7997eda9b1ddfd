// What the editing operations of the editor's document data share: the frame around an edit
// (which paragraphs to lay out again afterwards, and whether the document may change its width)
// and small steps several operations take.
#pragma once

#include "richtext/edit/UVEUVData.h"

namespace UVEditing {

// Opened before an edit of items First..Last: it removes the selection and notes the paragraphs
// around them in the formatting before the edit. Finish lays them out again (or the whole
// document when the edit changed its width), given the items the edit left.
class EditScope {
public:
  EditScope(TUVEditUVData* AData, Integer First, Integer Last);
  void Finish(Integer First, Integer Last);

  // Set by the operation when a primitive reported that the width may have changed.
  bool FullReformat = false;

private:
  Integer MinWidthAround(Integer First, Integer Last);

  TUVEditUVData* Data;
  bool Formatted = true;
  bool WasWidest = false;
  Integer DrawFirst = 0;
  Integer DrawLast = 0;
  Integer ItemCount = 0;
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
