#include "ObjectListIterator.h"

namespace ks {

ObjectListIterator::ObjectListIterator(const ObjectList *p_l) : p_list(p_l), index(0) {}

void ObjectListIterator::first() {
  index = 0;
}

void ObjectListIterator::next() {
  if (index < p_list->getCount())
    index++;
}

bool ObjectListIterator::isDone() const {
  return index >= p_list->getCount();
}

Object *ObjectListIterator::currentObject() const {
  return p_list->getItem(index);
}

} // namespace ks
