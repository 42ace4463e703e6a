#include "GameRun.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "TestSupport.h"

namespace fs = std::filesystem;

namespace kstest {

std::string makeRunFolder(const std::string &name, const std::string &settings) {
  std::string dir = scratchPath(name);
  fs::remove_all(dir);
  fs::create_directories(dir);
  for (const fs::directory_entry &entry : fs::directory_iterator(KS_RUN_DIR))
    if (entry.path().filename() != "ks-config.txt" && entry.path().filename() != "kestle.log")
      fs::create_symlink(entry.path(), dir + "/" + entry.path().filename().string());
  writeFile(dir + "/ks-config.txt",
            settings + "\n" + readFile(std::string(KS_RUN_DIR) + "/ks-config.txt"));
  return dir;
}

pid_t startProgram(const std::string &dir, const std::vector<std::string> &args,
                   const std::vector<std::string> &env) {
  // Everything the child needs is made before fork: after it only async-signal-safe calls.
  std::vector<char *> argv, envp;
  for (const std::string &a : args)
    argv.push_back(const_cast<char *>(a.c_str()));
  argv.push_back(nullptr);
  std::vector<std::string> environment(env);
  for (char **p = environ; *p != nullptr; p++)
    environment.push_back(*p);
  for (const std::string &e : environment)
    envp.push_back(const_cast<char *>(e.c_str()));
  envp.push_back(nullptr);
  std::string out = dir + "/stdout.txt", err = dir + "/stderr.txt";
  pid_t pid = fork();
  if (pid == 0) {
    int out_fd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    int err_fd = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (chdir(dir.c_str()) != 0 || out_fd < 0 || err_fd < 0)
      _exit(126);
    dup2(out_fd, 1);
    dup2(err_fd, 2);
    execve(argv[0], argv.data(), envp.data());
    _exit(127);
  }
  return pid;
}

bool eventually(const std::function<bool()> &done, int timeout_ms) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline)
      return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return true;
}

int waitProgram(pid_t pid, int timeout_ms) {
  int status = 0;
  if (pid <= 0)
    return -1;
  if (!eventually([&] { return waitpid(pid, &status, WNOHANG) != 0; }, timeout_ms)) {
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return -1;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int runProgram(const std::string &dir, const std::vector<std::string> &args,
               const std::vector<std::string> &env, int timeout_ms) {
  return waitProgram(startProgram(dir, args, env), timeout_ms);
}

bool shows(const ks::TextFrame &frame, const std::string &text) {
  for (const std::string &line : frame.getLines())
    if (line.find(text) != std::string::npos)
      return true;
  return false;
}

std::map<int, ks::TextFrame> readFrameLog(const std::string &path) {
  std::map<int, ks::TextFrame> frames;
  std::istringstream in(readFile(path));
  std::string line, text;
  int number = -1;
  auto finish = [&]() {
    if (number >= 0)
      frames[number].fromText(text);
  };
  while (std::getline(in, line)) {
    if (line.compare(0, 6, "frame ") == 0) {
      finish();
      number = std::stoi(line.substr(6));
      text.clear();
    } else {
      text += line + "\n";
    }
  }
  finish();
  return frames;
}

void writeFrameLog(const std::string &path, const std::map<int, ks::TextFrame> &frames) {
  std::string text;
  for (const auto &[number, frame] : frames)
    text += "frame " + std::to_string(number) + "\n" + frame.toText();
  writeFile(path, text);
}

std::string frameDifference(const ks::TextFrame &expected, const ks::TextFrame &actual) {
  if (expected == actual)
    return "";
  std::vector<std::string> e = expected.getLines(), a = actual.getLines();
  std::vector<std::string> ec = expected.getColorLines(), ac = actual.getColorLines();
  std::string text = "expected" + std::string(expected.getHorizontal() - 6, ' ') + "actual\n";
  for (size_t y = 0; y < std::max(e.size(), a.size()); y++) {
    std::string left = y < e.size() ? e[y] : "", right = y < a.size() ? a[y] : "";
    bool differs = left != right || (y < ec.size() ? ec[y] : "") != (y < ac.size() ? ac[y] : "");
    text += left + (differs ? " | " : "   ") + right + (differs ? "  <" : "") + "\n";
  }
  return text;
}

} // namespace kstest
