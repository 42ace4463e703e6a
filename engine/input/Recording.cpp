#include "Recording.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "EventKeyboard.h"
#include "EventMouse.h"
#include "LogManager.h"

namespace ks {

const char *const Recording::FORMAT_LINE = "kestle-recording 1";

namespace {

// Indexed by Key value.
const char *const KEY_NAMES[] = {
    "SPACE",       "RETURN",
    "ESCAPE",      "TAB",
    "LEFTARROW",   "RIGHTARROW",
    "UPARROW",     "DOWNARROW",
    "PAUSE",       "MINUS",
    "PLUS",        "TILDE",
    "PERIOD",      "COMMA",
    "SLASH",       "EQUAL",
    "BACKSLASH",   "MULTIPLY",
    "QUOTE",       "SEMICOLON",
    "LEFTCONTROL", "RIGHTCONTROL",
    "LEFTSHIFT",   "RIGHTSHIFT",
    "F1",          "F2",
    "F3",          "F4",
    "F5",          "F6",
    "F7",          "F8",
    "F9",          "F10",
    "F11",         "F12",
    "A",           "B",
    "C",           "D",
    "E",           "F",
    "G",           "H",
    "I",           "J",
    "K",           "L",
    "M",           "N",
    "O",           "P",
    "Q",           "R",
    "S",           "T",
    "U",           "V",
    "W",           "X",
    "Y",           "Z",
    "NUM1",        "NUM2",
    "NUM3",        "NUM4",
    "NUM5",        "NUM6",
    "NUM7",        "NUM8",
    "NUM9",        "NUM0",
    "BACKSPACE",
};
const int KEY_NAME_COUNT = sizeof KEY_NAMES / sizeof KEY_NAMES[0];

const char *const KEY_ACTIONS[] = {"pressed", "released", "down"};
const char *const MOUSE_ACTIONS[] = {"clicked", "pressed", "moved"};
const char *const BUTTONS[] = {"left", "right", "middle"};

/// The index of `word` in `names`, or -1.
template <size_t N>
int indexOf(const char *const (&names)[N], const std::string &word) {
  for (size_t i = 0; i < N; i++)
    if (word == names[i])
      return static_cast<int>(i);
  return -1;
}

std::string keyName(int key) {
  return key >= 0 && key < KEY_NAME_COUNT ? KEY_NAMES[key] : std::to_string(key);
}

/// A whole word as an int; false if it is anything else or out of range.
bool readInt(const std::string &word, int *p_value) {
  if (word.empty())
    return false;
  char *end = nullptr;
  errno = 0;
  long value = strtol(word.c_str(), &end, 10);
  if (*end != '\0' || errno != 0 || value < -2147483647L - 1 || value > 2147483647L)
    return false;
  *p_value = static_cast<int>(value);
  return true;
}

/// A whole word as a finite float.
bool readFloat(const std::string &word, float *p_value) {
  if (word.empty())
    return false;
  char *end = nullptr;
  errno = 0;
  float value = strtof(word.c_str(), &end);
  if (*end != '\0' || errno != 0 || !std::isfinite(value))
    return false;
  *p_value = value;
  return true;
}

std::string floatText(float f) {
  char text[32];
  snprintf(text, sizeof text, "%.9g", f);
  return text;
}

/// Parses one line at a time, keeping what is needed to name the first fault.
class Parser {
public:
  Parser(const std::string &init_name) : name(init_name), line_number(0) {}

  /// The words of the next line that is not a comment; false at the end of the text.
  bool next(std::istringstream &in, std::vector<std::string> *p_words) {
    std::string line;
    while (std::getline(in, line)) {
      line_number++;
      if (!line.empty() && line.back() == '\r')
        line.pop_back();
      if (line.empty() || line[0] == '#')
        continue;
      std::istringstream words(line);
      p_words->clear();
      for (std::string w; words >> w;)
        p_words->push_back(w);
      return true;
    }
    return false;
  }

