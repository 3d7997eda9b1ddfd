// The main window's book view over the rich-text editor: the book as plain text, one paragraph a
// line, in text style 0 of the editor's style sheet, which takes the editor text's font.
#pragma once

#include "app/BookEditor.h"

class TCustomUzurUvadEdit;

class TUzurUvadBookEditor : public TBookEditor {
public:
  // The editor is not owned; it belongs to its form, as does its style sheet.
  explicit TUzurUvadBookEditor(TCustomUzurUvadEdit* editor) : editor_(editor) {}

  void Clear() override;
  void SetTextFont(const TFontRecord& font) override;
  bool LoadText(const AnsiString& fileName) override;
  void Format() override;
  void GetLines(TStrings* lines) override;
  bool SaveText(const AnsiString& fileName) override;
  bool GetModified() override;
  void SetModified(bool value) override;

private:
  TCustomUzurUvadEdit* editor_;
};
