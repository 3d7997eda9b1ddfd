// Cutting, copying and pasting by their shortcuts, the order in which pasting prefers the
// clipboard's formats, pictures from the clipboard, and the folder relative links of copied
// web pages and files lead to.
#include <cstring>
#include <functional>
#include <memory>

#include "classlib/Clipbrd.h"
#include "classlib/Metafiles.h"
#include "richtext/core/UVRTFProps.h"
#include "richtext/core/UVWindowless.h"
#include "richtext/edit/tests/control/EditorTestSupport.h"

using namespace editor_test;

namespace {

Word Format(const char* Name) { return static_cast<Word>(::RegisterClipboardFormatA(Name)); }

// The clipboard block of a document of one text item: its byte count, then its UVF.
AnsiString UVFBlock(TUVStyle* Style, const AnsiString& Text, Integer StyleNo) {
  TUVWindowlessData doc(Style);
  doc.AddNL(Text, StyleNo, 0);
  TMemoryStream stream;
  doc.SaveUVFToStream(&stream, false, clNone, nullptr, nullptr);
  uint32_t count = static_cast<uint32_t>(stream.GetSize());
  AnsiString block(4, '\0');
  std::memcpy(block.data(), &count, 4);
  block.append(static_cast<const char*>(stream.GetMemory()), count);
  return block;
}

const char kRTF[] = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 from RTF}";

void PutUnicode(const WideString& Text) {
  Clipboard()->SetBuffer(CF_UNICODETEXT, Text.c_str(), static_cast<Integer>((Text.size() + 1) * sizeof(wchar_t)));
}

class ClipboardTest : public EditorFixture {
protected:
  void SetUp() override {
    EditorFixture::SetUp();
    Fill(kVerses);
    ShowForm();
  }
  // The text of the first paragraph, as plain text.
  std::string FirstLine() { return Text().substr(0, Text().find('\n')); }
};

TEST_F(ClipboardTest, CutCopyAndPasteByTheirShortcuts) {
  const std::string rest = "\n" + kVerses[1] + "\n" + kVerses[2];
  editor->SetSelectionBounds(0, 8, 0, 18);
  ASSERT_EQ(editor->GetSelText(), "beginning ");
  Clipboard()->SetAsText("old");
  TypeKey('X', false, true);
  EXPECT_EQ(Clipboard()->GetAsText(), "beginning ");
  EXPECT_TRUE(Clipboard()->HasFormat(Format("UzurUvad Format")));
  EXPECT_TRUE(Clipboard()->HasFormat(Format("Rich Text Format")));
  EXPECT_EQ(FirstLine(), "In the God created the heaven and the earth.");
  EXPECT_EQ(Caret(), (Place{0, 8}));
  // Pasted at the end of the last verse.
  TypeKey(VK_END, false, true);
  TypeKey('V', false, true);
  EXPECT_EQ(editor->GetItemText(2), kVerses[2] + "beginning ");
  EXPECT_EQ(Caret(), (Place{2, 65}));
  // Shift+Insert pastes again, Ctrl+Insert copies, Shift+Delete cuts.
  TypeKey(VK_INSERT, true);
  EXPECT_EQ(editor->GetItemText(2), kVerses[2] + "beginning beginning ");
  editor->SetSelectionBounds(0, 1, 0, 3);
  TypeKey(VK_INSERT, false, true);
  EXPECT_EQ(Clipboard()->GetAsText(), "In");
  EXPECT_EQ(FirstLine(), "In the God created the heaven and the earth.");
  TypeKey(VK_DELETE, true);
  EXPECT_EQ(FirstLine(), " the God created the heaven and the earth.");
  // Each was one change: undoing goes back through them.
  for (int i = 0; i < 4; ++i) TypeKey('Z', false, true);
  EXPECT_EQ(Text(), kVerses[0] + rest);
  EXPECT_EQ(BeepCount(), 0);
}

