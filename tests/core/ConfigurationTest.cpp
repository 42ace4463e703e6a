#include <climits>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "Color.h"
#include "Configuration.h"
#include "LogManager.h"
#include "TestSupport.h"
#include "match.h"

using namespace std::string_literals;

namespace {

// Runs each test in its own scratch folder (readConfig() looks in the working directory) with
// default settings and its log in a scratch file.
class ConfigurationTest : public testing::Test {
protected:
  void SetUp() override {
    char cwd[PATH_MAX];
    ASSERT_NE(getcwd(cwd, sizeof(cwd)), nullptr);
    old_dir = cwd;
    dir = kstest::scratchPath("dir");
    mkdir(dir.c_str(), 0755);
    ASSERT_EQ(chdir(dir.c_str()), 0);
    ks::Configuration::getInstance().reset();
    log_path = kstest::startLog("log");
  }

  void TearDown() override {
    ks::LogManager &lm = ks::LogManager::getInstance();
    lm.shutDown();
    lm.setLogLevel(0);
    ks::Configuration::getInstance().reset();
    EXPECT_EQ(chdir(old_dir.c_str()), 0);
  }

  /// Writes `content` as the configuration file and loads it.
  ks::Configuration &load(const std::string &content) {
    kstest::writeFile("ks-config.txt", content);
    ks::Configuration &config = ks::Configuration::getInstance();
    config.loadConfig(config.readConfig());
    return config;
  }

