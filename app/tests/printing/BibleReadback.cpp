#include "BibleReadback.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <sstream>

#include "PdfChecks.h"
#include "pdf/pdfGliphNames.h"

namespace bible_readback {

namespace {

bool IsWhite(char c) { return c == 0 || c == '\t' || c == '\n' || c == '\f' || c == '\r' || c == ' '; }
bool IsDelimiter(char c) { return c != 0 && std::string("()<>[]{}/%").find(c) != std::string::npos; }

// The object numbers of the references "n 0 R" in a text, in order.
std::vector<int> References(const std::string& text) {
  std::vector<int> numbers;
  std::vector<std::string> words;
  std::string word;
  std::string spaced;
  for (char c : text) {
    if (c == '[' || c == ']' || c == '<' || c == '>' || c == '/') {
      spaced += ' ';
      spaced += c;
      spaced += ' ';
    } else {
      spaced += c;
    }
  }
  std::istringstream words_in(spaced);
  while (words_in >> word) words.push_back(word);
  for (std::size_t i = 0; i + 2 < words.size(); ++i) {
    if (words[i + 2] == "R" && !words[i].empty() && std::isdigit(static_cast<unsigned char>(words[i][0])) &&
        words[i + 1] == "0")
      numbers.push_back(std::atoi(words[i].c_str()));
  }
  return numbers;
}

// The numbers of an array "[a b c]".
std::vector<double> Numbers(const std::string& text) {
  std::vector<double> numbers;
  std::string cleaned;
  for (char c : text) cleaned += (c == '[' || c == ']') ? ' ' : c;
  std::istringstream in(cleaned);
  double value;
  while (in >> value) numbers.push_back(value);
  return numbers;
}

// The "/Name n 0 R" entries of a dictionary's text.
std::map<std::string, int> NamedReferences(const std::string& dictionary) {
  std::map<std::string, int> entries;
  std::size_t at = 0;
  while ((at = dictionary.find('/', at)) != std::string::npos) {
    std::size_t end = at + 1;
    while (end < dictionary.size() && !IsWhite(dictionary[end]) && !IsDelimiter(dictionary[end])) ++end;
    const std::string name = dictionary.substr(at + 1, end - at - 1);
    const std::vector<int> refs = References(dictionary.substr(end, 24));
    int n = 0, g = -1;
    char r = 0;
    if (!refs.empty() && std::sscanf(dictionary.c_str() + end, " %d %d %c", &n, &g, &r) == 3 && r == 'R')
      entries[name] = n;
    at = end;
  }
  return entries;
}

struct Font {
  std::string BaseFont;
  int FirstChar = 0;
  std::vector<double> Widths;
  double Width(unsigned char c) const {
    const int i = c - FirstChar;
    return i >= 0 && i < static_cast<int>(Widths.size()) ? Widths[i] : 0;
  }
};

struct Matrix {
  double A = 1, B = 0, C = 0, D = 1, E = 0, F = 0;
  // this x m
  Matrix Times(const Matrix& m) const {
    return Matrix{A * m.A + B * m.C,       A * m.B + B * m.D,       C * m.A + D * m.C,
                  C * m.B + D * m.D,       E * m.A + F * m.C + m.E, E * m.B + F * m.D + m.F};
  }
};

struct Operand {
  enum Kind { Number, Name, String, Array, Other } Type = Other;
  double Value = 0;
  std::string Text;
  std::vector<Operand> Items;
};

class ContentReader {
public:
  ContentReader(const std::string& content, const std::map<std::string, Font>& fonts, Page& page,
                std::vector<std::string>& errors)
      : s_(content), fonts_(fonts), page_(page), errors_(errors) {}

  void Run() {
    std::vector<Operand> operands;
    while (true) {
      SkipWhite();
      if (pos_ >= s_.size()) break;
      Operand operand;
      if (ReadOperand(operand)) {
        operands.push_back(std::move(operand));
        continue;
      }
      const std::string op = Token();
      if (op.empty()) {
        ++pos_;
        continue;
      }
      Execute(op, operands);
      operands.clear();
    }
  }

private:
  struct State {
    Matrix Ctm;
    double Tc = 0, Tw = 0, Tz = 100, Leading = 0, Size = 0;
    std::string Font;
  };

