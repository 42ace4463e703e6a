// The real game program under a real (virtual) X display, driven from outside with synthetic
// keyboard and mouse input as a player would: what it shows, logs, plays and how it ends.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

#include "GameProcess.h"
#include "TestSupport.h"
#include "WaveAnalysis.h"
#include "WindowCapture.h"

namespace {

using kse2e::GameProcess;
using kse2e::Match;
using kse2e::Wave;
using kse2e::WindowCapture;
using Clock = std::chrono::steady_clock;

// Generous bounds: software GL on a loaded machine may take 115 ms or more per 33 ms step.
const int WINDOW_TIMEOUT_MS = 60000;
const int SCREEN_TIMEOUT_MS = 45000;
const int EXIT_TIMEOUT_MS = 30000;
// Left alone, the hero is reached by a monster after about 350 steps.
const int DEATH_TIMEOUT_MS = 180000;

// The window's character grid with the shipped configuration.
const int COLUMNS = 80;
const int ROWS = 24;

/// Runs xdotool with `args`, killed after `timeout_ms`. Returns its standard output; `p_ok`, if
/// given, tells whether it succeeded.
std::string xdotool(const std::string &args, bool *p_ok = nullptr, int timeout_ms = 20000) {
  std::string command =
      "timeout " + std::to_string(timeout_ms / 1000) + " xdotool " + args + " 2>/dev/null";
  std::string out;
  FILE *p_pipe = popen(command.c_str(), "r");
  if (p_pipe == nullptr) {
    if (p_ok != nullptr)
      *p_ok = false;
    return out;
  }
  char buffer[256];
  while (fgets(buffer, sizeof buffer, p_pipe) != nullptr)
    out += buffer;
  int status = pclose(p_pipe);
  if (p_ok != nullptr)
    *p_ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  return out;
}

/// Polls `done` every 30 ms until it holds or `timeout_ms` has passed; returns its last value.
bool waitUntil(int timeout_ms, const std::function<bool()> &done) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
  while (!done()) {
    if (Clock::now() >= deadline)
      return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
  }
  return true;
}

bool isGreen(sf::Color c) {
  return c.g >= 128 && c.r < 80 && c.b < 80;
}
bool isRed(sf::Color c) {
  return c.r >= 128 && c.g < 80 && c.b < 80;
}
bool isYellow(sf::Color c) {
  return c.r >= 128 && c.g >= 128 && c.b < 80;
}
bool isWhite(sf::Color c) {
  return c.r >= 160 && c.g >= 160 && c.b >= 160;
}
bool isBackground(sf::Color c) {
  return c.r < 24 && c.g < 24 && c.b < 24;
}

/// A window cell (column, row).
struct Cell {
  int x = -1;
  int y = -1;
};

/// One screenshot of the game window, read in character cells.
struct Shot {
  sf::Image image;

  float cellWidth() const { return static_cast<float>(image.getSize().x) / COLUMNS; }
  float cellHeight() const { return static_cast<float>(image.getSize().y) / ROWS; }

  /// Pixels matching `is` in the cells [x0, x1) × [y0, y1).
  int count(const std::function<bool(sf::Color)> &is, int x0, int y0, int x1, int y1) const {
    const unsigned left = static_cast<unsigned>(std::max(0.0f, x0 * cellWidth()));
    const unsigned top = static_cast<unsigned>(std::max(0.0f, y0 * cellHeight()));
    const unsigned right = std::min(image.getSize().x, static_cast<unsigned>(x1 * cellWidth()));
    const unsigned bottom = std::min(image.getSize().y, static_cast<unsigned>(y1 * cellHeight()));
    int n = 0;
    for (unsigned y = top; y < bottom; y++)
      for (unsigned x = left; x < right; x++)
        if (is(image.getPixel(x, y)))
          n++;
    return n;
  }

  int countAll(const std::function<bool(sf::Color)> &is) const {
    return count(is, 0, 0, COLUMNS, ROWS);
  }

  /// True if the part of `cell` that only its own character covers shows the background colour
  /// alone: the font's glyphs are wider than a cell and start a little right of its edge.
  bool isEmpty(Cell cell) const {
    const unsigned left = static_cast<unsigned>((cell.x + 0.35f) * cellWidth());
    const unsigned right = static_cast<unsigned>((cell.x + 0.95f) * cellWidth());
    const unsigned top = static_cast<unsigned>((cell.y + 0.2f) * cellHeight());
    const unsigned bottom = static_cast<unsigned>((cell.y + 0.8f) * cellHeight());
    for (unsigned y = top; y < bottom && y < image.getSize().y; y++)
      for (unsigned x = left; x < right && x < image.getSize().x; x++)
        if (!isBackground(image.getPixel(x, y)))
          return false;
    return true;
  }

