// Lists of pointers and objects, and bit arrays.
#pragma once

#include <vector>

#include "classlib/System.h"

// A list index, count or capacity out of range.
class EListError : public Exception {
  CLASS_INFO(EListError, Exception)
public:
  using Exception::Exception;
};

// "Bits index out of range".
class EBitsError : public Exception {
  CLASS_INFO(EBitsError, Exception)
public:
  using Exception::Exception;
};

enum TListNotification { lnAdded, lnExtracted, lnDeleted };

// Orders two items: negative when Item1 comes first, 0 when equal, positive when Item2 comes first.
using TListSortCompare = Integer (*)(void* Item1, void* Item2);

// A list of untyped pointers. Nil entries are allowed; Pack removes them.
//
// Subclasses that act on Notify (to free their items, say) must call Clear in their own
// destructor: by the time ~TList runs, their override is gone.
class TList : public TObject {
  CLASS_INFO(TList, TObject)
public:
  TList() = default;
  ~TList() override;

  Integer Add(void* Item);
  virtual void Clear();
  void Delete(Integer Index);
  void Exchange(Integer Index1, Integer Index2);
  // Makes room for one more item when the list is full; returns the list.
  TList* Expand();
  // Removes the first occurrence of Item without deleting it (Notify sees lnExtracted); returns
  // Item, or nullptr when absent.
  void* Extract(void* Item);
  void* First() const { return Get(0); }
  void* Last() const { return Get(FCount - 1); }
  Integer IndexOf(const void* Item) const;
  void Insert(Integer Index, void* Item);
  // Moves the item at CurIndex so that it ends up at NewIndex.
  void Move(Integer CurIndex, Integer NewIndex);
  // Deletes the first occurrence of Item; returns its former index or -1.
  Integer Remove(void* Item);
  // Deletes the nil entries.
  void Pack();
  // Quicksort; the order of items that compare equal is not kept.
  void Sort(TListSortCompare Compare);

  Integer GetCount() const { return FCount; }
  // A larger count adds nil entries; a smaller one deletes the entries beyond it.
  void SetCount(Integer NewCount);
  Integer GetCapacity() const { return static_cast<Integer>(FList.size()); }
  void SetCapacity(Integer NewCapacity);
  void* GetItems(Integer Index) const { return Get(Index); }
  void SetItems(Integer Index, void* Item) { Put(Index, Item); }
  void* operator[](Integer Index) const { return Get(Index); }
  // The items themselves, for fast scans; valid until the list changes.
  void** GetList() { return FList.data(); }

  // Raises EListError with Msg, in which "%d" stands for Data.
  [[noreturn]] static void Error(const AnsiString& Msg, Integer Data);

protected:
  void* Get(Integer Index) const;
  void Put(Integer Index, void* Item);
  virtual void Grow();
  // Told of each non-nil item added, extracted or deleted.
  virtual void Notify(void* Ptr, TListNotification Action);

private:
  std::vector<void*> FList;  // its size is the capacity
  Integer FCount = 0;
};

// A list of objects that, while OwnsObjects is set, frees the objects it deletes (by Delete,
// Remove, Clear, a smaller count, replacing an entry, or its own destruction).
class TObjectList : public TList {
  CLASS_INFO(TObjectList, TList)
public:
  TObjectList() = default;
  explicit TObjectList(bool AOwnsObjects) : OwnsObjects(AOwnsObjects) {}
  ~TObjectList() override;

  Integer Add(TObject* AObject) { return TList::Add(AObject); }
  TObject* Extract(TObject* Item) { return static_cast<TObject*>(TList::Extract(Item)); }
  Integer Remove(TObject* AObject) { return TList::Remove(AObject); }
  Integer IndexOf(const TObject* AObject) const { return TList::IndexOf(AObject); }
  void Insert(Integer Index, TObject* AObject) { TList::Insert(Index, AObject); }
  TObject* First() const { return static_cast<TObject*>(TList::First()); }
  TObject* Last() const { return static_cast<TObject*>(TList::Last()); }
  // The index of the first object from AStartAt on that is of class AClass (exactly, or also of
  // a descendant when AExact is false); -1 when none.
  Integer FindInstanceOf(TClass AClass, bool AExact = true, Integer AStartAt = 0) const;

  TObject* GetItems(Integer Index) const { return static_cast<TObject*>(Get(Index)); }
  void SetItems(Integer Index, TObject* AObject) { Put(Index, AObject); }
  TObject* operator[](Integer Index) const { return GetItems(Index); }

  bool OwnsObjects = true;

protected:
  void Notify(void* Ptr, TListNotification Action) override;
};

// An array of bits that grows when a bit beyond its end is set.
class TBits : public TObject {
  CLASS_INFO(TBits, TObject)
public:
  // Raises EBitsError for an index outside 0..Size-1.
  bool GetBits(Integer Index) const;
  // Raises EBitsError for a negative index; an index beyond the end grows the array.
  void SetBits(Integer Index, bool Value);
  bool operator[](Integer Index) const { return GetBits(Index); }
  // The index of the first clear bit; Size when every bit is set.
  Integer OpenBit() const;

  Integer GetSize() const { return static_cast<Integer>(FBits.size()); }
  // New bits are clear.
  void SetSize(Integer Value);

private:
  std::vector<bool> FBits;
};
