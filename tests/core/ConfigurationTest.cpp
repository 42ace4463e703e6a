// The configuration file: its format, every setting with its bad values, and the summary.
#include <climits>
#include <cmath>
#include <filesystem>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "Configuration.h"
#include "LogManager.h"
#include "TestSupport.h"
#include "match.h"

using namespace std::string_literals;
using Lines = std::vector<std::string>;

namespace {

// Each test runs in a scratch folder of its own (the file is read from the working directory)
// with the defaults, its log in a scratch file.
class ConfigurationTest : public testing::Test {
protected:
  void SetUp() override {
    std::filesystem::remove_all(kstest::scratchPath("dir"));
    std::filesystem::create_directories(kstest::scratchPath("dir"));
    std::filesystem::current_path(kstest::scratchPath("dir"));
    config.reset();
    log_path = kstest::startLog("log");
  }
  void TearDown() override {
    lm.shutDown();
    lm.setLogLevel(0);
    config.reset();
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

  ks::Configuration &config = ks::Configuration::getInstance();
  ks::LogManager &lm = ks::LogManager::getInstance();
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

TEST_F(ConfigurationTest, WithoutAFileEverythingKeepsItsDefault) {
  EXPECT_EQ(config.readConfig(), "");
  config.print();
  EXPECT_TRUE(newMessages().empty()); // both at level 1
  lm.setLogLevel(1);
  EXPECT_EQ(config.readConfig(), "");
  EXPECT_EQ(newMessages(),
            Lines{"readConfig(): Cannot open Kestle configuration file 'ks-config.txt'."});
  lm.setLogLevel(0);
  // Text parsed by someone else last (an object, say) must not leak into the settings, nor
  // must a folder standing where the file should be.
  ks::match("frame_time:5,headless:true", "");
  std::filesystem::create_directory("ks-config.txt");
  config.loadConfig(config.readConfig());
  EXPECT_EQ(config.getConfig(), "");
  EXPECT_EQ(summary(),
            summaryOf({"1024", "768", "80", "24", "0", "33", "default", "Kestle", "false", "false",
                       "ks-font.ttf", log_path, "0", "window", "", "", "0", "", "100"}));
  EXPECT_FLOAT_EQ(config.getFontScale(), 2.0f);
}

TEST_F(ConfigurationTest, LinesOtherThanCommentsAreJoinedIntoOneText) {
  const std::pair<std::string, std::string> cases[] = {
      {"frame_time:16,\nheadless:true,\n", "frame_time:16,headless:true,"},
      {"frame_time:16\nheadless:true\n", "frame_time:16headless:true"}, // one item, not two
      {"# comment\r\n\r\nframe_time:16,\r\nheadless:true,\r\n", "frame_time:16,headless:true,"},
      {"#frame_time:10,\n\n #x:1,\nframe_time:12", " #x:1,frame_time:12"}, // " #": no comment
      {"\n\n#only comments\n\r\n", ""},
      {"window_title:a\0b,\n"s, "window_title:a\0b,"s},
      {"\x01\x02\xff\xfe:\x7f::,\nframe_time:19,\n", "\x01\x02\xff\xfe:\x7f::,frame_time:19,"}};
  for (const auto &[file, text] : cases) {
    load(file);
    EXPECT_EQ(config.getConfig(), text);
  }
  EXPECT_EQ(config.getFrameTime(), 19);
  std::string title(1 << 20, 'x');
  load("frame_time:17," + std::string(100000, ',') + "window_title:" + title + ",random_seed:3\n");
  EXPECT_EQ(config.getWindowTitle(), title);
  EXPECT_EQ(config.getRandomSeed(), 3);
  unsigned int seed = 12345;
  for (int round = 0; round < 50; round++) { // garbage never crashes
    std::string garbage;
    for (int i = 0; i < 2000; i++, seed = seed * 1103515245u + 12345u)
      garbage += static_cast<char>((seed >> 16) & 0xff);
    load(garbage);
  }
  EXPECT_TRUE(newMessages().empty());
}

TEST_F(ConfigurationTest, EveryKeyIsAppliedAndSummarized) {
  load("# all of them\nwindow_horizontal_pixels:800,\nwindow_vertical_pixels:600,\n"
       "window_horizontal_chars:100,\nwindow_vertical_chars:30,\nwindow_style:fullscreen,\n"
       "window_background_color:cyan,\nframe_time:16,\nfont_scale:1.5,\nwindow_title:Cave,\n"
       "show_mouse:true,\nheadless:true,\nfont_file:fonts/mono.ttf,\nlogfile:run.log,\n"
       "random_seed:-9,\ndisplay:text,\nrecord_file:in.rec,\nreplay_file:out.rec,\n"
       "log_level:4,\nframe_log:frames.txt,\npath_plies:7\n");
  EXPECT_FLOAT_EQ(config.getFontScale(), 1.5f);
  EXPECT_EQ(summary(), summaryOf({"800", "600", "100", "30", "6", "16", "fullscreen", "Cave",
                                  "true", "true", "fonts/mono.ttf", "run.log", "-9", "text",
                                  "in.rec", "out.rec", "4", "frames.txt", "7"}));
}

TEST_F(ConfigurationTest, ItemsAreMatchedAndValuesReadLikeAtoiOrRefusedWithAMessage) {
  // In turn, so that a refused value keeps the one before it.
  const struct {
    std::string text;
    const char *line, *message;
  } cases[] = {
      {"headless:1,", "  Headless: false", nullptr},
      {"frame_time:16headless:true", "  Headless: false", nullptr}, // frame_time 16headless
      {"", "  Frame time: 16", nullptr},
      {"window_title: Deep  Cave ,\tframe_time : 20 ,", "  Window title: DeepCave", nullptr},
      {"window_title:One,window_title:Two", "  Window title: One", nullptr},
      {"window_title:a\0b,headless:true"s, "  Headless: false", nullptr}, // the text ends at NUL
      {"frame_time:,window_title,Frame_Time:5,unknown:7,font_file:", "  Frame time: 20", nullptr},
      {"window_background_color:blue,", "  Window background color: 4", nullptr},
      {"window_background_color:Yellow,", "  Window background color: 4",
       "loadConfig(): Unsupported window color 'Yellow'"},
      {"window_style:fullscreen,", "  Window style: fullscreen", nullptr},
      {"window_style:Default,", "  Window style: fullscreen",
       "loadConfig(): Unsupported window style 'Default'"},
      {"window_style:default,", "  Window style: default", nullptr},
      {"display:text,", "  Display: text", nullptr},
      {"display:Window,", "  Display: text", "loadConfig(): Unsupported display 'Window'"},
      {"log_level:3,", "  Log level: 3", nullptr},
      {"log_level:-1,", "  Log level: 3", "loadConfig(): Unsupported log level '-1'"},
      {"log_level:0,", "  Log level: 0", nullptr},
      {"path_plies:1,", "  Path plies: 1", nullptr},
      {"path_plies:0,", "  Path plies: 1", "loadConfig(): Unsupported path plies '0'"},
      {"show_mouse:true,", "  Show mouse: true", nullptr},
      {"show_mouse:TRUE,", "  Show mouse: false", nullptr},
      {"headless:true,", "  Headless: true", nullptr},
      {"random_seed:abc,", "  Random seed: 0", nullptr},
      {"random_seed:-99999999999999999999999,", "  Random seed: -2147483648", nullptr},
      {"frame_time:99999999999,", "  Frame time: 2147483647", nullptr},
      {"frame_time:x5,", "  Frame time: 0", nullptr},
      {"window_horizontal_chars:+12abc,", "  Window horizontal characters: 12", nullptr},
      {"window_vertical_chars:0x10,", "  Window vertical characters: 0", nullptr},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.text);
    config.loadConfig(c.text);
    EXPECT_EQ(newMessages(), c.message != nullptr ? Lines{c.message} : Lines{});
    Lines lines = summary();
    EXPECT_NE(std::find(lines.begin(), lines.end(), c.line), lines.end());
  }
  const char *colours[] = {"black", "red", "green", "yellow", "blue", "magenta", "cyan", "white"};
  for (int c = 0; c < 8; c++) {
    config.loadConfig("window_background_color:"s + colours[c]);
    EXPECT_EQ(config.getWindowBackgroundColor(), c) << colours[c];
  }
  const std::pair<const char *, float> scales[] = {
      {"big", 0.0f}, {"3", 3.0f}, {"1e39", HUGE_VALF}, {"-1e39", -HUGE_VALF}};
  for (const auto &[text, scale] : scales) {
    config.loadConfig("font_scale:"s + text);
    EXPECT_EQ(config.getFontScale(), scale) << text;
  }
  EXPECT_TRUE(newMessages().empty());
}

} // namespace
