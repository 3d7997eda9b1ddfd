// Items that show pictures: pictures and hot pictures, image-list bullets and hotspots, the
// record of a picture printed across pages, picture groups of RTF and the HTML image cache.
#include <memory>

#include "classlib/Jpeg.h"
#include "classlib/Metafiles.h"
#include "classlib/SysUtils.h"
#include "richtext/core/CUVFData.h"
#include "richtext/core/UVFuncs.h"
#include "richtext/core/UVItem.h"
#include "richtext/core/UVStyle.h"

namespace {

TGraphic* DefaultCreateGraphic(TClass GraphicClass) {
  return static_cast<TGraphic*>(GraphicClass->Create(nullptr));
}

// A new graphic of the same class holding a copy of Source.
TGraphic* CopyGraphic(TGraphic* Source) {
  if (!Source) return nullptr;
  TGraphic* copy = UVCreateGraphic(Source->ClassType());
  if (copy) copy->Assign(Source);
  return copy;
}

bool IsEnhancedMetafileDC(HDC DC) { return ::GetObjectType(DC) == OBJ_ENHMETADC; }

// "{\pict" data of a bitmap without its 14-byte file header.
void WriteBitmapPict(TStream* Stream, TBitmap* Bitmap) {
  Integer rowBytes = Bitmap->GetWidth();
  if (Bitmap->GetHeight() > 1) {
    auto* row0 = static_cast<Byte*>(Bitmap->GetScanLine(0));
    auto* row1 = static_cast<Byte*>(Bitmap->GetScanLine(1));
    rowBytes = static_cast<Integer>(row0 > row1 ? row0 - row1 : row1 - row0);
  }
  UVFWrite(Stream, Format("\\dibitmap0\\wbmwidthbytes%d\\picw%d\\pich%d ", rowBytes, Bitmap->GetWidth(),
                          Bitmap->GetHeight()));
  UVFWrite(Stream, UVFSavePicture(Bitmap).substr(28));
}

// A Windows (not enhanced) metafile without its 22-byte placeable header.
void WriteWindowsMetafilePict(TStream* Stream, TMetafile* Metafile, bool PixelSize) {
  if (PixelSize)
    UVFWrite(Stream, Format("\\wmetafile1\\picw%d\\pich%d ", Metafile->GetWidth(), Metafile->GetHeight()));
  else
    UVFWrite(Stream, Format("\\wmetafile8\\picw%d\\pich%d ", Metafile->GetMMWidth(), Metafile->GetMMHeight()));
  UVFWrite(Stream, UVFSavePicture(Metafile).substr(44));
}

}  // namespace

TUVGraphicCreator UVCreateGraphic = &DefaultCreateGraphic;

// ---------------------------------------------------------------------------------------------
// RTF picture groups

void UVSaveImageToRTF(TStream* Stream, TGraphic* Graphic, Integer Width, Integer Height, TUVRTFOptions Options,
                      double TwipsPerPixel) {
  if (!Graphic) return;
  UVFWrite(Stream, "{\\pict");
  auto* metafile = dynamic_cast<TMetafile*>(Graphic);
  // The natural size in pixels: the picture's own, or a metafile's frame at the write's twips.
  double naturalWidth = Graphic->GetWidth();
  if (metafile && metafile->GetMMWidth() > 0)
    naturalWidth = Round(metafile->GetMMWidth() / 2540.0 * 1440 / TwipsPerPixel);
  double naturalHeight = Graphic->GetHeight();
  if (metafile && metafile->GetMMHeight() > 0)
    naturalHeight = Round(metafile->GetMMHeight() / 2540.0 * 1440 / TwipsPerPixel);
  if (Width > 0 && Graphic->GetWidth() > 0 && naturalWidth > 0)
    UVFWrite(Stream, Format("\\picscalex%d", static_cast<Integer>(Round(Width * 100 / naturalWidth))));
  if (Height > 0 && Graphic->GetHeight() > 0 && naturalHeight > 0)
    UVFWrite(Stream, Format("\\picscaley%d", static_cast<Integer>(Round(Height * 100 / naturalHeight))));
  // The natural size in twips: word processors show a picture at this size times the scale, which
  // is the size the document shows it at. Without it they take the picture's own units, which
  // for a bitmap are pixels read as twips (a dot).
  if (naturalWidth > 0 && naturalHeight > 0)
    UVFWrite(Stream, Format("\\picwgoal%d\\pichgoal%d", static_cast<Integer>(Round(naturalWidth * TwipsPerPixel)),
                            static_cast<Integer>(Round(naturalHeight * TwipsPerPixel))));
  auto* jpeg = dynamic_cast<TJPEGImage*>(Graphic);
  if (auto* bitmap = dynamic_cast<TBitmap*>(Graphic)) {
    WriteBitmapPict(Stream, bitmap);
  } else if (metafile && !metafile->GetEnhanced()) {
    WriteWindowsMetafilePict(Stream, metafile, false);
  } else if (metafile) {
    if (Options.Contains(uvrtfSaveEMFAsWMF)) {
      TMetafile copy;
      copy.Assign(metafile);
      copy.SetEnhanced(false);
      WriteWindowsMetafilePict(Stream, &copy, false);
    } else {
      UVFWrite(Stream, Format("\\emfblip\\picw%d\\pich%d ", metafile->GetMMWidth(), metafile->GetMMHeight()));
      UVFWrite(Stream, UVFSavePicture(metafile));
    }
  } else if (jpeg && Options.Contains(uvrtfSaveJpegAsJpeg)) {
    UVFWrite(Stream, Format("\\jpegblip\\picw%d\\pich%d ", jpeg->GetWidth(), jpeg->GetHeight()));
    UVFWrite(Stream, UVFSavePicture(jpeg));
  } else if (Options.Contains(uvrtfSaveBitmapDefault)) {
    TBitmap bitmap;
    bitmap.Assign(Graphic);
    WriteBitmapPict(Stream, &bitmap);
  } else {
    TMetafile drawn;
    drawn.SetWidth(Graphic->GetWidth());
    drawn.SetHeight(Graphic->GetHeight());
    {
      TMetafileCanvas canvas(&drawn, nullptr);
      canvas.Draw(0, 0, Graphic);
    }
    if (Options.Contains(uvrtfSaveEMFDefault)) {
      drawn.SetEnhanced(true);
      UVFWrite(Stream, Format("\\emfblip\\picw%d\\pich%d ", drawn.GetMMWidth(), drawn.GetMMHeight()));
      UVFWrite(Stream, UVFSavePicture(&drawn));
    } else {
      drawn.SetEnhanced(false);
      WriteWindowsMetafilePict(Stream, &drawn, true);
    }
  }
  UVFWrite(Stream, "}");
}

