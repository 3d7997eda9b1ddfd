#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "Fixtures.h"
#include "classlib/Filer.h"
#include "classlib/FormText.h"
#include "classlib/Streams.h"

using namespace fixtures;

namespace {

std::string FormBytes(TMemoryStream& s) {
  return std::string(static_cast<const char*>(s.GetMemory()), static_cast<std::size_t>(s.GetSize()));
}

std::string ToText(const std::string& binary) {
  TStringStream in(binary), out;
  ObjectBinaryToText(&in, &out);
  EXPECT_EQ(in.GetPosition(), in.GetSize());
  return out.GetDataString();
}

std::string ToBinary(const std::string& text) {
  TStringStream in(text), out;
  ObjectTextToBinary(&in, &out);
  return out.GetDataString();
}

// A form stream made value by value, for the kinds no published property writes.
std::string Handmade(const std::function<void(TWriter&)>& properties) {
  TMemoryStream stream;
  TWriter w(&stream);
  w.WriteSignature();
  w.WritePrefix(TFilerFlags{ffInherited, ffChildPos}, 2);
  w.WriteStr("TThing");
  w.WriteStr("Thing1");
  properties(w);
  w.WriteListEnd();
  w.WriteStr("TChild");  // a child without a name
  w.WriteStr("");
  w.WriteListEnd();
  w.WriteListEnd();
  w.WriteListEnd();
  return FormBytes(stream);
}

void EveryValueKind(TWriter& w) {
  auto prop = [&](const char* name) { w.WriteStr(name); };
  prop("Str"), w.WriteString("a'b\x01\xE9\xFF c");
  prop("Empty"), w.WriteString("");
  std::string longText;
  for (int i = 0; i < 300; ++i) longText += i % 37 == 0 ? '\t' : static_cast<char>('a' + i % 26);
  prop("Long"), w.WriteString(longText);
  prop("Quotes"), w.WriteString(std::string(70, '\''));
  prop("Wide"), w.WriteWideString(L"x\x00E9\x4E2D'\x0001");
  prop("LongWide"), w.WriteWideString(std::wstring(100, L'\x0416'));
  prop("Single"), w.WriteSingle(1.5f);
  prop("Single2"), w.WriteSingle(0.1f);
  prop("Date"), w.WriteDate(45000.25);
  prop("Curr"), w.WriteValue(vaCurrency);
  const Int64 raw = 123456789012345678;
  w.Write(&raw, 8);
  for (Extended v : {0.1L, 1.0L, -0.0L, 0.0L, 1e300L, -1.234e-10L, 123456789012345678901.0L, 0.0001L, 0.00001L,
                     static_cast<Extended>(0.1), 1e15L, 1e16L, 255.5L}) {
    prop("Ext"), w.WriteFloat(v);
  }
  prop("I64"), w.WriteInteger(Int64{-1} << 40);
  prop("I8"), w.WriteInteger(-5);
  prop("I16"), w.WriteInteger(-300);
  prop("I32"), w.WriteInteger(-70000);
  std::string blob;
  for (int i = 0; i < 100; ++i) blob += static_cast<char>(i * 7);
  for (const std::string& b : {blob, std::string("\x01\xAB", 2), std::string()}) {
    prop("Bin"), w.WriteValue(vaBinary);
    Integer n = static_cast<Integer>(b.size());
    w.Write(&n, 4);
    w.Write(b.data(), n);
  }
  prop("Set"), w.WriteValue(vaSet), w.WriteStr("omBold"), w.WriteStr("omItalic"), w.WriteStr("");
  prop("EmptySet"), w.WriteValue(vaSet), w.WriteStr("");
  prop("List"), w.WriteListBegin();
  w.WriteInteger(1), w.WriteListBegin(), w.WriteString("in"), w.WriteListEnd(), w.WriteListBegin(), w.WriteListEnd();
  w.WriteListEnd();
  prop("Coll"), w.WriteValue(vaCollection);
  w.WriteInteger(3), w.WriteListBegin(), prop("A"), w.WriteInteger(1), w.WriteListEnd();
  w.WriteListBegin(), w.WriteListEnd();
  w.WriteListEnd();
  prop("EmptyColl"), w.WriteValue(vaCollection), w.WriteListEnd();
  prop("Id"), w.WriteIdent("clRed");
  prop("Ref"), w.WriteIdent("Form2.Button1");
  prop("Yes"), w.WriteBoolean(true);
  prop("No"), w.WriteBoolean(false);
  prop("Nil"), w.WriteIdent("nil");
  prop("Nothing"), w.WriteIdent("Null");
  prop("Font.Name"), w.WriteString("Arial");
}

class FormText : public ::testing::Test {
protected:
  void SetUp() override { RegisterFixtureClasses(); }
};

TEST_F(FormText, TextOfASmallComponent) {
  TGadget shape(nullptr);
  shape.SetName("S");
  shape.Caption = "Hi";
  shape.SetSize(300);
  shape.Visible = false;
  shape.GetPen()->Colour = clRed;
  shape.GetPen()->Style = TOutlineMarks{omBold, omDashed};
  auto* band = static_cast<TBand*>(shape.GetBands()->Add());
  band->Caption = "x";
  band->Marks = {1, 2};
  shape.GetLines()->SetText("one\r\ntwo\r\n");
  shape.Points = {5};
  shape.Blob = "\x01\xAB";
  TMemoryStream stream;
  WriteComponentToStream(&stream, &shape);
  EXPECT_EQ(ToText(FormBytes(stream)),
            "object S: TGadget\r\n"
            "  Caption = 'Hi'\r\n"
            "  Kind = gkCircle\r\n"
            "  Size = 300\r\n"
            "  Letter = 'a'\r\n"
            "  Visible = False\r\n"
            "  Pen.Colour = clRed\r\n"
            "  Pen.Style = [omBold, omDashed]\r\n"
            "  Bands = <\r\n"
            "    item\r\n"
            "      Caption = 'x'\r\n"
            "      Marks = (\r\n"
            "        1\r\n"
            "        2)\r\n"
            "    end>\r\n"
            "  Lines.Strings = (\r\n"
            "    'one'\r\n"
            "    'two')\r\n"
            "  Points = (\r\n"
            "    5)\r\n"
            "  Blob = {01AB}\r\n"
            "end\r\n");
}

TEST_F(FormText, ValuesAsText) {
  const std::string text = ToText(Handmade([](TWriter& w) {
    w.WriteStr("Str"), w.WriteString("a'b\x01\xE9 c");
    w.WriteStr("Wide"), w.WriteWideString(L"x\x00E9\x4E2D");
    w.WriteStr("Single"), w.WriteSingle(1.5f);
    w.WriteStr("Date"), w.WriteDate(45000.25);
    w.WriteStr("Ext"), w.WriteFloat(2.0L);
    w.WriteStr("Ext"), w.WriteFloat(0.00001L);
    w.WriteStr("Ext"), w.WriteFloat(static_cast<Extended>(0.1));
    w.WriteStr("Coll"), w.WriteValue(vaCollection), w.WriteInteger(3), w.WriteListBegin(), w.WriteListEnd(),
        w.WriteListEnd();
    w.WriteStr("Nothing"), w.WriteIdent("Null");
  }));
  EXPECT_EQ(text,
            "inherited Thing1: TThing [2]\r\n"
            "  Str = 'a'#39'b'#1'\xE9 c'\r\n"
            "  Wide = 'x'#233#20013\r\n"
            "  Single = 1.5s\r\n"
            "  Date = 45000.25d\r\n"
            "  Ext = 2.0\r\n"
            "  Ext = 1E-5\r\n"
            "  Ext = 0.10000000000000000555\r\n"
            "  Coll = <\r\n"
            "    item [3]\r\n"
            "    end>\r\n"
            "  Nothing = Null\r\n"
            "  object TChild\r\n"
            "  end\r\n"
            "end\r\n");
}

TEST_F(FormText, LongStringsAndBinaryDataAreSplitIntoLines) {
  std::string blob(40, '\x5A');
  auto hex = [](int bytes) {
    std::string h;
    for (int i = 0; i < bytes; ++i) h += "5A";
    return h;
  };
  const std::string text = ToText(Handmade([&](TWriter& w) {
    w.WriteStr("Long"), w.WriteString(std::string(70, 'a') + "\x01" + std::string(10, 'b'));
    w.WriteStr("Bin"), w.WriteValue(vaBinary);
    Integer n = 40;
    w.Write(&n, 4);
    w.Write(blob.data(), n);
  }));
  EXPECT_EQ(text,
            "inherited Thing1: TThing [2]\r\n"
            "  Long = \r\n"
            "    '" + std::string(64, 'a') + "' +\r\n"
            "    '" + std::string(6, 'a') + "'#1'" + std::string(10, 'b') + "'\r\n"
            "  Bin = {\r\n"
            "    " + hex(32) + "\r\n"
            "    " + hex(8) + "}\r\n"
            "  object TChild\r\n"
            "  end\r\n"
            "end\r\n");
}

// Binary to text and back gives the very same bytes.
TEST_F(FormText, RoundTripIsByteIdentical) {
  std::vector<std::pair<const char*, std::string>> streams;
  streams.emplace_back("every value kind", Handmade(EveryValueKind));

  auto board = std::make_unique<TBoard>(nullptr);
  board->SetName("Board1");
  auto* shape = new TGadget(board.get());
  shape->SetName("Shape1");
  shape->Caption = std::string("\x00\x1F line\r\nnext \x80\xFF", 17);
  shape->Title = L"\x03A9";
  shape->Ratio = 1.0 / 3;
  shape->GetPen()->Style = TOutlineMarks{omItalic};
  shape->GetBands()->Add();
  shape->Blob = std::string(33, '\x7F');
  shape->OnClick = TNotifyEvent(board.get(), &TBoard::ShapeClick);
  TMemoryStream boardStream;
  WriteComponentToStream(&boardStream, board.get());
  streams.emplace_back("component tree", FormBytes(boardStream));

  TCellGrid grid(nullptr);
  grid.SetName("Grid1");
  grid.Caption = "cells";
  grid.Cells = {{1, "a", clRed}, {2, "", clNone}};
  TMemoryStream gridStream;
  WriteComponentToStream(&gridStream, &grid);
  streams.emplace_back("components in a list", FormBytes(gridStream));

  for (const auto& [what, binary] : streams) {
    const std::string text = ToText(binary);
    EXPECT_EQ(ToBinary(text), binary) << what << "\n" << text;
  }
}

TEST_F(FormText, ComponentsInAListAreNestedObjects) {
  TCellGrid grid(nullptr);
  grid.SetName("Grid1");
  grid.Cells = {{1, "a", clRed}};
  TMemoryStream stream;
  WriteComponentToStream(&stream, &grid);
  EXPECT_EQ(ToText(FormBytes(stream)),
            "object Grid1: TCellGrid\r\n"
            "  Cells = 1 (\r\n"
            "    1\r\n"
            "    object TCell\r\n"
            "      Text = 'a'\r\n"
            "      Colour = clRed\r\n"
            "    end)\r\n"
            "end\r\n");
}

// Text as a person might write it: any letter case for the keywords, free spacing and line
// breaks, strings in pieces, hexadecimal numbers and character codes.
TEST_F(FormText, ReadsWrittenText) {
  const std::string text =
      "INHERITED Thing1 : TThing[2]\n"
      "  Str = 'it''s'#$41 +\r\n"
      "     #13#10'x'\n"
      "  Wide = 'a' + #8364\n"
      "  Hex = $FF  Neg = -5\n"
      "  Ext = 1.5E3\n"
      "  Ref = Form2.Button1\n"
      "  Set = [omBold,omItalic]\n"
      "  Coll = <item A = 1 end item [3] end>\n"
      "  Font . Name = 'Arial'\n"
      "  object TChild end\n"
      "End";
  const std::string expected = Handmade([](TWriter& w) {
    w.WriteStr("Str"), w.WriteString("it'sA\r\nx");
    w.WriteStr("Wide"), w.WriteWideString(L"a\x20AC");
    w.WriteStr("Hex"), w.WriteInteger(255);
    w.WriteStr("Neg"), w.WriteInteger(-5);
    w.WriteStr("Ext"), w.WriteFloat(1500.0L);
    w.WriteStr("Ref"), w.WriteIdent("Form2.Button1");
    w.WriteStr("Set"), w.WriteValue(vaSet), w.WriteStr("omBold"), w.WriteStr("omItalic"), w.WriteStr("");
    w.WriteStr("Coll"), w.WriteValue(vaCollection);
    w.WriteListBegin(), w.WriteStr("A"), w.WriteInteger(1), w.WriteListEnd();
    w.WriteInteger(3), w.WriteListBegin(), w.WriteListEnd();
    w.WriteListEnd();
    w.WriteStr("Font.Name"), w.WriteString("Arial");
  });
  EXPECT_EQ(ToBinary(text), expected);
}

TEST_F(FormText, SyntaxErrors) {
  struct Row {
    const char* text;
    const char* message;
  } rows[] = {
      {"thing X: TY\r\nend", "OBJECT expected on line 1"},
      {"object X: TY\r\n  A = 'open\r\nend", "Unterminated string on line 2"},
      {"object X: TY\r\n  A = {0G}\r\nend", "Invalid binary value on line 2"},
      {"object X: TY\r\n  A 5\r\nend", "'=' expected on line 2"},
      {"object X: TY\r\n  A = )\r\nend", "Invalid property value on line 2"},
      {"object X: TY\r\n  A = [a b]\r\nend", "',' expected on line 2"},
      {"object X: TY\r\n  A = 5\r\n", "Identifier expected on line 3"},
      {"object X: TY\r\n  A = (1 2\r\n", "')' expected on line 3"},
      {"object X: TY\r\n  A = 1.2.3\r\nend", "Invalid floating point value '1.2.3' on line 2"},
      {"object X: TY\r\n  A = #70000\r\nend", "Invalid string constant on line 2"},
  };
  for (const Row& row : rows) {
    try {
      ToBinary(row.text);
      ADD_FAILURE() << row.text;
    } catch (const EParserError& e) {
      EXPECT_EQ(e.Message, row.message) << row.text;
    }
  }
}

// Both conversions work at the streams' positions and leave the input just after the object.
TEST_F(FormText, ConvertsAtStreamPositions) {
  TStringStream text(std::string("head|object X: TY\r\n  A = 1\r\nend  \r\n\r\nNEXT 'open"));
  text.SetPosition(5);
  TStringStream binary(std::string("pre"));
  binary.SetPosition(3);
  ObjectTextToBinary(&text, &binary);
  EXPECT_EQ(text.ReadString(4), "NEXT");
  const std::string converted = binary.GetDataString();
  EXPECT_EQ(converted.substr(0, 7), "preTPF0");
  TStringStream again(converted + "rest");
  again.SetPosition(3);
  TStringStream out;
  ObjectBinaryToText(&again, &out);
  EXPECT_EQ(again.ReadString(4), "rest");
  EXPECT_EQ(out.GetDataString(), "object X: TY\r\n  A = 1\r\nend\r\n");
}

}  // namespace
