// The engine started and stopped as a whole, the game loop with its stopwatch; the log: its line
// prefixes and levels, its file, and where lines go when there is none; the configuration file:
// its format, every setting with its bad values, and the summary, and the key:value matcher that
// parses it.
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Clock.h"
#include "Configuration.h"
#include "GameManager.h"
#include "GraphicsManager.h"
#include "InputManager.h"
#include "LogManager.h"
#include "PathManager.h"
#include "Platform.h"
#include "RecordingObject.h"
#include "ResourceManager.h"
#include "TestSupport.h"
#include "WorldManager.h"
#include "match.h"

using namespace std::string_literals;
using Lines = std::vector<std::string>;

namespace {

/// Ends the game at its n-th step event; records its drawing among its events.
class Ender : public kstest::RecordingObject {
public:
  explicit Ender(int n) : end_at(n) { registerInterest("ks::step"); }
  int eventHandler(const ks::Event *p_e) override {
    RecordingObject::eventHandler(p_e);
    if (count("ks::step") == end_at)
      ks::GameManager::getInstance().setGameOver(true);
    return 1;
  }
  void draw() override { types.push_back("draw"); }
  int end_at;
};

/// Names of the managers under the game manager that are running.
Lines running() {
  Lines names;
  for (ks::Manager *p_m : std::vector<ks::Manager *>{
           &ks::GraphicsManager::getInstance(), &ks::InputManager::getInstance(),
           &ks::ResourceManager::getInstance(), &ks::WorldManager::getInstance(),
           &ks::PathManager::getInstance(), &ks::GameManager::getInstance()})
    if (p_m->isStarted())
      names.push_back(p_m->getType());
  return names;
}

// Every test leaves the engine as a fresh process has it: stopped, log level 0, no flushing.
class GameManagerTest : public testing::Test {
protected:
  void TearDown() override {
    if (game.isStarted() || lm.isStarted())
      game.shutDown();
    lm.setLogLevel(0);
    lm.setFlush(false);
    config.reset();
  }
  ks::GameManager &game = ks::GameManager::getInstance();
  ks::Configuration &config = ks::Configuration::getInstance();
  ks::LogManager &lm = ks::LogManager::getInstance();
};
using LogManagerTest = GameManagerTest;

/// The step prefix: the step count (0 in a fresh process, the last run's count after a game loop
/// ran) in four columns and a blank.
std::string step() {
  char text[16];
  snprintf(text, sizeof text, "%4d ", ks::GameManager::getInstance().getStepCount());
  return text;
}

const std::string time_prefix = "\\d\\d:\\d\\d:\\d\\d "; // as a pattern

TEST_F(GameManagerTest, StartsHeadlessWithBannerAndSummaryAndStopsCleanlyTwice) {
  Lines logs[2];
  for (Lines &messages : logs) {
    std::string log = kstest::scratchPath("log");
    lm.setLogLevel(0); // as a fresh process has it
    config.setOverrides("headless:true,frame_time:0,log_level:1,logfile:" + log);
    ASSERT_EQ(game.startUp(), 0);
    EXPECT_EQ(running(), (Lines{"ResourceManager", "WorldManager", "PathManager", "GameManager"}));
    game.shutDown();
    EXPECT_EQ(running(), Lines{});
    messages = kstest::logMessages(log);
  }
  EXPECT_EQ(logs[1], logs[0]);
  Lines &messages = logs[0];
  ASSERT_GE(messages.size(), 4u);
  EXPECT_EQ(messages[0], "****************************************************");
  EXPECT_EQ(messages[1], "** Kestle version 4.2 **");
  for (const char *line :
       {"Log Manager started.", "  Frame time: 0", "  Log level: 1",
        "Headless mode enabled:", "--> Not starting GraphicsManager or InputManager.",
        "Path manager started.", "** Game stopped **"})
    EXPECT_EQ(std::count(messages.begin(), messages.end(), line), 1) << line;
  // The only warnings: the managers a headless run never started.
  Lines warnings;
  for (const std::string &line : messages)
    if (line.find("Warning") != std::string::npos || line.find("Error") != std::string::npos)
      warnings.push_back(line);
  EXPECT_EQ(warnings, (Lines{"Manager::shutDown(): Warning! InputManager not started.",
                             "Manager::shutDown(): Warning! GraphicsManager not started."}));
}

TEST_F(GameManagerTest, AStepRunsSearchesThenMovesThenDrawsThenSendsTheStepEvent) {
  // One path ply a step, as while recording.
  config.setOverrides("record_file:" + kstest::scratchPath("record") + ",path_plies:1");
  std::string log = kstest::startHeadless("log");
  ks::WorldManager::getInstance().setBoundary(ks::Box(ks::Vector(0, 0), 10, 5));
  ks::WorldManager::getInstance().setView(ks::Box(ks::Vector(0, 0), 10, 5));
  Ender *p_ender = new Ender(2);
  p_ender->setPosition(ks::Vector(1, 1));
  p_ender->setVelocity(ks::Vector(1, 0)); // into a wall at every step
  (new kstest::RecordingObject("Wall"))->setPosition(ks::Vector(2, 1));
  ks::PathManager::getInstance().findPath(p_ender, ks::Vector(1, 1)); // found, kept, every step
  game.run();
  EXPECT_EQ(p_ender->types, (Lines{"ks::path", "ks::collision", "draw", "ks::step", "ks::path",
                                   "ks::collision", "draw", "ks::step"}));
  EXPECT_EQ(kstest::logCount(log, "GraphicsManager not started!"), 2); // no frame headless
  EXPECT_FALSE(kstest::logContains(log, "Can't keep up!")); // frame time 0 overruns silently
  p_ender->end_at = 5;
  game.run();
  EXPECT_EQ(game.getStepCount(), 3); // a new run starts again at step 0
  EXPECT_EQ(p_ender->steps.back(), 2);
}

TEST_F(GameManagerTest, ASeedRepeatsTheRandomSequenceAndASlowStepIsReported) {
  std::string log = kstest::scratchPath("log");
  config.setOverrides("headless:true,frame_time:2,random_seed:1234,logfile:" + log);
  lm.setFlush(true);
  ASSERT_EQ(game.startUp(), 0);
  int first = rand();
  srand(1234);
  EXPECT_EQ(rand(), first);
  Ender *p_slow = new Ender(3);
  p_slow->on_event = [](const ks::Event *) { ks::sleepMilliseconds(6); };
  game.run();
  EXPECT_TRUE(
      kstest::logContains(log, "GameManager::run(): Can't keep up! frame_time 2 ms, split "));
}

TEST_F(GameManagerTest, AFailedStartUpStopsWhatItStartedAndTheNextOneWorks) {
  // Started by hand, the path manager, last to start, refuses the game manager.
  ks::PathManager::getInstance().startUp();
  std::string log = kstest::startHeadless("log");
  EXPECT_EQ(running(), Lines{});
  Lines messages = kstest::logMessages(log);
  ASSERT_GE(messages.size(), 2u);
  // The failing manager's line and the game manager's, nothing after them.
  EXPECT_EQ(messages[messages.size() - 2],
            "PathManager::startup(): Warning! PathManager already started.");
  EXPECT_EQ(messages.back(), "Error starting path manager!");
  // The log stays open for the caller's own line until shutDown().
  EXPECT_TRUE(lm.isStarted());
  game.shutDown();
  EXPECT_FALSE(lm.isStarted());
  kstest::startHeadless("again");
  EXPECT_TRUE(game.isStarted());
}

TEST(Clock, MeasuresSleepsOnTheMonotonicClockInIntRange) {
  // Not the wall clock: setting the time of day or crossing an hour can't make it jump.
  auto steady = [] {
    auto now = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::microseconds>(now).count();
  };
  long long before = steady(), now = ks::monotonicMicroseconds(), after = steady();
  EXPECT_TRUE(before <= now && now <= after);
  ks::Clock clock;
  ks::sleepMilliseconds(-5);
  ks::sleepMilliseconds(20);
  int first = clock.split();
  EXPECT_GE(first, 20000);
  EXPECT_GE(clock.delta(), first);
  EXPECT_LT(clock.split(), first);     // delta() restarted it
  long long day = 86400LL * 1000000LL; // readings far beyond int range, as after days of uptime
  EXPECT_EQ(ks::Clock::difference(100 * day, 100 * day + 33000), 33000);
  EXPECT_EQ(ks::Clock::difference(5 * day, 6 * day), INT_MAX); // long, never negative
  EXPECT_EQ(ks::Clock::difference(10, 5), 0);
}

TEST_F(LogManagerTest, LinesCarryTheTimeAndTheStepAndLevelsUpToTheLogLevelPass) {
  std::string path = kstest::startLog("log");
  EXPECT_EQ(lm.writeLog("hello %d", 42), 8);
  lm.setLogLevel(5);
  for (int level = 1; level <= 6; level++)
    EXPECT_EQ(lm.writeLog(level, "level %d", level), level <= 5 ? 7 : 0);
  lm.writeLog("%s", "100% %d %s"); // arguments are never formats
  Lines lines = kstest::readLines(path);
  Lines messages = {"hello 42", "level 1", "level 2",   "level 3",
                    "level 4",  "level 5", "100% %d %s"};
  ASSERT_EQ(lines.size(), messages.size());
  for (size_t i = 0; i < lines.size(); i++)
    EXPECT_TRUE(std::regex_match(lines[i], std::regex(time_prefix + step() + messages[i])))
        << lines[i];
}

TEST_F(LogManagerTest, TheFileIsTruncatedKeptCurrentAndLeftForStandardError) {
  std::string path = kstest::scratchPath("log");
  kstest::writeFile(path, "old content\n");
  ks::Configuration::getInstance().setLogFile(path);
  lm.setFlush(true);
  lm.setLogLevel(1);
  ASSERT_EQ(lm.startUp(), 0);
  lm.writeLog("first");
  // Read back while the file is open: each line must already be on disk.
  EXPECT_EQ(kstest::logMessages(path),
            (Lines{"LogManager::startUp(): successfully started.", "first"}));
  EXPECT_EQ(lm.startUp(), -1);
  lm.shutDown();
  testing::internal::CaptureStderr();
  EXPECT_EQ(lm.writeLog("to stderr %s", "now"), 13);
  lm.shutDown();
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_TRUE(std::regex_match(
      err, std::regex(time_prefix + step() + "to stderr now\n" + time_prefix + step() +
                      "Manager::shutDown\\(\\): Warning! LogManager not started.\n" + time_prefix +
                      step() + "LogManager::shutDown\\(\\): successfully stopped.\n")))
      << err;
  EXPECT_EQ(kstest::logMessages(path),
            (Lines{"LogManager::startUp(): successfully started.", "first",
                   "LogManager::startup(): Warning! LogManager already started.",
                   "LogManager::shutDown(): successfully stopped."}));

  path = kstest::scratchPath("no-such-dir") + "/kestle.log";
  ks::Configuration::getInstance().setLogFile(path);
  testing::internal::CaptureStderr();
  EXPECT_EQ(lm.startUp(), -1);
  err = testing::internal::GetCapturedStderr();
  std::string expected = "LogManager::startup(): Warning! Unable to open file '" + path + "'.\n\n";
  EXPECT_EQ(err.substr(err.size() - std::min(err.size(), expected.size())), expected);
  // /dev/full accepts the open but refuses every write.
  ks::Configuration::getInstance().setLogFile("/dev/full");
  ASSERT_EQ(lm.startUp(), 0);
  EXPECT_EQ(lm.writeLog("lost"), -1);
}

// Each test runs in a scratch folder of its own (the file is read from the working directory)
// with the defaults, its log in a scratch file.
class ConfigurationTest : public GameManagerTest {
protected:
  void SetUp() override {
    std::filesystem::remove_all(kstest::scratchPath("dir"));
    std::filesystem::create_directories(kstest::scratchPath("dir"));
    std::filesystem::current_path(kstest::scratchPath("dir"));
    log_path = kstest::startLog("log");
  }
  void TearDown() override {
    GameManagerTest::TearDown();
    std::filesystem::current_path(old_dir);
  }