void UVSaveImageListImageToRTF(TStream* Stream, TCustomImageList* ImageList, Integer ImageIndex,
                               TUVRTFOptions Options) {
  if (!ImageList || ImageIndex < 0 || ImageIndex >= ImageList->GetCount()) return;
  UVFWrite(Stream, "{\\pict");
  if (Options.Contains(uvrtfSaveBitmapDefault)) {
    TBitmap bitmap;
    ImageList->GetBitmap(ImageIndex, &bitmap);
    WriteBitmapPict(Stream, &bitmap);
  } else {
    TMetafile drawn;
    drawn.SetWidth(ImageList->GetWidth());
    drawn.SetHeight(ImageList->GetHeight());
    {
      TMetafileCanvas canvas(&drawn, nullptr);
      ImageList->Draw(&canvas, 0, 0, ImageIndex);
    }
    drawn.SetEnhanced(false);
    WriteWindowsMetafilePict(Stream, &drawn, true);
  }
  UVFWrite(Stream, "}");
}

// ---------------------------------------------------------------------------------------------
// HTML image cache

TUVHTMLImageCache::~TUVHTMLImageCache() = default;

AnsiString TUVHTMLImageCache::GetImageFile(TCustomUVData* UVData, TCustomImageList* ImageList, Integer ImageIndex,
                                           TGraphic* Graphic, TColor BackColor, const AnsiString& Path,
                                           const AnsiString& Prefix, Integer& Counter, bool Overwrite) {
  for (const Entry& e : FEntries)
    if (e.ImageList == ImageList && e.ImageIndex == ImageIndex && e.Graphic == Graphic && e.BackColor == BackColor)
      return e.FileName;
  TBitmap bitmap;
  Integer w = ImageList ? ImageList->GetWidth() : Graphic ? Graphic->GetWidth() : 0;
  Integer h = ImageList ? ImageList->GetHeight() : Graphic ? Graphic->GetHeight() : 0;
  if (w <= 0 || h <= 0) return AnsiString();
  bitmap.SetSize(w, h);
  TCanvas* canvas = bitmap.GetCanvas();
  canvas->GetBrush()->SetColor(BackColor == clNone ? clWhite : BackColor);
  canvas->FillRect(Rect(0, 0, w, h));
  if (ImageList)
    ImageList->Draw(canvas, 0, 0, ImageIndex);
  else
    canvas->Draw(0, 0, Graphic);
  AnsiString file = UVData->SaveImageFile(&bitmap, 1, Path, Prefix, Counter, BackColor, Overwrite);
  FEntries.push_back({ImageList, ImageIndex, Graphic, BackColor, file});
  return file;
}

// ---------------------------------------------------------------------------------------------
// TUVGraphicItemInfo

