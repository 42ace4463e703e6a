// The input manager with real X input: key and button events are sent to the server through
// XTest from the test program's own connection, as a user's keyboard and mouse would send them.
// What an object is sent is written as a recording's lines without the step.
#include <gtest/gtest.h>

#include "../graphics/WindowSupport.h"
#include "EventKeyboard.h"
#include "EventMouse.h"
#include "GameManager.h"
#include "InputManager.h"
#include "LogManager.h"
#include "Platform.h"
#include "Recording.h"
#include "RecordingObject.h"
#include "TestSupport.h"
#include "WorldManager.h"

// After the engine's headers: X11's macros clash with SFML's names.
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

using namespace kstest;
using Lines = std::vector<std::string>;

namespace {

class Input : public testing::Test {
protected:
  void SetUp() override {
    log = startLog("log");
    ASSERT_NE(nullptr, p_display = configureWindow(log));
    ks::LogManager::getInstance().setLogLevel(2);
    ASSERT_EQ(0, ks::GraphicsManager::getInstance().startUp());
    ASSERT_EQ(0, ks::InputManager::getInstance().startUp());
    EXPECT_TRUE(logContains(log, "InputManager::startUp(): Keyboard repeated disabled."));
    ks::WorldManager::getInstance().startUp();
    auto *p_recorder = new RecordingObject; // owned by the world manager
    p_recorder->registerInterest(ks::KEYBOARD_EVENT);
    p_recorder->registerInterest(ks::MOUSE_EVENT);
    p_recorder->on_event = [this](const ks::Event *p_e) {
      ks::InputEvent e = ks::InputEvent::close();
      if (const auto *p_k = dynamic_cast<const ks::EventKeyboard *>(p_e))
        e = ks::InputEvent::keyboard(p_k->getKeyboardAction(), p_k->getKey());
      if (const auto *p_m = dynamic_cast<const ks::EventMouse *>(p_e))
        e = ks::InputEvent::mouse(p_m->getMouseAction(), p_m->getMouseButton(),
                                  p_m->getMousePosition());
      std::string line = ks::Recording::eventLine(0, e);
      seen.push_back(line.substr(2, line.size() - 3));
    };
    XSetErrorHandler([](Display *, XErrorEvent *) { return 0; });
    window = ks::GraphicsManager::getInstance().getWindow()->getSystemHandle();
    focus(window);
    XTestFakeMotionEvent(p_display, DefaultScreen(p_display), 0, 0, CurrentTime); // off the window
    step(); // and whatever the window system queued at creation
    seen.clear();
  }

  void TearDown() override {
    for (KeySym sym : pressed)
      XTestFakeKeyEvent(p_display, XKeysymToKeycode(p_display, sym), False, CurrentTime);
    for (unsigned int b : {1u, 2u, 3u})
      XTestFakeButtonEvent(p_display, b, False, CurrentTime);
    XSync(p_display, False);
    ks::WorldManager::getInstance().shutDown();
    ks::InputManager::getInstance().shutDown();
    EXPECT_TRUE(logContains(log, "InputManager::shutDown(): Keyboard repeat enabled."));
    ks::GraphicsManager::getInstance().shutDown();
    ks::LogManager::getInstance().setLogLevel(0);
    ks::GameManager::getInstance().setGameOver(false);
  }

  /// Gives `target` the keyboard focus and waits until the server says it has it.
  void focus(Window target) {
    for (int tries = 0; tries < 50; tries++) {
      XSetInputFocus(p_display, target, RevertToParent, CurrentTime);
      Window now = 0;
      int revert = 0;
      XGetInputFocus(p_display, &now, &revert); // a round trip: the request above is done
      if (now == target)
        return;
      ks::sleepMilliseconds(20);
    }
    ADD_FAILURE() << "window never got the focus";
  }

  /// Presses or releases the key of `sym`.
  void key(KeySym sym, bool down) {
    KeyCode code = XKeysymToKeycode(p_display, sym);
    ASSERT_NE(0, code) << "no key for keysym " << sym;
    XTestFakeKeyEvent(p_display, code, down, CurrentTime);
    if (down)
      pressed.push_back(sym);
  }

  void button(unsigned int number, bool down) {
    XTestFakeButtonEvent(p_display, number, down, CurrentTime);
  }

  /// One game-loop input step. The round trip makes the server handle everything sent before
  /// it, and it writes the events that made to every client before it answers.
  void step() {
    XSync(p_display, False);
    ks::InputManager::getInstance().getInput();
  }

  std::string log;
  Lines seen; ///< what the object was sent
  Display *p_display = nullptr;
  Window window = 0;
  std::vector<KeySym> pressed;
};

} // namespace