  void SkipWhite() {
    while (pos_ < s_.size()) {
      if (IsWhite(s_[pos_])) {
        ++pos_;
      } else if (s_[pos_] == '%') {
        while (pos_ < s_.size() && s_[pos_] != '\r' && s_[pos_] != '\n') ++pos_;
      } else {
        break;
      }
    }
  }
  std::string Token() {
    const std::size_t start = pos_;
    while (pos_ < s_.size() && !IsWhite(s_[pos_]) && !IsDelimiter(s_[pos_])) ++pos_;
    return s_.substr(start, pos_ - start);
  }
  bool ReadOperand(Operand& operand) {
    const char c = s_[pos_];
    if (c == '(') {
      operand.Type = Operand::String;
      int depth = 0;
      for (; pos_ < s_.size(); ++pos_) {
        const char d = s_[pos_];
        if (d == '\\') {
          ++pos_;
          const char e = pos_ < s_.size() ? s_[pos_] : 0;
          switch (e) {
            case 'n': operand.Text += '\n'; break;
            case 'r': operand.Text += '\r'; break;
            case 't': operand.Text += '\t'; break;
            case 'b': operand.Text += '\b'; break;
            case 'f': operand.Text += '\f'; break;
            case '\r':
              if (pos_ + 1 < s_.size() && s_[pos_ + 1] == '\n') ++pos_;
              break;
            case '\n': break;
            default:
              if (e >= '0' && e <= '7') {
                int value = 0, digits = 0;
                while (digits < 3 && pos_ < s_.size() && s_[pos_] >= '0' && s_[pos_] <= '7') {
                  value = value * 8 + (s_[pos_] - '0');
                  ++pos_;
                  ++digits;
                }
                --pos_;
                operand.Text += static_cast<char>(value);
              } else {
                operand.Text += e;
              }
          }
        } else if (d == '(') {
          if (depth++ > 0) operand.Text += d;
        } else if (d == ')') {
          if (--depth == 0) {
            ++pos_;
            return true;
          }
          operand.Text += d;
        } else {
          operand.Text += d;
        }
      }
      return true;
    }
    if (c == '<' && !(pos_ + 1 < s_.size() && s_[pos_ + 1] == '<')) {
      operand.Type = Operand::String;
      const std::size_t end = s_.find('>', pos_);
      std::string hex;
      for (std::size_t i = pos_ + 1; i < end; ++i)
        if (std::isxdigit(static_cast<unsigned char>(s_[i]))) hex += s_[i];
      if (hex.size() % 2) hex += '0';
      for (std::size_t i = 0; i < hex.size(); i += 2)
        operand.Text += static_cast<char>(std::strtol(hex.substr(i, 2).c_str(), nullptr, 16));
      pos_ = end + 1;
      return true;
    }
    if (c == '[') {
      operand.Type = Operand::Array;
      ++pos_;
      for (;;) {
        SkipWhite();
        if (pos_ >= s_.size()) return true;
        if (s_[pos_] == ']') {
          ++pos_;
          return true;
        }
        Operand item;
        if (ReadOperand(item))
          operand.Items.push_back(std::move(item));
        else
          ++pos_;
      }
    }
    if (c == '/') {
      operand.Type = Operand::Name;
      ++pos_;
      operand.Text = Token();
      return true;
    }
    if (c == '<') {  // an inline dictionary: skipped
      const std::size_t end = s_.find(">>", pos_);
      pos_ = end == std::string::npos ? s_.size() : end + 2;
      return true;
    }
    if (std::isdigit(static_cast<unsigned char>(c)) || c == '-' || c == '+' || c == '.') {
      operand.Type = Operand::Number;
      const std::string token = Token();
      operand.Value = std::strtod(token.c_str(), nullptr);
      return true;
    }
    return false;
  }

