#include <gtest/gtest.h>

#include <vector>

#include "classlib/Components.h"
#include "classlib/SysUtils.h"

namespace {

// Records what it is told and what happens to it.
class TProbe : public TComponent {
  CLASS_INFO(TProbe, TComponent)
public:
  explicit TProbe(TComponent* AOwner) : TComponent(AOwner) {}
  ~TProbe() override {
    if (log) log->push_back("free " + GetName());
  }
  void Notification(TComponent* AComponent, TOperation Operation) override {
    inherited::Notification(AComponent, Operation);
    if (log && AComponent)
      log->push_back(GetName() + (Operation == opInsert ? " insert " : " remove ") + AComponent->GetName());
    if (Operation == opRemove && AComponent == Watched) Watched = nullptr;
  }
  void BeforeDestruction() override {
    inherited::BeforeDestruction();
    // Runs while the whole object is alive, and after the owned components were marked.
    if (log) log->push_back("before " + GetName() + (GetComponentState().Contains(csDestroying) ? " destroying" : ""));
  }

  std::vector<AnsiString>* log = nullptr;
  TComponent* Watched = nullptr;
};

TProbe* MakeProbe(TComponent* owner, const char* name, std::vector<AnsiString>* log) {
  auto* p = new TProbe(owner);
  p->SetName(name);
  p->log = log;
  return p;
}

TEST(Component, OwnerFreesItsComponentsLastFirst) {
  std::vector<AnsiString> log;
  TProbe* form = MakeProbe(nullptr, "Form", &log);
  MakeProbe(form, "A", &log);
  TProbe* b = MakeProbe(form, "B", &log);
  MakeProbe(b, "B1", &log);
  EXPECT_EQ(form->GetComponentCount(), 2);
  EXPECT_EQ(b->GetOwner(), form);
  EXPECT_EQ(b->GetComponentIndex(), 1);
  log.clear();
  delete form;
  EXPECT_EQ(log, (std::vector<AnsiString>{"before Form destroying", "free Form", "before B destroying", "free B",
                                          "before B1 destroying", "free B1", "before A destroying", "free A"}));
}

TEST(Component, FreedThroughABasePointerStillRunsBeforeDestructionOnce) {
  std::vector<AnsiString> log;
  {
    TObjectList list;  // frees its items as TObject
    list.Add(MakeProbe(nullptr, "P", &log));
  }
  TObject* object = MakeProbe(nullptr, "Q", &log);
  delete object;
  EXPECT_EQ(log, (std::vector<AnsiString>{"before P destroying", "free P", "before Q destroying", "free Q"}));
}

TEST(Component, FreeingOneTellsItsOwnerAndSiblings) {
  std::vector<AnsiString> log;
  TProbe* form = MakeProbe(nullptr, "Form", &log);
  TProbe* a = MakeProbe(form, "A", &log);
  TProbe* b = MakeProbe(form, "B", &log);
  log.clear();
  auto* c = new TProbe(form);  // named later, so the insert shows no name
  EXPECT_EQ(log, (std::vector<AnsiString>{"B insert ", "A insert ", "Form insert "}));
  c->SetName("C");
  c->log = &log;
  log.clear();
  delete a;
  EXPECT_EQ(log, (std::vector<AnsiString>{"before A destroying", "free A", "C remove A", "B remove A", "Form remove A"}));
  EXPECT_EQ(form->GetComponentCount(), 2);
  EXPECT_EQ(b->GetComponentIndex(), 0);
  form->log = nullptr;
  b->log = nullptr;
  c->log = nullptr;
  delete form;
}

TEST(Component, FreeNotificationClearsReferencesAcrossOwners) {
  TProbe* form1 = MakeProbe(nullptr, "Form1", nullptr);
  TProbe* form2 = MakeProbe(nullptr, "Form2", nullptr);
  TProbe* watcher = MakeProbe(form1, "Watcher", nullptr);
  TProbe* target = MakeProbe(form2, "Target", nullptr);
  watcher->Watched = target;
  target->FreeNotification(watcher);
  EXPECT_TRUE(target->GetComponentState().Contains(csFreeNotification));
  delete form2;  // frees target
  EXPECT_EQ(watcher->Watched, nullptr);

  // Asked for and then withdrawn: nothing is told.
  TProbe* other = MakeProbe(nullptr, "Other", nullptr);
  watcher->Watched = other;
  other->FreeNotification(watcher);
  other->RemoveFreeNotification(watcher);
  delete other;
  EXPECT_NE(watcher->Watched, nullptr);
  watcher->Watched = nullptr;

  // The watcher goes first: the target must not tell a freed component later.
  TProbe* target2 = MakeProbe(nullptr, "Target2", nullptr);
  target2->FreeNotification(watcher);
  delete form1;
  delete target2;
}

TEST(Component, InsertAndRemoveComponent) {
  TComponent* owner1 = new TComponent(nullptr);
  TComponent* owner2 = new TComponent(nullptr);
  TComponent* c = new TComponent(owner1);
  c->SetName("Thing");
  owner1->RemoveComponent(c);
  EXPECT_EQ(c->GetOwner(), nullptr);
  EXPECT_EQ(owner1->GetComponentCount(), 0);
  owner2->InsertComponent(c);
  EXPECT_EQ(owner2->FindComponent("thing"), c);
  EXPECT_EQ(owner2->FindComponent(""), nullptr);
  delete owner1;
  delete owner2;  // frees c
}

TEST(Component, NamesAreIdentifiersUniqueInTheOwner) {
  TComponent owner(nullptr);
  auto* a = new TComponent(&owner);
  auto* b = new TComponent(&owner);
  a->SetName("Button1");
  struct Case {
    AnsiString name;
    AnsiString message;
  };
  const Case cases[] = {
      {"1Button", "'1Button' is not a valid component name"},
      {"My Button", "'My Button' is not a valid component name"},
      {"Bouton\xe9", "'Bouton\xe9' is not a valid component name"},
      {"button1", "A component named button1 already exists"},
  };
  for (const Case& c : cases) {
    try {
      b->SetName(c.name);
      ADD_FAILURE() << c.name;
    } catch (const EComponentError& e) {
      EXPECT_EQ(e.Message, c.message);
    }
    EXPECT_EQ(b->GetName(), "");
  }
  b->SetName("_button_2");
  a->SetName("BUTTON1");  // its own name in another case
  EXPECT_EQ(owner.FindComponent("button1"), a);
  a->SetName("");
  EXPECT_EQ(owner.FindComponent("button1"), nullptr);
  EXPECT_EQ(b->GetNamePath(), "_button_2");
}

TEST(Component, ComponentIndexClamps) {
  TComponent owner(nullptr);
  TComponent* c[3];
  for (auto& p : c) p = new TComponent(&owner);
  c[0]->SetComponentIndex(10);
  EXPECT_EQ(owner.GetComponents(2), c[0]);
  c[0]->SetComponentIndex(-4);
  EXPECT_EQ(owner.GetComponents(0), c[0]);
  EXPECT_EQ(c[2]->GetComponentIndex(), 2);
  EXPECT_EQ(TComponent(nullptr).GetComponentIndex(), -1);
  try {
    owner.GetComponents(3);
    FAIL() << "no exception";
  } catch (const EListError& e) {
    EXPECT_EQ(e.Message, "List index out of bounds (3)");
  }
}

class TShape : public TPersistent {
  CLASS_INFO(TShape, TPersistent)
public:
  int Size = 0;
  void Assign(TPersistent* Source) override {
    if (auto* s = dynamic_cast<TShape*>(Source)) {
      Size = s->Size;
      return;
    }
    inherited::Assign(Source);
  }
};

class TColour : public TPersistent {
  CLASS_INFO(TColour, TPersistent)
public:
  int Value = 0;

protected:
  // A colour knows how to become a shape's size.
  void AssignTo(TPersistent* Dest) override {
    if (auto* s = dynamic_cast<TShape*>(Dest)) {
      s->Size = Value;
      return;
    }
    inherited::AssignTo(Dest);
  }
};

TEST(Persistent, AssignAsksTheSourceBeforeFailing) {
  TShape a, b;
  b.Size = 4;
  a.Assign(&b);
  EXPECT_EQ(a.Size, 4);
  TColour colour;
  colour.Value = 7;
  a.Assign(&colour);
  EXPECT_EQ(a.Size, 7);
  struct Case {
    TPersistent* dest;
    TPersistent* source;
    AnsiString message;
  };
  TCollection collection(TCollectionItem::StaticClass());
  const Case cases[] = {
      {&colour, &a, "Cannot assign a TShape to a TColour"},
      {&a, nullptr, "Cannot assign a nil to a TShape"},
      {&collection, &a, "Cannot assign a TShape to a TCollection"},
  };
  for (const Case& c : cases) {
    try {
      c.dest->Assign(c.source);
      ADD_FAILURE() << c.message;
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message, c.message);
    }
  }
}

