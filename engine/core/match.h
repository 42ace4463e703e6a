// The engine's parser for comma-separated key:value lists.
#ifndef KS_MATCH_H
#define KS_MATCH_H

#include <string>

namespace ks {

/// With a non-empty `str`: parses it (white space removed, items split at commas, keys and
/// values at colons), replacing the tables of the previous parse. Then returns the value of the
/// first item whose key is `find`, or "" if there is none. Not reentrant.
std::string match(std::string str, std::string find);

} // namespace ks

#endif
