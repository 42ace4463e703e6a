// What the terminal display costs: the game's frames of a recorded run (by default the winning
// walk across the level, the view scrolling after the hero) shown in a terminal, a
// pseudo-terminal of 80 x 24 that this program reads. Prints the median bytes written to the
// terminal per step against the median number of cells that changed, and the median CPU
// microseconds per presented frame.
//
// Usage: terminal_bench [recording] [run folder]
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <pty.h>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

#include "Configuration.h"
#include "EventStep.h"
#include "GameLoaders.h"
#include "GameManager.h"
#include "GameStart.h"
#include "GraphicsManager.h"
#include "LogManager.h"
#include "Object.h"
#include "Splash.h"
#include "TerminalDisplay.h"
#include "WorldManager.h"

namespace {

/// Written after each frame, so that the reader can tell the frames' bytes apart.
const std::string MARKER = "\x1b]ks-frame\x07";
const std::string DEVICE_ATTRIBUTES_QUERY = "\x1b[c";

/// Keeps every step's draws once the step has drawn them.
class ScreenKeeper : public ks::Object {
public:
  explicit ScreenKeeper(std::vector<ks::Screen> *p_kept) : p_screens(p_kept) {
    setType("ScreenKeeper");
    setSolidness(ks::SPECTRAL);
    registerInterest(ks::STEP_EVENT);
  }
  int eventHandler(const ks::Event *p_e) override {
    if (p_e->getType() != ks::STEP_EVENT)
      return 0;
    p_screens->push_back(ks::GraphicsManager::getInstance().getScreen());
    return 1;
  }

private:
  std::vector<ks::Screen> *p_screens; ///< not owned
};

/// The game's steps after the splash, replayed from `recording` as text at full speed.
std::vector<ks::Screen> gameScreens(const std::string &recording) {
  std::vector<ks::Screen> screens;
  ks::Configuration::getInstance().setOverrides(
      "display:text,frame_time:0,logfile:/tmp/terminal_bench.log,replay_file:" + recording + ",");
  ks::GameManager &gm = ks::GameManager::getInstance();
  if (gm.startUp() != 0)
    return screens;
  ks::splash();
  ks::WorldManager::getInstance().setBoundary(
      ks::Box(ks::Vector(0, 0), static_cast<float>(MAP_WIDTH), static_cast<float>(MAP_HEIGHT)));
  loadResources();
  loadMap();
  new GameStart;
  new ScreenKeeper(&screens);
  gm.run();
  gm.shutDown();
  return screens;
}

/// Cells whose look changed from `before` to `after` (blanks look alike in any colour).
int changedCells(const ks::TextFrame &before, const ks::TextFrame &after) {
  int changed = 0;
  for (int y = 0; y < after.getVertical(); y++) {
    for (int x = 0; x < after.getHorizontal(); x++) {
      ks::TextCell a = before.getCell(x, y), b = after.getCell(x, y);
      if (a.ch != b.ch || (b.ch != ' ' && a.color != b.color))
        changed++;
    }
  }
  return changed;
}

/// Reads the terminal's side: the bytes of each frame, up to each marker. Answers the device
/// attributes query as a terminal would, and nothing else (no kitty keyboard protocol).
void readTerminal(int master, size_t frames, std::vector<long> *p_bytes) {
  std::string pending;
  char buffer[65536];
  while (p_bytes->size() < frames) {
    ssize_t got = read(master, buffer, sizeof(buffer));
    if (got <= 0)
      return;
    pending.append(buffer, static_cast<size_t>(got));
    size_t query = pending.find(DEVICE_ATTRIBUTES_QUERY);
    if (query != std::string::npos) {
      pending.erase(query, DEVICE_ATTRIBUTES_QUERY.size());
      if (write(master, "\x1b[?62;22c", 9) != 9)
        return;
    }
    size_t marker;
    while ((marker = pending.find(MARKER)) != std::string::npos) {
      p_bytes->push_back(static_cast<long>(marker));
      pending.erase(0, marker + MARKER.size());
    }
  }
}

double cpuMicroseconds() {
  timespec t;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e6 + static_cast<double>(t.tv_nsec) / 1e3;
}

template <typename T>
T median(std::vector<T> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? T() : values[values.size() / 2];
}

} // namespace

