#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "Event.h"
#include "EventCollision.h"
#include "EventKeyboard.h"
#include "EventMouse.h"
#include "EventOut.h"
#include "EventPath.h"
#include "EventStep.h"
#include "EventView.h"

namespace {

TEST(Event, TypeStrings) {
  EXPECT_EQ(ks::Event().getType(), "ks::undefined");
  EXPECT_EQ(ks::EventStep().getType(), "ks::step");
  EXPECT_EQ(ks::EventKeyboard().getType(), "ks::keyboard");
  EXPECT_EQ(ks::EventMouse().getType(), "ks::mouse");
  EXPECT_EQ(ks::EventCollision().getType(), "ks::collision");
  EXPECT_EQ(ks::EventOut().getType(), "ks::out");
  EXPECT_EQ(ks::EventPath().getType(), "ks::path");
  EXPECT_EQ(ks::EventView().getType(), "ks::view");
  EXPECT_EQ(ks::UNDEFINED_EVENT, "ks::undefined");
  EXPECT_EQ(ks::STEP_EVENT, "ks::step");
  EXPECT_EQ(ks::KEYBOARD_EVENT, "ks::keyboard");
  EXPECT_EQ(ks::MOUSE_EVENT, "ks::mouse");
  EXPECT_EQ(ks::COLLISION_EVENT, "ks::collision");
  EXPECT_EQ(ks::OUT_EVENT, "ks::out");
  EXPECT_EQ(ks::PATH_EVENT, "ks::path");
  EXPECT_EQ(ks::VIEW_EVENT, "ks::view");
}

TEST(Event, TypeIsSetAndComparedExactly) {
  ks::Event e;
  e.setType("KS::step");
  EXPECT_NE(e.getType(), ks::STEP_EVENT);
  e.setType("ks::step");
  EXPECT_EQ(e.getType(), ks::STEP_EVENT);
}

TEST(Event, KeyboardStartsUndefined) {
  ks::EventKeyboard e;
  EXPECT_EQ(e.getKey(), -1);
  EXPECT_EQ(e.getKeyboardAction(), -1);
  e.setKey(ks::Q);
  e.setKeyboardAction(ks::KEY_DOWN);
  EXPECT_EQ(e.getKey(), ks::Q);
  EXPECT_EQ(e.getKeyboardAction(), ks::KEY_DOWN);
}

TEST(Event, MouseStartsUndefined) {
  ks::EventMouse e;
  EXPECT_EQ(e.getMouseAction(), -1);
  EXPECT_EQ(e.getMouseButton(), -1);
  EXPECT_EQ(e.getMousePosition(), ks::Vector(0, 0));
  e.setMouseAction(ks::CLICKED);
  e.setMouseButton(ks::RIGHT);
  e.setMousePosition(ks::Vector(3, 4));
  EXPECT_EQ(e.getMouseAction(), ks::CLICKED);
  EXPECT_EQ(e.getMouseButton(), ks::RIGHT);
  EXPECT_EQ(e.getMousePosition(), ks::Vector(3, 4));
}

TEST(Event, KeyValues) {
  EXPECT_EQ(ks::UNDEFINED_KEY, -1);
  EXPECT_EQ(ks::SPACE, 0);
  EXPECT_EQ(ks::RETURN, 1);
  EXPECT_EQ(ks::ESCAPE, 2);
  EXPECT_EQ(ks::TAB, 3);
  EXPECT_EQ(ks::LEFTARROW, 4);
  EXPECT_EQ(ks::RIGHTARROW, 5);
  EXPECT_EQ(ks::UPARROW, 6);
  EXPECT_EQ(ks::DOWNARROW, 7);
  EXPECT_EQ(ks::PAUSE, 8);
  EXPECT_EQ(ks::MINUS, 9);
  EXPECT_EQ(ks::PLUS, 10);
  EXPECT_EQ(ks::TILDE, 11);
  EXPECT_EQ(ks::PERIOD, 12);
  EXPECT_EQ(ks::COMMA, 13);
  EXPECT_EQ(ks::SLASH, 14);
  EXPECT_EQ(ks::EQUAL, 15);
  EXPECT_EQ(ks::BACKSLASH, 16);
  EXPECT_EQ(ks::MULTIPLY, 17);
  EXPECT_EQ(ks::QUOTE, 18);
  EXPECT_EQ(ks::SEMICOLON, 19);
  EXPECT_EQ(ks::LEFTCONTROL, 20);
  EXPECT_EQ(ks::RIGHTCONTROL, 21);
  EXPECT_EQ(ks::LEFTSHIFT, 22);
  EXPECT_EQ(ks::RIGHTSHIFT, 23);
  EXPECT_EQ(ks::F1, 24);
  EXPECT_EQ(ks::F12, 35);
  EXPECT_EQ(ks::A, 36);
  EXPECT_EQ(ks::P, 51);
  EXPECT_EQ(ks::Q, 52);
  EXPECT_EQ(ks::Z, 61);
  EXPECT_EQ(ks::NUM1, 62);
  EXPECT_EQ(ks::NUM9, 70);
  EXPECT_EQ(ks::NUM0, 71);
  EXPECT_EQ(ks::BACKSPACE, 72);
}

} // namespace