// ---- Collections ----

class TLevel : public TCollectionItem {
  CLASS_INFO(TLevel, TCollectionItem)
public:
  explicit TLevel(TCollection* Collection) : TCollectionItem(Collection) {}
  void Assign(TPersistent* Source) override {
    if (auto* l = dynamic_cast<TLevel*>(Source)) {
      Indent = l->Indent;
      Changed(false);
      return;
    }
    inherited::Assign(Source);
  }
  void SetIndent(int v) {
    Indent = v;
    Changed(false);
  }
  int Indent = 0;
};

class TLevels : public TOwnedCollection {
  CLASS_INFO(TLevels, TOwnedCollection)
public:
  explicit TLevels(TPersistent* AOwner) : TOwnedCollection(AOwner, TLevel::StaticClass()) {}
  TLevel* Items(Integer i) const { return static_cast<TLevel*>(GetItems(i)); }
  std::vector<AnsiString> log;

protected:
  void Update(TCollectionItem* Item) override {
    log.push_back(Item ? "update " + std::to_string(Item->GetIndex()) : AnsiString("update all"));
  }
  void Notify(TCollectionItem* Item, TCollectionNotification Action) override {
    static const char* names[] = {"added", "extracting", "deleting"};
    log.push_back(AnsiString(names[Action]) + " " + std::to_string(Item->GetID()));
  }
};

