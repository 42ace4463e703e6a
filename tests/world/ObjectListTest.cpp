#include <vector>

#include <gtest/gtest.h>

#include "ObjectList.h"
#include "ObjectListIterator.h"

namespace {

// The list never touches the objects, so distinct addresses stand in for them.
class ObjectListTest : public testing::Test {
protected:
  ks::Object *obj(int i) { return reinterpret_cast<ks::Object *>(&storage[i]); }

  /// The list's entries, walked with an iterator.
  static std::vector<ks::Object *> entries(const ks::ObjectList &list) {
    std::vector<ks::Object *> result;
    ks::ObjectListIterator li(&list);
    for (li.first(); !li.isDone(); li.next())
      result.push_back(li.currentObject());
    return result;
  }

  int storage[100] = {};
};

TEST_F(ObjectListTest, GrowsByDoubling) {
  ks::ObjectList list;
  EXPECT_EQ(list.getCount(), 0);
  EXPECT_EQ(list.getCapacity(), 1);
  EXPECT_TRUE(list.isEmpty());
  int expected_capacity[] = {1, 2, 4, 4, 8, 8, 8, 8, 16};
  for (int i = 0; i < 9; i++) {
    ASSERT_EQ(list.insert(obj(i)), 0);
    EXPECT_EQ(list.getCount(), i + 1);
    EXPECT_EQ(list.getCapacity(), expected_capacity[i]) << "after insert " << i + 1;
  }
  EXPECT_FALSE(list.isEmpty());
}

TEST_F(ObjectListTest, LargeListKeepsOrder) {
  ks::ObjectList list;
  for (int i = 0; i < 100000; i++)
    ASSERT_EQ(list.insert(obj(i % 100)), 0);
  EXPECT_EQ(list.getCount(), 100000);
  EXPECT_EQ(list.getCapacity(), 131072);
  for (int i = 0; i < 100000; i += 997)
    ASSERT_EQ(list.getItem(i), obj(i % 100));
}

TEST_F(ObjectListTest, NullIsRefused) {
  ks::ObjectList list;
  EXPECT_EQ(list.insert(nullptr), -1);
  EXPECT_EQ(list.getCount(), 0);
  EXPECT_EQ(list.getCapacity(), 1);
}

TEST_F(ObjectListTest, RemoveFailures) {
  ks::ObjectList list;
  EXPECT_EQ(list.remove(obj(0)), -1);
  EXPECT_EQ(list.remove(nullptr), -1);
  list.insert(obj(0));
  EXPECT_EQ(list.remove(obj(1)), -1);
  EXPECT_EQ(list.getCount(), 1);
}

TEST_F(ObjectListTest, RemoveTakesFirstOccurrenceAndKeepsOrder) {
  ks::ObjectList list;
  ks::Object *a = obj(0), *b = obj(1), *c = obj(2);
  list.insert(a);
  list.insert(b);
  list.insert(c);
  list.insert(b);
  EXPECT_EQ(list.remove(b), 0);
  EXPECT_EQ(entries(list), (std::vector<ks::Object *>{a, c, b}));
  EXPECT_EQ(list.remove(b), 0);
  EXPECT_EQ(entries(list), (std::vector<ks::Object *>{a, c}));
  EXPECT_EQ(list.remove(b), -1);
  EXPECT_EQ(list.remove(c), 0); // the last entry
  EXPECT_EQ(list.remove(a), 0); // the only entry
  EXPECT_TRUE(list.isEmpty());
  EXPECT_EQ(list.getCapacity(), 4); // never shrinks
}

TEST_F(ObjectListTest, ClearKeepsCapacity) {
  ks::ObjectList list;
  for (int i = 0; i < 5; i++)
    list.insert(obj(i));
  list.clear();
  EXPECT_EQ(list.getCount(), 0);
  EXPECT_EQ(list.getCapacity(), 8);
  EXPECT_EQ(list.getItem(0), nullptr);
  list.insert(obj(9));
  EXPECT_EQ(entries(list), std::vector<ks::Object *>{obj(9)});
}

TEST_F(ObjectListTest, CopiesAreIndependent) {
  ks::ObjectList list;
  for (int i = 0; i < 3; i++)
    list.insert(obj(i));
  ks::ObjectList copy(list);
  EXPECT_EQ(copy.getCount(), 3);
  EXPECT_EQ(copy.getCapacity(), 4);
  list.insert(obj(5));
  list.remove(obj(0));
  EXPECT_EQ(entries(copy), (std::vector<ks::Object *>{obj(0), obj(1), obj(2)}));
  copy.insert(obj(7));
  EXPECT_EQ(entries(list), (std::vector<ks::Object *>{obj(1), obj(2), obj(5)}));
}

TEST_F(ObjectListTest, Assignment) {
  ks::ObjectList a, b;
  for (int i = 0; i < 5; i++)
    a.insert(obj(i));
  b.insert(obj(9));
  b = a;
  EXPECT_EQ(b.getCount(), 5);
  EXPECT_EQ(b.getCapacity(), 8);
  a.clear();
  EXPECT_EQ(entries(b), (std::vector<ks::Object *>{obj(0), obj(1), obj(2), obj(3), obj(4)}));
  ks::ObjectList &same = b;
  b = same;
  EXPECT_EQ(b.getCount(), 5);
  EXPECT_EQ(b.getItem(4), obj(4));
  // An empty list assigned over a full one.
  b = ks::ObjectList();
  EXPECT_TRUE(b.isEmpty());
  EXPECT_EQ(b.insert(obj(1)), 0);
}

TEST_F(ObjectListTest, PlusAppendsInOrder) {
  ks::ObjectList a, b;
  a.insert(obj(0));
  a.insert(obj(1));
  b.insert(obj(2));
  b.insert(obj(0));
  b.insert(obj(3));
  ks::ObjectList sum = a + b;
  EXPECT_EQ(entries(sum), (std::vector<ks::Object *>{obj(0), obj(1), obj(2), obj(0), obj(3)}));
  EXPECT_EQ(sum.getCapacity(), 8);
  // The operands are untouched.
  EXPECT_EQ(a.getCount(), 2);
  EXPECT_EQ(b.getCount(), 3);
  EXPECT_EQ(entries(a + ks::ObjectList()), entries(a));
  EXPECT_EQ(entries(ks::ObjectList() + b), entries(b));
  ks::ObjectList twice = a + a;
  EXPECT_EQ(entries(twice), (std::vector<ks::Object *>{obj(0), obj(1), obj(0), obj(1)}));
}

TEST_F(ObjectListTest, IteratorOverCopyIsUndisturbed) {
  ks::ObjectList list;
  for (int i = 0; i < 4; i++)
    list.insert(obj(i));
  ks::ObjectList snapshot(list);
  ks::ObjectListIterator li(&snapshot);
  std::vector<ks::Object *> seen;
  for (li.first(); !li.isDone(); li.next()) {
    seen.push_back(li.currentObject());
    list.remove(obj(0));
    list.remove(obj(2));
    list.insert(obj(50));
  }
  EXPECT_EQ(seen, (std::vector<ks::Object *>{obj(0), obj(1), obj(2), obj(3)}));
}

TEST_F(ObjectListTest, IteratorStopsAtTheEnd) {
  ks::ObjectList list;
  list.insert(obj(0));
  ks::ObjectListIterator li(&list);
  EXPECT_FALSE(li.isDone());
  EXPECT_EQ(li.currentObject(), obj(0));
  li.next();
  EXPECT_TRUE(li.isDone());
  EXPECT_EQ(li.currentObject(), nullptr);
  li.next();
  li.next();
  EXPECT_TRUE(li.isDone());
  EXPECT_EQ(li.currentObject(), nullptr);
  // A list that grows again is seen from where the iterator stopped.
  list.insert(obj(1));
  EXPECT_FALSE(li.isDone());
  EXPECT_EQ(li.currentObject(), obj(1));
  li.first();
  EXPECT_EQ(li.currentObject(), obj(0));
}

} // namespace
