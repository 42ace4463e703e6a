// Everything in the game that walks and falls.
#ifndef CHARACTER_H
#define CHARACTER_H

#include "Object.h"

/// A HARD object under gravity that may jump once until it next collides with anything.
class Character : public ks::Object {
public:
  /// A HARD character on the ground, gravity 0.1, jump slowdown 60.
  Character();
  /// Step: gravity. Collision: landing (clears the jump, stops a vertical motion). Out: stops.
  /// 1 if handled, 0 otherwise.
  int eventHandler(const ks::Event *p_e) override;
  /// Jumps (upward speed 1 cell per step) if on the ground; otherwise nothing.
  void jump();
  /// Non-zero from a jump until the next collision.
  int getJumpCount() const;
  /// Added to the vertical velocity at every step.
  float getGravity() const;

private:
  float gravity;     ///< added to the vertical velocity at every step
  int jump_count;    ///< set by a jump, cleared by any collision; 0 means on the ground
  int jump_slowdown; ///< the value a jump stores in jump_count
};

#endif
