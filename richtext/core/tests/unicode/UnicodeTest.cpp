// Item text as 8-bit or UTF-16 text: helpers, line-break classes and positions, code pages, HTML.
#include "classlib/Streams.h"
#include "richtext/core/UVClasses.h"
#include "richtext/core/UVUni.h"
#include "tests/support/TestSupport.h"

namespace {

AnsiString Raw(const wchar_t* s) { return UVUniWideStringToRaw(s); }

TEST(UnicodeTest, TextHelpersCountCharactersNotBytes) {
  AnsiString w = Raw(L"abcd");
  EXPECT_EQ(UVUniLength(w, uvioUnicode), 4);
  EXPECT_EQ(UVUniLength("abcd", 0), 4);
  EXPECT_EQ(UVUniRawToWide(UVUniCopy(w, 2, 2, uvioUnicode)), L"bc");
  UVUniDelete(w, 1, 1, uvioUnicode);
  UVUniInsert(w, Raw(L"XY"), 2, uvioUnicode);
  EXPECT_EQ(UVUniRawToWide(w), L"bXYcd");
  EXPECT_TRUE(UVUniIsSpaceAt(Raw(L"a b"), 2, uvioUnicode));
  EXPECT_FALSE(UVUniIsSpaceAt(Raw(L"a\x2000"), 2, uvioUnicode));
  const wchar_t buffer[] = L"abcabc";
  EXPECT_EQ(WideCharScan(buffer, L'c', 6), buffer + 2);
  EXPECT_EQ(WideCharScan(buffer, L'z', 6), nullptr);
  EXPECT_EQ(WideCharScan(buffer, L'a', 0), nullptr);
}

TEST(UnicodeTest, LineBreakClasses) {
  struct {
    wchar_t c;
    Integer cls;
  } cases[] = {{L'a', lbAL},      {L' ', lbAL},      {L'\t', lbBA},     {L'\x01', lbCM},  {L'(', lbOP},
               {L')', lbCL},      {L'5', lbNU},      {L'-', lbHY},      {L'/', lbSY},     {L'$', lbPR},
               {L'%', lbPO},      {L'\xA0', lbGL},   {L'\xAD', lbBA},   {L'\xB4', lbBB},  {L'\xA1', lbAL},
               {L'\x4E2D', lbID}, {L'\xAC00', lbID}, {L'\x1100', lbID}, {L'\x3001', lbCL}, {L'\x3005', lbNS},
               {L'\x2014', lbB2}, {L'\x2026', lbIN}, {L'\x200B', lbZW}, {L'\x2060', lbGL}, {L'\xFEFF', lbGL},
               {L'\x2011', lbGL}, {L'\x2003', lbBA}, {L'\x0301', lbCM}, {L'\x0661', lbNU}, {L'\xE000', lbAL},
               {L'\xD800', lbAL}, {L'\x0E01', lbAL}};
  for (auto c : cases) EXPECT_EQ(UVUniGetCharLineBreakClass(c.c), c.cls) << std::hex << static_cast<int>(c.c);
}

TEST(UnicodeTest, LineBreakPositions) {
  struct {
    const wchar_t* text;
    Integer p;
    Integer expected;  // -1: none
  } cases[] = {
      {L"ab cd", 3, 2},             // the break lies after the space
      {L"ab(cd", 4, 1},             // no break after "(", a direct one before it
      {L"abcdef", 4, -1},           // a single word has no break
      {L"\x3001\x4E2D", 1, 0},      // after an ideographic comma
      {L"\x4E2D\x3002", 1, -1},     // never before a full stop
      {L"ab   cd", 6, 4},           // the spaces stay on the line, not the character at p
      {L"ab cd", 2, 2},             // a space at p itself
  };
  for (auto c : cases) {
    const WideChar* at = UVUniGetLineBreakPos(c.text, c.p);
    EXPECT_EQ(at ? static_cast<Integer>(at - c.text) : -1, c.expected) << static_cast<const void*>(c.text);
  }
}

TEST(UnicodeTest, CodePageConversions) {
  EXPECT_EQ(UVUniRawToWide(AnsiToUnicodeCP(1251, "\xC0")), L"\x410");
  EXPECT_EQ(UVUniRawToWide(AnsiToUnicodeCP(1252, "\x80")), L"\x20AC");
  EXPECT_EQ(AnsiToUnicodeCP(1252, ""), "");
  EXPECT_EQ(UnicodeToAnsiCP(1252, Raw(L"\x3b1\x3b2")), "??");  // Greek letters are not in 1252
  EXPECT_EQ(UnicodeToAnsiCP(1253, Raw(L"\x3b1")), "\xE1");
  EXPECT_EQ(UnicodeToAnsiCP(1252, Raw(L"\x141\x107")), "??");  // no look-alikes ("L", "c")
  EXPECT_EQ(UnicodeToAnsiCP(1252, Raw(L"\xE9")), "\xE9");
  EXPECT_THROW(UnicodeToAnsiCP(1252, "abc"), EUzurUvadError);
  EXPECT_GT(GetKeyboardCodePage(), 0);
}

TEST(UnicodeTest, CharsetTables) {
  struct {
    Integer charset;
    Integer codePage;
    Integer language;
  } cases[] = {{0, 1252, 1024},   {1, 0, 1024},     {2, 0, 1024},      {77, 2, 1024},   {128, 932, 1041},
               {129, 949, 1042},  {130, 1361, 2066}, {134, 936, 2052}, {136, 950, 1028}, {161, 1253, 1032},
               {162, 1254, 1055}, {163, 1258, 1066}, {177, 1255, 1037}, {178, 1256, 1024}, {186, 1257, 1024},
               {204, 1251, 1049}, {222, 874, 1054},  {238, 1250, 1024}, {255, 1, 1024},    {99, 0, 1024}};
  for (auto c : cases) {
    EXPECT_EQ(UVCharsetToCodePage(c.charset), c.codePage) << c.charset;
    EXPECT_EQ(UVCharsetToLanguage(c.charset), c.language) << c.charset;
  }
}

TEST(UnicodeTest, HTMLOfUTF16Text) {
  EXPECT_EQ(UVUniToHTML(Raw(L"a<b>&c"), false, false), "a&lt;b&gt;&amp;c");
  EXPECT_EQ(UVUniToHTML(Raw(L"a   b"), false, false), "a &nbsp; b");
  EXPECT_EQ(UVUniToHTML(Raw(L"\x3b1 \x3b2"), false, false), "&#945; &#946;");
  EXPECT_EQ(UVUniToHTML(Raw(L"a<b"), false, true), "a<b");
  EXPECT_EQ(UVUniToHTML("", true, false), "&nbsp;");
  EXPECT_EQ(UVUniToHTML("", false, false), "");
  TStringStream out;
  UVUniWriteHTML(&out, Raw(L"x y"), false, false);
  EXPECT_EQ(out.GetDataString(), "x y");
}

}  // namespace
