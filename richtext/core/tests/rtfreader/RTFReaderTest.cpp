// The RTF tokenizer on hand-written streams: text runs and their positions, groups and
// destinations, control words and their parameters, Unicode characters and their fallbacks,
// character and paragraph properties, tables, lists, fields, pictures and the result codes.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "classlib/Bitmaps.h"
#include "classlib/Handles.h"
#include "classlib/Jpeg.h"
#include "classlib/Metafiles.h"
#include "classlib/Streams.h"
#include "classlib/SysUtils.h"
#include "richtext/core/UVRTF.h"
#include "tests/support/TestSupport.h"

namespace {

// What an event saw of the reader's state.
struct TextRecord {
  std::string Text;  // 8-bit text, or UTF-8 of UTF-16 text
  bool Unicode = false;
  TUVRTFPosition Position = rtf_ts_ContinuePara;
  Integer Size = 0;
  TFontStyles Style;
  TColor Color = 0;
  TColor BackColor = 0;
  std::string FontName;
  bool Hidden = false;
  TUVRTFSScriptType SScript = rtf_ss_Normal;
  bool AllCaps = false;
  Integer LeftIndent = 0;
  Integer FirstIndent = 0;
  TUVRTFAlignment Alignment = rtf_al_Left;
  std::string FieldInstruction;
  Integer ListOverride = -1;
  Integer ListLevel = 0;
};

struct PictureRecord {
  std::unique_ptr<TGraphic> Graphic;
  bool HasRTFPicture = false;
  TUVRTFPictureType Type = rtf_pict_WMF;
  Integer SuggestedWidth = 0;
  Integer PicScaleX = 0;
  TUVRTFPosition Position = rtf_ts_ContinuePara;
};

// Runs a reader over a stream and records every event, as a log line each and with detail.
class Recorder {
public:
  explicit Recorder(bool Unicode = true, bool Pictures = true, bool HeaderFooter = false) {
    Reader.OnNewText = TUVRTFNewTextEvent(this, &Recorder::NewText);
    if (Unicode) Reader.OnNewUnicodeText = TUVRTFNewUnicodeTextEvent(this, &Recorder::NewUnicodeText);
    if (Pictures) Reader.OnNewPicture = TUVRTFNewPictureEvent(this, &Recorder::NewPicture);
    Reader.OnTable = TUVRTFTableEvent(this, &Recorder::Table);
    Reader.OnRequiredPageBreak = TNotifyEvent(this, &Recorder::PageBreak);
    if (HeaderFooter) Reader.OnHeaderFooter = TUVRTFHeaderFooterEvent(this, &Recorder::HeaderFooterEvent);
    Reader.OnUpdateMarker = TNotifyEvent(this, &Recorder::UpdateMarker);
  }

  TUVRTFResult Read(const std::string& Rtf) {
    TStringStream stream(Rtf);
    return Reader.ReadFromStream(&stream);
  }

  // The log lines joined by "|".
  std::string Joined() const {
    std::string s;
    for (const std::string& line : Log) {
      if (!s.empty()) s += "|";
      s += line;
    }
    return s;
  }

