// Recording on a metafile canvas: the records that readers of the metafile rely on, and saving
// and loading the metafile.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "classlib/Bitmaps.h"
#include "classlib/Classes.h"
#include "classlib/Metafiles.h"
#include "tests/support/TestSupport.h"

namespace {

struct Record {
  DWORD Type;
  std::string Bytes;  // the whole record
  template <class T>
  T At(std::size_t offset) const {
    T value{};
    std::memcpy(&value, Bytes.data() + offset, sizeof value);
    return value;
  }
};

std::string Save(TMetafile* metafile) {
  TStringStream stream;
  metafile->SaveToStream(&stream);
  return stream.GetDataString();
}

std::vector<Record> Records(const std::string& emf) {
  std::vector<Record> records;
  for (std::size_t offset = 0; offset + 8 <= emf.size();) {
    DWORD type, size;
    std::memcpy(&type, emf.data() + offset, 4);
    std::memcpy(&size, emf.data() + offset + 4, 4);
    records.push_back({type, emf.substr(offset, size)});
    if (size == 0) break;
    offset += size;
  }
  return records;
}

// Which GDI objects (by metafile object index) are selected when each record is played.
class Replay {
public:
  explicit Replay(const std::vector<Record>& records) : records_(records) {}
  // The index of the first record of the type from `from` on, or -1.
  int Find(DWORD type, int from = 0) const {
    for (int i = from; i < static_cast<int>(records_.size()); ++i)
      if (records_[i].Type == type) return i;
    return -1;
  }
  int Count(DWORD type) const {
    int n = 0;
    for (const Record& r : records_) n += r.Type == type;
    return n;
  }
  // The creation record of the object selected of the kind (a creation record type) at record i.
  const Record* Selected(int i, DWORD creationType) const {
    std::map<DWORD, const Record*> objects;
    const Record* selected = nullptr;
    for (int k = 0; k < i; ++k) {
      const Record& r = records_[k];
      if (r.Type == EMR_CREATEPEN || r.Type == EMR_CREATEBRUSHINDIRECT || r.Type == EMR_EXTCREATEFONTINDIRECTW)
        objects[r.At<DWORD>(8)] = &r;
      if (r.Type == EMR_SELECTOBJECT) {
        const DWORD index = r.At<DWORD>(8);
        if (index & 0x80000000) {
          // A stock object replaces whatever of its kind was selected; we only track ours.
          const DWORD stock = index & 0x7FFFFFFF;
          const bool isPen = stock >= WHITE_PEN && stock <= NULL_PEN;
          const bool isFont = stock >= OEM_FIXED_FONT && stock <= DEFAULT_GUI_FONT && stock != DEFAULT_PALETTE;
          if ((creationType == EMR_CREATEPEN && isPen) || (creationType == EMR_EXTCREATEFONTINDIRECTW && isFont) ||
              (creationType == EMR_CREATEBRUSHINDIRECT && stock <= NULL_BRUSH))
            selected = nullptr;
        } else if (objects.count(index) && objects[index]->Type == creationType) {
          selected = objects[index];
        }
      }
    }
    return selected;
  }

private:
  const std::vector<Record>& records_;
};

std::unique_ptr<TBitmap> Checkerboard() {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetPixelFormat(pf24bit);
  bitmap->SetSize(4, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) bitmap->GetCanvas()->SetPixels(x, y, (x + y) % 2 ? clRed : clBlue);
  return bitmap;
}

TEST(Metafile, RecordsTextShapesAndBitmapsAsItsReadersExpect) {
  TMetafile metafile;
  metafile.SetWidth(400);
  metafile.SetHeight(300);
  auto bitmap = Checkerboard();
  Integer textWidth;
  {
    TMetafileCanvas canvas(&metafile, nullptr);
    canvas.GetFont()->SetName("Arial");
    canvas.GetFont()->SetSize(12);
    canvas.GetFont()->SetColor(clRed);
    canvas.GetBrush()->SetStyle(bsClear);
    canvas.TextOut(10, 20, AnsiString("Hello"));
    textWidth = canvas.TextWidth(AnsiString("Hello"));
    canvas.GetPen()->SetColor(clBlue);
    canvas.GetPen()->SetWidth(2);
    canvas.GetBrush()->SetColor(clYellow);
    canvas.Rectangle(5, 5, 50, 40);
    canvas.Rectangle(60, 5, 90, 40);  // same pen and brush: nothing selected again
    canvas.StretchDraw(Rect(100, 100, 140, 140), bitmap.get());
  }
  ASSERT_FALSE(metafile.GetEmpty());
  const std::string emf = Save(&metafile);
  const std::vector<Record> records = Records(emf);
  Replay replay(records);
  ASSERT_EQ(records.front().Type, EMR_HEADER);
  ASSERT_EQ(records.back().Type, EMR_EOF);

  // Text: the wide-text record with the advances GDI laid out, in the selected font and colour.
  const int text = replay.Find(EMR_EXTTEXTOUTW);
  ASSERT_GE(text, 0);
  const Record& t = records[text];
  EXPECT_EQ(t.At<LONG>(36), 10);  // reference point
  EXPECT_EQ(t.At<LONG>(40), 20);
  ASSERT_EQ(t.At<DWORD>(44), 5u);  // characters
  EXPECT_EQ(t.Bytes.substr(t.At<DWORD>(48), 10), std::string("H\0e\0l\0l\0o\0", 10));
  const DWORD offDx = t.At<DWORD>(72);
  ASSERT_NE(offDx, 0u);
  Integer advances = 0;
  for (int i = 0; i < 5; ++i) advances += t.At<LONG>(offDx + 4 * i);
  EXPECT_EQ(advances, textWidth);
  const Record* font = replay.Selected(text, EMR_EXTCREATEFONTINDIRECTW);
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(font->At<LONG>(12), -16);  // lfHeight of 12 points at 96 pixels per inch
  EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(font->Bytes.data() + 12 + 28)), L"Arial");
  const int textColor = replay.Find(EMR_SETTEXTCOLOR);
  ASSERT_GE(textColor, 0);
  EXPECT_LT(textColor, text);
  EXPECT_EQ(records[textColor].At<DWORD>(8), DWORD(clRed));
  const int bkMode = replay.Find(EMR_SETBKMODE);
  ASSERT_GE(bkMode, 0);
  EXPECT_LT(bkMode, text);
  EXPECT_EQ(records[bkMode].At<DWORD>(8), DWORD(TRANSPARENT));

  // Shapes: the pen and brush are created and selected before the first rectangle and not
  // selected again for the second.
  const int rect = replay.Find(EMR_RECTANGLE);
  ASSERT_GE(rect, 0);
  const Record* pen = replay.Selected(rect, EMR_CREATEPEN);
  ASSERT_NE(pen, nullptr);
  EXPECT_EQ(pen->At<DWORD>(12), DWORD(PS_SOLID));
  EXPECT_EQ(pen->At<LONG>(16), 2);
  EXPECT_EQ(pen->At<DWORD>(24), DWORD(clBlue));
  const Record* brush = replay.Selected(rect, EMR_CREATEBRUSHINDIRECT);
  ASSERT_NE(brush, nullptr);
  EXPECT_EQ(brush->At<DWORD>(12), DWORD(BS_SOLID));
  EXPECT_EQ(brush->At<DWORD>(16), DWORD(clYellow));
  const int secondRect = replay.Find(EMR_RECTANGLE, rect + 1);
  ASSERT_EQ(secondRect, rect + 1);

  // The bitmap: a stretch record that carries its pixels, never a plain block copy.
  EXPECT_EQ(replay.Count(EMR_BITBLT), 0);
  const int image = replay.Find(EMR_STRETCHDIBITS);
  ASSERT_GE(image, 0);
  const Record& img = records[image];
  EXPECT_EQ(img.At<LONG>(24), 100);  // destination
  EXPECT_EQ(img.At<LONG>(28), 100);
  EXPECT_EQ(img.At<LONG>(72), 40);
  EXPECT_EQ(img.At<LONG>(76), 40);
  EXPECT_EQ(img.At<LONG>(40), 4);  // source size
  EXPECT_EQ(img.At<LONG>(44), 4);
  const DWORD offBmi = img.At<DWORD>(48), offBits = img.At<DWORD>(56), cbBits = img.At<DWORD>(60);
  EXPECT_EQ(img.At<WORD>(offBmi + 14), 24);  // bits per pixel
  ASSERT_EQ(cbBits, 4u * 12u);
  for (int row = 0; row < 4; ++row)
    EXPECT_EQ(img.Bytes.substr(offBits + 12 * (3 - row), 12),
              std::string(static_cast<const char*>(bitmap->GetScanLine(row)), 12))
        << "row " << row;
}

