// The main window's book view over a multi-line edit control: the book as plain text in the
// editor text's font, editable, with the edit control's modified flag.
#pragma once

#include "app/BookEditor.h"

class TMemo;

class TMemoBookEditor : public TBookEditor {
public:
  // The memo is not owned; it belongs to its form.
  explicit TMemoBookEditor(TMemo* memo) : memo_(memo) {}

  void Clear() override;
  void SetTextFont(const TFontRecord& font) override;
  bool LoadText(const AnsiString& fileName) override;
  void Format() override {}
  void GetLines(TStrings* lines) override;
  bool SaveText(const AnsiString& fileName) override;
  bool GetModified() override;
  void SetModified(bool value) override;

private:
  TMemo* memo_;
};
