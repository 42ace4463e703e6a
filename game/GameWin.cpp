#include "GameWin.h"

GameWin::GameWin() : EndScreen("GameWin", "gamewin") {}
