#include <gtest/gtest.h>

#include <vector>

#include "classlib/Classes.h"
#include "tests/support/TestSupport.h"

namespace {

using Lines = std::vector<AnsiString>;

Lines Contents(const TStrings& list) {
  Lines lines;
  for (Integer i = 0; i < list.GetCount(); ++i) lines.push_back(list[i]);
  return lines;
}

void Fill(TStrings& list, const Lines& lines) {
  list.Clear();
  for (const AnsiString& s : lines) list.Add(s);
}

template <class E>
AnsiString MessageOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const E& e) {
    return e.Message;
  }
  return "(nothing raised)";
}

TEST(StringListText, SplitsAtCrLfOrCrLfWithoutEmptyLastLine) {
  struct Case {
    AnsiString text;
    Lines lines;
  };
  const Case cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\n", {"a"}},
      {"a\r\nb", {"a", "b"}},
      {"a\nb\rc\r\n", {"a", "b", "c"}},
      {"\r\n", {""}},
      {"a\n\n", {"a", ""}},
      {"a\r\r\nb", {"a", "", "b"}},
      {"a\n\rb", {"a", "", "b"}},  // LF CR is two breaks
      {AnsiString("a\0b\n", 4), {AnsiString("a\0b", 3)}},
  };
  TStringList list;
  for (const Case& c : cases) {
    list.SetText(c.text);
    EXPECT_EQ(Contents(list), c.lines) << "text: " << c.text;
  }
}

TEST(StringListText, JoinsWithCrLfAfterEveryLine) {
  TStringList list;
  EXPECT_EQ(list.GetText(), "");
  Fill(list, {""});
  EXPECT_EQ(list.GetText(), "\r\n");
  Fill(list, {"a", "", "b"});
  EXPECT_EQ(list.GetText(), "a\r\n\r\nb\r\n");
}

TEST(StringListDelimited, JoinsAndQuotes) {
  struct Case {
    Lines lines;
    AnsiString comma;
  };
  const Case cases[] = {
      {{}, ""},
      {{""}, "\"\""},
      {{"a", ""}, "a,"},
      {{"a", "b c", "d\"e", "f,g", "\x01", "\xe9t\xe9"}, "a,\"b c\",\"d\"\"e\",\"f,g\",\"\x01\",\xe9t\xe9"},
  };
  TStringList list;
  for (const Case& c : cases) {
    Fill(list, c.lines);
    EXPECT_EQ(list.GetCommaText(), c.comma);
  }
  Fill(list, {"x y", "z;w", "it's"});
  list.Delimiter = ';';
  list.QuoteChar = '\'';
  EXPECT_EQ(list.GetDelimitedText(), "'x y';'z;w';'it''s'");
  // CommaText uses its own separators without changing the list's.
  EXPECT_EQ(list.GetCommaText(), "\"x y\",z;w,it's");
  EXPECT_EQ(list.Delimiter, ';');
}

TEST(StringListDelimited, SplitsAtDelimitersAndBlanks) {
  struct Case {
    AnsiString text;
    Lines lines;
  };
  const Case cases[] = {
      {"", {}},
      {"   ", {}},
      {"a", {"a"}},
      {"a,", {"a", ""}},
      {"a, ", {"a"}},
      {",a", {"", "a"}},
      {"a b\tc", {"a", "b", "c"}},
      {" a , b ,\"c d\",,\"e\"\"f\"", {"a", "b", "c d", "", "e\"f"}},
      {"\"\"", {""}},
      {"\"ab\"cd,e", {"ab", "cd", "e"}},
      {"\"unterminated, quote", {"unterminated, quote"}},
  };
  TStringList list;
  for (const Case& c : cases) {
    list.SetCommaText(c.text);
    EXPECT_EQ(Contents(list), c.lines) << "text: " << c.text;
  }
  list.Delimiter = ';';
  list.QuoteChar = '\'';
  list.SetDelimitedText("'a;b';c,d");
  EXPECT_EQ(Contents(list), (Lines{"a;b", "c,d"}));
  // Setting CommaText makes comma and double quote the list's separators.
  list.SetCommaText("x");
  EXPECT_EQ(list.Delimiter, ',');
  EXPECT_EQ(list.QuoteChar, '"');
}

