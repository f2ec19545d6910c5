#pragma once
// One top-level window of the forms seam on Qt Widgets.

#include <QPointer>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "forms/forms.h"
#include "forms/qt/form_widget.h"

class QEventLoop;

namespace vesk::forms::qt {

class QtToolkit;
class QtTimer;
class NoteLabel;
class WaylandToplevel;

class QtWindow final : public forms::Window {
 public:
  QtWindow(QtToolkit& toolkit, const WindowSpec& spec);
  ~QtWindow() override;

  Label& addLabel(const LabelSpec& spec) override;
  Button& addButton(const ButtonSpec& spec) override;
  CheckBox& addCheckBox(const CheckBoxSpec& spec) override;
  Timer& addTimer() override;

  void setOuterGeometry(const Rect& twips) override;
  Rect outerGeometry() const override;
  NativeHandle handle() const override;

  void show() override;
  void showModal(forms::Window& owner) override;
  void close() override;
  void showNote(const std::string& sentence) override;
  void hide() override;
  void bringToFront() override;

  // The widget, for tests and for the owner of a modal window.
  FormWidget* widget() const { return form_; }

 private:
  // Device pixels: see units.h.
  QRect outerPixels() const;
  QMargins frame() const;
  // The client rectangle in device pixels, as this program sizes the window (not its user).
  void setClient(const QRect& device);
  void placeBeforeMap(const QRect& outer);
  void checkFrameOnceMapped();
  void orderTabs();
  void unload();

  QtToolkit& toolkit_;
  QPointer<FormWidget> form_;           // a modal window's widget is its owner's child
  QPointer<NoteLabel> note_;            // made at the first note, a child of form_
  WaylandToplevel* wayland_ = nullptr;  // natively on Wayland only, a child of form_
  std::vector<std::pair<int, QWidget*>> tabStops_;
  std::vector<QtTimer*> timers_;
  std::optional<Rect> placed_;  // the outer rectangle last given, and its device pixels
  QRect placedPixels_;
  QMargins placedFrame_;  // the frame the window was placed for, device pixels
  bool pending_ = false;  // to be taken when next shown
  bool unloaded_ = false;
  bool hideWanted_ = false;  // a hide() not yet done; a show() meanwhile cancels it
  QEventLoop* modalLoop_ = nullptr;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace vesk::forms::qt
