// The application object of the visual components and its timer pool.
//
// VisApplication, the one TVisApplication of the process, exists before any form and lives until
// the program ends. It tells whether another copy of the program is already running
// (PrevInstance: a named mutex made from the upper-cased executable file name existed), keeps the
// shared millisecond timers of the controls (AddTimer, RemoveTimer: slots of one timer pool that
// ticks through one window timer), and holds the application-wide switches: XP themes, the
// explode-effect step count, the modifier-key state shared by the edits, graphic flags and the
// log file name.
//
// The application object is made by the first unit that includes this header, before that
// unit's own start-up code, and freed after the last one's close-down.
#pragma once

#include <array>

#include "classlib/Graphics.h"
#include "classlib/Handles.h"
#include "classlib/Lists.h"
#include "classlib/Messages.h"
#include "controls/VisComponent.h"
#include "controls/VisIniCtrl.h"
#include "controls/visprocs.h"
#include "controls/visuxtheme.h"

class TBitmap;
class TVisTimerPool;

// The components' own message that passes a change of look (a theme switch, a new picture) down
// a tree of controls.
constexpr UINT VM_CHANGED = 45270;

using TVisTimerInterval = Word;
using TVisTimerPoolEvent = Closure<void(TObject* Sender, Word Ident, Integer Counter)>;

// One timer of the pool: fires on every Factor-th tick of the pool, that is every Interval
// milliseconds.
class TVisTimerItem : public TObject {
  CLASS_INFO(TVisTimerItem, TObject)
public:
  // Raises EInvalidOperation "<class name>: Invalid Owner or List" without a pool or a list.
  // The item does not add itself to List; freeing it takes it out.
  TVisTimerItem(TVisTimerPool* Pool, Word Ident, TList* List);
  ~TVisTimerItem() override;

  bool GetEnabled() const { return FEnabled; }
  // A new value restarts Count; enabling an item whose MaxCount is 0 is ignored.
  void SetEnabled(bool Value);
  Word GetInterval() const { return FInterval; }
  // A value that is not a multiple of the pool's MinInterval is ignored; otherwise Factor
  // follows it and Count restarts.
  void SetInterval(Word Value);
  Integer GetFactor() const { return FFactor; }
  Word GetIdent() const { return FIdent; }
  TVisTimerPool* GetPool() const { return FPool; }
  // Counts the firing and calls OnTimer (sender: the pool), or else the pool's OnTimer with the
  // identifier and the count; reaching MaxCount disables the item.
  void Fire();

  // How often the item fires before it disables itself; -1 without limit.
  Integer MaxCount = -1;
  // Times fired since it was enabled.
  Integer Count = 0;
  TNotifyEvent OnTimer;

private:
  TVisTimerPool* FPool;
  TList* FList;
  Word FIdent;
  bool FEnabled = true;
  Word FInterval = 1000;
  Integer FFactor;
};

// Shared timers that tick through one window timer of MinInterval milliseconds.
class TVisTimerPool : public TVisCustomComponent {
  CLASS_INFO(TVisTimerPool, TVisCustomComponent)
public:
  explicit TVisTimerPool(TComponent* AOwner) : TVisTimerPool(AOwner, 1000) {}
  TVisTimerPool(TComponent* AOwner, TVisTimerInterval MinInterval);
  ~TVisTimerPool() override;

  // Adds an item firing every Interval milliseconds and starts the pool; returns its index.
  // Raises Exception "List index out of bounds (%d)" for an identifier in use and "Interval not
  // compatible with MinInterval property!" for an interval that is not a whole multiple of
  // MinInterval.
  Integer Add(Word Ident, Word Interval, TNotifyEvent Handler);
  // Frees the item of that identifier; the pool stops when no item is left.
  void Remove(Word Ident);
  void Clear();
  Integer IndexOf(Word Ident) const;
  TVisTimerItem* ItemByIdent(Word Ident) const;
  Integer GetCount() const { return FItems.GetCount(); }
  TVisTimerItem* GetItems(Integer Index) const { return static_cast<TVisTimerItem*>(FItems[Index]); }
  Integer EnabledCount() const;
  // Stops the window timer and, when Activate and an item is enabled, starts it again with the
  // tick counter at 1. Raises EOutOfResources "Not enough timers available" when the system has
  // no timer to give.
  void Update(bool Activate);
  bool GetActive() const { return FActive; }