TEST_F(ClipboardTest, PastingTakesTheFirstFormatInTheOrderOfPreference) {
  // A paragraph of UTF-16 text to paste into.
  editor->AddNL(UVUniWideStringToRaw(L"\x03B1\x03B2"), edit_test::tsUnicode, 0);
  editor->Format();
  const AnsiString uvf = UVFBlock(style, "from UVF", edit_test::tsBig);
  struct {
    const char* What;
    std::function<void()> Fill;
    Place At;
    std::function<void()> Check;
  } cases[] = {
      {"UVF before everything",
       [&] {
         Clipboard()->SetAsText("from text");
         Clipboard()->SetBuffer(Format("Rich Text Format"), kRTF, sizeof kRTF);
         Clipboard()->SetBuffer(Format("UzurUvad Format"), uvf.data(), static_cast<Integer>(uvf.size()));
       },
       {0, 4},
       [&] {
         EXPECT_EQ(editor->GetItemText(1), "from UVF");
         EXPECT_EQ(editor->GetItemStyle(1), edit_test::tsBig);
       }},
      {"RTF before text",
       [&] {
         Clipboard()->SetAsText("from text");
         Clipboard()->SetBuffer(Format("Rich Text Format"), kRTF, sizeof kRTF);
       },
       {0, 4}, [&] { EXPECT_EQ(FirstLine(), "In from RTFthe beginning God created the heaven and the earth."); }},
      {"text into a text style that is not Unicode",
       [&] {
         PutUnicode(L"from Unicode \x03B3");
         Clipboard()->SetAsText("from text");
       },
       {0, 4}, [&] { EXPECT_EQ(FirstLine(), "In from textthe beginning God created the heaven and the earth."); }},
      {"Unicode text into a Unicode text style",
       [&] {
         Clipboard()->SetAsText("from text");
         PutUnicode(L"from Unicode \x03B3");
       },
       {3, 2}, [&] { EXPECT_EQ(UVUniRawToWide(editor->GetItemText(3)), L"\x03B1" L"from Unicode \x03B3\x03B2"); }},
      {"a bitmap",
       [&] {
         TBitmap bitmap;
         bitmap.SetSize(12, 9);
         Clipboard()->Assign(&bitmap);
       },
       {0, 4},
       [&] {
         auto* picture = dynamic_cast<TUVGraphicItemInfo*>(editor->GetItem(1));
         ASSERT_NE(picture, nullptr);
         ASSERT_NE(dynamic_cast<TBitmap*>(picture->Image), nullptr);
         EXPECT_EQ(picture->Image->GetWidth(), 12);
         EXPECT_EQ(picture->Image->GetHeight(), 9);
         EXPECT_EQ(editor->GetItemText(2), "the beginning God created the heaven and the earth.");
       }},
      {"a metafile, at the size it has on the screen",
       [&] {
         TMetafile metafile;
         metafile.SetWidth(60);
         metafile.SetHeight(40);
         {
           TMetafileCanvas canvas(&metafile, nullptr);
           canvas.Rectangle(0, 0, 60, 40);
         }
         Clipboard()->Assign(&metafile);
       },
       {0, 4},
       [&] {
         auto* picture = dynamic_cast<TUVGraphicItemInfo*>(editor->GetItem(1));
         ASSERT_NE(picture, nullptr);
         auto* metafile = dynamic_cast<TMetafile*>(picture->Image);
         ASSERT_NE(metafile, nullptr);
         EXPECT_EQ(metafile->GetInch(), 1440);
         EXPECT_NEAR(picture->GetImageWidth(style), 60, 1);
         EXPECT_NEAR(picture->GetImageHeight(style), 40, 1);
       }},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.What);
    Fill(kVerses);
    editor->AddNL(UVUniWideStringToRaw(L"\x03B1\x03B2"), edit_test::tsUnicode, 0);
    editor->Format();
    {
      ClipboardSession session;
      c.Fill();
    }
    SetCaret(c.At.Item, c.At.Offs);
    EXPECT_EQ(::SendMessageA(editor->GetHandle(), EM_CANPASTE, 0, 0), 1);
    TypeKey('V', false, true);
    c.Check();
    EXPECT_TRUE(editor->CanUndo());
  }
  Screenshot("editor-pasted-metafile");
  EXPECT_EQ(BeepCount(), 0);
}

