#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "classlib/Handles.h"
#include "spell/lx3CustomDictionary.h"
#include "spell/lx3DictionaryFormat.h"
#include "tests/support/TestSupport.h"

namespace {

using testing_support::ReadFileBytes;
using testing_support::WriteFileBytes;

void PutU32(std::string& out, std::int32_t v) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>(static_cast<std::uint32_t>(v) >> (8 * i));
}

// The expected file: counts, the live slots by index, and the pool.
std::string FileBytes(int ignore, int exclude, int autoCorrect, int total, int size,
                      const std::map<int, std::int32_t>& slots, const std::string& pool) {
  std::string out(lx3_format::UserDictionaryBanner);
  out += '\0';
  out += '\x1A';
  for (int v : {ignore, exclude, autoCorrect, total, size}) PutU32(out, v);
  for (int i = 0; i < size; ++i) {
    auto it = slots.find(i);
    PutU32(out, it == slots.end() ? 0 : it->second);
  }
  PutU32(out, static_cast<std::int32_t>(pool.size()));
  return out + pool;
}

// Gives a file an old last-write time, so that the next write is surely seen as a change.
void MakeOld(const std::string& path) {
  UniqueFileHandle h(CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(h);
  FILETIME old{0x10000000, 0x01D00000};
  SetFileTime(h.get(), nullptr, nullptr, &old);
}

class CustomDictionaryTest : public ::testing::Test {
protected:
  std::unique_ptr<TCustomDictionary> Open(const std::string& name) {
    auto d = std::make_unique<TCustomDictionary>();
    d->SetFileName(temp_.File(name));
    d->SetActive(true);
    return d;
  }

  testing_support::TempFolder temp_;
};

// Home slots in a table of 251: hello 178, teh 243, recieve 203, alpha 184, beta 156; wby, wqk
// and wux all 0 (probe step 1).
const std::string kThreeEntries = std::string("Ihello\0Eteh\0Arecieve\0receive\0", 29);

TEST_F(CustomDictionaryTest, FileBytesAfterAddsAndRemoves) {
  const std::string path = temp_.File("user.lxu");
  auto d = Open("user.lxu");
  ASSERT_TRUE(d->GetActive());
  EXPECT_TRUE(d->GetModified());  // a new file is written at deactivation
  EXPECT_TRUE(d->AddIgnore("hello"));
  EXPECT_TRUE(d->AddExclude("teh"));
  EXPECT_TRUE(d->AddAutoCorrect("recieve", "receive"));
  d->SetActive(false);
  EXPECT_EQ(ReadFileBytes(path), FileBytes(1, 1, 1, 3, 251, {{178, 1}, {243, 8}, {203, 13}}, kThreeEntries));

  d->SetActive(true);
  EXPECT_TRUE(d->IsIgnored("hello"));
  EXPECT_TRUE(d->IsExcluded("teh"));
  AnsiString replacement;
  EXPECT_TRUE(d->GetAutoCorrection("recieve", replacement));
  EXPECT_EQ(replacement, "receive");
  EXPECT_FALSE(d->IsIgnored("teh"));  // found, but under another kind
  EXPECT_FALSE(d->IsIgnored("Hello"));
  EXPECT_TRUE(d->RemoveExclude("teh"));
  EXPECT_FALSE(d->RemoveExclude("teh"));
  EXPECT_FALSE(d->IsExcluded("teh"));
  d->SetActive(false);
  // The removed entry's bytes stay in the pool; only its slot is marked deleted.
  EXPECT_EQ(ReadFileBytes(path), FileBytes(1, 0, 1, 2, 251, {{178, 1}, {243, -1}, {203, 13}}, kThreeEntries));
}

TEST_F(CustomDictionaryTest, OneEntryPerWordAndLengthLimits) {
  auto d = Open("user.lxu");
  EXPECT_TRUE(d->AddExclude("word"));
  EXPECT_FALSE(d->AddIgnore("word"));
  EXPECT_FALSE(d->AddAutoCorrect("word", "other"));
  EXPECT_FALSE(d->AddIgnore(""));
  EXPECT_FALSE(d->AddIgnore(std::string("a\0b", 3)));
  EXPECT_TRUE(d->AddAutoCorrect(std::string(250, 'a'), std::string(250, 'b')));
  EXPECT_FALSE(d->AddAutoCorrect(std::string(251, 'c'), std::string(250, 'b')));
  EXPECT_TRUE(d->AddIgnore(std::string(500, 'd')));
  EXPECT_FALSE(d->AddIgnore(std::string(501, 'e')));
  EXPECT_EQ(d->IgnoreCount(), 1);
  EXPECT_EQ(d->ExcludeCount(), 1);
  EXPECT_EQ(d->AutoCorrectCount(), 1);
  AnsiString word, replacement;
  d->GetAutoCorrect(0, word, replacement);
  EXPECT_EQ(word, std::string(250, 'a'));
  EXPECT_EQ(replacement, std::string(250, 'b'));
  d->GetExcludeWord(1, word);
  EXPECT_EQ(word, "");
}

TEST_F(CustomDictionaryTest, TableGrowsToStayAQuarterFull) {
  auto d = Open("user.lxu");
  EXPECT_EQ(d->GetTableSize(), 0);
  for (int i = 0; i < 62; ++i) ASSERT_TRUE(d->AddIgnore("word" + std::to_string(i)));
  EXPECT_EQ(d->GetTableSize(), 251);
  ASSERT_TRUE(d->AddIgnore("word62"));  // 63 * 4 >= 251
  EXPECT_EQ(d->GetTableSize(), 509);
  for (int i = 0; i < 63; ++i) EXPECT_TRUE(d->IsIgnored("word" + std::to_string(i)));
  EXPECT_EQ(d->IgnoreCount(), 63);
}

TEST_F(CustomDictionaryTest, DeletedSlotsKeepProbesGoing) {
  const std::string path = temp_.File("user.lxu");
  auto d = Open("user.lxu");
  ASSERT_TRUE(d->AddIgnore("wby"));  // slot 0
  ASSERT_TRUE(d->AddIgnore("wqk"));  // slot 0 is taken: slot 1
  ASSERT_TRUE(d->RemoveIgnore("wby"));
  EXPECT_TRUE(d->IsIgnored("wqk"));  // the probe passes the deleted slot 0
  ASSERT_TRUE(d->RemoveIgnore("wqk"));
  ASSERT_TRUE(d->AddIgnore("wby"));  // its home slot is deleted: taken back
  ASSERT_TRUE(d->AddIgnore("wux"));  // passes the deleted slot 1 and takes the empty slot 2
  EXPECT_TRUE(d->IsIgnored("wux"));
  d->SetActive(false);
  const std::string pool = std::string("Iwby\0Iwqk\0Iwby\0Iwux\0", 20);
  EXPECT_EQ(ReadFileBytes(path), FileBytes(2, 0, 0, 2, 251, {{0, 11}, {1, -1}, {2, 16}}, pool));
}

TEST_F(CustomDictionaryTest, InsertingIntoATableWithoutEmptySlotsNeverLoops) {
  auto d = Open("user.lxu");
  // Words come and go until no slot of the table is empty any more.
  for (int i = 0; i < 3000; ++i) {
    const std::string w = "gone" + std::to_string(i);
    ASSERT_TRUE(d->AddIgnore(w));
    ASSERT_TRUE(d->RemoveIgnore(w));
  }
  for (int i = 0; i < 40; ++i) ASSERT_TRUE(d->AddIgnore("kept" + std::to_string(i)));
  for (int i = 0; i < 40; ++i) EXPECT_TRUE(d->IsIgnored("kept" + std::to_string(i)));
  EXPECT_FALSE(d->IsIgnored("gone5"));
  EXPECT_EQ(d->GetTableSize(), 251);
  EXPECT_EQ(d->IgnoreCount(), 40);
}

TEST_F(CustomDictionaryTest, SaveMergesAnotherWritersChanges) {
  const std::string path = temp_.File("shared.lxu");
  {
    auto first = Open("shared.lxu");
    first->AddIgnore("hello");
  }
  MakeOld(path);
  auto a = Open("shared.lxu");
  auto b = Open("shared.lxu");
  ASSERT_TRUE(a->GetActive() && b->GetActive());
  EXPECT_TRUE(a->AddIgnore("alpha"));
  EXPECT_TRUE(b->AddIgnore("beta"));
  a->SetActive(false);  // writes the file
  b->SetActive(false);  // finds it changed and adds "beta" to what is there now
  const std::string pool = std::string("Ihello\0Ialpha\0Ibeta\0", 20);
  EXPECT_EQ(ReadFileBytes(path), FileBytes(3, 0, 0, 3, 251, {{178, 1}, {184, 8}, {156, 15}}, pool));

  // Removals are replayed too, and the writer's own memory is not reloaded.
  MakeOld(path);
  a->SetActive(true);
  b->SetActive(true);
  EXPECT_TRUE(a->RemoveIgnore("hello"));
  EXPECT_TRUE(b->AddExclude("teh"));
  EXPECT_TRUE(a->Save());
  EXPECT_TRUE(b->Save());
  EXPECT_TRUE(b->IsIgnored("hello"));
  b->SetActive(false);
  auto c = Open("shared.lxu");
  EXPECT_FALSE(c->IsIgnored("hello"));
  EXPECT_TRUE(c->IsIgnored("alpha"));
  EXPECT_TRUE(c->IsIgnored("beta"));
  EXPECT_TRUE(c->IsExcluded("teh"));
}

TEST_F(CustomDictionaryTest, WordRemovedAndAddedAgainSurvivesAMerge) {
  const std::string path = temp_.File("shared.lxu");
  Open("shared.lxu")->AddIgnore("hello");
  MakeOld(path);
  auto a = Open("shared.lxu");
  auto b = Open("shared.lxu");
  a->RemoveIgnore("hello");
  a->AddExclude("hello");  // the same word changes its kind
  b->AddIgnore("other");
  b->SetActive(false);
  a->SetActive(false);
  auto c = Open("shared.lxu");
  EXPECT_TRUE(c->IsExcluded("hello"));
  EXPECT_TRUE(c->IsIgnored("other"));
}

TEST_F(CustomDictionaryTest, FailedSaveKeepsTheChanges) {
  const std::string path = temp_.File("user.lxu");
  auto d = Open("user.lxu");
  d->AddIgnore("kept");
  d->SetActive(false);
  d->SetActive(true);
  d->AddIgnore("more");
  // A folder where the file was: nothing can be written.
  ASSERT_TRUE(DeleteFileA(path.c_str()));
  ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
  EXPECT_FALSE(d->Save());
  EXPECT_TRUE(d->GetModified());
  d->SetActive(false);
  EXPECT_TRUE(d->GetActive());
  EXPECT_TRUE(d->IsIgnored("more"));
  ASSERT_TRUE(RemoveDirectoryA(path.c_str()));
  d->SetActive(false);
  EXPECT_FALSE(d->GetActive());
  auto again = Open("user.lxu");
  EXPECT_TRUE(again->IsIgnored("kept"));
  EXPECT_TRUE(again->IsIgnored("more"));
}

TEST_F(CustomDictionaryTest, RefusesDamagedFiles) {
  std::string good;
  {
    auto d = Open("good.lxu");
    d->AddIgnore("hello");
    d->AddAutoCorrect("recieve", "receive");
  }
  good = ReadFileBytes(temp_.File("good.lxu"));
  const std::size_t slots = 141, poolAt = slots + 4 * 251 + 4;
  auto patched = [&](std::size_t at, std::string bytes) {
    std::string s = good;
    s.replace(at, bytes.size(), bytes);
    return s;
  };
  struct {
    const char* name;
    std::string bytes;
    bool named;  // the banner is right, so the name is taken, but the body is refused
  } const files[] = {
      {"banner.lxu", patched(0, "X"), false},
      {"zero.lxu", patched(119, "Z"), false},
      {"empty.lxu", "", false},
      {"size.lxu", patched(137, std::string("\xFB\x00\x00\x01", 4)), true},               // not a table size
      {"slot.lxu", patched(slots + 4 * 178, std::string("\x00\x10\x00\x00", 4)), true},  // beyond the pool
      {"kind.lxu", patched(poolAt, "X"), true},
      {"short.lxu", good.substr(0, good.size() - 3), true},
      {"tail.lxu", good.substr(0, good.size() - 1) + "x", true},  // the replacement loses its zero
  };
  for (const auto& f : files) {
    const std::string path = temp_.File(f.name);
    WriteFileBytes(path, f.bytes);
    {
      TCustomDictionary d;
      d.SetFileName(path);
      EXPECT_EQ(d.GetFileName() == path, f.named) << f.name;
      if (f.named) {
        d.SetActive(true);
        EXPECT_FALSE(d.GetActive()) << f.name;
        EXPECT_FALSE(d.IsIgnored("hello")) << f.name;
        EXPECT_FALSE(d.AddIgnore("new")) << f.name;
      }
    }
    EXPECT_EQ(ReadFileBytes(path), f.bytes) << f.name;  // never overwritten
  }
}

TEST_F(CustomDictionaryTest, NewDictionaryIsWrittenEvenWhenEmpty) {
  const std::string path = temp_.File("sub\\new.lxu");
  CreateDirectoryA(temp_.File("sub").c_str(), nullptr);
  {
    auto d = Open("sub\\new.lxu");
    EXPECT_TRUE(d->GetActive());
  }
  EXPECT_EQ(ReadFileBytes(path), FileBytes(0, 0, 0, 0, 0, {}, ""));
  // No folder: the name cannot be created, so the dictionary never becomes active.
  TCustomDictionary nowhere;
  nowhere.SetFileName(temp_.File("missing\\x.lxu"));
  EXPECT_EQ(nowhere.GetFileName(), "");
}

TEST_F(CustomDictionaryTest, WithoutAFileNothingIsWritten) {
  TCustomDictionary internal;
  EXPECT_TRUE(internal.AddIgnore("word"));
  EXPECT_TRUE(internal.IsIgnored("word"));
  EXPECT_TRUE(internal.Save());
  internal.Clear();
  EXPECT_FALSE(internal.IsIgnored("word"));
  EXPECT_EQ(internal.IgnoreCount(), 0);
}

TEST_F(CustomDictionaryTest, SaveToFileAndIndexAccessInTableOrder) {
  auto d = Open("user.lxu");
  d->AddIgnore("teh");    // slot 243
  d->AddIgnore("hello");  // slot 178
  d->AddIgnore("beta");   // slot 156
  AnsiString word;
  std::string order;
  for (int i = 0; i < d->IgnoreCount(); ++i) {
    d->GetIgnoreWord(i, word);
    order += word + " ";
  }
  EXPECT_EQ(order, "beta hello teh ");
  ASSERT_TRUE(d->SaveToFile(temp_.File("copy.lxu")));
  TCustomDictionary copy;
  copy.SetFileName(temp_.File("copy.lxu"));
  EXPECT_TRUE(copy.IsIgnored("hello"));
  EXPECT_FALSE(copy.GetModified());
}

}  // namespace
