// Images: a bitmap or JPEG picture encoded once, when it is added, as deflated RGB samples, JPEG
// data or CCITT fax data, and written once as an image XObject.
#include "pdf/PDF.h"

#include <memory>

#include "classlib/Jpeg.h"
#include "pdf/pdfCCITT.h"
#include "pdf/pdfResources.h"
#include "pdf/pdfZLib.h"

TPDFImage::TPDFImage(TGraphic* Image, TImageCompressionType Compression, TPDFDocument* Owner)
    : Compression(Compression), Data(new TMemoryStream) {
  // An image that cannot be encoded is never made, and its data go with it.
  std::unique_ptr<TMemoryStream> data(Data);
  auto* jpeg = dynamic_cast<TJPEGImage*>(Image);
  auto* bitmap = dynamic_cast<TBitmap*>(Image);
  if (!jpeg && !bitmap) throw TPDFException(SNotValidImage);
  Width = Image->GetWidth();
  Height = Image->GetHeight();
  switch (Compression) {
    case itcJpeg: {
      TJPEGImage encoded;
      encoded.Assign(Image);
      encoded.SetCompressionQuality(Owner ? Owner->GetJPEGQuality() : 80);
      encoded.SaveToStream(Data);
      GrayScale = encoded.GetGrayscale();
      BitPerPixel = 8;
      break;
    }
    case itcFlate: {
      TBitmap rgb;
      rgb.Assign(Image);
      rgb.SetPixelFormat(pf24bit);
      const Integer rowBytes = Width * 3;
      AnsiString row(rowBytes, '\0');
      TCompressionStream deflate(TCompressionLevel::clDefault, Data);
      for (Integer y = 0; y < Height; ++y) {
        const Byte* bgr = static_cast<const Byte*>(rgb.GetScanLine(y));
        for (Integer x = 0; x < Width; ++x) {
          row[3 * x] = static_cast<char>(bgr[3 * x + 2]);
          row[3 * x + 1] = static_cast<char>(bgr[3 * x + 1]);
          row[3 * x + 2] = static_cast<char>(bgr[3 * x]);
        }
        deflate.WriteBuffer(row.data(), rowBytes);
      }
      deflate.Finish();
      BitPerPixel = 8;
      break;
    }
    default: {
      if (!bitmap) throw TPDFException(SCCITTCompressionWorkOnlyForBitmap);
      CCITTCompress(bitmap, Data, Compression - itcCCITT3);
      BitPerPixel = 1;
      break;
    }
  }
  Data->SetPosition(0);
  data.release();
}

TPDFImage::~TPDFImage() { delete Data; }

void TPDFImage::Save(TPDFDocument* Doc) {
  if (Saved) return;
  Doc->StartObj(ObjectNumber);
  Doc->SaveToStream("/Type /XObject");
  Doc->SaveToStream("/Subtype /Image");
  Doc->SaveToStream(BitPerPixel == 1 || GrayScale ? "/ColorSpace /DeviceGray" : "/ColorSpace /DeviceRGB");
  Doc->SaveToStream("/BitsPerComponent " + IStr(BitPerPixel));
  Doc->SaveToStream("/Width " + IStr(Width));
  Doc->SaveToStream("/Height " + IStr(Height));
  switch (Compression) {
    case itcFlate: Doc->SaveToStream("/Filter /FlateDecode"); break;
    case itcJpeg: Doc->SaveToStream("/Filter /DCTDecode"); break;
    default: Doc->SaveToStream("/Filter [/CCITTFaxDecode]"); break;
  }
  const Int64 size = Data->GetSize();
  Doc->SaveToStream("/Length " + IStr(static_cast<Integer>(size)));
  if (Compression >= itcCCITT3) {
    static const char* const k[] = {"0", "1", "-1"};
    Doc->SaveToStream(AnsiString("/DecodeParms [<</K ") + k[Compression - itcCCITT3] + " /Columns " + IStr(Width) +
                      " /Rows " + IStr(Height) + ">>]");
  }
  Doc->CloseHObj();
  Doc->StartStream();
  Doc->WriteStreamData(Data->GetMemory(), static_cast<std::size_t>(size), ObjectNumber);
  Doc->CloseStream();
  Doc->CloseObj();
  Data->Clear();
  Saved = true;
}

TPDFImages::~TPDFImages() = default;

TPDFImage* TPDFImages::Add(TGraphic* Image, TImageCompressionType Compression) {
  auto image = std::make_unique<TPDFImage>(Image, Compression, FOwner);
  image->Name = "Im" + IStr(GetCount());
  FImages.push_back(std::move(image));
  return FImages.back().get();
}

void TPDFImages::Clear() { FImages.clear(); }
