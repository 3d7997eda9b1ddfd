#include "app/UzurUvadBookEditor.h"

#include "classlib/Streams.h"
#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "core/FontTable.h"
#include "core/Utilities.h"
#include "richtext/core/CUVData.h"
#include "richtext/core/UVItem.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/UVUVData.h"
#include "richtext/core/UVUni.h"
#include "richtext/edit/UVEdit.h"

namespace {

// Lines are written whole: no line of a book is near this long.
constexpr Integer kLineWidth = 10000;

}  // namespace

void TUzurUvadBookEditor::Clear() { editor_->Clear(); }

void TUzurUvadBookEditor::SetTextFont(const TFontRecord& font) {
  if (TUVStyle* style = editor_->GetStyle()) style->GetTextStyles()->GetItem(0)->Assign(FontRecordToFont(font));
}

bool TUzurUvadBookEditor::LoadText(const AnsiString& fileName) {
  // The editor's own text loading shows a NUL byte as "?": the checks would then report a "?"
  // that is not in the book, and a save would write it there. The book's bytes are taken as they
  // are, in the lines and page breaks that loading makes of them.
  AnsiString content;
  try {
    TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
    content.assign(static_cast<std::size_t>(stream.GetSize()), '\0');
    if (!content.empty()) stream.ReadBuffer(content.data(), static_cast<Integer>(content.size()));
  } catch (const Exception&) {
    return false;
  }
  TCustomUVData* data = editor_->GetUVData();
  TUVStyle* style = editor_->GetStyle();
  const bool unicode = style && style->GetTextStyles()->GetItem(0)->Unicode;
  const Integer codePage = data->GetStyleCodePage(0);
  bool pageBreak = false;
  const auto add = [&](const AnsiString& piece) {
    data->AddNL(unicode ? AnsiToUnicodeCP(codePage, piece) : piece, 0, 0);
    if (pageBreak) data->GetItem(data->GetItemCount() - 1)->SetPageBreakBefore(true);
    pageBreak = false;
  };
  // Lines end at CR, LF or CR LF; text after the last break is a line too. A form feed in a line
  // starts a new page there.
  const auto addLine = [&](AnsiString line) {
    bool hadFormFeed = false;
    for (std::size_t ff; (ff = line.find('\f')) != AnsiString::npos;) {
      if (ff > 0) add(line.substr(0, ff));
      line.erase(0, ff + 1);
      pageBreak = hadFormFeed = true;
    }
    if (!line.empty() || !hadFormFeed) add(line);
  };
  std::size_t start = 0;
  for (std::size_t i = 0; i < content.size(); ++i) {
    if (content[i] != '\r' && content[i] != '\n') continue;
    addLine(content.substr(start, i - start));
    if (content[i] == '\r' && i + 1 < content.size() && content[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < content.size()) addLine(content.substr(start));
  return true;
}

void TUzurUvadBookEditor::Format() { editor_->Format(); }

void TUzurUvadBookEditor::GetLines(TStrings* lines) {
  TMemoryStream stream;
  editor_->SaveTextToStream(AnsiString(), &stream, kLineWidth, false, true);
  stream.SetPosition(0);
  lines->LoadFromStream(&stream);
}

bool TUzurUvadBookEditor::SaveText(const AnsiString& fileName) {
  // The book is replaced whole, so that a failed write leaves it as it was.
  TMemoryStream stream;
  if (!editor_->SaveTextToStream(ExtractFilePath(fileName), &stream, kLineWidth, false, false)) return false;
  const AnsiString bytes(static_cast<const char*>(stream.GetMemory()), static_cast<std::size_t>(stream.GetSize()));
  return ReplaceFileContents(fileName, bytes) == 0;
}

bool TUzurUvadBookEditor::GetModified() { return editor_->GetModified(); }

void TUzurUvadBookEditor::SetModified(bool value) { editor_->SetModified(value); }
