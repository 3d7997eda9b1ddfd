#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>

#include "Fixtures.h"
#include "classlib/Filer.h"
#include "classlib/Streams.h"

#include <psapi.h>

using namespace fixtures;

namespace {

std::string Bytes(TMemoryStream& s) {
  return std::string(static_cast<const char*>(s.GetMemory()), static_cast<std::size_t>(s.GetSize()));
}

std::string Hex(const std::string& bytes) {
  static const char digits[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : bytes) {
    out += digits[c >> 4];
    out += digits[c & 15];
    out += ' ';
  }
  return out;
}

// A board with two shapes; the first refers to the second, which is read after it.
std::unique_ptr<TBoard> MakeBoard() {
  auto board = std::make_unique<TBoard>(nullptr);
  board->SetName("Board1");
  board->Caption = "Plan";
  auto* a = new TGadget(board.get());
  a->SetName("Shape1");
  auto* b = new TGadget(board.get());
  b->SetName("Shape2");
  a->Caption = "Tab\there\r\n\xE9t\xE9";
  a->Kind = gkStar;
  a->SetSize(300);
  a->Ratio = 0.1;
  a->Big = Int64{1} << 40;
  a->Letter = 'Q';
  a->Title = L"\x03A9mega \x20AC";
  a->Visible = false;
  a->Notes = "never written";
  a->GetPen()->Width = 3;
  a->GetPen()->Colour = clRed;
  a->GetPen()->Style = TOutlineMarks{omBold, omDashed};
  a->GetPen()->Name = "Fine";
  a->GetPen()->Corner->Radius = 7;
  auto* band = static_cast<TBand*>(a->GetBands()->Add());
  band->Caption = "One";
  band->Marks = {1, -200, 70000};
  band = static_cast<TBand*>(a->GetBands()->Add());
  band->Width = 80;
  band->Visible = false;
  a->GetLines()->SetText("first\r\n\r\nthird\r\n");
  a->SetPartner(b);
  a->OnClick = TNotifyEvent(board.get(), &TBoard::ShapeClick);
  a->Points = {5, -6, 1000000};
  a->Blob = std::string("\x00\x01\xFFzz", 5);
  b->Caption = "Second";
  b->SetPartner(a);
  return board;
}

class Filer : public ::testing::Test {
protected:
  void SetUp() override {
    RegisterFixtureClasses();
    loadedLog.clear();
  }
};

TEST_F(Filer, ComponentTreeRoundTrip) {
  auto board = MakeBoard();
  TMemoryStream stream;
  WriteComponentToStream(&stream, board.get());
  stream.SetPosition(0);
  std::unique_ptr<TComponent> read(ReadComponentFromStream(&stream, nullptr));
  EXPECT_EQ(stream.GetPosition(), stream.GetSize());

  auto* copy = dynamic_cast<TBoard*>(read.get());
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->GetName(), "Board1");
  EXPECT_EQ(copy->Caption, "Plan");
  ASSERT_EQ(copy->GetComponentCount(), 2);
  auto* a = dynamic_cast<TGadget*>(copy->FindComponent("Shape1"));
  auto* b = dynamic_cast<TGadget*>(copy->FindComponent("Shape2"));
  ASSERT_TRUE(a && b);
  EXPECT_EQ(a->Caption, "Tab\there\r\n\xE9t\xE9");
  EXPECT_EQ(a->Kind, gkStar);
  EXPECT_EQ(a->GetSize(), 300);
  EXPECT_EQ(a->Ratio, 0.1);
  EXPECT_EQ(a->Big, Int64{1} << 40);
  EXPECT_EQ(a->Letter, 'Q');
  EXPECT_EQ(a->Title, L"\x03A9mega \x20AC");
  EXPECT_FALSE(a->Visible);
  EXPECT_EQ(a->Notes, "");
  EXPECT_EQ(a->GetPen()->Width, 3);
  EXPECT_EQ(a->GetPen()->Colour, clRed);
  EXPECT_EQ(a->GetPen()->Style, (TOutlineMarks{omBold, omDashed}));
  EXPECT_EQ(a->GetPen()->Name, "Fine");
  EXPECT_EQ(a->GetPen()->Corner->Radius, 7);
  ASSERT_EQ(a->GetBands()->GetCount(), 2);
  auto* band0 = static_cast<TBand*>(a->GetBands()->GetItems(0));
  auto* band1 = static_cast<TBand*>(a->GetBands()->GetItems(1));
  EXPECT_EQ(band0->Caption, "One");
  EXPECT_EQ(band0->Width, 50);
  EXPECT_EQ(band0->Marks, (std::vector<Integer>{1, -200, 70000}));
  EXPECT_EQ(band1->Width, 80);
  EXPECT_FALSE(band1->Visible);
  EXPECT_EQ(a->GetLines()->GetText(), "first\r\n\r\nthird\r\n");
  EXPECT_EQ(b->GetLines()->GetCount(), 0);
  EXPECT_EQ(a->GetPartner(), b);
  EXPECT_EQ(b->GetPartner(), a);
  EXPECT_TRUE(a->OnClick == TNotifyEvent(copy, &TBoard::ShapeClick));
  EXPECT_FALSE(b->OnClick);
  EXPECT_EQ(a->Points, (std::vector<Integer>{5, -6, 1000000}));
  EXPECT_EQ(a->Blob, std::string("\x00\x01\xFFzz", 5));
  EXPECT_EQ(b->Caption, "Second");
  EXPECT_EQ(b->GetSize(), 10);

