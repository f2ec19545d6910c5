#include "forms/qt/qt_window.h"

#include <QApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QTimer>
#include <QWindow>
#include <algorithm>

#include "forms/qt/qt_button.h"
#include "forms/qt/qt_check_box.h"
#include "forms/qt/qt_label.h"
#include "forms/qt/qt_timer.h"
#include "forms/qt/qt_toolkit.h"
#include "forms/qt/units.h"
#include "forms/qt/x11_taskbar.h"

namespace vesk::forms::qt {

QtWindow::QtWindow(QtToolkit& toolkit, const WindowSpec& spec)
    : toolkit_(toolkit), form_(new FormWidget) {
  form_->setObjectName(QString::fromStdString(spec.name));
  form_->setWindowTitle(QString::fromStdString(spec.caption));
  form_->onClose = [this] { unload(); };
  form_->onDblClick = [this] {
    const auto handler = onDblClick;  // this window may go while it runs
    if (handler) handler();
  };
  form_->onContextMenu = [this] {
    const auto build = onContextMenu;
    if (build) toolkit_.popUpMenu(build());
  };
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
  return *new QtLabel(*form_, spec);
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
  if (!form_->isVisible()) {
    pending_ = twips;  // placed when shown, once the frame is known
    return;
  }
  const QRect outer = toPixels(twips);
  const QRect frame = outerPixels();
  const QRect inner = form_->geometry();
  form_->setGeometry(outer.adjusted(inner.left() - frame.left(), inner.top() - frame.top(),
                                    inner.right() - frame.right(),
                                    inner.bottom() - frame.bottom()));
}

Rect QtWindow::outerGeometry() const {
  if (pending_ && !form_->isVisible()) return *pending_;
  return toTwips(outerPixels());
}

QRect QtWindow::outerPixels() const {
  const QRect frame = form_->frameGeometry();
  const QRect inner = form_->geometry();
  if (frame != inner && frame.contains(inner)) return frame;
  // Shown moments ago, before Qt has learnt the frame, or a frame that no longer holds the
  // window (seen 1x1 px while a menu held the pointer): the platform's margins, else the
  // window manager's answer.
  QMargins margins = form_->windowHandle() ? form_->windowHandle()->frameMargins() : QMargins();
  if (margins.isNull()) margins = toolkit_.knownFrame();
  return inner.marginsAdded(margins);
}

namespace {

QRect inside(const QRect& outer, const QMargins& frame) {
  QRect inner = outer.marginsRemoved(frame);
  inner.setWidth(std::max(inner.width(), 1));
  inner.setHeight(std::max(inner.height(), 1));
  return inner;
}

// A window manager that does not tell its frame before mapping: once it has framed the window,
// fit the frame to the outer rectangle. Polled, because Qt learns the frame without an event.
void fitFrameOnceMapped(FormWidget& form, const QRect& outer) {
  auto* poll = new QTimer(&form);
  QObject::connect(poll, &QTimer::timeout, &form, [&form, poll, outer, tries = 0]() mutable {
    const QMargins frame = form.windowHandle() ? form.windowHandle()->frameMargins() : QMargins();
    if (frame.isNull() && ++tries < 50) return;
    poll->deleteLater();
    if (!frame.isNull()) form.setGeometry(inside(outer, frame));
  });
  poll->start(20);
}

}  // namespace

void QtWindow::placeBeforeMap(const QRect& outer) {
  form_->setGeometry(inside(outer, toolkit_.frameMargins(*form_)));
  if (!toolkit_.frameKnown() && QGuiApplication::platformName() == QLatin1String("xcb")) {
    fitFrameOnceMapped(*form_, outer);
  }
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
  if (!form_->isVisible() && pending_) {
    placeBeforeMap(toPixels(*pending_));
    pending_.reset();
  }
  orderTabs();
  form_->show();
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
    pending_ = outerGeometry();
    form_->hide();
  });
}

void QtWindow::bringToFront() {
  hideWanted_ = false;
  if (!form_->isVisible()) show();
  form_->raise();
  form_->activateWindow();
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
