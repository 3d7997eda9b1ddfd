#include "richtext/core/UVWindowless.h"

#include "richtext/core/UVMarker.h"

TUVWindowlessData::TUVWindowlessData(TUVStyle* AStyle) : Style(AStyle) { FCanvasBitmap.SetSize(1, 1); }

TUVWindowlessData::~TUVWindowlessData() {
  // The items go while this class's own answers (the marker list) still exist.
  Clear();
  delete FMarkers;
}

TUVMarkerList* TUVWindowlessData::GetMarkers(bool AllowCreate) {
  if (!(Flags & uvflOwnMarkers)) return TCustomUVFormattedData::GetMarkers(AllowCreate);
  if (!FMarkers && AllowCreate) FMarkers = new TUVMarkerList();
  return FMarkers;
}

void TUVWindowlessData::DestroyMarkers() {
  if (!(Flags & uvflOwnMarkers)) {
    TCustomUVFormattedData::DestroyMarkers();
    return;
  }
  delete FMarkers;
  FMarkers = nullptr;
}

void TUVWindowlessData::SetDocumentAreaSize(Integer Width, Integer Height, bool) {
  DocumentAreaWidth = Width;
  DocumentAreaHeight = Height;
}

void TUVWindowlessData::DoCheckpointVisible(TUVCPInfo* Checkpoint) { VisibleCheckpoints.push_back(Checkpoint); }

void TUVWindowlessData::Formatted(Integer, Integer, bool) { ++FormatNotifications; }
