#include <wordmill/sys/NamedObjectList.h>

#include "TestPrinters.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

using namespace Qt::StringLiterals;
using namespace wordmill;

namespace {

// Counts live objects so that ownership faults (leaks, double frees) show.
struct Tracked
{
    static inline int alive = 0;
    explicit Tracked(int v) : value(v) { ++alive; }
    Tracked(const Tracked &other) : value(other.value) { ++alive; }
    ~Tracked() { --alive; }
    int value;
};

class NamedObjectListTest : public testing::Test
{
protected:
    void SetUp() override { Tracked::alive = 0; }
    void TearDown() override { EXPECT_EQ(Tracked::alive, 0); }
};

} // namespace

TEST_F(NamedObjectListTest, KeepsStringsSortedCaseSensitiveAndUnique)
{
    TNamedObjectList<Tracked> list;
    EXPECT_EQ(list.AddObject(u"b"_s, std::make_unique<Tracked>(1)), 0);
    EXPECT_EQ(list.AddObject(u"a"_s, std::make_unique<Tracked>(2)), 0);
    EXPECT_EQ(list.AddObject(u"B"_s, std::make_unique<Tracked>(3)), 0);
    // A duplicate returns the present position and frees the offered object.
    EXPECT_EQ(list.AddObject(u"b"_s, std::make_unique<Tracked>(4)), 2);
    EXPECT_EQ(Tracked::alive, 3);
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Strings(0), u"B"_s);
    EXPECT_EQ(list.Strings(1), u"a"_s);
    EXPECT_EQ(list.Strings(2), u"b"_s);
    EXPECT_EQ(list.Objects(2)->value, 1);
    EXPECT_EQ(list.IndexOf(u"A"_s), -1);
    int insertAt = -1;
    EXPECT_FALSE(list.Find(u"ab"_s, insertAt));
    EXPECT_EQ(insertAt, 2);
    EXPECT_EQ(list.Strings(3), QString());
    EXPECT_EQ(list.Objects(-1), nullptr);
}

TEST_F(NamedObjectListTest, ReplaceDeleteAndClearFreeObjects)
{
    TNamedObjectList<Tracked> list;
    list.Add(u"empty"_s);
    list.AddObject(u"full"_s, std::make_unique<Tracked>(1));
    list.ReplaceObject(0, std::make_unique<Tracked>(2));
    list.ReplaceObject(1, std::make_unique<Tracked>(3));
    EXPECT_EQ(Tracked::alive, 2);
    EXPECT_EQ(list.Objects(0)->value, 2);
    EXPECT_EQ(list.Objects(1)->value, 3);
    list.Delete(0);
    EXPECT_EQ(Tracked::alive, 1);
    list.Delete(5);
    EXPECT_EQ(list.Count(), 1);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

TEST_F(NamedObjectListTest, RenamedEntryReplacesTheOneHoldingItsNewString)
{
    TNamedObjectList<Tracked> list;
    list.AddObject(u"x.old"_s, std::make_unique<Tracked>(1));
    list.AddObject(u"x.new"_s, std::make_unique<Tracked>(2));
    list.AddObject(u"y.old"_s, std::make_unique<Tracked>(3));
    const bool changed = list.RenameAll([](QString &s) {
        if (!s.endsWith(u".old"_s))
            return false;
        s.replace(u".old"_s, u".new"_s);
        return true;
    });
    EXPECT_TRUE(changed);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Strings(0), u"x.new"_s);
    EXPECT_EQ(list.Objects(0)->value, 1);
    EXPECT_EQ(list.Strings(1), u"y.new"_s);
    EXPECT_EQ(Tracked::alive, 2);
    EXPECT_FALSE(list.RenameAll([](QString &) { return false; }));
}

// Random adds and deletes across many chunk splits, checked step by step
// against an ordered map.
TEST_F(NamedObjectListTest, MatchesAnOrderedMapUnderRandomChanges)
{
    TNamedObjectList<Tracked> list;
    std::map<QString, int> model;
    std::mt19937 random(7);
    for (int step = 0; step < 20000; ++step) {
        const int n = int(random() % 5000);
        const QString key = u"k%1"_s.arg(n);
        if (random() % 4 != 0) {
            const auto [it, inserted] = model.emplace(key, n);
            if (random() % 2) {
                const int index = list.AddObject(key, std::make_unique<Tracked>(n));
                ASSERT_EQ(index, int(std::distance(model.begin(), it))) << step;
            } else {
                // One search finds the present entry or adds a new one.
                bool added = false;
                int index = -1;
                const Tracked &held = list.FindOrAdd(
                    key, [n] { return Tracked(n); }, &added, &index);
                ASSERT_EQ(added, inserted) << step;
                ASSERT_EQ(index, int(std::distance(model.begin(), it))) << step;
                ASSERT_EQ(held.value, it->second) << step;
            }
        } else if (!model.empty()) {
            const int index = int(random() % model.size());
            auto it = std::next(model.begin(), index);
            ASSERT_EQ(list.Strings(index), it->first) << step;
            list.Delete(index);
            model.erase(it);
        }
        ASSERT_EQ(list.Count(), int(model.size()));
        // Lookups by string (hashed once the list has grown) follow every
        // change.
        const QString probe = u"k%1"_s.arg(random() % 5000);
        const auto expected = model.find(probe);
        const Tracked *found = list.ObjectOf(probe);
        ASSERT_EQ(found != nullptr, expected != model.end()) << step;
        if (found) {
            ASSERT_EQ(found->value, expected->second) << step;
        }
    }
    int index = 0;
    for (const auto &[key, value] : model) {
        ASSERT_EQ(list.Strings(index), key);
        ASSERT_EQ(list.Objects(index)->value, value);
        ASSERT_EQ(list.IndexOf(key), index);
        ++index;
    }
    EXPECT_EQ(Tracked::alive, int(model.size()));

    TNamedObjectList<Tracked> copy;
    copy.AssignFrom(list, [](const Tracked &t) { return std::make_unique<Tracked>(t); });
    ASSERT_EQ(copy.Count(), list.Count());
    for (int i = 0; i < copy.Count(); i += 97)
        EXPECT_EQ(copy.Strings(i), list.Strings(i));
}
