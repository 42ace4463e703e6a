#include "EventPath.h"

namespace ks {

EventPath::EventPath() : status(-1), path() {
  setType(PATH_EVENT);
}

void EventPath::setStatus(int new_status) {
  status = new_status;
}
int EventPath::getStatus() const {
  return status;
}
void EventPath::setPath(Path new_path) {
  path = new_path;
}
Path EventPath::getPath() const {
  return path;
}

} // namespace ks
