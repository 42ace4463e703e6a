// The enemy.
#ifndef MONSTER_H
#define MONSTER_H

#include "Character.h"

class Hero;

/// Walks towards the hero's column, sinks slowly, kills the hero by touching it and dies by
/// an arrow.
class Monster : public Character {
public:
  /// A monster at (40, 5) chasing `p_hero` (not owned; the monster keeps only its id and
  /// leaves the hero alone once it is gone).
  explicit Monster(Hero *p_hero);
  /// Plays "monsterDeath".
  ~Monster() override;
  /// Logs every event. Odd steps steer towards the hero, even steps apply gravity; touching
  /// the hero kills it. 1 if handled, 0 otherwise.
  int eventHandler(const ks::Event *p_e) override;
  /// The hero being chased if it still exists, else null.
  Hero *getHero() const;

private:
  int hero_id; ///< id of the hero chased; looked up each time, so a dead hero is never used
};

#endif
