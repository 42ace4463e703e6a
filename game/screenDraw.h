// Drawing shared by the start, game-over and win screens.
#ifndef SCREEN_DRAW_H
#define SCREEN_DRAW_H

#include "Object.h"

/// Draws `p_screen`'s current sprite frame as Object::draw does (animation included), but at
/// its position plus the view's corner, so that it stays at its place on the screen however
/// the view has scrolled. Nothing without a sprite. `p_screen` is not owned.
void drawScreenSprite(ks::Object *p_screen);

#endif
