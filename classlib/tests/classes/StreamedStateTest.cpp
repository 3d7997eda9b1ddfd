#include <gtest/gtest.h>

#include "classlib/Classes.h"
#include "classlib/Filer.h"
#include "classlib/FormText.h"
#include "classlib/TypInfo.h"

namespace {

// A component with a string-list property, as a memo has its lines.
class TNotes : public TComponent {
  CLASS_INFO(TNotes, TComponent)
public:
  explicit TNotes(TComponent* AOwner) : TComponent(AOwner), FLines(new TStringList) {}
  ~TNotes() override { delete FLines; }
  TStrings* GetLines() const { return FLines; }
  void SetLines(TStrings* Value) { FLines->Assign(Value); }

private:
  TStringList* FLines;
};

}  // namespace

PUBLISHED(TNotes) { Prop("Lines", &TNotes::GetLines, &TNotes::SetLines); }

namespace {

class TPart : public TCollectionItem {
  CLASS_INFO(TPart, TCollectionItem)
public:
  explicit TPart(TCollection* Collection) : TCollectionItem(Collection) {}
};

class TAssembly : public TComponent {
  CLASS_INFO(TAssembly, TComponent)
public:
  explicit TAssembly(TComponent* AOwner)
      : TComponent(AOwner), FParts(new TOwnedCollection(this, TPart::StaticClass())) {}
  ~TAssembly() override { delete FParts; }
  TCollection* GetParts() const { return FParts; }
  void SetParts(TCollection* Value) { FParts->Assign(Value); }

private:
  TCollection* FParts;
};

}  // namespace

PUBLISHED(TAssembly) { Prop("Parts", &TAssembly::GetParts, &TAssembly::SetParts); }

namespace {

AnsiString AsText(TComponent* component) {
  TMemoryStream binary;
  WriteComponentToStream(&binary, component);
  binary.SetPosition(0);
  TStringStream text;
  ObjectBinaryToText(&binary, &text);
  return text.GetDataString();
}

// String lists travel as their lines, components as their place in a designer.
TEST(StreamedState, StringsAndDesignPosition) {
  RegisterClass(TNotes::StaticClass());
  TNotes notes(nullptr);
  notes.SetName("Notes1");
  EXPECT_EQ(AsText(&notes), "object Notes1: TNotes\r\nend\r\n");

  notes.GetLines()->SetText("one\r\n\r\nit's\r\n");
  notes.DesignInfo = 300 << 16 | 8;
  const AnsiString text =
      "object Notes1: TNotes\r\n"
      "  Lines.Strings = (\r\n"
      "    'one'\r\n"
      "    ''\r\n"
      "    'it'#39's')\r\n"
      "  Left = 8\r\n"
      "  Top = 300\r\n"
      "end\r\n";
  EXPECT_EQ(AsText(&notes), text);

  TStringStream source(text);
  TMemoryStream binary;
  ObjectTextToBinary(&source, &binary);
  binary.SetPosition(0);
  TNotes copy(nullptr);
  copy.GetLines()->Add("replaced");
  ReadComponentFromStream(&binary, &copy);
  EXPECT_EQ(copy.GetName(), "Notes1");
  EXPECT_EQ(copy.GetLines()->GetText(), "one\r\n\r\nit's\r\n");
  EXPECT_EQ(copy.DesignInfo, 300 << 16 | 8);
}

// A collection is named by the owner's property that holds it.
TEST(StreamedState, CollectionNamePathUsesTheOwnersProperty) {
  TComponent form(nullptr);
  form.SetName("Form1");
  auto* assembly = new TAssembly(&form);
  assembly->SetName("Assembly1");
  TCollectionItem* part = assembly->GetParts()->Add();
  assembly->GetParts()->Add();
  EXPECT_EQ(assembly->GetParts()->GetNamePath(), "Assembly1.Parts");
  EXPECT_EQ(part->GetNamePath(), "Assembly1.Parts[0]");
}

}  // namespace
