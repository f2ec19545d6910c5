#include "forms/fake/fake_forms.h"

#include <algorithm>
#include <stdexcept>

namespace vesk::forms::fake {

FakeWindow::FakeWindow(FakeToolkit& toolkit, WindowSpec design, NativeHandle handle)
    : spec(std::move(design)), toolkit_(toolkit), handle_(handle) {
  toolkit_.live_.push_back(this);
}

FakeWindow::~FakeWindow() {
  std::erase(toolkit_.live_, this);
}

Label& FakeWindow::addLabel(const LabelSpec& s) {
  return *labels_.emplace_back(std::make_unique<FakeLabel>(s));
}

Button& FakeWindow::addButton(const ButtonSpec& s) {
  return *buttons_.emplace_back(std::make_unique<FakeButton>(s));
}

CheckBox& FakeWindow::addCheckBox(const CheckBoxSpec& s) {
  return *boxes_.emplace_back(std::make_unique<FakeCheckBox>(s));
}

Timer& FakeWindow::addTimer() {
  const auto name = spec.name + ".timer" + std::to_string(timers_.size());
  return *timers_.emplace_back(std::make_unique<FakeTimer>(toolkit_.log, name));
}

void FakeWindow::setOuterGeometry(const Rect& r) {
  geometry = r;
  toolkit_.log.push_back(spec.name + ".geometry");
}

void FakeWindow::show() {
  shown = true;
  toolkit_.log.push_back(spec.name + ".show");
}

void FakeWindow::showModal(Window& owner) {
  shown = true;
  modalOwner = &owner;
  toolkit_.log.push_back(spec.name + ".showModal");
  if (toolkit_.whileModal) toolkit_.whileModal(*this);
  if (!closed) close();
}

void FakeWindow::hide() {
  shown = false;
  toolkit_.log.push_back(spec.name + ".hide");
}

void FakeWindow::bringToFront() {
  shown = true;
  toolkit_.log.push_back(spec.name + ".bringToFront");
}

void FakeWindow::close() {
  if (closed) return;
  if (onUnload) onUnload();
  closed = true;
  shown = false;
  toolkit_.log.push_back(spec.name + ".closed");
}

template <typename T>
static T& byName(std::vector<std::unique_ptr<T>>& items, const std::string& name) {
  for (auto& item : items) {
    if (item->spec.name == name) return *item;
  }
  throw std::out_of_range("no element " + name);
}

FakeLabel& FakeWindow::label(const std::string& name) {
  return byName(labels_, name);
}
FakeButton& FakeWindow::button(const std::string& name) {
  return byName(buttons_, name);
}
FakeCheckBox& FakeWindow::checkBox(const std::string& name) {
  return byName(boxes_, name);
}

void FakeWindow::doubleClickAt(double x, double y) {
  // Elements added later lie above earlier ones.
  for (auto it = labels_.rbegin(); it != labels_.rend(); ++it) {
    const auto& p = (*it)->spec.place;
    const bool inside = x >= p.left && x < p.left + p.width && y >= p.top && y < p.top + p.height;
    if (inside && (*it)->isVisible()) {
      if ((*it)->onDblClick) (*it)->onDblClick();
      return;
    }
  }
  if (onDblClick) onDblClick();
}

void FakeWindow::rightClickAt(double x, double y) {
  const auto hits = [x, y](const auto& element) {
    const auto& p = element->spec.place;
    return element->isVisible() && x >= p.left && x < p.left + p.width && y >= p.top &&
           y < p.top + p.height;
  };
  if (std::any_of(labels_.begin(), labels_.end(), hits)) return;
  if (std::any_of(buttons_.begin(), buttons_.end(), hits)) return;
  if (onContextMenu) toolkit_.popUpMenu(onContextMenu());
}

void FakeToolkit::popUpMenu(const std::vector<MenuItem>& items) {
  menu = items;
  ++menusShown;
  log.push_back("menu");
}

bool FakeToolkit::pickMenuItem(char key) {
  const auto lower = [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  };
  for (const auto& item : menu) {
    const auto amp = item.caption.find('&');
    if (amp == std::string::npos || amp + 1 >= item.caption.size()) continue;
    if (lower(item.caption[amp + 1]) != lower(key) || !item.enabled) continue;
    const auto run = item.onClick;  // the menu has closed; the item may rebuild it
    if (run) run();
    return true;
  }
  return false;
}

std::unique_ptr<Window> FakeToolkit::createWindow(const WindowSpec& spec) {
  log.push_back(spec.name + ".create");
  return std::make_unique<FakeWindow>(*this, spec, nextHandle_++);
}

void FakeToolkit::elapse() {
  const auto windows = live_;  // a tick may close a window
  for (auto* w : windows) {
    if (std::find(live_.begin(), live_.end(), w) == live_.end()) continue;
    for (std::size_t i = 0; i < w->timers(); ++i) w->timer(static_cast<int>(i)).elapse();
  }
}

FakeWindow* FakeToolkit::find(const std::string& name) {
  for (auto* w : live_) {
    if (w->spec.name == name) return w;
  }
  return nullptr;
}

}  // namespace vesk::forms::fake
