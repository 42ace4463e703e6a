#ifndef KS_SOLID_GRID_H
#define KS_SOLID_GRID_H

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "Box.h"

namespace ks {

class Object;

/// A uniform grid over the world that finds the solid objects whose world boxes may touch a
/// box without walking every solid object. Each object carries a sequence number; answers come
/// in sequence order, which the scene graph keeps equal to the order of its solid list. The
/// grid doesn't own the objects.
class SolidGrid {
public:
  /// Side of a grid cell in world cells.
  static constexpr float CELL = 4.0f;

  SolidGrid();

  /// Covers `area` from now on; the objects already in the grid are filed again.
  void setArea(Box area);

  /// Files `p_o` with its world box `world_box` and sequence number `seq`.
  void insert(Object *p_o, Box world_box, uint64_t seq);
  /// Forgets `p_o` (nothing if it is not in the grid).
  void remove(const Object *p_o);
  /// Files `p_o` again for its new world box (nothing if it is not in the grid).
  void move(const Object *p_o, Box world_box);
  /// Forgets every object.
  void clear();
  /// True if `p_o` is in the grid.
  bool contains(const Object *p_o) const;

  /// The objects whose filed boxes may touch `b`, in sequence order, each once. A superset:
  /// callers test the boxes themselves.
  std::vector<Object *> candidates(Box b) const;

private:
  struct Record {
    Object *p_object; ///< not owned
    Box world_box;    ///< the box the object is filed under
    uint64_t seq;     ///< order in the scene graph's solid list
    bool outside;     ///< filed in `outside` instead of cells
  };
  struct Span {
    int x0, y0, x1, y1; ///< inclusive cell ranges
  };

  bool spanOf(Box b, Span *p_span) const;
  void file(const Record &record);
  void unfile(const Record &record);

  Box area;                                           ///< the world covered by cells
  int columns;                                        ///< cells across; 0 when the area is empty
  int rows;                                           ///< cells down
  std::vector<std::vector<const Record *>> cells;     ///< records touching each cell
  std::vector<const Record *> outside;                ///< records whose boxes reach beyond the area
  std::unordered_map<const Object *, Record> records; ///< every filed object
};

} // namespace ks

#endif
