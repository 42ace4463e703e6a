#include "ObjectList.h"

#include <cstdlib>
#include <cstring>

namespace ks {

ObjectList::ObjectList() : count(0), capacity(0), p_item(nullptr) {
  p_item = static_cast<Object **>(malloc(sizeof(Object *)));
  if (p_item != nullptr)
    capacity = 1;
}

ObjectList::ObjectList(const ObjectList &other) : count(0), capacity(0), p_item(nullptr) {
  copyFrom(other);
}

ObjectList &ObjectList::operator=(const ObjectList &other) {
  if (this == &other)
    return *this;
  free(p_item);
  p_item = nullptr;
  copyFrom(other);
  return *this;
}

ObjectList::~ObjectList() {
  free(p_item);
}

void ObjectList::copyFrom(const ObjectList &other) {
  count = 0;
  capacity = 0;
  if (other.capacity == 0)
    return;
  p_item = static_cast<Object **>(malloc(sizeof(Object *) * other.capacity));
  if (p_item == nullptr)
    return;
  memcpy(p_item, other.p_item, sizeof(Object *) * other.count);
  capacity = other.capacity;
  count = other.count;
}

int ObjectList::insert(Object *p_o) {
  if (p_o == nullptr)
    return -1;
  if (count == capacity) {
    // A list whose first allocation failed starts over with one entry.
    int new_capacity = capacity == 0 ? 1 : capacity * 2;
    void *p_new = realloc(p_item, sizeof(Object *) * new_capacity);
    if (p_new == nullptr)
      return -1;
    p_item = static_cast<Object **>(p_new);
    capacity = new_capacity;
  }
  p_item[count++] = p_o;
  return 0;
}

int ObjectList::remove(Object *p_o) {
  for (int i = 0; i < count; i++) {
    if (p_item[i] == p_o) {
      memmove(&p_item[i], &p_item[i + 1], sizeof(Object *) * (count - i - 1));
      count--;
      return 0;
    }
  }
  return -1;
}

int ObjectList::removeLast(Object *p_o) {
  for (int i = count - 1; i >= 0; i--) {
    if (p_item[i] == p_o) {
      memmove(&p_item[i], &p_item[i + 1], sizeof(Object *) * (count - i - 1));
      count--;
      return 0;
    }
  }
  return -1;
}

void ObjectList::clear() {
  count = 0;
}

ObjectList ObjectList::operator+(const ObjectList &other) const {
  ObjectList sum(*this);
  for (int i = 0; i < other.count; i++)
    if (other.p_item[i] != nullptr)
      sum.insert(other.p_item[i]);
  return sum;
}

} // namespace ks
