// The game-over screen, after the hero's death.
#ifndef GAME_OVER_H
#define GAME_OVER_H

#include "EndScreen.h"

/// Shows the sprite "gameover" in the middle of the window for one pass of its animation, with
/// the music "endMusic", then goes and ends the game.
class GameOver : public EndScreen {
public:
  /// The screen in the middle of the window, living frame count x 15 steps; plays the music
  /// "endMusic" looping.
  GameOver();
};

#endif
