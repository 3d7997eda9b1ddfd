// The main window's way with a book: cleared, the book file loaded as plain text in a given text
// style, laid out, marked unmodified, and written out again as plain text with a line width of
// 10000. A whole book of the KJV comes back line for line.
#include "classlib/StringLists.h"
#include "richtext/edit/tests/control/EditorTestSupport.h"

using namespace editor_test;

namespace {

class BookTest : public EditorFixture {
protected:
  testing_support::TempFolder temp;
};

std::vector<std::string> FileLines(const std::string& Path) {
  TStringList lines;
  lines.LoadFromFile(Path);
  std::vector<std::string> out;
  for (Integer i = 0; i < lines.GetCount(); ++i) out.push_back(lines[i]);
  return out;
}

TEST_F(BookTest, AWholeBookComesBackLineForLine) {
  const std::string kjv = testing_support::KjvDataFolder();
  if (kjv.empty()) GTEST_SKIP() << "the KJV project of the shared data is not here";
  const std::string book = kjv + "KJV\\19PSAKJV.SFM";
  // The editor text's font goes into text style 0, as the main window sets it.
  TFont font;
  font.SetName("Courier New");
  font.SetSize(11);
  font.SetColor(clNavy);
  TFontInfo* text = style->GetTextStyles()->GetItem(0);
  text->Assign(&font);
  ShowForm();
  editor->Clear();
  ASSERT_TRUE(editor->LoadText(book, 0, 0, false));
  editor->Format();
  editor->SetModified(false);
  const std::vector<std::string> original = FileLines(book);
  ASSERT_GT(original.size(), 4000u);
  EXPECT_EQ(editor->GetItemCount(), static_cast<Integer>(original.size()));
  EXPECT_EQ(editor->GetItemText(0), "\\id PSA King James Version");
  EXPECT_EQ(text->FontName, "Courier New");
  Screenshot("editor-psalms");

  ASSERT_TRUE(editor->SaveText(temp.File("out.sfm"), 10000));
  EXPECT_EQ(FileLines(temp.File("out.sfm")), original);
  TMemoryStream stream;
  ASSERT_TRUE(editor->SaveTextToStream("", &stream, 10000, false, true));
  stream.SetPosition(0);
  TStringList lines;
  lines.LoadFromStream(&stream);
  ASSERT_EQ(lines.GetCount(), static_cast<Integer>(original.size()));
  EXPECT_EQ(lines[3000], original[3000]);
  EXPECT_FALSE(editor->GetModified());

  // An edit in the middle shows in the lines written and marks the editor modified.
  SetCaret(3000, 1);
  TypeText("Selah ");
  EXPECT_TRUE(editor->GetModified());
  ASSERT_TRUE(editor->SaveText(temp.File("edited.sfm"), 10000));
  std::vector<std::string> edited = FileLines(temp.File("edited.sfm"));
  ASSERT_EQ(edited.size(), original.size());
  EXPECT_EQ(edited[3000], "Selah " + original[3000]);
  edited[3000] = original[3000];
  EXPECT_EQ(edited, original);
  // Cleared, the editor is no longer modified and has nothing to undo.
  editor->Clear();
  EXPECT_FALSE(editor->GetModified());
  EXPECT_FALSE(editor->CanUndo());
}

TEST_F(BookTest, AFileThatCannotBeReadAddsNothing) {
  Fill(kVerses);
  EXPECT_FALSE(editor->LoadText(temp.File("missing.sfm"), 0, 0, false));
  EXPECT_EQ(editor->GetItemCount(), 3);
}

}  // namespace
