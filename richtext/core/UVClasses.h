// Base containers of the rich-text library: a list that owns its objects, lists of integers and of
// colours, and the library's one exception class.
#pragma once

#include "classlib/Graphics.h"
#include "classlib/Lists.h"
#include "classlib/System.h"

// The exception of the rich-text library; it carries one of the library's fixed messages.
class EUzurUvadError : public Exception {
  CLASS_INFO(EUzurUvadError, Exception)
public:
  using Exception::Exception;
};

// A list of objects that it owns: deleting an entry or clearing the list frees the objects.
class TUVList : public TList {
  CLASS_INFO(TUVList, TList)
public:
  TUVList() = default;
  ~TUVList() override;

  // Frees every object, then empties the list.
  void Clear() override;
  // Frees the object at Index and removes its entry.
  void Delete(Integer Index);
  // Removes the entry at Index without freeing its object.
  void DeleteWithoutFree(Integer Index) { TList::Delete(Index); }
  Integer Add(TObject* Item) { return TList::Add(Item); }
  void Insert(Integer Index, TObject* Item) { TList::Insert(Index, Item); }
  TObject* Get(Integer Index) const { return static_cast<TObject*>(TList::GetItems(Index)); }
  TObject* operator[](Integer Index) const { return Get(Index); }
};

// 32-bit signed integers kept in the slots of a pointer list; it owns nothing.
class TUVIntegerList : public TList {
  CLASS_INFO(TUVIntegerList, TList)
public:
  TUVIntegerList() = default;
  // Count entries, each Value.
  static TUVIntegerList* CreateFilled(Integer Count, Integer Value);
  static TUVIntegerList* CreateCopy(TUVIntegerList* Source);

  Integer Add(Integer Value) { return TList::Add(ToPointer(Value)); }
  void Insert(Integer Index, Integer Value) { TList::Insert(Index, ToPointer(Value)); }
  Integer Get(Integer Index) const { return FromPointer(TList::GetItems(Index)); }
  void Put(Integer Index, Integer Value) { TList::SetItems(Index, ToPointer(Value)); }
  Integer operator[](Integer Index) const { return Get(Index); }
  Integer IndexOf(Integer Value) const { return TList::IndexOf(ToPointer(Value)); }
  // Empties the list and appends every value of Source in order.
  void Assign(TUVIntegerList* Source);
  // The index of Value, appending it first when it is absent.
  Integer AddUnique(Integer Value);
  // Ascending order.
  void Sort();

private:
  static void* ToPointer(Integer Value) { return reinterpret_cast<void*>(static_cast<std::intptr_t>(Value)); }
  static Integer FromPointer(void* P) { return static_cast<Integer>(reinterpret_cast<std::intptr_t>(P)); }
};

// Colours; clNone is never added by AddUnique.
class TUVColorList : public TUVIntegerList {
  CLASS_INFO(TUVColorList, TUVIntegerList)
public:
  void AddUnique(TColor Color);
};