  // Loaded came once for each component, after the whole tree and its references were in:
  // the root first, then the children.
  EXPECT_EQ(loadedLog, (std::vector<std::string>{"Board1 root 2", "Shape1 Shape2 2", "Shape2 Shape1 2"}));
  for (TComponent* c : {static_cast<TComponent*>(copy), static_cast<TComponent*>(a), static_cast<TComponent*>(b)})
    EXPECT_TRUE((c->GetComponentState() * TComponentState{csLoading, csReading, csWriting}).Empty());

  // Written again, the copy gives the same bytes.
  TMemoryStream again;
  WriteComponentToStream(&again, copy);
  EXPECT_EQ(Bytes(again), Bytes(stream));
}

TEST_F(Filer, ReadsIntoAGivenRoot) {
  auto board = MakeBoard();
  TMemoryStream stream;
  WriteComponentToStream(&stream, board.get());
  stream.SetPosition(0);
  TBoard target(nullptr);
  EXPECT_EQ(ReadComponentFromStream(&stream, &target), &target);
  EXPECT_EQ(target.GetName(), "Board1");
  EXPECT_EQ(target.GetComponentCount(), 2);
  auto* a = static_cast<TGadget*>(target.FindComponent("Shape1"));
  a->OnClick(a);
  EXPECT_EQ(target.clicks, 1);
}

// Defaults, empty strings, zero numbers and unstored properties are left out; the component
// header has no prefix; names are short strings.
TEST_F(Filer, ExactBytesOfASmallComponent) {
  TGadget gadget(nullptr);
  gadget.SetName("S");
  gadget.Caption = "Hi";
  gadget.SetSize(300);
  gadget.Visible = false;
  gadget.Notes = "x";
  gadget.Tag = 0;
  TMemoryStream stream;
  WriteComponentToStream(&stream, &gadget);
  const std::string expected = std::string("TPF0") + "\x07TGadget" + "\x01S" +  //
                               "\x07" "Caption" "\x06\x02Hi" +                  //
                               "\x04Kind" "\x07\x08gkCircle" +                  //
                               "\x04Size" "\x03\x2C\x01" +                     //
                               "\x06Letter" "\x06\x01" "a" +                   //
                               "\x07Visible" "\x08" +                          //
                               "\x05" "Bands" "\x0E" + std::string("\x00\x00\x00", 3);
  EXPECT_EQ(Hex(Bytes(stream)), Hex(expected));
}

