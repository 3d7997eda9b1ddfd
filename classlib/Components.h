// Persistent objects, components with owners and names, collections of items, and the registry
// of classes that the form stream creates by name.
#pragma once

#include <initializer_list>
#include <new>

#include "classlib/Lists.h"
#include "classlib/Sets.h"
#include "classlib/Streams.h"
#include "classlib/System.h"

class TFiler;
class TReader;
class TWriter;

// A component name that is not an identifier, or already taken among the owner's components.
class EComponentError : public Exception {
  CLASS_INFO(EComponentError, Exception)
public:
  using Exception::Exception;
};

// "Class %s not found": FindClass was asked for a class that nobody registered.
class EClassNotFound : public EFilerError {
  CLASS_INFO(EClassNotFound, EFilerError)
public:
  using EFilerError::EFilerError;
};

// An object that can copy itself from another (Assign) and take part in the form stream.
class TPersistent : public TObject {
  CLASS_INFO(TPersistent, TObject)
public:
  // Copies Source into this object. The default asks Source to copy itself into this object
  // (AssignTo), which raises EConvertError "Cannot assign a %s to a %s" unless a class knows how.
  virtual void Assign(TPersistent* Source);
  // The dotted path that names this object for the user, such as "Form1.Memo1.Lines".
  virtual AnsiString GetNamePath();
  // The form stream calls this to let an object read and write values that are not published
  // properties, through Filer->DefineProperty and DefineBinaryProperty.
  virtual void DefineProperties(TFiler* Filer);

protected:
  virtual void AssignTo(TPersistent* Dest);
  // The object that owns this one for GetNamePath; none by default.
  virtual TPersistent* GetOwner() const;
  // Raises EConvertError: Source (nil allowed) cannot be assigned to this object.
  [[noreturn]] void AssignError(TPersistent* Source);
};

enum TComponentStateItem {
  csLoading,
  csReading,
  csWriting,
  csDestroying,
  csDesigning,
  csAncestor,
  csUpdating,
  csFixups,
  csFreeNotification,
  csInline,
  csDesignInstance
};
using TComponentState = TSet<TComponentStateItem>;

enum TComponentStyleItem { csInheritable, csCheckPropAvail, csSubComponent, csTransient };
using TComponentStyle = TSet<TComponentStyleItem>;

enum TOperation { opInsert, opRemove };

using TGetChildProc = Closure<void(TComponent* Child)>;

// A component: owned by another component that frees it, named uniquely among its owner's
// components, and told (Notification) when components it cares about come and go.
//
// Freeing runs in two steps, as the class model expects: `delete` first calls the virtual
// BeforeDestruction while the whole object is still alive (it marks the component and its owned
// components csDestroying), then runs the destructors. A class that derives from TComponent and
// from another class lists TComponent first.
class TComponent : public TPersistent {
  CLASS_INFO(TComponent, TPersistent)
public:
  // Inserts the new component into AOwner's components (AOwner may be nil).
  explicit TComponent(TComponent* AOwner);
  // Tells the components that asked for it (FreeNotification), frees the owned components and
  // leaves the owner.
  ~TComponent() override;
  void operator delete(TComponent* Component, std::destroying_delete_t);
  // Gives the memory back when a constructor throws.
  void operator delete(void* Memory) { ::operator delete(Memory); }