  /// The top left cell of the pixels matching `is` (x -1 if none).
  Cell firstCell(const std::function<bool(sf::Color)> &is) const {
    Cell cell;
    unsigned min_x = image.getSize().x, min_y = image.getSize().y;
    for (unsigned y = 0; y < image.getSize().y; y++)
      for (unsigned x = 0; x < image.getSize().x; x++)
        if (is(image.getPixel(x, y))) {
          min_x = std::min(min_x, x);
          min_y = std::min(min_y, y);
        }
    if (min_x < image.getSize().x) {
      cell.x = static_cast<int>(static_cast<float>(min_x) / cellWidth());
      cell.y = static_cast<int>(static_cast<float>(min_y) / cellHeight());
    }
    return cell;
  }

  /// A pixel near the top left corner of `cell`, relative to the window: the game draws the
  /// '+' one cell wide and high from the pointer's exact position, so this keeps it in the cell.
  std::string pointIn(Cell cell) const {
    return std::to_string(static_cast<int>((cell.x + 0.15f) * cellWidth())) + " " +
           std::to_string(static_cast<int>((cell.y + 0.15f) * cellHeight()));
  }
};

/// The splash: the green engine name in the middle rows, nothing green near the edges.
bool showsSplash(const Shot &shot) {
  return shot.count(isGreen, 0, 7, COLUMNS, 17) > 200 &&
         shot.count(isGreen, 0, 0, COLUMNS, 5) == 0 &&
         shot.count(isGreen, 0, 19, COLUMNS, ROWS) == 0;
}

/// The start screen: a green framed box from row 2 to row 21 across most of the window.
bool showsStartScreen(const Shot &shot) {
  return shot.count(isGreen, 8, 2, 72, 3) > 150 && shot.count(isGreen, 8, 21, 72, 22) > 150 &&
         shot.count(isGreen, 8, 7, 72, 17) > 200;
}

/// The game-over screen: the red lettering across the middle of the window, and no hero.
bool showsGameOver(const Shot &shot) {
  return shot.count(isRed, 14, 9, 66, 15) > 600 && shot.countAll(isGreen) == 0;
}

/// Size of the file at `path` in bytes (0 if missing).
long fileSize(const std::string &path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 ? static_cast<long>(info.st_size) : 0;
}

/// A log line that reports a failure.
bool isErrorLine(const std::string &line) {
  return line.find("Error") != std::string::npos || line.find("Warning") != std::string::npos ||
         line.find("not found") != std::string::npos;
}

/// Starts the game from a private copy of the run folder and finds its window.
class GamePlayTest : public testing::Test {
protected:
  void SetUp() override {
    ASSERT_NE(getenv("DISPLAY"), nullptr) << "needs an X display (run under Xvfb)";
    ASSERT_TRUE(capture.isOpen());
    bool ok = false;
    xdotool("version", &ok);
    ASSERT_TRUE(ok) << "xdotool is missing";
    title = "KestleE2E" + std::to_string(getpid());
    ASSERT_EQ(game.prepare(KS_RUN_DIR, title), 0) << "cannot copy " << KS_RUN_DIR;
    ASSERT_EQ(game.start(), 0);
    std::string found =
        xdotool("search --sync --onlyvisible --name '^" + title + "$'", &ok, WINDOW_TIMEOUT_MS);
    ASSERT_TRUE(ok) << "no game window appeared";
    window = std::stoul(found);
  }

  void TearDown() override {
    xdotool("keyup q Right");
    game.kill();
  }

  /// Takes a screenshot, saved as `name`.png in the game's folder when a name is given.
  bool grab(Shot &shot, const std::string &name = "") {
    if (!capture.grab(window, shot.image))
      return false;
    if (!name.empty())
      shot.image.saveToFile(game.path(name + ".png"));
    return true;
  }

  /// Takes screenshots until `is` holds for one (kept in `shot`) or time runs out.
  bool waitForScreen(Shot &shot, const std::function<bool(const Shot &)> &is,
                     int timeout_ms = SCREEN_TIMEOUT_MS) {
    if (waitUntil(timeout_ms, [&] { return grab(shot) && is(shot); }))
      return true;
    // Keep what the screen showed instead, for the failure report.
    shot.image.saveToFile(game.path("failed-" + std::to_string(++failures) + ".png"));
    return false;
  }

