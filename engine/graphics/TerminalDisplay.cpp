#include "TerminalDisplay.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include "LogManager.h"

// Last, and without its function-like macros: curses' clear(), erase(), timeout()... would
// rewrite the engine's own calls of those names.
#define NCURSES_NOMACROS
#include <curses.h>

namespace ks {

namespace {

/// How long open() waits for the terminal to answer its queries. Every terminal answers the
/// device attributes query at once (over ssh, within a round trip); one that doesn't only
/// costs this much at start-up, and a late answer is recognised and dropped as input.
const int QUERY_WAIT_MS = 500;
/// How often the wait for a bigger terminal looks at its size when no resize is reported.
const int SIZE_POLL_MS = 250;
/// Input kept while nobody reads it (start-up, waiting for a bigger terminal).
const size_t MAX_TYPED_AHEAD = 4096;

// Mouse: every motion (1003) in SGR coordinates (1006), which have no upper limit.
const char MOUSE_ON[] = "\x1b[?1003h\x1b[?1006h";
const char MOUSE_OFF[] = "\x1b[?1006l\x1b[?1003l";
// Kitty keyboard protocol: ask for the flags (a terminal that speaks it answers before it
// answers the device attributes query that follows); push disambiguation, event types
// (repeats and releases) and every key as an escape code; pop what was pushed.
const char QUERIES[] = "\x1b[?u\x1b[c";
const char KITTY_PUSH[] = "\x1b[>11u";
const char KITTY_POP[] = "\x1b[<u";

/// Bytes for the terminal, in a fixed buffer a signal handler can read.
struct Bytes {
  char text[512];
  size_t length;

