#include "richtext/core/UVReport.h"

#include "classlib/Handles.h"
#include "richtext/core/UVRTFProps.h"
#include "richtext/core/UVStyle.h"

namespace {

VUzurUvadUVData* MakeReportData(TCustomUzurUvad* Viewer) { return new TReportUVData(Viewer); }

}  // namespace

TReportUzurUvad::TReportUzurUvad(TUVReportHelper* AOwner) : TCustomPrintableUV(AOwner, &MakeReportData) {
  SetName("UzurUvad");
  SetSubComponent(true);
}

TUVReportHelper::TUVReportHelper(TComponent* AOwner) : TCustomUVPrint(AOwner), FUzurUvad(new TReportUzurUvad(this)) {
  SetPrintableViewer(FUzurUvad);
}

void TUVReportHelper::PrepareFormatting(TCanvas* Canvas, Integer Width) {
  TReportUVData* data = FUzurUvad->GetReportData();
  data->ClearPages();
  data->Pagination = TUVPaginationState();
  data->SavedPagination = TUVPaginationState();
  FStarted = false;
  FPagesCut = 0;
  FFinished = false;
  LastPageHeight = 0;
  data->SetPrinter(Canvas, Width);
  FUzurUvad->SetVScrollVisible(false);
  FUzurUvad->SetHScrollVisible(false);
  // The viewer's client area becomes the width both ways; the control's own formatting on a
  // new size is kept off meanwhile.
  data->State |= uvstFormatting;
  FUzurUvad->SetBounds(0, 0, Width, Width);
  data->State &= ~static_cast<Cardinal>(uvstFormatting);
  data->Format(false, true, true, 0, Canvas, false, false);
}

bool TUVReportHelper::FormatNextPage(Integer PageHeight) {
  TReportUVData* data = FUzurUvad->GetReportData();
  if (!FStarted) {
    FStarted = true;
    DoFormatting(0, 0);
  }
  if (data->Pagination.Complete || data->DrawItems->GetCount() == 0) {
    if (!FFinished) {
      FFinished = true;
      DoFormatting(FPagesCut, 2);
    }
    return false;
  }
  data->SavedPagination = data->Pagination;
  data->FormatNextPage(PageHeight, data->Pagination);
  DoFormatting(++FPagesCut, 1);
  if (data->Pagination.Complete) {
    FFinished = true;
    DoFormatting(FPagesCut, 2);
  }
  return true;
}

void TUVReportHelper::DrawPage(Integer PageNo, TCanvas* Canvas, bool Preview, Integer AreaHeight) {
  TReportUVData* data = FUzurUvad->GetReportData();
  data->AreaHeight = AreaHeight;
  data->DrawPage(PageNo, Canvas, Preview, PreviewCorrection);
}

void TUVReportHelper::DrawPageAt(Integer Left, Integer Top, Integer PageNo, TCanvas* Canvas, bool Preview,
                                 Integer AreaHeight) {
  HDC dc = Canvas->GetHandle();
  POINT old{};
  ::SetViewportOrgEx(dc, Left, Top, &old);
  try {
    DrawPage(PageNo, Canvas, Preview, AreaHeight);
  } catch (...) {
    ::SetViewportOrgEx(dc, old.x, old.y, nullptr);
    throw;
  }
  ::SetViewportOrgEx(dc, old.x, old.y, nullptr);
}

void TUVReportHelper::DoFormatting(Integer PageCount, Integer Step) {
  if (OnFormatting) OnFormatting(this, PageCount, Step);
}

PUBLISHED(TReportUzurUvad) {
  Prop("Color", &TReportUzurUvad::GetColor, &TReportUzurUvad::SetColor).Type(ColorTypeInfo()).Default(clNone);
  Prop("BackgroundBitmap", &TReportUzurUvad::GetBackgroundBitmap, &TReportUzurUvad::SetBackgroundBitmap);
  Prop("BackgroundStyle", &TReportUzurUvad::GetBackgroundStyle, &TReportUzurUvad::SetBackgroundStyle)
      .Default(bsNoBitmap);
  Prop("BiDiMode", &TReportUzurUvad::GetUVBiDiMode, &TReportUzurUvad::SetUVBiDiMode).Default(uvbdUnspecified);
  Prop("LeftMargin", &TReportUzurUvad::GetLeftMargin, &TReportUzurUvad::SetLeftMargin).Default(5);
  Prop("RightMargin", &TReportUzurUvad::GetRightMargin, &TReportUzurUvad::SetRightMargin).Default(5);
  Prop("TopMargin", &TReportUzurUvad::GetTopMargin, &TReportUzurUvad::SetTopMargin).Default(0);
  Prop("BottomMargin", &TReportUzurUvad::GetBottomMargin, &TReportUzurUvad::SetBottomMargin).Default(0);
  Prop("Delimiters", &TReportUzurUvad::GetDelimiters, &TReportUzurUvad::SetDelimiters)
      .Stored(&TReportUzurUvad::IsDelimitersStored);
  Prop("Options", &TReportUzurUvad::GetOptions, &TReportUzurUvad::SetOptions).Default(uvoDefaultOptions);
  Prop("RTFOptions", &TReportUzurUvad::GetRTFOptions, &TReportUzurUvad::SetRTFOptions).Default(uvrtfDefaultOptions);
  Prop("RTFReadProperties", &TReportUzurUvad::GetRTFReadProperties, &TReportUzurUvad::SetRTFReadProperties);
  Prop("UVFOptions", &TReportUzurUvad::GetUVFOptions, &TReportUzurUvad::SetUVFOptions).Default(uvfoDefaultOptions);
  Prop("UVFParaStylesReadMode", &TReportUzurUvad::GetUVFParaStylesReadMode,
       &TReportUzurUvad::SetUVFParaStylesReadMode)
      .Default(uvf_sInsertMerge);
  Prop("UVFTextStylesReadMode", &TReportUzurUvad::GetUVFTextStylesReadMode,
       &TReportUzurUvad::SetUVFTextStylesReadMode)
      .Default(uvf_sInsertMerge);
  Prop("Style", &TReportUzurUvad::GetStyle, &TReportUzurUvad::SetStyle);
  Prop("OnControlAction", &TReportUzurUvad::OnControlAction);
  Prop("OnHTMLSaveImage", &TReportUzurUvad::OnHTMLSaveImage);
  Prop("OnUVFImageListNeeded", &TReportUzurUvad::OnUVFImageListNeeded);
  Prop("OnUVFControlNeeded", &TReportUzurUvad::OnUVFControlNeeded);
  Prop("OnUVFPictureNeeded", &TReportUzurUvad::OnUVFPictureNeeded);
  Prop("OnSaveComponentToFile", &TReportUzurUvad::OnSaveComponentToFile);
  Prop("OnURLNeeded", &TReportUzurUvad::OnURLNeeded);
  Prop("Left", &TReportUzurUvad::GetLeft, nullptr).Stored(false);
  Prop("Top", &TReportUzurUvad::GetTop, nullptr).Stored(false);
  Prop("Width", &TReportUzurUvad::GetWidth, nullptr).Stored(false);
  Prop("Height", &TReportUzurUvad::GetHeight, nullptr).Stored(false);
}

PUBLISHED(TUVReportHelper) {
  Prop("UzurUvad", &TUVReportHelper::GetUzurUvad, nullptr);
  Prop("OnFormatting", &TUVReportHelper::OnFormatting);
}

namespace {
// Forms name the report helper by its class.
const bool kReportHelperRegistered = (RegisterClass(TUVReportHelper::StaticClass()), true);
}  // namespace
