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

  /// Releases the list, not the searches (their objects own them).
  ~PathManager() override;

  /// Sets the time budget to half the frame time, or, while a run is recorded or replayed, a
  /// fixed number of plies per step (the configuration's path plies), so that searches end
  /// in the same step whatever the machine's speed. 0, or -1 if already started.
  int startUp() override;

  /// Stops the manager; registered searches stay as they are.
  void shutDown() override;

  /// Starts a search for `p_o` (not owned) from the cell nearest its position to the cell
  /// nearest `goal`, registers it and stores it in the object, which owns it from then on; a
  /// search the object was still running is unregistered and deleted. When the search ends
  /// the object gets a "ks::path" event and, if the path was found, follows it at its own
  /// speed. 0, or -1 for a null object.
  int findPath(Object *p_o, Vector goal);

  /// Adds a search to the ones cycled each step; the manager doesn't own it (its object
  /// does). 0, or -1 if the search or its object is null.
  int registerPathFind(PathFind *p_path_find);

  /// Removes a search (not deleting it). 0, or -1 if null or not registered.
  int unregisterPathFind(PathFind *p_path_find);

  /// Gives each search one ply per pass, in registration order, pass after pass, until the
  /// budget is spent or no search is left; a finished search's result goes to its object as
  /// a "ks::path" event, whose base handler unregisters and deletes the search.
  void cycle();

  /// Plies per cycle() when the budget is counted in plies; 0 when it is time.
  int getPlies() const;

  /// Number of registered searches.
  int getPathFindCount() const;

  /// Budget of one cycle() in milliseconds.
  int getMaxTime() const;

private:
  PathManager();

  std::vector<PathFind *> path_finds; ///< running searches, in registration order (not owned)
  int max_time;                       ///< budget of one cycle() in milliseconds
  int plies;                          ///< budget of one cycle() in plies; 0: use max_time
};

} // namespace ks

#endif
