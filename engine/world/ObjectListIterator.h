#ifndef KS_OBJECT_LIST_ITERATOR_H
#define KS_OBJECT_LIST_ITERATOR_H

#include "ObjectList.h"

namespace ks {

/// Walks one ObjectList: first(); while (!isDone()) { currentObject(); next(); }.
class ObjectListIterator {
public:
  /// An iterator at the first entry of `p_l`; the iterator doesn't own the list.
  explicit ObjectListIterator(const ObjectList *p_l);

  /// Back to the first entry.
  void first() { index = 0; }
  /// On to the next entry; an iterator at the end stays there.
  void next() {
    if (index < p_list->getCount())
      index++;
  }
  /// True when every entry has been visited.
  bool isDone() const { return index >= p_list->getCount(); }
  /// The current entry, or null when done.
  Object *currentObject() const { return p_list->getItem(index); }

private:
  const ObjectList *p_list; ///< the list walked (not owned)
  int index;                ///< current entry
};

} // namespace ks

#endif
