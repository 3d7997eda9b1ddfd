// TVisIniCtrl: where the visual components keep persistent settings - an ini file or a registry
// key, per user or common to all users, optionally enciphered. It holds the configuration only;
// components that save settings read it. The application object owns one.
#pragma once

#include "classlib/TypInfo.h"
#include "controls/VisComponent.h"
#include "controls/visprocs.h"

enum TVisRegRootKey { rpClassesRoot, rpCurrentUser, rpLocalMachine, rpUsers, rpCurrentConfig, rpDynData };
ENUM_NAMES(TVisRegRootKey, "rpClassesRoot", "rpCurrentUser", "rpLocalMachine", "rpUsers", "rpCurrentConfig",
           "rpDynData");

// itAuto stores in the registry.
enum TVisIniTarget { itIniFile, itRegistry, itAuto };
ENUM_NAMES(TVisIniTarget, "itIniFile", "itRegistry", "itAuto");

class TVisIniCtrl : public TVisCustomComponent {
  CLASS_INFO(TVisIniCtrl, TVisCustomComponent)
public:
  static constexpr Word DefaultEncKey = 0x5A3C;

  explicit TVisIniCtrl(TComponent* AOwner) : TVisCustomComponent(AOwner) {}

  // Entries of stored lists are counted with letters instead of numbers; switching it on limits
  // MaxEntries to 26.
  bool GetAlphaCounter() const { return FAlphaCounter; }
  void SetAlphaCounter(bool Value);
  // The largest number of entries of a stored list; above 26 refused with AlphaCounter.
  Byte GetMaxEntries() const { return FMaxEntries; }
  void SetMaxEntries(Byte Value);
  // A name without extension gets ".INI".
  AnsiString GetIniFile() const { return FIniFile; }
  void SetIniFile(const AnsiString& Value);
  // Switching it on sets User to the logged-on user's name.
  bool GetNetUser() const { return FNetUser; }
  void SetNetUser(bool Value);
  TVisIniTarget GetTarget() const { return FTarget; }
  void SetTarget(TVisIniTarget Value);
  // Where settings go: Target, with itAuto meaning the registry.
  TVisIniTarget GetEffectiveTarget() const { return FEffectiveTarget; }

  bool Common = true;
  TVisPathPrefix IniPrefix = ppWindows;
  AnsiString User;
  AnsiString RegPath;
  TVisRegRootKey RegRoot = rpCurrentUser;
  Word EncKey = DefaultEncKey;
  bool Encoded = false;

private:
  bool FAlphaCounter = false;
  Byte FMaxEntries = 16;
  AnsiString FIniFile;
  bool FNetUser = false;
  TVisIniTarget FTarget = itAuto;
  TVisIniTarget FEffectiveTarget = itRegistry;
};
