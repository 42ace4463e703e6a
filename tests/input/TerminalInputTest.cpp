// A terminal's bytes read step by step: keys held until their repeats stop or their release is
// reported, SGR mouse reports, escape sequences cut across reads.
#include <gtest/gtest.h>

#include "EventKeyboard.h"
#include "EventMouse.h"
#include "Recording.h"
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

/// The events as a recording writes them without the step, joined by ", ".
std::string eventText(const std::vector<ks::InputEvent> &events) {
  std::string text;
  for (const ks::InputEvent &e : events) {
    std::string line = ks::Recording::eventLine(0, e);
    text += (text.empty() ? "" : ", ") + line.substr(2, line.size() - 3);
  }
  return text;
}

const Case CASES[] = {
    {"HeldUntilTheRepeatsStop",
     false,
     {{0, "\x1b[C", "key pressed RIGHTARROW, key down RIGHTARROW"},
      {600, "\x1b[C", "key down RIGHTARROW"}, // the first repeat
      {640, "\x1b[C", "key down RIGHTARROW"},
      {790, "", "key down RIGHTARROW"},
      {791, "", "key released RIGHTARROW"}}},
    {"ATapIsHeldUntilItCouldHaveRepeated",
     false,
     {{0, "q", "key pressed Q, key down Q"}, {700, "", "key down Q"}, {701, "", "key released Q"}}},
    {"KittyReleases",
     true,
     {{0, "\x1b[1;1:1C", "key pressed RIGHTARROW, key down RIGHTARROW"},
      {5000, "\x1b[1;1:2C", "key down RIGHTARROW"},
      {5001, "\x1b[1;1:3C\x1b[113;1u\x1b[23~",
       "key released RIGHTARROW, key pressed Q, key pressed F11, key down Q"}, // F11 is never held
      {5002, "\x1b[113;1:3u", "key released Q"}}},
    {"SequencesCutAcrossReads",
     false,
     {{0, "\x1b", ""},
      {1, "[", ""},
      {2, "D\x1b", "key pressed LEFTARROW, key down LEFTARROW"},
      // Nothing followed: the Escape key.
      {3, "", "key pressed ESCAPE, key down LEFTARROW, key down ESCAPE"}}},
    {"MouseMovesClicksAndHolds",
     false,
     {{0, "\x1b[<35;5;3M", "mouse moved none 4 2"},
      {1, "\x1b[<2;6;3Ma",
       "mouse moved none 5 2, mouse clicked right 5 2, key pressed A, mouse pressed right 5 2, key "
       "down A"},
      {2, "\x1b[<34;7;3M", "mouse moved none 6 2, mouse pressed right 6 2, key down A"},
      {3, "\x1b[<2;7;3m\x1b[<0;7;3M\x1b[<64;1;1M",
       "mouse clicked left 6 2, mouse pressed left 6 2, key down A"}}},
    {"AnswersToQueriesAreNoInput", false, {{0, "\x1b[?62;22c\x1b[?1u", ""}}},
};

} // namespace

TEST(TerminalInputTest, StepsGiveTheirEvents) {
  for (const Case &c : CASES) {
    ks::TerminalInput input;
    for (const Read &read : c.reads) {
      std::vector<ks::InputEvent> events;
      input.receive(read.bytes, read.ms, c.kitty, events);
      EXPECT_EQ(read.events, eventText(events)) << c.name << " at " << read.ms << " ms";
    }
  }
}
