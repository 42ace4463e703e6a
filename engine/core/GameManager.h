#ifndef KS_GAME_MANAGER_H
#define KS_GAME_MANAGER_H

#include "Manager.h"
#include "Version.h"

namespace ks {

/// Starts and stops the engine's managers in a fixed order and runs the fixed-rate game loop.
class GameManager : public Manager {
public:
  /// The one game manager, created on first use.
  static GameManager &getInstance();

  ~GameManager() override;

  /// Reads the configuration, starts the log and every other manager, sizes world and view to
  /// the window. 0, or -1 at the first manager that fails, after stopping again, last first,
  /// the managers this start-up started (the log excepted: shutDown() closes it).
  int startUp() override;

  /// Stops the managers in reverse order, the log last; startUp() may follow again.
  void shutDown() override;

  /// True only for "ks::step".
  bool isValid(std::string event_type) const override;

  /// Runs the game loop until some object sets game over; the step in which that happens is
  /// finished first.
  void run();

  /// Ends the game loop after the current step when true.
  void setGameOver(bool new_game_over = true);
  /// True once game over is set: the loop ends after the current step.
  bool getGameOver() const;

  /// Target milliseconds per step.
  int getFrameTime() const;

  /// Steps completed by the current run() (0 before the loop).
  int getStepCount() const;

  /// The seed start-up gave the C random number generator.
  int getRandomSeed() const;

private:
  GameManager();
  /// startUp()'s steps in order; -1 at the first manager that fails, the others left as they are.
  int startInOrder();
  void step();
  int startReplay();

  bool game_over;  ///< the loop ends after the current step when true
  int frame_time;  ///< target milliseconds per step
  int step_count;  ///< steps completed by the current run()
  int random_seed; ///< the seed given to srand() at start-up
};

} // namespace ks

#endif
