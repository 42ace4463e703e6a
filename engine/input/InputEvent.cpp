#include "InputEvent.h"

#include "EventKeyboard.h"
#include "EventMouse.h"

namespace ks {

InputEvent InputEvent::keyboard(int action, int key) {
  return InputEvent{KEYBOARD, action, key, UNDEFINED_MOUSE_BUTTON, Vector()};
}

InputEvent InputEvent::mouse(int action, int button, Vector position) {
  return InputEvent{MOUSE, action, UNDEFINED_KEY, button, position};
}

InputEvent InputEvent::close() {
  return InputEvent{CLOSE, -1, UNDEFINED_KEY, UNDEFINED_MOUSE_BUTTON, Vector()};
}

} // namespace ks
