// The win screen, after the hero reached the goal.
#ifndef GAME_WIN_H
#define GAME_WIN_H

#include "EndScreen.h"

/// Shows the sprite "gamewin" in the middle of the window for one pass of its animation, then
/// goes and ends the game.
class GameWin : public EndScreen {
public:
  /// The screen in the middle of the window, living frame count x 15 steps.
  GameWin();
};

#endif
