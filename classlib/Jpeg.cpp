// TJPEGImage: coding and decoding through libjpeg.
#include "classlib/Jpeg.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "classlib/SysUtils.h"

// libjpeg's Windows configuration takes `boolean` from the Windows headers (unsigned char).
#include <jerror.h>
#include <jpeglib.h>

namespace {

// libjpeg reports fatal errors through error_exit, which must not return: it throws, and the
// owners below free libjpeg's state on the way out.
struct ErrorManager {
  jpeg_error_mgr pub;
};

[[noreturn]] void ThrowError(j_common_ptr cinfo) {
  char message[JMSG_LENGTH_MAX] = {};
  cinfo->err->format_message(cinfo, message);
  throw EJPEG(Format("JPEG error #%d: %s", {cinfo->err->msg_code, AnsiString(message)}));
}

// Warnings (such as data ending early) let decoding go on; they are not printed anywhere.
void IgnoreMessage(j_common_ptr) {}

void InitErrors(ErrorManager& errors) {
  jpeg_std_error(&errors.pub);
  errors.pub.error_exit = ThrowError;
  errors.pub.output_message = IgnoreMessage;
}

class Decompressor {
public:
  Decompressor(const std::string& data) {
    InitErrors(errors_);
    info_.err = &errors_.pub;
    jpeg_create_decompress(&info_);
    if (data.empty()) throw EJPEG("JPEG error: no data");
    jpeg_mem_src(&info_, reinterpret_cast<const unsigned char*>(data.data()), static_cast<unsigned long>(data.size()));
    jpeg_read_header(&info_, TRUE);
  }
  ~Decompressor() { jpeg_destroy_decompress(&info_); }
  Decompressor(const Decompressor&) = delete;
  Decompressor& operator=(const Decompressor&) = delete;
  jpeg_decompress_struct* operator->() { return &info_; }
  jpeg_decompress_struct* get() { return &info_; }

private:
  ErrorManager errors_;
  jpeg_decompress_struct info_{};
};

class Compressor {
public:
  Compressor() {
    InitErrors(errors_);
    info_.err = &errors_.pub;
    jpeg_create_compress(&info_);
    jpeg_mem_dest(&info_, &buffer_, &size_);
  }
  ~Compressor() {
    jpeg_destroy_compress(&info_);
    std::free(buffer_);
  }
  Compressor(const Compressor&) = delete;
  Compressor& operator=(const Compressor&) = delete;
  jpeg_compress_struct* operator->() { return &info_; }
  jpeg_compress_struct* get() { return &info_; }
  std::string Result() const { return std::string(reinterpret_cast<const char*>(buffer_), size_); }

private:
  ErrorManager errors_;
  jpeg_compress_struct info_{};
  unsigned char* buffer_ = nullptr;
  unsigned long size_ = 0;
};

Integer ScaledSize(Integer size, TJPEGScale scale) {
  const Integer denominator = 1 << static_cast<int>(scale);
  return (size + denominator - 1) / denominator;
}

}  // namespace

TJPEGImage::~TJPEGImage() { delete FBitmap; }

void TJPEGImage::FreeBitmap() {
  delete FBitmap;
  FBitmap = nullptr;
}

void TJPEGImage::ReadHeader() {
  Decompressor d(FData);
  FImageWidth = static_cast<Integer>(d->image_width);
  FImageHeight = static_cast<Integer>(d->image_height);
  FGrayscale = d->jpeg_color_space == JCS_GRAYSCALE;
}

bool TJPEGImage::GetEmpty() { return FData.empty() && (!FBitmap || FBitmap->GetEmpty()); }

Integer TJPEGImage::GetWidth() {
  if (FData.empty()) return FBitmap ? FBitmap->GetWidth() : 0;
  return ScaledSize(FImageWidth, FScale);
}

Integer TJPEGImage::GetHeight() {
  if (FData.empty()) return FBitmap ? FBitmap->GetHeight() : 0;
  return ScaledSize(FImageHeight, FScale);
}

void TJPEGImage::SetWidth(Integer) { throw EInvalidGraphicOperation("Cannot change the size of a JPEG image"); }

void TJPEGImage::SetHeight(Integer) { throw EInvalidGraphicOperation("Cannot change the size of a JPEG image"); }

void TJPEGImage::SetCompressionQuality(Integer Value) { FQuality = std::clamp(Value, 1, 100); }

// The decoding settings change the pixels made from the JPEG bytes: they are decoded again
// when next needed (pixels that were assigned, with no JPEG bytes, stay).
void TJPEGImage::SetGrayscale(bool Value) {
  if (Value == FGrayscale) return;
  FGrayscale = Value;
  if (!FData.empty()) FreeBitmap();
  Changed(this);
}

