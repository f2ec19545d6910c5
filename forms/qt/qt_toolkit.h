#pragma once
// The forms seam on Qt6 Widgets, for the Linux build.

#include <QMargins>
#include <optional>

#include "forms/forms.h"
#include "forms/qt/frame_extents.h"

class QApplication;
class QWidget;

namespace vesk::forms::qt {

class QtToolkit final : public forms::Toolkit {
 public:
  explicit QtToolkit(QApplication& app);

  std::unique_ptr<forms::Window> createWindow(const WindowSpec& spec) override;
  // Screens' available areas, primary first; the caption and the smallest outer size from
  // the frame our windows get.
  Desktop desktop() const override;
  // QApplication::exec: returns once the last window has closed.
  int run() override;
  // A QMenu at the mouse; "&" underlines the access key.
  void popUpMenu(const std::vector<MenuItem>& items) override;

  // The frame around the given window in device pixels, before it is mapped: the window
  // manager's answer, else the platform's own margins (the offscreen platform draws a frame
  // itself; X11 reports none until the window manager has framed the window).
  QMargins frameMargins(QWidget& window) const;
  // Whether the window manager told us its frame (then frameMargins is right before mapping).
  bool frameKnown() const { return extents_.has_value(); }
  // The window manager's frame in device pixels, none when it has not told us.
  QMargins knownFrame() const;
  // The frame a window of ours got once mapped, where the manager's answer before was another
  // (mutter answers for an ordinary window's frame, a tool window's is 2 px lower) or none.
  void learnFrame(const QMargins& frame);

 private:
  QApplication& app_;
  // Asked once, about the first window placed, and kept: all our windows are framed alike.
  mutable std::optional<FrameExtents> extents_;
  mutable bool asked_ = false;
};

}  // namespace vesk::forms::qt
