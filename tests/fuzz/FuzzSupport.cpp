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

static std::string scratch_dir; ///< made by startEngine()

void inFolder(const std::string &dir, const std::function<void()> &action) {
  char old_dir[PATH_MAX];
  if (getcwd(old_dir, sizeof(old_dir)) == nullptr ||
      chdir((dir.empty() ? scratch_dir : dir).c_str()) != 0)
    abort();
  action();
  if (chdir(old_dir) != 0)
    abort();
}

void startEngine() {
  if (!scratch_dir.empty())
    return;
  const char *tmp = getenv("TMPDIR");
  scratch_dir = std::string(tmp != nullptr ? tmp : "/tmp") + "/kestle-fuzz-XXXXXX";
  if (mkdtemp(&scratch_dir[0]) == nullptr)
    abort();
  ks::Configuration::getInstance().setLogFile("/dev/null");
  ks::Configuration::getInstance().setHeadless(true);
  ks::LogManager::getInstance().setLogTimeString(false);
  ks::LogManager::getInstance().setLogStepCount(false);
  inFolder("", [] {
    if (ks::GameManager::getInstance().startUp() != 0)
      abort();
  });
  // Before the managers are destroyed (objects left in the world would show as leaks once
  // its lists are gone); the one manager a headless start leaves unmade is made first.
  ks::InputManager::getInstance();
  atexit([] { ks::GameManager::getInstance().shutDown(); });
}

std::string inputFile(const uint8_t *data, size_t size, const std::string &name) {
  std::string path = scratch_dir + "/" + name;
  FILE *p_f = fopen(path.c_str(), "wb");
  if (p_f == nullptr || fwrite(data, 1, size, p_f) != size || fclose(p_f) != 0)
    abort();
  return path;
}

} // namespace ksfuzz