void TJPEGImage::SetPixelFormat(TJPEGPixelFormat Value) {
  if (Value == FPixelFormat) return;
  FPixelFormat = Value;
  if (!FData.empty()) FreeBitmap();
  Changed(this);
}

void TJPEGImage::SetPerformance(TJPEGPerformance Value) {
  if (Value == FPerformance) return;
  FPerformance = Value;
  if (!FData.empty()) FreeBitmap();
  Changed(this);
}

void TJPEGImage::SetScale(TJPEGScale Value) {
  if (Value == FScale) return;
  FScale = Value;
  if (!FData.empty()) FreeBitmap();
  Changed(this);
}

void TJPEGImage::SetSmoothing(bool Value) {
  if (Value == FSmoothing) return;
  FSmoothing = Value;
  if (!FData.empty()) FreeBitmap();
  Changed(this);
}

void TJPEGImage::Decode() {
  Decompressor d(FData);
  d->scale_num = 1;
  d->scale_denom = 1u << static_cast<int>(FScale);
  if (FPerformance == jpBestSpeed) {
    d->dct_method = JDCT_IFAST;
    d->do_fancy_upsampling = FALSE;
  }
  d->do_block_smoothing = FSmoothing ? TRUE : FALSE;
  const bool cmyk = d->jpeg_color_space == JCS_CMYK || d->jpeg_color_space == JCS_YCCK;
  const bool gray = !cmyk && (FGrayscale || d->jpeg_color_space == JCS_GRAYSCALE);
  d->out_color_space = cmyk ? JCS_CMYK : gray ? JCS_GRAYSCALE : JCS_EXT_BGR;
  jpeg_start_decompress(d.get());

  const Integer width = static_cast<Integer>(d->output_width), height = static_cast<Integer>(d->output_height);
  auto bitmap = std::make_unique<TBitmap>();
  const bool eightBit = gray && FPixelFormat == jf8Bit;
  bitmap->SetPixelFormat(eightBit ? pf8bit : pf24bit);
  bitmap->SetSize(width, height);
  if (eightBit) {
    std::vector<Byte> buffer(sizeof(LOGPALETTE) + 256 * sizeof(PALETTEENTRY));
    auto* lp = reinterpret_cast<LOGPALETTE*>(buffer.data());
    lp->palVersion = 0x300;
    lp->palNumEntries = 256;
    for (int i = 0; i < 256; ++i) lp->palPalEntry[i] = PALETTEENTRY{Byte(i), Byte(i), Byte(i), 0};
    bitmap->SetPalette(::CreatePalette(lp));
  }
  std::vector<Byte> row(std::size_t(width) * (cmyk ? 4 : gray ? 1 : 3));
  while (d->output_scanline < d->output_height) {
    const Integer y = static_cast<Integer>(d->output_scanline);
    auto* target = static_cast<Byte*>(bitmap->GetScanLine(y));
    JSAMPROW rows[1] = {(eightBit || (!gray && !cmyk)) ? target : row.data()};
    jpeg_read_scanlines(d.get(), rows, 1);
    if (cmyk) {
      // Adobe writes CMYK inverted: each stored value is 255 minus the ink.
      for (Integer x = 0; x < width; ++x) {
        const Byte* p = &row[4 * std::size_t(x)];
        target[3 * x] = Byte(p[2] * p[3] / 255);
        target[3 * x + 1] = Byte(p[1] * p[3] / 255);
        target[3 * x + 2] = Byte(p[0] * p[3] / 255);
      }
    } else if (gray && !eightBit) {
      for (Integer x = 0; x < width; ++x) target[3 * x] = target[3 * x + 1] = target[3 * x + 2] = row[x];
    }
  }
  jpeg_finish_decompress(d.get());
  FreeBitmap();
  FBitmap = bitmap.release();
}

void TJPEGImage::DIBNeeded() {
  if (!FBitmap && !FData.empty()) Decode();
}

void TJPEGImage::JPEGNeeded() {
  if (FData.empty() && FBitmap && !FBitmap->GetEmpty()) Compress();
}