TEST_F(ClipboardTest, APasteOfManyParagraphsIntoAnEmptyEditorIsUndoneAndRedone) {
  editor->Clear();
  editor->Format();
  const Integer emptyWidth = editor->GetUVData()->DocumentWidth;
  const Integer emptyClientWidth = editor->GetClientWidth();
  // More paragraphs than the window shows: the paste brings the scroll bar, undoing it takes the
  // bar away again, and each time the document is laid out for the width left.
  std::string rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 ";
  for (int i = 1; i <= 60; ++i) rtf += "Pasted paragraph " + std::to_string(i) + "\\par\r\n";
  rtf += "}";
  Clipboard()->SetBuffer(Format("Rich Text Format"), rtf.c_str(), static_cast<Integer>(rtf.size() + 1));
  TypeKey('V', false, true);
  ProcessFor(30);
  ASSERT_GE(editor->GetItemCount(), 60);
  EXPECT_EQ(editor->GetItemText(59), "Pasted paragraph 60");
  ASSERT_LT(editor->GetClientWidth(), emptyClientWidth);
  const Integer pastedWidth = editor->GetUVData()->DocumentWidth;
  EXPECT_LT(pastedWidth, emptyWidth);
  TypeKey('Z', false, true);
  ProcessFor(30);
  EXPECT_EQ(editor->GetItemCount(), 1);
  EXPECT_EQ(Text(), "");
  EXPECT_EQ(editor->GetClientWidth(), emptyClientWidth);
  EXPECT_EQ(editor->GetUVData()->DocumentWidth, emptyWidth);
  EXPECT_EQ(Caret(), (Place{0, 1}));
  TypeKey('Y', false, true);
  ProcessFor(30);
  ASSERT_GE(editor->GetItemCount(), 60);
  EXPECT_EQ(editor->GetItemText(59), "Pasted paragraph 60");
  EXPECT_EQ(editor->GetUVData()->DocumentWidth, pastedWidth);
  Screenshot("editor-paste-redone");
}

TEST_F(ClipboardTest, APasteHandlerCanStopThePaste) {
  Clipboard()->SetAsText("pasted");
  int pastes = 0;
  editor->OnPaste = TUVPasteEvent::FromFunction([&](TObject*, bool& doDefault) {
    ++pastes;
    doDefault = pastes > 1;
  });
  SetCaret(0, 1);
  TypeKey('V', false, true);
  EXPECT_EQ(editor->GetItemText(0), kVerses[0]);
  TypeKey('V', false, true);
  EXPECT_EQ(editor->GetItemText(0), "pasted" + kVerses[0]);
  EXPECT_EQ(pastes, 2);
}

TEST_F(ClipboardTest, AUVFBlockThatClaimsMoreBytesThanItHoldsIsReadAsFarAsItGoes) {
  AnsiString block = UVFBlock(style, "whole", edit_test::tsBig);
  uint32_t huge = 0x7FFFFFF0;
  std::memcpy(block.data(), &huge, 4);
  Clipboard()->SetBuffer(Format("UzurUvad Format"), block.data(), static_cast<Integer>(block.size()));
  SetCaret(2, 1);
  TypeKey('V', false, true);
  EXPECT_EQ(editor->GetItemText(2), "whole");
  // A block too short for its count pastes nothing.
  Clipboard()->SetBuffer(Format("UzurUvad Format"), "ab", 2);
  TypeKey('V', false, true);
  EXPECT_EQ(editor->GetItemText(2), "whole");
}

