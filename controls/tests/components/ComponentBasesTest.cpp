#include <gtest/gtest.h>

#include "classlib/Filer.h"
#include "classlib/Streams.h"
#include "controls/viscont.h"

namespace {

// A component whose changes the test can raise.
class TTestComponent : public TVisCustomComponent {
  CLASS_INFO(TTestComponent, TVisCustomComponent)
public:
  using TVisCustomComponent::TVisCustomComponent;
  void RaiseChange() { Change(); }
};

class TTestImageList : public TVisCustomImageList {
  CLASS_INFO(TTestImageList, TVisCustomImageList)
public:
  using TVisCustomImageList::TVisCustomImageList;
  void RaiseChange() { Change(); }
};

// Counts the calls of GetChange.
class TTestPictureComponent : public TVisContainerComponent {
  CLASS_INFO(TTestPictureComponent, TVisContainerComponent)
public:
  using TVisContainerComponent::TVisContainerComponent;
  void GetChange(TObject*) override { ++Changes; }
  int Changes = 0;
};

// Frees a component out of line: GCC 12 takes the component's destroying delete, seen through an
// inlined destructor, for a mismatch with the plain new.
[[gnu::noinline]] void Free(TComponent* Component) { delete Component; }

struct ChangeCounter {
  int count = 0;
  void Changed(TObject*) { ++count; }
};

TEST(VisCustomComponent, UpdatesHoldChangesBack) {
  TTestComponent component(nullptr);
  ChangeCounter counter;
  component.OnChange = TNotifyEvent(&counter, &ChangeCounter::Changed);
  component.RaiseChange();
  EXPECT_EQ(counter.count, 1);

  component.BeginUpdate();
  component.RaiseChange();
  component.RaiseChange();
  EXPECT_EQ(counter.count, 1);
  component.EndUpdate(true);
  EXPECT_EQ(counter.count, 2);

  component.BeginUpdate();
  component.RaiseChange();
  component.EndUpdate(false);
  EXPECT_EQ(counter.count, 2);
}

TEST(VisChangeLinks, ContainersTellTheirLinks) {
  TTestImageList list(nullptr);
  TTestImageList other(nullptr);
  ChangeCounter counter;
  auto* link = new TVisChangeLink;
  TObject sender;
  TObject* seen = nullptr;
  link->Sender = &sender;
  link->OnChange = TNotifyEvent::FromFunction([&](TObject* s) {
    seen = s;
    ++counter.count;
  });
  list.RegisterChanges(link);
  EXPECT_EQ(link->GetContainer(), &list);
  list.RaiseChange();
  EXPECT_EQ(counter.count, 1);
  EXPECT_EQ(seen, &sender);

  // Registering elsewhere moves the link.
  other.RegisterChanges(link);
  EXPECT_EQ(list.GetLinkCount(), 0);
  list.RaiseChange();
  EXPECT_EQ(counter.count, 1);
  other.RaiseChange();
  EXPECT_EQ(counter.count, 2);

  // Held back during an update.
  other.BeginUpdate();
  other.RaiseChange();
  EXPECT_EQ(counter.count, 2);
  other.EndUpdate(true);
  EXPECT_EQ(counter.count, 3);

  // A freed link leaves its container.
  delete link;
  EXPECT_EQ(other.GetLinkCount(), 0);
  other.RaiseChange();
  EXPECT_EQ(counter.count, 3);
}

TEST(VisContainerComponent, FollowsItsImageList) {
  auto* list = new TTestImageList(nullptr);
  TTestPictureComponent picture(nullptr);

  // Indexes without a list: stored, no change.
  picture.SetImageIndex(2);
  EXPECT_EQ(picture.GetImageIndex(), 2);
  EXPECT_EQ(picture.Changes, 0);

  picture.SetImageList(list);
  EXPECT_EQ(picture.Changes, 1);
  EXPECT_EQ(list->GetLinkCount(), 1);

  picture.SetListIndex(3);
  EXPECT_EQ(picture.GetListIndex(), 3);
  EXPECT_EQ(picture.Changes, 2);
  picture.SetListIndex(3);   // unchanged
  picture.SetImageIndex(-1); // negative: the old index stays
  EXPECT_EQ(picture.GetImageIndex(), 2);
  EXPECT_EQ(picture.Changes, 2);

  list->RaiseChange();
  EXPECT_EQ(picture.Changes, 3);

  // Freeing the list clears the reference.
  Free(list);
  EXPECT_EQ(picture.GetImageList(), nullptr);
  EXPECT_EQ(picture.Changes, 4);
}

TEST(VisContainerComponent, LeavesItsListWhenFreed) {
  TTestImageList list(nullptr);
  auto* picture = new TTestPictureComponent(nullptr);
  picture->SetImageList(&list);
  EXPECT_EQ(list.GetLinkCount(), 1);
  Free(picture);
  EXPECT_EQ(list.GetLinkCount(), 0);
  list.RaiseChange();
}

bool StreamHolds(TMemoryStream& stream, const std::string& text) {
  const std::string bytes(static_cast<const char*>(stream.GetMemory()), static_cast<std::size_t>(stream.GetSize()));
  return bytes.find(text) != std::string::npos;
}

TEST(VisContainerComponent, StoresGlobalListsByName) {
  TComponent globalOwner(nullptr);
  TComponent* const realOwner = VisGlobalListOwner;
  VisGlobalListOwner = &globalOwner;
  auto* global = new TTestImageList(&globalOwner);
  global->SetName("VisIML30");
  TComponent otherOwner(nullptr);
  auto* local = new TTestImageList(&otherOwner);
  local->SetName("Pictures");

  {
    TTestPictureComponent picture(nullptr);
    picture.SetImageList(global);
    EXPECT_FALSE(picture.IsImageListStored());
    TMemoryStream stream;
    WriteComponentToStream(&stream, &picture);
    EXPECT_TRUE(StreamHolds(stream, "Internal"));
    EXPECT_TRUE(StreamHolds(stream, "VisIML30"));

    TTestPictureComponent copy(nullptr);
    stream.SetPosition(0);
    ReadComponentFromStream(&stream, &copy);
    EXPECT_EQ(copy.GetImageList(), global);
  }
  {
    TTestPictureComponent picture(nullptr);
    picture.SetImageList(local);
    EXPECT_TRUE(picture.IsImageListStored());
    TMemoryStream stream;
    WriteComponentToStream(&stream, &picture);
    EXPECT_FALSE(StreamHolds(stream, "Internal"));
  }
  VisGlobalListOwner = realOwner;
}

}  // namespace
