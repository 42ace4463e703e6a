#include "Controls.h"

#include <algorithm>
#include <cmath>

#include "EventKeyboard.h"
#include "EventMouse.h"
#include "InputManager.h"
#include "WorldManager.h"

namespace play {

namespace {

/// The keys that the input manager samples for KEY_DOWN, in its order.
const int HELD_KEY_ORDER[] = {
    ks::UPARROW,     ks::DOWNARROW,
    ks::LEFTARROW,   ks::RIGHTARROW,
    ks::SPACE,       ks::RETURN,
    ks::TAB,         ks::ESCAPE,
    ks::PAUSE,       ks::MINUS,
    ks::PLUS,        ks::TILDE,
    ks::PERIOD,      ks::COMMA,
    ks::SLASH,       ks::EQUAL,
    ks::BACKSLASH,   ks::MULTIPLY,
    ks::QUOTE,       ks::SEMICOLON,
    ks::LEFTCONTROL, ks::RIGHTCONTROL,
    ks::LEFTSHIFT,   ks::RIGHTSHIFT,
    ks::F1,          ks::F2,
    ks::F3,          ks::F4,
    ks::F5,          ks::F6,
    ks::F7,          ks::F8,
    ks::F9,          ks::F10,
    ks::A,           ks::B,
    ks::C,           ks::D,
    ks::E,           ks::F,
    ks::G,           ks::H,
    ks::I,           ks::J,
    ks::K,           ks::L,
    ks::M,           ks::N,
    ks::O,           ks::P,
    ks::Q,           ks::R,
    ks::S,           ks::T,
    ks::U,           ks::V,
    ks::W,           ks::X,
    ks::Y,           ks::Z,
    ks::NUM1,        ks::NUM2,
    ks::NUM3,        ks::NUM4,
    ks::NUM5,        ks::NUM6,
    ks::NUM7,        ks::NUM8,
    ks::NUM9,        ks::NUM0,
    ks::BACKSPACE,
};

void sendKey(int key, int action) {
  ks::EventKeyboard e;
  e.setKey(key);
  e.setKeyboardAction(action);
  ks::InputManager::getInstance().onEvent(&e);
}

void sendMouse(int action, int button, ks::Vector at) {
  ks::EventMouse e;
  e.setMouseAction(action);
  e.setMouseButton(button);
  e.setMousePosition(at);
  ks::InputManager::getInstance().onEvent(&e);
}

} // namespace

void Controls::press(int key) {
  if (isDown(key))
    return;
  keys_down.insert(key);
  presses.push_back(key);
  queue.push_back({true, key, ks::KEY_PRESSED, -1, ks::Vector()});
}

void Controls::release(int key) {
  if (!isDown(key))
    return;
  keys_down.erase(key);
  keys_tapped.erase(key);
  queue.push_back({true, key, ks::KEY_RELEASED, -1, ks::Vector()});
}

void Controls::tap(int key) {
  press(key);
  keys_tapped.insert(key);
}

bool Controls::isDown(int key) const {
  return keys_down.count(key) > 0;
}

void Controls::movePointer(ks::Vector window_pos) {
  if (window_pos == pointer)
    return;
  pointer = window_pos;
  queue.push_back({false, -1, ks::MOVED, -1, pointer});
}

void Controls::click(int button, ks::Vector window_pos) {
  movePointer(window_pos);
  buttons_down.insert(button);
  buttons_clicked.insert(button);
  queue.push_back({false, -1, ks::CLICKED, button, pointer});
}

int Controls::pressCount(int key) const {
  return static_cast<int>(std::count(presses.begin(), presses.end(), key));
}

void Controls::deliver() {
  for (const Queued &q : queue) {
    if (q.is_key) {
      sendKey(q.key, q.action);
      continue;
    }
    if (q.action == ks::MOVED) {
      sendMouse(ks::MOVED, -1, q.at);
      continue;
    }
    // As the input manager builds a click: the event names only the right button; the live
    // state then names a held left button, and after that a held middle one.
    int button = q.button == ks::RIGHT ? ks::RIGHT : -1;
    if (buttons_down.count(ks::LEFT) > 0)
      button = ks::LEFT;
    if (buttons_down.count(ks::MIDDLE) > 0)
      button = ks::MIDDLE;
    sendMouse(ks::CLICKED, button, q.at);
  }
  queue.clear();
  for (int button : {ks::LEFT, ks::RIGHT, ks::MIDDLE})
    if (buttons_down.count(button) > 0)
      sendMouse(ks::PRESSED, button, pointer);
  for (int key : HELD_KEY_ORDER)
    if (isDown(key))
      sendKey(key, ks::KEY_DOWN);

  // What was clicked or tapped goes up between this step and the next.
  for (int button : buttons_clicked)
    buttons_down.erase(button);
  buttons_clicked.clear();
  std::set<int> tapped = keys_tapped;
  for (int key : tapped)
    release(key);
}

ks::Vector windowCell(int x, int y) {
  // The reticle adds the truncated view corner to the truncated pointer, while the cell is
  // drawn at the exact corner: half-way through the overlap of the two satisfies both.
  ks::Vector c = ks::WorldManager::getInstance().getView().getCorner();
  float fx = c.getX() - std::trunc(c.getX()), fy = c.getY() - std::trunc(c.getY());
  return ks::Vector(static_cast<float>(x) - std::trunc(c.getX()) + (1 - fx) / 2,
                    static_cast<float>(y) - std::trunc(c.getY()) + (1 - fy) / 2);
}

ks::Vector toWindow(ks::Vector world) {
  return world - ks::WorldManager::getInstance().getView().getCorner();
}

} // namespace play
