#include "platform/StringList.hpp"

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/Exceptions.hpp"
#include "support/Raises.hpp"

namespace fuzzy {
namespace {

using TLines = std::vector<std::string>;

class StringListTest : public ::testing::Test {
protected:
    void SetUp() override {
        List.SetOnChange([this](TObject* Sender) {
            EXPECT_EQ(Sender, &List);
            ++Changes;
        });
    }
    TLines Lines() const {
        TLines lines;
        for (int i = 0; i < List.GetCount(); ++i)
            lines.push_back(List[i]);
        return lines;
    }
    TStringList List;
    int Changes = 0;
};

// Setting Sorted sorts the entries there are with their objects; later ones arrive in place.
TEST_F(StringListTest, SortedAddKeepsOrderAndDuplicatesInArrival) {
    TStringList marker;
    List.Add("b");
    List.AddObject("A", &marker);
    List.SetSorted(true);
    EXPECT_EQ(List.GetObject(0), &marker);
    EXPECT_EQ(List.GetObject(1), nullptr);
    List.Clear();
    const std::pair<const char*, int> adds[] = {{"b", 0}, {"A", 0}, {"a", 1}, {"C", 3}};
    for (const auto& [text, index] : adds)
        EXPECT_EQ(List.Add(text), index) << text;
    EXPECT_EQ(Lines(), (TLines{"A", "a", "b", "C"}));
    EXPECT_EQ(List.IndexOf("B"), 2);
    EXPECT_EQ(List.IndexOf("a"), 0);
    EXPECT_EQ(List.IndexOf("d"), -1);
    List.SetCaseSensitive(true); // sorts again
    EXPECT_EQ(Lines(), (TLines{"A", "C", "a", "b"}));
    EXPECT_EQ(List.IndexOf("a"), 2);
    EXPECT_EQ(List.IndexOf("B"), -1);
}

TEST_F(StringListTest, BadIndexesAndInPlaceEditsOfSortedListsRaiseListError) {
    List.Add("a");
    const std::pair<std::function<void()>, std::string> cases[] = {
        {[&] { (void)List.Get(-1); }, "-1"},     {[&] { (void)List.Get(1); }, "1"},
        {[&] { (void)List.GetObject(1); }, "1"}, {[&] { (void)List.GetName(1); }, "1"},
        {[&] { List.Put(1, "x"); }, "1"},        {[&] { List.Delete(1); }, "1"},
        {[&] { List.Insert(2, "x"); }, "2"},     {[&] { List.Insert(-1, "x"); }, "-1"},
    };
    for (const auto& c : cases)
        EXPECT_RAISES(c.first(), EListError, "List index out of bounds (" + c.second + ")");
    List.SetSorted(true);
    EXPECT_RAISES(List.Insert(0, "b"), EListError, "Operation not allowed on sorted list");
    EXPECT_RAISES(List.Put(0, "b"), EListError, "Operation not allowed on sorted list");
    EXPECT_EQ(Lines(), (TLines{"a"}));
}

TEST_F(StringListTest, SetTextSplitsAtEveryKindOfLineBreak) {
    const std::pair<std::string, TLines> cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\nb", {"a", "b"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\r\rb", {"a", "", "b"}},
        {"a\n\rb", {"a", "", "b"}},
        {"\n", {""}},
        {"a\n\n", {"a", ""}},
    };
    for (const auto& [text, lines] : cases) {
        List.SetText(text);
        EXPECT_EQ(Lines(), lines) << "text: " << text;
    }
    List.SetText("x\r\ny");
    EXPECT_EQ(List.GetText(), "x\ny\n");
}

// A value is that of the first entry of its name; setting one replaces, appends or deletes.
TEST_F(StringListTest, ValuesByName) {
    List.SetText("plain\nName=first\nname=second\nExpr=a=b\n=nameless");
    EXPECT_EQ(List.GetValue("NAME"), "first");
    EXPECT_EQ(List.GetValue("Expr"), "a=b");
    EXPECT_EQ(List.GetValue("plain"), "");
    EXPECT_EQ(List.GetValue(""), "nameless");
    EXPECT_EQ(List.IndexOfName("name"), 1);
    EXPECT_EQ(List.GetName(0), "");
    EXPECT_EQ(List.GetName(3), "Expr");
    List.SetCaseSensitive(true);
    EXPECT_EQ(List.GetValue("name"), "second");

    List.SetCaseSensitive(false);
    List.SetText("a=1\nb=2");
    List.SetValue("A", "9");
    List.SetValue("c", "3");
    EXPECT_EQ(Lines(), (TLines{"A=9", "b=2", "c=3"}));
    List.SetValue("b", "");
    List.SetValue("missing", "");
    EXPECT_EQ(Lines(), (TLines{"A=9", "c=3"}));
    List.SetSorted(true);
    Changes = 0;
    List.SetValue("a", "z"); // "a=z" still sorts first
    List.SetValue("0", "x");
    EXPECT_EQ(Lines(), (TLines{"0=x", "a=z", "c=3"}));
    EXPECT_EQ(Changes, 2);
}

// OnChange runs once per change, or once per outer update bracket, also when an error
// leaves the bracket.
TEST_F(StringListTest, OnChangeRunsOncePerChangeOrOncePerOuterBracket) {
    List.Add("a");
    List.Clear();
    List.Clear(); // nothing to clear: no change
    EXPECT_EQ(Changes, 2);
    List.BeginUpdate();
    List.BeginUpdate();
    List.Add("a");
    List.Add("b");
    List.EndUpdate();
    EXPECT_EQ(Changes, 2);
    List.EndUpdate();
    List.EndUpdate(); // unbalanced: ignored
    EXPECT_EQ(Changes, 3);
    { TUpdateGuard idle(List); }
    List.SetText("x\ny\nz");
    EXPECT_EQ(Changes, 4);
    EXPECT_THROW(
        {
            TUpdateGuard guard(List);
            List.Add("a");
            throw std::runtime_error("stop");
        },
        std::runtime_error);
    EXPECT_EQ(Changes, 5);
    List.Add("b");
    EXPECT_EQ(Changes, 6);
}

TEST_F(StringListTest, AssignCopiesStringsAndObjectsIntoTheTargetsOrder) {
    TStringList source;
    TStringList marker;
    source.Add("b");
    source.AddObject("a", &marker);
    List.Add("old");
    List.SetSorted(true);
    Changes = 0;
    List.Assign(&source);
    EXPECT_EQ(Lines(), (TLines{"a", "b"}));
    EXPECT_EQ(List.GetObject(0), &marker);
    EXPECT_EQ(Changes, 1);
    List.Assign(&List);
    EXPECT_EQ(Lines(), (TLines{"a", "b"}));
    TPersistent stranger;
    EXPECT_RAISES(List.Assign(&stranger), EConvertError,
                  "Cannot assign a TPersistent to a TStringList");
}

} // namespace
} // namespace fuzzy