TEST_F(ClipboardTest, RelativeLinksOfCopiedPagesLeadToWhereTheyCameFrom) {
  struct {
    const char* HTML;
    const char* Base;
  } cases[] = {
      {"Version:0.9\r\nSourceURL:file:///C:/dir/page.htm\r\n<html>", "C:\\dir\\"},
      {"SourceURL:file:///C:/My%20Documents/Caf%C3%A9/page.htm\n", "C:\\My Documents\\Caf\xE9\\"},
      {"SourceURL:file://host/share/page.htm\r\n", "\\\\host\\share\\"},
      {"SourceURL:FILE://host/share/\r\n", "\\\\host\\share\\"},
      {"SourceURL:http://example.org/a/b/page.htm\r\n", "http://example.org/a/b/"},
      {"SourceURL:C:/dir/x.htm", "C:\\dir\\"},
      {"Version:0.9\r\nStartHTML:10\r\n", ""},
      {"SourceURL:\r\n", ""},
  };
  for (auto& c : cases) EXPECT_EQ(UVHTMLClipboardBasePath(c.HTML), c.Base) << c.HTML;

  // Pasted RTF with a relative hyperlink: its target leads into the copied page's folder.
  AnsiString target;
  editor->OnReadHyperlink = TUVReadHyperlink::FromFunction(
      [&](TObject*, const AnsiString& t, const AnsiString&, Integer, Integer&, TUVTag&, AnsiString&) { target = t; });
  const char rtf[] = "{\\rtf1\\ansi{\\field{\\*\\fldinst HYPERLINK \"next.htm\"}{\\fldrslt next}}}";
  const char html[] = "Version:0.9\r\nSourceURL:file:///C:/pages/first.htm\r\n";
  {
    ClipboardSession session;
    Clipboard()->SetBuffer(Format("Rich Text Format"), rtf, sizeof rtf);
    Clipboard()->SetBuffer(Format("HTML Format"), html, sizeof html);
  }
  SetCaret(0, 1);
  TypeKey('V', false, true);
  EXPECT_EQ(target, "C:\\pages\\next.htm");
  EXPECT_EQ(editor->GetRTFReadProperties()->BasePath, "");
  EXPECT_EQ(FirstLine().substr(0, 6), "nextIn");
}

TEST_F(ClipboardTest, TheEditorSaysWhichFormatsItCanPaste) {
  {
    ClipboardSession session;
    Clipboard()->Clear();
    Clipboard()->SetAsText("text");
  }
  struct {
    WPARAM Format;
    LRESULT Expected;
  } cases[] = {
      {0, 1},
      {CF_TEXT, 1},
      {CF_UNICODETEXT, 1},
      {CF_BITMAP, 0},
      {CF_METAFILEPICT, 0},
      {Format("Rich Text Format"), 0},
      {Format("UzurUvad Format"), 0},
      {Format("HTML Format"), 0},
  };
  for (auto& c : cases) EXPECT_EQ(::SendMessageA(editor->GetHandle(), EM_CANPASTE, c.Format, 0), c.Expected) << c.Format;
  editor->SetReadOnly(true);
  EXPECT_EQ(::SendMessageA(editor->GetHandle(), EM_CANPASTE, 0, 0), 0);
  EXPECT_EQ(::SendMessageA(editor->GetHandle(), EM_CANPASTE, CF_TEXT, 0), 0);
}

TEST_F(ClipboardTest, AStreamInsertionThatIsRefusedSaysSo) {
  TMemoryStream stream;
  stream.WriteBuffer(kRTF, sizeof kRTF - 1);
  stream.SetPosition(0);
  editor->SetReadOnly(true);
  EXPECT_FALSE(editor->InsertRTFStream(&stream));
  EXPECT_EQ(BeepCount(), 1);
  editor->SetReadOnly(false);
  stream.SetPosition(0);
  SetCaret(0, 1);
  EXPECT_TRUE(editor->InsertRTFStream(&stream));
  EXPECT_EQ(FirstLine().substr(0, 10), "from RTFIn");
}

}  // namespace
