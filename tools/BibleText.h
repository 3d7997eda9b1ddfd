// The two testament documents of the printed Bible as the document builder writes them and
// pagination reads them: a sequence of text items, each in one of the Bible's text styles, some
// of them starting a paragraph. The dialog keeps them in its rich-text editors; tests and
// benchmarks may keep them in a plain list.
#pragma once

#include <vector>

#include "classlib/System.h"

class TCustomUzurUvad;

// The text styles of the Bible documents.
enum TBibleTextStyle : Integer {
  bsFontStyle = 0,    // not used for text
  bsSubtitle = 1,     // "\st" lines
  bsMainTitle = 2,    // "\mt" lines
  bsChapter = 3,      // chapter numbers
  bsSubheading = 4,   // "\s" lines
  bsVerseNumber = 5,  // verse numbers
  bsText = 6,         // running text
  bsBrackets = 7,     // text between square brackets
  bsEBookLink = 8,    // chapter links of e-books
};
constexpr int BibleTextStyleCount = 9;

// The paragraph styles.
enum TBibleParaStyle : Integer {
  bpNormal = 0,
  bpCentered = 1,
  bpIndented = 2,
};

class TBibleText {
public:
  virtual ~TBibleText() = default;
  virtual void Clear() = 0;
  // Appends an item that starts a paragraph.
  virtual void AddNL(const AnsiString& text, Integer style, Integer para) = 0;
  // Appends an item that continues the last paragraph.
  virtual void Add(const AnsiString& text, Integer style) = 0;
  // Places a checkpoint before the next item.
  virtual void AddCheckpoint() = 0;
  virtual Integer ItemCount() const = 0;
  virtual AnsiString ItemText(Integer item) const = 0;
  virtual Integer ItemStyle(Integer item) const = 0;
  virtual bool IsParaStart(Integer item) const = 0;
};

// The documents in a plain list.
class TBibleTextList : public TBibleText {
public:
  struct TItem {
    AnsiString Text;
    Integer Style = 0;
    Integer Para = -1;  // the paragraph style of an item that starts a paragraph, else -1
    bool Checkpoint = false;
    bool operator==(const TItem&) const = default;
  };
  void Clear() override;
  void AddNL(const AnsiString& text, Integer style, Integer para) override;
  void Add(const AnsiString& text, Integer style) override;
  void AddCheckpoint() override { checkpoint_ = true; }
  Integer ItemCount() const override { return static_cast<Integer>(items_.size()); }
  AnsiString ItemText(Integer item) const override { return items_[item].Text; }
  Integer ItemStyle(Integer item) const override { return items_[item].Style; }
  bool IsParaStart(Integer item) const override { return items_[item].Para >= 0; }
  const std::vector<TItem>& Items() const { return items_; }

private:
  std::vector<TItem> items_;
  bool checkpoint_ = false;
};

// The documents in a rich-text control (not owned).
class TUzurUvadBibleText : public TBibleText {
public:
  explicit TUzurUvadBibleText(TCustomUzurUvad* control) : control_(control) {}
  void Clear() override;
  void AddNL(const AnsiString& text, Integer style, Integer para) override;
  void Add(const AnsiString& text, Integer style) override;
  void AddCheckpoint() override;
  Integer ItemCount() const override;
  AnsiString ItemText(Integer item) const override;
  Integer ItemStyle(Integer item) const override;
  bool IsParaStart(Integer item) const override;
  TCustomUzurUvad* Control() const { return control_; }

private:
  TCustomUzurUvad* control_;
};
