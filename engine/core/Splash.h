// The engine's start-up animation: the name slides in, then a figure rises under it.
#ifndef KS_SPLASH_H
#define KS_SPLASH_H

#include "Object.h"

namespace ks {

class Sprite;

/// Runs the splash animation in the game loop until it ends by itself (90 steps) or on any
/// key. 0, or -1 if the game manager is not started.
int splash();

/// The engine's name in large letters: slides in from the right edge of the view to the
/// centre in 15 steps, changes lettering and brings up the figure (SplashKestle).
class Splash : public Object {
public:
  /// Builds the name sprite and puts the object just beyond the right edge of the view,
  /// moving left, registered for "ks::step" and "ks::keyboard".
  Splash();
  /// Frees the sprite built by the constructor.
  ~Splash() override;
  /// Counts steps; any key ends the loop. 1 for a step event, 0 otherwise.
  int eventHandler(const Event *p_e) override;

private:
  Splash(const Splash &) = delete;
  Splash &operator=(const Splash &) = delete;
  int countdown;     ///< steps left until the name stops (then negative, until -75)
  Sprite *p_letters; ///< the name sprite, built in code and owned by this object
};

} // namespace ks

#endif
