// Events: their type strings, input events undefined until filled in, a collision's roles.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "EventCollision.h"
#include "EventKeyboard.h"
#include "EventMouse.h"
#include "EventOut.h"
#include "EventPath.h"
#include "EventStep.h"
#include "EventView.h"

namespace {

TEST(EventTest, EachKindHasItsTypeStringInputStartsUndefinedAndACollisionNamesTheMoverFirst) {
  EXPECT_EQ((std::vector<std::string>{ks::Event().getType(), ks::EventStep().getType(),
                                      ks::EventKeyboard().getType(), ks::EventMouse().getType(),
                                      ks::EventCollision().getType(), ks::EventOut().getType(),
                                      ks::EventPath().getType(), ks::EventView().getType()}),
            (std::vector<std::string>{"ks::undefined", "ks::step", "ks::keyboard", "ks::mouse",
                                      "ks::collision", "ks::out", "ks::path", "ks::view"}));
  EXPECT_EQ(
      (std::vector<int>{ks::EventKeyboard().getKey(), ks::EventKeyboard().getKeyboardAction(),
                        ks::EventMouse().getMouseAction(), ks::EventMouse().getMouseButton()}),
      std::vector<int>(4, -1));
  int mover = 0, other = 0; // stand-ins: the event never reads its objects
  auto *p_mover = reinterpret_cast<ks::Object *>(&mover),
       *p_other = reinterpret_cast<ks::Object *>(&other);
  ks::EventCollision hit(p_mover, p_other, ks::Vector(2, 3));
  EXPECT_EQ(hit.getObject1(), p_mover);
  EXPECT_EQ(hit.getObject2(), p_other);
  EXPECT_EQ(hit.getPosition(), ks::Vector(2, 3));
}

} // namespace