TEST(Metafile, SwitchingBackToAFontSelectsTheSameObject) {
  TMetafile metafile;
  {
    TMetafileCanvas canvas(&metafile, nullptr);
    for (int i = 0; i < 3; ++i) {
      canvas.GetFont()->SetStyle({});
      canvas.TextOut(0, 0, AnsiString("a"));
      canvas.GetFont()->SetStyle({fsBold});
      canvas.TextOut(0, 0, AnsiString("b"));
    }
  }
  const std::vector<Record> records = Records(Save(&metafile));
  Replay replay(records);
  EXPECT_EQ(replay.Count(EMR_EXTCREATEFONTINDIRECTW), 2);
  EXPECT_EQ(replay.Count(EMR_EXTTEXTOUTW), 6);
}

TEST(Metafile, SavedAndLoadedBackByteForByte) {
  testing_support::TempFolder temp;
  TMetafile metafile;
  {
    TMetafileCanvas canvas(&metafile, nullptr, "Pelorin", "A test page");
    canvas.GetFont()->SetName("Times New Roman");
    canvas.TextOut(10, 10, AnsiString("In the beginning"));
    canvas.Ellipse(0, 0, 30, 20);
  }
  EXPECT_EQ(metafile.GetCreatedBy(), "Pelorin");
  EXPECT_EQ(metafile.GetDescription(), "A test page");
  const std::string bytes = Save(&metafile);

  TMetafile loaded;
  TStringStream in(bytes + "trailing bytes");
  loaded.LoadFromStream(&in);
  EXPECT_EQ(in.GetPosition(), static_cast<Int64>(bytes.size()));  // exactly the metafile is read
  EXPECT_EQ(Save(&loaded), bytes);
  EXPECT_EQ(loaded.GetMMWidth(), metafile.GetMMWidth());
  EXPECT_EQ(loaded.GetWidth(), metafile.GetWidth());

  metafile.SaveToFile(temp.File("page.emf"));
  EXPECT_EQ(testing_support::ReadFileBytes(temp.File("page.emf")), bytes);
  TMetafile fromFile;
  fromFile.LoadFromFile(temp.File("page.emf"));
  EXPECT_EQ(Save(&fromFile), bytes);

  TMetafile copy;
  copy.Assign(&metafile);
  EXPECT_EQ(Save(&copy), bytes);
}