  void clear() { length = 0; }
  void add(const char *p_text) {
    // Absent capabilities are null, non-string ones (char *)-1.
    if (p_text == nullptr || p_text == reinterpret_cast<const char *>(-1))
      return;
    for (; *p_text != '\0' && length < sizeof(text); p_text++)
      text[length++] = *p_text;
  }
};

/// The one terminal taken over, as the signal handlers need it: no locks, no allocation.
struct Takeover {
  SCREEN *p_screen;          ///< curses' screen while a display is open, else null
  struct termios modes;      ///< the terminal's modes before open()
  bool have_modes;           ///< modes could be read
  Bytes leave;               ///< gives the terminal back (from inside the alternate screen)
  Bytes enter;               ///< takes it over again after a stop
  struct sigaction old_int;  ///< SIGINT's handling before open()
  struct sigaction old_term; ///< SIGTERM's handling before open()
  struct sigaction old_tstp; ///< SIGTSTP's handling before open()
  int saved_stderr;          ///< standard error while it is put aside, else -1
};
Takeover takeover = {nullptr, {}, false, {}, {}, {}, {}, {}, -1};
/// Set when the program is continued after a stop: the next present() takes over again.
volatile sig_atomic_t continued = 0;

void writeAll(const char *p_text, size_t length) {
  while (length > 0) {
    ssize_t written = write(STDOUT_FILENO, p_text, length);
    if (written < 0 && errno == EINTR)
      continue;
    if (written <= 0)
      return;
    p_text += written;
    length -= static_cast<size_t>(written);
  }
}

void writeAll(const Bytes &bytes) {
  writeAll(bytes.text, bytes.length);
}

void giveBack() {
  writeAll(takeover.leave);
  if (takeover.have_modes)
    tcsetattr(STDOUT_FILENO, TCSADRAIN, &takeover.modes);
}

/// SIGINT, SIGTERM: the terminal back, then the signal's own ending.
extern "C" void onEndSignal(int sig) {
  giveBack();
  signal(sig, SIG_DFL);
  raise(sig); // delivered as soon as this handler returns
}

void catchSignal(int sig, void (*p_handler)(int), struct sigaction *p_old) {
  struct sigaction action = {};
  action.sa_handler = p_handler;
  sigemptyset(&action.sa_mask);
  sigaction(sig, &action, p_old);
}

/// SIGTSTP (Ctrl-Z): the terminal back, stop; when continued, catch the next stop again.
extern "C" void onStopSignal(int) {
  int saved_errno = errno;
  giveBack();
  signal(SIGTSTP, SIG_DFL);
  sigset_t stop;
  sigemptyset(&stop);
  sigaddset(&stop, SIGTSTP);
  sigprocmask(SIG_UNBLOCK, &stop, nullptr);
  raise(SIGTSTP); // stopped here until continued
  catchSignal(SIGTSTP, onStopSignal, nullptr);
  continued = 1;
  errno = saved_errno;
}

/// What libraries print on standard error (the audio's complaints about a missing sound card,
/// say) would land in the middle of the game's screen, and stay there: while the terminal shows
/// the game, a standard error that goes to the terminal goes nowhere. The engine's own messages
/// go to its log.
void putStandardErrorAside() {
  if (!isatty(STDERR_FILENO))
    return;
  int nowhere = ::open("/dev/null", O_WRONLY);
  if (nowhere < 0)
    return;
  takeover.saved_stderr = dup(STDERR_FILENO);
  dup2(nowhere, STDERR_FILENO);
  ::close(nowhere);
}

void bringStandardErrorBack() {
  if (takeover.saved_stderr < 0)
    return;
  dup2(takeover.saved_stderr, STDERR_FILENO);
  ::close(takeover.saved_stderr);
  takeover.saved_stderr = -1;
}

void restoreSignals() {
  sigaction(SIGINT, &takeover.old_int, nullptr);
  sigaction(SIGTERM, &takeover.old_term, nullptr);
  sigaction(SIGTSTP, &takeover.old_tstp, nullptr);
}

/// Writes down how to give the terminal back and how to take it over again, with the kitty
/// keyboard protocol's push and pop when `kitty`.
void describeTakeover(bool kitty) {
  Bytes &leave = takeover.leave, &enter = takeover.enter;
  leave.clear();
  enter.clear();
  // Popped while the alternate screen still shows: each screen has a stack of its own.
  leave.add(kitty ? KITTY_POP : "");
  leave.add(MOUSE_OFF);
  leave.add(tigetstr("sgr0"));
  leave.add(tigetstr("cnorm"));
  leave.add(tigetstr("rmcup"));
  enter.add(tigetstr("smcup"));
  enter.add(tigetstr("civis"));
  enter.add(MOUSE_ON);
  enter.add(kitty ? KITTY_PUSH : "");
}

/// After a stop the shell had the terminal: take it over again, and draw everything.
void takeOverAgain() {
  continued = 0;
  reset_prog_mode();
  writeAll(takeover.enter);
  clearok(curscr, TRUE);
}

/// Removes the terminal's answers ("ESC [ ? ... u" for the kitty flags, "ESC [ ? ... c" for
/// the device attributes) from `bytes`, noting which came.
void takeAnswers(std::string &bytes, bool *p_kitty, bool *p_attributes) {
  size_t start;
  while ((start = bytes.find("\x1b[?")) != std::string::npos) {
    size_t end = start + 3;
    while (end < bytes.size() && (bytes[end] < 0x40 || bytes[end] > 0x7e))
      end++;
    if (end == bytes.size())
      return; // not all there yet
    if (bytes[end] == 'u')
      *p_kitty = true;
    if (bytes[end] == 'c')
      *p_attributes = true;
    bytes.erase(start, end - start + 1);
  }
}

/// The colour pair of an engine colour: pair n + 1 for colour n. The engine's colours are at
/// full intensity, which is what the bright half of a 16-colour palette holds.
void makeColorPairs() {
  if (!has_colors() || start_color() == ERR)
    return;
  use_default_colors();
  for (short color = BLACK; color <= WHITE; color++)
    init_pair(static_cast<short>(color + 1),
              COLORS >= 16 && color != BLACK ? static_cast<short>(color + 8) : color, -1);
}

/// What a cell looks like on the terminal: blanks show the default background whatever their
/// colour, so they all look alike.
chtype look(TextCell cell) {
  if (cell.ch == ' ')
    return ' ';
  chtype ch = static_cast<unsigned char>(cell.ch);
  if (!has_colors())
    return ch;
  int color = cell.color >= BLACK && cell.color <= WHITE ? cell.color : static_cast<int>(WHITE);
  return ch | COLOR_PAIR(color + 1);
}

/// The line asking for a bigger terminal, shortened to fit `columns`.
std::string tooSmallLine(int horizontal, int vertical, int rows, int columns) {
  std::string need = std::to_string(horizontal) + " x " + std::to_string(vertical);
  std::string line = "Please make the terminal at least " + need + " (it is " +
                     std::to_string(columns) + " x " + std::to_string(rows) + ").";
  if (static_cast<int>(line.size()) > columns)
    line = "Enlarge to " + need;
  return line;
}

} // namespace

TerminalDisplay::TerminalDisplay()
    : is_open(false), key_releases(false), horizontal(0), vertical(0), rows(0), columns(0), frame(),
      shown(), typed_ahead() {}

TerminalDisplay::~TerminalDisplay() {
  close();
}

int TerminalDisplay::open(int new_horizontal, int new_vertical, float, float) {
  const LogManager &lm = LogManager::getInstance();
  if (takeover.p_screen != nullptr) {
    lm.writeLog("TerminalDisplay::open(): The terminal is taken by another display.");
    return -1;
  }
  if (!isatty(STDOUT_FILENO)) {
    lm.writeLog("TerminalDisplay::open(): No terminal: standard output is not a terminal.");
    return -1;
  }
  takeover.have_modes = tcgetattr(STDOUT_FILENO, &takeover.modes) == 0;
  takeover.leave.clear();
  // Ours before curses starts, so that curses keeps its own handlers out.
  catchSignal(SIGINT, onEndSignal, &takeover.old_int);
  catchSignal(SIGTERM, onEndSignal, &takeover.old_term);
  catchSignal(SIGTSTP, onStopSignal, &takeover.old_tstp);
  takeover.p_screen = newterm(nullptr, stdout, stdin);
  if (takeover.p_screen == nullptr) {
    restoreSignals();
    const char *p_type = getenv("TERM");
    lm.writeLog("TerminalDisplay::open(): Unknown terminal type '%s'.",
                p_type != nullptr ? p_type : "");
    return -1;
  }
  cbreak();
  noecho();
  nonl();
  intrflush(stdscr, FALSE);
  keypad(stdscr, FALSE); // escape sequences are read as bytes: the kitty protocol's too
  leaveok(stdscr, TRUE);
  typeahead(-1); // mouse motion must not hold frames back
  makeColorPairs();
  curs_set(0);
  describeTakeover(false);
  putStandardErrorAside();
  wrefresh(stdscr); // the alternate screen, cleared
  writeAll(MOUSE_ON, sizeof(MOUSE_ON) - 1);
  horizontal = new_horizontal;
  vertical = new_vertical;
  frame = TextFrame(horizontal, vertical);
  shown = TextFrame();
  rows = columns = 0;
  key_releases = false;
  typed_ahead.clear();
  answerQueries();
  is_open = true;
  lm.writeLog(1, "TerminalDisplay::open(): '%s' terminal, %d colours, key releases %s.", termname(),
              has_colors() ? COLORS : 0, key_releases ? "reported" : "guessed");
  return 0;
}

void TerminalDisplay::answerQueries() {
  writeAll(QUERIES, sizeof(QUERIES) - 1);
  std::string answers;
  bool kitty = false, attributes = false;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(QUERY_WAIT_MS);
  while (!attributes) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0)
      break;
    wtimeout(stdscr, static_cast<int>(left.count()));
    int ch = wgetch(stdscr);
    if (ch == ERR)
      break;
    if (ch <= 0xff)
      answers += static_cast<char>(ch);
    takeAnswers(answers, &kitty, &attributes);
  }
  wtimeout(stdscr, 0);
  typed_ahead += answers; // whatever the player typed meanwhile
  if (!kitty)
    return;
  writeAll(KITTY_PUSH, sizeof(KITTY_PUSH) - 1);
  key_releases = true;
  describeTakeover(true);
}

