#include "Character.h"

#include "EventCollision.h"
#include "EventOut.h"
#include "EventStep.h"

Character::Character() : gravity(0.1f), jump_count(0), jump_slowdown(60) {
  setSolidness(ks::HARD);
}

int Character::eventHandler(const ks::Event *p_e) {
  ks::Vector v = getVelocity();
  if (p_e->getType() == ks::STEP_EVENT) {
    setVelocity(ks::Vector(v.getX(), v.getY() + gravity));
    return 1;
  }
  if (p_e->getType() == ks::COLLISION_EVENT) {
    jump_count = 0;
    if (v.getY() != 0) {
      setVelocity(ks::Vector(v.getX(), 0));
      return 1;
    }
  }
  if (p_e->getType() == ks::OUT_EVENT) {
    if (v.getX() != 0) {
      setVelocity(ks::Vector(0, v.getY()));
      return 1;
    }
    if (v.getY() != 0) {
      setVelocity(ks::Vector(v.getX(), 0));
      return 1;
    }
  }
  return 0;
}

void Character::jump() {
  if (jump_count < 1) {
    jump_count = jump_slowdown;
    setVelocity(ks::Vector(getVelocity().getX(), -1.0f));
  }
}

int Character::getJumpCount() const {
  return jump_count;
}

float Character::getGravity() const {
  return gravity;
}