  /// Writes `content` as the configuration file and loads it.
  void load(const std::string &content) {
    kstest::writeFile("ks-config.txt", content);
    config.loadConfig(config.readConfig());
  }

  /// The log lines written since the last call.
  Lines newMessages() {
    Lines all = kstest::logMessages(log_path);
    Lines fresh(all.begin() + std::min(seen, all.size()), all.end());
    seen = all.size();
    return fresh;
  }

  /// The summary as print() writes it at level 1.
  Lines summary() {
    newMessages();
    lm.setLogLevel(1);
    config.print();
    lm.setLogLevel(0);
    return newMessages();
  }

  std::filesystem::path old_dir = std::filesystem::current_path();
  std::string log_path;
  size_t seen = 0;
};

/// The summary of settings with `values`, in the order print() writes them.
Lines summaryOf(const Lines &values) {
  std::istringstream labels(
      "Window horizontal pixels|Window vertical pixels|Window horizontal characters|Window "
      "vertical characters|Window background color|Frame time|Window style|Window title|Show "
      "mouse|Headless|Font file|Log file|Random seed|Display|Record file|Replay file|Log "
      "level|Frame log|Path plies");
  Lines lines = {"-----------------------------------", "Kestle configuration:"};
  std::string label;
  for (const std::string &value : values)
    if (std::getline(labels, label, '|'))
      lines.push_back("  " + label + ": " + value);
  lines.push_back(lines[0]);
  return lines;
}

TEST_F(ConfigurationTest, WithoutAFileEverythingKeepsItsDefaultAndEveryKeyIsApplied) {
  EXPECT_EQ(config.readConfig(), "");
  config.print();
  EXPECT_TRUE(newMessages().empty()); // both at level 1
  lm.setLogLevel(1);
  EXPECT_EQ(config.readConfig(), "");
  EXPECT_EQ(newMessages(),
            Lines{"readConfig(): Cannot open Kestle configuration file 'ks-config.txt'."});
  lm.setLogLevel(0);
  // Text parsed by someone else last (an object, say) must not leak into the settings.
  ks::match("frame_time:5,headless:true", "");
  config.loadConfig(config.readConfig());
  EXPECT_EQ(summary(),
            summaryOf({"1024", "768", "80", "24", "0", "33", "default", "Kestle", "false", "false",
                       "ks-font.ttf", log_path, "0", "window", "", "", "0", "", "100"}));
  load("# all of them\nwindow_horizontal_pixels:800,\nwindow_vertical_pixels:600,\n"
       "window_horizontal_chars:100,\nwindow_vertical_chars:30,\nwindow_style:fullscreen,\n"
       "window_background_color:cyan,\nframe_time:16,\r\nfont_scale:1.5,\nwindow_title:Cave,\n"
       "show_mouse:true,\nheadless:true,\nfont_file:fonts/mono.ttf,\nlogfile:run.log,\n"
       "random_seed:-9,\ndisplay:text,\nrecord_file:in.rec,\nreplay_file:out.rec,\n"
       "log_level:4,\nframe_log:frames.txt,\npath_plies:7\n");
  EXPECT_FLOAT_EQ(config.getFontScale(), 1.5f);
  EXPECT_EQ(config.getConfig().find('\r'), std::string::npos); // DOS line ends read too
  EXPECT_EQ(summary(), summaryOf({"800", "600", "100", "30", "6", "16", "fullscreen", "Cave",
                                  "true", "true", "fonts/mono.ttf", "run.log", "-9", "text",
                                  "in.rec", "out.rec", "4", "frames.txt", "7"}));
}

TEST_F(ConfigurationTest, LinesAreJoinedAndValuesReadLikeAtoiOrRefusedWithAMessage) {
  // Files loaded in turn, so that a refused value keeps the one before it.
  const struct {
    std::string file;
    const char *line, *message;
  } cases[] = {
      {"frame_time:16\nheadless:true\n", "  Headless: false", nullptr}, // frame_time 16headless
      {"# glued on if kept\r\n\r\nframe_time:17,\r\n", "  Frame time: 17", nullptr},
      {"window_title: Deep  Cave ,\n\tframe_time : 20 ,", "  Window title: DeepCave", nullptr},
      {"frame_time:,window_title,Frame_Time:5,unknown:7,font_file:", "  Frame time: 20", nullptr},
      {"\x01\xff:\x7f::,\nframe_time:19,\n", "  Frame time: 19", nullptr},
      {"window_background_color:Yellow,", "  Window background color: 0",
       "loadConfig(): Unsupported window color 'Yellow'"},
      {"window_style:fullscreen,", "  Window style: fullscreen", nullptr},
      {"window_style:Default,", "  Window style: fullscreen",
       "loadConfig(): Unsupported window style 'Default'"},
      {"window_style:default,", "  Window style: default", nullptr},
      {"display:Window,", "  Display: window", "loadConfig(): Unsupported display 'Window'"},
      {"display:window,", "  Display: window", nullptr},
      {"log_level:-1,", "  Log level: 0", "loadConfig(): Unsupported log level '-1'"},
      {"path_plies:0,", "  Path plies: 100", "loadConfig(): Unsupported path plies '0'"},
      {"show_mouse:TRUE,", "  Show mouse: false", nullptr},
      {"frame_time:99999999999,", "  Frame time: 2147483647", nullptr},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.file);
    load(c.file);
    EXPECT_EQ(newMessages(), c.message != nullptr ? Lines{c.message} : Lines{});
    Lines lines = summary();
    EXPECT_NE(std::find(lines.begin(), lines.end(), c.line), lines.end());
  }
}