  static double Num(const std::vector<Operand>& operands, std::size_t fromEnd) {
    return fromEnd < operands.size() ? operands[operands.size() - 1 - fromEnd].Value : 0;
  }

  void Show(const std::string& text) {
    const auto found = fonts_.find(state_.Font);
    if (found == fonts_.end()) {
      errors_.push_back("text in an unknown font /" + state_.Font);
      return;
    }
    const Font& font = found->second;
    const double scale = state_.Tz / 100;
    double advance = 0, extent = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
      const unsigned char c = static_cast<unsigned char>(text[i]);
      const double glyph = font.Width(c) / 1000 * state_.Size;
      extent = advance + glyph * scale;
      advance += (glyph + state_.Tc + (c == ' ' ? state_.Tw : 0)) * scale;
    }
    const Matrix m = tm_.Times(state_.Ctm);
    TextRun run;
    run.Text = text;
    run.Font = font.BaseFont;
    run.Size = state_.Size * std::sqrt(m.C * m.C + m.D * m.D);
    run.X = m.E;
    run.End = m.E + extent * m.A;
    run.Baseline = page_.Height - m.F;
    page_.Runs.push_back(run);
    tm_ = Matrix{1, 0, 0, 1, advance, 0}.Times(tm_);
  }

  void NextLine(double tx, double ty) {
    tlm_ = Matrix{1, 0, 0, 1, tx, ty}.Times(tlm_);
    tm_ = tlm_;
  }

  void Execute(const std::string& op, const std::vector<Operand>& operands) {
    if (op == "q") {
      stack_.push_back(state_);
    } else if (op == "Q") {
      if (!stack_.empty()) {
        state_ = stack_.back();
        stack_.pop_back();
      }
    } else if (op == "cm") {
      state_.Ctm = Matrix{Num(operands, 5), Num(operands, 4), Num(operands, 3),
                          Num(operands, 2), Num(operands, 1), Num(operands, 0)}
                       .Times(state_.Ctm);
    } else if (op == "BT") {
      tm_ = tlm_ = Matrix{};
    } else if (op == "Tf") {
      if (operands.size() >= 2) state_.Font = operands[operands.size() - 2].Text;
      state_.Size = Num(operands, 0);
    } else if (op == "Tc") {
      state_.Tc = Num(operands, 0);
    } else if (op == "Tw") {
      state_.Tw = Num(operands, 0);
    } else if (op == "Tz") {
      state_.Tz = Num(operands, 0);
    } else if (op == "TL") {
      state_.Leading = Num(operands, 0);
    } else if (op == "Tm") {
      tm_ = tlm_ = Matrix{Num(operands, 5), Num(operands, 4), Num(operands, 3),
                          Num(operands, 2), Num(operands, 1), Num(operands, 0)};
    } else if (op == "Td") {
      NextLine(Num(operands, 1), Num(operands, 0));
    } else if (op == "TD") {
      state_.Leading = -Num(operands, 0);
      NextLine(Num(operands, 1), Num(operands, 0));
    } else if (op == "T*") {
      NextLine(0, -state_.Leading);
    } else if (op == "Tj") {
      if (!operands.empty()) Show(operands.back().Text);
    } else if (op == "'") {
      NextLine(0, -state_.Leading);
      if (!operands.empty()) Show(operands.back().Text);
    } else if (op == "\"") {
      state_.Tw = Num(operands, 2);
      state_.Tc = Num(operands, 1);
      NextLine(0, -state_.Leading);
      if (!operands.empty()) Show(operands.back().Text);
    } else if (op == "TJ") {
      if (operands.empty()) return;
      for (const Operand& item : operands.back().Items) {
        if (item.Type == Operand::String)
          Show(item.Text);
        else if (item.Type == Operand::Number)
          tm_ = Matrix{1, 0, 0, 1, -item.Value / 1000 * state_.Size * state_.Tz / 100, 0}.Times(tm_);
      }
    }
  }

  const std::string& s_;
  std::size_t pos_ = 0;
  const std::map<std::string, Font>& fonts_;
  Page& page_;
  std::vector<std::string>& errors_;
  State state_;
  std::vector<State> stack_;
  Matrix tm_, tlm_;
};

}  // namespace

