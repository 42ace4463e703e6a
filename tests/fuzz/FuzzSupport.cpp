#include "FuzzSupport.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

#include "Configuration.h"
#include "GameManager.h"
#include "InputManager.h"
#include "LogManager.h"

namespace ksfuzz {

const std::string &scratchDir() {
  static std::string dir;
  if (dir.empty()) {
    const char *tmp = getenv("TMPDIR");
    std::string name = std::string(tmp != nullptr ? tmp : "/tmp") + "/kestle-fuzz-XXXXXX";
    if (mkdtemp(&name[0]) == nullptr)
      abort();
    dir = name;
  }
  return dir;
}

void inFolder(const std::string &dir, const std::function<void()> &action) {
  char old_dir[PATH_MAX];
  if (getcwd(old_dir, sizeof(old_dir)) == nullptr || chdir(dir.c_str()) != 0)
    abort();
  action();
  if (chdir(old_dir) != 0)
    abort();
}

void startEngine() {
  static bool started = false;
  if (started)
    return;
  started = true;
  ks::Configuration &config = ks::Configuration::getInstance();
  config.setLogFile("/dev/null");
  config.setHeadless(true);
  ks::LogManager &lm = ks::LogManager::getInstance();
  lm.setLogTimeString(false);
  lm.setLogStepCount(false);
  inFolder(scratchDir(), [] {
    if (ks::GameManager::getInstance().startUp() != 0)
      abort();
  });
  // Before the managers are destroyed: the objects still in the world would be reported as
  // leaks once the world's lists are gone. The one manager that a headless start leaves
  // unmade is made first, so that it is destroyed after this runs.
  ks::InputManager::getInstance();
  atexit([] { ks::GameManager::getInstance().shutDown(); });
}

std::string inputFile(const uint8_t *data, size_t size, const std::string &name) {
  std::string path = scratchDir() + "/" + name;
  FILE *p_f = fopen(path.c_str(), "wb");
  if (p_f == nullptr || fwrite(data, 1, size, p_f) != size || fclose(p_f) != 0)
    abort();
  return path;
}

} // namespace ksfuzz
