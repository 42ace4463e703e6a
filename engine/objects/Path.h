#ifndef KS_PATH_H
#define KS_PATH_H

#include <vector>

#include "Vector.h"

namespace ks {

/// The result of a path search: world positions from the start (first) to the goal (last),
/// and the index of the next node to go to.
class Path {
public:
  /// An empty path at index 0.
  Path();
  /// A path through `nodes` at index 0.
  explicit Path(std::vector<Vector> nodes);

  /// The node at the index, or (0, 0) when the path is done.
  Vector currentNode() const;
  /// On to the next node, never beyond the node count.
  void next();
  /// True when the index has passed the last node.
  bool isDone() const;

  /// Index of the next node to go to.
  unsigned int getIndex() const;
  /// Sets the index of the next node, at most the node count.
  void setIndex(unsigned int new_index);
  /// The nodes, start first, goal last.
  std::vector<Vector> getNodes() const;
  /// Number of nodes.
  unsigned int getNodeCount() const;

private:
  std::vector<Vector> nodes; ///< start first, goal last
  unsigned int index;        ///< next node to go to; index <= nodes.size()
};

} // namespace ks

#endif
