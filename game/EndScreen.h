// What the game-over and win screens share.
#ifndef END_SCREEN_H
#define END_SCREEN_H

#include <string>

#include "ViewObject.h"

/// A screen in the middle of the window that shows its sprite for one pass of the animation,
/// then goes and ends the game.
class EndScreen : public ks::ViewObject {
public:
  /// Ends the game.
  ~EndScreen() override;
  /// Steps count the screen's life down; it goes at 0. 1 for a step event, 0 otherwise.
  int eventHandler(const ks::Event *p_e) override;
  /// Draws the sprite at its place on the screen.
  void draw() override;
  /// Steps left before the screen goes.
  int getTimeToLive() const;

protected:
  /// Shows the sprite `label` with type `screen_type`, living frame count x 15 steps. Without the
  /// sprite it writes "<type>::<type>(): Warning! Sprite '<label>' not found" and stays inert.
  EndScreen(const std::string &screen_type, const std::string &label);
  /// True if the sprite was found.
  bool isShowing() const;

private:
  int time_to_live; ///< steps until the screen removes itself
};

#endif
