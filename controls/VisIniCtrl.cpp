// The settings control.
#include "controls/VisIniCtrl.h"

#include "classlib/SysUtils.h"
#include "controls/vissysinfo.h"

namespace {
constexpr Byte kLetters = 26;
}

PUBLISHED(TVisIniCtrl) {
  Prop("About", &TVisIniCtrl::About).Stored(false);
  Prop("AlphaCounter", &TVisIniCtrl::GetAlphaCounter, &TVisIniCtrl::SetAlphaCounter).Default(false);
  Prop("Common", &TVisIniCtrl::Common).Default(true);
  Prop("IniFile", &TVisIniCtrl::GetIniFile, &TVisIniCtrl::SetIniFile);
  Prop("IniPrefix", &TVisIniCtrl::IniPrefix).Default(ppWindows);
  Prop("MaxEntries", &TVisIniCtrl::GetMaxEntries, &TVisIniCtrl::SetMaxEntries).Default(16);
  Prop("NetUser", &TVisIniCtrl::GetNetUser, &TVisIniCtrl::SetNetUser).Default(false);
  Prop("User", &TVisIniCtrl::User);
  Prop("RegPath", &TVisIniCtrl::RegPath);
  Prop("RegRoot", &TVisIniCtrl::RegRoot).Default(rpCurrentUser);
  Prop("Target", &TVisIniCtrl::GetTarget, &TVisIniCtrl::SetTarget).Default(itAuto);
  Prop("EncKey", &TVisIniCtrl::EncKey).Default(TVisIniCtrl::DefaultEncKey);
  Prop("Encoded", &TVisIniCtrl::Encoded).Default(false);
}

void TVisIniCtrl::SetAlphaCounter(bool Value) {
  FAlphaCounter = Value;
  if (FAlphaCounter && FMaxEntries > kLetters) FMaxEntries = kLetters;
}

void TVisIniCtrl::SetMaxEntries(Byte Value) {
  if (FAlphaCounter && Value > kLetters) return;
  FMaxEntries = Value;
}

void TVisIniCtrl::SetIniFile(const AnsiString& Value) {
  FIniFile = Value;
  if (!FIniFile.empty() && ExtractFileExt(FIniFile).empty()) FIniFile += ".INI";
}

void TVisIniCtrl::SetNetUser(bool Value) {
  if (Value && !FNetUser) User = UserName();
  FNetUser = Value;
}

void TVisIniCtrl::SetTarget(TVisIniTarget Value) {
  FTarget = Value;
  FEffectiveTarget = Value == itAuto ? itRegistry : Value;
}
