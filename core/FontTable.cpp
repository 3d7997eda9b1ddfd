#include "core/FontTable.h"

#include <memory>

#include "classlib/Streams.h"
#include "classlib/SysUtils.h"
#include "core/ProgramFolderUnit.h"
#include "core/Utilities.h"

TFontTable Fonts = DefaultFontTable();

namespace {

void PutInt32(AnsiString& bytes, int at, Integer value) {
  const auto v = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

Integer GetInt32(const AnsiString& bytes, int at) {
  std::uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
  return static_cast<Integer>(v);
}

}  // namespace

AnsiString FontsFileName() { return ProgramFolder + "pelorin.fnt"; }

TFontTable DefaultFontTable() {
  struct Default {
    Integer Size;
    TFontStyles Style;
  };
  static const Default defaults[FontCount] = {
      {16, {fsBold}}, {20, {fsBold}}, {34, {fsBold}}, {12, {fsBold}}, {12, {}},
      {12, {}},       {12, {}},       {12, {fsBold}}, {12, {fsStrikeOut}}, {12, {}},
  };
  TFontTable table;
  for (int i = 0; i < FontCount; ++i) table[i] = {"Times New Roman", defaults[i].Size, clBlack, defaults[i].Style};
  return table;
}

AnsiString EncodeFontTable(const TFontTable& table) {
  // Padding and unused name bytes are written as zeros, so that the same table always gives
  // the same file.
  AnsiString bytes(FontCount * FontRecordSize, '\0');
  for (int i = 0; i < FontCount; ++i) {
    const int at = i * FontRecordSize;
    const AnsiString name = table[i].Name.substr(0, MaxFontNameLength);
    bytes[at] = static_cast<char>(name.size());
    bytes.replace(at + 1, name.size(), name);
    PutInt32(bytes, at + 36, table[i].Size);
    PutInt32(bytes, at + 40, table[i].Color);
    bytes[at + 44] = static_cast<char>(table[i].Style.Bits() & 0x0F);
  }
  return bytes;
}

TFontTable DecodeFontTable(const AnsiString& bytes) {
  if (bytes.size() < static_cast<std::size_t>(FontCount * FontRecordSize)) return DefaultFontTable();
  TFontTable table;
  for (int i = 0; i < FontCount; ++i) {
    const int at = i * FontRecordSize;
    const int length = std::min<int>(static_cast<unsigned char>(bytes[at]), MaxFontNameLength);
    table[i].Name = bytes.substr(at + 1, length);
    table[i].Size = GetInt32(bytes, at + 36);
    table[i].Color = GetInt32(bytes, at + 40);
    table[i].Style = TFontStyles::FromBits(static_cast<unsigned char>(bytes[at + 44]) & 0x0F);
  }
  return table;
}

void LoadFontsFile() {
  try {
    std::unique_ptr<TFileStream> file(new TFileStream(FontsFileName(), fmOpenRead | fmShareDenyWrite));
    const Int64 size = std::min<Int64>(file->GetSize(), FontCount * FontRecordSize);
    AnsiString bytes(static_cast<std::size_t>(size), '\0');
    if (size > 0) file->ReadBuffer(bytes.data(), static_cast<Integer>(size));
    Fonts = DecodeFontTable(bytes);
  } catch (const Exception&) {
    Fonts = DefaultFontTable();
  }
}

Cardinal SaveFontsFile(const TFontTable& table) { return ReplaceFileContents(FontsFileName(), EncodeFontTable(table)); }

TFont* FontRecordToFont(const TFontRecord& record) {
  static const std::unique_ptr<TFont> scratch(new TFont());
  scratch->SetName(record.Name);
  scratch->SetSize(record.Size);
  scratch->SetColor(record.Color);
  scratch->SetStyle(record.Style);
  return scratch.get();
}

void FontToFontRecord(TFont* font, TFontRecord& record) {
  record.Name = font->GetName().substr(0, MaxFontNameLength);
  record.Size = font->GetSize();
  record.Color = font->GetColor();
  record.Style = font->GetStyle();
}
