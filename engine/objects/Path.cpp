#include "Path.h"

namespace ks {

Path::Path() : nodes(), index(0) {}

Path::Path(std::vector<Vector> init_nodes) : nodes(std::move(init_nodes)), index(0) {}

Vector Path::currentNode() const {
  return index < nodes.size() ? nodes[index] : Vector();
}

void Path::next() {
  if (index < nodes.size())
    index++;
}

bool Path::isDone() const {
  return index >= nodes.size();
}

unsigned int Path::getIndex() const {
  return index;
}

void Path::setIndex(unsigned int new_index) {
  index = new_index <= nodes.size() ? new_index : static_cast<unsigned int>(nodes.size());
}

std::vector<Vector> Path::getNodes() const {
  return nodes;
}

unsigned int Path::getNodeCount() const {
  return static_cast<unsigned int>(nodes.size());
}

} // namespace ks