TEST_F(Filer, ValueEncodings) {
  struct Row {
    const char* what;
    std::function<void(TWriter&)> write;
    std::string bytes;
    std::function<void(TReader&)> check;
  };
  const std::string s255(255, 'x'), s256(256, 'y');
  const Extended half = 0.5L;
  std::string ext(10, '\0');
  std::memcpy(ext.data(), &half, 10);
  const std::vector<Row> rows = {
      {"int8", [](TWriter& w) { w.WriteInteger(-128); }, "\x02\x80", [](TReader& r) { EXPECT_EQ(r.ReadInteger(), -128); }},
      {"int16", [](TWriter& w) { w.WriteInteger(128); }, std::string("\x03\x80\x00", 3),
       [](TReader& r) { EXPECT_EQ(r.ReadInteger(), 128); }},
      {"int16 low", [](TWriter& w) { w.WriteInteger(-32768); }, std::string("\x03\x00\x80", 3),
       [](TReader& r) { EXPECT_EQ(r.ReadInteger(), -32768); }},
      {"int32", [](TWriter& w) { w.WriteInteger(32768); }, std::string("\x04\x00\x80\x00\x00", 5),
       [](TReader& r) { EXPECT_EQ(r.ReadInteger(), 32768); }},
      {"int64 small", [](TWriter& w) { w.WriteInteger(Int64{7}); }, "\x02\x07",
       [](TReader& r) { EXPECT_EQ(r.ReadInt64(), 7); }},
      {"int64", [](TWriter& w) { w.WriteInteger(Int64{1} << 32); }, std::string("\x13\x00\x00\x00\x00\x01\x00\x00\x00", 9),
       [](TReader& r) { EXPECT_EQ(r.ReadInt64(), Int64{1} << 32); }},
      {"extended", [](TWriter& w) { w.WriteFloat(0.5L); }, "\x05" + ext, [](TReader& r) { EXPECT_EQ(r.ReadFloat(), 0.5L); }},
      {"single", [](TWriter& w) { w.WriteSingle(1.0f); }, std::string("\x0F\x00\x00\x80\x3F", 5),
       [](TReader& r) { EXPECT_EQ(r.ReadSingle(), 1.0f); }},
      {"integer as float", [](TWriter& w) { w.WriteInteger(3); }, "\x02\x03", [](TReader& r) { EXPECT_EQ(r.ReadFloat(), 3); }},
      {"short string", [&](TWriter& w) { w.WriteString(s255); }, "\x06\xFF" + s255,
       [&](TReader& r) { EXPECT_EQ(r.ReadString(), s255); }},
      {"long string", [&](TWriter& w) { w.WriteString(s256); }, std::string("\x0C\x00\x01\x00\x00", 5) + s256,
       [&](TReader& r) { EXPECT_EQ(r.ReadString(), s256); }},
      {"wide string", [](TWriter& w) { w.WriteWideString(L"A\x20AC"); }, std::string("\x12\x02\x00\x00\x00" "A\x00\xAC\x20", 9),
       [](TReader& r) { EXPECT_EQ(r.ReadWideString(), L"A\x20AC"); }},
      {"wide string read as 8-bit", [](TWriter& w) { w.WriteWideString(L"\x20AC"); },
       std::string("\x12\x01\x00\x00\x00\xAC\x20", 7), [](TReader& r) { EXPECT_EQ(r.ReadString(), "\x80"); }},
      {"8-bit string read as wide", [](TWriter& w) { w.WriteString("\x80"); }, "\x06\x01\x80",
       [](TReader& r) { EXPECT_EQ(r.ReadWideString(), L"\x20AC"); }},
      {"boolean", [](TWriter& w) { w.WriteBoolean(true); w.WriteBoolean(false); }, "\x09\x08",
       [](TReader& r) { EXPECT_TRUE(r.ReadBoolean()); EXPECT_FALSE(r.ReadBoolean()); }},
      {"identifiers", [](TWriter& w) { w.WriteIdent("clRed"); w.WriteIdent("TRUE"); w.WriteIdent("nil"); w.WriteIdent("null"); },
       "\x07\x05" "clRed" "\x09\x0D" + std::string("\x00", 1),
       [](TReader& r) {
         EXPECT_EQ(r.ReadIdent(), "clRed");
         EXPECT_EQ(r.ReadIdent(), "True");
         EXPECT_EQ(r.ReadIdent(), "nil");
         EXPECT_EQ(r.ReadIdent(), "Null");
       }},
      {"list", [](TWriter& w) { w.WriteListBegin(); w.WriteChar('z'); w.WriteListEnd(); }, std::string("\x01\x06\x01z\x00", 5),
       [](TReader& r) {
         r.ReadListBegin();
         EXPECT_FALSE(r.EndOfList());
         EXPECT_EQ(r.ReadChar(), 'z');
         EXPECT_TRUE(r.EndOfList());
         r.ReadListEnd();
       }},
  };
  for (const Row& row : rows) {
    TMemoryStream stream;
    {
      TWriter writer(&stream);
      row.write(writer);
    }
    EXPECT_EQ(Hex(Bytes(stream)), Hex(row.bytes)) << row.what;
    stream.SetPosition(0);
    TReader reader(&stream, 16);  // a small buffer, so that values cross its edge
    row.check(reader);
    EXPECT_EQ(reader.GetPosition(), stream.GetSize()) << row.what;
  }
}