TUVGraphicItemInfo::TUVGraphicItemInfo(TCustomUVData* UVData, TGraphic* AImage, Byte AVAlign)
    : TUVRectItemInfo(UVData), Image(AImage) {
  StyleNo = uvsPicture;
  VAlign = AVAlign;
}

TUVGraphicItemInfo::~TUVGraphicItemInfo() {
  delete Image;
  delete ImageCopy;
}

void TUVGraphicItemInfo::Assign(TPersistent* Source) {
  if (auto* g = dynamic_cast<TUVGraphicItemInfo*>(Source)) {
    ImageWidth = g->ImageWidth;
    ImageHeight = g->ImageHeight;
    TGraphic* image = CopyGraphic(g->Image);
    TGraphic* copy = CopyGraphic(g->ImageCopy);
    delete Image;
    delete ImageCopy;
    Image = image;
    ImageCopy = copy;
  }
  TUVRectItemInfo::Assign(Source);
}

bool TUVGraphicItemInfo::QueryFlag(Integer Code) {
  switch (Code) {
    case uvbpValid:
      return Image != nullptr;
    case uvbpDisplayActiveState:
    case uvbpDrawingChangesFont:
      return true;
    default:
      return TUVRectItemInfo::QueryFlag(Code);
  }
}

bool TUVGraphicItemInfo::QueryStyledFlag(Integer Code, TUVStyle* Style) {
  if (Code == uvbspPrintToBitmap) return !dynamic_cast<TMetafile*>(Image);
  return TUVRectItemInfo::QueryStyledFlag(Code, Style) && Code != uvbspPrintToBitmap;
}

Integer TUVGraphicItemInfo::GetImageWidth(TUVStyle*) {
  if (ImageWidth > 0) return ImageWidth;
  return Image ? Image->GetWidth() : 0;
}

Integer TUVGraphicItemInfo::GetImageHeight(TUVStyle*) {
  if (ImageHeight > 0) return ImageHeight;
  return Image ? Image->GetHeight() : 0;
}

Integer TUVGraphicItemInfo::GetMinWidth(const TUVScreenAndDevice* Sad, TCanvas*, TCustomUVData*) {
  Integer w = GetImageWidth(nullptr) + 2;
  return Sad ? Sad->XToDevice(w) : w;
}

void TUVGraphicItemInfo::Paint(Integer X, Integer Y, TCanvas* Canvas, TUVTextDrawStates State, TUVStyle* Style,
                               TUVDrawLineInfo*) {
  TGraphic* g = ImageCopy ? ImageCopy : Image;
  Integer w = GetImageWidth(Style);
  Integer h = GetImageHeight(Style);
  TRect box = Bounds(X + 1, Y + 1, w, h);
  bool stretch = ImageWidth > 0 || ImageHeight > 0;
  bool drawn = false;
  if (g && !g->GetEmpty()) {
    // A picture whose data the system cannot draw shows as missing; painting goes on.
    try {
      auto* copy = g == ImageCopy ? dynamic_cast<TBitmap*>(g) : nullptr;
      if (copy) {
        // The palette copy is made for the display: its pixels go over as they are.
        HDC source = copy->GetCanvas()->GetHandle();
        Canvas->RequiredState(TCanvasState{csHandleValid});
        if (stretch)
          ::StretchBlt(Canvas->GetHandle(), box.Left, box.Top, w, h, source, 0, 0, copy->GetWidth(),
                       copy->GetHeight(), SRCCOPY);
        else
          ::BitBlt(Canvas->GetHandle(), box.Left, box.Top, copy->GetWidth(), copy->GetHeight(), source, 0, 0, SRCCOPY);
      } else if (stretch) {
        Canvas->StretchDraw(box, g);
      } else {
        Canvas->Draw(box.Left, box.Top, g);
      }
      drawn = true;
    } catch (const std::exception&) {
      // A picture that cannot be drawn is not drawn: the invalid picture below stands in for it.
    }
  }
  if (!drawn) {
    TGraphic* invalid = nullptr;
    try {
      if (Style) invalid = Style->GetInvalidPicture();
      if (invalid) Canvas->StretchDraw(box, invalid);
    } catch (const std::exception&) {
      invalid = nullptr;
    }
    if (!invalid) UVDrawCrossedBox(Canvas, box);
  }
  PaintFrames(X, Y, w + 2, h + 2, Canvas, State, Style);
}