std::vector<Page> ReadPages(const std::string& pdfBytes, std::vector<std::string>& errors) {
  std::vector<Page> pages;
  const pdf_checks::PdfFile file = pdf_checks::ParsePdf(pdfBytes);
  errors.insert(errors.end(), file.Errors.begin(), file.Errors.end());
  auto object = [&](int number) -> const pdf_checks::PdfObject* {
    const auto found = file.Objects.find(number);
    return found == file.Objects.end() ? nullptr : &found->second;
  };
  // The text of a value, or of the object it refers to.
  auto resolved = [&](const std::string& value) {
    const std::vector<int> refs = References(value);
    if (refs.size() == 1 && value.find('[') == std::string::npos && value.find("<<") == std::string::npos) {
      const pdf_checks::PdfObject* target = object(refs[0]);
      return target ? target->Dictionary : std::string();
    }
    return value;
  };
  const std::vector<int> root = References(file.Trailer.substr(file.Trailer.find("/Root")));
  if (root.empty()) {
    errors.push_back("no /Root");
    return pages;
  }
  std::vector<int> pageObjects;
  std::vector<int> tree = References(file.Value(root[0], "/Pages"));
  std::function<void(int)> collect = [&](int node) {
    if (file.Value(node, "/Type") == "/Pages") {
      for (int kid : References(file.Value(node, "/Kids"))) collect(kid);
    } else {
      pageObjects.push_back(node);
    }
  };
  if (!tree.empty()) collect(tree[0]);

  std::map<int, Font> fontObjects;
  for (int number : pageObjects) {
    Page page;
    const std::vector<double> box = Numbers(file.Value(number, "/MediaBox"));
    if (box.size() == 4) {
      page.Width = box[2] - box[0];
      page.Height = box[3] - box[1];
    }
    std::map<std::string, Font> fonts;
    const std::string resources = resolved(file.Value(number, "/Resources"));
    const std::size_t fontKey = resources.find("/Font");
    if (fontKey != std::string::npos) {
      std::size_t open = resources.find("<<", fontKey);
      std::size_t close = resources.find(">>", open);
      std::string fontDictionary;
      if (open != std::string::npos && close != std::string::npos && open < resources.find('/', fontKey + 5))
        fontDictionary = resources.substr(open + 2, close - open - 2);
      else
        fontDictionary = resolved(resources.substr(fontKey + 5, resources.find('/', fontKey + 5) - fontKey - 5));
      for (const auto& [alias, fontNumber] : NamedReferences(fontDictionary)) {
        auto known = fontObjects.find(fontNumber);
        if (known == fontObjects.end()) {
          Font font;
          font.BaseFont = file.Value(fontNumber, "/BaseFont");
          if (!font.BaseFont.empty() && font.BaseFont[0] == '/') font.BaseFont.erase(0, 1);
          font.FirstChar = std::atoi(file.Value(fontNumber, "/FirstChar").c_str());
          font.Widths = Numbers(resolved(file.Value(fontNumber, "/Widths")));
          if (font.Widths.empty()) {
            // One of the 14 standard fonts: their widths are the fonts' published metrics.
            static const char* const standard[14] = {
                "Helvetica",   "Helvetica-Bold", "Helvetica-Oblique", "Helvetica-BoldOblique", "Times-Roman",
                "Times-Bold",  "Times-Italic",   "Times-BoldItalic",  "Courier",               "Courier-Bold",
                "Courier-Oblique", "Courier-BoldOblique", "Symbol",   "ZapfDingbats"};
            for (int index = 0; index < 14 && font.Widths.empty(); ++index) {
              if (font.BaseFont != standard[index]) continue;
              font.FirstChar = 0;
              for (int code = 0; code < 256; ++code) font.Widths.push_back(StandardFontWidths[index][code]);
            }
          }
          if (font.Widths.empty()) errors.push_back("the font " + font.BaseFont + " has no widths");
          known = fontObjects.emplace(fontNumber, font).first;
        }
        fonts[alias] = known->second;
      }
    }
    std::string content;
    for (int stream : References(file.Value(number, "/Contents"))) {
      const pdf_checks::PdfObject* part = object(stream);
      if (!part) continue;
      if (file.Value(stream, "/Filter").find("FlateDecode") != std::string::npos) {
        std::string inflated;
        if (!pdf_checks::Inflate(part->Stream, inflated)) errors.push_back("a content stream does not inflate");
        content += inflated;
      } else {
        content += part->Stream;
      }
      content += '\n';
    }
    ContentReader(content, fonts, page, errors).Run();
    pages.push_back(std::move(page));
  }
  return pages;
}

