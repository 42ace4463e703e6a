#include "TestSupport.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "Configuration.h"
#include "GameManager.h"
#include "LogManager.h"

namespace kstest {

std::string scratchPath(const std::string &name) {
  const char *tmp = getenv("TMPDIR");
  std::string dir = std::string(tmp != nullptr ? tmp : "/tmp") + "/kestle-tests";
  mkdir(dir.c_str(), 0755);
  std::string test = "test";
  if (const testing::TestInfo *info = testing::UnitTest::GetInstance()->current_test_info())
    test = std::string(info->test_suite_name()) + "." + info->name();
  std::replace(test.begin(), test.end(), '/', '_'); // parameterized names
  return dir + "/" + test + "-" + std::to_string(getpid()) + "-" + name;
}

std::string readFile(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

std::vector<std::string> readLines(const std::string &path) {
  std::vector<std::string> lines;
  std::ifstream in(path, std::ios::binary);
  std::string line;
  while (std::getline(in, line))
    lines.push_back(line);
  return lines;
}

void writeFile(const std::string &path, const std::string &content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << content;
}

std::vector<std::string> logMessages(const std::string &path) {
  std::vector<std::string> messages;
  // "hh:mm:ss " then "%4d " (wider for steps past 9999).
  for (const std::string &line : readLines(path)) {
    if (line.size() < 14 || line[2] != ':' || line[5] != ':') {
      messages.push_back(line);
      continue;
    }
    size_t step_end = line.find(' ', line.find_first_not_of(' ', 9));
    messages.push_back(step_end == std::string::npos ? "" : line.substr(step_end + 1));
  }
  return messages;
}

bool logContains(const std::string &path, const std::string &text) {
  return logCount(path, text) > 0;
}

int logCount(const std::string &path, const std::string &text) {
  int count = 0;
  for (const std::string &line : readLines(path))
    if (line.find(text) != std::string::npos)
      count++;
  return count;
}

std::string startLog(const std::string &name) {
  ks::LogManager &lm = ks::LogManager::getInstance();
  if (lm.isStarted())
    lm.shutDown();
  std::string path = scratchPath(name);
  ks::Configuration::getInstance().setLogFile(path);
  lm.setFlush(true);
  lm.startUp();
  return path;
}

std::string startHeadless(const std::string &name) {
  ks::Configuration &config = ks::Configuration::getInstance();
  std::string path = scratchPath(name);
  config.setLogFile(path);
  config.setHeadless(true);
  config.setFrameTime(0);
  ks::LogManager::getInstance().setFlush(true);
  ks::GameManager::getInstance().startUp();
  return path;
}

} // namespace kstest
