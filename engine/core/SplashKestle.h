// The figure of the splash animation: rises from below the view, then changes shape.
#ifndef KS_SPLASH_KESTLE_H
#define KS_SPLASH_KESTLE_H

#include "Object.h"
#include "Vector.h"

namespace ks {

class Sprite;

/// The splash figure: rises from six rows below the view to `target` in 30 steps, changes to
/// a smaller figure 15 steps after its arrival and ends the loop 30 steps after that.
class SplashKestle : public Object {
public:
  /// Builds the figure sprite and starts it below the view, under `target`, moving up;
  /// registered for "ks::step" and "ks::keyboard".
  explicit SplashKestle(Vector init_target);
  /// Frees the sprite built by this object.
  ~SplashKestle() override;
  /// Counts steps and ends the loop; any key ends it at once. 1 for step and keyboard
  /// events, 0 otherwise.
  int eventHandler(const Event *p_e) override;

private:
  SplashKestle(const SplashKestle &) = delete;
  SplashKestle &operator=(const SplashKestle &) = delete;
  Vector target;    ///< the place the figure rises to
  int countdown;    ///< steps left until the figure arrives (then negative, until -45)
  Sprite *p_figure; ///< the sprite currently shown, built in code and owned by this object
};

} // namespace ks

#endif