  /// Moves the pointer into `cell` and waits for the game's red '+' there.
  bool pointAt(Shot &shot, Cell cell) {
    xdotool("mousemove --window " + std::to_string(window) + " " + shot.pointIn(cell));
    return waitForScreen(shot, [&](const Shot &s) {
      return s.count(isRed, cell.x, cell.y, cell.x + 1, cell.y + 1) > 3;
    });
  }

  /// Clicks `button` as a player does, holding it long enough for the game to see it held:
  /// the engine takes the left button from the live button state when it handles the press.
  void click(int button) {
    xdotool("mousedown " + std::to_string(button));
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    xdotool("mouseup " + std::to_string(button));
  }

  /// Gives the game window the keyboard (there is no window manager to do it).
  void focus(Shot &shot) {
    xdotool("mousemove --window " + std::to_string(window) + " " + shot.pointIn(Cell{40, 12}));
    xdotool("windowfocus --sync " + std::to_string(window));
  }

  /// Reads the recording and the effects `names` (files in sounds/) into `out` and `effects`.
  void readSounds(Wave &out, const std::vector<std::string> &names, std::vector<Wave> &effects) {
    ASSERT_TRUE(kse2e::readWave(game.path("out.wav"), out)) << "no sound was recorded";
    for (const std::string &name : names) {
      effects.emplace_back();
      ASSERT_TRUE(kse2e::readWave(game.path("sounds/" + name), effects.back())) << name;
      ASSERT_EQ(effects.back().rate, out.rate) << name;
    }
  }

  /// Checks that the game ended by itself with status 0 and nothing to report on stderr from
  /// the sanitizers (when the game is built with them).
  void expectCleanExit(int status) {
    ASSERT_TRUE(WIFEXITED(status)) << "the game died of signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    const std::string err = kstest::readFile(game.path("stderr.txt"));
    EXPECT_EQ(err.find("Sanitizer"), std::string::npos) << err;
    EXPECT_EQ(err.find("runtime error"), std::string::npos) << err;
  }

  /// The log's lines that report errors or warnings.
  std::vector<std::string> errorLines() {
    std::vector<std::string> bad;
    for (const std::string &line : kstest::readLines(game.path("kestle.log")))
      if (isErrorLine(line))
        bad.push_back(line);
    return bad;
  }

  WindowCapture capture;
  GameProcess game{kstest::scratchPath("game")};
  std::string title;
  unsigned long window = 0;
  int failures = 0; ///< screenshots saved for failed waits
};

