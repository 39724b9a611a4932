#include <gtest/gtest.h>

#include <vector>

#include "platform/classes/Streams.h"
#include "platform/classes/Strings.h"

namespace {

using namespace std::string_view_literals;

std::vector<String> Entries(TStrings& s) {
  std::vector<String> v;
  for (int i = 0; i < s.Count(); ++i) v.push_back(s.Strings(i));
  return v;
}

TEST(TStringList, CommaAndDelimitedTextBothWays) {
  struct Case {
    std::vector<String> entries;
    const char* comma;
  } cases[] = {
      {{"a", "b"}, "a,b"},
      {{"b c", "", "d\"e"}, "\"b c\",,\"d\"\"e\""},
      {{""}, "\"\""},
      {{}, ""},
      {{"x,y", "\xE4\xB8\xAD"}, "\"x,y\",\xE4\xB8\xAD"},
      {{"tab\there"}, "\"tab\there\""},
  };
  for (const Case& c : cases) {
    TStringList list;
    for (const String& e : c.entries) list.Add(e);
    EXPECT_EQ(list.CommaText(), c.comma);
    TStringList back;
    back.SetCommaText(c.comma);
    EXPECT_EQ(Entries(back), c.entries) << c.comma;
  }

  // Reading: blanks outside quotes separate entries too; a trailing delimiter adds an empty one;
  // an unclosed quote runs to the end.
  struct Parse {
    std::string_view text;
    std::vector<String> entries;
  } parses[] = {
      {"  a b ,c", {"a", "b", "c"}},
      {"a,", {"a", ""}},
      {"a, ,b", {"a", "", "b"}},
      {"\"open, end", {"open, end"}},
      {"\"q\"tail", {"q", "tail"}},
      {"a,b\0,c"sv, {"a", "b"}},  // the text ends at a NUL
  };
  for (const Parse& p : parses) {
    TStringList list;
    list.SetCommaText(String(p.text));
    EXPECT_EQ(Entries(list), p.entries) << p.text;
  }

  TStringList list;
  list.SetDelimiter(';');
  list.SetQuoteChar('\'');
  list.SetDelimitedText("1;'2;3';'it''s'");
  EXPECT_EQ(Entries(list), (std::vector<String>{"1", "2;3", "it's"}));
  EXPECT_EQ(list.DelimitedText(), "1;'2;3';'it''s'");
  EXPECT_EQ(list.CommaText(), "1,2;3,it's");  // the comma form uses its own characters
  EXPECT_EQ(list.Delimiter(), ';');
}

TEST(TStringList, TextUsesCrLfAndReadsAnyLineBreak) {
  TStringList list;
  list.SetText("one\r\ntwo\nthree\rfour\n\r\n");
  EXPECT_EQ(Entries(list), (std::vector<String>{"one", "two", "three", "four", ""}));
  EXPECT_EQ(list.Text(), "one\r\ntwo\r\nthree\r\nfour\r\n\r\n");
  list.SetText("");
  EXPECT_EQ(list.Count(), 0);

  TMemoryStream stream;
  list.SetText("a\nb");
  list.SaveToStream(&stream);
  stream.SetPosition(0);
  TStringList loaded;
  loaded.LoadFromStream(&stream);
  EXPECT_EQ(Entries(loaded), (std::vector<String>{"a", "b"}));
}

TEST(TStringList, NamesAndValues) {
  TStringList list;
  list.Add("Com Port=3");
  list.Add("plain");
  list.Add("expr=a=b");
  EXPECT_EQ(list.Values("com port"), "3");
  EXPECT_EQ(list.Values("EXPR"), "a=b");
  EXPECT_EQ(list.Names(2), "expr");
  EXPECT_EQ(list.Names(1), "");
  EXPECT_EQ(list.ValueFromIndex(1), "");  // no separator: no value, the text is not cut
  EXPECT_EQ(list.IndexOfName("plain"), -1);
  list.SetValues("new", "1");
  EXPECT_EQ(list.Strings(3), "new=1");
  list.SetValues("com port", "");  // an empty value removes the entry
  EXPECT_EQ(list.IndexOfName("Com Port"), -1);

  list.SetNameValueSeparator(':');
  list.Add("k:v");
  EXPECT_EQ(list.Values("K"), "v");
  list.SetValueFromIndex(list.IndexOfName("k"), "w");
  EXPECT_EQ(list.Strings(list.Count() - 1), "k:w");
}

TEST(TStringList, SortedListsAndDuplicates) {
  TStringList list;
  list.SetSorted(true);
  for (const char* s : {"pear", "Apple", "fig", "apple"}) list.Add(s);
  EXPECT_EQ(Entries(list), (std::vector<String>{"Apple", "fig", "pear"}));  // ignored duplicate
  EXPECT_EQ(list.Add("APPLE"), 0);
  EXPECT_EQ(list.IndexOf("PEAR"), 2);
  int at = -1;
  EXPECT_FALSE(list.Find("grape", at));
  EXPECT_EQ(at, 2);

  list.SetDuplicates(dupError);
  try {
    list.Add("Fig");
    ADD_FAILURE() << "no error";
  } catch (const EStringListError& e) {
    EXPECT_EQ(e.Message(), "String list does not allow duplicates");
  }
  try {
    list.Insert(0, "x");
    ADD_FAILURE() << "no error";
  } catch (const EStringListError& e) {
    EXPECT_EQ(e.Message(), "Operation not allowed on sorted list");
  }
  list.SetDuplicates(dupAccept);
  list.Add("fig");
  EXPECT_EQ(list.Count(), 4);

  list.SetCaseSensitive(true);
  EXPECT_EQ(list.IndexOf("PEAR"), -1);
  EXPECT_EQ(list.IndexOf("pear"), 3);

  // Unsorted lists look up ignoring case too, and keep their order.
  TStringList plain;
  plain.SetCommaText("b,A,c");
  EXPECT_EQ(plain.IndexOf("a"), 1);
  plain.SetSorted(true);
  EXPECT_EQ(plain.CommaText(), "A,b,c");
}

TEST(TStringList, CustomSortCarriesObjectsAlong) {
  TStringList list;
  TObject o10, o9, o100;
  list.AddObject("10", &o10);
  list.AddObject("9", &o9);
  list.AddObject("100", &o100);
  list.CustomSort([](TStringList* l, int a, int b) { return StrToInt(l->Strings(a)) - StrToInt(l->Strings(b)); });
  EXPECT_EQ(list.CommaText(), "9,10,100");
  EXPECT_EQ(list.Objects(0), &o9);
  EXPECT_EQ(list.Objects(2), &o100);
  EXPECT_EQ(list.IndexOfObject(&o10), 1);

  // A comparison that contradicts itself must not run off the list.
  for (int i = 0; i < 50; ++i) list.Add(IntToStr(i % 7));
  list.CustomSort([](TStringList*, int, int) { return -1; });
  EXPECT_EQ(list.Count(), 53);

  list.Move(0, 2);
  EXPECT_EQ(list.Strings(2), "9");
  EXPECT_EQ(list.Objects(2), &o9);
  try {
    list.Strings(53);
    ADD_FAILURE() << "no error";
  } catch (const EStringListError& e) {
    EXPECT_EQ(e.Message(), "List index out of bounds (53)");
  }
}

TEST(TStringList, ChangeEventsAreHeldBackDuringAnUpdate) {
  TStringList list;
  std::vector<String> events;
  list.OnChanging = [&](TObject* sender) {
    EXPECT_EQ(sender, &list);
    events.push_back("changing " + IntToStr(list.Count()));
  };
  list.OnChange = [&](TObject*) { events.push_back("change " + IntToStr(list.Count())); };
  list.Add("a");
  list.BeginUpdate();
  list.Add("b");
  list.BeginUpdate();
  list.Add("c");
  list.EndUpdate();
  list.Delete(0);
  list.EndUpdate();
  list.Clear();
  list.Clear();  // nothing to clear: no events
  EXPECT_EQ(events, (std::vector<String>{"changing 0", "change 1", "changing 1", "change 2", "changing 2", "change 0"}));

  TStringList copy;
  copy.SetCommaText("x,y");
  list.Assign(&copy);
  EXPECT_TRUE(list.Equals(&copy));
  copy.Add("z");
  EXPECT_FALSE(list.Equals(&copy));
}

}  // namespace
