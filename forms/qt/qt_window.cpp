#include "forms/qt/qt_window.h"

#include <QApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QTimer>
#include <QWindow>
#include <algorithm>

#include "forms/qt/device_geometry.h"
#include "forms/qt/note_label.h"
#include "forms/qt/pop_up_menu.h"
#include "forms/qt/qt_button.h"
#include "forms/qt/qt_check_box.h"
#include "forms/qt/qt_label.h"
#include "forms/qt/qt_timer.h"
#include "forms/qt/qt_toolkit.h"
#include "forms/qt/units.h"
#include "forms/qt/wayland_toplevel.h"
#include "forms/qt/x11_taskbar.h"

namespace vesk::forms::qt {
namespace {

QRect inside(const QRect& outer, const QMargins& frame) {
  QRect inner = outer.marginsRemoved(frame);
  inner.setWidth(std::max(inner.width(), 1));
  inner.setHeight(std::max(inner.height(), 1));
  return inner;
}

}  // namespace

QtWindow::QtWindow(QtToolkit& toolkit, const WindowSpec& spec)
    : toolkit_(toolkit), form_(new FormWidget) {
  form_->setObjectName(QString::fromStdString(spec.name));
  form_->setWindowTitle(QString::fromStdString(spec.caption));
  form_->onClose = [this] { unload(); };
  form_->onDblClick = [this] {
    const auto handler = onDblClick;  // this window may go while it runs
    if (handler) handler();
  };
  form_->onContextMenu = [this](bool fromKeys) {
    const auto build = onContextMenu;
    if (!build) return;
    // From the keyboard, the mouse may be anywhere: the menu opens at the window.
    if (fromKeys) {
      showPopUpMenu(build(), form_->mapToGlobal(QPoint(0, 0)));
    } else {
      toolkit_.popUpMenu(build());
    }
  };
  if (QGuiApplication::platformName() == QLatin1String("wayland"))
    wayland_ = new WaylandToplevel(*form_);
}

QtWindow::~QtWindow() {
  if (modalLoop_) modalLoop_->quit();
  if (!form_) return;  // a modal window's widget went with its owner's
  for (auto* timer : timers_) timer->setEnabled(false);
  form_->onClose = nullptr;
  form_->onDblClick = nullptr;
  form_->onContextMenu = nullptr;
  if (form_->busy()) {
    // Destroyed by one of its own handlers: the widget goes once that handler has returned.
    form_->hide();
    form_->deleteLater();
  } else {
    delete form_.data();
  }
}

Label& QtWindow::addLabel(const LabelSpec& spec) {
  auto* label = new QtLabel(*form_, spec);
  if (spec.tabIndex) tabStops_.emplace_back(*spec.tabIndex, label);
  return *label;
}

Button& QtWindow::addButton(const ButtonSpec& spec) {
  auto* button = new QtButton(*form_, spec);
  tabStops_.emplace_back(spec.tabIndex, button);
  return *button;
}

CheckBox& QtWindow::addCheckBox(const CheckBoxSpec& spec) {
  auto* box = new QtCheckBox(*form_, spec);
  tabStops_.emplace_back(spec.tabIndex, box);
  return *box;
}

Timer& QtWindow::addTimer() {
  auto* timer = new QtTimer(*form_);
  timers_.push_back(timer);
  return *timer;
}

void QtWindow::setOuterGeometry(const Rect& twips) {
  placed_ = twips;
  placedPixels_ = toDevicePixels(twips);
  if (!form_->isVisible()) {
    pending_ = true;  // placed when shown, once the frame is known
    return;
  }
  setClient(inside(placedPixels_, frame()));
}

Rect QtWindow::outerGeometry() const {
  if (pending_) return *placed_;
  const QRect now = outerPixels();
  Rect twips = deviceToTwips(now);
  if (placed_) {
    // An edge or size unmoved since the window was placed keeps the twips it was given, not
    // those of its rounded pixels, so a restored window is stored again unchanged. Each on its
    // own: a window manager may round the size alone (Qt asks for whole scaled pixels).
    if (now.x() == placedPixels_.x()) twips.left = placed_->left;
    if (now.y() == placedPixels_.y()) twips.top = placed_->top;
    if (now.width() == placedPixels_.width()) twips.width = placed_->width;
    if (now.height() == placedPixels_.height()) twips.height = placed_->height;
  }
  return twips;
}

QMargins QtWindow::frame() const {
  const QMargins frame = currentFrame(*form_);
  // Shown moments ago, before the window manager has framed it: its answer stands in.
  return frame.isNull() ? toolkit_.knownFrame() : frame;
}

QRect QtWindow::outerPixels() const {
  QRect client = clientRect(*form_);
  // Natively on Wayland, not a size the compositor laid the window out at.
  if (wayland_) client.setSize(deviceFromPixels(QRect({}, wayland_->ownSize()), nullptr).size());
  return client.marginsAdded(frame());
}

void QtWindow::setClient(const QRect& device) {
  setClientRect(*form_, device);
  if (wayland_) wayland_->sizedTo(form_->size());
}

void QtWindow::placeBeforeMap(const QRect& outer) {
  placedFrame_ = toolkit_.frameMargins(*form_);
  setClient(inside(outer, placedFrame_));
}

// The frame a window manager gives may not be the one it told before mapping, or it told none:
// once it has framed the window, the outer rectangle placed is kept with the real frame, and
// the owner may place the window again (a default size grows for a taller frame). Polled,
// because Qt learns the frame without an event.
void QtWindow::checkFrameOnceMapped() {
  auto* poll = new QTimer(form_);
  QObject::connect(poll, &QTimer::timeout, form_, [this, poll, tries = 0]() mutable {
    // Exposed once the manager has mapped its frame: before, a frame it tells may be its guess.
    const bool framed = form_->windowHandle() && form_->windowHandle()->isExposed();
    const QMargins frame = framed ? currentFrame(*form_) : QMargins();
    if (frame.isNull() && ++tries < 50) return;
    poll->deleteLater();
    if (frame.isNull() || frame == placedFrame_ || !form_->isVisible()) return;
    placedFrame_ = frame;
    toolkit_.learnFrame(frame);
    setClient(inside(placedPixels_, frame));
    const auto handler = onFramed;  // this window may go while it runs
    if (handler) handler();
  });
  poll->start(20);
}

void QtWindow::orderTabs() {
  std::stable_sort(tabStops_.begin(), tabStops_.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (std::size_t i = 1; i < tabStops_.size(); ++i) {
    QWidget::setTabOrder(tabStops_[i - 1].second, tabStops_[i].second);
  }
}

void QtWindow::show() {
  unloaded_ = false;
  hideWanted_ = false;
  const bool place = !form_->isVisible() && pending_;
  if (place) {
    placeBeforeMap(placedPixels_);
    pending_ = false;
    if (wayland_) wayland_->showing();
  }
  orderTabs();
  form_->show();
  // Qt sends its own, rounded geometry again as it maps the window.
  if (place) setClient(inside(placedPixels_, placedFrame_));
  if (place && QGuiApplication::platformName() != QLatin1String("offscreen"))
    checkFrameOnceMapped();
  leaveOutOfTaskbar(*form_);
  for (const auto& [index, widget] : tabStops_) {
    if (!widget->isHidden() && widget->isEnabled()) {
      widget->setFocus(Qt::OtherFocusReason);
      break;
    }
  }
}

void QtWindow::showModal(forms::Window& owner) {
  // A child of its owner's widget: the window manager keeps it above the owner, and
  // Qt::WindowModal blocks input to the owner alone, whose timers go on ticking.
  auto* ownerWindow = dynamic_cast<QtWindow*>(&owner);
  FormWidget* parent = ownerWindow ? ownerWindow->widget() : nullptr;
  if (parent && form_->parentWidget() != parent) form_->setParent(parent, form_->windowFlags());
  form_->setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);

  QEventLoop loop;
  modalLoop_ = &loop;
  const std::weak_ptr<bool> alive = alive_;
  show();
  if (!unloaded_) loop.exec(QEventLoop::DialogExec);
  if (alive.expired()) return;  // a handler destroyed this window and ended the loop
  modalLoop_ = nullptr;
  // The keyboard goes back to the owner, as it does when a dialog closes.
  if (parent && parent->isVisible()) parent->activateWindow();
}

void QtWindow::close() {
  const bool hidden = !form_->isVisible();
  const bool quits = form_->testAttribute(Qt::WA_QuitOnClose);
  const std::weak_ptr<bool> alive = alive_;
  form_->close();
  if (alive.expired()) return;
  // Qt ends the program when the last visible window closes; a hidden one (the lights in the
  // notification area only) must end it too, unless another window of ours is still shown.
  if (!hidden || !quits || !unloaded_) return;
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (dynamic_cast<FormWidget*>(top) && top->isVisible()) return;
  }
  QCoreApplication::quit();
}