bool TUVGraphicItemInfo::PrintToBitmap(TBitmap* Bitmap, bool Preview, TCustomUVData*, TUVDrawLineInfo* DrawItem,
                                       Integer Part) {
  TGraphic* g = Preview && ImageCopy ? ImageCopy : Image;
  if (!g) return false;
  TCanvas* canvas = Bitmap->GetCanvas();
  if (g->GetTransparent()) {
    canvas->GetBrush()->SetColor(clWhite);
    canvas->FillRect(Rect(0, 0, Bitmap->GetWidth(), Bitmap->GetHeight()));
  }
  // A picture printed in parts gets a bitmap of one part: the picture goes up by the part's
  // offset, so that each page shows its own piece of it.
  auto* multi = dynamic_cast<TUVMultiImagePrintInfo*>(DrawItem);
  if (multi && Part >= 0 && Part < multi->GetPartCount()) {
    Integer top = multi->GetImagePart(Part)->ImgTop;
    canvas->StretchDraw(Bounds(0, -top, GetImageWidth(nullptr), GetImageHeight(nullptr)), g);
    return true;
  }
  if (ImageWidth > 0 || ImageHeight > 0)
    canvas->StretchDraw(Rect(0, 0, Bitmap->GetWidth(), Bitmap->GetHeight()), g);
  else
    canvas->Draw(0, 0, g);
  return true;
}

void TUVGraphicItemInfo::Print(TCanvas* Canvas, Integer X, Integer Y, Integer, bool, bool,
                               const TUVScreenAndDevice& Sad, TCustomUVData*, TUVDrawLineInfo*, Integer) {
  if (!Image) return;
  TRect r = Bounds(X + Sad.XToDevice(GetHorzInset()), Y + Sad.YToDevice(GetVertInset()),
                   Sad.XToDevice(GetImageWidth(nullptr)), Sad.YToDevice(GetImageHeight(nullptr)));
  HDC dc = Canvas->GetHandle();
  if (IsEnhancedMetafileDC(dc)) {
    Canvas->StretchDraw(r, Image);
  } else {
    SavedDC saved(dc);
    Canvas->StretchDraw(r, Image);
  }
}

TUVDrawLineInfo* TUVGraphicItemInfo::CreateDrawRecord(bool Printing, TCustomUVData* UVData,
                                                      const TUVScreenAndDevice* Sad) {
  Integer realHeight = Image ? Image->GetHeight() : 0;
  if (Printing && Sad && MinHeightOnPage > 0 && !(ImageHeight > 0 && ImageHeight != realHeight)) {
    auto* record = new TUVMultiImagePrintInfo(this, *Sad, GetImageHeight(nullptr));
    record->Width = Sad->XToDevice(GetBorderWidth());
    record->Height = Sad->YToDevice(GetBorderHeight());
    return record;
  }
  return TUVRectItemInfo::CreateDrawRecord(Printing, UVData, Sad);
}

Integer TUVGraphicItemInfo::GetExtraPropertyCount() {
  Integer count = TUVRectItemInfo::GetExtraPropertyCount();
  if (ImageWidth > 0) ++count;
  if (ImageHeight > 0) ++count;
  if (MinHeightOnPage > 0) ++count;
  if (auto* bitmap = dynamic_cast<TBitmap*>(Image))
    if (bitmap->GetTransparent()) count += bitmap->GetTransparentMode() == tmFixed ? 3 : 2;
  return count;
}

void TUVGraphicItemInfo::SaveUVFExtraProperties(TStream* Stream) {
  TUVRectItemInfo::SaveUVFExtraProperties(Stream);
  if (ImageWidth > 0) UVFWriteLine(Stream, Format("width=%d", ImageWidth));
  if (ImageHeight > 0) UVFWriteLine(Stream, Format("height=%d", ImageHeight));
  if (MinHeightOnPage > 0) UVFWriteLine(Stream, Format("minheightonpage=%d", MinHeightOnPage));
  if (auto* bitmap = dynamic_cast<TBitmap*>(Image)) {
    if (bitmap->GetTransparent()) {
      UVFWriteLine(Stream, "transparent=1");
      UVFWriteLine(Stream, Format("tmode=%d", static_cast<Integer>(bitmap->GetTransparentMode())));
      if (bitmap->GetTransparentMode() == tmFixed)
        UVFWriteLine(Stream, Format("tcolor=%d", bitmap->GetTransparentColor() & 0xFFFFFF));
    }
  }
}

bool TUVGraphicItemInfo::SetExtraIntProperty(TUVExtraItemProperty Prop, Integer Value) {
  auto* bitmap = dynamic_cast<TBitmap*>(Image);
  switch (Prop) {
    case uvepImageWidth:
      ImageWidth = Value;
      return true;
    case uvepImageHeight:
      ImageHeight = Value;
      return true;
    case uvepMinHeightOnPage:
      MinHeightOnPage = Value;
      return true;
    case uvepTransparent:
      if (!bitmap) return false;
      bitmap->SetTransparent(Value != 0);
      return true;
    case uvepTransparentMode:
      if (!bitmap) return false;
      bitmap->SetTransparentMode(Value == 1 ? tmFixed : tmAuto);
      return true;
    case uvepTransparentColor:
      if (!bitmap) return false;
      bitmap->SetTransparentColor(Value);
      return true;
    default:
      return TUVRectItemInfo::SetExtraIntProperty(Prop, Value);
  }
}