TEST(Collection, AddsInsertsMovesAndDeletesItems) {
  TComponent owner(nullptr);
  owner.SetName("List1");
  TLevels levels(&owner);
  levels.SetPropName("Levels");
  EXPECT_EQ(levels.Owner(), &owner);
  EXPECT_EQ(levels.GetItemClass(), TLevel::StaticClass());
  auto* first = static_cast<TLevel*>(levels.Add());
  EXPECT_EQ(levels.log, (std::vector<AnsiString>{"added 0", "update all"}));
  levels.Add();
  TCollectionItem* inserted = levels.Insert(0);
  EXPECT_EQ(levels.GetCount(), 3);
  EXPECT_EQ(levels[0], inserted);
  EXPECT_EQ(inserted->GetID(), 2);
  EXPECT_EQ(first->GetIndex(), 1);
  EXPECT_EQ(levels.FindItemID(1), levels[2]);
  EXPECT_EQ(levels.FindItemID(7), nullptr);
  EXPECT_EQ(first->GetNamePath(), "List1.Levels[1]");
  EXPECT_EQ(first->GetDisplayName(), "TLevel");
  EXPECT_EQ(levels.GetNamePath(), "List1.Levels");

  levels.log.clear();
  first->SetIndent(3);
  first->SetIndex(2);
  EXPECT_EQ(levels.log, (std::vector<AnsiString>{"update 1", "update all"}));
  EXPECT_EQ(levels[2], first);

  levels.log.clear();
  levels.Delete(0);
  EXPECT_EQ(levels.log, (std::vector<AnsiString>{"deleting 2", "extracting 2", "update all"}));
  levels.log.clear();
  delete first;  // an item freed directly leaves its collection
  EXPECT_EQ(levels.GetCount(), 1);
  EXPECT_EQ(levels.log, (std::vector<AnsiString>{"extracting 0", "update all"}));

  levels.log.clear();
  levels.BeginUpdate();
  levels.Add();
  levels.Items(0)->SetIndent(1);
  levels.EndUpdate();
  EXPECT_EQ(levels.log, (std::vector<AnsiString>{"added 3", "update all"}));
  levels.Clear();
  EXPECT_EQ(levels.GetCount(), 0);
  EXPECT_THROW(levels.GetItems(0), EListError);
}

