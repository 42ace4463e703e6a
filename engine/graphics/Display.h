// Where presented frames go: a window, a text grid, a terminal.
#ifndef KS_DISPLAY_H
#define KS_DISPLAY_H

#include <string>

#include "Screen.h"

namespace ks {

/// One way of showing frames. The graphics manager owns the active display: it opens it at
/// start-up, hands it every finished step's draws and closes it at shut-down.
class Display {
public:
  virtual ~Display();

  /// Gets ready to show frames of `horizontal` x `vertical` cells, each `cell_width` x
  /// `cell_height` pixels where pixels mean something. 0, or -1 with one log line.
  virtual int open(int horizontal, int vertical, float cell_width, float cell_height) = 0;

  /// Shows `screen`, the draws of one finished step. 0, or -1 with one log line.
  virtual int present(const Screen &screen) = 0;

  /// Lets go of whatever open() took; a display may be opened again afterwards.
  virtual void close() = 0;

  /// The display's name as the configuration's "display" key gives it ("window", "text"...).
  virtual std::string getName() const = 0;
};

} // namespace ks

#endif
