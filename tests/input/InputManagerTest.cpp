// The input manager with real X input: key and button events are sent to the server through
// XTest from the test's own connection, as a user's keyboard and mouse would send them.
#include <gtest/gtest.h>

#include "../graphics/WindowSupport.h"
#include "EventKeyboard.h"
#include "EventMouse.h"
#include "GameManager.h"
#include "InputManager.h"
#include "LogManager.h"
#include "Object.h"
#include "Platform.h"
#include "TestSupport.h"
#include "WorldManager.h"

// After the engine's headers: X11's macros clash with SFML's names.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

using namespace kstest;

namespace {

/// One event as an object saw it.
struct Seen {
  int action;  ///< keyboard or mouse action
  int value;   ///< key or button
  float x = 0; ///< mouse position in cells
  float y = 0;
  bool operator==(const Seen &o) const { return action == o.action && value == o.value; }
};

std::ostream &operator<<(std::ostream &out, const Seen &s) {
  return out << "{" << s.action << ", " << s.value << "}";
}

/// Records every keyboard and mouse event it is sent.
class InputRecorder : public ks::Object {
public:
  InputRecorder() {
    registerInterest(ks::KEYBOARD_EVENT);
    registerInterest(ks::MOUSE_EVENT);
  }
  int eventHandler(const ks::Event *p_e) override {
    if (p_e->getType() == ks::KEYBOARD_EVENT) {
      const auto *p_k = static_cast<const ks::EventKeyboard *>(p_e);
      keys.push_back({p_k->getKeyboardAction(), p_k->getKey(), 0, 0});
      return 1;
    }
    if (p_e->getType() == ks::MOUSE_EVENT) {
      const auto *p_m = static_cast<const ks::EventMouse *>(p_e);
      mouse.push_back({p_m->getMouseAction(), p_m->getMouseButton(), p_m->getMousePosition().getX(),
                       p_m->getMousePosition().getY()});
      return 1;
    }
    return 0;
  }
  /// The keyboard events with `action`, as their keys.
  std::vector<int> keysWith(int action) const {
    std::vector<int> result;
    for (const Seen &s : keys)
      if (s.action == action)
        result.push_back(s.value);
    return result;
  }
  void clear() {
    keys.clear();
    mouse.clear();
  }
  std::vector<Seen> keys;  ///< keyboard events: action, key
  std::vector<Seen> mouse; ///< mouse events: action, button, position
};

int ignoreXErrors(Display *, XErrorEvent *) {
  return 0;
}

class Input : public testing::Test {
protected:
  void SetUp() override {
    log = startLog("log");
    configureWindow(log);
    ASSERT_EQ(0, ks::GraphicsManager::getInstance().startUp());
    ASSERT_EQ(0, ks::InputManager::getInstance().startUp());
    ks::WorldManager::getInstance().startUp();
    ks::WorldManager::getInstance().setView(ks::Box(ks::Vector(0, 0), 80, 24));
    ks::GameManager::getInstance().setGameOver(false);
    p_recorder = new InputRecorder;

    p_display = XOpenDisplay(nullptr);
    ASSERT_NE(nullptr, p_display);
    XSetErrorHandler(ignoreXErrors);
    window = ks::GraphicsManager::getInstance().getWindow()->getSystemHandle();
    focus(window);
    step(); // whatever the window system queued at creation
    p_recorder->clear();
  }

  void TearDown() override {
    if (p_display != nullptr) {
      for (KeySym sym : pressed)
        key(sym, false);
      for (unsigned int button : {1u, 2u, 3u})
        XTestFakeButtonEvent(p_display, button, False, CurrentTime);
      XSync(p_display, False);
      XCloseDisplay(p_display);
    }
    ks::WorldManager::getInstance().shutDown();
    ks::InputManager::getInstance().shutDown();
    ks::GraphicsManager::getInstance().shutDown();
    ks::LogManager::getInstance().setLogLevel(0);
  }

