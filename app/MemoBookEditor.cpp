#include "app/MemoBookEditor.h"

#include <memory>

#include "classlib/StdCtrls.h"
#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "core/FontTable.h"

void TMemoBookEditor::Clear() { memo_->SetText(AnsiString()); }

void TMemoBookEditor::SetTextFont(const TFontRecord& font) { memo_->GetFont()->Assign(FontRecordToFont(font)); }

bool TMemoBookEditor::LoadText(const AnsiString& fileName) {
  std::unique_ptr<TStringList> lines(new TStringList());
  try {
    lines->LoadFromFile(fileName);
  } catch (const Exception&) {
    return false;
  }
  // The whole text in one go: the edit control takes a book at once far faster than line by line.
  memo_->SetText(memo_->GetText() + lines->GetText());
  return true;
}

void TMemoBookEditor::GetLines(TStrings* lines) { lines->SetText(memo_->GetText()); }

bool TMemoBookEditor::SaveText(const AnsiString& fileName) {
  std::unique_ptr<TStringList> lines(new TStringList());
  GetLines(lines.get());
  try {
    lines->SaveToFile(fileName);
    return true;
  } catch (const Exception&) {
    return false;
  }
}

bool TMemoBookEditor::GetModified() { return memo_->GetModified(); }

void TMemoBookEditor::SetModified(bool value) { memo_->SetModified(value); }
