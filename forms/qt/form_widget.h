#pragma once
// The top-level widget of one window: a sizable tool window with a thin caption and only a
// close button, not in the taskbar, on the button-face background, with the program's icon.

#include <QWidget>
#include <functional>

namespace vesk::forms::qt {

class FormWidget final : public QWidget {
 public:
  FormWidget();

  // Runs one of the program's handlers. A handler may destroy the window it runs in; the
  // widget then outlives the handler (QtWindow defers its deletion while one runs).
  void dispatch(const std::function<void()>& handler);
  bool busy() const { return busy_ > 0; }

  // Set by the QtWindow that owns this widget, cleared when it goes.
  std::function<void()> onClose;     // the close button, the window manager or close()
  std::function<void()> onDblClick;  // the background, outside every visible element
  // A right-click there (false), or the Menu key or Shift+F10 (true).
  std::function<void(bool fromKeys)> onContextMenu;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void openMenu(bool fromKeys);
  int busy_ = 0;
};

}  // namespace vesk::forms::qt
