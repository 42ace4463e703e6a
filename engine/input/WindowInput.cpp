#include "WindowInput.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Window/Keyboard.hpp>
#include <SFML/Window/Mouse.hpp>

#include "EventKeyboard.h"
#include "EventMouse.h"
#include "GraphicsManager.h"
#include "InputManager.h"
#include "LogManager.h"
#include "WindowDisplay.h"

namespace ks {

namespace {

using SK = sf::Keyboard;

struct KeyPair {
  SK::Key sfml;
  Key key;
};

// Keys with an engine name besides the letters and digits.
const KeyPair NAMED_KEYS[] = {
    {SK::Escape, ESCAPE},
    {SK::LControl, LEFTCONTROL},
    {SK::LShift, LEFTSHIFT},
    {SK::RControl, RIGHTCONTROL},
    {SK::RShift, RIGHTSHIFT},
    {SK::SemiColon, SEMICOLON},
    {SK::Comma, COMMA},
    {SK::Period, PERIOD},
    {SK::Quote, QUOTE},
    {SK::Slash, SLASH},
    {SK::BackSlash, BACKSLASH},
    {SK::Tilde, TILDE},
    {SK::Equal, EQUAL},
    {SK::Space, SPACE},
    {SK::Return, RETURN},
    {SK::BackSpace, BACKSPACE},
    {SK::Tab, TAB},
    {SK::Add, PLUS},
    {SK::Subtract, MINUS},
    {SK::Multiply, MULTIPLY},
    {SK::Left, LEFTARROW},
    {SK::Right, RIGHTARROW},
    {SK::Up, UPARROW},
    {SK::Down, DOWNARROW},
    {SK::Pause, PAUSE},
};

// The keys polled for KEY_DOWN events, in polling order.
const KeyPair HELD_KEYS[] = {
    {SK::Up, UPARROW},
    {SK::Down, DOWNARROW},
    {SK::Left, LEFTARROW},
    {SK::Right, RIGHTARROW},
    {SK::Space, SPACE},
    {SK::Return, RETURN},
    {SK::Tab, TAB},
    {SK::Escape, ESCAPE},
    {SK::Pause, PAUSE},
    {SK::Subtract, MINUS},
    {SK::Add, PLUS},
    {SK::Tilde, TILDE},
    {SK::Period, PERIOD},
    {SK::Comma, COMMA},
    {SK::Slash, SLASH},
    {SK::Equal, EQUAL},
    {SK::BackSlash, BACKSLASH},
    {SK::Multiply, MULTIPLY},
    {SK::Quote, QUOTE},
    {SK::SemiColon, SEMICOLON},
    {SK::LControl, LEFTCONTROL},
    {SK::RControl, RIGHTCONTROL},
    {SK::LShift, LEFTSHIFT},
    {SK::RShift, RIGHTSHIFT},
    {SK::F1, F1},
    {SK::F2, F2},
    {SK::F3, F3},
    {SK::F4, F4},
    {SK::F5, F5},
    {SK::F6, F6},
    {SK::F7, F7},
    {SK::F8, F8},
    {SK::F9, F9},
    {SK::F10, F10},
    {SK::A, A},
    {SK::B, B},
    {SK::C, C},
    {SK::D, D},
    {SK::E, E},
    {SK::F, F},
    {SK::G, G},
    {SK::H, H},
    {SK::I, I},
    {SK::J, J},
    {SK::K, K},
    {SK::L, L},
    {SK::M, M},
    {SK::N, N},
    {SK::O, O},
    {SK::P, P},
    {SK::Q, Q},
    {SK::R, R},
    {SK::S, S},
    {SK::T, T},
    {SK::U, U},
    {SK::V, V},
    {SK::W, W},
    {SK::X, X},
    {SK::Y, Y},
    {SK::Z, Z},
    {SK::Num1, NUM1},
    {SK::Num2, NUM2},
    {SK::Num3, NUM3},
    {SK::Num4, NUM4},
    {SK::Num5, NUM5},
    {SK::Num6, NUM6},
    {SK::Num7, NUM7},
    {SK::Num8, NUM8},
    {SK::Num9, NUM9},
    {SK::Num0, NUM0},
    {SK::BackSpace, BACKSPACE},
};

/// The pointer's window pixel position in window cells.
Vector pixelToCells(int x, int y) {
  return pixelsToSpaces(Vector(static_cast<float>(x), static_cast<float>(y)));
}

/// The window of the active display, or null when it has none.
sf::RenderWindow *displayWindow() {
  auto *p_display = dynamic_cast<WindowDisplay *>(GraphicsManager::getInstance().getDisplay());
  return p_display != nullptr ? p_display->getWindow() : nullptr;
}

/// The click of a button-press event, with the event's own button: a button let go before the
/// step reads the live state was still clicked.
InputEvent click(const sf::Event::MouseButtonEvent &button_event) {
  int button = UNDEFINED_MOUSE_BUTTON;
  if (button_event.button == sf::Mouse::Left)
    button = LEFT;
  else if (button_event.button == sf::Mouse::Right)
    button = RIGHT;
  else if (button_event.button == sf::Mouse::Middle)
    button = MIDDLE;
  return InputEvent::mouse(CLICKED, button, pixelToCells(button_event.x, button_event.y));
}

/// The window's queued events; false when it asked to close.
bool pollQueue(sf::RenderWindow &window, std::vector<InputEvent> &events) {
  sf::Event e;
  while (window.pollEvent(e)) {
    switch (e.type) {
    case sf::Event::Closed:
      events.push_back(InputEvent::close());
      return false;
    case sf::Event::KeyPressed:
    case sf::Event::KeyReleased: {
      EventKeyboard k = InputManager::getInstance().toEventKeyboard(e);
      events.push_back(InputEvent::keyboard(
          e.type == sf::Event::KeyPressed ? KEY_PRESSED : KEY_RELEASED, k.getKey()));
      break;
    }
    case sf::Event::MouseMoved:
      events.push_back(InputEvent::mouse(MOVED, UNDEFINED_MOUSE_BUTTON,
                                         pixelToCells(e.mouseMove.x, e.mouseMove.y)));
      break;
    case sf::Event::MouseButtonPressed:
      events.push_back(click(e.mouseButton));
      break;
    default:
      break;
    }
  }
  return true;
}

void heldButtons(const sf::RenderWindow &window, std::vector<InputEvent> &events) {
  sf::Vector2i pixel = sf::Mouse::getPosition(window);
  Vector position = pixelToCells(pixel.x, pixel.y);
  const sf::Mouse::Button buttons[] = {sf::Mouse::Left, sf::Mouse::Right, sf::Mouse::Middle};
  const EventMouseButton engine_buttons[] = {LEFT, RIGHT, MIDDLE};
  for (int i = 0; i < 3; i++)
    if (sf::Mouse::isButtonPressed(buttons[i]))
      events.push_back(InputEvent::mouse(PRESSED, engine_buttons[i], position));
}

void sampleHeldKeys(std::vector<InputEvent> &events) {
  for (const KeyPair &pair : HELD_KEYS)
    if (sf::Keyboard::isKeyPressed(pair.sfml))
      events.push_back(InputEvent::keyboard(KEY_DOWN, pair.key));
}

} // namespace

int WindowInput::start() {
  if (sf::RenderWindow *p_window = displayWindow()) {
    p_window->setKeyRepeatEnabled(false);
    LogManager::getInstance().writeLog(2, "InputManager::startUp(): Keyboard repeated disabled.");
  }
  return 0;
}

void WindowInput::stop() {
  if (sf::RenderWindow *p_window = displayWindow()) {
    p_window->setKeyRepeatEnabled(true);
    LogManager::getInstance().writeLog(2, "InputManager::shutDown(): Keyboard repeat enabled.");
  }
}

const std::vector<int> &WindowInput::heldKeys() {
  static const std::vector<int> keys = [] {
    std::vector<int> in_order;
    for (const KeyPair &pair : HELD_KEYS)
      in_order.push_back(pair.key);
    return in_order;
  }();
  return keys;
}

int WindowInput::translateKey(int code) {
  if (code >= SK::A && code <= SK::Z)
    return A + (code - SK::A);
  if (code == SK::Num0)
    return NUM0;
  if (code >= SK::Num1 && code <= SK::Num9)
    return NUM1 + (code - SK::Num1);
  if (code >= SK::F1 && code <= SK::F12)
    return F1 + (code - SK::F1);
  for (const KeyPair &pair : NAMED_KEYS)
    if (pair.sfml == code)
      return pair.key;
  return code + 97;
}

void WindowInput::poll(int, std::vector<InputEvent> &events) {
  sf::RenderWindow *p_window = displayWindow();
  if (p_window == nullptr || !pollQueue(*p_window, events))
    return;
  // Live key and button state belongs to the whole X server: what is typed or clicked in
  // another window must not reach the game.
  if (!p_window->hasFocus())
    return;
  heldButtons(*p_window, events);
  sampleHeldKeys(events);
}

void WindowInput::pollClose(std::vector<InputEvent> &events) {
  sf::RenderWindow *p_window = displayWindow();
  sf::Event e;
  while (p_window != nullptr && p_window->pollEvent(e)) {
    if (e.type == sf::Event::Closed) {
      events.push_back(InputEvent::close());
      return;
    }
  }
}

} // namespace ks
