#ifndef KS_INPUT_MANAGER_H
#define KS_INPUT_MANAGER_H

#include <vector>

#include <SFML/Window/Event.hpp>

#include "EventKeyboard.h"
#include "InputEvent.h"
#include "Manager.h"
#include "WindowInput.h"

namespace ks {

/// Turns a step's input into keyboard and mouse events once per step. The input comes from the
/// source that goes with the graphics manager's display: the window's event queue and live
/// state for a window; none for the text display.
class InputManager : public Manager {
public:
  /// The one input manager, created on first use.
  static InputManager &getInstance();

  /// Holds nothing of its own to release.
  ~InputManager() override;

  /// Starts the display's input source (for a window: key repeat off). 0, or -1 if the graphics
  /// manager is not started.
  int startUp() override;

  /// Stops the input source (for a window: key repeat back on).
  void shutDown() override;

  /// True for "ks::keyboard" and "ks::mouse".
  bool isValid(std::string event_type) const override;

  /// Sends this step's events, in the order the source gives them: for a window its queued
  /// events, then held mouse buttons, then held keys (only while the window has the focus). A
  /// close request sets game over and ends the step's input.
  void getInput();

  /// A keyboard event for the window system's key event; the action is left undefined.
  EventKeyboard toEventKeyboard(const sf::Event &sfml_event) const;

  /// The engine key for an SFML key code: a Key value, or the code + 97 for unnamed keys.
  static int translateKey(int sfml_code);

private:
  InputManager();
  InputSource *activeSource();
  bool send(const InputEvent &input);

  WindowInput window_input;       ///< the source of a window display
  std::vector<InputEvent> events; ///< the step's input, reused from step to step
};

} // namespace ks

#endif
