// The printing components: a non-visual component that owns a hidden viewer whose document is
// printable, so that other code can format a document for any canvas and width and draw it page
// by page; and that hidden viewer.
#pragma once

#include "classlib/Components.h"
#include "richtext/core/PtUVData.h"
#include "richtext/core/UzurUvad.h"

class TCustomUVPrint;

// Supplies the picture of a control to print in its place (the caller frees it); none leaves it
// to the control images of the library.
using TUVPrintComponentEvent = Closure<void(TCustomUVPrint* Sender, TControl* PrintMe, TBitmap*& ComponentImage)>;

// A viewer that is never shown: its document is formatted for a printer and drawn page by page.
class TCustomPrintableUV : public TCustomUzurUvad {
  CLASS_INFO(TCustomPrintableUV, TCustomUzurUvad)
public:
  // The printing component that owns the viewer.
  TCustomUVPrint* PrintComponent = nullptr;

protected:
  // Hidden, without a border, with top and bottom margins 0.
  TCustomPrintableUV(TCustomUVPrint* AOwner, TUVDataClass DataClass);
};

class TCustomUVPrint : public TComponent {
  CLASS_INFO(TCustomUVPrint, TComponent)
public:
  explicit TCustomUVPrint(TComponent* AOwner);

  TCustomPrintableUV* GetPrintableViewer() const { return FViewer; }
  TCustomMainPtblUVData* GetPrintableData() const;
  // The number of pages formatted so far.
  Integer GetPrintPageCount() const;
  // When set, no document colour is painted under the pages' text.
  bool GetTransparentBackground() const;
  void SetTransparentBackground(bool Value);

  // The viewer hears of the end of loading too.
  void Loaded() override;

  // The text of a line is spaced to the width formatting gave it and pieces of a line never
  // overlap (for a canvas that measures text otherwise than the one formatted on).
  bool PreviewCorrection = true;
  TUVPrintComponentEvent OnPrintComponent;
  // A height kept free at the top of the first page, and the height used on the last page
  // once every page is formatted (device pixels).
  Integer FirstPageOffset = 0;
  Integer LastPageHeight = 0;

protected:
  // Takes the hidden viewer, made by a derived component's constructor.
  void SetPrintableViewer(TCustomPrintableUV* Viewer);

private:
  TCustomPrintableUV* FViewer = nullptr;  // owned as a component
};
