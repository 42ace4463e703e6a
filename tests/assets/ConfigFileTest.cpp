// The shipped configuration file: every key on a line of its own, with its default.
#include <gtest/gtest.h>

#include "Configuration.h"
#include "LogManager.h"
#include "TestSupport.h"
#include "match.h"

TEST(ShippedConfiguration, NamesEveryKeyWithItsDefaultOnALineOfItsOwn) {
  const std::string shipped = std::string(KS_GAME_DATA_DIR) + "/ks-config.txt";
  const std::pair<const char *, const char *> keys[] = {
      {"window_horizontal_pixels", "1024"},
      {"window_vertical_pixels", "768"},
      {"window_horizontal_chars", "80"},
      {"window_vertical_chars", "24"},
      {"window_style", "default"},
      {"window_background_color", "black"},
      {"frame_time", "33"},
      {"font_scale", "2.0"},
      {"window_title", "Kestle"},
      {"show_mouse", "false"},
      {"headless", "false"},
      {"font_file", "ks-font.ttf"},
      {"logfile", "kestle.log"},
      {"random_seed", "0"},
      {"display", "window"},
      {"record_file", ""},
      {"replay_file", ""},
      {"frame_log", ""},
      {"log_level", "0"},
      {"path_plies", "100"},
  };
  std::vector<std::string> settings;
  for (const std::string &line : kstest::readLines(shipped)) {
    EXPECT_TRUE(line.empty() || line.back() != '\r') << "DOS line end";
    if (!line.empty() && line[0] != '#')
      settings.push_back(line);
  }
  ASSERT_EQ(std::size(keys), settings.size());
  for (size_t i = 0; i < settings.size(); i++) {
    // A missing comma would join two settings into one item.
    std::string ending = i + 1 < settings.size() ? "," : "";
    EXPECT_EQ(std::string(keys[i].first) + ":" + keys[i].second + ending, settings[i]);
  }

  // Loaded, it changes nothing: the summary is the one of the built-in defaults.
  std::string log = kstest::startLog("log");
  ks::LogManager::getInstance().setLogLevel(1);
  ks::Configuration &config = ks::Configuration::getInstance();
  config.reset();
  config.setLogFile("kestle.log");
  config.print();
  std::string text;
  for (const std::string &setting : settings)
    text += setting;
  config.loadConfig(text);
  config.print();
  std::vector<std::string> printed = kstest::logMessages(log);
  ASSERT_EQ(0u, printed.size() % 2);
  std::vector<std::string> defaults(printed.begin(), printed.begin() + printed.size() / 2);
  EXPECT_EQ(defaults,
            std::vector<std::string>(printed.begin() + printed.size() / 2, printed.end()));
  ks::LogManager::getInstance().setLogLevel(0);
  config.reset();
}
