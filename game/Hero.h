// The player's character.
#ifndef HERO_H
#define HERO_H

#include "Character.h"
#include "Vector.h"

class Reticle;

/// Walks and jumps under the arrow keys, shoots arrows at the pointer with the right button,
/// spawns a monster every 101 steps and, when it dies, brings up the game-over screen.
class Hero : public Character {
public:
  /// The hero at (7, 14) with its reticle, registered for keyboard, step and mouse events.
  Hero();
  /// Plays "heroDeath", stops "music", brings up the game-over screen and removes the
  /// reticle.
  ~Hero() override;
  /// Out: "Player left." and death. Mouse: right click fires. Step: spawning, arrow cooldown,
  /// gravity. Keyboard: walking, jumping, Q quits. 1 if handled, 0 otherwise.
  int eventHandler(const ks::Event *p_e) override;
  /// Shoots an arrow from the hero towards `target` (window cells) unless the last arrow is
  /// too recent.
  void fire(ks::Vector target);
  /// Counts down and, every 101st call, creates a monster 80 cells to the right, at row 3.
  void spawnMonster();
  /// The hero's reticle (owned by the world manager), or null once it is gone.
  Reticle *getReticle() const;
  /// Called by the reticle when it is destroyed, so that the hero never uses it again.
  void forgetReticle();
  /// Steps until the next arrow may be fired (0: now).
  int getFireCountdown() const;
  /// Steps until the next monster.
  int getSpawnCountdown() const;
  /// The live hero with id `id`, or null if there is none (never one that was destroyed).
  static Hero *lookUp(int id);

private:
  Hero(const Hero &) = delete;
  Hero &operator=(const Hero &) = delete;
  Reticle *p_reticle;  ///< the hero's mouse cursor (owned by the world manager), or null
  int fire_slowdown;   ///< steps between two arrows
  int fire_countdown;  ///< steps until the next arrow may be fired; >= 0
  int spawn_countdown; ///< steps until the next monster
  int spawn_slowdown;  ///< the value spawn_countdown restarts from
};

#endif
