#ifndef KS_INPUT_MANAGER_H
#define KS_INPUT_MANAGER_H

#include <SFML/Window/Event.hpp>

#include "EventKeyboard.h"
#include "Manager.h"

namespace ks {

/// Turns the window's input into keyboard and mouse events once per step.
class InputManager : public Manager {
public:
  /// The one input manager, created on first use.
  static InputManager &getInstance();

  /// Holds nothing of its own to release.
  ~InputManager() override;

  /// Switches key repeat off. 0, or -1 if the graphics manager is not started.
  int startUp() override;

  /// Switches key repeat back on.
  void shutDown() override;

  /// True for "ks::keyboard" and "ks::mouse".
  bool isValid(std::string event_type) const override;

  /// Sends this step's events: the window's queued events, then held mouse buttons, then held
  /// keys (only while the window has the focus). A window-close request sets game over.
  void getInput();

  /// A keyboard event for the window system's key event; the action is left undefined.
  EventKeyboard toEventKeyboard(const sf::Event &sfml_event) const;

  /// The engine key for an SFML key code: a Key value, or the code + 97 for unnamed keys.
  static int translateKey(int sfml_code);

private:
  InputManager();
  bool pollWindow();
  void sendMouseButtons();
  void sendHeldKeys();
};

} // namespace ks

#endif
