#ifndef KS_EVENT_PATH_H
#define KS_EVENT_PATH_H

#include "Event.h"
#include "Path.h"

namespace ks {

/// Type of EventPath; objects get it without registering.
const std::string PATH_EVENT = "ks::path";

/// Sent by the path manager to an object whose path search has finished.
class EventPath : public Event {
public:
  /// Status -1 and an empty path; the path manager fills both in.
  EventPath();

  /// A PathResult: FOUND or NOT_FOUND.
  void setStatus(int new_status);
  /// A PathResult: FOUND or NOT_FOUND (-1 until set).
  int getStatus() const;
  /// The path found (start first, goal last).
  void setPath(Path new_path);
  /// The path found (start first, goal last).
  Path getPath() const;

private:
  int status; ///< PathResult of the search
  Path path;  ///< the path found
};

} // namespace ks

#endif
