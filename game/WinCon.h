// The goal at the far right of the level.
#ifndef WIN_CON_H
#define WIN_CON_H

#include "Object.h"

/// A SOFT object at (293, 14); when the hero touches it, it goes and the win screen follows.
class WinCon : public ks::Object {
public:
  /// The goal with sprite "win_con" at (293, 14).
  WinCon();
  /// Brings up the win screen.
  ~WinCon() override;
  /// A collision with the hero removes the win condition: 1. Anything else: 0.
  int eventHandler(const ks::Event *p_e) override;
};

#endif