TEST(Metafile, SizesInPixelsAndHundredthsOfAMillimetre) {
  TMetafile metafile;
  for (int width : {1, 96, 595, 793, 1280}) {
    metafile.SetWidth(width);
    EXPECT_EQ(metafile.GetWidth(), width);
  }
  metafile.SetWidth(640);
  metafile.SetHeight(480);
  const Integer mmWidth = metafile.GetMMWidth(), mmHeight = metafile.GetMMHeight();
  { TMetafileCanvas canvas(&metafile, nullptr); }
  // The recording's frame is the size given before.
  EXPECT_EQ(metafile.GetMMWidth(), mmWidth);
  EXPECT_EQ(metafile.GetMMHeight(), mmHeight);
  EXPECT_EQ(metafile.GetWidth(), 640);
  EXPECT_EQ(metafile.GetHeight(), 480);
  metafile.Clear();
  EXPECT_TRUE(metafile.GetEmpty());
  EXPECT_EQ(metafile.GetMMWidth(), 0);
}

TEST(Metafile, WindowsMetafilesWithThePlaceableHeader) {
  TMetafile metafile;
  metafile.SetWidth(200);
  metafile.SetHeight(100);
  {
    TMetafileCanvas canvas(&metafile, nullptr);
    canvas.GetBrush()->SetColor(clRed);
    canvas.Rectangle(0, 0, 200, 100);
  }
  metafile.SetEnhanced(false);
  const std::string wmf = Save(&metafile);
  ASSERT_GE(wmf.size(), 22u + 18u);
  EXPECT_EQ(wmf.substr(0, 4), std::string("\xD7\xCD\xC6\x9A", 4));
  TMetafile loaded;
  TStringStream in(wmf);
  loaded.LoadFromStream(&in);
  EXPECT_FALSE(loaded.GetEnhanced());
  EXPECT_EQ(loaded.GetInch(), 96);
  EXPECT_EQ(loaded.GetWidth(), 200);
  EXPECT_EQ(loaded.GetHeight(), 100);
  EXPECT_EQ(Save(&loaded), wmf);

  // Played back, the recording paints what was drawn.
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf24bit);
  bitmap.SetSize(20, 10);
  bitmap.GetCanvas()->StretchDraw(Rect(0, 0, 20, 10), &loaded);
  EXPECT_EQ(bitmap.GetCanvas()->GetPixels(10, 5), clRed);
}

TEST(Metafile, InvalidDataIsRefused) {
  for (const std::string& data : {std::string("BM not a metafile at all"), std::string("\x01\x00\x00\x00short", 9),
                                  std::string("\xD7\xCD\xC6\x9A\x00\x00", 6)}) {
    TMetafile metafile;
    TStringStream in(data);
    try {
      metafile.LoadFromStream(&in);
      ADD_FAILURE() << "accepted " << data;
    } catch (const EInvalidGraphic& e) {
      EXPECT_EQ(e.Message, "Metafile is not valid");
    }
    EXPECT_TRUE(metafile.GetEmpty());
  }
}

}  // namespace