  /// Writes the one log line and returns -1.
  int fail(const std::string &what) const {
    LogManager::getInstance().writeLog("Recording::readFile(): Error in '%s' line %d: %s.",
                                       name.c_str(), line_number, what.c_str());
    return -1;
  }

private:
  std::string name;
  int line_number;
};

/// Reads "<key> <number>" into `*p_value`.
bool setting(const std::vector<std::string> &words, const char *key, int *p_value) {
  return words.size() == 2 && words[0] == key && readInt(words[1], p_value);
}

/// The event of an event line's words after the step; "" or what is wrong.
std::string readEvent(const std::vector<std::string> &w, InputEvent *p_event) {
  if (w[1] == "close" && w.size() == 2) {
    *p_event = InputEvent::close();
    return "";
  }
  if (w[1] == "key" && w.size() == 4) {
    int action = indexOf(KEY_ACTIONS, w[2]);
    if (action < 0)
      return "unknown key action '" + w[2] + "'";
    int key = indexOf(KEY_NAMES, w[3]);
    if (key < 0 && !readInt(w[3], &key))
      return "unknown key '" + w[3] + "'";
    *p_event = InputEvent::keyboard(action, key);
    return "";
  }
  if (w[1] == "mouse" && w.size() == 6) {
    int action = indexOf(MOUSE_ACTIONS, w[2]);
    if (action < 0)
      return "unknown mouse action '" + w[2] + "'";
    int button = w[3] == "none" ? UNDEFINED_MOUSE_BUTTON : indexOf(BUTTONS, w[3]);
    if (button < 0 && w[3] != "none")
      return "unknown mouse button '" + w[3] + "'";
    float x = 0, y = 0;
    if (!readFloat(w[4], &x) || !readFloat(w[5], &y))
      return "bad mouse position";
    *p_event = InputEvent::mouse(action, button, Vector(x, y));
    return "";
  }
  return "expected \"<step> key ...\", \"<step> mouse ...\", \"<step> close\" or \"end <steps>\"";
}

} // namespace

std::string Recording::headerText(const RecordingSettings &s) {
  return std::string(FORMAT_LINE) + "\nview " + std::to_string(s.horizontal) + " " +
         std::to_string(s.vertical) + "\nframe_time " + std::to_string(s.frame_time) +
         "\nrandom_seed " + std::to_string(s.random_seed) + "\npath_plies " +
         std::to_string(s.path_plies) + "\n";
}

std::string Recording::eventLine(int step, const InputEvent &e) {
  std::string line = std::to_string(step);
  switch (e.kind) {
  case InputEvent::KEYBOARD:
    line += " key " +
            std::string(e.action >= 0 && e.action < 3 ? KEY_ACTIONS[e.action] : "pressed") + " " +
            keyName(e.key);
    break;
  case InputEvent::MOUSE:
    line += " mouse " +
            std::string(e.action >= 0 && e.action < 3 ? MOUSE_ACTIONS[e.action] : "moved") + " " +
            (e.button >= 0 && e.button < 3 ? BUTTONS[e.button] : "none") + " " +
            floatText(e.position.getX()) + " " + floatText(e.position.getY());
    break;
  case InputEvent::CLOSE:
    line += " close";
    break;
  }
  return line + "\n";
}

std::string Recording::endLine(int run_steps) {
  return "end " + std::to_string(run_steps) + "\n";
}

int Recording::readFile(const std::string &filename) {
  std::ifstream file(filename, std::ios::binary);
  if (!file) {
    LogManager::getInstance().writeLog("Recording::readFile(): Unable to open '%s'.",
                                       filename.c_str());
    return -1;
  }
  std::ostringstream text;
  text << file.rdbuf();
  return readText(text.str(), filename);
}

int Recording::readText(const std::string &text, const std::string &name) {
  std::istringstream in(text);
  Parser parser(name);
  std::vector<std::string> w;
  RecordingSettings s;
  if (!parser.next(in, &w) || w.size() != 2 || w[0] + " " + w[1] != FORMAT_LINE)
    return parser.fail(std::string("expected \"") + FORMAT_LINE + "\"");
  if (!parser.next(in, &w) || w.size() != 3 || w[0] != "view" || !readInt(w[1], &s.horizontal) ||
      !readInt(w[2], &s.vertical) || s.horizontal <= 0 || s.vertical <= 0)
    return parser.fail("expected \"view <columns> <rows>\"");
  if (!parser.next(in, &w) || !setting(w, "frame_time", &s.frame_time) || s.frame_time < 0)
    return parser.fail("expected \"frame_time <milliseconds>\"");
  if (!parser.next(in, &w) || !setting(w, "random_seed", &s.random_seed))
    return parser.fail("expected \"random_seed <seed>\"");
  if (!parser.next(in, &w) || !setting(w, "path_plies", &s.path_plies) || s.path_plies < 0)
    return parser.fail("expected \"path_plies <plies>\"");

  std::vector<RecordedEvent> read;
  int last_step = 0, end_steps = -1;
  while (end_steps < 0) {
    if (!parser.next(in, &w))
      return parser.fail("the recording is truncated: no \"end <steps>\" line");
    int step = 0;
    if (w.size() == 2 && w[0] == "end") {
      if (!readInt(w[1], &end_steps) || end_steps < last_step + (read.empty() ? 0 : 1))
        return parser.fail("\"end\" needs the number of steps, past the last event's step");
      continue;
    }
    if (w.size() < 2 || !readInt(w[0], &step) || step < 0)
      return parser.fail("expected a step number");
    if (step < last_step)
      return parser.fail("step " + w[0] + " comes after step " + std::to_string(last_step));
    InputEvent e = InputEvent::close();
    std::string fault = readEvent(w, &e);
    if (!fault.empty())
      return parser.fail(fault);
    read.push_back(RecordedEvent{step, e});
    last_step = step;
  }
  if (parser.next(in, &w))
    return parser.fail("nothing may follow the \"end\" line");
  settings = s;
  events.swap(read);
  steps = end_steps;
  return 0;
}

const RecordingSettings &Recording::getSettings() const {
  return settings;
}

const std::vector<RecordedEvent> &Recording::getEvents() const {
  return events;
}

int Recording::getSteps() const {
  return steps;
}

} // namespace ks