TEST_F(Input, KeysArePressedHeldEveryStepInTheirFixedOrderAndReleased) {
  // The 71 polled keys in polling order, with their engine names.
  std::vector<KeySym> syms = {
      XK_Up,         XK_Down,      XK_Left,      XK_Right,       XK_space,     XK_Return,
      XK_Tab,        XK_Escape,    XK_Pause,     XK_KP_Subtract, XK_KP_Add,    XK_grave,
      XK_period,     XK_comma,     XK_slash,     XK_equal,       XK_backslash, XK_KP_Multiply,
      XK_apostrophe, XK_semicolon, XK_Control_L, XK_Control_R,   XK_Shift_L,   XK_Shift_R};
  Lines names = {"UPARROW", "DOWNARROW", "LEFTARROW",   "RIGHTARROW",   "SPACE",     "RETURN",
                 "TAB",     "ESCAPE",    "PAUSE",       "MINUS",        "PLUS",      "TILDE",
                 "PERIOD",  "COMMA",     "SLASH",       "EQUAL",        "BACKSLASH", "MULTIPLY",
                 "QUOTE",   "SEMICOLON", "LEFTCONTROL", "RIGHTCONTROL", "LEFTSHIFT", "RIGHTSHIFT"};
  for (int i = 0; i < 10; i++)
    syms.push_back(XK_F1 + i), names.push_back("F" + std::to_string(i + 1));
  for (int i = 0; i < 26; i++)
    syms.push_back(XK_a + i), names.push_back(std::string(1, static_cast<char>('A' + i)));
  for (int i = 0; i < 10; i++)
    syms.push_back(i < 9 ? XK_1 + i : XK_0), names.push_back("NUM" + std::to_string((i + 1) % 10));
  syms.push_back(XK_BackSpace), names.push_back("BACKSPACE");
  // Left Alt has no engine name; F11 and F12 have one. None of them is polled.
  Lines expected = {"key pressed 136", "key pressed F11", "key pressed F12"};
  key(XK_Alt_L, true), key(XK_F11, true), key(XK_F12, true);
  for (int i = 70; i >= 0; i--) { // pressed back to front
    key(syms[i], true);
    expected.push_back("key pressed " + names[i]);
  }
  for (int steps = 0; steps < 2; steps++)
    for (const std::string &name : names)
      expected.push_back("key down " + name);
  step(), step();
  EXPECT_EQ(expected, seen);
  seen.clear();
  for (KeySym sym : pressed)
    key(sym, false);
  step();
  expected.resize(74);
  for (std::string &line : expected)
    line.replace(4, 7, "released");
  EXPECT_EQ(expected, seen);
}

TEST_F(Input, HeldKeysAndButtonsAreIgnoredWhileAnotherWindowHasTheFocus) {
  // Live key and button state belongs to the whole server: what is held for another
  // program's window (here under the pointer) must not steer the game.
  Window other =
      XCreateSimpleWindow(p_display, DefaultRootWindow(p_display), 0, 0, 50, 50, 0, 0, 0);
  XMapWindow(p_display, other);
  focus(other);
  key(XK_a, true);
  button(3, true);
  step(), step();
  EXPECT_EQ(Lines{}, seen);
  button(3, false);
  focus(window);
  step();
  EXPECT_EQ(Lines{"key down A"}, seen);
  XDestroyWindow(p_display, other);
}

TEST_F(Input, PointerCellsClicksAndHeldButtons) {
  int x = 0, y = 0;
  Window child;
  XTranslateCoordinates(p_display, window, DefaultRootWindow(p_display), 64, 100, &x, &y, &child);
  XTestFakeMotionEvent(p_display, DefaultScreen(p_display), x, y, CurrentTime);
  button(1, true);
  step(); // a cell is 12.8 x 32 pixels: no rounding
  step(); // held
  button(1, false);
  step(); // let go
  button(3, true);
  step();
  button(3, false);
  // Let go before the step looks: still a click of that button, but nothing held.
  button(1, true), button(1, false);
  step();
  // Each click names its own button; the held ones follow in their order.
  button(2, true), button(1, true);
  step();
  Lines expected = {"moved none",    "clicked left",  "pressed left",  "pressed left",
                    "clicked right", "pressed right", "clicked left",  "clicked middle",
                    "clicked left",  "pressed left",  "pressed middle"};
  for (std::string &line : expected)
    line = "mouse " + line + " 5 3.125";
  EXPECT_EQ(expected, seen);
}

TEST_F(Input, WindowCloseSetsGameOverAndDropsTheRestOfTheStep) {
  XEvent close = {};
  close.xclient.type = ClientMessage;
  close.xclient.window = window;
  close.xclient.message_type = XInternAtom(p_display, "WM_PROTOCOLS", False);
  close.xclient.format = 32;
  close.xclient.data.l[0] = static_cast<long>(XInternAtom(p_display, "WM_DELETE_WINDOW", False));
  XSendEvent(p_display, window, False, NoEventMask, &close);
  key(XK_b, true); // queued behind the close request, and held
  step();
  EXPECT_TRUE(ks::GameManager::getInstance().getGameOver());
  EXPECT_EQ(Lines{}, seen);
  EXPECT_TRUE(logContains(log, "InputManager::getInput(): Window close event. Setting game over."));
  step(); // the next step goes on where this one stopped
  EXPECT_EQ((Lines{"key pressed B", "key down B"}), seen);
}