int main(int argc, char **argv) {
  std::string recording =
      argc > 1 ? argv[1] : std::string(KS_SOURCE_DIR) + "/tests/data/golden/win.rec";
  std::string run_folder = argc > 2 ? argv[2] : KS_RUN_DIR;
  if (chdir(run_folder.c_str()) != 0) {
    fprintf(stderr, "terminal_bench: no run folder %s\n", run_folder.c_str());
    return 1;
  }
  std::vector<ks::Screen> screens = gameScreens(recording);
  if (screens.empty()) {
    fprintf(stderr, "terminal_bench: the replay of %s failed (see /tmp/terminal_bench.log)\n",
            recording.c_str());
    return 1;
  }

  // The terminal: a pseudo-terminal of 80 x 24 in place of standard input and output.
  int master, terminal;
  winsize size = {24, 80, 0, 0};
  if (openpty(&master, &terminal, nullptr, nullptr, &size) != 0)
    return 1;
  int saved_out = dup(STDOUT_FILENO), saved_in = dup(STDIN_FILENO);
  dup2(terminal, STDOUT_FILENO);
  dup2(terminal, STDIN_FILENO);
  setenv("TERM", "xterm-256color", 1);
  std::vector<long> bytes;
  std::thread reader(readTerminal, master, screens.size() + 1, &bytes);

  ks::LogManager::getInstance().startUp();
  ks::TerminalDisplay display;
  std::vector<double> cpu;
  std::vector<int> changed;
  ks::TextFrame before;
  bool opened = display.open(80, 24, 0, 0) == 0;
  if (write(STDOUT_FILENO, MARKER.data(), MARKER.size()) < 0)
    opened = false;
  for (size_t i = 0; opened && i < screens.size(); i++) {
    double start = cpuMicroseconds();
    display.present(screens[i]);
    cpu.push_back(cpuMicroseconds() - start);
    if (write(STDOUT_FILENO, MARKER.data(), MARKER.size()) < 0)
      break;
    ks::TextFrame after = ks::TextFrame::fromScreen(screens[i]);
    changed.push_back(changedCells(i == 0 ? ks::TextFrame(80, 24) : before, after));
    before = after;
  }
  display.close();
  ks::LogManager::getInstance().shutDown();
  dup2(saved_out, STDOUT_FILENO);
  dup2(saved_in, STDIN_FILENO);
  close(terminal); // the reader's read() ends once the terminal side is gone
  reader.join();
  close(master);
  if (!opened || bytes.size() < screens.size() + 1) {
    fprintf(stderr, "terminal_bench: the terminal display failed\n");
    return 1;
  }

  bytes.erase(bytes.begin()); // taking the terminal over
  long total_bytes = 0, total_changed = 0;
  for (size_t i = 0; i < changed.size(); i++) {
    total_bytes += bytes[i];
    total_changed += changed[i];
  }
  printf("Terminal display, %zu frames of %s (80 x 24, xterm-256color):\n", screens.size(),
         recording.c_str());
  printf("  bytes written per step:  median %ld, mean %.1f\n", median(bytes),
         static_cast<double>(total_bytes) / static_cast<double>(changed.size()));
  printf("  cells changed per step:  median %d, mean %.1f\n", median(changed),
         static_cast<double>(total_changed) / static_cast<double>(changed.size()));
  printf("  bytes per changed cell:  %.2f\n",
         static_cast<double>(total_bytes) / static_cast<double>(std::max(1L, total_changed)));
  printf("  CPU per presented frame: median %.0f us, slowest %.0f us\n", median(cpu),
         *std::max_element(cpu.begin(), cpu.end()));
  return 0;
}
