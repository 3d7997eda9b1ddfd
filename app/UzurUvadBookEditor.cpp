#include "app/UzurUvadBookEditor.h"

#include "classlib/StringLists.h"
#include "core/FontTable.h"
#include "richtext/core/UVStyle.h"
#include "richtext/edit/UVEdit.h"

namespace {

// Lines are written whole: no line of a book is near this long.
constexpr Integer kLineWidth = 10000;

}  // namespace

void TUzurUvadBookEditor::Clear() { editor_->Clear(); }

void TUzurUvadBookEditor::SetTextFont(const TFontRecord& font) {
  if (TUVStyle* style = editor_->GetStyle()) style->GetTextStyles()->GetItem(0)->Assign(FontRecordToFont(font));
}

bool TUzurUvadBookEditor::LoadText(const AnsiString& fileName) { return editor_->LoadText(fileName, 0, 0, false); }

void TUzurUvadBookEditor::Format() { editor_->Format(); }

void TUzurUvadBookEditor::GetLines(TStrings* lines) {
  TMemoryStream stream;
  editor_->SaveTextToStream(AnsiString(), &stream, kLineWidth, false, true);
  stream.SetPosition(0);
  lines->LoadFromStream(&stream);
}

bool TUzurUvadBookEditor::SaveText(const AnsiString& fileName) { return editor_->SaveText(fileName, kLineWidth); }

bool TUzurUvadBookEditor::GetModified() { return editor_->GetModified(); }

void TUzurUvadBookEditor::SetModified(bool value) { editor_->SetModified(value); }