TEST(Collection, AssignCopiesItemByItem) {
  TLevels a(nullptr), b(nullptr);
  for (int indent : {5, 6}) static_cast<TLevel*>(a.Add())->SetIndent(indent);
  b.Add();
  b.log.clear();
  b.Assign(&a);
  ASSERT_EQ(b.GetCount(), 2);
  EXPECT_EQ(b.Items(1)->Indent, 6);
  EXPECT_EQ(b.log.back(), "update all");
  EXPECT_EQ(std::count(b.log.begin(), b.log.end(), "update all"), 1);
  b.SetItems(0, a.Items(1));
  EXPECT_EQ(b.Items(0)->Indent, 6);
  TShape other;
  EXPECT_THROW(b.Assign(&other), EConvertError);
  // Without owner the name path is the class name.
  EXPECT_EQ(a.GetNamePath(), "TLevels");
  EXPECT_EQ(a.Items(0)->GetNamePath(), "TLevels[0]");
}

TEST(Collection, RefusesItemsOfAnotherClass) {
  TCollection levels(TLevel::StaticClass());
  TCollection plain(TCollectionItem::StaticClass());
  TCollectionItem* item = plain.Add();
  EXPECT_EQ(item->GetCollection(), &plain);
  try {
    item->SetCollection(&levels);
    FAIL() << "no exception";
  } catch (const EListError& e) {
    EXPECT_EQ(e.Message, "Invalid property value");
  }
  EXPECT_EQ(item->GetCollection(), &plain);
  EXPECT_EQ(levels.GetCount(), 0);
  item->SetCollection(nullptr);
  EXPECT_EQ(plain.GetCount(), 0);
  EXPECT_EQ(item->GetIndex(), -1);
  delete item;
}

// ---- Class registry ----

class TRegisteredBase : public TComponent {
  CLASS_INFO(TRegisteredBase, TComponent)
public:
  using TComponent::TComponent;
};

class TRegisteredThing : public TRegisteredBase {
  CLASS_INFO(TRegisteredThing, TRegisteredBase)
public:
  using TRegisteredBase::TRegisteredBase;
};

namespace other {
// Another class under a name already taken.
class TRegisteredThing : public TComponent {
  CLASS_INFO(TRegisteredThing, TComponent)
public:
  using TComponent::TComponent;
};
}  // namespace other

TEST(ClassRegistry, FindsRegisteredClassesByName) {
  EXPECT_EQ(GetClass("TRegisteredThing"), nullptr);
  RegisterClasses({TRegisteredThing::StaticClass(), TCollection::StaticClass()});
  RegisterClass(TRegisteredThing::StaticClass());  // again: no harm
  EXPECT_EQ(GetClass("tregisteredthing"), TRegisteredThing::StaticClass());
  EXPECT_EQ(FindClass("TRegisteredBase"), TRegisteredBase::StaticClass());  // ancestors come along
  EXPECT_EQ(FindClass("TPersistent"), TPersistent::StaticClass());
  EXPECT_EQ(GetClass("TObject"), nullptr);
  try {
    FindClass("TNowhere");
    FAIL() << "no exception";
  } catch (const EClassNotFound& e) {
    EXPECT_EQ(e.Message, "Class TNowhere not found");
  }
  try {
    RegisterClass(other::TRegisteredThing::StaticClass());
    FAIL() << "no exception";
  } catch (const EFilerError& e) {
    EXPECT_EQ(e.Message, "A class named TRegisteredThing already exists");
  }

  // The virtual constructor makes a component of the registered class with its owner.
  TComponent owner(nullptr);
  TObject* made = FindClass("TRegisteredThing")->Create(&owner);
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(made->ClassName(), "TRegisteredThing");
  EXPECT_EQ(owner.GetComponentCount(), 1);
  EXPECT_EQ(owner.GetComponents(0), made);
}

TEST(Sets, IncludeExcludeAndOperators) {
  TComponentState s{csLoading, csReading};
  EXPECT_TRUE(s.Contains(csReading));
  s >> csReading << csDesigning;
  EXPECT_EQ(s, (TComponentState{csLoading, csDesigning}));
  EXPECT_EQ((s * TComponentState{csDesigning, csInline}), TComponentState{csDesigning});
  EXPECT_EQ(s + TComponentState{csInline}, (TComponentState{csLoading, csDesigning, csInline}));
  EXPECT_EQ(s - TComponentState{csLoading}, TComponentState{csDesigning});
  EXPECT_TRUE(TComponentState{csLoading} <= s);
  EXPECT_FALSE(s <= TComponentState{csLoading});
  EXPECT_EQ(s.Bits(), (1u << csLoading) | (1u << csDesigning));
  EXPECT_TRUE(TComponentState().Empty());
}

}  // namespace
