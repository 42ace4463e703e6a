// The mouse cursor with which the player digs and builds.
#ifndef RETICLE_H
#define RETICLE_H

#include "Object.h"

class Hero;

/// A red '+' under the pointer. A left click on a cell near the hero digs its dirt away or
/// fills an empty cell with dirt. Its position is in window cells.
class Reticle : public ks::Object {
public:
  /// A spectral cursor at altitude 4, in the middle of the world, registered for mouse events.
  Reticle();
  /// Tells its hero, if still alive, that the reticle is gone.
  ~Reticle() override;
  /// Moves follow the pointer; a left click digs or fills near the hero. 1 for every mouse
  /// event, 0 otherwise.
  int eventHandler(const ks::Event *p_e) override;
  /// Draws the '+' on the cell under the pointer that a left click works on.
  void draw() override;
  /// Sets the hero around which the player may dig (not owned; null for none). Only its id
  /// is kept, so a hero that has been destroyed is never used.
  void setHero(Hero *p_new_hero);
  /// The hero if it still exists, else null.
  Hero *getHero() const;

private:
  /// Digs or fills the first tile at window cell `m` within reach of `p_hero`.
  void digOrFill(Hero *p_hero, ks::Vector m);
  static ks::Vector clickedCell(ks::Vector m);
  int hero_id; ///< id of the hero, or -1; looked up on use
};

#endif
