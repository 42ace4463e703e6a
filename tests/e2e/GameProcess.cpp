#include "GameProcess.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace kse2e {

GameProcess::GameProcess(std::string init_dir) : dir(std::move(init_dir)), pid(-1) {}

GameProcess::~GameProcess() {
  kill();
}

int GameProcess::prepare(const std::string &run_dir, const std::string &title) {
  std::error_code ec;
  fs::remove_all(dir, ec);
  fs::create_directories(dir, ec);
  fs::copy(run_dir, dir, fs::copy_options::recursive, ec);
  if (ec || !fs::exists(path("kestle-game")))
    return -1;
  fs::remove(path("kestle.log"), ec);

  std::ifstream in(path("ks-config.txt"));
  std::stringstream shipped;
  shipped << in.rdbuf();
  in.close();
  std::ofstream config(path("ks-config.txt"), std::ios::trunc);
  config << "window_title:" << title << ",\n" << shipped.str();
  if (!config)
    return -1;

  std::ofstream audio(path("alsoft.conf"), std::ios::trunc);
  audio << "drivers = wave\n\n[wave]\nfile = " << path("out.wav") << "\n";
  return audio ? 0 : -1;
}

int GameProcess::start(const std::vector<std::string> &args) {
  const std::string out = path("stdout.txt");
  const std::string err = path("stderr.txt");
  const std::string audio = path("alsoft.conf");
  // Everything the child needs is computed before fork: after it only async-signal-safe calls.
  std::string asan = "ASAN_OPTIONS=";
  if (const char *p_options = getenv("ASAN_OPTIONS"))
    asan += std::string(p_options) + ":";
  // Mesa's software driver keeps allocations to the end: leak reports at the game's exit say
  // nothing about the run, so only the test checks leaks.
  asan += "detect_leaks=0";
  const std::string alsoft = "ALSOFT_CONF=" + audio;
  std::vector<char *> argv{const_cast<char *>("kestle-game")};
  for (const std::string &arg : args)
    argv.push_back(const_cast<char *>(arg.c_str()));
  argv.push_back(nullptr);
  pid = fork();
  if (pid < 0)
    return -1;
  if (pid == 0) {
    if (chdir(dir.c_str()) != 0)
      _exit(126);
    int out_fd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    int err_fd = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (out_fd < 0 || err_fd < 0)
      _exit(126);
    dup2(out_fd, 1);
    dup2(err_fd, 2);
    putenv(const_cast<char *>(alsoft.c_str()));
    putenv(const_cast<char *>(asan.c_str()));
    execv("./kestle-game", argv.data());
    _exit(127);
  }
  return 0;
}

bool GameProcess::waitExit(int timeout_ms, int &status) {
  if (pid <= 0)
    return false;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  while (true) {
    pid_t done = waitpid(pid, &status, WNOHANG);
    if (done == pid) {
      pid = -1;
      return true;
    }
    if (done < 0 || std::chrono::steady_clock::now() >= deadline)
      return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

bool GameProcess::isRunning() {
  if (pid <= 0)
    return false;
  int status = 0;
  if (waitpid(pid, &status, WNOHANG) == pid) {
    pid = -1;
    return false;
  }
  return true;
}

void GameProcess::kill() {
  if (pid <= 0)
    return;
  ::kill(pid, SIGKILL);
  int status = 0;
  waitpid(pid, &status, 0);
  pid = -1;
}

std::string GameProcess::path(const std::string &name) const {
  return dir + "/" + name;
}

} // namespace kse2e
