#ifndef KS_PATH_MANAGER_H
#define KS_PATH_MANAGER_H

#include <vector>

#include "Manager.h"
#include "Vector.h"

namespace ks {

class Object;
class PathFind;

/// Runs every path search a ply at a time, within half a frame per step, and hands finished
/// paths to their objects as "ks::path" events.
class PathManager : public Manager {
public:
  /// The one path manager, created on first use.
  static PathManager &getInstance();

  ~PathManager() override;

  /// Sets the time budget to half the frame time. 0, or -1 if already started.
  int startUp() override;

  /// Stops the manager; registered searches stay as they are.
  void shutDown() override;

  /// Starts a search for `p_o` from its cell to `goal` (a world position; both truncated to
  /// cells) and gives it to the object, replacing and deleting a search it was still running.
  /// The object follows the path when it is found. 0, or -1 for a null object.
  int findPath(Object *p_o, Vector goal);

  /// Adds a search to the ones cycled each step; the manager doesn't own it. 0, or -1 for null.
  int registerPathFind(PathFind *p_path_find);

  /// Removes a search (not deleting it). 0, or -1 if null or not registered.
  int unregisterPathFind(PathFind *p_path_find);

  /// Gives each search one ply per pass, pass after pass, until the budget is spent.
  void cycle();

  /// Number of registered searches.
  int getPathFindCount() const;

  /// Budget of one cycle() in milliseconds.
  int getMaxTime() const;

private:
  PathManager();

  std::vector<PathFind *> path_finds; ///< running searches, in registration order (not owned)
  int max_time;                       ///< budget of one cycle() in milliseconds
};

} // namespace ks

#endif
