#include "syscomp/sycGraphics.h"

#include "classlib/SysUtils.h"

namespace {

struct ColorName {
  TColor Color;
  const char* Name;
};

constexpr ColorName kColorNames[] = {
    {clHotLight, "clHotLight"},
    {clBrown, "clBrown"},
    {clOliveGreen, "clOliveGreen"},
    {clDarkGreen, "clDarkGreen"},
    {clDarkTeal, "clDarkTeal"},
    {clIndigo, "clIndigo"},
    {clNight, "clNight"},
    {clOrange, "clOrange"},
    {clBlueGray, "clBlueGray"},
    {clLightOrange, "clLightOrange"},
    {clSeaGreen, "clSeaGreen"},
    {clLightBlue, "clLightBlue"},
    {clMetal, "clMetal"},
    {clGold, "clGold"},
    {clPlum, "clPlum"},
    {clRose, "clRose"},
    {clTan, "clTan"},
    {clLightYellow, "clLightYellow"},
    {clLightGreen, "clLightGreen"},
    {clLightTurquoise, "clLightTurquoise"},
    {clPaleBlue, "clPaleBlue"},
    {clLavender, "clLavender"},
    {clDefault, "clDefault"},
};

}  // namespace

bool sycIdentToColor(const AnsiString& Ident, Integer& Color) {
  for (const ColorName& c : kColorNames)
    if (SameText(Ident, c.Name)) {
      Color = c.Color;
      return true;
    }
  return false;
}

bool sycColorToIdent(Integer Color, AnsiString& Ident) {
  for (const ColorName& c : kColorNames)
    if (c.Color == Color) {
      Ident = c.Name;
      return true;
    }
  return false;
}