void TJPEGImage::Compress() {
  DIBNeeded();
  if (!FBitmap || FBitmap->GetEmpty()) return;
  // libjpeg reads rows of blue, green, red bytes: other formats are converted on a copy.
  TBitmap* source = FBitmap;
  std::unique_ptr<TBitmap> converted;
  if (source->GetPixelFormat() != pf24bit) {
    converted = std::make_unique<TBitmap>();
    converted->Assign(source);
    converted->SetPixelFormat(pf24bit);
    source = converted.get();
  }
  Compressor c;
  c->image_width = static_cast<JDIMENSION>(source->GetWidth());
  c->image_height = static_cast<JDIMENSION>(source->GetHeight());
  c->input_components = 3;
  c->in_color_space = JCS_EXT_BGR;
  jpeg_set_defaults(c.get());
  if (FGrayscale) jpeg_set_colorspace(c.get(), JCS_GRAYSCALE);
  jpeg_set_quality(c.get(), FQuality, TRUE);
  if (ProgressiveEncoding) jpeg_simple_progression(c.get());
  if (FPerformance == jpBestSpeed) c->dct_method = JDCT_IFAST;
  jpeg_start_compress(c.get(), TRUE);
  while (c->next_scanline < c->image_height) {
    JSAMPROW rows[1] = {static_cast<JSAMPROW>(source->GetScanLine(static_cast<Integer>(c->next_scanline)))};
    jpeg_write_scanlines(c.get(), rows, 1);
  }
  jpeg_finish_compress(c.get());
  FData = c.Result();
  FImageWidth = source->GetWidth();
  FImageHeight = source->GetHeight();
}

void TJPEGImage::Assign(TPersistent* Source) {
  if (!Source) {
    FData.clear();
    FreeBitmap();
    FImageWidth = FImageHeight = 0;
    Changed(this);
    return;
  }
  if (auto* jpeg = dynamic_cast<TJPEGImage*>(Source)) {
    if (jpeg == this) return;
    FData = jpeg->FData;
    FImageWidth = jpeg->FImageWidth;
    FImageHeight = jpeg->FImageHeight;
    FQuality = jpeg->FQuality;
    FGrayscale = jpeg->FGrayscale;
    FPixelFormat = jpeg->FPixelFormat;
    FPerformance = jpeg->FPerformance;
    FScale = jpeg->FScale;
    FSmoothing = jpeg->FSmoothing;
    ProgressiveEncoding = jpeg->ProgressiveEncoding;
    FreeBitmap();
    if (jpeg->FBitmap) {
      FBitmap = new TBitmap;
      FBitmap->Assign(jpeg->FBitmap);
    }
    Changed(this);
    return;
  }
  if (auto* bitmap = dynamic_cast<TBitmap*>(Source)) {
    auto copy = std::make_unique<TBitmap>();
    copy->Assign(bitmap);
    FData.clear();
    FreeBitmap();
    FBitmap = copy.release();
    FImageWidth = FBitmap->GetWidth();
    FImageHeight = FBitmap->GetHeight();
    Changed(this);
    return;
  }
  inherited::Assign(Source);
}

void TJPEGImage::AssignTo(TPersistent* Dest) {
  if (auto* bitmap = dynamic_cast<TBitmap*>(Dest)) {
    DIBNeeded();
    bitmap->Assign(FBitmap);
    return;
  }
  inherited::AssignTo(Dest);
}

void TJPEGImage::LoadFromStream(TStream* Stream) {
  const Int64 available = Stream->GetSize() - Stream->GetPosition();
  std::string data(static_cast<std::size_t>(std::max<Int64>(available, 0)), '\0');
  if (!data.empty()) Stream->ReadBuffer(data.data(), static_cast<Integer>(data.size()));
  std::string previous;
  previous.swap(FData);
  FData.swap(data);
  try {
    ReadHeader();
  } catch (...) {
    FData.swap(previous);
    throw;
  }
  FreeBitmap();
  Changed(this);
}

void TJPEGImage::SaveToStream(TStream* Stream) {
  JPEGNeeded();
  if (!FData.empty()) Stream->WriteBuffer(FData.data(), static_cast<Integer>(FData.size()));
}

void TJPEGImage::ReadData(TStream* Stream) {
  LongInt size = 0;
  Stream->ReadBuffer(&size, sizeof size);
  std::string data(static_cast<std::size_t>(std::max<LongInt>(size, 0)), '\0');
  if (!data.empty()) Stream->ReadBuffer(data.data(), size);
  TStringStream block(data);
  LoadFromStream(&block);
}

void TJPEGImage::WriteData(TStream* Stream) {
  JPEGNeeded();
  const LongInt size = static_cast<LongInt>(FData.size());
  Stream->WriteBuffer(&size, sizeof size);
  if (size) Stream->WriteBuffer(FData.data(), size);
}

void TJPEGImage::Draw(TCanvas* ACanvas, const TRect& Rect) {
  DIBNeeded();
  if (FBitmap) ACanvas->StretchDraw(Rect, FBitmap);
}