bool TUVGraphicItemInfo::GetExtraIntProperty(TUVExtraItemProperty Prop, Integer& Value) {
  auto* bitmap = dynamic_cast<TBitmap*>(Image);
  switch (Prop) {
    case uvepImageWidth:
      Value = ImageWidth;
      return true;
    case uvepImageHeight:
      Value = ImageHeight;
      return true;
    case uvepMinHeightOnPage:
      Value = MinHeightOnPage;
      return true;
    case uvepTransparent:
      if (!bitmap) return false;
      Value = bitmap->GetTransparent() ? 1 : 0;
      return true;
    case uvepTransparentMode:
      if (!bitmap) return false;
      Value = static_cast<Integer>(bitmap->GetTransparentMode());
      return true;
    case uvepTransparentColor:
      if (!bitmap) return false;
      Value = bitmap->GetTransparentColor() & 0xFFFFFF;
      return true;
    default:
      return TUVRectItemInfo::GetExtraIntProperty(Prop, Value);
  }
}

bool TUVGraphicItemInfo::ReadUVFLine(const AnsiString& S, TCustomUVData* UVData, Integer ReadType, Integer LineNo,
                                     Integer LineCount, AnsiString& Name, TUVFReadMode& ReadMode,
                                     TUVFReadState&) {
  if (LineNo == 0) {
    Name = S;
    if (ReadType == uvf_dfNoBody) {
      delete Image;
      Image = UVData ? UVData->UVFPictureNeeded(Name, Tag) : nullptr;
    }
  } else if (ReadType == uvf_dfNoBody) {
    ReadUVFExtraProperty(this, S);
  } else if (LineNo == 1) {
    TClass cls = GetClass(S);
    delete Image;
    Image = cls && cls->InheritsFrom(TGraphic::StaticClass()) ? UVCreateGraphic(cls) : nullptr;
    if (!Image) {
      if (UVData) UVData->SetUVFWarnings(UVData->GetUVFWarnings() | uvfwUnknownPicFmt);
      if (!UVData || !UVData->GetUVFOptions().Contains(uvfoIgnoreUnknownPicFmt)) return false;
    }
  } else if (LineNo == LineCount - 1) {
    if (!Image) return true;
    try {
      if (ReadType == uvf_dfBinary)
        UVFLoadPictureBinary(S, Image);
      else if (!UVFLoadPicture(S, Image))
        return false;
    } catch (const Exception&) {
      return false;
    }
  } else {
    ReadUVFExtraProperty(this, S);
  }
  // The line before the body announces binary data.
  if (ReadType == uvf_dfBinary && LineNo + 2 == LineCount - 1) ReadMode = uvf_rmBinaryFollows;
  return true;
}

void TUVGraphicItemInfo::SaveUVF(TStream* Stream, TCustomUVData* UVData, Integer, const AnsiString& Name,
                                 bool ForceSameAsPrev) {
  TUVFOptions options = UVData->GetUVFOptions();
  bool body = options.Contains(uvfoSavePicturesBody) && Image;
  bool binary = options.Contains(uvfoSaveBinary);
  Integer props = GetExtraPropertyCount();
  SaveUVFHeader(Stream, UVData, props + (body ? 3 : 1), body ? (binary ? uvf_dfBinary : uvf_dfText) : uvf_dfNoBody,
                ForceSameAsPrev);
  UVFWriteLine(Stream, Name);
  if (body) UVFWriteLine(Stream, Image->ClassName());
  SaveUVFExtraProperties(Stream);
  if (!body) return;
  if (binary)
    UVFSavePictureBinary(Stream, Image);
  else
    UVFWriteLine(Stream, UVFSavePicture(Image));
}

void TUVGraphicItemInfo::SaveRTF(TStream* Stream, const AnsiString&, TCustomUVData* UVData, Integer,
                                 const AnsiString&, TUVRTFSaveContext& Context) {
  UVSaveImageToRTF(Stream, Image, ImageWidth, ImageHeight, UVData->GetRTFOptions(), Context.TwipsPerPixel);
}

void TUVGraphicItemInfo::SaveHTML(TStream* Stream, TCustomUVData* UVData, Integer ItemNo, const AnsiString&,
                                  const AnsiString& Path, const AnsiString& ImgSavePrefix, Integer& ImgSaveNo,
                                  TColor CurrentParaColor, Integer SaveOptions, bool UseCSS, TUVHTMLImageCache*) {
  if (!Image) return;
  AnsiString location;
  bool doDefault = true;
  UVData->HTMLSaveImage(UVData, ItemNo, Path, CurrentParaColor, location, doDefault);
  if (doDefault)
    location = UVData->SaveImageFile(Image, 1, Path, ImgSavePrefix, ImgSaveNo, CurrentParaColor, SaveOptions & 1);
  if (location.empty()) return;
  UVFWrite(Stream, HTMLImageTag(location, (SaveOptions & 64) || ImageWidth > 0 || ImageHeight > 0, SaveOptions,
                                UseCSS));
}