  /// Gives `target` the keyboard focus and waits until the server says it has it.
  void focus(Window target) {
    for (int tries = 0; tries < 50; tries++) {
      XSetInputFocus(p_display, target, RevertToParent, CurrentTime);
      XSync(p_display, False);
      Window now = 0;
      int revert = 0;
      XGetInputFocus(p_display, &now, &revert);
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
    XTestFakeKeyEvent(p_display, code, down ? True : False, CurrentTime);
    XSync(p_display, False);
    if (down)
      pressed.push_back(sym);
  }

  void button(unsigned int number, bool down) {
    XTestFakeButtonEvent(p_display, number, down ? True : False, CurrentTime);
    XSync(p_display, False);
  }

  /// Moves the pointer to pixel (x, y) of the game window.
  void pointerTo(int x, int y) {
    int root_x = 0, root_y = 0;
    Window child;
    XTranslateCoordinates(p_display, window, DefaultRootWindow(p_display), 0, 0, &root_x, &root_y,
                          &child);
    XTestFakeMotionEvent(p_display, DefaultScreen(p_display), root_x + x, root_y + y, CurrentTime);
    XSync(p_display, False);
  }

  /// One game-loop input step. The round trip makes the server handle everything sent before
  /// it, and it writes the events that made to every client before it answers.
  void step() {
    XSync(p_display, False);
    ks::InputManager::getInstance().getInput();
  }

  std::string log;
  InputRecorder *p_recorder = nullptr; ///< owned by the world manager
  Display *p_display = nullptr;
  Window window = 0;
  std::vector<KeySym> pressed;
};

using Events = std::vector<Seen>;

} // namespace

TEST_F(Input, KeysArePressedHeldEveryStepAndReleasedOnceOutsideTheHeldListOnlyPressed) {
  key(XK_space, true);
  step();
  step();
  step();
  key(XK_space, false);
  step();
  // Left Alt has no engine name and no held events; F11 is named but not polled.
  key(XK_Alt_L, true);
  step();
  step();
  key(XK_Alt_L, false);
  key(XK_F11, true);
  step();
  key(XK_F11, false);
  step();
  EXPECT_EQ((Events{{ks::KEY_PRESSED, ks::SPACE},
                    {ks::KEY_DOWN, ks::SPACE},
                    {ks::KEY_DOWN, ks::SPACE},
                    {ks::KEY_DOWN, ks::SPACE},
                    {ks::KEY_RELEASED, ks::SPACE},
                    {ks::KEY_PRESSED, 39 + 97},
                    {ks::KEY_RELEASED, 39 + 97},
                    {ks::KEY_PRESSED, ks::F11},
                    {ks::KEY_RELEASED, ks::F11}}),
            p_recorder->keys);
  EXPECT_TRUE(p_recorder->mouse.empty());
}

TEST_F(Input, HeldKeysComeInTheirFixedOrder) {
  // The 71 polled keys by their X names, in polling order, with their engine keys.
  const KeySym syms[] = {
      XK_Up,         XK_Down,      XK_Left,      XK_Right,       XK_space,     XK_Return,
      XK_Tab,        XK_Escape,    XK_Pause,     XK_KP_Subtract, XK_KP_Add,    XK_grave,
      XK_period,     XK_comma,     XK_slash,     XK_equal,       XK_backslash, XK_KP_Multiply,
      XK_apostrophe, XK_semicolon, XK_Control_L, XK_Control_R,   XK_Shift_L,   XK_Shift_R,
      XK_F1,         XK_F2,        XK_F3,        XK_F4,          XK_F5,        XK_F6,
      XK_F7,         XK_F8,        XK_F9,        XK_F10,         XK_a,         XK_b,
      XK_c,          XK_d,         XK_e,         XK_f,           XK_g,         XK_h,
      XK_i,          XK_j,         XK_k,         XK_l,           XK_m,         XK_n,
      XK_o,          XK_p,         XK_q,         XK_r,           XK_s,         XK_t,
      XK_u,          XK_v,         XK_w,         XK_x,           XK_y,         XK_z,
      XK_1,          XK_2,         XK_3,         XK_4,           XK_5,         XK_6,
      XK_7,          XK_8,         XK_9,         XK_0,           XK_BackSpace};
  const int keys[] = {ks::UPARROW,     ks::DOWNARROW,
                      ks::LEFTARROW,   ks::RIGHTARROW,
                      ks::SPACE,       ks::RETURN,
                      ks::TAB,         ks::ESCAPE,
                      ks::PAUSE,       ks::MINUS,
                      ks::PLUS,        ks::TILDE,
                      ks::PERIOD,      ks::COMMA,
                      ks::SLASH,       ks::EQUAL,
                      ks::BACKSLASH,   ks::MULTIPLY,
                      ks::QUOTE,       ks::SEMICOLON,
                      ks::LEFTCONTROL, ks::RIGHTCONTROL,
                      ks::LEFTSHIFT,   ks::RIGHTSHIFT,
                      ks::F1,          ks::F2,
                      ks::F3,          ks::F4,
                      ks::F5,          ks::F6,
                      ks::F7,          ks::F8,
                      ks::F9,          ks::F10,
                      ks::A,           ks::B,
                      ks::C,           ks::D,
                      ks::E,           ks::F,
                      ks::G,           ks::H,
                      ks::I,           ks::J,
                      ks::K,           ks::L,
                      ks::M,           ks::N,
                      ks::O,           ks::P,
                      ks::Q,           ks::R,
                      ks::S,           ks::T,
                      ks::U,           ks::V,
                      ks::W,           ks::X,
                      ks::Y,           ks::Z,
                      ks::NUM1,        ks::NUM2,
                      ks::NUM3,        ks::NUM4,
                      ks::NUM5,        ks::NUM6,
                      ks::NUM7,        ks::NUM8,
                      ks::NUM9,        ks::NUM0,
                      ks::BACKSPACE};
  ASSERT_EQ(71u, std::size(syms));
  ASSERT_EQ(71u, std::size(keys));
  std::vector<int> expected(keys, keys + 71);
  // Pressed back to front, still polled in list order.
  for (int i = 70; i >= 0; i--)
    key(syms[i], true);
  step();
  EXPECT_EQ(expected, p_recorder->keysWith(ks::KEY_DOWN));
  EXPECT_EQ(71u, p_recorder->keysWith(ks::KEY_PRESSED).size());

  p_recorder->clear();
  for (KeySym sym : syms)
    key(sym, false);
  pressed.clear();
  step();
  EXPECT_TRUE(p_recorder->keysWith(ks::KEY_DOWN).empty());
  EXPECT_EQ(71u, p_recorder->keysWith(ks::KEY_RELEASED).size());
}

TEST_F(Input, HeldKeysAndButtonsAreIgnoredWhileAnotherWindowHasTheFocus) {
  // Live key and button state belongs to the whole server: what is held for another
  // program's window must not steer the game.
  Window other =
      XCreateSimpleWindow(p_display, DefaultRootWindow(p_display), 0, 0, 50, 50, 0, 0, 0);
  XMapWindow(p_display, other);
  XSync(p_display, False);
  focus(other);
  key(XK_a, true);
  button(3, true);
  step();
  step();
  EXPECT_TRUE(p_recorder->keys.empty());
  for (const Seen &m : p_recorder->mouse)
    EXPECT_NE(ks::PRESSED, m.action);
  button(3, false);
  focus(window);
  step();
  EXPECT_EQ((Events{{ks::KEY_DOWN, ks::A}}), p_recorder->keys);
  XDestroyWindow(p_display, other);
}

TEST_F(Input, PointerCellsClicksAndHeldButtons) {
  pointerTo(64, 64);
  step();
  ASSERT_FALSE(p_recorder->mouse.empty());
  EXPECT_EQ((Seen{ks::MOVED, -1, 5.0f, 2.0f}), p_recorder->mouse.back());
  EXPECT_FLOAT_EQ(5.0f, p_recorder->mouse.back().x);
  EXPECT_FLOAT_EQ(2.0f, p_recorder->mouse.back().y);
  p_recorder->clear();
  pointerTo(70, 100); // inside cell (5, 3), no rounding
  button(1, true);
  step();
  EXPECT_EQ((Events{{ks::MOVED, -1}, {ks::CLICKED, ks::LEFT}, {ks::PRESSED, ks::LEFT}}),
            p_recorder->mouse);
  for (const Seen &m : p_recorder->mouse) {
    EXPECT_FLOAT_EQ(70 / 12.8f, m.x);
    EXPECT_FLOAT_EQ(100 / 32.0f, m.y);
  }
  p_recorder->clear();
  step(); // held
  button(1, false);
  step(); // let go
  button(3, true);
  step();
  button(3, false);
  // Let go before the step looks: still a click of that button, but nothing held.
  button(1, true);
  button(1, false);
  step();
  // Each click names its own button; the held ones follow in their order.
  button(2, true);
  button(1, true);
  step();
  EXPECT_EQ((Events{{ks::PRESSED, ks::LEFT},
                    {ks::CLICKED, ks::RIGHT},
                    {ks::PRESSED, ks::RIGHT},
                    {ks::CLICKED, ks::LEFT},
                    {ks::CLICKED, ks::MIDDLE},
                    {ks::CLICKED, ks::LEFT},
                    {ks::PRESSED, ks::LEFT},
                    {ks::PRESSED, ks::MIDDLE}}),
            p_recorder->mouse);
}

TEST_F(Input, WindowCloseSetsGameOverAndDropsTheRestOfTheStep) {
  ks::LogManager::getInstance().setLogLevel(1);
  XEvent close = {};
  close.xclient.type = ClientMessage;
  close.xclient.window = window;
  close.xclient.message_type = XInternAtom(p_display, "WM_PROTOCOLS", False);
  close.xclient.format = 32;
  close.xclient.data.l[0] = static_cast<long>(XInternAtom(p_display, "WM_DELETE_WINDOW", False));
  close.xclient.data.l[1] = CurrentTime;
  XSendEvent(p_display, window, False, NoEventMask, &close);
  XSync(p_display, False);
  key(XK_b, true); // queued behind the close request, and held
  step();
  EXPECT_TRUE(ks::GameManager::getInstance().getGameOver());
  EXPECT_TRUE(p_recorder->keys.empty());
  EXPECT_TRUE(logContains(log, "InputManager::getInput(): Window close event. Setting game over."));
  // The next step goes on where this one stopped.
  step();
  EXPECT_EQ((Events{{ks::KEY_PRESSED, ks::B}, {ks::KEY_DOWN, ks::B}}), p_recorder->keys);
  ks::GameManager::getInstance().setGameOver(false);
}

TEST(InputManager, NeedsTheGraphicsManagerAndSwitchesKeyRepeatOffAndOn) {
  std::string log = startLog("log");
  ks::InputManager &im = ks::InputManager::getInstance();
  EXPECT_EQ(-1, im.startUp());
  EXPECT_FALSE(im.isStarted());
  EXPECT_TRUE(logContains(log, "InputManager::startUp(): Error starting InputManager. "
                               "GraphicsManager must be started first."));
  im.getInput();
  EXPECT_TRUE(logContains(log,
                          "InputManager::getInput(): GraphicsManager unexpectedly returned null "
                          "window!"));
  configureWindow(startLog("log2"));
  ks::LogManager::getInstance().setLogLevel(5);
  ASSERT_EQ(0, ks::GraphicsManager::getInstance().startUp());
  EXPECT_EQ(0, im.startUp());
  im.shutDown();
  std::vector<std::string> mine;
  for (const std::string &line : logMessages(ks::Configuration::getInstance().getLogFile()))
    if (line.rfind("InputManager::", 0) == 0)
      mine.push_back(line);
  EXPECT_EQ((std::vector<std::string>{"InputManager::startUp(): Keyboard repeated disabled.",
                                      "InputManager::startUp(): successfully started.",
                                      "InputManager::shutDown(): Keyboard repeat enabled.",
                                      "InputManager::shutDown(): successfully stopped."}),
            mine);
  ks::GraphicsManager::getInstance().shutDown();
  ks::LogManager::getInstance().setLogLevel(0);
}
