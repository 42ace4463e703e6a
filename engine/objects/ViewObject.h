#ifndef KS_VIEW_OBJECT_H
#define KS_VIEW_OBJECT_H

#include <string>

#include "Object.h"

namespace ks {

/// Named places on the screen for view objects.
enum ViewObjectLocation {
  UNDEFINED_LOCATION = -1, ///< placed by an explicit position
  TOP_LEFT,
  TOP_CENTER,
  TOP_RIGHT,
  CENTER_LEFT,
  CENTER_CENTER,
  CENTER_RIGHT,
  BOTTOM_LEFT,
  BOTTOM_CENTER,
  BOTTOM_RIGHT,
};

/// Index of a view object attribute's modified flag.
enum ViewObjectAttribute {
  VIEW_STRING,
  VALUE,
  BORDER,
  COLOR,
  LOCATION,
  DRAW_VALUE,
  VIEW_ATTRIBUTE_COUNT, ///< number of flags
};

/// A heads-up display object: a label and a value, optionally framed, at a place on the screen
/// that stays put while the view scrolls. Its position is in view cells, not world cells.
class ViewObject : public Object {
public:
  /// A white, bordered label with value 0 at the top centre, spectral, at the top altitude,
  /// registered for "ks::view".
  ViewObject();

  /// Moves the object to an explicit place; its location becomes undefined.
  void setPosition(Vector new_pos) override;

  /// "ks::view" events with this label set or add to the value; others go to Object.
  int eventHandler(const Event *p_e) override;

  /// Draws the label, the value and the border at the object's place on the screen.
  void draw() override;

  /// The object's items, then the view object's own modified ones (or all); clears the flags.
  std::string serialize(bool all = false) override;
  /// Applies the object's items, then the view object's own. 0.
  int deserialize(std::string s) override;
  /// True if any view object or object attribute changed since the last serialize().
  bool isModified() const override;
  using Object::isModified;
  /// True if `attribute` changed since the last serialize().
  virtual bool isModified(ViewObjectAttribute attribute) const;

  /// Sets the label drawn before the value.
  void setViewString(std::string new_view_string);
  /// The label drawn before the value.
  std::string getViewString() const;
  /// Sets the value drawn after the label.
  void setValue(int new_value);
  /// The value drawn after the label.
  int getValue() const;
  /// Frames the text and moves it one row down (at a named place).
  void setBorder(bool new_border);
  /// True if the text is framed.
  bool getBorder() const;
  /// Sets the text colour (a Color value).
  void setColor(int new_color);
  /// The text colour (a Color value).
  int getColor() const;
  /// True if the value is drawn after the label.
  bool getDrawValue() const;
  /// Moves the object to a ViewObjectLocation.
  void setLocation(int new_location);
  /// The ViewObjectLocation, or UNDEFINED_LOCATION after setPosition().
  int getLocation() const;

protected:
  /// Sets `draw_value` without marking it modified.
  void setDrawValue(bool new_draw_value);

private:
  std::string view_string;               ///< the label
  int value;                             ///< the displayed number
  bool draw_value;                       ///< show the number after the label
  bool border;                           ///< frame the text
  int color;                             ///< a Color, for text and border
  int location;                          ///< a ViewObjectLocation, or -1 when placed by position
  bool v_modified[VIEW_ATTRIBUTE_COUNT]; ///< changed since the last serialize()
};

} // namespace ks

#endif
