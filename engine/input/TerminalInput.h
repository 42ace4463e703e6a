// Input read from the terminal: keys, and the mouse as the terminal reports it.
#ifndef KS_TERMINAL_INPUT_H
#define KS_TERMINAL_INPUT_H

#include <string>
#include <vector>

#include "InputSource.h"

namespace ks {

/// Reads the terminal of the graphics manager's terminal display. Each step: the keys and
/// mouse reports in the order the terminal sent them (a key's press and release, the pointer's
/// moves as MOVED, a button's press as CLICKED), then one PRESSED event per held mouse button
/// (left, right, middle) at the pointer, then one KEY_DOWN event per held key, in the window's
/// order of keys.
///
/// A terminal that speaks the kitty keyboard protocol reports releases. Any other only sends a
/// key again while it auto-repeats: a key then counts as held from its press until no repeat
/// has come for FIRST_REPEAT_WAIT_MS (before the first repeat) or REPEAT_WAIT_MS (after it).
class TerminalInput : public InputSource {
public:
  /// Keyboards start repeating 500 ms (most desktops) to 660 ms (X's default) after the
  /// press: a key is held at least this long after its press.
  static const int FIRST_REPEAT_WAIT_MS = 700;
  /// Keyboards repeat every 25 to 50 ms: three missed repeats mean the key is up.
  static const int REPEAT_WAIT_MS = 150;

  /// A source with nothing held.
  TerminalInput();

  /// Starts with no key or button held; asks the display whether the terminal reports key
  /// releases. Always 0.
  int start() override;
  /// Forgets what is held.
  void stop() override;
  /// The step's input from the terminal (none when the display is no terminal).
  void poll(int step, std::vector<InputEvent> &events) override;
  /// Reads the terminal while a replay shows in it, keeping only Q or Escape, which end the
  /// replay as a close request.
  void pollClose(std::vector<InputEvent> &events);

  /// Appends the events of `bytes`, received from a terminal `now_ms` milliseconds after any
  /// fixed moment, followed by the held buttons and keys, to `events`; what poll() does with
  /// the bytes it reads. `key_releases`: the terminal reports releases (kitty protocol).
  void receive(const std::string &bytes, long long now_ms, bool key_releases,
               std::vector<InputEvent> &events);

private:
  /// A key counted as held.
  struct HeldKey {
    int key;             ///< engine key
    long long last_seen; ///< ms of its press or latest repeat
    bool repeating;      ///< a repeat has come since the press
  };

  size_t parseSequence(const std::string &bytes, size_t at, bool final_read);
  size_t parseCsi(const std::string &bytes, size_t at);
  void key(int key, int kind);
  void mouse(int code, int x, int y, bool release);
  void releaseSilentKeys();
  void held(std::vector<InputEvent> &events) const;

  std::string unfinished;           ///< an escape sequence cut off at the end of the last read
  std::vector<HeldKey> held_keys;   ///< in order of pressing
  bool button_held[3];              ///< by EventMouseButton (LEFT, RIGHT, MIDDLE)
  float pointer_x;                  ///< last reported pointer cell, -1 before any report
  float pointer_y;                  ///< last reported pointer cell, -1 before any report
  bool releases;                    ///< the terminal reports key releases
  long long now;                    ///< time of the bytes being read
  std::vector<InputEvent> *p_queue; ///< where the events being read go (not owned)
};

} // namespace ks

#endif
