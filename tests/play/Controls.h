// A scripted keyboard and mouse that reach the game exactly as the input manager delivers them.
#ifndef KS_PLAY_CONTROLS_H
#define KS_PLAY_CONTROLS_H

#include <set>
#include <vector>

#include "Vector.h"

namespace play {

/// Keys and mouse buttons that a script holds down and lets go. deliver() sends one step's
/// input in the input manager's order: the queued key presses and releases, pointer moves and
/// clicks as they happened, then PRESSED for each held button (left, right, middle), then
/// KEY_DOWN for each held key in the input manager's polling order.
class Controls {
public:
  /// The key goes down: KEY_PRESSED now, KEY_DOWN at every step until release(). Nothing if
  /// the key is already down.
  void press(int key);

  /// The key goes up: KEY_RELEASED. Nothing if the key is not down.
  void release(int key);

  /// The key goes down for this step only and up before the next one.
  void tap(int key);

  /// True while the key is down.
  bool isDown(int key) const;

  /// Moves the pointer to `window_pos` (window cells): MOVED, unless it is there already.
  void movePointer(ks::Vector window_pos);

  /// Moves the pointer to `window_pos`, then clicks `button` (a mouse button): held for this
  /// step, let go before the next one.
  void click(int button, ks::Vector window_pos);

  /// Sends this step's input to the objects registered with the input manager.
  void deliver();

  /// KEY_PRESSED events sent so far for `key`.
  int pressCount(int key) const;

private:
  /// One queued window event.
  struct Queued {
    bool is_key;   ///< keyboard or mouse
    int key;       ///< keyboard: the key
    int action;    ///< keyboard or mouse action
    int button;    ///< mouse: the button that went down
    ks::Vector at; ///< mouse: the pointer in window cells
  };

  std::vector<Queued> queue;     ///< window events of this step, in order
  std::set<int> keys_down;       ///< keys held
  std::set<int> keys_tapped;     ///< keys to let go before the next step
  std::set<int> buttons_down;    ///< mouse buttons held
  std::set<int> buttons_clicked; ///< buttons to let go before the next step
  std::vector<int> presses;      ///< every key pressed, once per press
  ks::Vector pointer;            ///< the pointer in window cells
};

/// The pointer position (window cells) that selects world cell (`x`, `y`) with the current
/// view: inside the cell both as drawn and as the reticle truncates it.
ks::Vector windowCell(int x, int y);

/// `world` in window cells with the current view.
ks::Vector toWindow(ks::Vector world);

} // namespace play

#endif
