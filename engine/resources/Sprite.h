#ifndef KS_SPRITE_H
#define KS_SPRITE_H

#include <string>
#include <vector>

#include "Color.h"
#include "Frame.h"

namespace ks {

/// A named sequence of equally sized frames drawn in one colour. Built by the sprite loader
/// and owned by the resource manager; objects only point at it.
class Sprite {
public:
  /// A sprite that can hold up to `max_frames` frames.
  explicit Sprite(int max_frames);
  /// Releases the frames.
  ~Sprite();

  /// Width of every frame in characters.
  void setWidth(int new_width);
  /// Width of every frame in characters.
  int getWidth() const;
  /// Height of every frame in rows.
  void setHeight(int new_height);
  /// Height of every frame in rows.
  int getHeight() const;
  /// Colour of every frame.
  void setColor(Color new_color);
  /// Colour of every frame.
  Color getColor() const;
  /// Frames added so far.
  int getFrameCount() const;
  /// Most frames the sprite can hold.
  int getMaxFrameCount() const;
  /// Name by which the sprite is found.
  void setLabel(std::string new_label);
  /// Name by which the sprite is found ("[Undefined]" until set).
  std::string getLabel() const;

  /// Appends a copy of `new_frame`. 0, or -1 when the sprite is full.
  int addFrame(Frame new_frame);

  /// A copy of frame `frame_number`, or the empty frame when out of range.
  Frame getFrame(int frame_number) const;

private:
  Sprite(const Sprite &) = delete;
  Sprite &operator=(const Sprite &) = delete;

  int width;                ///< width of every frame
  int height;               ///< height of every frame
  int max_frame_count;      ///< capacity; frames can't grow past it
  int frame_count;          ///< frames added; 0 <= frame_count <= max_frame_count
  Color color;              ///< colour of every frame
  std::vector<Frame> frame; ///< the frames added so far; grows only as frames are added
  std::string label;        ///< name by which the sprite is found
};

} // namespace ks

#endif