void TUVGraphicItemInfo::NotifyRemoving(TCustomUVData* UVData, Integer ItemNo) {
  TUVRectItemInfo::NotifyRemoving(UVData, ItemNo);
  FreeAndNil(ImageCopy);
}

void TUVGraphicItemInfo::UpdatePaletteInfo(TUVPaletteAction Action, bool ForceRecreateCopy, HPALETTE Palette,
                                           LOGPALETTE* LogPalette) {
  bool copies = Action == uvpaCreateCopies || Action == uvpaCreateCopiesEx;
  if (!(copies && Palette && !ForceRecreateCopy)) FreeAndNil(ImageCopy);
  if (!Image) return;
  if (Action == uvpaAssignPallette) {
    UVApplyPalette(Image, LogPalette);
  } else if (copies && LogPalette && !ImageCopy) {
    if (Action == uvpaCreateCopiesEx && dynamic_cast<TBitmap*>(Image)) {
      auto* copy = new TBitmap();
      copy->Assign(Image);
      ImageCopy = copy;
    } else {
      ImageCopy = CopyGraphic(Image);
    }
    UVApplyPalette(ImageCopy, LogPalette);
  }
}

// ---------------------------------------------------------------------------------------------
// TUVHotGraphicItemInfo

TUVHotGraphicItemInfo::TUVHotGraphicItemInfo(TCustomUVData* UVData) : TUVGraphicItemInfo(UVData) {
  StyleNo = uvsHotPicture;
}

TUVHotGraphicItemInfo::TUVHotGraphicItemInfo(TCustomUVData* UVData, TGraphic* AImage, Byte AVAlign)
    : TUVGraphicItemInfo(UVData, AImage, AVAlign) {
  StyleNo = uvsHotPicture;
}

bool TUVHotGraphicItemInfo::QueryStyledFlag(Integer Code, TUVStyle* Style) {
  switch (Code) {
    case uvbspJump:
    case uvbspAllowsFocus:
    case uvbspXORFocus:
      return true;
    case uvbspHotColdJump:
      return false;
    default:
      return TUVGraphicItemInfo::QueryStyledFlag(Code, Style);
  }
}

void TUVHotGraphicItemInfo::NotifyHyperlink(TCustomUVData* UVData) {
  if (auto* formatted = dynamic_cast<TCustomUVFormattedData*>(UVData))
    formatted->NotifyHyperlinkNo(UVData->FirstJumpNo + HyperlinkId);
}

// ---------------------------------------------------------------------------------------------
// TUVBulletItemInfo

TUVBulletItemInfo::TUVBulletItemInfo(TCustomUVData* UVData, TCustomImageList* AImageList, Integer AImageIndex,
                                     Byte AVAlign)
    : TUVRectItemInfo(UVData), ImageList(AImageList), ImageIndex(AImageIndex) {
  StyleNo = uvsBullet;
  VAlign = AVAlign;
}

void TUVBulletItemInfo::Assign(TPersistent* Source) {
  if (auto* b = dynamic_cast<TUVBulletItemInfo*>(Source)) {
    ImageList = b->ImageList;
    ImageIndex = b->ImageIndex;
  }
  TUVRectItemInfo::Assign(Source);
}

bool TUVBulletItemInfo::QueryFlag(Integer Code) {
  switch (Code) {
    case uvbpValid:
      return ImageList != nullptr;
    case uvbpDisplayActiveState:
      return true;
    default:
      return TUVRectItemInfo::QueryFlag(Code);
  }
}

Integer TUVBulletItemInfo::GetImageWidth(TUVStyle*) { return ImageList ? ImageList->GetWidth() : 0; }

Integer TUVBulletItemInfo::GetImageHeight(TUVStyle*) { return ImageList ? ImageList->GetHeight() : 0; }

Integer TUVBulletItemInfo::GetMinWidth(const TUVScreenAndDevice* Sad, TCanvas*, TCustomUVData*) {
  Integer w = GetImageWidth(nullptr) + 2;
  return Sad ? Sad->XToDevice(w) : w;
}

