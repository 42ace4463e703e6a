// A scripted player for the shipped level: it looks at the world as the screen shows it and
// answers with keys and mouse clicks.
#ifndef KS_PLAY_PLAYER_H
#define KS_PLAY_PLAYER_H

#include <map>
#include <vector>

#include "Controls.h"
#include "Vector.h"

class Hero;
class Monster;
class Tile;

namespace play {

/// Plays one step at a time. Walking right, it jumps onto steps it can clear, digs through
/// what it cannot, drops down ledges, fills the top row of bottomless pits before crossing
/// them, and shoots monsters when a shot would hit. With `walks` false it stands its ground
/// and only shoots.
class Player {
public:
  /// A player using `p_init_controls` (not owned; it must outlive the player) on the level
  /// built in the world at this moment.
  explicit Player(Controls *p_init_controls, bool init_walks = true);

  /// Decides the input of the coming step for `p_hero` (world-owned, alive).
  void play(Hero *p_hero);

  /// Lets go of everything and only shoots from now on.
  void stop();

  int digs = 0;                  ///< dirt cells clicked away
  int builds = 0;                ///< empty cells clicked full
  int jumps = 0;                 ///< jumps started
  int shots = 0;                 ///< arrows fired
  float furthest = 0;            ///< the hero's largest x so far
  std::vector<ks::Vector> dug;   ///< cells dug, in order
  std::vector<ks::Vector> built; ///< cells filled, in order

private:
  /// What the player is in the middle of.
  enum Mode {
    WALKING, ///< right arrow held (or about to be), reacting to the ground
    BACKING, ///< walking left for a run-up
    RUN_UP,  ///< one step right before the jump
  };

  /// True if a HARD tile is at cell (`x`, `y`).
  bool hard(int x, int y) const;
  /// The tile at cell (`x`, `y`), or null.
  Tile *tileAt(int x, int y) const;
  /// True if the hero's 1 x 2 box centred on `p` overlaps a HARD tile.
  bool hits(ks::Vector p) const;
  /// True if a HARD tile lies right under the hero at `p` (it stands on it).
  bool supported(ks::Vector p) const;
  /// True if some HARD tile lies under the hero at `p` within `rows` rows.
  bool groundBelow(ks::Vector p, int rows) const;
  /// Steps of run-up (walking left) from which a jump clears the wall in column `wall` for a
  /// hero blocked at `p`, or 0 if no run-up of at most 9 steps does.
  int runUpFor(ks::Vector p, int wall) const;
  /// Fills the top of a bottomless column ahead of a hero standing at `p`; true if it clicked.
  bool bridge(ks::Vector p);
  /// Handles a hero at `p` that did not get on while walking right.
  void blocked(ks::Vector p);
  /// Shoots at a monster if an arrow from `p_hero` would hit one; true if it fired.
  bool shoot(Hero *p_hero);
  /// True if an arrow from `from` with velocity `v` meets `p_monster` (moving on with
  /// `monster_v`) within `steps` steps before any HARD tile.
  bool arrowHits(ks::Vector from, ks::Vector v, const Monster *p_monster, ks::Vector monster_v,
                 int steps) const;

  Controls *p_controls;                   ///< the keyboard and mouse (not owned)
  bool walks;                             ///< false: stand and shoot only
  std::vector<std::vector<Tile *>> tiles; ///< the level's tiles by [x][y] (world-owned)
  Mode mode = WALKING;                    ///< see Mode
  int steps_left = 0;                     ///< BACKING: steps of walking left still to go
  std::map<int, int> tries;               ///< jumps tried at each wall column
  ks::Vector last;                        ///< the hero's position at the previous step
  bool clicked = false;                   ///< a mouse click was made this step
};

} // namespace play

#endif
