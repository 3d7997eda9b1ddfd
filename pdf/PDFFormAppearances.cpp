// The appearances of form fields, drawn on their appearance pages in device units (y downward):
// a push button raised and pressed, a radio button on and off.
#include "pdf/PDF.h"

#include <cmath>

#include "classlib/SysUtils.h"

namespace {

struct TRGB {
  Extended R, G, B;
};

// A colour as components 0 to 1; system colours become their current values.
TRGB Components(TColor color, Extended factor = 1) {
  const Integer rgb = ColorToRGB(color);
  return {(rgb & 0xFF) / 255.0L * factor, ((rgb >> 8) & 0xFF) / 255.0L * factor,
          ((rgb >> 16) & 0xFF) / 255.0L * factor};
}

void Fill(TPDFPage* page, const TRGB& c) { page->SetRGBFillColor(c.R, c.G, c.B); }
void Stroke(TPDFPage* page, const TRGB& c) { page->SetRGBStrokeColor(c.R, c.G, c.B); }

// A path through the points, device units.
void Path(TPDFPage* page, std::initializer_list<TPDFPoint> points) {
  bool first = true;
  for (const TPDFPoint& p : points) {
    if (first)
      page->MoveTo(p.x, p.y);
    else
      page->LineTo(p.x, p.y);
    first = false;
  }
}

}  // namespace

TSize TPDFControl::SizeAppearance(TPDFPage* Appearance) const {
  // The widget's size in points, as device units of the appearance page, so that the
  // appearance's box is the widget's rectangle at any resolution.
  const Extended scale = Appearance->GetScale();
  Appearance->SetWidth(static_cast<Integer>(Round(std::abs(Right - Left) * scale)));
  Appearance->SetHeight(static_cast<Integer>(Round(std::abs(Top - Bottom) * scale)));
  return TSize(Appearance->GetWidth(), Appearance->GetHeight());
}

void TPDFButton::Paint() {
  const TRGB face = Components(BackgroundColor), dark = Components(BackgroundColor, 0.6L),
             light = Components(BackgroundColor, 1.4L), border = Components(Color), text = Components(Font->Color);
  auto caption = [&](TPDFPage* page, Integer width, Integer height) {
    page->BeginText();
    Fill(page, text);
    page->SetActiveFont(Font->Name, Font->Style, Font->Size, Font->Charset);
    FontAlias = page->GetActiveFont()->Alias;
    page->TextBox(TRect(0, 0, width, height), Caption, 1, 1);
    page->EndText();
  };

  {
    TPDFPage* up = UpAppearance;
    const TSize size = SizeAppearance(up);
    const Extended w = size.cx, h = size.cy;
    // The shadow along the right and bottom edges, the highlight along the left and top ones.
    Fill(up, dark);
    Path(up, {{w - 0.5L, 0.5L}, {w - 0.5L, h - 0.5L}, {0.5L, h - 0.5L}, {1.5L, h - 1.5L}, {w - 1.5L, h - 1.5L},
              {w - 1.5L, 1.5L}, {w - 0.5L, 0.5L}});
    up->Fill();
    Fill(up, light);
    Path(up, {{0.5L, h - 0.5L}, {0.5L, 0.5L}, {w - 0.5L, 0.5L}, {w - 1.5L, 1.5L}, {1.5L, 1.5L}, {1.5L, h - 1.5L},
              {0.5L, h - 0.5L}});
    up->Fill();
    Fill(up, face);
    up->Rectangle(1.5L, 1.5L, w - 1.5L, h - 1.5L);
    up->Fill();
    up->SetLineWidth(1);
    Stroke(up, border);
    up->Rectangle(0, 0, w, h);
    up->Stroke();
    caption(up, size.cx, size.cy);
  }
  {
    TPDFPage* down = DownAppearance;
    const TSize size = SizeAppearance(down);
    const Extended w = size.cx, h = size.cy;
    down->SetLineWidth(1);
    Fill(down, face);
    down->Rectangle(0, 0, w, h);
    down->Fill();
    Stroke(down, light);
    Path(down, {{w - 0.5L, 1}, {w - 0.5L, h - 0.5L}, {1, h - 0.5L}});
    down->Stroke();
    Stroke(down, dark);
    Path(down, {{0.5L, h - 1}, {0.5L, 0.5L}, {w - 1, 0.5L}});
    down->Stroke();
    Stroke(down, border);
    down->Rectangle(0, 0, w, h);
    down->Stroke();
    // Two units shorter at the bottom: the caption moves up by one as the button goes down.
    caption(down, size.cx, size.cy - 2);
  }
}

void TPDFRadioButton::Paint() {
  const TRGB face = Components(BackgroundColor), border = Components(Color), text = Components(Font->Color);
  auto circle = [&](TPDFPage* page) {
    const TSize size = SizeAppearance(page);
    const Extended w = size.cx, h = size.cy;
    page->SetLineWidth(1);
    Fill(page, face);
    Stroke(page, border);
    page->Circle(w / 2, h / 2, h / 2 - 0.5L);
    page->FillAndStroke();
    return TPDFPoint{w, h};
  };

  const TPDFPoint size = circle(OnAppearance);
  Fill(OnAppearance, text);
  OnAppearance->Circle(size.x / 2, size.y / 2, size.y / 4 - 0.5L);
  OnAppearance->Fill();
  // Nothing is shown in this font: choosing it puts it into the appearance's resources and so
  // into the form's, where the widget's default appearance names it.
  OnAppearance->BeginText();
  OnAppearance->SetActiveFont("ZapfDingbats", {}, 10, 0);
  FontAlias = OnAppearance->GetActiveFont()->Alias;
  OnAppearance->EndText();

  circle(OffAppearance);
}