void QtWindow::hide() {
  // A hidden widget forgets its frame: keep the outer rectangle it had, to store and to come
  // back to. Once the menu that asked for it has gone: while it holds the pointer, Qt's idea
  // of our frame can be stale.
  hideWanted_ = true;
  QTimer::singleShot(0, form_, [this] {
    if (!hideWanted_ || !form_->isVisible()) return;
    placed_ = outerGeometry();
    placedPixels_ = outerPixels();
    pending_ = true;
    form_->hide();
  });
}

void QtWindow::bringToFront() {
  if (unloaded_) return;  // closed: the program is ending
  hideWanted_ = false;
  if (!form_->isVisible()) show();
  if (form_->isMinimized()) form_->setWindowState(form_->windowState() & ~Qt::WindowMinimized);
  form_->raise();
  form_->activateWindow();
}

void QtWindow::showNote(const std::string& sentence) {
  if (!note_) note_ = new NoteLabel(*form_);
  note_->showBelow(QString::fromStdString(sentence));
}

void QtWindow::unload() {
  if (unloaded_) return;  // already closed; a second close must not store twice
  unloaded_ = true;
  const std::weak_ptr<bool> alive = alive_;
  const auto handler = onUnload;
  if (handler) handler();
  if (alive.expired()) return;
  if (modalLoop_) modalLoop_->quit();
}

NativeHandle QtWindow::handle() const {
  return static_cast<NativeHandle>(form_->winId());
}

}  // namespace vesk::forms::qt