  std::string old_dir, dir, log_path;
};

TEST_F(ConfigurationTest, DefaultsWithoutFile) {
  ks::Configuration &config = ks::Configuration::getInstance();
  EXPECT_EQ(config.readConfig(), "");
  config.loadConfig("");
  EXPECT_EQ(config.getWindowHorizontalPixels(), 1024);
  EXPECT_EQ(config.getWindowVerticalPixels(), 768);
  EXPECT_EQ(config.getWindowHorizontalChars(), 80);
  EXPECT_EQ(config.getWindowVerticalChars(), 24);
  EXPECT_EQ(config.getWindowStyle(), 5);
  EXPECT_EQ(config.getWindowBackgroundColor(), ks::BLACK);
  EXPECT_EQ(config.getFrameTime(), 33);
  EXPECT_FLOAT_EQ(config.getFontScale(), 2.0f);
  EXPECT_EQ(config.getWindowTitle(), "Kestle");
  EXPECT_FALSE(config.getShowMouse());
  EXPECT_FALSE(config.getHeadless());
  EXPECT_EQ(config.getFontFile(), "ks-font.ttf");
  EXPECT_EQ(config.getLogFile(), log_path); // set by the fixture
  EXPECT_EQ(config.getRandomSeed(), 0);
  // The missing file is a level-1 message only.
  EXPECT_TRUE(kstest::logMessages(log_path).empty());
}

TEST_F(ConfigurationTest, EmptyTextIgnoresEarlierParse) {
  // Some other text parsed last (an object's, say) must not leak into the settings.
  ks::match("frame_time:5,headless:true", "");
  ks::Configuration &config = ks::Configuration::getInstance();
  config.loadConfig(config.readConfig());
  EXPECT_EQ(config.getFrameTime(), 33);
  EXPECT_FALSE(config.getHeadless());
  EXPECT_EQ(config.getConfig(), "");
}

TEST_F(ConfigurationTest, MissingFileMessageAtLevelOne) {
  ks::LogManager::getInstance().setLogLevel(1);
  EXPECT_EQ(ks::Configuration::getInstance().readConfig(), "");
  EXPECT_EQ(kstest::logMessages(log_path),
            std::vector<std::string>{
                "readConfig(): Cannot open Kestle configuration file 'ks-config.txt'."});
}

TEST_F(ConfigurationTest, FolderInPlaceOfTheFileReadsNothing) {
  mkdir("ks-config.txt", 0755);
  ks::Configuration &config = ks::Configuration::getInstance();
  EXPECT_EQ(config.readConfig(), "");
  config.loadConfig(config.readConfig());
  EXPECT_EQ(config.getFrameTime(), 33);
}

TEST_F(ConfigurationTest, EmptyFile) {
  EXPECT_EQ(load("").getFrameTime(), 33);
  EXPECT_EQ(load("\n\n#only comments\n\r\n").getConfig(), "");
}

TEST_F(ConfigurationTest, EveryKeyIsApplied) {
  ks::Configuration &config = load("# all of them\n"
                                   "window_horizontal_pixels:800,\n"
                                   "window_vertical_pixels:600,\n"
                                   "window_horizontal_chars:100,\n"
                                   "window_vertical_chars:30,\n"
                                   "window_style:fullscreen,\n"
                                   "window_background_color:cyan,\n"
                                   "frame_time:16,\n"
                                   "font_scale:1.5,\n"
                                   "window_title:Cave,\n"
                                   "show_mouse:true,\n"
                                   "headless:true,\n"
                                   "font_file:fonts/mono.ttf,\n"
                                   "logfile:run.log,\n"
                                   "random_seed:1234\n");
  EXPECT_EQ(config.getWindowHorizontalPixels(), 800);
  EXPECT_EQ(config.getWindowVerticalPixels(), 600);
  EXPECT_EQ(config.getWindowHorizontalChars(), 100);
  EXPECT_EQ(config.getWindowVerticalChars(), 30);
  EXPECT_EQ(config.getWindowStyle(), 8);
  EXPECT_EQ(config.getWindowBackgroundColor(), ks::CYAN);
  EXPECT_EQ(config.getFrameTime(), 16);
  EXPECT_FLOAT_EQ(config.getFontScale(), 1.5f);
  EXPECT_EQ(config.getWindowTitle(), "Cave");
  EXPECT_TRUE(config.getShowMouse());
  EXPECT_TRUE(config.getHeadless());
  EXPECT_EQ(config.getFontFile(), "fonts/mono.ttf");
  EXPECT_EQ(config.getLogFile(), "run.log");
  EXPECT_EQ(config.getRandomSeed(), 1234);
  EXPECT_TRUE(kstest::logMessages(log_path).empty());
}

TEST_F(ConfigurationTest, LinesAreJoinedWithoutSeparator) {
  ks::Configuration &config = load("frame_time:16,\nheadless:true,\n");
  EXPECT_EQ(config.getConfig(), "frame_time:16,headless:true,");
  EXPECT_EQ(config.getFrameTime(), 16);
  EXPECT_TRUE(config.getHeadless());
}

TEST_F(ConfigurationTest, MissingCommaJoinsTwoLinesIntoOneItem) {
  ks::Configuration &config = load("frame_time:16\nheadless:true\n");
  EXPECT_EQ(config.getConfig(), "frame_time:16headless:true");
  EXPECT_EQ(ks::match("", "frame_time"), "16headless");
  EXPECT_EQ(config.getFrameTime(), 16);
  EXPECT_FALSE(config.getHeadless());
}

TEST_F(ConfigurationTest, DosLineEnds) {
  ks::Configuration &config = load("# comment\r\n\r\nframe_time:16,\r\nheadless:true,\r\n"
                                   "window_title:Dos\r\n");
  EXPECT_EQ(config.getConfig(), "frame_time:16,headless:true,window_title:Dos");
  EXPECT_EQ(config.getFrameTime(), 16);
  EXPECT_TRUE(config.getHeadless());
  EXPECT_EQ(config.getWindowTitle(), "Dos");
}

TEST_F(ConfigurationTest, LastLineWithoutLineEnd) {
  EXPECT_EQ(load("frame_time:16,\nrandom_seed:7").getRandomSeed(), 7);
}

TEST_F(ConfigurationTest, CommentsAndBlankLines) {
  ks::Configuration &config = load("#frame_time:10,\n\n #x:1,\nframe_time:12,\n");
  EXPECT_EQ(config.getFrameTime(), 12);
  // A blank before "#" makes an ordinary line; the blank itself is dropped by the parser.
  EXPECT_EQ(config.getConfig(), " #x:1,frame_time:12,");
  EXPECT_EQ(ks::match("", "#x"), "1");
}

TEST_F(ConfigurationTest, WhiteSpaceIsRemovedEverywhere) {
  ks::Configuration &config = load("window_title: Deep  Cave ,\n\tframe_time : 20 ,\n");
  EXPECT_EQ(config.getWindowTitle(), "DeepCave");
  EXPECT_EQ(config.getFrameTime(), 20);
}

TEST_F(ConfigurationTest, ColourNames) {
  EXPECT_EQ(load("window_background_color:yellow,").getWindowBackgroundColor(), ks::YELLOW);
  EXPECT_TRUE(kstest::logMessages(log_path).empty());
  const char *names[] = {"black", "red", "green", "yellow", "blue", "magenta", "cyan", "white"};
  for (int c = 0; c < 8; c++)
    EXPECT_EQ(load(std::string("window_background_color:") + names[c]).getWindowBackgroundColor(),
              c);
}

TEST_F(ConfigurationTest, UnsupportedColourKeepsPrevious) {
  ks::Configuration &config = load("window_background_color:blue,");
  load("window_background_color:Yellow,");
  EXPECT_EQ(config.getWindowBackgroundColor(), ks::BLUE);
  load("window_background_color:default,");
  EXPECT_EQ(config.getWindowBackgroundColor(), ks::BLUE);
  EXPECT_EQ(kstest::logMessages(log_path),
            (std::vector<std::string>{"loadConfig(): Unsupported window color 'Yellow'",
                                      "loadConfig(): Unsupported window color 'default'"}));
}

TEST_F(ConfigurationTest, WindowStylesAndDisplays) {
  ks::Configuration &config = load("window_style:fullscreen,");
  EXPECT_EQ(config.getWindowStyle(), 8);
  load("window_style:Default,");
  EXPECT_EQ(config.getWindowStyle(), 8);
  load("window_style:default,");
  EXPECT_EQ(config.getWindowStyle(), 5);
  load("display:text,");
  EXPECT_EQ(config.getDisplay(), "text");
  load("display:Window,");
  EXPECT_EQ(config.getDisplay(), "text");
  EXPECT_EQ(kstest::logMessages(log_path),
            (std::vector<std::string>{"loadConfig(): Unsupported window style 'Default'",
                                      "loadConfig(): Unsupported display 'Window'"}));
}

TEST_F(ConfigurationTest, BooleansAreExactlyTrue) {
  ks::Configuration &config = load("show_mouse:TRUE,headless:1,");
  EXPECT_FALSE(config.getShowMouse());
  EXPECT_FALSE(config.getHeadless());
  load("show_mouse:true,headless:true,");
  EXPECT_TRUE(config.getShowMouse());
  load("show_mouse:false,headless:yes,");
  EXPECT_FALSE(config.getShowMouse());
  EXPECT_FALSE(config.getHeadless());
}

TEST_F(ConfigurationTest, MalformedNumbersBecomeZeroSilently) {
  ks::Configuration &config =
      load("random_seed:abc,frame_time:x5,font_scale:big,window_vertical_chars:-3,");
  EXPECT_EQ(config.getRandomSeed(), 0);
  EXPECT_EQ(config.getFrameTime(), 0);
  EXPECT_FLOAT_EQ(config.getFontScale(), 0.0f);
  EXPECT_EQ(config.getWindowVerticalChars(), -3);
  EXPECT_TRUE(kstest::logMessages(log_path).empty());
}

TEST_F(ConfigurationTest, NumbersReadLikeAtoiButNeverOverflow) {
  ks::Configuration &config =
      load("frame_time:99999999999,random_seed:-99999999999999999999999,"
           "window_horizontal_chars:+12abc,window_vertical_chars:0x10,"
           "window_horizontal_pixels:2147483647,window_vertical_pixels:-2147483648,");
  EXPECT_EQ(config.getFrameTime(), INT_MAX);
  EXPECT_EQ(config.getRandomSeed(), INT_MIN);
  EXPECT_EQ(config.getWindowHorizontalChars(), 12);
  EXPECT_EQ(config.getWindowVerticalChars(), 0);
  EXPECT_EQ(config.getWindowHorizontalPixels(), INT_MAX);
  EXPECT_EQ(config.getWindowVerticalPixels(), INT_MIN);
}

TEST_F(ConfigurationTest, EmptyValuesAndUnknownKeysChangeNothing) {
  ks::Configuration &config = load("frame_time:,window_title,Frame_Time:5,unknown:7,font_file:");
  EXPECT_EQ(config.getFrameTime(), 33);
  EXPECT_EQ(config.getWindowTitle(), "Kestle");
  EXPECT_EQ(config.getLogFile(), log_path);
  EXPECT_EQ(config.getFontFile(), "ks-font.ttf");
}

TEST_F(ConfigurationTest, FirstOfARepeatedKeyWins) {
  ks::Configuration &config = load("frame_time:16,\nframe_time:20,\nwindow_title:One,\n"
                                   "window_title:Two\n");
  EXPECT_EQ(config.getFrameTime(), 16);
  EXPECT_EQ(config.getWindowTitle(), "One");
}

TEST_F(ConfigurationTest, VeryLongLine) {
  std::string title(1 << 20, 'x');
  std::string text =
      "frame_time:17," + std::string(100000, ',') + "window_title:" + title + ",random_seed:3";
  ks::Configuration &config = load(text + "\n");
  EXPECT_EQ(config.getFrameTime(), 17);
  EXPECT_EQ(config.getWindowTitle(), title);
  EXPECT_EQ(config.getRandomSeed(), 3);
}

TEST_F(ConfigurationTest, BinaryGarbageNeverCrashes) {
  unsigned int seed = 12345;
  for (int round = 0; round < 50; round++) {
    std::string garbage;
    for (int i = 0; i < 2000; i++) {
      seed = seed * 1103515245u + 12345u;
      garbage += static_cast<char>((seed >> 16) & 0xff);
    }
    load(garbage);
  }
  // Garbage followed by a good line on its own: no crash, and the line is read as text.
  ks::Configuration &config = load("\x01\x02\xff\xfe:\x7f::,\nframe_time:19,\n");
  EXPECT_EQ(config.getFrameTime(), 19);
}

TEST_F(ConfigurationTest, NulByteEndsTheParsedText) {
  // The parser works on C strings: nothing after a NUL byte is seen.
  ks::Configuration &config = load("frame_time:16,\nwindow_title:a\0b,\nheadless:true,\n"s);
  EXPECT_EQ(config.getConfig(), "frame_time:16,window_title:a\0b,headless:true,"s);
  EXPECT_EQ(config.getFrameTime(), 16);
  EXPECT_EQ(config.getWindowTitle(), "a");
  EXPECT_FALSE(config.getHeadless());
}

TEST_F(ConfigurationTest, ConfigurationTextIsKeptWhole) {
  ks::Configuration &config = ks::Configuration::getInstance();
  config.loadConfig("frame_time: 40 ,");
  EXPECT_EQ(config.getConfig(), "frame_time: 40 ,");
  EXPECT_EQ(config.getFrameTime(), 40);
}

const std::vector<std::string> SUMMARY_HEAD = {"-----------------------------------",
                                               "Kestle configuration:"};

TEST_F(ConfigurationTest, SummaryAtLevelOne) {
  ks::Configuration &config = ks::Configuration::getInstance();
  config.print();
  EXPECT_TRUE(kstest::logMessages(log_path).empty()); // level 0: nothing
  ks::LogManager::getInstance().setLogLevel(1);
  config.print();
  EXPECT_EQ(kstest::logMessages(log_path),
            (std::vector<std::string>{"-----------------------------------",
                                      "Kestle configuration:",
                                      "  Window horizontal pixels: 1024",
                                      "  Window vertical pixels: 768",
                                      "  Window horizontal characters: 80",
                                      "  Window vertical characters: 24",
                                      "  Window background color: 0",
                                      "  Frame time: 33",
                                      "  Window style: default",
                                      "  Window title: Kestle",
                                      "  Show mouse: false",
                                      "  Headless: false",
                                      "  Font file: ks-font.ttf",
                                      "  Log file: " + log_path,
                                      "  Random seed: 0",
                                      "  Display: window",
                                      "  Record file: ",
                                      "  Replay file: ",
                                      "  Log level: 0",
                                      "  Frame log: ",
                                      "  Path plies: 100",
                                      "-----------------------------------"}));
}

TEST_F(ConfigurationTest, SummaryShowsLoadedValues) {
  ks::Configuration &config = load("window_style:fullscreen,window_background_color:red,"
                                   "show_mouse:true,headless:true,random_seed:-9,font_scale:3,"
                                   "display:text");
  ks::LogManager::getInstance().setLogLevel(1);
  config.print();
  std::vector<std::string> lines = kstest::logMessages(log_path);
  ASSERT_EQ(lines.size(), 22u);
  EXPECT_EQ(lines[6], "  Window background color: 1");
  EXPECT_EQ(lines[8], "  Window style: fullscreen");
  EXPECT_EQ(lines[10], "  Show mouse: true");
  EXPECT_EQ(lines[11], "  Headless: true");
  EXPECT_EQ(lines[14], "  Random seed: -9");
  EXPECT_EQ(lines[15], "  Display: text");
  // Any style but 5 reads as full screen.
  config.setWindowStyle(3);
  config.print();
  EXPECT_EQ(kstest::logMessages(log_path)[22 + 8], "  Window style: fullscreen");
}

} // namespace