  TUVRTFReader Reader{nullptr};
  std::vector<std::string> Log;
  std::vector<TextRecord> Texts;
  std::vector<PictureRecord> Pictures;
  std::vector<TUVRTFRowProperties*> Rows;  // copies taken at each row end
  std::vector<std::unique_ptr<TUVRTFRowProperties>> RowCopies;
  Integer MarkerUpdates = 0;
  std::unique_ptr<TUVRTFMarkerProperties> LastMarker;

private:
  void Record(const std::string& Text, bool Unicode, TUVRTFPosition Position) {
    TextRecord r;
    r.Text = Text;
    r.Unicode = Unicode;
    r.Position = Position;
    const TUVRTFCharProperties& cp = Reader.GetCharProps();
    r.Size = cp.Size;
    r.Style = cp.Style;
    r.Color = cp.Color;
    r.BackColor = cp.BackColor;
    r.FontName = Reader.GetCurrentFontName();
    r.Hidden = cp.Hidden;
    r.SScript = cp.SScriptType;
    r.AllCaps = cp.AllCaps;
    const TUVRTFParaProperties& pp = Reader.GetParaProps();
    r.LeftIndent = pp.LeftIndentTw;
    r.FirstIndent = pp.FirstIndentTw;
    r.Alignment = pp.Alignment;
    r.FieldInstruction = Reader.GetState()->FieldInstruction;
    r.ListOverride = pp.ListOverrideIndex;
    r.ListLevel = pp.ListLevel;
    Texts.push_back(r);
    Log.push_back((Unicode ? "U" : "T") + std::to_string(Position) + ":" + Text);
  }
  void NewText(TUVRTFReader*, const AnsiString& Text, TUVRTFPosition Position) { Record(Text, false, Position); }
  void NewUnicodeText(TUVRTFReader*, const WideString& Text, TUVRTFPosition Position) {
    Record(UTF8Encode(Text), true, Position);
  }
  void NewPicture(TUVRTFReader*, TUVRTFPicture* Picture, TGraphic* Graphic, TUVRTFPosition Position) {
    PictureRecord r;
    r.Graphic.reset(Graphic);
    r.HasRTFPicture = Picture != nullptr;
    if (Picture) {
      r.Type = Picture->PicType;
      r.SuggestedWidth = Picture->SuggestedWidth;
      r.PicScaleX = Picture->PicScaleX;
    }
    r.Position = Position;
    Log.push_back("Pict" + std::to_string(Position) + ":" + (Graphic ? Graphic->ClassName() : std::string("none")));
    Pictures.push_back(std::move(r));
  }
  void Table(TUVRTFReader*, TUVRTFTableEventKind Kind) {
    static const char* const names[] = {"TableStart", "TableEnd", "RowEnd", "CellEnd"};
    Log.push_back(names[Kind]);
    if (Kind == rtf_te_RowEnd) {
      auto copy = std::make_unique<TUVRTFRowProperties>();
      copy->Assign(*Reader.GetRowProps());
      Rows.push_back(copy.get());
      RowCopies.push_back(std::move(copy));
    }
  }
  void PageBreak(TObject*) { Log.push_back("Page"); }
  void HeaderFooterEvent(TUVRTFReader*, TUVRTFHeaderFooterType Type, bool Starting) {
    Log.push_back(std::string(Type == rtf_hf_Header ? "Header" : "Footer") + (Starting ? "+" : "-"));
  }
  void UpdateMarker(TObject*) {
    ++MarkerUpdates;
    LastMarker = std::make_unique<TUVRTFMarkerProperties>();
    LastMarker->Assign(*Reader.GetParaProps().Marker);
  }
};

std::string Hex(const std::string& Bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string s;
  for (unsigned char c : Bytes) {
    s += digits[c >> 4];
    s += digits[c & 15];
  }
  return s;
}

std::string StreamBytes(TGraphic* Graphic) {
  TMemoryStream stream;
  Graphic->SaveToStream(&stream);
  return std::string(static_cast<const char*>(stream.GetMemory()), static_cast<std::size_t>(stream.GetSize()));
}

// --- Text runs and groups -------------------------------------------------------------------------

struct LogCase {
  const char* Name;
  const char* Rtf;
  const char* Expected;
};

class RTFReaderLog : public ::testing::TestWithParam<LogCase> {};

TEST_P(RTFReaderLog, ReportsTheEventsInOrder) {
  Recorder r;
  EXPECT_EQ(r.Read(GetParam().Rtf), rtf_ec_OK);
  EXPECT_EQ(r.Joined(), GetParam().Expected);
}

const LogCase kLogCases[] = {
    {"Paragraphs", R"({\rtf1 Hello\par World})", "T2:Hello|T2:World"},
    {"EmptyParagraphBetween", R"({\rtf1 a\par\par b})", "T2:a|T2:|T2:b"},
    {"ClosingParagraphMarkAddsNothing", R"({\rtf1 a\par })", "T2:a"},
    {"LineBreak", R"({\rtf1 a\line b\line\line c})", "T2:a|T1:b|T1:|T1:c"},
    {"FormattingSplitsRuns", R"({\rtf1 a{\b b}c\i d})", "T2:a|T0:b|T0:c|T0:d"},
    {"BackslashNewlineIsAParagraph", "{\\rtf1 a\\\r\nb}", "T2:a|T2:b"},
    {"ControlSymbols", R"({\rtf1 \{\}\\\tab x})", "T2:{}\\\tx"},
    {"HexEscape", R"({\rtf1 caf\'e9})", "T2:caf\xe9"},
    {"StarredUnknownGroupSkipped", R"({\rtf1 a{\*\unknownthing b{c}}d})", "T2:ad"},
    {"UnknownWordWithoutStarIgnored", R"({\rtf1 a{\unknownthing b}c})", "T2:ab|T0:c"},
    {"KnownSkipDestination", R"({\rtf1 {\info{\title T}{\author A}}x})", "T2:x"},
    {"BinInSkippedGroupSkipsBraces", "{\\rtf1 a{\\*\\foo\\bin3 }{}}b}", "T2:ab"},
    {"TextAfterOuterGroupNotRead", R"({\rtf1 a}b)", "T2:a"},
    {"DelimiterSpaceEaten", R"({\rtf1 \b  x})", "T2: x"},
    {"TypographicCharacters", R"({\rtf1 \ldblquote a\rdblquote \endash\emdash\bullet})",
     "U2:\xe2\x80\x9c|T0:a|U0:\xe2\x80\x9d\xe2\x80\x93\xe2\x80\x94\xe2\x80\xa2"},
    {"NoBreakSpaceAndHyphens", R"({\rtf1 a\~b\_c\-d})", "T2:a|U0:\xc2\xa0|T0:b|U0:\xe2\x80\x91|T0:cd"},
    {"PageBreak", R"({\rtf1 a\par\page b})", "T2:a|Page|T2:b"},
    {"PageBreakBefore", R"({\rtf1 a\par\pard\pagebb b})", "T2:a|Page|T2:b"},
    {"HiddenTextKeepsTheParagraphStart", R"({\rtf1 a\par{\v h}b})", "T2:a|T2:|T0:h|T0:b"},
};

INSTANTIATE_TEST_SUITE_P(Cases, RTFReaderLog, ::testing::ValuesIn(kLogCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(RTFReader, EightBitTypographicCharactersWithoutUnicodeEvent) {
  Recorder r(false);
  EXPECT_EQ(r.Read(R"({\rtf1\ansicpg1252 \ldblquote a\rdblquote\lquote\rquote\endash\emdash\~\bullet\_\zwj\-b})"),
            rtf_ec_OK);
  EXPECT_EQ(r.Joined(), "T2:\"a\"''--\xa0\x95-b");
}

TEST(RTFReader, UnicodeCharacterAndItsFallback) {
  struct Case {
    bool Unicode;
    const char* Rtf;
    const char* Expected;
  } cases[] = {
      {true, R"({\rtf1\uc1\u8364?x})", "U2:\xe2\x82\xac|T0:x"},
      {true, R"({\rtf1\uc0\u8364?})", "U2:\xe2\x82\xac|T0:?"},
      {false, R"({\rtf1\uc1\u8364?})", "T2:?"},
      {true, R"({\rtf1\u233\'e9x})", "U2:\xc3\xa9|T0:x"},               // a hex escape as the fallback
      {true, R"({\rtf1\uc2\u233\'e9\'e9x})", "U2:\xc3\xa9|T0:x"},       // two fallback bytes
      {true, R"({\rtf1\u233\ldblquote x})", "U2:\xc3\xa9|T0:x"},        // a control word as the fallback
      {true, R"({\rtf1\uc3\u233 a}b)", "U2:\xc3\xa9"},                  // "}" ends the skipping
      {true, R"({\rtf1\u-3913?})", "U2:\xef\x82\xb7"},                  // negative values wrap
      {true, R"({\rtf1\uc1{\uc0\u233 x}\u233?y})", "U2:\xc3\xa9|T0:x|U0:\xc3\xa9|T0:y"},  // \uc is scoped
  };
  for (const Case& c : cases) {
    Recorder r(c.Unicode);
    EXPECT_EQ(r.Read(c.Rtf), rtf_ec_OK) << c.Rtf;
    EXPECT_EQ(r.Joined(), c.Expected) << c.Rtf;
  }
}

TEST(RTFReader, StreamStopsRightAfterTheOuterGroup) {
  TStringStream stream("{\\rtf1 a}tail");
  Recorder r;
  EXPECT_EQ(r.Reader.ReadFromStream(&stream), rtf_ec_OK);
  EXPECT_EQ(stream.GetPosition(), 9);
}

// --- Result codes -----------------------------------------------------------------------------

TEST(RTFReader, ResultCodesOfBrokenInput) {
  struct Case {
    const char* Rtf;
    TUVRTFResult Expected;
  } cases[] = {
      {"}", rtf_ec_StackUnderflow},
      {"{\\rtf1 a", rtf_ec_UnmatchedBrace},
      {"{\\rtf1 {a}", rtf_ec_UnmatchedBrace},
      {"{\\rtf1 \\'zz}", rtf_ec_InvalidHex},
      {"{\\rtf1 a\\", rtf_ec_EndOfFile},
      {"{\\rtf1 {\\pict{\\pict 00}}}", rtf_ec_InvalidPicture},
      {"{\\rtf1 {\\pict\\wmetafile8 01 02}}", rtf_ec_InvalidPicture},
      {"{\\rtf1 {\\pict\\wmetafile8 01x2}}", rtf_ec_InvalidPicture},
      {"", rtf_ec_OK},
      {"{\\rtf1 }", rtf_ec_OK},
  };
  for (const Case& c : cases) {
    Recorder r;
    EXPECT_EQ(r.Read(c.Rtf), c.Expected) << c.Rtf;
  }
}

TEST(RTFReader, EventsBeforeAFaultStaySent) {
  Recorder r;
  EXPECT_EQ(r.Read("{\\rtf1 a\\par b\\'x"), rtf_ec_InvalidHex);
  EXPECT_EQ(r.Joined(), "T2:a");
}

TEST(RTFReader, DeepNestingIsRefused) {
  Recorder r;
  EXPECT_EQ(r.Read(std::string(20000, '{')), rtf_ec_StackOverflow);
}

TEST(RTFReader, MissingFileCannotBeOpened) {
  testing_support::TempFolder temp;
  Recorder r;
  EXPECT_EQ(r.Reader.ReadFromFile(temp.File("missing.rtf")), rtf_ec_FileOpenError);
}

TEST(RTFReader, PictureDataWithoutReceiverIsDropped) {
  Recorder r(true, false);
  EXPECT_EQ(r.Read("{\\rtf1 a{\\pict\\wmetafile8 01 zz}b}"), rtf_ec_OK);
  EXPECT_EQ(r.Joined(), "T2:a|T0:b");
}

// --- Character and paragraph properties -----------------------------------------------------------

TEST(RTFReader, CharacterProperties) {
  Recorder r;
  ASSERT_EQ(r.Read(R"({\rtf1\deff1{\fonttbl{\f0\fswiss Arial;}{\f1\froman Times New Roman;}})"
                   R"({\colortbl;\red255\green0\blue0;\red0\green0\blue255;})"
                   R"(\f0\fs25 a\fs27\b\i\ul\strike\cf1\chcbpat2 b\plain c\f9 d\ulw\caps\up6 e\dn4 f\sub g\nosupersub h)"
                   R"(\uld\ulnone\charscalex80\expndtw20 i\highlight3 j})"),
            rtf_ec_OK);
  ASSERT_EQ(r.Texts.size(), 10u);
  EXPECT_EQ(r.Texts[0].FontName, "Arial");
  EXPECT_EQ(r.Texts[0].Size, 12);  // 12.5 points round to the even 12
  EXPECT_EQ(r.Texts[1].Size, 14);  // 13.5 points round to 14
  EXPECT_EQ(r.Texts[1].Style, (TFontStyles{fsBold, fsItalic, fsUnderline, fsStrikeOut}));
  EXPECT_EQ(r.Texts[1].Color, 0x0000FF);
  EXPECT_EQ(r.Texts[1].BackColor, 0xFF0000);
  EXPECT_EQ(r.Texts[2].FontName, "Times New Roman");  // \plain takes the \deff font
  EXPECT_EQ(r.Texts[2].Size, 12);
  EXPECT_TRUE(r.Texts[2].Style.Empty());
  EXPECT_EQ(r.Texts[2].Color, rtf_AutoColor);
  EXPECT_EQ(r.Texts[3].FontName, "Times New Roman");  // an unknown font number too
  EXPECT_EQ(r.Texts[4].Style, TFontStyles{fsUnderline});
  EXPECT_TRUE(r.Texts[4].AllCaps);
  EXPECT_EQ(r.Texts[4].SScript, rtf_ss_Superscript);
  EXPECT_EQ(r.Texts[5].SScript, rtf_ss_Subscript);
  EXPECT_EQ(r.Texts[6].SScript, rtf_ss_Subscript);
  EXPECT_EQ(r.Texts[7].SScript, rtf_ss_Normal);
  EXPECT_TRUE(r.Texts[8].Style.Empty());
  EXPECT_EQ(r.Reader.GetColorList()->GetCount(), 3);  // the automatic entry after the last ";" is gone
  EXPECT_EQ(r.Texts[9].BackColor, 0xFFFF00);          // \highlight3 is cyan
}

TEST(RTFReader, HighlightByColorTable) {
  Recorder r;
  r.Reader.ConvertHighlight = rtf_hl_ColorTable;
  ASSERT_EQ(r.Read(R"({\rtf1{\colortbl;\red1\green2\blue3;\red4\green5\blue6;\red7\green8\blue9;}\highlight3 a})"),
            rtf_ec_OK);
  EXPECT_EQ(r.Texts[0].BackColor, 0x090807);
  Recorder ignore;
  ignore.Reader.ConvertHighlight = rtf_hl_Ignore;
  ASSERT_EQ(ignore.Read(R"({\rtf1\highlight3 a})"), rtf_ec_OK);
  EXPECT_EQ(ignore.Texts[0].BackColor, clNone);
}

TEST(RTFReader, ParagraphPropertiesAndParameters) {
  Recorder r;
  ASSERT_EQ(r.Read(R"({\rtf1\pard\li-360\fi720\qc\b0\i a\par\pard b\par})"), rtf_ec_OK);
  ASSERT_EQ(r.Texts.size(), 2u);
  EXPECT_EQ(r.Texts[0].LeftIndent, -360);
  EXPECT_EQ(r.Texts[0].FirstIndent, 720);
  EXPECT_EQ(r.Texts[0].Alignment, rtf_al_Center);
  EXPECT_EQ(r.Texts[0].Style, TFontStyles{fsItalic});  // \b0 ended by the next backslash
  EXPECT_EQ(r.Texts[1].LeftIndent, 0);
  EXPECT_EQ(r.Texts[1].Alignment, rtf_al_Left);
}

TEST(RTFReader, FirstBorderStyleWins) {
  struct Probe {
    TUVRTFBorderType Style = 0;
    Integer Width = 0;
    TColor Color = 0;
    Integer Space = 0;
  } probe;
  Recorder r;
  r.Reader.OnNewText = TUVRTFNewTextEvent::FromFunction([&](TUVRTFReader* reader, const AnsiString&, TUVRTFPosition) {
    const TUVRTFBorderSide& side = reader->GetParaProps().Border->GetSide(rtf_side_Bottom);
    probe = {side.BorderType, side.WidthTw, side.Color, side.SpaceTw};
  });
  ASSERT_EQ(r.Read(R"({\rtf1{\colortbl;\red0\green255\blue0;}\brdrb\brdrs\brdrdb\brdrw15\brdrcf1\brsp40 a\par})"),
            rtf_ec_OK);
  EXPECT_EQ(probe.Style, 1);
  EXPECT_EQ(probe.Width, 15);
  EXPECT_EQ(probe.Color, 0x00FF00);
  EXPECT_EQ(probe.Space, 40);
}

TEST(RTFReader, FontTableColourTableAndStyleSheet) {
  Recorder r;
  ASSERT_EQ(r.Read(R"({\rtf1{\fonttbl{\f0\froman\fcharset204 Times{\*\falt X};}{\f2\fnil\fcharset300 Sym;}})"
                   R"({\stylesheet{\ql\fs20 Normal;}{\s1\qc\b\sbasedon0\snext0 heading 1;}{\*\cs10\additive\i Emph;}}})"),
            rtf_ec_OK);
  TUVRTFFontList* fonts = r.Reader.GetFontList();
  ASSERT_EQ(fonts->GetCount(), 2);
  EXPECT_EQ(fonts->GetItem(0)->Name, "Times");
  EXPECT_EQ(fonts->GetItem(0)->Family, rtf_ff_Roman);
  EXPECT_EQ(fonts->GetItem(0)->Charset, 204);
  EXPECT_EQ(fonts->GetItem(1)->Number, 2);
  EXPECT_EQ(fonts->GetItem(1)->Charset, 77);  // a charset above 255
  TUVRTFStyleSheet* styles = r.Reader.GetStyleSheet();
  ASSERT_EQ(styles->GetCount(), 3);
  EXPECT_EQ(styles->GetItem(0)->Name, "Normal");
  EXPECT_EQ(styles->GetItem(0)->CharProps.Size, 10);
  EXPECT_EQ(styles->GetItem(1)->Number, 1);
  EXPECT_EQ(styles->GetItem(1)->Name, "heading 1");
  EXPECT_EQ(styles->GetItem(1)->ParaProps.Alignment, rtf_al_Center);
  EXPECT_TRUE(styles->GetItem(1)->CharProps.Style.Contains(fsBold));
  EXPECT_EQ(styles->GetItem(1)->BasedOn, styles->GetItem(0));
  EXPECT_EQ(styles->GetItem(2)->StyleSheetType, rtf_sst_Char);
  EXPECT_EQ(styles->GetItem(2)->Number, 10);
  EXPECT_TRUE(styles->GetItem(2)->Additive);
}

TEST(RTFReader, DocumentAndSectionProperties) {
  TUVRTFDocProperties doc;
  TUVRTFSectionProperties sect;
  Recorder r;
  r.Reader.OnNewText = TUVRTFNewTextEvent::FromFunction([&](TUVRTFReader* reader, const AnsiString&, TUVRTFPosition) {
    doc.Assign(reader->GetDocProps());
    sect.Assign(reader->GetSectProps());
  });
  ASSERT_EQ(r.Read(R"({\rtf1\ansicpg1251\paperw11906\paperh16838\margl1134\margt567\landscape\sectd\cols2\sbknone a})"),
            rtf_ec_OK);
  EXPECT_EQ(r.Reader.GetCodePage(), 1251u);
  EXPECT_EQ(doc.PaperWidthTw, 11906);
  EXPECT_EQ(doc.PaperHeightTw, 16838);
  EXPECT_EQ(doc.LeftMarginTw, 1134);
  EXPECT_EQ(doc.TopMarginTw, 567);
  EXPECT_EQ(doc.RightMarginTw, 1800);
  EXPECT_TRUE(doc.Landscape);
  EXPECT_EQ(sect.Columns, 2);
  EXPECT_EQ(sect.SectionBreak, 0);
}

TEST(RTFReader, CodePageOfTheDocumentConvertsText) {
  Recorder r;
  ASSERT_EQ(r.Read("{\\rtf1\\ansicpg1251 {\\fonttbl{\\f0\\fcharset204 A;}}\\uc1\\u1046\\'c6}"), rtf_ec_OK);
  EXPECT_EQ(r.Reader.AnsiToWide("\xc6"), L"\x0416");
  EXPECT_EQ(r.Reader.WideToAnsi(L"\x0416\x4E2D"), "\xc6?");
}

// --- Headers, footers and fields ------------------------------------------------------------------

TEST(RTFReader, HeadersAndFootersAreReportedOrSkipped) {
  const char* rtf = R"({\rtf1 a{\header h}{\footer f}b\par})";
  Recorder with(true, true, true);
  ASSERT_EQ(with.Read(rtf), rtf_ec_OK);
  EXPECT_EQ(with.Joined(), "T2:a|Header+|T0:h|Header-|Footer+|T0:f|Footer-|T0:b");
  Recorder without;
  ASSERT_EQ(without.Read(rtf), rtf_ec_OK);
  EXPECT_EQ(without.Joined(), "T2:ab");
}

TEST(RTFReader, HyperlinkInstructionReachesTheResultText) {
  Recorder r;
  ASSERT_EQ(r.Read(R"({\rtf1 see {\field{\*\fldinst {HYPERLINK "http://x.org/a" }}{\fldrslt {\ul link}}} after})"),
            rtf_ec_OK);
  EXPECT_EQ(r.Joined(), "T2:see |T0:link|T0: after");
  EXPECT_EQ(r.Texts[1].FieldInstruction, "HYPERLINK \"http://x.org/a\" ");
  EXPECT_EQ(r.Texts[2].FieldInstruction, "");
}

TEST(RTFReader, SymbolFieldGivesItsCharacterInItsFont) {
  Recorder r;
  ASSERT_EQ(r.Read(R"({\rtf1{\fonttbl{\f0 Arial;}}\fs24 {\field{\*\fldinst SYMBOL 183 \\f "Symbol" \\s 10}{\fldrslt }}x})"),
            rtf_ec_OK);
  EXPECT_EQ(r.Joined(), "T2:\xb7|T0:x");
  EXPECT_EQ(r.Texts[0].FontName, "Symbol");
  EXPECT_EQ(r.Texts[0].Size, 10);
  EXPECT_EQ(r.Texts[1].FontName, "Arial");
  EXPECT_EQ(r.Texts[1].Size, 12);
}

TEST(RTFReader, IncludedPictureReplacesTheStoredOne) {
  testing_support::TempFolder temp;
  TBitmap bitmap;
  bitmap.SetSize(3, 2);
  std::string file = temp.File("pic.bmp");
  bitmap.SaveToFile(file);
  std::string escaped;
  for (char c : file) escaped += c == '\\' ? std::string("\\\\\\\\") : std::string(1, c);
  Recorder r;
  ASSERT_EQ(r.Read("{\\rtf1 {\\field{\\*\\fldinst INCLUDEPICTURE \"" + escaped +
                   "\" \\\\* MERGEFORMAT}{\\fldrslt {\\pict\\wmetafile8 0102}}}}"),
            rtf_ec_OK);
  EXPECT_EQ(r.Joined(), "Pict2:TBitmap");
  ASSERT_EQ(r.Pictures.size(), 1u);
  EXPECT_FALSE(r.Pictures[0].HasRTFPicture);
  EXPECT_EQ(r.Pictures[0].Graphic->GetWidth(), 3);
}

// --- Pictures -------------------------------------------------------------------------------------

TEST(RTFReader, PicturesOfEachKind) {
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf24bit);
  bitmap.SetSize(2, 1);
  const std::string bmp = StreamBytes(&bitmap);
  const std::string dib = bmp.substr(14);

  TJPEGImage jpeg;
  jpeg.Assign(&bitmap);
  const std::string jpg = StreamBytes(&jpeg);

  TMetafile emf;
  emf.SetWidth(20);
  emf.SetHeight(10);
  { TMetafileCanvas canvas(&emf, nullptr); canvas.Rectangle(0, 0, 20, 10); }
  const std::string emfBytes = StreamBytes(&emf);

  // A Windows metafile's bits without the placeable header.
  HDC dc = ::CreateMetaFileA(nullptr);
  ::Rectangle(dc, 0, 0, 100, 50);
  HMETAFILE wmf = ::CloseMetaFile(dc);
  std::string wmfBits(::GetMetaFileBitsEx(wmf, 0, nullptr), '\0');
  ::GetMetaFileBitsEx(wmf, static_cast<UINT>(wmfBits.size()), wmfBits.data());
  ::DeleteMetaFile(wmf);

  Recorder r;
  ASSERT_EQ(r.Read("{\\rtf1 {\\pict\\dibitmap0\\picw2\\pich1 " + Hex(dib) + "}x{\\pict\\jpegblip " + Hex(jpg) +
                   "}\\par{\\pict\\emfblip\\picscalex50 " + Hex(emfBytes) + "}{\\pict\\wmetafile8\\picw2540\\pich1270 " +
                   Hex(wmfBits) + "}{\\pict\\pngblip 89504e47}{\\pict\\jpegblip 0102}}"),
            rtf_ec_OK);
  EXPECT_EQ(r.Joined(), "Pict2:TBitmap|T0:x|Pict0:TJPEGImage|Pict2:TMetafile|Pict0:TMetafile|Pict0:none|Pict0:none");
  ASSERT_EQ(r.Pictures.size(), 6u);
  EXPECT_EQ(r.Pictures[0].Graphic->GetWidth(), 2);
  EXPECT_EQ(r.Pictures[1].Graphic->GetWidth(), 2);
  EXPECT_EQ(r.Pictures[2].PicScaleX, 50);
  EXPECT_EQ(r.Pictures[3].Type, rtf_pict_WMF);
  EXPECT_EQ(r.Pictures[3].SuggestedWidth, 96);  // 2540 hundredths of a millimetre at 96 dpi
  EXPECT_EQ(r.Pictures[4].Type, rtf_pict_PNG);  // no reader for it: reported without a graphic
}

// A Windows metafile made of records (each a list of 16-bit words after its size), with the
// header stating TotalExtra more words than there are and a table of Objects objects.
std::string WindowsMetafile(const std::vector<std::vector<Word>>& Records, Word Objects = 1, DWORD TotalExtra = 0) {
  std::vector<Word> words = {1, 9, 0x300, 0, 0, Objects, 0, 0, 0};
  for (const auto& record : Records) {
    const DWORD size = static_cast<DWORD>(record.size()) + 2;
    words.push_back(static_cast<Word>(size & 0xFFFF));
    words.push_back(static_cast<Word>(size >> 16));
    words.insert(words.end(), record.begin(), record.end());
  }
  const DWORD total = static_cast<DWORD>(words.size()) + TotalExtra;
  words[3] = static_cast<Word>(total & 0xFFFF);
  words[4] = static_cast<Word>(total >> 16);
  std::string bytes;
  for (Word w : words) {
    bytes += static_cast<char>(w & 0xFF);
    bytes += static_cast<char>(w >> 8);
  }
  return bytes;
}

TEST(RTFReader, DamagedWindowsMetafilesAreMissingPictures) {
  const std::vector<Word> line = {0x0325, 2, 0, 0, 10, 10};  // polyline of two points
  const std::vector<Word> end = {0};
  const struct {
    const char* Name;
    std::string Bits;
    bool Readable;
  } cases[] = {
      {"whole", WindowsMetafile({line, end}), true},
      {"without closing record", WindowsMetafile({line}), true},
      {"stated size beyond the data", WindowsMetafile({line, end}, 1, 8), false},
      {"record beyond the data", WindowsMetafile({line, end}).substr(0, 26), false},
      {"points beyond the record", WindowsMetafile({{0x0325, 50, 0, 0, 10, 10}, end}), false},
      {"object beyond the table", WindowsMetafile({{0x012D, 5}, line, end}), false},
      // A comment that says it carries 1000 bytes of an enhanced metafile but holds none.
      {"embedded chunk beyond the record",
       WindowsMetafile({{0x0626, 15, 34, 0x4D57, 0x4346, 1, 0, 0, 1, 0, 0, 0, 1, 0, 1000, 0, 0, 0, 1000, 0}, end}),
       false},
  };
  for (const auto& c : cases) {
    Recorder r;
    ASSERT_EQ(r.Read("{\\rtf1 {\\pict\\wmetafile8\\picw100\\pich100 " + Hex(c.Bits) + "}}"), rtf_ec_OK) << c.Name;
    ASSERT_EQ(r.Pictures.size(), 1u) << c.Name;
    EXPECT_EQ(r.Pictures[0].Graphic != nullptr, c.Readable) << c.Name;
  }
}

TEST(RTFReader, DamagedEnhancedMetafilesAreMissingPictures) {
  TMetafile emf;
  { TMetafileCanvas canvas(&emf, nullptr); canvas.Polyline({Point(0, 0), Point(10, 10)}); }
  const std::string good = StreamBytes(&emf);
  // The polyline's point count, past the header record and the records before the line.
  std::size_t line = 0;
  for (std::size_t at = 0; at + 8 <= good.size() && !line;) {
    DWORD type, size;
    std::memcpy(&type, good.data() + at, 4);
    std::memcpy(&size, good.data() + at + 4, 4);
    if (type == EMR_POLYLINE16 || type == EMR_POLYLINE) line = at;
    at += size;
  }
  ASSERT_NE(line, 0u);
  std::string overrun = good;
  const DWORD points = 100000;
  std::memcpy(overrun.data() + line + 24, &points, 4);
  for (const auto& [bits, readable] : {std::pair{good, true}, std::pair{overrun, false}}) {
    Recorder r;
    ASSERT_EQ(r.Read("{\\rtf1 {\\pict\\emfblip " + Hex(bits) + "}}"), rtf_ec_OK);
    ASSERT_EQ(r.Pictures.size(), 1u);
    EXPECT_EQ(r.Pictures[0].Graphic != nullptr, readable);
  }
}

TEST(RTFReader, BinaryPictureData) {
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf24bit);
  bitmap.SetSize(4, 3);
  const std::string dib = StreamBytes(&bitmap).substr(14);
  Recorder r;
  ASSERT_EQ(r.Read("{\\rtf1 {\\pict\\dibitmap0\\bin" + std::to_string(dib.size()) + " " + dib + "}}"), rtf_ec_OK);
  ASSERT_EQ(r.Pictures.size(), 1u);
  ASSERT_TRUE(r.Pictures[0].Graphic);
  EXPECT_EQ(r.Pictures[0].Graphic->GetHeight(), 3);
}

// --- Tables ---------------------------------------------------------------------------------------

TEST(RTFReader, TableStructure) {
  Recorder r;
  ASSERT_EQ(r.Read(R"({\rtf1 before\par\trowd\trgaph108\trleft-108\trftsWidth2\trwWidth2500\clcbpat1\cellx1000)"
                   R"(\clvertalc\clbrdrt\brdrs\brdrw10\cellx2000\pard\intbl a\cell b\cell\row)"
                   R"(\trowd\cellx1500\pard\intbl c\cell\row\pard after\par})"),
            rtf_ec_OK);
  EXPECT_EQ(r.Joined(),
            "T2:before|TableStart|T2:a|CellEnd|T2:b|CellEnd|RowEnd|T2:c|CellEnd|RowEnd|TableEnd|T2:after");
  ASSERT_EQ(r.Rows.size(), 2u);
  TUVRTFRowProperties* row = r.Rows[0];
  ASSERT_EQ(row->Cells.GetCount(), 2);  // the pending cell after the last \cellx is gone
  EXPECT_EQ(row->GapHTw, 108);
  EXPECT_EQ(row->LeftTw, -108);
  EXPECT_EQ(row->BestWidth, -2500);  // percent in fiftieths
  EXPECT_EQ(row->Cells.GetItem(0)->RightBoundaryTw, 1000);
  EXPECT_EQ(row->Cells.GetItem(1)->RightBoundaryTw, 2000);
  EXPECT_EQ(row->Cells.GetItem(1)->VAlign, rtf_val_Center);
  EXPECT_EQ(row->Cells.GetItem(1)->Border.GetSide(rtf_side_Top).BorderType, 1);
  EXPECT_EQ(row->Cells.GetItem(1)->Border.GetSide(rtf_side_Top).WidthTw, 10);
  EXPECT_EQ(r.Rows[1]->Cells.GetCount(), 1);
}

TEST(RTFReader, CellShadingIsMixedIntoTheBackColour) {
  Recorder r;
  ASSERT_EQ(r.Read(R"({\rtf1{\colortbl;\red0\green0\blue0;\red255\green255\blue255;})"
                   R"(\trowd\clcbpat2\clcfpat1\clshdng2500\cellx1000\pard\intbl a\cell\row})"),
            rtf_ec_OK);
  ASSERT_EQ(r.Rows.size(), 1u);
  EXPECT_EQ(r.Rows[0]->Cells.GetItem(0)->BackColor, 0xBFBFBF);
  EXPECT_EQ(r.Rows[0]->Cells.GetItem(0)->Shading, 0);
}

TEST(RTFReader, NestedTableLevels) {
  Recorder r;
  ASSERT_EQ(r.Read(R"({\rtf1\pard\intbl a\par\pard\itap2 b\nestcell{\*\nesttableprops\trowd\cellx500\nestrow}\pard\intbl\cell\row\pard c})"),
            rtf_ec_OK);
  EXPECT_EQ(r.Joined(), "TableStart|T2:a|TableStart|T2:b|CellEnd|RowEnd|TableEnd|CellEnd|RowEnd|TableEnd|T2:c");
}

// A nesting level no document has is held to 32 tables, so that a few bytes cannot keep the
// reader announcing tables for seconds.
TEST(RTFReader, TableNestingIsHeldToThirtyTwoLevels) {
  const struct {
    const char* Rtf;
    int Tables;
  } rows[] = {
      {R"({\rtf1\itap1000000000 x})", 32},
      {R"({\rtf1\itap33 x})", 32},
      {R"({\rtf1\itap32 x})", 32},
      {R"({\rtf1\itap3 x})", 3},
  };
  for (const auto& row : rows) {
    Recorder r;
    ASSERT_EQ(r.Read(row.Rtf), rtf_ec_OK) << row.Rtf;
    EXPECT_EQ(std::count(r.Log.begin(), r.Log.end(), "TableStart"), row.Tables) << row.Rtf;
    EXPECT_EQ(std::count(r.Log.begin(), r.Log.end(), "TableEnd"), row.Tables) << row.Rtf;
  }
}

// --- Lists ----------------------------------------------------------------------------------------

TEST(RTFReader, ListTablesAndParagraphLists) {
  Recorder r;
  ASSERT_EQ(r.Read(R"({\rtf1{\fonttbl{\f0 Arial;}{\f1 Symbol;}})"
                   R"({\*\listtable{\list\listtemplateid5{\listlevel\levelnfc4\leveljc1\levelstartat3\levellegal1)"
                   R"({\leveltext\'03\'00.\'01;}{\levelnumbers\'01\'03;}\fi-360\li720\tx720\f1\fs20\b}{\listlevel\levelnfc23)"
                   R"({\leveltext\'01\u-3913 ?;}{\levelnumbers;}}{\listname Mine;}\listid77})"
                   R"({\list\listsimple1{\listlevel\levelnfc0{\leveltext\'02\'00);}{\levelnumbers\'01;}}\listid78}})"
                   R"({\*\listoverridetable{\listoverride\listid78\listoverridecount0\ls1})"
                   R"({\listoverride\listid77\listoverridecount1{\lfolevel\listoverridestartat\levelstartat4}\ls2}})"
                   R"(\pard\ls2\ilvl1 {\listtext x}item\par})"),
            rtf_ec_OK);
  TUVRTFListTable97* lists = r.Reader.GetListTable();
  ASSERT_EQ(lists->GetCount(), 2);
  TUVRTFList97* list = lists->GetItem(0);
  EXPECT_EQ(list->Id, 77);
  EXPECT_EQ(list->Name, "Mine");
  ASSERT_EQ(list->GetCount(), 2);
  TUVRTFListLevel97* level = list->GetItem(0);
  EXPECT_EQ(level->ListType, rtf_pn_LowerLetter);
  EXPECT_EQ(level->Alignment, rtf_al_Center);
  EXPECT_EQ(level->Start, 3);
  EXPECT_TRUE(level->Legal);
  EXPECT_EQ(level->Text, std::string("\x03\x00.\x01", 4));  // cut to the length its first byte gives
  EXPECT_EQ(level->Numbers, std::string("\x01\x03"));        // every byte but the final ";"
  EXPECT_EQ(level->FirstIndentTw, -360);
  EXPECT_EQ(level->LeftIndentTw, 720);
  EXPECT_EQ(level->TabPosTw, 720);
  EXPECT_EQ(level->FontIndex, 1);
  EXPECT_EQ(level->FontSize, 10);
  EXPECT_EQ(level->Style, TFontStyles{fsBold});
  EXPECT_EQ(level->FontGiven, TUVRTFCustomMarkerProperties::rtf_mg_Font | TUVRTFCustomMarkerProperties::rtf_mg_Size);
  TUVRTFListLevel97* bullet = list->GetItem(1);
  EXPECT_EQ(bullet->ListType, rtf_pn_Bullet);
  EXPECT_EQ(bullet->TextW, std::wstring(L"\x0001\xF0B7"));
  EXPECT_EQ(bullet->Text, "\x01?");
  EXPECT_TRUE(lists->GetItem(1)->Simple);
  EXPECT_EQ(lists->GetItem(1)->GetItem(0)->Text, std::string("\x02\x00)", 3));

  TUVRTFListOverrideTable97* overrides = r.Reader.GetListOverrideTable();
  ASSERT_EQ(overrides->GetCount(), 2);
  EXPECT_EQ(overrides->GetItem(0)->ListIndex, 1);
  EXPECT_EQ(overrides->GetItem(1)->ListIndex, 0);
  EXPECT_EQ(overrides->GetItem(1)->Number, 2);
  ASSERT_EQ(overrides->GetItem(1)->GetCount(), 1);
  EXPECT_TRUE(overrides->GetItem(1)->GetItem(0)->UseStart);
  EXPECT_EQ(overrides->GetItem(1)->GetItem(0)->Start, 4);

  EXPECT_EQ(r.Joined(), "T2:item");  // \listtext is the marker text of other readers: skipped
  EXPECT_EQ(r.Texts[0].ListOverride, 1);
  EXPECT_EQ(r.Texts[0].ListLevel, 1);
}

TEST(RTFReader, OldStyleMarkerTakesTheTextProperties) {
  Recorder r;
  ASSERT_EQ(r.Read(R"({\rtf1{\fonttbl{\f0 Arial;}{\f1 Symbol;}}{\colortbl;\red255\green0\blue0;})"
                   R"(\pard{\*\pn\pnlvlblt\pnf1\pnindent360\pnhang{\pntxtb \'b7}}\fs28\cf1\b a\par})"),
            rtf_ec_OK);
  EXPECT_GE(r.MarkerUpdates, 1);
  ASSERT_TRUE(r.LastMarker);
  EXPECT_EQ(r.LastMarker->Level, 11);
  EXPECT_EQ(r.LastMarker->TextBefore, "\xb7");
  EXPECT_EQ(r.LastMarker->FontIndex, 1);  // stated by the marker
  EXPECT_EQ(r.LastMarker->FontSize, 14);  // taken from the text
  EXPECT_EQ(r.LastMarker->Color, 0x0000FF);
  EXPECT_EQ(r.LastMarker->Style, TFontStyles{fsBold});
  EXPECT_TRUE(r.LastMarker->Hanging);
  EXPECT_EQ(r.LastMarker->IndentTw, 360);
}

TEST(RTFReader, SectionNumberingDefinitionsFeedParagraphMarkers) {
  Recorder r;
  ASSERT_EQ(r.Read(R"({\rtf1{\*\pnseclvl3\pnlcrm\pnstart2\pnindent720{\pntxta )}}\pard{\*\pn\pnlvl3}a\par})"),
            rtf_ec_OK);
  ASSERT_TRUE(r.LastMarker);
  EXPECT_EQ(r.LastMarker->Level, 3);
  EXPECT_EQ(r.LastMarker->ListType, rtf_pn_LowerRoman);
  EXPECT_EQ(r.LastMarker->Start, 2);
  EXPECT_EQ(r.LastMarker->TextAfter, ")");
}

}  // namespace
