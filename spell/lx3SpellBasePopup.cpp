// The popup menu for one word: suggestions and the commands that act on the word, built and
// shown through the component's events or as a popup menu of the class library.
#include "classlib/Forms.h"
#include "classlib/Menus.h"
#include "classlib/StringLists.h"
#include "spell/lx3CustomDictionary.h"
#include "spell/lx3SpellBase.h"
#include "spell/lx3Util.h"

namespace {

constexpr Integer kPopupSuggestions = 5;

}  // namespace

void TLexemeSpell3Base::PopupItemClick(TObject* Sender) {
  if (auto* item = dynamic_cast<TMenuItem*>(Sender)) {
    popupTag_ = item->Tag;
    popupCaption_ = item->GetCaption();
  }
}

TObject* TLexemeSpell3Base::CreatePopupMenu(TComponent* AOwner) {
  if (!OnPopupCreateMenu) return new TPopupMenu(AOwner);
  TObject* menu = nullptr;
  OnPopupCreateMenu(this, AOwner, menu);
  return menu;
}

TObject* TLexemeSpell3Base::AddPopupMenuItem(TObject* Menu, TObject* Parent, Integer Tag, bool HasChildren,
                                             bool Enabled, const AnsiString& Caption) {
  TObject* added = nullptr;
  if (OnPopupAddMenuItem) {
    OnPopupAddMenuItem(this, Menu, Parent, Tag, HasChildren, Enabled, Caption, added);
    return added;
  }
  auto* menu = dynamic_cast<TPopupMenu*>(Menu);
  if (OnPopupCreateMenu || !menu) return nullptr;
  auto* item = new TMenuItem(menu);
  item->SetCaption(Caption);
  item->SetEnabled(Enabled);
  item->Tag = Tag;
  if (Tag > 0) item->OnClick = TNotifyEvent(this, &TLexemeSpell3Base::PopupItemClick);
  if (auto* parent = dynamic_cast<TMenuItem*>(Parent))
    parent->Add(item);
  else
    menu->GetItems()->Add(item);
  return item;
}

void TLexemeSpell3Base::ShowPopupMenu(TObject* Menu, const TPoint& Position) {
  popupTag_ = 0;
  popupCaption_.clear();
  if (OnPopupDoMenu) {
    OnPopupDoMenu(this, Menu, Position, popupTag_, popupCaption_);
    return;
  }
  auto* menu = dynamic_cast<TPopupMenu*>(Menu);
  if (OnPopupCreateMenu || !menu) return;
  menu->Popup(Position.X, Position.Y);
  // The chosen item's click may still be on its way.
  Application->ProcessMessages();
}

Integer TLexemeSpell3Base::PopupForWord(TComponent* AOwner, Integer Options, AnsiString& Word, const TPoint& Position) {
  if (Word.empty() || popupOpen_) return prNone;
  popupOpen_ = true;
  EnsureConfiguration();
  TObject* menu = CreatePopupMenu(AOwner);
  TStringList suggestions;
  BuildSuggestions(Word, &suggestions, kPopupSuggestions);
  const Integer count = suggestions.GetCount();

  if (Options & poSuggestions) {
    for (Integer i = 0; i < count; ++i) AddPopupMenuItem(menu, nullptr, prChange, false, true, suggestions[i]);
    if (count == 0) AddPopupMenuItem(menu, nullptr, prNone, false, false, GetString(61));
    AddPopupMenuItem(menu, nullptr, prNone, false, true, "-");
  }
  if (Options & poIgnore) AddPopupMenuItem(menu, nullptr, prIgnore, false, true, GetString(62));
  if (Options & poIgnoreAll) AddPopupMenuItem(menu, nullptr, prIgnoreAll, false, true, GetString(63));
  if (Options & poAdd) AddPopupMenuItem(menu, nullptr, prAdd, false, activeCustom_ != nullptr, GetString(64));
  AddPopupMenuItem(menu, nullptr, prNone, false, true, "-");
  if ((Options & poChangeAll) && count > 0) {
    TObject* parent = AddPopupMenuItem(menu, nullptr, prNone, true, true, GetString(65));
    for (Integer i = 0; i < count; ++i) AddPopupMenuItem(menu, parent, prChangeAll, false, true, suggestions[i]);
  }
  if ((Options & poAutoCorrect) && count > 0 && activeCustom_) {
    TObject* parent = AddPopupMenuItem(menu, nullptr, prNone, true, true, GetString(66));
    for (Integer i = 0; i < count; ++i) AddPopupMenuItem(menu, parent, prAutoCorrect, false, true, suggestions[i]);
  }
  if (Options & poSpelling) AddPopupMenuItem(menu, nullptr, prSpelling, false, true, GetString(67));

  ShowPopupMenu(menu, Position);

  const AnsiString original = Word;
  Integer result = prNone;
  switch (popupTag_) {
    case prSpelling:
      result = prSpelling;
      break;
    case prAutoCorrect:
      if (activeCustom_) activeCustom_->AddAutoCorrect(Word, popupCaption_);
      result = prAutoCorrect;
      LearnReplacement(Word, popupCaption_);
      Word = popupCaption_;
      break;
    case prChangeAll:
      internal_->AddAutoCorrect(Word, popupCaption_);
      result = prChangeAll;
      LearnReplacement(Word, popupCaption_);
      Word = popupCaption_;
      break;
    case prAdd:
      if (activeCustom_) activeCustom_->AddIgnore(Word);
      result = prAdd;
      break;
    case prIgnoreAll:
      internal_->AddIgnore(Word);
      result = prIgnoreAll;
      break;
    case prIgnore:
      result = prIgnore;
      break;
    case prChange:
      result = prChange;
      LearnReplacement(Word, popupCaption_);
      Word = popupCaption_;
      break;
    default:
      break;
  }
  if (OnPopupResult) OnPopupResult(this, original, Word, result);
  popupListeners_->Call(this, result);
  delete menu;
  popupOpen_ = false;
  return result;
}
