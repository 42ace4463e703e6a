// Small conversions used across the engine.
#ifndef KS_UTILITY_H
#define KS_UTILITY_H

#include <string>

#include "Vector.h"

namespace ks {

/// The local time of day as "hh:mm:ss", or "(time error)". One static buffer, overwritten by
/// each call.
const char *getTimeString();

/// Decimal text of an int, with a minus sign for negative values.
std::string toString(int i);

/// Default stream text of a float: six significant digits, no trailing zeros.
std::string toString(float f);

/// The character as a one-character string; the character 0 gives "0".
std::string toString(char c);

/// "true" or "false".
std::string boolToString(bool b);

/// The decimal number at the start of `text` as atoi reads it (0 when there is none), but held
/// to the int range instead of overflowing.
int textToInt(const std::string &text);

/// The number at the start of `text` as atof reads it, as a float; beyond the float range it is
/// the infinity of its sign instead of undefined.
float textToFloat(const std::string &text);

/// A world position relative to the corner of the world manager's view.
Vector worldToView(Vector world_pos);

} // namespace ks

#endif
