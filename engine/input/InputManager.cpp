#include "InputManager.h"

#include <SFML/Window/Keyboard.hpp>
#include <SFML/Window/Mouse.hpp>

#include "EventMouse.h"
#include "GameManager.h"
#include "GraphicsManager.h"
#include "LogManager.h"

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

} // namespace

InputManager::InputManager() {
  setType("InputManager");
}

InputManager::~InputManager() {}

InputManager &InputManager::getInstance() {
  static InputManager input_manager;
  return input_manager;
}

bool InputManager::isValid(std::string event_type) const {
  return event_type == KEYBOARD_EVENT || event_type == MOUSE_EVENT;
}

int InputManager::startUp() {
  const LogManager &lm = LogManager::getInstance();
  GraphicsManager &gm = GraphicsManager::getInstance();
  if (!gm.isStarted()) {
    lm.writeLog("InputManager::startUp(): Error starting InputManager. GraphicsManager must be "
                "started first.");
    return -1;
  }
  if (gm.getWindow() != nullptr) {
    gm.getWindow()->setKeyRepeatEnabled(false);
    lm.writeLog(2, "InputManager::startUp(): Keyboard repeated disabled.");
  } else {
    lm.writeLog("InputManager::startUp(): Warning - GraphicsManager unexpectedly returned null "
                "window! Cannot disable keyboard repeat.");
  }
  Manager::startUp();
  lm.writeLog(5, "InputManager::startUp(): successfully started.");
  return 0;
}

void InputManager::shutDown() {
  const LogManager &lm = LogManager::getInstance();
  sf::RenderWindow *p_window = GraphicsManager::getInstance().getWindow();
  if (p_window != nullptr) {
    p_window->setKeyRepeatEnabled(true);
    lm.writeLog(2, "InputManager::shutDown(): Keyboard repeat enabled.");
  }
  Manager::shutDown();
  lm.writeLog(1, "InputManager::shutDown(): successfully stopped.");
}

int InputManager::translateKey(int code) {
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

EventKeyboard InputManager::toEventKeyboard(const sf::Event &sfml_event) const {
  EventKeyboard e;
  int code = static_cast<int>(sfml_event.key.code);
  e.setKey(translateKey(code));
  LogManager::getInstance().writeLog(15,
                                     "InputManager::toEventKeyboard(): Keyboard event '%c' (%d)",
                                     static_cast<char>(e.getKey()), code);
  return e;
}

// Returns false when the window asked to close: the rest of the step's input is dropped.
bool InputManager::pollWindow() {
  sf::RenderWindow *p_window = GraphicsManager::getInstance().getWindow();
  sf::Event window_event;
  while (p_window->pollEvent(window_event)) {
    switch (window_event.type) {
    case sf::Event::Closed:
      LogManager::getInstance().writeLog(
          1, "InputManager::getInput(): Window close event. Setting game over.");
      GameManager::getInstance().setGameOver(true);
      return false;
    case sf::Event::KeyPressed:
    case sf::Event::KeyReleased: {
      EventKeyboard e = toEventKeyboard(window_event);
      e.setKeyboardAction(window_event.type == sf::Event::KeyPressed ? KEY_PRESSED : KEY_RELEASED);
      onEvent(&e);
      break;
    }
    case sf::Event::MouseMoved: {
      EventMouse e;
      e.setMouseAction(MOVED);
      e.setMousePosition(pixelToCells(window_event.mouseMove.x, window_event.mouseMove.y));
      onEvent(&e);
      break;
    }
    case sf::Event::MouseButtonPressed: {
      EventMouse e;
      if (window_event.mouseButton.button == sf::Mouse::Right)
        e.setMouseButton(RIGHT);
      e.setMouseAction(CLICKED);
      if (sf::Mouse::isButtonPressed(sf::Mouse::Left))
        e.setMouseButton(LEFT);
      if (sf::Mouse::isButtonPressed(sf::Mouse::Middle))
        e.setMouseButton(MIDDLE);
      e.setMousePosition(pixelToCells(window_event.mouseButton.x, window_event.mouseButton.y));
      onEvent(&e);
      break;
    }
    default:
      break;
    }
  }
  return true;
}

void InputManager::sendMouseButtons() {
  sf::RenderWindow *p_window = GraphicsManager::getInstance().getWindow();
  sf::Vector2i pixel = sf::Mouse::getPosition(*p_window);
  EventMouse e;
  e.setMouseAction(PRESSED);
  e.setMousePosition(pixelToCells(pixel.x, pixel.y));
  const sf::Mouse::Button buttons[] = {sf::Mouse::Left, sf::Mouse::Right, sf::Mouse::Middle};
  const EventMouseButton engine_buttons[] = {LEFT, RIGHT, MIDDLE};
  for (int i = 0; i < 3; i++) {
    if (sf::Mouse::isButtonPressed(buttons[i])) {
      e.setMouseButton(engine_buttons[i]);
      onEvent(&e);
    }
  }
}

void InputManager::sendHeldKeys() {
  for (const KeyPair &pair : HELD_KEYS) {
    if (!sf::Keyboard::isKeyPressed(pair.sfml))
      continue;
    EventKeyboard e;
    e.setKey(pair.key);
    e.setKeyboardAction(KEY_DOWN);
    onEvent(&e);
  }
}

void InputManager::getInput() {
  sf::RenderWindow *p_window = GraphicsManager::getInstance().getWindow();
  if (p_window == nullptr) {
    LogManager::getInstance().writeLog(
        "InputManager::getInput(): GraphicsManager unexpectedly returned null window!");
    return;
  }
  if (!pollWindow())
    return;
  sendMouseButtons();
  // Live key state belongs to the whole X server: keys typed into another window must not
  // reach the game.
  if (p_window->hasFocus())
    sendHeldKeys();
}

} // namespace ks
