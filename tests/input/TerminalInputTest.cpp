// What a terminal sends, read by steps: keys held from their press until their auto-repeat
// stops or the terminal reports their release, SGR mouse reports, escape sequences cut across
// reads.
#include <gtest/gtest.h>

#include <map>

#include "EventKeyboard.h"
#include "EventMouse.h"
#include "TerminalInput.h"

namespace {

/// One step's read: when, and what the terminal sent.
struct Read {
  long long ms;
  const char *bytes;
  const char *events; ///< the step's events, as eventText() writes them
};

struct Case {
  const char *name;
  bool kitty; ///< the terminal reports releases
  std::vector<Read> reads;
};

std::ostream &operator<<(std::ostream &out, const Case &c) {
  return out << c.name;
}

/// "+Right" pressed, "-Right" released, "=Right" held; "move@x,y", "clickR@x,y", "heldR@x,y".
std::string eventText(const std::vector<ks::InputEvent> &events) {
  std::map<int, std::string> keys = {{ks::RIGHTARROW, "Right"},
                                     {ks::LEFTARROW, "Left"},
                                     {ks::ESCAPE, "Esc"},
                                     {ks::Q, "Q"},
                                     {ks::A, "A"},
                                     {ks::F11, "F11"}};
  std::string text;
  for (const ks::InputEvent &e : events) {
    text += text.empty() ? "" : " ";
    if (e.kind == ks::InputEvent::KEYBOARD) {
      text += std::string(e.action == ks::KEY_PRESSED ? "+" : e.action == ks::KEY_DOWN ? "=" : "-");
      text += keys.count(e.key) ? keys[e.key] : std::to_string(e.key);
      continue;
    }
    text += e.action == ks::MOVED ? "move" : e.action == ks::CLICKED ? "click" : "held";
    text += e.button == ks::LEFT     ? "L"
            : e.button == ks::RIGHT  ? "R"
            : e.button == ks::MIDDLE ? "M"
                                     : "";
    text += "@" + std::to_string(static_cast<int>(e.position.getX())) + "," +
            std::to_string(static_cast<int>(e.position.getY()));
  }
  return text;
}

const Case CASES[] = {
    {"HeldUntilTheRepeatsStop",
     false,
     {{0, "\x1b[C", "+Right =Right"},
      {600, "\x1b[C", "=Right"}, // the first repeat
      {640, "\x1b[C", "=Right"},
      {790, "", "=Right"},
      {791, "", "-Right"}}},
    {"ATapIsHeldUntilItCouldHaveRepeated",
     false,
     {{0, "q", "+Q =Q"}, {700, "", "=Q"}, {701, "", "-Q"}}},
    {"KittyReleases",
     true,
     {{0, "\x1b[1;1:1C", "+Right =Right"},
      {5000, "\x1b[1;1:2C", "=Right"},
      {5001, "\x1b[1;1:3C\x1b[113;1u\x1b[23~", "-Right +Q +F11 =Q"}, // F11 is never held
      {5002, "\x1b[113;1:3u", "-Q"}}},
    {"SequencesCutAcrossReads",
     false,
     {{0, "\x1b", ""},
      {1, "[", ""},
      {2, "D\x1b", "+Left =Left"},
      {3, "", "+Esc =Left =Esc"}}}, // nothing followed: the Escape key
    {"MouseMovesClicksAndHolds",
     false,
     {{0, "\x1b[<35;5;3M", "move@4,2"},
      {1, "\x1b[<2;6;3Ma", "move@5,2 clickR@5,2 +A heldR@5,2 =A"},
      {2, "\x1b[<34;7;3M", "move@6,2 heldR@6,2 =A"},
      {3, "\x1b[<2;7;3m\x1b[<0;7;3M\x1b[<64;1;1M", "clickL@6,2 heldL@6,2 =A"}}},
    {"AnswersToQueriesAreNoInput", false, {{0, "\x1b[?62;22c\x1b[?1u", ""}}},
};

class TerminalInputTest : public testing::TestWithParam<Case> {};

} // namespace

TEST_P(TerminalInputTest, StepsGiveTheirEvents) {
  ks::TerminalInput input;
  for (const Read &read : GetParam().reads) {
    std::vector<ks::InputEvent> events;
    input.receive(read.bytes, read.ms, GetParam().kitty, events);
    EXPECT_EQ(read.events, eventText(events)) << "at " << read.ms << " ms";
  }
}

INSTANTIATE_TEST_SUITE_P(Terminal, TerminalInputTest, testing::ValuesIn(CASES),
                         [](const testing::TestParamInfo<Case> &c) {
                           return std::string(c.param.name);
                         });
