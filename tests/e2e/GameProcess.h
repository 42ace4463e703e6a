// The built game run as a separate program in a private copy of the run folder.
#ifndef KS_E2E_GAME_PROCESS_H
#define KS_E2E_GAME_PROCESS_H

#include <string>
#include <sys/types.h>
#include <vector>

namespace kse2e {

/// One run of the real game executable. The run folder is copied into a folder of its own so
/// that the log, the configuration and the recorded sound belong to this run alone; sound goes
/// to a wave file through the audio library's file backend instead of a sound card.
class GameProcess {
public:
  /// Prepares nothing yet; `init_dir` is the folder the run folder is copied into.
  explicit GameProcess(std::string init_dir);

  /// Kills the game if it is still running.
  ~GameProcess();

  GameProcess(const GameProcess &) = delete;
  GameProcess &operator=(const GameProcess &) = delete;

  /// Copies `run_dir` into the folder, puts `title` in front of its configuration (the first
  /// occurrence of a key counts) and writes the audio configuration. 0 on success, else -1.
  int prepare(const std::string &run_dir, const std::string &title);

  /// Starts the game in the folder with `args` and stdout and stderr in files there. 0, or -1.
  int start(const std::vector<std::string> &args = {});

  /// Waits at most `timeout_ms` for the game to end. True if it ended; `status` is then the
  /// wait status.
  bool waitExit(int timeout_ms, int &status);

  /// True while the game has not been seen to end.
  bool isRunning();

  /// Kills the game (only this child) and reaps it.
  void kill();

  /// The path of `name` inside the game's folder.
  std::string path(const std::string &name) const;

  /// The process id, or -1 before start.
  pid_t getPid() const { return pid; }

private:
  std::string dir; ///< the game's working directory
  pid_t pid;       ///< the child, -1 when none is running
};

} // namespace kse2e

#endif
