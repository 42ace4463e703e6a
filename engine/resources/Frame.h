#ifndef KS_FRAME_H
#define KS_FRAME_H

#include <string>

namespace ks {

/// One picture of a sprite: `height` rows of `width` characters, stored row by row.
class Frame {
public:
  /// The empty frame: 0 x 0, no text.
  Frame();
  /// A frame of `init_height` rows of `init_width` characters, given row by row.
  Frame(int init_width, int init_height, std::string init_frame_str);

  /// Characters per row.
  int getWidth() const;
  /// Number of rows.
  int getHeight() const;
  /// The characters, top row first, without separators.
  std::string getString() const;

private:
  int width;             ///< characters per row
  int height;            ///< rows
  std::string frame_str; ///< width x height characters for a frame read from a file
};

} // namespace ks

#endif
