#ifndef KS_OBJECT_LIST_H
#define KS_OBJECT_LIST_H

namespace ks {

class Object;

/// A growable array of object pointers in insertion order, copied by value. The list never
/// owns the objects it holds.
class ObjectList {
public:
  /// An empty list with room for one entry.
  ObjectList();
  /// A copy with its own storage of the same capacity (empty, capacity 0, if that fails).
  ObjectList(const ObjectList &other);
  /// Becomes a copy of `other`, as the copy constructor makes one.
  ObjectList &operator=(const ObjectList &other);
  ~ObjectList();

  /// Appends `p_o`, doubling the storage when full. 0, or -1 for null or when memory ran out.
  /// Duplicates are allowed.
  int insert(Object *p_o);

  /// Removes the first entry equal to `p_o`; later entries keep their order. 0, or -1 if absent.
  int remove(Object *p_o);

  /// Removes the last entry equal to `p_o`: the same as remove() in a list without duplicates,
  /// and quick for entries near the end. 0, or -1 if absent.
  int removeLast(Object *p_o);

  /// Empties the list; the storage stays.
  void clear();

  /// Number of entries.
  int getCount() const { return count; }
  /// Entries the storage holds before it grows.
  int getCapacity() const { return capacity; }
  /// True when there is no entry.
  bool isEmpty() const { return count == 0; }

  /// The entry at `index`, or null outside 0 .. count-1.
  Object *getItem(int index) const { return index >= 0 && index < count ? p_item[index] : nullptr; }

  /// A copy of this list with the non-null entries of `other` appended.
  ObjectList operator+(const ObjectList &other) const;

private:
  void copyFrom(const ObjectList &other);

  int count;       ///< entries in use; 0 <= count <= capacity
  int capacity;    ///< entries allocated
  Object **p_item; ///< the entries (owned storage, C heap); the objects are not owned
};

} // namespace ks

#endif
