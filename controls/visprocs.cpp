// Strings, paths, folders and rectangle arithmetic of the visual components.
#include "controls/visprocs.h"

#include <algorithm>
#include <cmath>

#include "classlib/Strings.h"
#include "classlib/SysUtils.h"
#include "classlib/WinApi.h"

bool IsBlank(const AnsiString& S) { return Trim(S).empty(); }

AnsiString FillString(Integer Count, AnsiChar C) { return StringOfChar(C, Count); }

AnsiString TrimString(const AnsiString& S) { return Trim(S); }

AnsiString AddBackslash(const AnsiString& Path) {
  if (IsBlank(Path)) return "\\";
  if (Path.back() == '\\') return Path;
  return Path + '\\';
}

AnsiString RemoveBackslash(const AnsiString& Path) {
  if (!IsBlank(Path) && Path.back() == '\\') return Path.substr(0, Path.size() - 1);
  return Path;
}

AnsiString ProgramFolder() { return ExtractFilePath(ParamStr(0)); }

AnsiString GetPrefixPath(TVisPathPrefix Prefix, bool WithBackslash) {
  AnsiString path;
  char buffer[MAX_PATH] = {};
  switch (Prefix) {
    case ppWindows:
      path.assign(buffer, ::GetWindowsDirectoryA(buffer, MAX_PATH) < MAX_PATH ? std::strlen(buffer) : 0);
      break;
    case ppSystem:
      path.assign(buffer, ::GetSystemDirectoryA(buffer, MAX_PATH) < MAX_PATH ? std::strlen(buffer) : 0);
      break;
    case ppProgram:
      path = ProgramFolder();
      break;
    case ppFixed:
      return AnsiString();
  }
  return WithBackslash ? AddBackslash(path) : RemoveBackslash(path);
}

AnsiString ShortenPath(const AnsiString& Path, Integer MaxLength) {
  AnsiString drive;
  AnsiString rest = Path;
  if (rest.size() >= 2 && rest[1] == ':') {
    drive = rest.substr(0, 2);
    rest.erase(0, 2);
  }
  const std::size_t lastSlash = rest.rfind('\\');
  AnsiString folders = lastSlash == AnsiString::npos ? AnsiString() : rest.substr(0, lastSlash + 1);
  const AnsiString name = lastSlash == AnsiString::npos ? rest : rest.substr(lastSlash + 1);
  const auto length = [&] { return static_cast<Integer>(drive.size() + folders.size() + name.size()); };
  while (length() > MaxLength) {
    const AnsiString lead = !folders.empty() && folders[0] == '\\' ? "\\" : "";
    AnsiString body = folders.substr(lead.size());
    if (body.starts_with("...\\")) body.erase(0, 4);
    const std::size_t slash = body.find('\\');
    if (slash == AnsiString::npos) break;  // no folder left to drop
    body.erase(0, slash + 1);
    folders = lead + "...\\" + body;
  }
  return drive + folders + name;
}

TRect EnlargeRect(const TRect& R, Integer Left, Integer Top, Integer Right, Integer Bottom) {
  return {R.Left - Left, R.Top - Top, R.Right + Right, R.Bottom + Bottom};
}

TRect AspectRect(const TRect& Aspect, const TRect& Into) {
  const Integer w = RectWidth(Aspect);
  const Integer h = RectHeight(Aspect);
  if (w <= 0 || h <= 0) return {Into.Left, Into.Top, Into.Left, Into.Top};
  const double scale = std::min(static_cast<double>(RectWidth(Into)) / w, static_cast<double>(RectHeight(Into)) / h);
  return Bounds(Into.Left, Into.Top, static_cast<Integer>(Round(w * scale)), static_cast<Integer>(Round(h * scale)));
}

Integer RectWidth(const TRect& R) { return R.Right - R.Left; }

Integer RectHeight(const TRect& R) { return R.Bottom - R.Top; }

bool RectInRect(const TRect& Inner, const TRect& Outer) {
  const auto inside = [&](Integer x, Integer y) {
    return x >= Outer.Left && x <= Outer.Right && y >= Outer.Top && y <= Outer.Bottom;
  };
  return inside(Inner.Left, Inner.Top) && inside(Inner.Right, Inner.Bottom);
}

TRect RotatedRect(const TRect& R, Integer Degrees) {
  const long double radians = Degrees * 0.017453292519943295L;
  const long double c = std::cos(radians);
  const long double s = std::sin(radians);
  const long double hw = RectWidth(R) / 2.0L;
  const long double hh = RectHeight(R) / 2.0L;
  const long double corners[4][2] = {{-hw, -hh}, {hw, -hh}, {hw, hh}, {-hw, hh}};
  Integer minX = 0, minY = 0, maxX = 0, maxY = 0;
  for (int i = 0; i < 4; ++i) {
    const auto x = static_cast<Integer>(Round(corners[i][0] * c - corners[i][1] * s));
    const auto y = static_cast<Integer>(Round(corners[i][0] * s + corners[i][1] * c));
    if (i == 0 || x < minX) minX = x;
    if (i == 0 || x > maxX) maxX = x;
    if (i == 0 || y < minY) minY = y;
    if (i == 0 || y > maxY) maxY = y;
  }
  return {0, 0, maxX - minX, maxY - minY};
}

Integer MaxIntValue(std::span<const Integer> Values) {
  return Values.empty() ? 0 : *std::max_element(Values.begin(), Values.end());
}

Integer MinIntValue(std::span<const Integer> Values) {
  return Values.empty() ? 0 : *std::min_element(Values.begin(), Values.end());
}

Extended MaxValue(std::span<const Extended> Values) {
  return Values.empty() ? 0 : *std::max_element(Values.begin(), Values.end());
}
