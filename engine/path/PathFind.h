#ifndef KS_PATH_FIND_H
#define KS_PATH_FIND_H

#include <string>
#include <vector>

#include "Path.h"

namespace ks {

class Object;

/// Result of a path search step.
enum PathResult {
  NOT_FOUND,  ///< every reachable cell was expanded without reaching the goal
  INCOMPLETE, ///< more work remains
  FOUND,      ///< the goal was reached
};

/// A cell of the world grid.
struct Cell {
  int x; ///< column
  int y; ///< row, growing downwards
  /// Same column and row.
  bool operator==(const Cell &other) const { return x == other.x && y == other.y; }
};

/// One incremental best-first (A*) search over the 8-connected cell grid, for one object,
/// from a start cell to a goal cell. A cell is blocked when the object placed there would
/// touch a HARD object.
class PathFind {
public:
  /// A search for `p_o` (not owned; null blocks no cell) from `start_cell` to `end_cell`
  /// over the cells of the world boundary current now, its extents truncated; the area stays
  /// that size if the boundary changes later.
  PathFind(Object *p_o, Cell start_cell, Cell end_cell);
  /// Frees the grid allocated by the constructor.
  ~PathFind();

  /// Expands one node (one ply), tracing every step to the log, and says whether the search
  /// is done.
  PathResult cycleOnce();

  /// The route from the start (first node) to the goal (last node), index 0; a start that is
  /// the goal gives one node; empty when the goal was never reached.
  Path getPath() const;

  /// The object that will walk the path (not owned).
  Object *getObject() const;
  /// Number of cycleOnce() calls so far.
  int getPly() const;

private:
  /// What the search knows about one cell.
  struct Node {
    float from_start; ///< cost of the best route found from the start
    float to_end;     ///< from_start + straight-line distance to the goal
    int parent_x;     ///< cell the best route comes from
    int parent_y;
    bool in_open;   ///< true exactly while the cell is in open_set
    bool in_closed; ///< true exactly when the cell is in closed_set
  };

  PathFind(const PathFind &) = delete;
  PathFind &operator=(const PathFind &) = delete;
  Node &node(Cell c) const;
  bool inArea(Cell c) const;
  Cell lowestOpen() const;
  void examine(Cell from, int dx, int dy);
  void update(Cell n, Cell from, float g);

  Object *p_object;             ///< the object that will walk the path (not owned)
  Cell start;                   ///< start cell
  Cell end;                     ///< goal cell
  int columns;                  ///< width of the grid, fixed at construction
  int rows;                     ///< height of the grid, fixed at construction
  Node **grid;                  ///< grid[y][x] (owned, C heap): rows x columns records
  std::vector<Cell> open_set;   ///< discovered, not expanded, in order of discovery
  std::vector<Cell> closed_set; ///< expanded, in order of expansion
  /// Scratch for tracing open_set; rebuilt every ply.
  std::string open_text;
  /// closed_set as traced, "(x,y) " per cell; only ever appended to, in step with closed_set,
  /// so a ply costs the same however many cells are closed.
  std::string closed_text;
  int ply; ///< cycleOnce() calls so far
};

} // namespace ks

#endif
