// The shipped configuration file: it names every key, and loading it gives the defaults.
#include <climits>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

#include "Color.h"
#include "Configuration.h"
#include "LogManager.h"
#include "TestSupport.h"
#include "match.h"

namespace {

const char *const KEYS[] = {
    "window_horizontal_pixels",
    "window_vertical_pixels",
    "window_horizontal_chars",
    "window_vertical_chars",
    "window_style",
    "window_background_color",
    "frame_time",
    "font_scale",
    "window_title",
    "show_mouse",
    "headless",
    "font_file",
    "logfile",
    "random_seed",
};

const std::string SHIPPED = std::string(KS_GAME_DATA_DIR) + "/ks-config.txt";

// Loads configuration text from a scratch working directory, as the game does at start-up.
class ConfigFileTest : public testing::Test {
protected:
  void SetUp() override {
    char cwd[PATH_MAX];
    ASSERT_NE(getcwd(cwd, sizeof(cwd)), nullptr);
    old_dir = cwd;
    shipped = kstest::readFile(SHIPPED);
    ASSERT_FALSE(shipped.empty()) << SHIPPED;
    dir = kstest::scratchPath("dir");
    mkdir(dir.c_str(), 0755);
    ASSERT_EQ(chdir(dir.c_str()), 0);
    log_path = kstest::startLog("log");
    ks::Configuration::getInstance().reset();
  }

  void TearDown() override {
    ks::LogManager::getInstance().shutDown();
    ks::Configuration::getInstance().reset();
    EXPECT_EQ(chdir(old_dir.c_str()), 0);
  }

  ks::Configuration &load(const std::string &content) {
    kstest::writeFile("ks-config.txt", content);
    ks::Configuration &config = ks::Configuration::getInstance();
    config.loadConfig(config.readConfig());
    return config;
  }

  std::string old_dir, dir, log_path, shipped;
};

TEST_F(ConfigFileTest, ShippedFileGivesTheDefaults) {
  ks::Configuration &config = load(shipped);
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
  EXPECT_EQ(config.getLogFile(), "kestle.log");
  EXPECT_EQ(config.getRandomSeed(), 0);
  EXPECT_FALSE(kstest::logContains(log_path, "Unsupported"));
}

// Defaults alone would also come from a file whose settings were all lost (say, to a missing
// comma), so check that every key reaches the parser as its own item.
TEST_F(ConfigFileTest, ShippedFileSetsEveryKeySeparately) {
  load(shipped);
  for (const char *key : KEYS) {
    SCOPED_TRACE(key);
    std::string value = ks::match("", key);
    EXPECT_FALSE(value.empty());
    EXPECT_EQ(value.find(':'), std::string::npos);
  }
}

TEST_F(ConfigFileTest, EditingAValueInTheShippedFileTakesEffect) {
  std::string edited = shipped;
  size_t at = edited.find("frame_time:33,");
  ASSERT_NE(at, std::string::npos);
  edited.replace(at, 14, "frame_time:16,");
  at = edited.find("random_seed:0");
  ASSERT_NE(at, std::string::npos);
  edited.replace(at, 13, "random_seed:7");
  ks::Configuration &config = load(edited);
  EXPECT_EQ(config.getFrameTime(), 16);
  EXPECT_EQ(config.getRandomSeed(), 7);
  EXPECT_EQ(config.getWindowHorizontalPixels(), 1024);
}

TEST_F(ConfigFileTest, LinesFollowTheFileFormat) {
  std::vector<std::string> lines = kstest::readLines(SHIPPED);
  std::vector<std::string> settings;
  for (const std::string &line : lines) {
    EXPECT_TRUE(line.empty() || line.back() != '\r') << "DOS line end";
    if (line.empty() || line[0] == '#')
      continue;
    EXPECT_EQ(line.find_first_of(" \t"), std::string::npos) << line;
    settings.push_back(line);
  }
  ASSERT_EQ(settings.size(), sizeof(KEYS) / sizeof(KEYS[0]));
  for (size_t i = 0; i + 1 < settings.size(); i++)
    EXPECT_EQ(settings[i].back(), ',') << settings[i];
  EXPECT_NE(settings.back().back(), ',');
}

} // namespace