  virtual void BeforeDestruction();
  // Frees every owned component, the last first.
  void DestroyComponents();
  // Marks this component and, recursively, its owned components as being destroyed.
  void Destroying();
  // The owned component with that name (compared without regard to letter case), or nil.
  TComponent* FindComponent(const AnsiString& AName) const;
  // Asks to be told (Notification with opRemove) when AComponent goes, and tells AComponent
  // the same about this one. Components with the same owner are told anyway.
  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);
  // Takes AComponent over as an owned component (it leaves no other owner: call RemoveComponent
  // on that first) and notifies opInsert.
  void InsertComponent(TComponent* AComponent);
  // Gives up ownership of AComponent and notifies opRemove.
  void RemoveComponent(TComponent* AComponent);
  // The component's name (its owner's name path is not included).
  AnsiString GetNamePath() override;
  // Writes DesignInfo as "Left" and "Top" where they are not zero.
  void DefineProperties(TFiler* Filer) override;
  void SetSubComponent(bool IsSubComponent);

  TComponent* GetOwner() const override { return FOwner; }
  Integer GetComponentCount() const { return FComponents.GetCount(); }
  TComponent* GetComponents(Integer Index) const { return static_cast<TComponent*>(FComponents[Index]); }
  // The position among the owner's components; -1 without owner. Setting clamps to the range.
  Integer GetComponentIndex() const;
  void SetComponentIndex(Integer Value);
  TComponentState GetComponentState() const { return FComponentState; }
  TComponentStyle GetComponentStyle() const { return FComponentStyle; }
  const AnsiString& GetName() const { return FName; }
  // Raises EComponentError when the name is not empty and not an identifier ("'%s' is not a
  // valid component name"), or another component of the owner has it ("A component named %s
  // already exists").
  virtual void SetName(const AnsiString& NewName);

  Integer Tag = 0;
  // Where a non-visual component sits on its form in a designer: left in the low word, top in
  // the high word.
  Integer DesignInfo = 0;

  // Hooks through which owners, parents and the form stream work with a component.

  // A component was inserted into or removed from an owner, or a component this one asked
  // about (FreeNotification) is going. The default passes it on to the owned components.
  virtual void Notification(TComponent* AComponent, TOperation Operation);
  // Called for each component of a tree after the whole tree was read; clears csLoading.
  virtual void Loaded();
  // Reads or writes this component's properties and children; the form stream calls these.
  virtual void ReadState(TReader* Reader);
  virtual void WriteState(TWriter* Writer);
  // Calls Proc for each child that the form stream writes nested inside this component.
  virtual void GetChildren(TGetChildProc Proc, TComponent* Root);
  // The owner and parent that components read as this component's children get.
  virtual TComponent* GetChildOwner();
  virtual TComponent* GetChildParent();
  virtual void SetChildOrder(TComponent* Child, Integer Order);
  virtual TComponent* GetParentComponent() const;
  virtual void SetParentComponent(TComponent* Value);
  virtual bool HasParent() const;
  virtual void ValidateRename(TComponent* AComponent, const AnsiString& CurName, const AnsiString& NewName);
  virtual void ValidateContainer(TComponent* AComponent);
  virtual void ValidateInsert(TComponent* AComponent);
  void SetDesigning(bool Value, bool SetChildren = true);
  void SetAncestor(bool Value);
  void Updating();
  void Updated();

protected:
  virtual void ChangeName(const AnsiString& NewName);

  TComponentStyle FComponentStyle{csInheritable};

private:
  friend class TReader;
  friend class TWriter;
  friend class TFiler;

  void Insert(TComponent* AComponent);
  void Remove(TComponent* AComponent);
  void ReadLeft(TReader* Reader);
  void WriteLeft(TWriter* Writer);
  void ReadTop(TReader* Reader);
  void WriteTop(TWriter* Writer);
  void RemoveNotification(TComponent* AComponent);

  TComponent* FOwner = nullptr;
  AnsiString FName;
  TList FComponents;
  TList FFreeNotifies;
  TComponentState FComponentState;
};

class TCollection;

// An item of a collection; it inserts itself into the collection given to its constructor and
// leaves it when freed.
class TCollectionItem : public TPersistent {
  CLASS_INFO(TCollectionItem, TPersistent)
public:
  explicit TCollectionItem(TCollection* Collection);
  ~TCollectionItem() override;

  // "Collection.PropName[Index]" inside a collection, the class name outside.
  AnsiString GetNamePath() override;

