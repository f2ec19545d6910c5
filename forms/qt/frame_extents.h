#pragma once
// How thick a frame the window manager puts around a top-level window. Qt knows the frame only
// once a window has been mapped; restoring an outer rectangle exactly needs it before.

#include <optional>

class QWidget;

namespace vesk::forms::qt {

struct FrameExtents {
  int left = 0, right = 0, top = 0, bottom = 0;  // device pixels, as the window manager gives them
};

// Asks the window manager for the frame it will give this (not yet mapped) window, with the
// EWMH _NET_REQUEST_FRAME_EXTENTS message. Nothing when the display is not X11, no window
// manager runs, it does not offer the request, or it does not answer in time.
std::optional<FrameExtents> requestFrameExtents(QWidget& window);
// The frame the window manager has set on this window (_NET_FRAME_EXTENTS), asking nothing.
std::optional<FrameExtents> frameExtents(QWidget& window);

}  // namespace vesk::forms::qt