TEST(StringListNames, ReadsAndWritesNameValuePairs) {
  TStringList list;
  Fill(list, {"Alpha=1", "beta=2=3", "plain", "=empty name"});
  EXPECT_EQ(list.GetNames(0), "Alpha");
  EXPECT_EQ(list.GetNames(1), "beta");
  EXPECT_EQ(list.GetNames(2), "");
  EXPECT_EQ(list.GetValues("alpha"), "1");  // names compare without regard to case
  EXPECT_EQ(list.GetValues("BETA"), "2=3");
  EXPECT_EQ(list.GetValues("plain"), "");
  EXPECT_EQ(list.GetValues(""), "empty name");
  EXPECT_EQ(list.IndexOfName("Beta"), 1);
  EXPECT_EQ(list.IndexOfName("gamma"), -1);

  list.SetValues("ALPHA", "9");  // replaces the whole line under the given name
  EXPECT_EQ(list[0], "ALPHA=9");
  list.SetValues("gamma", "3");
  EXPECT_EQ(list[4], "gamma=3");
  list.SetValues("beta", "");
  EXPECT_EQ(Contents(list), (Lines{"ALPHA=9", "plain", "=empty name", "gamma=3"}));
  list.SetValues("missing", "");
  EXPECT_EQ(list.GetCount(), 4);

  list.NameValueSeparator = ':';
  Fill(list, {"key:value=x"});
  EXPECT_EQ(list.GetValues("KEY"), "value=x");
}

TEST(StringListSorting, ComparesThroughTheLocale) {
  TStringList list;
  Fill(list, {"banana", "Cherry", "apple", "\xe9" "clair", "Apricot", "zebra", "Zulu"});
  list.SetSorted(true);
  // Without regard to case, in the user's order (an accented letter sorts with its base letter).
  EXPECT_EQ(Contents(list), (Lines{"apple", "Apricot", "banana", "Cherry", "\xe9" "clair", "zebra", "Zulu"}));
  list.SetCaseSensitive(true);
  EXPECT_EQ(Contents(list), (Lines{"apple", "Apricot", "banana", "Cherry", "\xe9" "clair", "zebra", "Zulu"}));
  Fill(list, {"B", "b", "A", "a"});
  // Case-sensitive through the locale: lower case before upper case of the same letter.
  EXPECT_EQ(Contents(list), (Lines{"a", "A", "b", "B"}));
  Integer index = -1;
  EXPECT_TRUE(list.Find("A", index));
  EXPECT_EQ(index, 1);
  EXPECT_FALSE(list.Find("Ab", index));
  EXPECT_EQ(index, 2);
}

TEST(StringListSorting, FindsInSortedLists) {
  TStringList list;
  list.SetSorted(true);
  for (const char* s : {"m", "c", "x", "a", "q"}) list.Add(s);
  EXPECT_EQ(Contents(list), (Lines{"a", "c", "m", "q", "x"}));
  struct Case {
    AnsiString s;
    bool found;
    Integer index;
  };
  const Case cases[] = {{"a", true, 0}, {"X", true, 4}, {"b", false, 1}, {"0", false, 0}, {"z", false, 5}};
  for (const Case& c : cases) {
    Integer index = -1;
    EXPECT_EQ(list.Find(c.s, index), c.found) << c.s;
    EXPECT_EQ(index, c.index) << c.s;
  }
  EXPECT_EQ(list.IndexOf("Q"), 3);
  EXPECT_EQ(list.IndexOf("b"), -1);
}

