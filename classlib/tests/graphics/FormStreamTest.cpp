// Fonts, pens, brushes, pictures and image lists in the form stream.
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "classlib/Filer.h"
#include "classlib/FormText.h"
#include "classlib/ImgList.h"
#include "classlib/Jpeg.h"
#include "tests/support/TestSupport.h"

namespace {

// A component that publishes a font, a pen, a brush and a picture, as controls do.
class TSwatch : public TComponent {
  CLASS_INFO(TSwatch, TComponent)
public:
  explicit TSwatch(TComponent* AOwner) : TComponent(AOwner) {}
  ~TSwatch() override {
    delete FFont;
    delete FPen;
    delete FBrush;
    delete FPicture;
  }
  TFont* GetFont() const { return FFont; }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  TPen* GetPen() const { return FPen; }
  void SetPen(TPen* Value) { FPen->Assign(Value); }
  TBrush* GetBrush() const { return FBrush; }
  void SetBrush(TBrush* Value) { FBrush->Assign(Value); }
  TPicture* GetPicture() const { return FPicture; }
  void SetPicture(TPicture* Value) { FPicture->Assign(Value); }

private:
  TFont* FFont = new TFont;
  TPen* FPen = new TPen;
  TBrush* FBrush = new TBrush;
  TPicture* FPicture = new TPicture;
};

}  // namespace

PUBLISHED(TSwatch) {
  Prop("Brush", &TSwatch::GetBrush, &TSwatch::SetBrush);
  Prop("Font", &TSwatch::GetFont, &TSwatch::SetFont);
  Prop("Pen", &TSwatch::GetPen, &TSwatch::SetPen);
  Prop("Picture", &TSwatch::GetPicture, &TSwatch::SetPicture);
}

namespace {

std::string Binary(TComponent* component) {
  TStringStream stream;
  WriteComponentToStream(&stream, component);
  return stream.GetDataString();
}

std::string Text(const std::string& binary) {
  TStringStream in(binary), out;
  ObjectBinaryToText(&in, &out);
  return out.GetDataString();
}

void Read(const std::string& binary, TComponent* into) {
  TStringStream in(binary);
  ReadComponentFromStream(&in, into);
}

TEST(FormStream, FontsPensAndBrushesByTheirNames) {
  TSwatch swatch(nullptr);
  swatch.SetName("Swatch1");
  swatch.GetFont()->SetName("Arial");
  swatch.GetFont()->SetSize(12);
  swatch.GetFont()->SetColor(clRed);
  swatch.GetFont()->SetCharset(ANSI_CHARSET);
  swatch.GetFont()->SetStyle({fsBold, fsUnderline});
  swatch.GetPen()->SetColor(clBtnShadow);
  swatch.GetPen()->SetStyle(psDot);
  swatch.GetBrush()->SetColor(0x123456);
  const std::string binary = Binary(&swatch);
  const std::string text = Text(binary);
  for (const char* line : {"Font.Charset = ANSI_CHARSET", "Font.Color = clRed", "Font.Height = -16",
                           "Font.Name = 'Arial'", "Font.Style = [fsBold, fsUnderline]", "Pen.Color = clBtnShadow",
                           "Pen.Style = psDot", "Brush.Color = 1193046"})
    EXPECT_NE(text.find(line), std::string::npos) << line << " in\n" << text;
  // Values at their defaults are not written, nor Size (Height holds it).
  for (const char* absent : {"Font.Size", "Font.Pitch", "Pen.Width", "Pen.Mode", "Brush.Style", "Picture.Data"})
    EXPECT_EQ(text.find(absent), std::string::npos) << absent << " in\n" << text;

  TSwatch read(nullptr);
  Read(binary, &read);
  EXPECT_EQ(read.GetFont()->GetName(), "Arial");
  EXPECT_EQ(read.GetFont()->GetSize(), 12);
  EXPECT_EQ(read.GetFont()->GetColor(), clRed);
  EXPECT_EQ(read.GetFont()->GetCharset(), ANSI_CHARSET);
  EXPECT_EQ(read.GetFont()->GetStyle(), (TFontStyles{fsBold, fsUnderline}));
  EXPECT_EQ(read.GetPen()->GetColor(), clBtnShadow);
  EXPECT_EQ(read.GetPen()->GetStyle(), psDot);
  EXPECT_EQ(read.GetBrush()->GetColor(), 0x123456);
}

TEST(FormStream, PicturesKeepTheirKindAndData) {
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf24bit);
  bitmap.SetSize(3, 2);
  bitmap.GetCanvas()->SetPixels(1, 1, clRed);
  TJPEGImage jpeg;
  jpeg.Assign(&bitmap);
  for (TGraphic* graphic : {static_cast<TGraphic*>(&bitmap), static_cast<TGraphic*>(&jpeg)}) {
    TSwatch swatch(nullptr);
    swatch.GetPicture()->SetGraphic(graphic);
    const std::string binary = Binary(&swatch);
    EXPECT_NE(Text(binary).find("Picture.Data = {"), std::string::npos);
    TSwatch read(nullptr);
    Read(binary, &read);
    ASSERT_NE(read.GetPicture()->GetGraphic(), nullptr);
    EXPECT_EQ(read.GetPicture()->GetGraphic()->ClassType(), graphic->ClassType());
    EXPECT_TRUE(read.GetPicture()->GetGraphic()->Equals(swatch.GetPicture()->GetGraphic()));
  }
}

TEST(FormStream, ImageListsWithTheirPictures) {
  TImageList list(4, 4);
  list.SetName("Images");
  TBitmap glyph;
  glyph.SetPixelFormat(pf24bit);
  glyph.SetSize(8, 4);
  glyph.GetCanvas()->GetBrush()->SetColor(clFuchsia);
  glyph.GetCanvas()->FillRect(Rect(0, 0, 8, 4));
  glyph.GetCanvas()->GetBrush()->SetColor(clBlue);
  glyph.GetCanvas()->FillRect(Rect(5, 1, 7, 3));
  list.AddMasked(&glyph, clFuchsia);
  list.SetBkColor(clBlack);
  const std::string binary = Binary(&list);
  const std::string text = Text(binary);
  for (const char* line : {"Height = 4", "Width = 4", "BkColor = clBlack", "Bitmap = {"})
    EXPECT_NE(text.find(line), std::string::npos) << line << " in\n" << text;

  TImageList read(nullptr);
  Read(binary, &read);
  EXPECT_EQ(read.GetCount(), 2);
  EXPECT_EQ(read.GetWidth(), 4);
  EXPECT_EQ(read.GetBkColor(), clBlack);
  TBitmap second;
  second.SetPixelFormat(pf24bit);
  read.SetBkColor(clNone);
  ASSERT_TRUE(read.GetBitmap(1, &second));
  EXPECT_EQ(second.GetCanvas()->GetPixels(1, 1), clBlue);
}

}  // namespace
