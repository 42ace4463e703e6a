// The win screen, after the hero reached the goal.
#ifndef GAME_WIN_H
#define GAME_WIN_H

#include "ViewObject.h"

/// Shows the sprite "gamewin" in the middle of the window for one pass of its animation, then
/// goes and ends the game.
class GameWin : public ks::ViewObject {
public:
  /// The screen in the middle of the window, living frame count x 15 steps.
  GameWin();
  /// Ends the game.
  ~GameWin() override;
  /// Steps count the screen's life down; it goes at 0. 1 for a step event, 0 otherwise.
  int eventHandler(const ks::Event *p_e) override;
  /// Draws the sprite at its place on the screen.
  void draw() override;
  /// Steps left before the screen goes.
  int getTimeToLive() const;

private:
  int time_to_live; ///< steps until the screen removes itself
};

#endif
