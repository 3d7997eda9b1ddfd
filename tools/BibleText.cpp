#include "tools/BibleText.h"

#include "richtext/core/UzurUvad.h"

void TBibleTextList::Clear() {
  items_.clear();
  checkpoint_ = false;
}

void TBibleTextList::AddNL(const AnsiString& text, Integer style, Integer para) {
  items_.push_back(TItem{text, style, para < 0 ? 0 : para, checkpoint_});
  checkpoint_ = false;
}

void TBibleTextList::Add(const AnsiString& text, Integer style) {
  // The first item of a document starts its first paragraph.
  items_.push_back(TItem{text, style, items_.empty() ? 0 : -1, checkpoint_});
  checkpoint_ = false;
}

void TUzurUvadBibleText::Clear() { control_->Clear(); }
void TUzurUvadBibleText::AddNL(const AnsiString& text, Integer style, Integer para) { control_->AddNL(text, style, para); }
void TUzurUvadBibleText::Add(const AnsiString& text, Integer style) { control_->Add(text, style); }
void TUzurUvadBibleText::AddCheckpoint() { control_->AddCheckpoint(); }
Integer TUzurUvadBibleText::ItemCount() const { return control_->GetItemCount(); }
AnsiString TUzurUvadBibleText::ItemText(Integer item) const { return control_->GetItemText(item); }
Integer TUzurUvadBibleText::ItemStyle(Integer item) const { return control_->GetItemStyle(item); }
bool TUzurUvadBibleText::IsParaStart(Integer item) const { return control_->IsParaStart(item); }