// --- Damaged enhanced metafiles ---------------------------------------------------------------

namespace emf_checks {

// A recording with objects, a polyline and a bitmap, and its bytes.
std::string GoodRecording() {
  TMetafile metafile;
  metafile.SetWidth(40);
  metafile.SetHeight(20);
  auto bitmap = Checkerboard();
  {
    TMetafileCanvas canvas(&metafile, nullptr);
    canvas.GetPen()->SetColor(clBlue);
    canvas.GetBrush()->SetColor(clRed);
    canvas.Rectangle(0, 0, 40, 20);
    canvas.Polyline({Point(0, 0), Point(10, 10), Point(20, 0)});
    canvas.StretchDraw(Rect(30, 10, 34, 14), bitmap.get());
  }
  return Save(&metafile);
}

// The offset of the first record of the type, or of the first of the types.
std::size_t Find(const std::string& emf, std::initializer_list<DWORD> types) {
  std::size_t offset = 0;
  for (const Record& r : Records(emf)) {
    for (DWORD t : types)
      if (r.Type == t) return offset;
    offset += r.Bytes.size();
  }
  ADD_FAILURE() << "no such record";
  return 0;
}

std::string SetDword(std::string emf, std::size_t at, DWORD value) {
  std::memcpy(emf.data() + at, &value, 4);
  return emf;
}

// The bytes up to Size, with the header's stated size made to match.
std::string CutAt(const std::string& emf, std::size_t size) {
  return SetDword(emf.substr(0, size), 48, static_cast<DWORD>(size));
}

TEST(Metafile, DamagedEnhancedMetafilesAreRefused) {
  const std::string good = GoodRecording();
  const std::size_t rect = Find(good, {EMR_RECTANGLE});
  const std::size_t select = Find(good, {EMR_SELECTOBJECT});
  const std::size_t line = Find(good, {EMR_POLYLINE16, EMR_POLYLINE});
  const std::size_t image = Find(good, {EMR_STRETCHDIBITS});
  const std::size_t eof = Find(good, {EMR_EOF});
  DWORD handles = 0;
  std::memcpy(&handles, good.data() + 56, 2);
  DWORD imageBmi = 0;
  std::memcpy(&imageBmi, good.data() + image + 48, 4);
  const struct {
    const char* Name;
    std::string Bytes;
    bool Loads;
  } cases[] = {
      {"whole", good, true},
      {"cut in a record", CutAt(good, rect + 12), false},
      {"without the closing record", CutAt(good, eof), false},
      {"record beyond the data", SetDword(good, rect + 4, static_cast<DWORD>(good.size())), false},
      {"record size not a multiple of 4", SetDword(good, rect + 4, 26), false},
      // A rectangle cut to 16 bytes, the rest made a record of its own.
      {"record shorter than its kind",
       SetDword(SetDword(SetDword(good, rect + 4, 16), rect + 16, EMR_SAVEDC), rect + 20, 8), false},
      {"header beyond the data", SetDword(good, 4, static_cast<DWORD>(good.size()) + 4), false},
      {"reference device of no millimetres", SetDword(good, offsetof(ENHMETAHEADER, szlMillimeters), 0), false},
      {"reference device kilometres tall", SetDword(good, offsetof(ENHMETAHEADER, szlMillimeters) + 4, 0x08000153),
       false},
      {"selecting an object beyond the table", SetDword(good, select + 8, handles), false},
      {"selecting a stock object", SetDword(good, select + 8, 0x80000000 | WHITE_BRUSH), true},
      {"points beyond the record", SetDword(good, line + 24, 1000), false},
      {"bitmap taller than its pixels", SetDword(good, image + imageBmi + 8, 400), false},
      {"bitmap header beyond the record", SetDword(good, image + 48, 0xFFFFFFF0), false},
      {"records after the closing one", SetDword(good + good.substr(rect, 24), 48, static_cast<DWORD>(good.size() + 24)),
       false},
  };
  for (const auto& c : cases) {
    TMetafile metafile;
    TStringStream in(c.Bytes);
    bool loaded = true;
    try {
      metafile.LoadFromStream(&in);
    } catch (const EInvalidGraphic&) {
      loaded = false;
    }
    EXPECT_EQ(loaded, c.Loads) << c.Name;
    EXPECT_EQ(metafile.GetEmpty(), !c.Loads) << c.Name;
    if (!loaded) continue;
    // What loads draws; the whole recording paints its red rectangle.
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(40, 20);
    bitmap.GetCanvas()->StretchDraw(Rect(0, 0, 40, 20), &metafile);
    if (c.Name == std::string("whole")) {
      EXPECT_EQ(bitmap.GetCanvas()->GetPixels(20, 15), clRed);
    }
  }
}

}  // namespace emf_checks
