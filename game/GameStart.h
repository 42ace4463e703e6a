// The start screen.
#ifndef GAME_START_H
#define GAME_START_H

#include "ViewObject.h"

/// Shows the sprite "gamestart" in the middle of the window; P starts play, Q quits.
class GameStart : public ks::ViewObject {
public:
  /// The screen in the middle of the window, registered for keyboard events (only when its
  /// sprite is loaded).
  GameStart();
  /// P starts play, Q ends the game. 1 for every keyboard event, 0 otherwise.
  int eventHandler(const ks::Event *p_e) override;
  /// Draws the sprite at its place on the screen.
  void draw() override;
  /// Creates the hero (the view follows it) and the win condition, then deactivates the
  /// screen so that the rest of the key press starts nothing more.
  void start();
};

#endif