// What the rich-text format does with its style collections: a bare collection value.
TEST_F(Filer, CollectionValueOnItsOwn) {
  TCollection source(TBand::StaticClass());
  static_cast<TBand*>(source.Add())->Caption = "A";
  static_cast<TBand*>(source.Add())->Width = 51;
  TMemoryStream stream;
  {
    TWriter writer(&stream);
    writer.WriteCollection(&source);
  }
  const std::string expected = std::string("\x0E\x01") + "\x07" "Caption" "\x06\x01" "A" + std::string("\x00\x01", 2) +
                               "\x05Width" "\x02\x33" + std::string("\x00\x00", 2);
  EXPECT_EQ(Hex(Bytes(stream)), Hex(expected));

  TCollection target(TBand::StaticClass());
  target.Add();
  target.Add();
  target.Add();
  stream.SetPosition(0);
  {
    TReader reader(&stream);
    ASSERT_EQ(reader.ReadValue(), vaCollection);
    reader.ReadCollection(&target);
  }
  ASSERT_EQ(target.GetCount(), 2);
  EXPECT_EQ(static_cast<TBand*>(target.GetItems(0))->Caption, "A");
  EXPECT_EQ(static_cast<TBand*>(target.GetItems(1))->Width, 51);
  EXPECT_EQ(stream.GetPosition(), stream.GetSize());

  // An empty collection in the stream leaves the items there are.
  TMemoryStream empty;
  TCollection none(TBand::StaticClass());
  TWriter(&empty).WriteCollection(&none);
  empty.SetPosition(0);
  TReader reader(&empty);
  reader.ReadValue();
  reader.ReadCollection(&target);
  EXPECT_EQ(target.GetCount(), 2);
}

// Components written inside a raw property (between integers of a list), read back into one
// component that carries each cell in turn; the cell goes before the tree is complete.
TEST_F(Filer, ComponentsInsideARawProperty) {
  TCellGrid grid(nullptr);
  grid.SetName("Grid1");
  grid.Cells = {{1, "a", clRed}, {2, "b", clNone}, {1, "", 5}};
  TMemoryStream stream;
  WriteComponentToStream(&stream, &grid);
  stream.SetPosition(0);
  TCellGrid copy(nullptr);
  ReadComponentFromStream(&stream, &copy);
  ASSERT_EQ(copy.Cells.size(), 3u);
  EXPECT_EQ(copy.Cells[0].text, "a");
  EXPECT_EQ(copy.Cells[0].colour, clRed);
  EXPECT_EQ(copy.Cells[1].span, 2);
  EXPECT_EQ(copy.Cells[1].colour, clNone);
  EXPECT_EQ(copy.Cells[2].colour, 5);
}

