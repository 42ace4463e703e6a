// Loading the game's resources and building its level.
#ifndef GAME_LOADERS_H
#define GAME_LOADERS_H

#include <string>

/// Number of columns of the level (the world's width in cells).
const int MAP_WIDTH = 300;
/// Number of rows of the level (the world's height in cells).
const int MAP_HEIGHT = 50;

/// Loads every sprite, music and sound of the game under its label, from paths relative to
/// the working directory. Failures are reported by the resource manager only.
void loadResources();

/// Builds the level from the comma-separated map `filename`: one Tile per cell whose code is
/// 0 to 3, column by column. 0, or -1 (with a log line) if the file cannot be opened.
int loadMap(std::string filename = "map.csv");

#endif