void TUVBulletItemInfo::Paint(Integer X, Integer Y, TCanvas* Canvas, TUVTextDrawStates State, TUVStyle* Style,
                              TUVDrawLineInfo*) {
  if (!ImageList) return;
  Integer index = GetActiveImageIndex(State.Contains(uvtsItemStart));
  if (index >= 0 && index < ImageList->GetCount()) {
    UINT style = ILD_TRANSPARENT;
    COLORREF blend = CLR_NONE;
    if (State.Contains(uvtsSelected) && Style) {
      TColor sel = State.Contains(uvtsControlFocused) ? Style->SelColor : Style->InactiveSelColor;
      if (sel != clNone) {
        style |= ILD_BLEND25;
        blend = static_cast<COLORREF>(ColorToRGB(sel));
      }
    }
    ::ImageList_DrawEx(ImageList->GetHandle(), index, Canvas->GetHandle(), X + 1, Y + 1, 0, 0, CLR_NONE, blend, style);
  }
  if (State.Contains(uvtsHover) && Style && Style->HoverColor != clNone) {
    Canvas->GetBrush()->SetStyle(bsClear);
    Canvas->GetPen()->SetColor(Style->HoverColor);
    Canvas->GetPen()->SetWidth(1);
    Canvas->Rectangle(X - 1, Y - 1, X + GetImageWidth(Style) + 3, Y + GetImageHeight(Style) + 3);
  }
}

bool TUVBulletItemInfo::PrintToBitmap(TBitmap* Bitmap, bool, TCustomUVData*, TUVDrawLineInfo*, Integer) {
  if (!ImageList || ImageIndex < 0 || ImageIndex >= ImageList->GetCount()) return false;
  ImageList->Draw(Bitmap->GetCanvas(), 0, 0, ImageIndex);
  return true;
}

AnsiString TUVBulletItemInfo::GetUVFExtraHeader(TCustomUVData*) {
  return Format("%d %d", ImageList ? ImageList->Tag : 0, ImageIndex);
}

bool TUVBulletItemInfo::ReadUVFHeader(const char*& P, TCustomUVData* UVData) {
  Integer listTag = 0;
  Integer index = 0;
  if (!UVFReadInteger(P, listTag) || !UVFReadInteger(P, index)) return false;
  ImageList = UVData ? UVData->UVFImageListNeeded(listTag) : nullptr;
  ImageIndex = index;
  if (ImageList && ImageIndex >= ImageList->GetCount()) {
    UVData->SetUVFWarnings(UVData->GetUVFWarnings() | uvfwLargeImageIndexConverted);
    if (!UVData->GetUVFOptions().Contains(uvfoConvLargeImageIdxToZero)) return false;
    ImageIndex = 0;
  }
  return true;
}



void TUVBulletItemInfo::SaveRTF(TStream* Stream, const AnsiString&, TCustomUVData* UVData, Integer,
                                const AnsiString&, TUVRTFSaveContext&) {
  UVSaveImageListImageToRTF(Stream, ImageList, ImageIndex, UVData->GetRTFOptions());
}

void TUVBulletItemInfo::SaveHTML(TStream* Stream, TCustomUVData* UVData, Integer, const AnsiString&,
                                 const AnsiString& Path, const AnsiString& ImgSavePrefix, Integer& ImgSaveNo,
                                 TColor CurrentParaColor, Integer SaveOptions, bool UseCSS,
                                 TUVHTMLImageCache* Images) {
  if (!ImageList || !Images || ImageIndex < 0 || ImageIndex >= ImageList->GetCount()) return;
  AnsiString location = Images->GetImageFile(UVData, ImageList, ImageIndex, nullptr, CurrentParaColor, Path,
                                             ImgSavePrefix, ImgSaveNo, SaveOptions & 1);
  if (location.empty()) return;
  UVFWrite(Stream, HTMLImageTag(location, SaveOptions & 64, SaveOptions, UseCSS));
}

// ---------------------------------------------------------------------------------------------
// TUVHotspotItemInfo

TUVHotspotItemInfo::TUVHotspotItemInfo(TCustomUVData* UVData) : TUVBulletItemInfo(UVData) { StyleNo = uvsHotspot; }

TUVHotspotItemInfo::TUVHotspotItemInfo(TCustomUVData* UVData, TCustomImageList* AImageList, Integer AImageIndex,
                                       Integer AHotImageIndex, Byte AVAlign)
    : TUVBulletItemInfo(UVData, AImageList, AImageIndex, AVAlign), HotImageIndex(AHotImageIndex) {
  StyleNo = uvsHotspot;
}

void TUVHotspotItemInfo::Assign(TPersistent* Source) {
  if (auto* h = dynamic_cast<TUVHotspotItemInfo*>(Source)) HotImageIndex = h->HotImageIndex;
  TUVBulletItemInfo::Assign(Source);
}

bool TUVHotspotItemInfo::QueryStyledFlag(Integer Code, TUVStyle* Style) {
  switch (Code) {
    case uvbspJump:
    case uvbspAllowsFocus:
    case uvbspXORFocus:
      return true;
    case uvbspHotColdJump:
      return ImageIndex != HotImageIndex;
    default:
      return TUVBulletItemInfo::QueryStyledFlag(Code, Style);
  }
}