TEST_F(Filer, ReadErrors) {
  auto board = MakeBoard();
  TMemoryStream good;
  WriteComponentToStream(&good, board.get());
  const std::string bytes = Bytes(good);
  auto replaced = [&](const std::string& from, const std::string& to) {
    std::string b = bytes;
    b.replace(b.find(from), from.size(), to);
    return b;
  };
  struct Row {
    const char* what;
    std::string bytes;
    const char* message;
  } rows[] = {
      {"signature", "TPF1" + bytes.substr(4), "Invalid stream format"},
      {"class", replaced("\x07TGadget\x06Shape2", "\x07TNoSuch\x06Shape2"), "Class TNoSuch not found"},
      {"property", replaced("\x07" "Caption\x06\x06Second", "\x07" "Captiox\x06\x06Second"),
       "Error reading Shape2.Captiox: Property Captiox does not exist"},
      {"enumeration", replaced("gkStar", "skBlob"), "Error reading Shape1.Kind: Invalid property value"},
      {"set member", replaced("omDashed", "omDotted"), "Error reading Shape1.Pen.Style: Invalid property value"},
      {"value type", replaced("\x04Size\x03", "\x04Size\x06"), "Error reading Shape1.Size: Invalid property value"},
      {"path", replaced("\x11Pen.Corner.Radius", "\x11Pen.Cxrner.Radius"),
       "Error reading Shape1.Pen.Cxrner.Radius: Property Cxrner does not exist"},
      {"truncated in a value", bytes.substr(0, bytes.size() - 5), "Error reading Shape2.Partner: Stream read error"},
      {"truncated", bytes.substr(0, bytes.size() - 1), "Stream read error"},
  };
  for (const Row& row : rows) {
    TMemoryStream stream;
    stream.WriteBuffer(row.bytes.data(), static_cast<Integer>(row.bytes.size()));
    stream.SetPosition(0);
    try {
      delete ReadComponentFromStream(&stream, nullptr);
      ADD_FAILURE() << row.what;
    } catch (const EFilerError& e) {
      EXPECT_EQ(e.Message, row.message) << row.what;
    }
  }
}

// The most memory the process has held at once (its peak working set).
std::size_t PeakMemory() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
  return counters.PeakWorkingSetSize;
}

std::string Count(std::uint32_t n) { return std::string(reinterpret_cast<const char*>(&n), 4); }

