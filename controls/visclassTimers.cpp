// The timer pool: items fire on multiples of the pool's tick, all through one window timer.
#include <algorithm>
#include <climits>

#include "classlib/Handles.h"
#include "classlib/ObjectInstances.h"
#include "classlib/SysUtils.h"
#include "classlib/TypInfo.h"
#include "controls/visclass.h"

PUBLISHED(TVisTimerPool) {
  Prop("About", &TVisTimerPool::About).Stored(false);
  Prop("MinInterval", &TVisTimerPool::GetMinInterval, &TVisTimerPool::SetMinInterval).Default(1000);
  Prop("OnTimer", &TVisTimerPool::OnTimer);
}

namespace {
constexpr UINT_PTR kTimerId = 1;
}

// --- Items ------------------------------------------------------------------------------------------

TVisTimerItem::TVisTimerItem(TVisTimerPool* Pool, Word Ident, TList* List) : FPool(Pool), FList(List), FIdent(Ident) {
  if (!Pool || !List) throw EInvalidOperation(ClassName() + ": Invalid Owner or List");
  FFactor = std::max<Integer>(1, 1000 / Pool->GetMinInterval());
}

TVisTimerItem::~TVisTimerItem() { FList->Remove(this); }

void TVisTimerItem::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  if (Value && MaxCount == 0) return;
  FEnabled = Value;
  Count = 0;
}

void TVisTimerItem::SetInterval(Word Value) {
  if (Value == FInterval) return;
  const Word minInterval = FPool->GetMinInterval();
  if (Value % minInterval != 0) return;
  FFactor = Value == 0 ? 1 : Value / minInterval;
  FInterval = Value;
  Count = 0;
}

void TVisTimerItem::Fire() {
  if (!FEnabled) return;
  Count = Count == INT_MAX ? 0 : Count + 1;
  // Disabled without the setter: the handler still sees the count that ended the item.
  if (Count == MaxCount) FEnabled = false;
  if (OnTimer)
    OnTimer(FPool);
  else if (FPool->OnTimer)
    FPool->OnTimer(FPool, FIdent, Count);
}

// --- The pool ---------------------------------------------------------------------------------------

TVisTimerPool::TVisTimerPool(TComponent* AOwner, TVisTimerInterval MinInterval)
    : TVisCustomComponent(AOwner), FMinInterval(MinInterval == 0 ? 1 : MinInterval) {}

TVisTimerPool::~TVisTimerPool() {
  Update(false);
  Clear();
  if (FWindow) DeallocateHWnd(FWindow);
}

void TVisTimerPool::SetMinInterval(TVisTimerInterval Value) {
  const TComponentState state = GetComponentState();
  if (!state.Contains(csLoading) && !state.Contains(csDesigning)) return;
  FMinInterval = Value == 0 ? 1 : Value;
}

Integer TVisTimerPool::IndexOf(Word Ident) const {
  for (Integer i = 0; i < FItems.GetCount(); ++i)
    if (GetItems(i)->GetIdent() == Ident) return i;
  return -1;
}

TVisTimerItem* TVisTimerPool::ItemByIdent(Word Ident) const {
  const Integer i = IndexOf(Ident);
  return i < 0 ? nullptr : GetItems(i);
}

Integer TVisTimerPool::EnabledCount() const {
  Integer n = 0;
  for (Integer i = 0; i < FItems.GetCount(); ++i)
    if (GetItems(i)->GetEnabled()) ++n;
  return n;
}

Integer TVisTimerPool::Add(Word Ident, Word Interval, TNotifyEvent Handler) {
  if (IndexOf(Ident) >= 0) throw Exception("List index out of bounds (%d)");
  if (Interval % FMinInterval != 0 || Interval < FMinInterval)
    throw Exception("Interval not compatible with MinInterval property!");
  auto* item = new TVisTimerItem(this, Ident, &FItems);
  const Integer index = FItems.Add(item);
  item->SetInterval(Interval);
  item->OnTimer = Handler;
  Update(true);
  return index;
}

void TVisTimerPool::Remove(Word Ident) {
  FRemoving = true;
  if (TVisTimerItem* item = ItemByIdent(Ident)) {
    item->SetEnabled(false);
    item->OnTimer = nullptr;
    delete item;
    if (FItems.GetCount() == 0) Update(false);
  }
  FRemoving = false;
}

void TVisTimerPool::Clear() {
  while (FItems.GetCount() > 0) delete GetItems(FItems.GetCount() - 1);
}

void TVisTimerPool::Update(bool Activate) {
  if (GetComponentState().Contains(csDesigning)) return;
  if (!FWindow) FWindow = AllocateHWnd(TWndMethod(this, &TVisTimerPool::WndProc));
  FActive = false;
  ::KillTimer(FWindow, kTimerId);
  if (Activate && EnabledCount() > 0) {
    if (!::SetTimer(FWindow, kTimerId, FMinInterval, nullptr)) throw EOutOfResources("Not enough timers available");
    FTick = 1;
    FActive = true;
  }
}

void TVisTimerPool::WndProc(TMessage& Message) {
  if (Message.Msg != WM_TIMER) {
    Message.Result = ::DefWindowProcA(FWindow, Message.Msg, Message.WParam, Message.LParam);
    return;
  }
  // A handler that processes messages must not start a nested tick.
  if (FBusy) return;
  FBusy = true;
  ScopeExit done([this] { FBusy = false; });
  Tick();
}

void TVisTimerPool::Tick() {
  if (FRemoving) return;
  // A handler may add or remove items: walk a copy and skip the items that went meanwhile.
  std::vector<TVisTimerItem*> items;
  for (Integer i = 0; i < FItems.GetCount(); ++i) items.push_back(GetItems(i));
  for (TVisTimerItem* item : items) {
    if (FItems.IndexOf(item) < 0) continue;
    if (item->GetEnabled() && FTick % item->GetFactor() == 0) item->Fire();
  }
  FTick = FTick == INT_MAX ? 0 : FTick + 1;
}
