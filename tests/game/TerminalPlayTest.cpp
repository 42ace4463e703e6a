// The game in a real terminal: a detached tmux session of a chosen size (a tmux server of its
// own per test), read back with capture-pane, driven with send-keys. The game's sound goes to
// the machine's sound card, or its audio library complains on standard error if there is none:
// either way nothing of it must show on the screen.
#include <chrono>
#include <csignal>
#include <cstdio>
#include <functional>
#include <thread>
#include <unistd.h>

#include <gtest/gtest.h>

#include "GameRun.h"
#include "TestSupport.h"

using namespace kstest;

namespace {

std::string quote(const std::string &text) {
  std::string quoted = "'";
  for (char c : text)
    quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

/// The colour an SGR sequence's parameters leave, from `color` (-1: the default).
int sgrColor(const std::string &params, int color) {
  std::vector<int> n;
  for (size_t at = 0; at <= params.size(); at = params.find(';', at) + 1) {
    n.push_back(atoi(params.c_str() + at));
    if (params.find(';', at) == std::string::npos)
      break;
  }
  for (size_t i = 0; i < n.size(); i++) {
    if (n[i] == 0 || n[i] == 39)
      color = -1;
    else if ((n[i] >= 30 && n[i] <= 37) || (n[i] >= 90 && n[i] <= 97))
      color = n[i] % 10;
    else if (n[i] == 38 && i + 2 < n.size())
      color = n[i += 2] % 8;
  }
  return color;
}

/// Only the cells that show a character: blanks look the same whatever their colour.
ks::TextFrame visible(const ks::TextFrame &frame) {
  ks::TextFrame shown(frame.getHorizontal(), frame.getVertical());
  for (int y = 0; y < frame.getVertical(); y++)
    for (int x = 0; x < frame.getHorizontal(); x++)
      if (frame.getCell(x, y).ch != ' ')
        shown.placeCharacter(frame.getCell(x, y).ch,
                             static_cast<ks::Color>(frame.getCell(x, y).color),
                             static_cast<float>(x), static_cast<float>(y));
  return shown;
}

/// A tmux server of its own with one session, "ks", running `command` in `dir`.
class Tmux {
public:
  Tmux(const std::string &new_dir, int columns, int rows, const std::string &command,
       const std::string &options = "")
      : dir(new_dir), socket("ks" + std::to_string(getpid()) + "-" + std::to_string(count++)) {
    writeFile(dir + "/tmux.conf", "set -g status off\n" + options);
    run("new-session -d -s ks -x " + std::to_string(columns) + " -y " + std::to_string(rows) +
        " -c " + quote(dir) + " " + quote(command));
  }
  ~Tmux() { run("kill-server"); }

  /// Runs a tmux command; its output.
  std::string run(const std::string &args) const {
    std::string output;
    std::string line = "tmux -L " + socket + " -f " + quote(dir + "/tmux.conf") + " " + args;
    if (FILE *p_out = popen((line + " 2>&1").c_str(), "r")) {
      char buffer[4096];
      size_t got;
      while ((got = fread(buffer, 1, sizeof(buffer), p_out)) > 0)
        output.append(buffer, got);
      pclose(p_out);
    }
    return output;
  }
  void keys(const std::string &args) const { run("send-keys -t ks " + args); }
  std::string format(const std::string &text) const {
    return run("display-message -p -t ks " + quote(text));
  }

  /// What the pane shows, characters and colours.
  ks::TextFrame screen() const {
    std::string text = run("capture-pane -p -e -t ks");
    ks::TextFrame frame(std::stoi(format("#{pane_width}")), std::stoi(format("#{pane_height}")));
    int x = 0, y = 0, color = -1;
    for (size_t i = 0; i < text.size(); i++) {
      if (text[i] == '\n') {
        x = 0, y++;
      } else if (text[i] == '\x1b') {
        size_t end = text.find_first_of(
            "@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`abcdefghijklmnopqrstuvwxyz{|}~", i + 2);
        if (end == std::string::npos)
          break;
        if (text[end] == 'm')
          color = sgrColor(text.substr(i + 2, end - i - 2), color);
        i = end;
      } else {
        if (text[i] != ' ')
          frame.placeCharacter(text[i], static_cast<ks::Color>(color), x, y);
        x++;
      }
    }
    return frame;
  }

  /// The screen once it shows the same twice in a row and `wanted` holds for it.
  ks::TextFrame settled(const std::function<bool(const ks::TextFrame &)> &wanted) const {
    ks::TextFrame last, now;
    bool found = eventually([&] {
      last = now;
      now = screen();
      return now == last && wanted(now);
    });
    EXPECT_TRUE(found) << "the screen never settled as wanted:\n" << ks::TextFrame(now).toText();
    return now;
  }

private:
  static int count;
  std::string dir;
  std::string socket;
};
int Tmux::count = 0;

/// The game in `dir` with `args`; its exit status goes to "exit.txt".
std::string game(const std::string &args) {
  return "./kestle-game " + args + "; echo $? > exit.txt; exec sleep 1000";
}

/// The game's exit status once it has ended.
int exitStatus(const std::string &dir) {
  EXPECT_TRUE(eventually([&] { return !readFile(dir + "/exit.txt").empty(); }, 60000));
  return atoi(readFile(dir + "/exit.txt").c_str());
}

/// The top of the hero (a green O) on `frame`, or (-1, -1).
std::pair<int, int> hero(const ks::TextFrame &frame) {
  for (int y = 0; y < frame.getVertical(); y++)
    for (int x = 0; x < frame.getHorizontal(); x++)
      if (frame.getCell(x, y).ch == 'O' && frame.getCell(x, y).color == ks::GREEN)
        return {x, y};
  return {-1, -1};
}

bool startScreen(const ks::TextFrame &frame) {
  return shows(frame, "Press P to play");
}

} // namespace

TEST(TerminalPlay, ReplayEndsOnTheStoredFinalFrame) {
  std::string dir = makeRunFolder("terminal_replay");
  std::string recording = std::string(KS_TEST_DATA_DIR) + "/golden/pit";
  // No alternate screen: the last frame stays on the terminal when the game has ended.
  Tmux tmux(dir, 80, 24, game("--terminal --replay " + recording + ".rec --final-frame final.txt"),
            "set -g alternate-screen off\n");
  ASSERT_EQ(0, exitStatus(dir));
  ks::TextFrame stored = readFrameLog(recording + ".frames").rbegin()->second, written;
  ASSERT_EQ(0, written.readFile(dir + "/final.txt"));
  EXPECT_EQ("", frameDifference(stored, written));
  EXPECT_EQ("", frameDifference(visible(stored), tmux.screen()));
}

TEST(TerminalPlay, ShowsTheTextDisplaysFramesArrowKeysWalkAndAClickBesideTheHeroDigs) {
  std::string dir = makeRunFolder("terminal_keys");
  Tmux tmux(dir, 80, 24, game("--terminal --frame-log frames.txt"));
  const ks::TextFrame start_screen = tmux.settled(startScreen);
  tmux.keys("p");
  ks::TextFrame standing = tmux.settled([](const ks::TextFrame &f) { return hero(f).first >= 0; });
  auto [x, y] = hero(standing);
  int ground = y;
  while (ground < standing.getVertical() && standing.getCell(x, ground).ch != '#')
    ground++;
  ASSERT_LT(ground, y + 5) << "no dirt within reach under the hero";
  ASSERT_EQ('#', standing.getCell(x + 1, ground).ch);

  // Press and release on the dirt beside the feet (cells count from 1), then move away.
  std::string at = std::to_string(x + 2) + ";" + std::to_string(ground + 1);
  tmux.keys("-l " + quote("\x1b[<0;" + at + "M\x1b[<0;" + at + "m\x1b[<35;1;1M"));
  EXPECT_TRUE(eventually([&] { return tmux.screen().getCell(x + 1, ground).ch == ' '; }))
      << tmux.screen().toText();

  // Held: the terminal repeats the key; let go: the repeats stop, and so does the hero.
  int start = hero(tmux.screen()).first;
  EXPECT_TRUE(eventually([&] {
    for (int i = 0; i < 10; i++) {
      tmux.keys("Right");
      std::this_thread::sleep_for(std::chrono::milliseconds(30));
    }
    return hero(tmux.screen()).first >= start + 6;
  }));
  int walked = -1;
  EXPECT_TRUE(eventually([&] {
    int before = hero(tmux.screen()).first;
    std::this_thread::sleep_for(std::chrono::milliseconds(400)); // 6 steps: 3 cells if walking
    return (walked = hero(tmux.screen()).first) == before;
  })) << "the hero never stopped";
  EXPECT_GE(walked, start + 6);
  tmux.keys("q");
  EXPECT_EQ(0, exitStatus(dir));

  bool shown = false;
  for (const auto &[number, frame] : readFrameLog(dir + "/frames.txt"))
    shown = shown || visible(frame) == start_screen;
  EXPECT_TRUE(shown) << "the start screen in the terminal is no frame of the game's";
}

namespace {

enum Ending { QUIT_KEY, CTRL_C, SIGTERM_SIGNAL, START_UP_FAILURE };

struct GivenBack {
  const char *name;
  Ending ending;
  const char *args;
  int status; ///< as the shell reports it
};

std::ostream &operator<<(std::ostream &out, const GivenBack &g) {
  return out << g.name;
}

const GivenBack ENDINGS[] = {
    {"Q", QUIT_KEY, "", 0},
    {"CtrlC", CTRL_C, "", 128 + SIGINT},
    {"SIGTERM", SIGTERM_SIGNAL, "", 128 + SIGTERM},
    {"StartUpFailure", START_UP_FAILURE, "--record /no/such/folder/run.rec", 1},
};

class TerminalGivenBack : public testing::TestWithParam<GivenBack> {};

} // namespace

TEST_P(TerminalGivenBack, AsItWasWhateverEndsTheGame) {
  const GivenBack &end = GetParam();
  std::string dir = makeRunFolder(std::string("terminal_back_") + end.name);
  writeFile(dir + "/run.sh", "stty -g > before.txt\n"
                             "trap true INT\n"
                             "sh -c 'echo $$ > game.pid; exec ./kestle-game --terminal " +
                                 std::string(end.args) +
                                 "'\n"
                                 "echo \"exit $?\"\n"
                                 "stty -g > after.txt\n"
                                 "exec sleep 1000\n");
  Tmux tmux(dir, 80, 24, "sh run.sh");
  if (end.ending != START_UP_FAILURE)
    tmux.settled(startScreen);
  if (end.ending == QUIT_KEY)
    tmux.keys("q");
  if (end.ending == CTRL_C)
    tmux.keys("C-c");
  if (end.ending == SIGTERM_SIGNAL)
    kill(atoi(readFile(dir + "/game.pid").c_str()), SIGTERM);

  ks::TextFrame back = tmux.settled([&](const ks::TextFrame &f) {
    return shows(f, "exit " + std::to_string(end.status)) && !readFile(dir + "/after.txt").empty();
  });
  EXPECT_EQ(readFile(dir + "/before.txt"), readFile(dir + "/after.txt")) << "terminal modes";
  EXPECT_EQ("alternate 0 mouse 0 0 cursor 1 keypad 0 0\n",
            tmux.format("alternate #{alternate_on} mouse #{mouse_any_flag} #{mouse_sgr_flag} "
                        "cursor #{cursor_flag} keypad #{keypad_flag} #{keypad_cursor_flag}"));
  EXPECT_FALSE(shows(back, "#") || shows(back, "|")) << back.toText();
}

INSTANTIATE_TEST_SUITE_P(Endings, TerminalGivenBack, testing::ValuesIn(ENDINGS),
                         [](const testing::TestParamInfo<GivenBack> &g) {
                           return std::string(g.param.name);
                         });

TEST(TerminalPlay, TooSmallATerminalAsksForMoreUntilItIsResized) {
  std::string dir = makeRunFolder("terminal_small");
  Tmux tmux(dir, 40, 10, game("--terminal"));
  ks::TextFrame asking = tmux.settled([](const ks::TextFrame &f) { return shows(f, "80 x 24"); });
  for (int y = 1; y < asking.getVertical(); y++)
    EXPECT_EQ(std::string(40, ' '), asking.getLines()[y]) << "row " << y;
  tmux.run("resize-window -t ks -x 80 -y 24");
  tmux.settled(startScreen);
  tmux.keys("q");
  EXPECT_EQ(0, exitStatus(dir));
}

TEST(TerminalPlay, NoTerminalFailsStartUpWithALogLine) {
  std::string dir = makeRunFolder("terminal_none");
  EXPECT_EQ(1,
            runProgram(dir, {dir + "/kestle-game", "--terminal"}, {"ALSOFT_DRIVERS=null"}, 60000));
  EXPECT_EQ(1,
            logCount(dir + "/kestle.log",
                     "TerminalDisplay::open(): No terminal: standard output is not a terminal."));
}