TEST(StringListSorting, DuplicatesApplyOnlyWhileSorted) {
  TStringList list;
  list.SetSorted(true);
  list.Add("b");
  list.Add("a");
  EXPECT_EQ(list.Add("B"), 1);  // dupIgnore by default: the index of the one already there
  EXPECT_EQ(list.GetCount(), 2);

  list.Duplicates = dupError;
  EXPECT_EQ(MessageOf<EStringListError>([&] { list.Add("A"); }), "String list does not allow duplicates");
  EXPECT_EQ(list.GetCount(), 2);

  list.Duplicates = dupAccept;
  list.Add("a");
  list.Add("A");
  EXPECT_EQ(list.GetCount(), 4);
  Integer index = -1;
  ASSERT_TRUE(list.Find("a", index));
  EXPECT_LE(index, 2);

  TStringList unsorted;
  unsorted.Duplicates = dupError;
  unsorted.Add("x");
  unsorted.Add("x");
  EXPECT_EQ(unsorted.GetCount(), 2);
}

TEST(StringListSorting, SortedListRefusesPositionalChangesWithoutLosingAnything) {
  TStringList list;
  Fill(list, {"c", "a", "b"});
  list.SetSorted(true);
  EXPECT_EQ(MessageOf<EStringListError>([&] { list.Insert(0, "z"); }), "Operation not allowed on sorted list");
  EXPECT_EQ(MessageOf<EStringListError>([&] { list.SetStrings(0, "z"); }), "Operation not allowed on sorted list");
  EXPECT_EQ(MessageOf<EStringListError>([&] { list.Move(0, 2); }), "Operation not allowed on sorted list");
  EXPECT_EQ(Contents(list), (Lines{"a", "b", "c"}));
  list.SetSorted(false);
  list.Move(0, 2);
  EXPECT_EQ(Contents(list), (Lines{"b", "c", "a"}));
  list.Move(2, 0);
  EXPECT_EQ(Contents(list), (Lines{"a", "b", "c"}));
  EXPECT_EQ(MessageOf<EStringListError>([&] { list.Move(0, 3); }), "List index out of bounds (3)");
  EXPECT_EQ(Contents(list), (Lines{"a", "b", "c"}));
}

Integer ByLength(TStringList* list, Integer a, Integer b) {
  return static_cast<Integer>(list->GetStrings(a).size()) - static_cast<Integer>(list->GetStrings(b).size());
}

TEST(StringListSorting, CustomSortAndSort) {
  TStringList list;
  Fill(list, {"ccc", "a", "bb", "dddd"});
  list.CustomSort(&ByLength);
  EXPECT_EQ(Contents(list), (Lines{"a", "bb", "ccc", "dddd"}));
  list.Sort();
  EXPECT_EQ(Contents(list), (Lines{"a", "bb", "ccc", "dddd"}));
  EXPECT_FALSE(list.GetSorted());
}

TEST(StringListErrors, IndexOutOfBounds) {
  TStringList list;
  Fill(list, {"a", "b"});
  const std::pair<std::function<void()>, AnsiString> cases[] = {
      {[&] { list.GetStrings(2); }, "List index out of bounds (2)"},
      {[&] { list.GetObjects(-1); }, "List index out of bounds (-1)"},
      {[&] { list.Delete(5); }, "List index out of bounds (5)"},
      {[&] { list.Insert(3, "x"); }, "List index out of bounds (3)"},
      {[&] { list.Exchange(0, 2); }, "List index out of bounds (2)"},
      {[&] { list.SetObjects(2, nullptr); }, "List index out of bounds (2)"},
  };
  for (const auto& [action, message] : cases) EXPECT_EQ(MessageOf<EStringListError>(action), message);
  EXPECT_EQ(Contents(list), (Lines{"a", "b"}));
}

