// The spell-check component with its interface: the fonts of its dialogs in the interface
// language and the built-in options and custom dictionary dialogs, shown when the application
// supplies none of its own through the events.
#pragma once

#include "spell/lx3SpellBase.h"

class TFont;

class TLexemeSpell3 : public TLexemeSpell3Base {
  CLASS_INFO(TLexemeSpell3, TLexemeSpell3Base)
public:
  explicit TLexemeSpell3(TComponent* AOwner);
  ~TLexemeSpell3() override;

  // Labels, buttons, check boxes, group boxes and page controls of the dialogs take the
  // controls font; list views, list boxes, edits and combo boxes take the text font when the
  // dialog asks for text fonts, else the controls font. Only while UILanguageUseFonts is set.
  virtual void ApplyInterfaceFonts(TForm* Form, bool TextFonts);

  // The built-in spelling dialog, owned by the checked control when the walker reads a control,
  // else by the component, with the interface fonts (text fonts included).
  TForm* CreateSpellDialog() override;

  // The event when assigned; otherwise the built-in dialog, modal, freed when it closes.
  void ShowConfigDialog(TComponent* AOwner) override;
  void ShowCustomDictionariesDialog(TComponent* AOwner) override;
  void ShowEditCustomDictionaryDialog(TComponent* AOwner, TCustomDictionary* Dictionary) override;
  // The event when assigned; otherwise the folder browser, whose folder joins the folders the
  // configuration adds for dictionaries.
  void ShowAddDictionaryDir(TComponent* AOwner) override;
  using TLexemeSpell3Base::ShowConfigDialog;
  using TLexemeSpell3Base::ShowCustomDictionariesDialog;
  using TLexemeSpell3Base::ShowEditCustomDictionaryDialog;
  using TLexemeSpell3Base::ShowAddDictionaryDir;

  // Setting a font copies it into the component's own font.
  TFont* GetUILanguageFontControls() const { return fontControls_; }
  void SetUILanguageFontControls(TFont* Value);
  TFont* GetUILanguageFontText() const { return fontText_; }
  void SetUILanguageFontText(TFont* Value);
  bool UILanguageUseFonts = false;

private:
  // The window that owns a dialog opened for AOwner: the form of the owner, or of the first
  // control among the owner's owners; the application's window when there is none.
  static HWND OwnerWindow(TComponent* AOwner);

  TFont* fontControls_;
  TFont* fontText_;
};