TEST_F(GamePlayTest, SplashStartScreenDigShootWalkAndQuit) {
  Shot shot;
  // The splash runs by itself first: the engine's name in green in the middle of the window.
  ASSERT_TRUE(waitForScreen(shot, showsSplash)) << "no splash seen";
  shot.image.saveToFile(game.path("splash.png"));
  // Then the start screen, over the level, without any input.
  ASSERT_TRUE(waitForScreen(shot, showsStartScreen)) << "no start screen seen";
  shot.image.saveToFile(game.path("start-screen.png"));
  EXPECT_GT(shot.countAll(isYellow), 0) << "the level's dirt should show around the screen";

  // P starts play: the start screen goes, the green hero stands on the dirt.
  focus(shot);
  xdotool("key p");
  ASSERT_TRUE(waitForScreen(shot, [](const Shot &s) {
    return !showsStartScreen(s) && s.countAll(isGreen) > 0 && s.countAll(isGreen) < 2000;
  })) << "P did not start play";
  grab(shot, "play");
  const Cell hero = shot.firstCell(isGreen);
  ASSERT_GE(hero.x, 0);

  // A dirt cell two columns left of the hero (right if too close to the edge), below its feet.
  Cell dirt{hero.x >= 4 ? hero.x - 2 : hero.x + 2, -1};
  for (int row = hero.y + 1; row < ROWS && dirt.y < 0; row++)
    if (!shot.isEmpty(Cell{dirt.x, row}) &&
        shot.count(isYellow, dirt.x, row, dirt.x + 1, row + 1) > 3)
      dirt.y = row;
  ASSERT_GE(dirt.y, 0) << "no dirt under the hero at column " << dirt.x;
  ASSERT_LE(dirt.y, hero.y + 4) << "the dirt is out of the hero's reach";

  // The red '+' follows the pointer.
  ASSERT_TRUE(pointAt(shot, dirt)) << "no reticle under the pointer";
  grab(shot, "reticle");

  // Left click digs the dirt away with the sound "dig". The '+' hides the cell, so the result
  // is looked at once the pointer has moved on to the right of the hero, where it aims next.
  const long dig_bytes = fileSize(game.path("out.wav"));
  click(1);
  const Cell target{hero.x + 12, hero.y};
  ASSERT_TRUE(pointAt(shot, target));
  EXPECT_TRUE(waitForScreen(shot, [&](const Shot &s) { return s.isEmpty(dirt); }))
      << "the left click did not dig";
  grab(shot, "dug");
  EXPECT_FALSE(shot.isEmpty(Cell{dirt.x + 1, dirt.y})) << "the click dug more than its cell";

  // Right click shoots towards the pointer with the sound "fire".
  const long fire_bytes = fileSize(game.path("out.wav"));
  click(3);
  // The white arrow flies until it hits something.
  EXPECT_TRUE(waitForScreen(
      shot, [](const Shot &s) { return s.countAll(isWhite) > 0; }, 10000))
      << "no arrow seen";
  grab(shot, "arrow");

  // Holding the right arrow walks the hero right.
  xdotool("keydown Right");
  bool walked = waitForScreen(shot, [&](const Shot &s) {
    Cell now = s.firstCell(isGreen);
    return now.x >= hero.x + 2;
  });
  xdotool("keyup Right");
  EXPECT_TRUE(walked) << "the hero did not walk right";
  grab(shot, "walked");

  // Holding Q ends the game; the program exits with 0.
  xdotool("keydown q");
  int status = -1;
  const bool ended = game.waitExit(EXIT_TIMEOUT_MS, status);
  xdotool("keyup q");
  ASSERT_TRUE(ended) << "holding Q did not end the game";
  expectCleanExit(status);

  // The log: the banner, no failures, and the hero did not fall out of the world.
  const std::string log = game.path("kestle.log");
  EXPECT_TRUE(kstest::logContains(log, "** Kestle version 4.2 **"));
  EXPECT_FALSE(kstest::logContains(log, "Player left."));
  EXPECT_EQ(errorLines(), std::vector<std::string>{});

  // The recorded sound: music all along, "dig" after the left click, "fire" after the right.
  Wave out;
  std::vector<Wave> effects;
  readSounds(out, {"dig.wav", "fire.wav"}, effects);
  ASSERT_EQ(effects.size(), 2u);
  const Wave &dig = effects[0];
  const Wave &fire = effects[1];
  const size_t dig_frame =
      static_cast<size_t>(std::max(0L, (dig_bytes - out.data_offset) / out.frame_bytes));
  const size_t fire_frame =
      static_cast<size_t>(std::max(0L, (fire_bytes - out.data_offset) / out.frame_bytes));
  ASSERT_GT(dig_frame, static_cast<size_t>(out.rate / 2)) << "too little sound before the dig";
  EXPECT_GT(kse2e::rms(out.mono, 0, dig_frame), 0.02) << "no music before the first click";

  const Match dig_before = kse2e::findPattern(out.mono, 0, dig_frame, dig.mono);
  const Match dig_after = kse2e::findPattern(out.mono, dig_frame, out.mono.size(), dig.mono);
  const Match fire_before = kse2e::findPattern(out.mono, 0, fire_frame, fire.mono);
  const Match fire_after = kse2e::findPattern(out.mono, fire_frame, out.mono.size(), fire.mono);
  printf("dig: before %.3f, after %.3f at %.2f s; fire: before %.3f, after %.3f at %.2f s; "
         "clicks at %.2f s and %.2f s\n",
         dig_before.score, dig_after.score, dig_after.frame / double(out.rate), fire_before.score,
         fire_after.score, fire_after.frame / double(out.rate), dig_frame / double(out.rate),
         fire_frame / double(out.rate));
  // A copy of an effect scores above 0.8 even under the music; the music alone never gets
  // above 0.4 (its best stretch against "dig" scores 0.37).
  EXPECT_GT(dig_after.score, 0.6);
  EXPECT_LT(dig_before.score, 0.45);
  EXPECT_LT(dig_after.frame, dig_frame + static_cast<size_t>(5 * out.rate))
      << "the dig sound came long after the click";
  EXPECT_GT(fire_after.score, 0.6);
  EXPECT_LT(fire_before.score, 0.45);
  EXPECT_LT(fire_after.frame, fire_frame + static_cast<size_t>(5 * out.rate))
      << "the fire sound came long after the click";
}