TEST(MatchTest, ParsesOnceAndLooksUpInTheLastParse) {
  // An empty text looks up in the last parse.
  const struct {
    std::string text, find, expected;
  } cases[] = {
      {"a:1, b:2", "b", "2"},
      {"", "a", "1"},
      {"", "A", ""}, // case-sensitive
      {"alone,k:v:w,:v,key:,x::y", "alone", ""},
      {"", "k", "v"},
      {"", "v", ""},  // leading colons are skipped: v is a key
      {"", "x", "y"}, // repeated colons count as one
      {"a:1,,b:2", "b", "2"},
      {"a:1,::,b:2", "a", "1"}, // an item of colons ends the parse
      {"", "b", ""},
      {"a:1,a:2", "a", "1"}, // the first of a repeated key wins
      {"c:3", "a", ""},      // a new parse replaces the tables
      {"", "c", "3"},
      {" \t\n\r\v\f", "c", ""}, // white space alone is a parse that leaves no items
      {" k e y : v\ta\nl\r\v\f , x:1", "key", "val"},
      {"a:1,b:2\0,c:3"s, "b", "2"}, // the text ends at a NUL byte
      {"", "c", ""},
      {"\xe9t\xe9:\xff\xa0,", "\xe9t\xe9", "\xff\xa0"},
      {std::string(20000, ','), "a", ""},
  };
  for (const auto &c : cases)
    EXPECT_EQ(ks::match(c.text, c.find), c.expected) << "'" << c.text << "' " << c.find;
}

} // namespace