AnsiString TUVHotspotItemInfo::GetUVFExtraHeader(TCustomUVData* UVData) {
  return Format("%s %d", TUVBulletItemInfo::GetUVFExtraHeader(UVData), HotImageIndex);
}

bool TUVHotspotItemInfo::ReadUVFHeader(const char*& P, TCustomUVData* UVData) {
  if (!TUVBulletItemInfo::ReadUVFHeader(P, UVData)) return false;
  HotImageIndex = ImageIndex;
  if (!*P) return true;
  Integer hot = 0;
  if (!UVFReadInteger(P, hot)) return false;
  HotImageIndex = hot;
  if (ImageList && HotImageIndex >= ImageList->GetCount()) {
    UVData->SetUVFWarnings(UVData->GetUVFWarnings() | uvfwLargeImageIndexConverted);
    if (!UVData->GetUVFOptions().Contains(uvfoConvLargeImageIdxToZero)) return false;
    HotImageIndex = 0;
  }
  return true;
}

void TUVHotspotItemInfo::NotifyHyperlink(TCustomUVData* UVData) {
  if (auto* formatted = dynamic_cast<TCustomUVFormattedData*>(UVData))
    formatted->NotifyHyperlinkNo(UVData->FirstJumpNo + HyperlinkId);
}

// ---------------------------------------------------------------------------------------------
// TUVMultiImagePrintInfo

TUVMultiImagePrintInfo::TUVMultiImagePrintInfo(TUVRectItemInfo* AItem, const TUVScreenAndDevice& ASad,
                                               Integer AScreenHeight)
    : Item(AItem), Sad(ASad), ScreenHeight(AScreenHeight) {}

// A part takes the rows it shows of the picture and the item's inset above them, and the last
// part the inset below as well, so that what follows the item on the page comes below its box.

Integer TUVMultiImagePrintInfo::PartHeight(Integer From, Integer ScreenSpace) const {
  Integer inset = Item->GetVertInset();
  Integer rest = ScreenHeight - From;
  if (rest + inset <= ScreenSpace) return rest;
  Integer minimum = Item->MinHeightOnPage;
  // Cut only where both the part and what stays for the next page are tall enough.
  if (ScreenSpace < minimum) return 0;
  Integer cut = ScreenSpace;
  if (rest - cut < minimum) cut = rest - minimum;
  return cut >= minimum ? cut : 0;
}

void TUVMultiImagePrintInfo::SetDeviceSize(TUVImagePrintPart* Part) const {
  Integer inset = Item->GetVertInset();
  bool last = Part->ImgTop + Part->ImgHeight >= ScreenHeight;
  Part->Top = Sad.YToDevice(Part->ImgTop);
  Part->Height = Sad.YToDevice(Part->ImgHeight + (last ? 2 * inset : inset));
}

bool TUVMultiImagePrintInfo::StartPages() {
  ResetPages();
  auto* part = new TUVImagePrintPart();
  part->ImgHeight = ScreenHeight;
  SetDeviceSize(part);
  PartsList.Add(part);
  return true;
}

Integer TUVMultiImagePrintInfo::ScreenRoom(Integer Y) const {
  // Rounded down, and less the inset above the picture, so that a part never takes more than
  // the room it was given.
  Integer room = Y <= 0 ? 0 : static_cast<Integer>(static_cast<Int64>(Y) * Sad.ScreenPpiY / Sad.DevicePpiY);
  return std::max(room - Item->GetVertInset(), 0);
}

bool TUVMultiImagePrintInfo::CanSplitFirst(Integer Y) { return PartHeight(0, ScreenRoom(Y)) > 0; }

bool TUVMultiImagePrintInfo::SplitAt(Integer Y) {
  if (PartsList.GetCount() == 0) throw EUzurUvadError("Internal printing error");
  TUVImagePrintPart* last = GetImagePart(PartsList.GetCount() - 1);
  Integer space = ScreenRoom(Y);
  Integer rest = last->ImgHeight;
  Integer cut = PartHeight(last->ImgTop, space);
  if (cut >= rest) return false;
  // A page that cannot hold a part of the minimal height still takes what fits, and at least a
  // row, so that pagination always gets on.
  if (cut <= 0) cut = std::clamp(space, 1, rest - 1);
  if (cut <= 0) return false;
  auto* next = new TUVImagePrintPart();
  next->ImgTop = last->ImgTop + cut;
  next->ImgHeight = rest - cut;
  last->ImgHeight = cut;
  SetDeviceSize(last);
  SetDeviceSize(next);
  PartsList.Add(next);
  return true;
}
