#ifndef KS_EVENT_KEYBOARD_H
#define KS_EVENT_KEYBOARD_H

#include "Event.h"

namespace ks {

/// Type of EventKeyboard, sent to the objects registered for it.
const std::string KEYBOARD_EVENT = "ks::keyboard";

/// What happened to the key.
enum EventKeyboardAction {
  UNDEFINED_KEYBOARD_ACTION = -1,
  KEY_PRESSED,  ///< the key went down (one event)
  KEY_RELEASED, ///< the key went up (one event)
  KEY_DOWN,     ///< the key is held (one event per step)
};

/// The engine's own key codes.
enum Key {
  UNDEFINED_KEY = -1,
  SPACE,
  RETURN,
  ESCAPE,
  TAB,
  LEFTARROW,
  RIGHTARROW,
  UPARROW,
  DOWNARROW,
  PAUSE,
  MINUS,
  PLUS,
  TILDE,
  PERIOD,
  COMMA,
  SLASH,
  EQUAL,
  BACKSLASH,
  MULTIPLY,
  QUOTE,
  SEMICOLON,
  LEFTCONTROL,
  RIGHTCONTROL,
  LEFTSHIFT,
  RIGHTSHIFT,
  F1,
  F2,
  F3,
  F4,
  F5,
  F6,
  F7,
  F8,
  F9,
  F10,
  F11,
  F12,
  A,
  B,
  C,
  D,
  E,
  F,
  G,
  H,
  I,
  J,
  K,
  L,
  M,
  N,
  O,
  P,
  Q,
  R,
  S,
  T,
  U,
  V,
  W,
  X,
  Y,
  Z,
  NUM1,
  NUM2,
  NUM3,
  NUM4,
  NUM5,
  NUM6,
  NUM7,
  NUM8,
  NUM9,
  NUM0,
  BACKSPACE,
};

/// A key that went down, went up or is held.
class EventKeyboard : public Event {
public:
  /// Key and action both undefined (-1).
  EventKeyboard();

  /// The key: a Key value, or a window-system code + 97 for keys the engine doesn't name.
  void setKey(int new_key);
  /// The key: a Key value, a window-system code + 97, or -1 when undefined.
  int getKey() const;
  /// An EventKeyboardAction.
  void setKeyboardAction(int new_action);
  /// An EventKeyboardAction, or -1 when undefined.
  int getKeyboardAction() const;

private:
  int key_val;         ///< a Key, -1 when undefined
  int keyboard_action; ///< an EventKeyboardAction, -1 when undefined
};

} // namespace ks

#endif
