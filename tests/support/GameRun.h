// Running the built game as a program of its own, and reading the frames it writes.
#ifndef KS_TEST_GAME_RUN_H
#define KS_TEST_GAME_RUN_H

#include <functional>
#include <map>
#include <string>
#include <sys/types.h>
#include <vector>

#include "TextFrame.h"

namespace kstest {

/// A fresh folder to run the game in: links to everything in the build's run folder but the
/// configuration, which is the shipped one with `settings` (key:value lines) in front (the
/// first occurrence of a key counts). Returns its path.
std::string makeRunFolder(const std::string &name, const std::string &settings = "");

/// Starts `args` (the program first) in `dir` with `env` added to the environment, standard
/// output and error going to "stdout.txt" and "stderr.txt" there. The process id, or -1.
pid_t startProgram(const std::string &dir, const std::vector<std::string> &args,
                   const std::vector<std::string> &env);

/// Calls `done` until it holds, for at most `timeout_ms`; its last answer.
bool eventually(const std::function<bool()> &done, int timeout_ms = 30000);

/// Waits at most `timeout_ms` for `pid` to end; then kills it. Its exit status, or -1 if it
/// was killed or died of a signal.
int waitProgram(pid_t pid, int timeout_ms);

/// startProgram() then waitProgram().
int runProgram(const std::string &dir, const std::vector<std::string> &args,
               const std::vector<std::string> &env, int timeout_ms);

/// The frames of a frame log (or of a file of chosen frames in that form), by number.
std::map<int, ks::TextFrame> readFrameLog(const std::string &path);

/// Writes `frames` in the frame log's form.
void writeFrameLog(const std::string &path, const std::map<int, ks::TextFrame> &frames);

/// Whether a row of `frame` holds `text`.
bool shows(const ks::TextFrame &frame, const std::string &text);

/// "" if the frames are equal; otherwise both side by side, rows that differ marked.
std::string frameDifference(const ks::TextFrame &expected, const ks::TextFrame &actual);

} // namespace kstest

#endif
