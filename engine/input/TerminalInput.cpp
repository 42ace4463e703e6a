#include "TerminalInput.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>

#include "EventKeyboard.h"
#include "EventMouse.h"
#include "GraphicsManager.h"
#include "TerminalDisplay.h"
#include "WindowInput.h"

namespace ks {

namespace {

/// What a key report says happened: the kitty protocol's event types.
enum KeyKind { PRESS = 1, REPEAT = 2, RELEASE = 3 };

/// Keys without an engine name are the window's key code + 97, as the window gives them.
const int UNNAMED = 97;
const int HOME = 64 + UNNAMED, END = 63 + UNNAMED, INSERT = 65 + UNNAMED, DELETE = 66 + UNNAMED;
const int PAGE_UP = 61 + UNNAMED, PAGE_DOWN = 62 + UNNAMED, MENU = 45 + UNNAMED;
const int LEFT_BRACKET = 46 + UNNAMED, RIGHT_BRACKET = 47 + UNNAMED, DASH = 56 + UNNAMED;

struct CodeKey {
  int code;
  int key;
};

/// Characters besides letters and digits; shifted ones as on a US keyboard.
const CodeKey CHARACTER_KEYS[] = {
    {' ', SPACE},         {'\r', RETURN},      {'\n', RETURN},      {'\t', TAB},
    {0x7f, BACKSPACE},    {0x08, BACKSPACE},   {'-', MINUS},        {'_', DASH},
    {'+', PLUS},          {'*', MULTIPLY},     {'.', PERIOD},       {'>', PERIOD},
    {',', COMMA},         {'<', COMMA},        {'/', SLASH},        {'?', SLASH},
    {'=', EQUAL},         {'\\', BACKSLASH},   {'|', BACKSLASH},    {'\'', QUOTE},
    {'"', QUOTE},         {';', SEMICOLON},    {':', SEMICOLON},    {'`', TILDE},
    {'~', TILDE},         {'[', LEFT_BRACKET}, {'{', LEFT_BRACKET}, {']', RIGHT_BRACKET},
    {'}', RIGHT_BRACKET}, {'!', NUM1},         {'@', NUM2},         {'#', NUM3},
    {'$', NUM4},          {'%', NUM5},         {'^', NUM6},         {'&', NUM7},
    {'(', NUM9},          {')', NUM0},         {0x1b, ESCAPE},
};

/// The kitty protocol's codes for keys that send no character.
const CodeKey KITTY_KEYS[] = {
    {57362, PAUSE},      {57363, MENU},         {57410, 70 + UNNAMED}, {57411, MULTIPLY},
    {57412, MINUS},      {57413, PLUS},         {57414, RETURN},       {57415, EQUAL},
    {57441, LEFTSHIFT},  {57442, LEFTCONTROL},  {57443, 39 + UNNAMED}, {57444, 40 + UNNAMED},
    {57447, RIGHTSHIFT}, {57448, RIGHTCONTROL}, {57449, 43 + UNNAMED}, {57450, 44 + UNNAMED},
};

/// "ESC [ n ~" keys.
const CodeKey TILDE_KEYS[] = {
    {1, HOME}, {2, INSERT}, {3, DELETE}, {4, END},  {5, PAGE_UP}, {6, PAGE_DOWN}, {7, HOME},
    {8, END},  {11, F1},    {12, F2},    {13, F3},  {14, F4},     {15, F5},       {17, F6},
    {18, F7},  {19, F8},    {20, F9},    {21, F10}, {23, F11},    {24, F12},      {29, MENU},
};

/// "ESC [ x" and "ESC O x" keys, by their last character.
const CodeKey LETTER_KEYS[] = {
    {'A', UPARROW}, {'B', DOWNARROW}, {'C', RIGHTARROW}, {'D', LEFTARROW}, {'H', HOME},
    {'F', END},     {'P', F1},        {'Q', F2},         {'R', F3},        {'S', F4},
};

template <size_t N>
int lookUp(const CodeKey (&table)[N], int code) {
  for (const CodeKey &entry : table)
    if (entry.code == code)
      return entry.key;
  return UNDEFINED_KEY;
}

/// The key of a character the terminal sent; Ctrl and a letter gives the letter.
int characterKey(int c) {
  if (c >= 'a' && c <= 'z')
    return A + (c - 'a');
  if (c >= 'A' && c <= 'Z')
    return A + (c - 'A');
  if (c >= '1' && c <= '9')
    return NUM1 + (c - '1');
  if (c == '0')
    return NUM0;
  int key = lookUp(CHARACTER_KEYS, c);
  if (key == UNDEFINED_KEY && c >= 1 && c <= 26)
    return A + (c - 1);
  return key;
}

int kittyKey(int code) {
  if (code >= 57399 && code <= 57408) // keypad digits
    return 75 + (code - 57399) + UNNAMED;
  int key = lookUp(KITTY_KEYS, code);
  return key != UNDEFINED_KEY ? key : code < 128 ? characterKey(code) : UNDEFINED_KEY;
}

/// The numbers of one field of a CSI sequence's parameters ("1:3" in "1;5:3"); 0 if absent.
int subfield(const std::string &params, int field, int sub) {
  size_t at = 0;
  for (int f = 0; f < field && at != std::string::npos; f++)
    if ((at = params.find(';', at)) != std::string::npos)
      at++;
  for (int s = 0; s < sub && at != std::string::npos; s++)
    if ((at = params.find_first_of(":;", at)) != std::string::npos)
      at = params[at] == ':' ? at + 1 : std::string::npos;
  return at == std::string::npos ? 0 : atoi(params.c_str() + at);
}

long long nowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

TerminalDisplay *terminalDisplay() {
  auto *p_display = dynamic_cast<TerminalDisplay *>(GraphicsManager::getInstance().getDisplay());
  return p_display != nullptr && p_display->isOpen() ? p_display : nullptr;
}

} // namespace

TerminalInput::TerminalInput()
    : unfinished(), held_keys(), button_held{false, false, false}, pointer_x(-1), pointer_y(-1),
      releases(false), now(0), p_queue(nullptr) {}

int TerminalInput::start() {
  stop();
  TerminalDisplay *p_display = terminalDisplay();
  releases = p_display != nullptr && p_display->reportsKeyReleases();
  return 0;
}

void TerminalInput::stop() {
  unfinished.clear();
  held_keys.clear();
  std::fill(button_held, button_held + 3, false);
  pointer_x = pointer_y = -1;
}

void TerminalInput::poll(int, std::vector<InputEvent> &events) {
  TerminalDisplay *p_display = terminalDisplay();
  if (p_display == nullptr)
    return;
  std::string bytes;
  p_display->readInput(bytes);
  receive(bytes, nowMs(), p_display->reportsKeyReleases(), events);
}

void TerminalInput::pollClose(std::vector<InputEvent> &events) {
  std::vector<InputEvent> read;
  poll(0, read);
  for (const InputEvent &e : read) {
    if (e.kind == InputEvent::KEYBOARD && e.action == KEY_PRESSED &&
        (e.key == Q || e.key == ESCAPE)) {
      events.push_back(InputEvent::close());
      return;
    }
  }
}

void TerminalInput::receive(const std::string &bytes, long long now_ms, bool key_releases,
                            std::vector<InputEvent> &events) {
  now = now_ms;
  releases = key_releases;
  p_queue = &events;
  std::string all = unfinished + bytes;
  unfinished.clear();
  // Nothing new came: what was cut off will never be finished (a lone ESC is the Escape key).
  bool final_read = bytes.empty();
  for (size_t at = 0; at < all.size();) {
    if (all[at] != 0x1b) {
      key(characterKey(static_cast<unsigned char>(all[at])), PRESS);
      at++;
      continue;
    }
    size_t used = parseSequence(all, at, final_read);
    if (used == 0) {
      unfinished = all.substr(at);
      break;
    }
    at += used;
  }
  if (!releases)
    releaseSilentKeys();
  held(events);
  p_queue = nullptr;
}

// The bytes used from the ESC at `at`, 0 when the sequence isn't all there yet.
size_t TerminalInput::parseSequence(const std::string &bytes, size_t at, bool final_read) {
  size_t length = bytes.size() - at;
  if (length == 1 || (length == 2 && bytes[at + 1] == 'O')) {
    if (!final_read)
      return 0;
    key(length == 1 ? ESCAPE : O, PRESS); // Escape; Alt and O
    return length;
  }
  char next = bytes[at + 1];
  if (next == '[') {
    size_t used = parseCsi(bytes, at);
    if (used == 0 && final_read) {
      key(ESCAPE, PRESS);
      return length;
    }
    return used;
  }
  if (next == 'O') {
    key(lookUp(LETTER_KEYS, bytes[at + 2]), PRESS);
    return 3;
  }
  if (next == 0x1b) {
    key(ESCAPE, PRESS);
    return 1;
  }
  key(characterKey(static_cast<unsigned char>(next)), PRESS); // Alt and a key
  return 2;
}

// "ESC [ parameters intermediates final": keys, kitty key reports, SGR mouse reports.
size_t TerminalInput::parseCsi(const std::string &bytes, size_t at) {
  size_t end = at + 2;
  while (end < bytes.size() && bytes[end] >= 0x20 && bytes[end] <= 0x3f)
    end++;
  if (end == bytes.size())
    return 0;
  std::string params = bytes.substr(at + 2, end - at - 2);
  char last = bytes[end];
  if (!params.empty() && params[0] == '<') {
    if (last == 'M' || last == 'm')
      mouse(subfield(params.substr(1), 0, 0), subfield(params.substr(1), 1, 0),
            subfield(params.substr(1), 2, 0), last == 'm');
    return end - at + 1;
  }
  if (!params.empty() && (params[0] == '?' || params[0] == '>' || params[0] == '='))
    return end - at + 1; // the terminal answering a query
  int number = subfield(params, 0, 0);
  int kind = subfield(params, 1, 1);
  int k = last == 'u'   ? kittyKey(number)
          : last == '~' ? lookUp(TILDE_KEYS, number)
                        : lookUp(LETTER_KEYS, last);
  key(k, kind == REPEAT || kind == RELEASE ? kind : PRESS);
  return end - at + 1;
}

void TerminalInput::key(int k, int kind) {
  if (k == UNDEFINED_KEY)
    return;
  auto it = std::find_if(held_keys.begin(), held_keys.end(),
                         [k](const HeldKey &h) { return h.key == k; });
  if (kind == RELEASE) {
    if (it != held_keys.end()) {
      p_queue->push_back(InputEvent::keyboard(KEY_RELEASED, k));
      held_keys.erase(it);
    }
    return;
  }
  if (it != held_keys.end()) { // a repeat
    it->last_seen = now;
    it->repeating = true;
    return;
  }
  p_queue->push_back(InputEvent::keyboard(KEY_PRESSED, k));
  held_keys.push_back({k, now, false});
}

// SGR report: button code (low bits the button, 32 motion, 64 and up wheel and extra buttons),
// 1-based cell; "m" ends a press.
void TerminalInput::mouse(int code, int x, int y, bool release) {
  if (code >= 64)
    return;
  int low = code & 3;
  int button = low == 0 ? LEFT : low == 1 ? MIDDLE : low == 2 ? RIGHT : UNDEFINED_MOUSE_BUTTON;
  if (release) {
    if (button != UNDEFINED_MOUSE_BUTTON)
      button_held[button] = false;
    return;
  }
  Vector cell(static_cast<float>(x - 1), static_cast<float>(y - 1));
  if (cell.getX() != pointer_x || cell.getY() != pointer_y) {
    pointer_x = cell.getX();
    pointer_y = cell.getY();
    p_queue->push_back(InputEvent::mouse(MOVED, UNDEFINED_MOUSE_BUTTON, cell));
  }
  if ((code & 32) != 0 || button == UNDEFINED_MOUSE_BUTTON)
    return;
  p_queue->push_back(InputEvent::mouse(CLICKED, button, cell));
  button_held[button] = true;
}

void TerminalInput::releaseSilentKeys() {
  for (auto it = held_keys.begin(); it != held_keys.end();) {
    long long wait = it->repeating ? REPEAT_WAIT_MS : FIRST_REPEAT_WAIT_MS;
    if (now - it->last_seen <= wait) {
      ++it;
      continue;
    }
    p_queue->push_back(InputEvent::keyboard(KEY_RELEASED, it->key));
    it = held_keys.erase(it);
  }
}

void TerminalInput::held(std::vector<InputEvent> &events) const {
  for (int button : {LEFT, RIGHT, MIDDLE})
    if (button_held[button])
      events.push_back(InputEvent::mouse(PRESSED, button, Vector(pointer_x, pointer_y)));
  for (int k : WindowInput::heldKeys())
    for (const HeldKey &h : held_keys)
      if (h.key == k)
        events.push_back(InputEvent::keyboard(KEY_DOWN, k));
}

} // namespace ks
