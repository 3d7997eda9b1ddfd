// The option objects: defaults, change notification, copying, summaries, the gradient's colour
// table, the links to image lists, and the form stream in binary and text form.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>

#include "classlib/Filer.h"
#include "classlib/FormText.h"
#include "classlib/Streams.h"
#include "classlib/TypInfo.h"
#include "controls/VisObject.h"
#include "controls/viscont.h"

namespace {

struct ChangeCounter {
  int count = 0;
  void Changed(TObject*) { ++count; }
  TNotifyEvent Event() { return TNotifyEvent(this, &ChangeCounter::Changed); }
};

// Every option class, made fresh.
struct OptionClass {
  const char* name;
  std::function<TVisObject*()> make;
};

const std::vector<OptionClass>& OptionClasses() {
  static const std::vector<OptionClass> classes = {
      {"TVisGlyphTextLayout", [] { return new TVisGlyphTextLayout; }},
      {"TVisButtonLayout", [] { return new TVisButtonLayout; }},
      {"TVis3DCaption", [] { return new TVis3DCaption; }},
      {"TVisFxCaption", [] { return new TVisFxCaption; }},
      {"TVisGradient", [] { return new TVisGradient; }},
      {"TVisShapeFill", [] { return new TVisShapeFill; }},
      {"TVisFillObject", [] { return new TVisFillObject; }},
      {"TVisAlphaObject", [] { return new TVisAlphaObject; }},
      {"TVisBitmapEffectObject", [] { return new TVisBitmapEffectObject; }},
      {"TVisShadow", [] { return new TVisShadow; }},
  };
  return classes;
}

bool IsOrdinal(const TPropInfo* prop) {
  const TTypeKind kind = prop->PropType->Kind;
  return kind == tkInteger || kind == tkEnumeration || kind == tkSet || kind == tkChar;
}

// A value of the property that differs from the one it holds and that its setter keeps.
Int64 OtherValue(const TPropInfo* prop, Int64 current) {
  const TTypeInfo* type = prop->PropType;
  if (type->Kind == tkEnumeration) return (current + 1) % static_cast<Int64>(type->EnumNames.size());
  if (type->Kind == tkSet) return current ^ 1;
  return current + 1;
}

// Puts a value other than the default into every ordinal and float property, nested objects
// included (component references are left alone).
void ChangeEverything(TObject* object) {
  for (const TPropInfo* prop : GetPropList(object->ClassType())) {
    if (IsOrdinal(prop)) {
      SetOrdProp(object, prop, OtherValue(prop, GetOrdProp(object, prop)));
    } else if (prop->PropType->Kind == tkFloat) {
      SetFloatProp(object, prop->Name, 0.25L);
    } else if (prop->PropType->Kind == tkClass) {
      TObject* nested = prop->Access->GetObject(object);
      if (nested && !nested->InheritsFrom(TComponent::StaticClass())) ChangeEverything(nested);
    }
  }
}

// Every published value of A and B, nested objects included, side by side.
void ExpectSameProperties(TObject* a, TObject* b, const std::string& path = "") {
  for (const TPropInfo* prop : GetPropList(a->ClassType())) {
    const std::string name = path + prop->Name;
    if (IsOrdinal(prop)) {
      EXPECT_EQ(GetOrdProp(a, prop), GetOrdProp(b, prop)) << name;
    } else if (prop->PropType->Kind == tkFloat) {
      EXPECT_EQ(GetFloatProp(a, prop->Name), GetFloatProp(b, prop->Name)) << name;
    } else if (prop->PropType->Kind == tkClass) {
      TObject* x = prop->Access->GetObject(a);
      TObject* y = prop->Access->GetObject(b);
      if (x && x->InheritsFrom(TComponent::StaticClass()))
        EXPECT_EQ(x, y) << name;
      else if (x && y)
        ExpectSameProperties(x, y, name + ".");
    }
  }
}

TEST(OptionObjects, Defaults) {
  struct Case {
    const char* cls;
    const char* prop;
    Int64 expected;
  };
  const Case cases[] = {
      {"TVisGlyphTextLayout", "Alignment", agTopLeft},
      {"TVisGlyphTextLayout", "AlignText2Glyph", taRight},
      {"TVisGlyphTextLayout", "OffsetX", 0},
      {"TVisGlyphTextLayout", "OffsetY", 0},
      {"TVisGlyphTextLayout", "Spacing", 2},
      {"TVisButtonLayout", "Alignment", agCenter},
      {"TVisButtonLayout", "AlignText2Glyph", taRight},
      {"TVisButtonLayout", "Arrow", 0},
      {"TVisButtonLayout", "ArrowColor", clBlack},
      {"TVisButtonLayout", "ArrowIndent", 3},
      {"TVisButtonLayout", "ArrowPosition", apRightText},
      {"TVisButtonLayout", "ArrowSize", 3},
      {"TVis3DCaption", "DisabledStyle", dsAuto},
      {"TVis3DCaption", "LightDepth", 1},
      {"TVis3DCaption", "ShadowDepth", 1},
      {"TVis3DCaption", "LightColor", clBtnHighlight},
      {"TVis3DCaption", "ShadowColor", clBtnShadow},
      {"TVis3DCaption", "Orientation", toTopLeft},
      {"TVis3DCaption", "Style", tdNone},
      {"TVis3DCaption", "Tracing", 0},
      {"TVisFxCaption", "Angle", 0},
      {"TVisFxCaption", "PosX", 0},
      {"TVisFxCaption", "PosY", 0},
      {"TVisFxCaption", "Style", tdNone},
      {"TVisGradient", "Color", 16711680},
      {"TVisGradient", "ColorCount", 16},
      {"TVisGradient", "Style", gstVertical},
      {"TVisGradient", "EndColor", 0},
      {"TVisGradient", "PaletteRealize", 0},
      {"TVisGradient", "TwoColors", 1},
      {"TVisShapeFill", "Style", sfBrush},
      {"TVisShapeFill", "TileMode", tmTile},
      {"TVisFillObject", "Style", sfNone},
      {"TVisFillObject", "TileMode", tmTile},
      {"TVisFillObject", "Alignment", agTopLeft},
      {"TVisFillObject", "OffsetX", 0},
      {"TVisFillObject", "OffsetY", 0},
      {"TVisFillObject", "Options", TVisFillOptions{foFillInner, foGrUseBitmap}.Bits()},
      {"TVisAlphaObject", "ImageIndex", 0},
      {"TVisAlphaObject", "ListIndex", 0},
      {"TVisBitmapEffectObject", "FlipVertical", 0},
      {"TVisBitmapEffectObject", "FlipHorizontal", 0},
      {"TVisBitmapEffectObject", "GrayScale", 0},
      {"TVisBitmapEffectObject", "Invert", 0},
      {"TVisBitmapEffectObject", "Buffered", 0},
      {"TVisBitmapEffectObject", "Brightness", 0},
      {"TVisShadow", "Color", clBtnShadow},
      {"TVisShadow", "Depth", 6},
      {"TVisShadow", "Style", hssSolid},
  };
  for (const Case& c : cases) {
    for (const OptionClass& option : OptionClasses()) {
      if (std::string(option.name) != c.cls) continue;
      std::unique_ptr<TVisObject> object(option.make());
      EXPECT_EQ(GetOrdProp(object.get(), c.prop), c.expected) << c.cls << "." << c.prop;
    }
  }

  TVisAlphaObject alpha;
  EXPECT_FLOAT_EQ(alpha.GetStrength(), 0.6f);
  EXPECT_EQ(alpha.GetImageList(), nullptr);
  EXPECT_EQ(alpha.GetFillObject()->GetStyle(), sfNone);
  TVisFillObject fill;
  EXPECT_EQ(fill.GetBrush()->GetColor(), clWhite);
  EXPECT_EQ(fill.GetBrush()->GetStyle(), bsSolid);
  EXPECT_TRUE(fill.GetBitmap()->GetEmpty());
  EXPECT_EQ(fill.GetGradient()->GetColor(), clBlue);
  TVisBitmapEffectObject effects;
  EXPECT_EQ(effects.GetBuffer(), nullptr);
  EXPECT_FALSE(effects.GetMonochrome());
}

// Every ordinal property of every class: the value it holds raises nothing, another value one
// change, and during an update bracket closed without notice nothing at all.
TEST(OptionObjects, SettersNotifyOnlyRealChanges) {
  for (const OptionClass& option : OptionClasses()) {
    std::unique_ptr<TVisObject> object(option.make());
    ChangeCounter counter;
    object->OnChange = counter.Event();
    for (const TPropInfo* prop : GetPropList(object->ClassType())) {
      if (!IsOrdinal(prop)) continue;
      const std::string what = std::string(option.name) + "." + prop->Name.c_str();
      const Int64 value = GetOrdProp(object.get(), prop);
      // The colour of a gradient and the indexes of an alpha object always refresh; a fill's
      // picture position counts only for an unstretched picture.
      const bool always = (what == "TVisGradient.Color" || what == "TVisAlphaObject.ImageIndex" ||
                           what == "TVisAlphaObject.ListIndex");
      const bool positionOnly = std::string(option.name) == "TVisFillObject" &&
                                (prop->Name == "Alignment" || prop->Name == "OffsetX" || prop->Name == "OffsetY");
      counter.count = 0;
      SetOrdProp(object.get(), prop, value);
      EXPECT_EQ(counter.count, always ? 1 : 0) << what << " set to the same value";
      counter.count = 0;
      SetOrdProp(object.get(), prop, OtherValue(prop, value));
      EXPECT_EQ(GetOrdProp(object.get(), prop), OtherValue(prop, value)) << what;
      EXPECT_EQ(counter.count, positionOnly ? 0 : 1) << what << " changed";

      counter.count = 0;
      object->BeginUpdate();
      SetOrdProp(object.get(), prop, value);
      object->EndUpdate(false);
      EXPECT_EQ(counter.count, 0) << what << " inside an update";
    }
  }
}

TEST(OptionObjects, FillPositionCountsForUnstretchedPictures) {
  TVisFillObject fill;
  ChangeCounter counter;
  fill.OnChange = counter.Event();
  fill.SetOffsetX(4);
  EXPECT_EQ(counter.count, 0);
  EXPECT_EQ(fill.GetOffsetX(), 4);
  fill.SetStyle(sfBitmap);
  fill.SetTileMode(tmNone);
  counter.count = 0;
  fill.SetOffsetY(5);
  fill.SetAlignment(agCenter);
  EXPECT_EQ(counter.count, 2);
}

TEST(OptionObjects, UpdateBracketIsAFlag) {
  TVisShadow shadow;
  ChangeCounter counter;
  shadow.OnChange = counter.Event();
  shadow.BeginUpdate();
  shadow.BeginUpdate();
  shadow.SetDepth(9);
  shadow.EndUpdate(false);
  // The first EndUpdate ended the bracket.
  shadow.SetDepth(10);
  EXPECT_EQ(counter.count, 1);
  shadow.BeginUpdate();
  shadow.EndUpdate(true);
  EXPECT_EQ(counter.count, 2);
}

TEST(OptionObjects, SpecialSetters) {
  TVisFxCaption caption;
  ChangeCounter counter;
  caption.OnChange = counter.Event();
  caption.SetAngle(360);
  EXPECT_EQ(caption.GetAngle(), 0);
  EXPECT_EQ(counter.count, 0);
  caption.SetAngle(90);
  EXPECT_EQ(counter.count, 1);
  caption.SetPos(12, 34);
  EXPECT_EQ(caption.GetPosX(), 12);
  EXPECT_EQ(caption.GetPosY(), 34);
  EXPECT_EQ(counter.count, 1);

  TVisButtonLayout layout;
  layout.SetArrowSize(1);
  EXPECT_EQ(layout.GetArrowSize(), 2);
  layout.SetArrowSize(20);
  EXPECT_EQ(layout.GetArrowSize(), 10);
  TVisGradient gradient;
  gradient.SetColorCount(0);
  EXPECT_EQ(gradient.GetColorCount(), 2);
  gradient.SetColorCount(255);
  EXPECT_EQ(gradient.GetColorCount(), 236);
  TVisShadow shadow;
  shadow.SetDepth(99);
  EXPECT_EQ(shadow.GetDepth(), 40);
  TVisBitmapEffectObject effects;
  effects.SetBrightness(-300);
  EXPECT_EQ(effects.GetBrightness(), -255);
}

// Assign copies every property, nested objects included, and reports one change.
TEST(OptionObjects, AssignCopiesAllWithOneChange) {
  for (const OptionClass& option : OptionClasses()) {
    std::unique_ptr<TVisObject> source(option.make());
    std::unique_ptr<TVisObject> target(option.make());
    ChangeEverything(source.get());
    ChangeCounter counter;
    target->OnChange = counter.Event();
    target->Assign(source.get());
    EXPECT_EQ(counter.count, 1) << option.name;
    ExpectSameProperties(source.get(), target.get(), std::string(option.name) + ".");
  }

  // Nested pictures and colour lists travel too.
  TVisFillObject source;
  source.GetBitmap()->SetSize(3, 2);
  source.GetGradient()->AddColor(clRed);
  source.GetGradient()->AddColor(clLime);
  TVisFillObject target;
  target.Assign(&source);
  EXPECT_EQ(target.GetBitmap()->GetWidth(), 3);
  EXPECT_EQ(target.GetGradient()->GetColorList(), (std::vector<TColor>{clRed, clLime}));

  // A button layout takes a plain layout's part; a plain layout a button layout's part.
  TVisGlyphTextLayout plain;
  plain.SetSpacing(7);
  TVisButtonLayout button;
  button.SetArrow(true);
  ChangeCounter counter;
  button.OnChange = counter.Event();
  button.Assign(&plain);
  EXPECT_EQ(counter.count, 1);
  EXPECT_EQ(button.GetSpacing(), 7);
  EXPECT_TRUE(button.GetArrow());

  // Anything else cannot be assigned.
  TVisShadow shadow;
  EXPECT_THROW(shadow.Assign(&plain), EConvertError);
}

TEST(OptionObjects, Summaries) {
  struct Case {
    std::function<AnsiString()> summary;
    const char* expected;
  };
  const auto caption = [](TVisThreeDStyle style, TVisAngle angle = 0) {
    return [style, angle] {
      TVisFxCaption c;
      c.SetStyle(style);
      c.SetAngle(angle);
      return c.GetSummary();
    };
  };
  const auto fill = [](TVisFillStyle style) {
    return [style] {
      TVisShapeFill f;
      f.SetStyle(style);
      return f.GetSummary();
    };
  };
  const Case cases[] = {
      {caption(tdNone), "{Disabled}"},
      {caption(tdSunken), "{sunken}"},
      {caption(tdRaised), "{raised}"},
      {caption(tdSunkenShadow), "{sunken shadow}"},
      {caption(tdRaisedShadow), "{raised shadow}"},
      {caption(tdPColorSunken), "{PColor sunken}"},
      {caption(tdPColorRaised), "{}"},
      {caption(tdShadow), "{shadow}"},
      {caption(tdOutline), "{outline}"},
      {caption(tdExtrude), "{extrude}"},
      {caption(tdExtrudeEnh), "{extrude enh}"},
      {caption(tdRaised, 45), "{raised, rot: 45}"},
      {caption(tdNone, 270), "{ rot: 270}"},
      {[] { return TVisGradient().GetSummary(); }, "vertical, Col: 16, 2 col mode"},
      {[] {
         TVisGradient g;
         g.SetStyle(gstTopRightDiagonal);
         g.SetColorCount(40);
         g.SetTwoColors(false);
         return g.GetSummary();
       },
       "top right diag, Col: 40, mult. col mode"},
      {fill(sfNone), "{Disabled}"},
      {fill(sfBrushBitmap), "{}"},
      {fill(sfBrush), "{Brush}"},
      {fill(sfBitmap), "{Bitmap}"},
      {fill(sfBitmapList), "{BitmapList}"},
      {fill(sfGradient), "{Gradient}"},
      {[] { return TVisAlphaObject().GetSummary(); }, "{Disabled}"},
      {[] {
         TVisAlphaObject a;
         a.GetFillObject()->SetStyle(sfGradient);
         return a.GetSummary();
       },
       "{Enabled (grad), strength: 0.6}"},
      {[] {
         TVisAlphaObject a;
         a.GetFillObject()->SetStyle(sfBrush);
         a.SetStrength(0.25f);
         return a.GetSummary();
       },
       "{Enabled (brush), strength: 0.25}"},
      {[] {
         TVisAlphaObject a;
         a.GetFillObject()->SetStyle(sfBrush);
         a.SetStrength(1.0f);
         return a.GetSummary();
       },
       "{Disabled}"},
      {[] { return TVisBitmapEffectObject().GetSummary(); }, "{Disabled}"},
      {[] {
         TVisBitmapEffectObject e;
         e.SetFlipHorizontal(true);
         e.SetInvert(true);
         e.SetBrightness(-3);
         e.GetAlphaBlend()->GetFillObject()->SetStyle(sfBitmap);
         return e.GetSummary();
       },
       "{alpha,FH,INV,B}"},
      {[] { return TVisShadow().GetSummary(); }, "{solid, 6}"},
      {[] {
         TVisShadow s;
         s.SetStyle(hssTracing);
         s.SetDepth(12);
         return s.GetSummary();
       },
       "{tracing, 12}"},
      {[] {
         TVisShadow s;
         s.SetStyle(hssNone);
         return s.GetSummary();
       },
       "{Disabled}"},
      {[] { return TVisButtonLayout().GetSummary(); }, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(c.summary(), c.expected);
}

TEST(OptionObjects, GradientColourTable) {
  TVisGradient gradient;
  gradient.SetColorCount(2);
  gradient.SetColor(0x102030);
  gradient.SetEndColor(0x405060);
  EXPECT_EQ(gradient.GetColorTable(), (TVisColorTable{0x102030, 0x405060}));
  EXPECT_EQ(gradient.GetPalette(), nullptr);

  // Three colours in 16: segments of 5, the second without its first colour.
  gradient.SetTwoColors(false);
  gradient.SetColorCount(16);
  gradient.SetColorList({0x000000, 0x0000FF, 0xFF0000});
  ASSERT_EQ(gradient.GetColorTable().size(), 9u);
  EXPECT_EQ(gradient.GetColorTable()[0], 0x000000);
  EXPECT_EQ(gradient.GetColorTable()[4], 0x0000FF);
  EXPECT_EQ(gradient.GetColorTable()[8], 0xFF0000);

  // One colour gives nothing to paint.
  gradient.SetColorList({clRed});
  EXPECT_TRUE(gradient.GetColorTable().empty());

  // A palette follows the table.
  gradient.SetTwoColors(true);
  gradient.SetPaletteRealize(true);
  ASSERT_NE(gradient.GetPalette(), nullptr);
  PALETTEENTRY entries[32]{};
  EXPECT_EQ(::GetPaletteEntries(gradient.GetPalette(), 0, 32, entries), 16u);
  EXPECT_EQ(entries[15].peFlags, PC_NOCOLLAPSE);
  gradient.SetPaletteRealize(false);
  EXPECT_EQ(gradient.GetPalette(), nullptr);
}

TEST(OptionObjects, ShapeFillQueries) {
  TVisShapeFill fill;
  struct Case {
    TVisFillStyle style;
    bool emptyWithoutPicture;
  };
  for (const Case& c : {Case{sfNone, true}, Case{sfBrushBitmap, false}, Case{sfBrush, false}, Case{sfBitmap, true},
                        Case{sfBitmapList, true}, Case{sfGradient, false}}) {
    fill.SetStyle(c.style);
    EXPECT_EQ(fill.IsEmpty(), c.emptyWithoutPicture) << c.style;
  }
  fill.GetBitmap()->SetSize(2, 2);
  fill.SetStyle(sfBitmap);
  EXPECT_FALSE(fill.IsEmpty());
  fill.GetListBitmap()->SetSize(2, 2);
  fill.SetStyle(sfBitmapList);
  EXPECT_FALSE(fill.IsEmpty());

  fill.GetGradient()->SetPaletteRealize(true);
  fill.SetStyle(sfGradient);
  EXPECT_EQ(fill.GetPalette(), fill.GetGradient()->GetPalette());
  fill.SetStyle(sfBrush);
  EXPECT_EQ(fill.GetPalette(), nullptr);
  fill.GetBitmap()->SetPixelFormat(pf8bit);
  fill.SetStyle(sfBitmap);
  EXPECT_EQ(fill.GetPalette(), fill.GetBitmap()->GetPalette());
  EXPECT_NE(fill.GetPalette(), nullptr);
}

// An image list whose item 1 holds a red 4 x 3 picture at image index 2.
class TRedPictureList : public TVisCustomImageList {
  CLASS_INFO(TRedPictureList, TVisCustomImageList)
public:
  using TVisCustomImageList::TVisCustomImageList;
  bool IsValid(Integer ListIndex, Integer ImageIndex) override { return ListIndex == 1 && ImageIndex == 2; }
  void AssignPicture(Integer, Integer, TBitmap* Target) override {
    if (!Target) return;
    Target->SetSize(4, 3);
    Target->GetCanvas()->GetBrush()->SetColor(clRed);
    Target->GetCanvas()->FillRect(Rect(0, 0, 4, 3));
  }
  void RaiseChange() { Change(); }
};

[[gnu::noinline]] void Free(TComponent* Component) { delete Component; }

TEST(OptionObjects, AlphaObjectFollowsItsImageList) {
  auto* list = new TRedPictureList(nullptr);
  TVisAlphaObject alpha;
  ChangeCounter counter;
  alpha.OnChange = counter.Event();
  alpha.SetImageList(list);
  EXPECT_EQ(alpha.GetImageList(), list);
  EXPECT_EQ(list->GetLinkCount(), 1);
  EXPECT_TRUE(alpha.GetFillObject()->GetListBitmap()->GetEmpty());
  EXPECT_EQ(counter.count, 1);

  alpha.SetListIndex(1);
  alpha.SetImageIndex(2);
  EXPECT_EQ(alpha.GetFillObject()->GetListBitmap()->GetWidth(), 4);
  EXPECT_EQ(counter.count, 3);

  alpha.GetFillObject()->GetListBitmap()->Assign(nullptr);
  list->RaiseChange();
  EXPECT_EQ(alpha.GetFillObject()->GetListBitmap()->GetWidth(), 4);

  alpha.SetImageIndex(0);
  EXPECT_TRUE(alpha.GetFillObject()->GetListBitmap()->GetEmpty());

  EXPECT_FALSE(alpha.IsActive());
  alpha.GetFillObject()->SetStyle(sfBrush);
  EXPECT_TRUE(alpha.IsActive());
  alpha.SetStrength(1.0f);
  EXPECT_FALSE(alpha.IsActive());
  EXPECT_TRUE(alpha.IsStrengthStored());
  alpha.SetStrength(0.6f);
  EXPECT_FALSE(alpha.IsStrengthStored());

  // A freed list is let go.
  Free(list);
  EXPECT_EQ(alpha.GetImageList(), nullptr);
  alpha.SetImageIndex(2);
}

TEST(OptionObjects, EffectObjectKeepsItsResultWhileBuffered) {
  TVisBitmapEffectObject effects;
  EXPECT_FALSE(effects.IsEffective());
  effects.SetBuffered(true);
  ASSERT_NE(effects.GetBuffer(), nullptr);
  EXPECT_FALSE(effects.IsEffective());
  effects.SetGrayScale(true);
  EXPECT_TRUE(effects.IsEffective());

  TBitmap picture;
  picture.SetPixelFormat(pf24bit);
  picture.SetSize(2, 1);
  picture.GetCanvas()->SetPixels(0, 0, 0x0000FF);
  effects.Apply(&picture);
  EXPECT_TRUE(effects.GetBufferValid());
  EXPECT_EQ(effects.GetBuffer()->GetWidth(), 2);

  // A nested change makes the kept result stale.
  effects.GetAlphaBlend()->SetStrength(0.5f);
  EXPECT_FALSE(effects.GetBufferValid());
  effects.Apply(&picture);
  EXPECT_TRUE(effects.GetBufferValid());
  effects.SetBrightness(10);
  EXPECT_FALSE(effects.GetBufferValid());

  effects.SetBuffered(false);
  EXPECT_EQ(effects.GetBuffer(), nullptr);
}

// A component publishing one object of each kind, as a control would.
class TOptionHolder : public TComponent {
  CLASS_INFO(TOptionHolder, TComponent)
public:
  explicit TOptionHolder(TComponent* AOwner) : TComponent(AOwner) {}
  TVisButtonLayout* GetLayout() const { return FLayout.get(); }
  void SetLayout(TVisButtonLayout* Value) { FLayout->Assign(Value); }
  TVisFxCaption* GetCaption() const { return FCaption.get(); }
  void SetCaption(TVisFxCaption* Value) { FCaption->Assign(Value); }
  TVisFillObject* GetFill() const { return FFill.get(); }
  void SetFill(TVisFillObject* Value) { FFill->Assign(Value); }
  TVisBitmapEffectObject* GetEffects() const { return FEffects.get(); }
  void SetEffects(TVisBitmapEffectObject* Value) { FEffects->Assign(Value); }
  TVisShadow* GetShadow() const { return FShadow.get(); }
  void SetShadow(TVisShadow* Value) { FShadow->Assign(Value); }

private:
  std::unique_ptr<TVisButtonLayout> FLayout = std::make_unique<TVisButtonLayout>();
  std::unique_ptr<TVisFxCaption> FCaption = std::make_unique<TVisFxCaption>();
  std::unique_ptr<TVisFillObject> FFill = std::make_unique<TVisFillObject>();
  std::unique_ptr<TVisBitmapEffectObject> FEffects = std::make_unique<TVisBitmapEffectObject>();
  std::unique_ptr<TVisShadow> FShadow = std::make_unique<TVisShadow>();
};

PUBLISHED(TOptionHolder) {
  Prop("Layout", &TOptionHolder::GetLayout, &TOptionHolder::SetLayout);
  Prop("Caption", &TOptionHolder::GetCaption, &TOptionHolder::SetCaption);
  Prop("Fill", &TOptionHolder::GetFill, &TOptionHolder::SetFill);
  Prop("Effects", &TOptionHolder::GetEffects, &TOptionHolder::SetEffects);
  Prop("Shadow", &TOptionHolder::GetShadow, &TOptionHolder::SetShadow);
}

// A form: a list and a holder whose alpha blend refers to it.
class TOptionForm : public TComponent {
  CLASS_INFO(TOptionForm, TComponent)
public:
  explicit TOptionForm(TComponent* AOwner) : TComponent(AOwner) {}
  void GetChildren(TGetChildProc Proc, TComponent* Root) override {
    if (Root != this) return;
    for (Integer i = 0; i < GetComponentCount(); ++i) Proc(GetComponents(i));
  }
};

AnsiString BinaryToText(TMemoryStream& binary) {
  binary.SetPosition(0);
  TStringStream text;
  ObjectBinaryToText(&binary, &text);
  return text.GetDataString();
}

TEST(OptionObjects, FormStreamRoundTrips) {
  RegisterClasses({TOptionForm::StaticClass(), TOptionHolder::StaticClass(), TRedPictureList::StaticClass()});
  TOptionForm form(nullptr);
  form.SetName("Form1");
  auto* list = new TRedPictureList(&form);
  list->SetName("Pictures");
  auto* holder = new TOptionHolder(&form);
  holder->SetName("Holder");
  ChangeEverything(holder);
  TVisGradient* gradient = holder->GetFill()->GetGradient();
  gradient->SetColorList({clRed, 0x123456, clBtnFace});
  holder->GetFill()->GetBitmap()->SetPixelFormat(pf24bit);
  holder->GetFill()->GetBitmap()->SetSize(3, 2);
  holder->GetFill()->GetBitmap()->GetCanvas()->SetPixels(1, 1, clRed);
  holder->GetEffects()->GetAlphaBlend()->SetImageList(list);
  holder->GetEffects()->GetAlphaBlend()->SetStrength(0.75f);

  TMemoryStream binary;
  WriteComponentToStream(&binary, &form);
  const AnsiString text = BinaryToText(binary);
  EXPECT_NE(text.find("Fill.Gradient.ColorList = (\r\n"), AnsiString::npos) << text;
  EXPECT_NE(text.find("1193046"), AnsiString::npos) << text;  // 0x123456
  EXPECT_NE(text.find("Effects.AlphaBlend.ImageList = Pictures"), AnsiString::npos) << text;
  EXPECT_NE(text.find("Effects.AlphaBlend.Strength = 0.75"), AnsiString::npos) << text;
  EXPECT_NE(text.find("Layout.Alignment = agCenterRight"), AnsiString::npos) << text;

  // Text back to binary, read into a new form.
  TStringStream source(text);
  TMemoryStream again;
  ObjectTextToBinary(&source, &again);
  again.SetPosition(0);
  TOptionForm copy(nullptr);
  ReadComponentFromStream(&again, &copy);
  auto* read = static_cast<TOptionHolder*>(copy.FindComponent("Holder"));
  ASSERT_NE(read, nullptr);
  auto* readList = static_cast<TRedPictureList*>(copy.FindComponent("Pictures"));
  ASSERT_NE(readList, nullptr);

  EXPECT_EQ(read->GetFill()->GetGradient()->GetColorList(), (std::vector<TColor>{clRed, 0x123456, clBtnFace}));
  EXPECT_EQ(read->GetFill()->GetBitmap()->GetCanvas()->GetPixels(1, 1), clRed);
  EXPECT_EQ(read->GetEffects()->GetAlphaBlend()->GetImageList(), readList);
  EXPECT_FLOAT_EQ(read->GetEffects()->GetAlphaBlend()->GetStrength(), 0.75f);
  // The other values: compare everything but the list reference, which differs by form.
  holder->GetEffects()->GetAlphaBlend()->SetImageList(nullptr);
  read->GetEffects()->GetAlphaBlend()->SetImageList(nullptr);
  ExpectSameProperties(holder, read);

  // Written again, the copy gives the same bytes.
  read->GetEffects()->GetAlphaBlend()->SetImageList(readList);
  holder->GetEffects()->GetAlphaBlend()->SetImageList(list);
  TMemoryStream second;
  WriteComponentToStream(&second, &copy);
  EXPECT_EQ(BinaryToText(second), text);
}

TEST(OptionObjects, ColourListReadingAddsToTheList) {
  RegisterClasses({TOptionForm::StaticClass(), TOptionHolder::StaticClass()});
  const AnsiString text =
      "object Holder: TOptionHolder\r\n"
      "  Fill.Gradient.ColorList = (\r\n"
      "    255\r\n"
      "    65280)\r\n"
      "end\r\n";
  TStringStream source(text);
  TMemoryStream binary;
  ObjectTextToBinary(&source, &binary);
  binary.SetPosition(0);
  TOptionHolder holder(nullptr);
  holder.GetFill()->GetGradient()->SetTwoColors(false);
  holder.GetFill()->GetGradient()->AddColor(clBlue);
  ChangeCounter counter;
  holder.GetFill()->GetGradient()->OnChange = counter.Event();
  ReadComponentFromStream(&binary, &holder);
  EXPECT_EQ(holder.GetFill()->GetGradient()->GetColorList(), (std::vector<TColor>{clBlue, 255, 65280}));
  EXPECT_EQ(counter.count, 1);
  EXPECT_EQ(holder.GetFill()->GetGradient()->GetColorTable().size(), 16u / 3 * 2 - 1);

  // An empty list is not written at all.
  TOptionHolder plain(nullptr);
  plain.SetName("Plain");
  TMemoryStream written;
  WriteComponentToStream(&written, &plain);
  EXPECT_EQ(BinaryToText(written).find("ColorList"), AnsiString::npos);
}

TEST(OptionObjects, GlobalListsAreStoredByName) {
  RegisterClasses({TOptionForm::StaticClass(), TOptionHolder::StaticClass(), TRedPictureList::StaticClass()});
  TComponent globalOwner(nullptr);
  TComponent* const realOwner = VisGlobalListOwner;
  VisGlobalListOwner = &globalOwner;
  auto* global = new TRedPictureList(&globalOwner);
  global->SetName("VisIML30");

  TOptionHolder holder(nullptr);
  holder.SetName("Holder");
  holder.GetEffects()->GetAlphaBlend()->SetImageList(global);
  TMemoryStream binary;
  WriteComponentToStream(&binary, &holder);
  const AnsiString text = BinaryToText(binary);
  EXPECT_NE(text.find("Effects.AlphaBlend.Internal = VisIML30"), AnsiString::npos) << text;
  EXPECT_EQ(text.find("ImageList"), AnsiString::npos) << text;

  binary.SetPosition(0);
  TOptionHolder copy(nullptr);
  ReadComponentFromStream(&binary, &copy);
  EXPECT_EQ(copy.GetEffects()->GetAlphaBlend()->GetImageList(), global);
  copy.GetEffects()->GetAlphaBlend()->SetImageList(nullptr);
  holder.GetEffects()->GetAlphaBlend()->SetImageList(nullptr);
  VisGlobalListOwner = realOwner;
}

}  // namespace
