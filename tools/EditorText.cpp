#include "tools/EditorText.h"

#include "classlib/Streams.h"
#include "classlib/WinApi.h"
#include "richtext/core/UzurUvad.h"
#include "richtext/core/CUVData.h"

TextLines DocumentLines(TCustomUzurUvad* editor) {
  TMemoryStream stream;
  editor->GetUVData()->SaveTextToStream(&stream, "", 10000, false, true, true);
  const auto* wide = static_cast<const wchar_t*>(stream.GetMemory());
  const int length = static_cast<int>(stream.GetSize() / 2);
  AnsiString text;
  if (length > 0) {
    // The system's own conversion, with its nearest letters for those the code page lacks.
    const int size = ::WideCharToMultiByte(CP_ACP, 0, wide, length, nullptr, 0, nullptr, nullptr);
    text.assign(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, wide, length, text.data(), size, nullptr, nullptr);
  }
  // Read as a string list reads it: an empty last paragraph leaves no line.
  return SplitTextLines(text);
}

AnsiString DocumentText(TCustomUzurUvad* editor) { return JoinParagraphs(DocumentLines(editor)); }

void ShowLines(TCustomUzurUvad* editor, const TextLines& lines) {
  editor->Clear();
  for (const AnsiString& line : lines) editor->AddNL(line, 0, 0);
  editor->Format();
}

AnsiString LoadRTFDocument(TCustomUzurUvad* editor, const AnsiString& fileName) {
  AnsiString bytes;
  if (!ReadResultFile(fileName, bytes)) return "The file " + fileName + " could not be read";
  if (bytes.empty()) return "The file " + fileName + " is empty";
  if (bytes.compare(0, 5, "{\\rtf") != 0) return "The file " + fileName + " is not an RTF document";
  TMemoryStream stream;
  stream.WriteBuffer(bytes.data(), static_cast<Integer>(bytes.size()));
  stream.SetPosition(0);
  if (!editor->LoadRTFFromStream(&stream)) return "The file " + fileName + " is not an RTF document that can be read";
  return AnsiString();
}
