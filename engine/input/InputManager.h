#ifndef KS_INPUT_MANAGER_H
#define KS_INPUT_MANAGER_H

#include <vector>

#include <SFML/Window/Event.hpp>

#include "EventKeyboard.h"
#include "InputEvent.h"
#include "Manager.h"
#include "Recorder.h"
#include "ReplayInput.h"
#include "TerminalInput.h"
#include "WindowInput.h"

namespace ks {

/// Turns a step's input into keyboard and mouse events once per step. The input comes from a
/// recording being replayed, or else from the source that goes with the graphics manager's
/// display: the window's event queue and live state for a window, what the terminal sends for
/// a terminal; none for the text display.
/// Every event sent can be written to a recording ("record_file" in the configuration).
class InputManager : public Manager {
public:
  /// The one input manager, created on first use.
  static InputManager &getInstance();

  /// Holds nothing of its own to release.
  ~InputManager() override;

  /// Starts the display's input source (for a window: key repeat off) and the recording, if
  /// one is configured. 0, or -1 if the graphics manager is not started or the recording
  /// can't be written.
  int startUp() override;

  /// Stops the input source (for a window: key repeat back on) and ends the recording and
  /// the replay.
  void shutDown() override;

  /// Reads a recording to replay instead of the display's input, from the first step on.
  /// 0, or -1 with one log line naming the line at fault.
  int loadReplay(std::string filename);
  /// The settings of the loaded replay (all 0 when there is none).
  const RecordingSettings &getReplaySettings() const;

  /// Takes input from `p_source` (a computer player, a network peer...; not owned: it must
  /// outlive its use) instead of the display's, until set back to null. A replay still comes
  /// first. The manager doesn't start or stop it.
  void setSource(InputSource *p_source);

  /// True for "ks::keyboard" and "ks::mouse".
  bool isValid(std::string event_type) const override;

  /// Sends this step's events, in the order the source gives them: for a window its queued
  /// events, then held mouse buttons and held keys (only while the window has the focus). A
  /// close request sets game over and ends the step's input, and so does the end of a replay.
  void getInput();

  /// Steps whose input has been read since start-up (over every run of the game loop).
  int getInputStep() const;

  /// A keyboard event for the window system's key event; the action is left undefined.
  EventKeyboard toEventKeyboard(const sf::Event &sfml_event) const;

  /// The engine key for an SFML key code: a Key value, or the code + 97 for unnamed keys.
  static int translateKey(int sfml_code);

private:
  InputManager();
  InputSource *displaySource();
  void pollReplay(int step);
  void record(int step, const InputEvent &input);
  bool send(const InputEvent &input);

  WindowInput window_input;       ///< the source of a window display
  TerminalInput terminal_input;   ///< the source of a terminal display
  InputSource *p_custom_source;   ///< the game's own source (not owned), or null
  ReplayInput replay_input;       ///< the recording being replayed, if any
  Recorder recorder;              ///< where sent events are recorded, if anywhere
  int input_step;                 ///< steps read since start-up, >= 0
  std::vector<InputEvent> events; ///< the step's input, reused from step to step
};

} // namespace ks

#endif
