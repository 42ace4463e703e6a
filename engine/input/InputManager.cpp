#include "InputManager.h"

#include "Display.h"
#include "EventMouse.h"
#include "GameManager.h"
#include "GraphicsManager.h"
#include "LogManager.h"

namespace ks {

InputManager::InputManager() : window_input(), events() {
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

// The source that goes with the active display: the text display has none.
InputSource *InputManager::activeSource() {
  Display *p_display = GraphicsManager::getInstance().getDisplay();
  if (p_display != nullptr && p_display->getName() == "window")
    return &window_input;
  return nullptr;
}

int InputManager::startUp() {
  const LogManager &lm = LogManager::getInstance();
  if (!GraphicsManager::getInstance().isStarted()) {
    lm.writeLog("InputManager::startUp(): Error starting InputManager. GraphicsManager must be "
                "started first.");
    return -1;
  }
  InputSource *p_source = activeSource();
  if (p_source != nullptr && p_source->start() != 0)
    return -1;
  Manager::startUp();
  lm.writeLog(5, "InputManager::startUp(): successfully started.");
  return 0;
}

void InputManager::shutDown() {
  if (InputSource *p_source = activeSource())
    p_source->stop();
  Manager::shutDown();
  LogManager::getInstance().writeLog(1, "InputManager::shutDown(): successfully stopped.");
}

int InputManager::translateKey(int code) {
  return WindowInput::translateKey(code);
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

// Sends one input as its engine event; false for a close request, which ends the step's input.
bool InputManager::send(const InputEvent &input) {
  switch (input.kind) {
  case InputEvent::CLOSE:
    LogManager::getInstance().writeLog(
        1, "InputManager::getInput(): Window close event. Setting game over.");
    GameManager::getInstance().setGameOver(true);
    return false;
  case InputEvent::KEYBOARD: {
    EventKeyboard e;
    e.setKey(input.key);
    e.setKeyboardAction(input.action);
    onEvent(&e);
    return true;
  }
  case InputEvent::MOUSE: {
    EventMouse e;
    e.setMouseAction(input.action);
    e.setMouseButton(input.button);
    e.setMousePosition(input.position);
    onEvent(&e);
    return true;
  }
  }
  return true;
}

void InputManager::getInput() {
  InputSource *p_source = activeSource();
  if (p_source == nullptr) {
    // The text display has no input of its own; with no display at all (headless) there is
    // nothing to read either, and that is worth a line.
    if (GraphicsManager::getInstance().getDisplay() == nullptr)
      LogManager::getInstance().writeLog(
          "InputManager::getInput(): GraphicsManager unexpectedly returned null window!");
    return;
  }
  events.clear();
  p_source->poll(events);
  for (const InputEvent &input : events)
    if (!send(input))
      return;
}

} // namespace ks