TEST(StringListObjects, TravelWithTheirStrings) {
  TObject one, two, three;
  TStringList list;
  list.AddObject("two", &two);
  list.AddObject("one", &one);
  list.InsertObject(0, "three", &three);
  EXPECT_EQ(list.IndexOfObject(&one), 2);
  list.Exchange(0, 2);
  EXPECT_EQ(list[0], "one");
  EXPECT_EQ(list.GetObjects(0), &one);
  list.SetSorted(true);
  EXPECT_EQ(Contents(list), (Lines{"one", "three", "two"}));
  EXPECT_EQ(list.GetObjects(1), &three);
  EXPECT_EQ(list.IndexOfObject(&two), 2);
  EXPECT_EQ(list.IndexOfObject(nullptr), -1);

  TStringList copy;
  copy.Add("old");
  copy.Delimiter = ';';
  list.NameValueSeparator = ':';
  copy.Assign(&list);
  EXPECT_EQ(Contents(copy), Contents(list));
  EXPECT_EQ(copy.GetObjects(2), &two);
  EXPECT_EQ(copy.Delimiter, ',');
  EXPECT_EQ(copy.NameValueSeparator, ':');
  EXPECT_FALSE(copy.GetSorted());  // Assign copies contents, not the sorting
  EXPECT_TRUE(copy.Equals(&list));
  copy.SetStrings(0, "ONE");
  EXPECT_FALSE(copy.Equals(&list));  // exact comparison

  copy.AddStrings(&list);
  EXPECT_EQ(copy.GetCount(), 6);
  EXPECT_EQ(copy.GetObjects(5), &two);
}

TEST(StringListEvents, ChangeEventsAreHeldDuringUpdates) {
  TStringList list;
  std::vector<AnsiString> events;
  list.OnChanging = TNotifyEvent::FromFunction([&](TObject* sender) {
    EXPECT_EQ(sender, &list);
    events.push_back("changing " + std::to_string(list.GetCount()));
  });
  list.OnChange = TNotifyEvent::FromFunction([&](TObject*) { events.push_back("change " + std::to_string(list.GetCount())); });
  list.Add("a");
  EXPECT_EQ(events, (std::vector<AnsiString>{"changing 0", "change 1"}));
  events.clear();
  list.BeginUpdate();
  list.Add("b");
  list.BeginUpdate();
  list.Add("c");
  list.EndUpdate();
  list.Delete(0);
  EXPECT_EQ(events, (std::vector<AnsiString>{"changing 1"}));
  list.EndUpdate();
  EXPECT_EQ(events, (std::vector<AnsiString>{"changing 1", "change 2"}));
  events.clear();
  list.SetText("x\ny\nz");
  EXPECT_EQ(events, (std::vector<AnsiString>{"changing 2", "change 3"}));
  events.clear();
  list.SetSorted(true);  // already in order, but sorting is a change
  EXPECT_EQ(events, (std::vector<AnsiString>{"changing 3", "change 3"}));
  events.clear();
  list.Clear();
  list.Clear();  // nothing to clear: no events
  EXPECT_EQ(events, (std::vector<AnsiString>{"changing 3", "change 0"}));
}

class StringListFiles : public testing_support::IsolatedTest {};

TEST_F(StringListFiles, LoadsAndSavesLinesWithCrLf) {
  const std::string path = temp_.File("lines.txt");
  testing_support::WriteFileBytes(path, "one\rtwo\nthree\r\n\r\nlast");
  TStringList list;
  list.LoadFromFile(path);
  EXPECT_EQ(Contents(list), (Lines{"one", "two", "three", "", "last"}));
  list.Delete(3);
  list.SaveToFile(path);
  EXPECT_EQ(testing_support::ReadFileBytes(path), "one\r\ntwo\r\nthree\r\nlast\r\n");

  list.Clear();
  list.SaveToFile(path);
  EXPECT_EQ(testing_support::ReadFileBytes(path), "");

  const std::string missing = temp_.File("missing.txt");
  try {
    list.LoadFromFile(missing);
    FAIL() << "no exception";
  } catch (const EFOpenError& e) {
    EXPECT_NE(e.Message.find(missing), AnsiString::npos) << e.Message;
  }
}

TEST(StringListStreams, LoadFromTheStreamPositionAndSaveAtIt) {
  TStringStream stream("skip|a\r\nb");
  stream.SetPosition(5);
  TStringList list;
  list.LoadFromStream(&stream);
  EXPECT_EQ(Contents(list), (Lines{"a", "b"}));
  EXPECT_EQ(stream.GetPosition(), 9);
  list.SaveToStream(&stream);
  EXPECT_EQ(stream.GetDataString(), "skip|a\r\nba\r\nb\r\n");
}

}  // namespace