Figures Measure(const std::vector<Page>& pages, const std::vector<Area>& areas, double bodySize) {
  Figures figures;
  figures.Pages = static_cast<int>(pages.size());
  std::vector<double> spreads;
  char where[200];
  for (std::size_t p = 0; p < pages.size() && p < areas.size(); ++p) {
    const Area& area = areas[p];
    const double middle = (area.Left + area.Right) / 2;
    // Lines by column and baseline (in hundredths of a point).
    std::map<std::pair<int, long>, std::vector<const TextRun*>> lines;
    for (const TextRun& run : pages[p].Runs) {
      if (std::fabs(run.Size - bodySize) > 0.01 || run.Baseline < area.Top) continue;
      lines[{run.X < middle ? 0 : 1, std::lround(run.Baseline * 100)}].push_back(&run);
    }
    for (auto& [key, runs] : lines) {
      std::sort(runs.begin(), runs.end(), [](const TextRun* a, const TextRun* b) { return a->X < b->X; });
      const double edge = key.first == 0 ? area.Left + area.Column : area.Right;
      std::vector<double> gaps;
      for (std::size_t i = 1; i < runs.size(); ++i) {
        const double gap = (runs[i]->X - runs[i - 1]->End) / bodySize;
        gaps.push_back(gap);
        if (gap < 0.15) ++figures.PairsCloserThan015;
        if (gap < figures.ClosestPair) {
          figures.ClosestPair = gap;
          std::snprintf(where, sizeof where, " (page %d, baseline %.2f)", static_cast<int>(p + 1), runs[i]->Baseline);
          figures.ClosestWords = "\"" + runs[i - 1]->Text + "\" \"" + runs[i]->Text + "\"" + where;
        }
      }
      const double end = runs.back()->End;
      // A full line ends at its column's edge; a paragraph's last line well short of it.
      if (end < edge - 3) continue;
      ++figures.FullLines;
      const double overhang = end - edge;
      if (overhang > 0.5) ++figures.LinesOverHalfAPoint;
      if (overhang > figures.MostOverhang) {
        figures.MostOverhang = overhang;
        std::snprintf(where, sizeof where, " (page %d, baseline %.2f)", static_cast<int>(p + 1), runs.back()->Baseline);
        figures.MostOverhangLine = "\"" + runs.front()->Text + " ... " + runs.back()->Text + "\"" + where;
      }
      if (gaps.size() >= 2) {
        const auto [low, high] = std::minmax_element(gaps.begin(), gaps.end());
        spreads.push_back(*high - *low);
      }
    }
  }
  if (!spreads.empty()) {
    std::sort(spreads.begin(), spreads.end());
    figures.MedianSpread = spreads[spreads.size() / 2];
    figures.WorstSpread = spreads.back();
  }
  return figures;
}

std::string Describe(const Figures& f) {
  char text[600];
  std::snprintf(text, sizeof text,
                "%d pages, %d full lines: gap spread median %.4f em (worst %.4f); closest pair %.4f em %s, %d "
                "pairs under 0.15 em; most overhang %.3f pt %s, %d lines over 0.5 pt",
                f.Pages, f.FullLines, f.MedianSpread, f.WorstSpread, f.ClosestPair, f.ClosestWords.c_str(),
                f.PairsCloserThan015, f.MostOverhang, f.MostOverhangLine.c_str(), f.LinesOverHalfAPoint);
  return text;
}

}  // namespace bible_readback
