// The hero's weapon.
#ifndef ARROW_H
#define ARROW_H

#include "EventCollision.h"
#include "Object.h"
#include "Vector.h"

/// Flies in a straight line; kills the first monster it touches, passes through the hero and
/// stops at anything else solid.
class Arrow : public ks::Object {
public:
  /// A SOFT arrow at `start_pos`, altitude 4, flying right; plays "fire".
  explicit Arrow(ks::Vector start_pos);
  /// Collisions go to hit(): 1. Anything else: 0.
  int eventHandler(const ks::Event *p_e) override;
  /// A monster and the arrow both go; the hero is passed; anything else removes the arrow.
  void hit(const ks::EventCollision *p_c);
};

#endif
