#include "InputManager.h"

#include "Configuration.h"
#include "Display.h"
#include "EventMouse.h"
#include "GameManager.h"
#include "GraphicsManager.h"
#include "LogManager.h"
#include "PathManager.h"

namespace ks {

InputManager::InputManager()
    : window_input(), terminal_input(), p_custom_source(nullptr), replay_input(), recorder(),
      input_step(0), events() {
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
InputSource *InputManager::displaySource() {
  Display *p_display = GraphicsManager::getInstance().getDisplay();
  if (p_display != nullptr && p_display->getName() == "window")
    return &window_input;
  if (p_display != nullptr && p_display->getName() == "terminal")
    return &terminal_input;
  return nullptr;
}

int InputManager::startUp() {
  const LogManager &lm = LogManager::getInstance();
  if (!GraphicsManager::getInstance().isStarted()) {
    lm.writeLog("InputManager::startUp(): Error starting InputManager. GraphicsManager must be "
                "started first.");
    return -1;
  }
  InputSource *p_source = displaySource();
  if (p_source != nullptr && p_source->start() != 0)
    return -1;
  std::string record_file = Configuration::getInstance().getRecordFile();
  if (!record_file.empty() && recorder.open(record_file) != 0) {
    if (p_source != nullptr)
      p_source->stop();
    return -1;
  }
  replay_input.start();
  input_step = 0;
  Manager::startUp();
  lm.writeLog(5, "InputManager::startUp(): successfully started.");
  return 0;
}

void InputManager::shutDown() {
  if (InputSource *p_source = displaySource())
    p_source->stop();
  recorder.close(input_step);
  replay_input.stop();
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

int InputManager::loadReplay(std::string filename) {
  return replay_input.load(filename);
}

const RecordingSettings &InputManager::getReplaySettings() const {
  static const RecordingSettings none;
  return replay_input.isLoaded() ? replay_input.getSettings() : none;
}

void InputManager::setSource(InputSource *p_source) {
  p_custom_source = p_source;
}

int InputManager::getInputStep() const {
  return input_step;
}

// The replayed events of `step`. The last step of the recorded run ends the game, so that the
// replay runs as many steps as the run did even if the game would go on.
void InputManager::pollReplay(int step) {
  // The window still answers while a replay is shown in it: closing it ends the replay, and
  // so do Q and Escape in a terminal.
  if (displaySource() == &window_input)
    window_input.pollClose(events);
  else if (displaySource() == &terminal_input)
    terminal_input.pollClose(events);
  replay_input.poll(step, events);
  if (replay_input.isOver(step + 1)) {
    LogManager::getInstance().writeLog(
        "InputManager::getInput(): End of replay after %d steps. Setting game over.", step + 1);
    GameManager::getInstance().setGameOver(true);
  }
}

void InputManager::record(int step, const InputEvent &input) {
  if (!recorder.isOpen())
    return;
  RecordingSettings settings;
  const GraphicsManager &gm = GraphicsManager::getInstance();
  settings.horizontal = gm.getHorizontal();
  settings.vertical = gm.getVertical();
  settings.frame_time = GameManager::getInstance().getFrameTime();
  settings.random_seed = GameManager::getInstance().getRandomSeed();
  settings.path_plies = PathManager::getInstance().getPlies();
  recorder.writeHeader(settings);
  recorder.write(step, input);
}

void InputManager::getInput() {
  int step = input_step++;
  events.clear();
  if (replay_input.isLoaded()) {
    pollReplay(step);
  } else if (p_custom_source != nullptr) {
    p_custom_source->poll(step, events);
  } else if (InputSource *p_source = displaySource()) {
    p_source->poll(step, events);
  } else {
    // The text display has no input of its own; with no display at all (headless) there is
    // nothing to read either, and that is worth a line.
    if (GraphicsManager::getInstance().getDisplay() == nullptr)
      LogManager::getInstance().writeLog(
          "InputManager::getInput(): GraphicsManager unexpectedly returned null window!");
    return;
  }
  for (const InputEvent &input : events) {
    record(step, input);
    if (!send(input))
      return;
  }
}

} // namespace ks