// A damaged length (of a long string, a wide string, a binary property, or a value skipped) that
// claims more than the stream holds is refused as a stream that ends too soon, before anything
// is allocated for it; one that claims exactly what is left is read.
TEST_F(Filer, DamagedLengthsAreRefusedBeforeAnythingIsAllocated) {
  const std::uint32_t huge = 0x7FFFFFFF;  // 2 GB
  TGadget gadget(nullptr);
  gadget.SetName("S");
  gadget.Blob = "bytes";
  TMemoryStream good;
  WriteComponentToStream(&good, &gadget);
  const std::string component = Bytes(good);
  const std::string blob = "\x04" "Blob" "\x0A" + Count(5) + "bytes";
  ASSERT_NE(component.find(blob), std::string::npos);
  auto withBlobLength = [&](std::uint32_t n) {
    std::string b = component;
    b.replace(b.find(blob), blob.size(), "\x04" "Blob" "\x0A" + Count(n) + "bytes");
    return b;
  };
  auto readComponent = [](TReader& r) {
    TGadget read(nullptr);
    r.ReadRootComponent(&read);
  };
  struct Row {
    const char* what;
    std::string bytes;
    std::function<void(TReader&)> read;
    const char* message;  // empty when the value is read
  } rows[] = {
      {"long string", "\x0C" + Count(huge) + "abc", [](TReader& r) { r.ReadString(); }, "Stream read error"},
      {"long string one byte longer than the stream", "\x0C" + Count(4) + "abc", [](TReader& r) { r.ReadString(); },
       "Stream read error"},
      {"long string as long as the stream", "\x0C" + Count(3) + "abc",
       [](TReader& r) { EXPECT_EQ(r.ReadString(), "abc"); }, ""},
      {"wide string", "\x12" + Count(huge) + std::string("a\0", 2), [](TReader& r) { r.ReadWideString(); },
       "Stream read error"},
      {"wide string of 2^31 bytes", "\x12" + Count(0x40000000) + std::string("a\0", 2),
       [](TReader& r) { r.ReadWideString(); }, "Stream read error"},
      {"wide string read as 8-bit", "\x12" + Count(huge) + std::string("a\0", 2), [](TReader& r) { r.ReadString(); },
       "Stream read error"},
      {"wide string as long as the stream", "\x12" + Count(1) + std::string("a\0", 2),
       [](TReader& r) { EXPECT_EQ(r.ReadWideString(), L"a"); }, ""},
      {"long string skipped", "\x0C" + Count(huge) + "abc", [](TReader& r) { r.SkipValue(); }, "Stream read error"},
      {"binary value skipped", "\x0A" + Count(huge) + "abc", [](TReader& r) { r.SkipValue(); }, "Stream read error"},
      {"binary property", withBlobLength(huge), readComponent, "Error reading S.Blob: Stream read error"},
      {"binary property of its own length", withBlobLength(5), readComponent, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    TMemoryStream stream;
    stream.WriteBuffer(row.bytes.data(), static_cast<Integer>(row.bytes.size()));
    stream.SetPosition(0);
    const std::size_t before = PeakMemory();
    try {
      TReader reader(&stream, 16);  // a small buffer: the length stands in the stream and in the buffer
      row.read(reader);
      EXPECT_STREQ(row.message, "");
    } catch (const EFilerError& e) {
      EXPECT_EQ(e.Message, row.message);
    }
    EXPECT_LT(PeakMemory() - before, std::size_t{64} << 20) << "memory was allocated for the damaged length";
  }
}

// A component of another tree is written as "Owner.Name" and left empty when read alone; a
// handler that is not a published method of the root is not written at all.
TEST_F(Filer, ReferencesAndHandlersOutsideTheTree) {
  TBoard other(nullptr);
  other.SetName("Other");
  auto* distant = new TGadget(&other);
  distant->SetName("Far");
  TBoard board(nullptr);
  board.SetName("Board1");
  auto* local = new TGadget(&board);
  local->SetName("Near");
  local->SetPartner(distant);
  local->OnClick = TNotifyEvent(&board, &TBoard::OtherClick);
  TMemoryStream stream;
  WriteComponentToStream(&stream, &board);
  const std::string bytes = Bytes(stream);
  EXPECT_NE(bytes.find("\x07" "Partner\x07\x09Other.Far"), std::string::npos);
  EXPECT_EQ(bytes.find("OnClick"), std::string::npos);
  stream.SetPosition(0);
  std::unique_ptr<TComponent> copy(ReadComponentFromStream(&stream, nullptr));
  auto* read = static_cast<TGadget*>(copy->FindComponent("Near"));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->GetPartner(), nullptr);
  EXPECT_FALSE(read->OnClick);
}

// The reader reads ahead; when it goes, the stream is left right after what it used.
TEST_F(Filer, ReaderLeavesTheStreamAfterItsData) {
  TGadget shape(nullptr);
  shape.SetName("S");
  TMemoryStream stream;
  WriteComponentToStream(&stream, &shape);
  const Int64 end = stream.GetPosition();
  stream.WriteBuffer("trailing data", 13);
  stream.SetPosition(0);
  TGadget copy(nullptr);
  ReadComponentFromStream(&stream, &copy);
  EXPECT_EQ(stream.GetPosition(), end);
}

}  // namespace