  TCollection* GetCollection() const { return FCollection; }
  // Moves the item to another collection (or none).
  virtual void SetCollection(TCollection* Value);
  // Numbers the items of a collection in the order they were added; never reused.
  Integer GetID() const { return FID; }
  // The position in the collection; -1 outside one.
  Integer GetIndex() const;
  virtual void SetIndex(Integer Value);
  virtual AnsiString GetDisplayName();
  virtual void SetDisplayName(const AnsiString& Value);

protected:
  // Tells the collection that this item (or, with AllItems, every item) changed.
  void Changed(bool AllItems);
  TPersistent* GetOwner() const override;

private:
  friend class TCollection;
  TCollection* FCollection = nullptr;
  Integer FID = 0;
};

enum TCollectionNotification { cnAdded, cnExtracting, cnDeleting };

// A list of items of one class (ItemClass) that owns them.
class TCollection : public TPersistent {
  CLASS_INFO(TCollection, TPersistent)
public:
  // ItemClass must be TCollectionItem or a descendant.
  explicit TCollection(TClass ItemClass);
  ~TCollection() override;

  // A new item of ItemClass at the end.
  TCollectionItem* Add();
  // A new item of ItemClass at Index.
  TCollectionItem* Insert(Integer Index);
  // Frees the item at Index.
  void Delete(Integer Index);
  // Frees every item.
  void Clear();
  // Replaces the items by copies of Source's items (Assign of each) when Source is a collection.
  void Assign(TPersistent* Source) override;
  // Item changes between BeginUpdate and the last EndUpdate are reported once, at the end.
  virtual void BeginUpdate();
  virtual void EndUpdate();
  TCollectionItem* FindItemID(Integer ID) const;
  // The owner's name path and the property name, joined by a full stop.
  AnsiString GetNamePath() override;

  TPersistent* GetOwner() const override;
  TPersistent* Owner() const { return GetOwner(); }
  Integer GetCount() const { return FItems.GetCount(); }
  TClass GetItemClass() const { return FItemClass; }
  TCollectionItem* GetItems(Integer Index) const { return static_cast<TCollectionItem*>(FItems[Index]); }
  // Assigns Value to the item at Index.
  void SetItems(Integer Index, TCollectionItem* Value);
  TCollectionItem* operator[](Integer Index) const { return GetItems(Index); }
  // The name of the owner's property that holds this collection, for GetNamePath: the one set,
  // or else the owner's published property whose value this collection is.
  AnsiString GetPropName();
  void SetPropName(const AnsiString& Value) { FPropName = Value; }

protected:
  // Item is nil when every item changed (or one was added or removed).
  virtual void Update(TCollectionItem* Item);
  virtual void Notify(TCollectionItem* Item, TCollectionNotification Action);
  // Reports a change of all items unless an update is in progress.
  void Changed();
  Integer GetUpdateCount() const { return FUpdateCount; }
  Integer GetNextID() const { return FNextID; }

private:
  friend class TCollectionItem;
  void InsertItem(TCollectionItem* Item);
  void RemoveItem(TCollectionItem* Item);

  TClass FItemClass;
  TList FItems;
  Integer FUpdateCount = 0;
  Integer FNextID = 0;
  AnsiString FPropName;
};

// A collection that knows the persistent object it belongs to.
class TOwnedCollection : public TCollection {
  CLASS_INFO(TOwnedCollection, TCollection)
public:
  TOwnedCollection(TPersistent* AOwner, TClass ItemClass) : TCollection(ItemClass), FOwner(AOwner) {}
  TPersistent* GetOwner() const override { return FOwner; }

private:
  TPersistent* FOwner;
};

// The registry of classes that the form stream creates by name. RegisterClass also registers the
// class's ancestors up to TPersistent; registering another class under a taken name raises
// EFilerError "A class named %s already exists".
void RegisterClass(TClass AClass);
void RegisterClasses(std::initializer_list<TClass> AClasses);
// The registered class of that name (compared without regard to letter case), or nil.
TClass GetClass(const AnsiString& AClassName);
// Like GetClass, but raises EClassNotFound "Class %s not found".
TClass FindClass(const AnsiString& ClassName);