void TerminalDisplay::close() {
  if (!is_open)
    return;
  is_open = false;
  // The screen is flushed after every frame: these go out in order.
  writeAll(MOUSE_OFF, sizeof(MOUSE_OFF) - 1);
  if (key_releases)
    writeAll(KITTY_POP, sizeof(KITTY_POP) - 1);
  endwin();
  delscreen(takeover.p_screen);
  takeover.p_screen = nullptr;
  restoreSignals();
  bringStandardErrorBack();
  frame = shown = TextFrame();
  typed_ahead.clear();
}

std::string TerminalDisplay::getName() const {
  return "terminal";
}

bool TerminalDisplay::isOpen() const {
  return is_open;
}

bool TerminalDisplay::reportsKeyReleases() const {
  return key_releases;
}

void TerminalDisplay::keepInput(int ch) {
  if (ch != ERR && ch <= 0xff && typed_ahead.size() < MAX_TYPED_AHEAD)
    typed_ahead += static_cast<char>(ch);
}

void TerminalDisplay::readInput(std::string &bytes) {
  bytes += typed_ahead;
  typed_ahead.clear();
  if (!is_open)
    return;
  int ch;
  while ((ch = wgetch(stdscr)) != ERR)
    if (ch <= 0xff)
      bytes += static_cast<char>(ch);
}