  TVisTimerInterval GetMinInterval() const { return FMinInterval; }
  // Taken only while the pool is read from a form or designed.
  void SetMinInterval(TVisTimerInterval Value);

  TVisTimerPoolEvent OnTimer;

private:
  void WndProc(TMessage& Message);
  void Tick();

  TVisTimerInterval FMinInterval;
  TList FItems;
  HWND FWindow = nullptr;
  Integer FTick = 1;
  bool FActive = false;
  bool FBusy = false;
  bool FRemoving = false;

  friend class TVisTimerItem;
};

class TVisApplication : public TComponent {
  CLASS_INFO(TVisApplication, TComponent)
public:
  // The first identifier AddTimer hands out is Base + 1; there are 250.
  static constexpr Word TimerIdentBase = 0xFD00;
  static constexpr Integer TimerSlots = 250;

  explicit TVisApplication(TComponent* AOwner);
  ~TVisApplication() override;

  // True when a process of the same executable file name was running when this one started.
  bool GetPrevInstance() const { return FPrevInstance; }

  // Registers a pool timer in the lowest free slot and returns its identifier (slot + $FD00);
  // 0 when the pool refuses the interval or every slot is taken.
  Word AddTimer(Word Interval, TNotifyEvent Handler);
  // Frees the timer of an identifier that AddTimer gave; others are ignored.
  void RemoveTimer(Word Ident);
  TVisTimerItem* GetTimer(Word Ident) const;

  // Whether the controls draw with XP themes: wanted and available. Switching them takes
  // effect at once on every visible form.
  bool GetUseXPThemes() const;
  void SetUseXPThemes(bool Value);

  // An 8 x 8 brush pattern of white and Color in a chequer board (kept for the last colour).
  TBitmap* GetPatternBitmap(TColor Color);

  // Names the log file: an empty name means the executable's with the extension ".LOG"; a name
  // without extension gets ".LOG"; the folder is that of LogPathPrefix unless it is ppFixed.
  void SetLogFile(const AnsiString& Name);
  const AnsiString& GetLogFile() const { return FLogFile; }

  // Insert mode (1), Shift (2), Ctrl (4), Alt (8) at the last key event of an edit; a new value
  // fires OnShiftFlagsChange.
  Byte GetShiftFlags() const { return FShiftFlags; }
  void SetShiftFlags(Byte Value);

  TVisIniCtrl* IniCtrl = nullptr;
  TVisTimerPool* TimerPool = nullptr;
  Byte ExplodeSteps = 3;
  // Bit 0: pictures' palettes are not realised on displays of 8 bits per pixel or fewer.
  Byte GraphicFlags = 0x36;
  TVisPathPrefix LogPathPrefix = ppProgram;
  Int64 PerfFrequency = 0;
  // The size of one glyph of the system's check box bitmap.
  TSize CheckSize;
  // Forms keep their own theme setting when the application's is switched.
  bool ThemesFixed = false;
  TNotifyEvent OnShiftFlagsChange;

private:
  friend class TVisXPThemeManager;
  void ApplyThemeChange();

  Byte FShiftFlags = 1;
  AnsiString FLogFile;
  bool FPrevInstance = false;
  UniqueHandle FMutex;
  bool FThemesWanted = true;
  // Set while the application's theming is switched off by SetUseXPThemes.
  bool FThemesSwitchedOff = false;
  TColor FPatternColor = clNone;
  TBitmap* FPatternBitmap = nullptr;
  std::array<bool, TimerSlots> FTimerSlots{};
};

// The application object of the process.
extern TVisApplication* VisApplication;

namespace visclass_detail {
struct UnitStart {
  UnitStart();
  ~UnitStart();
};
static const UnitStart unitStart;
}  // namespace visclass_detail
