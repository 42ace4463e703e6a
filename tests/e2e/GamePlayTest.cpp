// The real game in a real (virtual) X window, played from outside with synthetic keyboard and
// mouse input while it records what it is sent. What it shows is read from the frame log it
// writes; what it plays, from its audio going to a wave file. Replayed as text afterwards, the
// recording must end on the frame the live run ended on.
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

#include "GameRun.h"
#include "TestSupport.h"
#include "WaveFile.h"

namespace {

// Generous bounds: software GL on a loaded machine may take several times the 33 ms step.
const int WINDOW_TIMEOUT_MS = 60000;
const int SCREEN_TIMEOUT_MS = 45000;

/// Runs xdotool with `args`; false if it failed. Its output goes to `*p_out` if given.
bool xdotool(const std::string &args, std::string *p_out = nullptr, int timeout_ms = 20000) {
  std::string command = "timeout " + std::to_string(timeout_ms / 1000) + " xdotool " + args;
  FILE *p_pipe = popen(command.c_str(), "r");
  if (p_pipe == nullptr)
    return false;
  char buffer[256];
  while (fgets(buffer, sizeof buffer, p_pipe) != nullptr)
    if (p_out != nullptr)
      *p_out += buffer;
  int status = pclose(p_pipe);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

long fileSize(const std::string &path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 ? static_cast<long>(info.st_size) : 0;
}

/// A window cell.
struct Cell {
  int x = -1, y = -1;
};

/// The newest whole frame of a frame log (empty while there is none) and its step in `*p_step`.
ks::TextFrame newestFrame(const std::string &log, long *p_step) {
  std::ifstream in(log, std::ios::binary);
  in.seekg(0, std::ios::end);
  long size = in.tellg();
  in.seekg(std::max(0L, size - 12000));
  std::string tail((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  size_t end = tail.rfind("end\n");
  size_t start = end == std::string::npos ? end : tail.rfind("\nframe ", end);
  ks::TextFrame frame;
  if (start != std::string::npos) {
    *p_step = std::atol(tail.c_str() + start + 7);
    size_t body = tail.find('\n', start + 1) + 1;
    frame.fromText(tail.substr(body, end + 4 - body));
  }
  return frame;
}

/// The first cell, row by row, showing `ch` in colour code `color` ('.' for any).
Cell find(const ks::TextFrame &frame, char ch, char color) {
  std::vector<std::string> text = frame.getLines(), colors = frame.getColorLines();
  for (int y = 0; y < static_cast<int>(text.size()); y++)
    for (int x = 0; x < static_cast<int>(text[y].size()); x++)
      if ((ch == 0 || text[y][x] == ch) && (color == '.' || colors[y][x] == color))
        return Cell{x, y};
  return Cell{};
}

class GamePlay : public testing::Test {
protected:
  void SetUp() override {
    ASSERT_NE(getenv("DISPLAY"), nullptr) << "needs an X display (run under Xvfb)";
    std::string title = "KestleE2E" + std::to_string(getpid());
    // A step of 100 ms instead of 33: the monsters that reach a hero standing still after some
    // 390 steps must not arrive while a slow machine runs the tools that play.
    dir = kstest::makeRunFolder("game", "window_title:" + title + ",frame_time:100,");
    // Sound goes to a wave file through the audio library's file backend.
    kstest::writeFile(path("alsoft.conf"), "drivers = wave\n\n[wave]\nfile = " + path("out.wav"));
    // Mesa's software driver keeps allocations to the end: a leak report at the game's exit
    // says nothing about the run.
    std::string asan =
        "ASAN_OPTIONS=" + std::string(getenv("ASAN_OPTIONS") ? getenv("ASAN_OPTIONS") : "") +
        ":detect_leaks=0";
    pid = kstest::startProgram(dir,
                               {path("kestle-game"), "--record", "run.rec", "--frame-log",
                                "frames.txt", "--final-frame", "final.txt"},
                               {"ALSOFT_CONF=" + path("alsoft.conf"), asan});
    ASSERT_GT(pid, 0);
    std::string found;
    ASSERT_TRUE(
        xdotool("search --sync --onlyvisible --name '^" + title + "$'", &found, WINDOW_TIMEOUT_MS))
        << "no game window appeared";
    window = std::stoul(found);
  }

  void TearDown() override {
    xdotool("keyup q Right");
    kstest::waitProgram(pid, 0);
  }

  std::string path(const std::string &name) const { return dir + "/" + name; }

  /// Waits for the game to show a frame for which `is` holds, kept in `frame`. On failure the
  /// newest frame is added to the test's output.
  testing::AssertionResult waitFor(const std::function<bool(const ks::TextFrame &)> &is) {
    if (kstest::eventually(
            [&] {
              frame = newestFrame(path("frames.txt"), &step);
              return frame.getVertical() > 0 && is(frame);
            },
            SCREEN_TIMEOUT_MS))
      return testing::AssertionSuccess();
    return testing::AssertionFailure() << "the game showed at last:\n" << frame.toText();
  }

  /// Moves the pointer to the middle of `cell`: 12.8 x 32 pixels with the shipped window.
  void pointAt(Cell cell) {
    xdotool("mousemove --window " + std::to_string(window) + " " +
            std::to_string(static_cast<int>((cell.x + 0.5) * 12.8)) + " " +
            std::to_string(cell.y * 32 + 16));
  }

  std::string dir; ///< the game's run folder
  pid_t pid = -1;  ///< the game
  unsigned long window = 0;
  ks::TextFrame frame; ///< the frame last waited for
  long step = -1;      ///< the step that drew `frame`
};

} // namespace

TEST_F(GamePlay, PlayedInTheWindowRecordedAndReplayedAsText) {
  // The splash runs by itself; a key skips to the start screen over the level.
  ASSERT_TRUE(waitFor([](const ks::TextFrame &f) { return find(f, '#', '2').x >= 0; }))
      << "no splash";
  pointAt(Cell{40, 12});
  xdotool("windowfocus --sync " + std::to_string(window));
  xdotool("key space");
  ASSERT_TRUE(waitFor([](const ks::TextFrame &f) { return kstest::shows(f, "Press P to play"); }));

  // P starts play: the green hero stands on the dirt.
  xdotool("key p");
  ASSERT_TRUE(waitFor([](const ks::TextFrame &f) {
    return !kstest::shows(f, "Press P to play") && find(f, 0, '2').x >= 0;
  })) << "P did not start play";
  const Cell hero = find(frame, 0, '2');
  const long play_step = step;

  // The red '+' follows the pointer; a quick left click on dirt next to the hero digs it.
  Cell dirt{hero.x >= 4 ? hero.x - 2 : hero.x + 2, -1};
  for (int y = hero.y + 1; y <= hero.y + 3 && dirt.y < 0; y++)
    if (frame.getCell(dirt.x, y).ch == '#')
      dirt.y = y;
  ASSERT_GE(dirt.y, 0) << "no dirt under the hero at column " << dirt.x;
  pointAt(dirt);
  ASSERT_TRUE(waitFor([&](const ks::TextFrame &f) {
    return f.getCell(dirt.x, dirt.y).ch == '+' && f.getCell(dirt.x, dirt.y).color == ks::RED;
  })) << "no reticle under the pointer";
  const long dig_bytes = fileSize(path("out.wav"));
  xdotool("click 1");
  const Cell target{hero.x + 12, hero.y};
  pointAt(target); // the '+' hides the cell: look once it has moved on
  EXPECT_TRUE(waitFor([&](const ks::TextFrame &f) {
    return f.getCell(dirt.x, dirt.y).ch == ' ' && f.getCell(target.x, target.y).ch == '+';
  })) << "the click did not dig";
  EXPECT_EQ('#', frame.getCell(dirt.x + 1, dirt.y).ch) << "the click dug more than its cell";
  const long dug_bytes = fileSize(path("out.wav")); // the sound played before this frame

  // A right click shoots a white arrow towards the pointer, once the bow is ready: 15 steps
  // after the hero appears.
  ASSERT_TRUE(waitFor([&](const ks::TextFrame &) { return step > play_step + 16; }));
  const long fire_bytes = fileSize(path("out.wav"));
  xdotool("click 3");
  EXPECT_TRUE(waitFor([](const ks::TextFrame &f) { return find(f, 0, '7').x >= 0; })) << "no arrow";
  const long shot_bytes = fileSize(path("out.wav"));

  // Holding the right arrow walks the hero right; holding Q ends the game.
  xdotool("keydown Right");
  EXPECT_TRUE(waitFor([&](const ks::TextFrame &f) { return find(f, 0, '2').x >= hero.x + 2; }))
      << "the hero did not walk";
  xdotool("keyup Right");
  xdotool("keydown q");
  int status = kstest::waitProgram(pid, 30000);
  pid = -1;
  xdotool("keyup q");
  EXPECT_EQ(0, status) << "holding Q did not end the game well: "
                       << kstest::readFile(path("stderr.txt"));
  EXPECT_FALSE(kstest::logContains(path("kestle.log"), "Error"));

  // The recording, replayed with no window, ends on the frame the live run ended on.
  ks::TextFrame live, replayed;
  ASSERT_EQ(0, live.readFile(path("final.txt")));
  ASSERT_EQ(0, kstest::runProgram(dir,
                                  {path("kestle-game"), "--replay", "run.rec", "--text",
                                   "--final-frame", "replayed.txt"},
                                  {"ALSOFT_DRIVERS=null"}, 120000));
  ASSERT_EQ(0, replayed.readFile(path("replayed.txt")));
  EXPECT_EQ("", kstest::frameDifference(live, replayed));

  // The sound: music all along, "dig" and "fire" after their clicks, by the time the game
  // showed what they did (and the mixer's latency, well under a second), however slow it ran.
  kstest::Wave out, dig, fire;
  ASSERT_TRUE(kstest::readWave(path("out.wav"), out)) << "no sound was recorded";
  ASSERT_TRUE(kstest::readWave(path("sounds/dig.wav"), dig));
  ASSERT_TRUE(kstest::readWave(path("sounds/fire.wav"), fire));
  auto frameAt = [&](long bytes) {
    return static_cast<size_t>(std::max(0L, (bytes - out.data_offset) / out.frame_bytes));
  };
  EXPECT_GT(kstest::rms(out.mono, 0, frameAt(dig_bytes)), 0.02) << "no music before the click";
  // A copy of an effect scores above 0.8 even under the music; the music alone stays below
  // 0.4 (its best stretch against "dig" scores 0.37).
  struct Heard {
    const kstest::Wave *p_effect;
    size_t click, shown;
  } heard[] = {{&dig, frameAt(dig_bytes), frameAt(dug_bytes)},
               {&fire, frameAt(fire_bytes), frameAt(shot_bytes)}};
  for (const Heard &h : heard) {
    kstest::Match before = kstest::findPattern(out.mono, 0, h.click, h.p_effect->mono);
    kstest::Match after = kstest::findPattern(out.mono, h.click, out.mono.size(), h.p_effect->mono);
    EXPECT_LT(before.score, 0.45);
    EXPECT_GT(after.score, 0.6);
    EXPECT_LT(after.frame, h.shown + static_cast<size_t>(out.rate)) << "late sound";
  }
}
