// Input read from the window: its event queue and the live keyboard and mouse state.
#ifndef KS_WINDOW_INPUT_H
#define KS_WINDOW_INPUT_H

#include "InputSource.h"

namespace ks {

/// Reads the window of the graphics manager's window display. Each step: the window's queued
/// events (key presses and releases, pointer moves, button clicks; a close request ends the
/// step's input), then, while the window has the focus, one PRESSED event per held mouse
/// button (left, right, middle) and one KEY_DOWN event per held key of the polled list.
class WindowInput : public InputSource {
public:
  /// Switches the window's key repeat off: holding a key gives one press, then held events.
  int start() override;
  /// Switches key repeat back on.
  void stop() override;
  /// The step's input from the window (none when the display has no window).
  void poll(int step, std::vector<InputEvent> &events) override;
  /// Empties the window's queue, keeping only a close request: a replay shown in the window
  /// still lets the watcher close it.
  void pollClose(std::vector<InputEvent> &events);

  /// The engine keys whose holding is reported (KEY_DOWN), in the order they are reported.
  static const std::vector<int> &heldKeys();

  /// The engine key for an SFML key code: a Key value, or the code + 97 for unnamed keys.
  static int translateKey(int sfml_code);
};

} // namespace ks

#endif