void TerminalDisplay::waitForSize(int now_rows, int now_columns) {
  LogManager::getInstance().writeLog(
      1, "TerminalDisplay::present(): Terminal %d x %d is smaller than the view %d x %d: waiting.",
      now_columns, now_rows, horizontal, vertical);
  while (now_rows < vertical || now_columns < horizontal) {
    if (continued)
      takeOverAgain();
    werase(stdscr);
    std::string line = tooSmallLine(horizontal, vertical, now_rows, now_columns);
    mvwaddnstr(stdscr, 0, 0, line.c_str(), now_columns);
    wrefresh(stdscr);
    wtimeout(stdscr, SIZE_POLL_MS);
    keepInput(wgetch(stdscr)); // a resize comes as KEY_RESIZE, with the new size in place
    wtimeout(stdscr, 0);
    getmaxyx(stdscr, now_rows, now_columns);
  }
  rows = 0; // everything is drawn anew
}

int TerminalDisplay::present(const Screen &screen) {
  if (!is_open)
    return -1;
  if (continued) {
    takeOverAgain();
    rows = 0;
  }
  int now_rows, now_columns;
  getmaxyx(stdscr, now_rows, now_columns);
  if (now_rows < vertical || now_columns < horizontal) {
    waitForSize(now_rows, now_columns);
    getmaxyx(stdscr, now_rows, now_columns);
  }
  if (now_rows != rows || now_columns != columns) {
    werase(stdscr);
    clearok(curscr, TRUE);
    shown = TextFrame();
    rows = now_rows;
    columns = now_columns;
  }
  frame.clear();
  frame.place(screen);
  drawChangedCells();
  shown = frame;
  wrefresh(stdscr);
  return 0;
}

// A blank is written in the colour of the character before it on its row: it looks the same,
// and the terminal needn't switch colours for it and back.
void TerminalDisplay::drawChangedCells() {
  bool all = shown.getHorizontal() != horizontal || shown.getVertical() != vertical;
  for (int y = 0; y < vertical; y++) {
    chtype color = 0;
    for (int x = 0; x < horizontal; x++) {
      chtype now = look(frame.getCell(x, y));
      if (now != ' ')
        color = now & A_COLOR;
      if (all || now != look(shown.getCell(x, y)))
        mvwaddch(stdscr, y, x, now == ' ' ? ' ' | color : now);
    }
  }
}

} // namespace ks