TEST_F(GamePlayTest, KeyDuringSplashThenQOnStartScreenQuits) {
  Shot shot;
  // A key during the splash goes to the splash alone (it ends it early); the start screen that
  // follows must not take it for its own.
  ASSERT_TRUE(waitForScreen(shot, showsSplash)) << "no splash seen";
  focus(shot);
  xdotool("key space");
  ASSERT_TRUE(waitForScreen(shot, showsStartScreen)) << "no start screen after the key";

  // Q on the start screen ends the game before any play.
  xdotool("key q");
  int status = -1;
  ASSERT_TRUE(game.waitExit(EXIT_TIMEOUT_MS, status)) << "Q did not end the game";
  expectCleanExit(status);

  const std::string log = game.path("kestle.log");
  EXPECT_TRUE(kstest::logContains(log, "** Kestle version 4.2 **"));
  EXPECT_FALSE(kstest::logContains(log, "Got to eventHandler")) << "a monster came to life";
  EXPECT_EQ(errorLines(), std::vector<std::string>{});

  // Only the music played: neither "dig" nor "fire" is in the recording.
  Wave out;
  std::vector<Wave> effects;
  readSounds(out, {"dig.wav", "fire.wav"}, effects);
  ASSERT_EQ(effects.size(), 2u);
  const Wave &dig = effects[0];
  const Wave &fire = effects[1];
  EXPECT_GT(kse2e::rms(out.mono, 0, out.mono.size()), 0.02) << "no music";
  EXPECT_LT(kse2e::findPattern(out.mono, 0, out.mono.size(), dig.mono).score, 0.45);
  EXPECT_LT(kse2e::findPattern(out.mono, 0, out.mono.size(), fire.mono).score, 0.45);
}

TEST_F(GamePlayTest, MonsterKillsIdleHeroThenGameOverScreenEndsTheRun) {
  Shot shot;
  ASSERT_TRUE(waitForScreen(shot, showsStartScreen)) << "no start screen seen";
  focus(shot);
  xdotool("key p");
  ASSERT_TRUE(waitForScreen(shot, [](const Shot &s) {
    return !showsStartScreen(s) && s.countAll(isGreen) > 0;
  })) << "P did not start play";

  // Nobody plays: the monsters come, one touches the hero, the game-over screen shows.
  ASSERT_TRUE(waitForScreen(shot, showsGameOver, DEATH_TIMEOUT_MS)) << "no game-over screen";
  shot.image.saveToFile(game.path("game-over.png"));

  // The screen runs its animation once, then the program ends by itself.
  int status = -1;
  ASSERT_TRUE(game.waitExit(EXIT_TIMEOUT_MS, status)) << "the game-over screen did not end";
  expectCleanExit(status);

  const std::string log = game.path("kestle.log");
  EXPECT_TRUE(kstest::logContains(log, "Got to eventHandler")) << "no monster ever lived";
  EXPECT_FALSE(kstest::logContains(log, "Player left.")) << "the hero fell instead";
  EXPECT_EQ(errorLines(), std::vector<std::string>{});

  // The hero's death sound, then the end music (a stretch from its second second).
  Wave out;
  std::vector<Wave> effects;
  readSounds(out, {"hero-death.wav", "end-music.wav"}, effects);
  ASSERT_EQ(effects.size(), 2u);
  const std::vector<float> &end = effects[1].mono;
  ASSERT_GE(end.size(), static_cast<size_t>(2 * out.rate));
  const std::vector<float> end_stretch(end.begin() + out.rate, end.begin() + 2 * out.rate);
  const Match death = kse2e::findPattern(out.mono, 0, out.mono.size(), effects[0].mono);
  const Match end_music = kse2e::findPattern(out.mono, 0, out.mono.size(), end_stretch);
  printf("hero death %.3f at %.2f s, end music %.3f at %.2f s\n", death.score,
         death.frame / double(out.rate), end_music.score, end_music.frame / double(out.rate));
  EXPECT_GT(death.score, 0.6);
  // The death sound may still play over the stretch (about 0.55 then); the game's music alone
  // scores below 0.2 against it. The music is streamed: on a loaded machine it may start late.
  EXPECT_GT(end_music.score, 0.4);
  EXPECT_GT(end_music.frame, death.frame + out.rate / 2) << "the end music came before the death";
}

} // namespace
