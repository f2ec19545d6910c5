// The Linux build's backends for the contract suites: Qt on its offscreen platform, the INI
// file, and X11 on a private Xvfb with openbox.

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include "backends.h"
#include "forms/qt/qt_toolkit.h"
#include "forms/qt/qt_window.h"
#include "platform/linux/linux_platform.h"
#include "platform/session_socket/socket_meeting_point.h"
#include "settings/ini/ini_store.h"
#include "x_session.h"

namespace vesk::test {
namespace {

// One QApplication for every Qt case, on the offscreen platform, ended with the run so that the
// sanitizers see nothing of it left.
struct QtApplication : ::testing::Environment {
  int argc = 1;
  char name[20] = "vesk_contract_tests", *argv[2] = {name, nullptr};
  std::unique_ptr<QApplication> app;
  void SetUp() override { app = std::make_unique<QApplication>(argc, argv); }
  void TearDown() override { app.reset(); }
};
auto* const kQtApplication = ::testing::AddGlobalTestEnvironment(new QtApplication);

QWidget* widgetOf(forms::Window& window) {
  return static_cast<forms::qt::QtWindow&>(window).widget();
}
template <class Element>
QWidget* widgetOf(Element& element) {
  return dynamic_cast<QWidget*>(&element);
}

struct Ini : StoreBackend {
  QTemporaryDir dir;
  std::string path = dir.filePath("VESK-CONTRACT/settings.ini").toStdString();
  settings::IniStore first{path, nullptr}, second{path, nullptr};
  Ini() { appsApart = false; }
  settings::Store& store() override { return first; }
  settings::Store& other() override { return second; }
  bool holds(const std::string&, const std::string& section) override {
    return run("cat '" + path + "' 2>/dev/null").find("[" + section + "]") != std::string::npos;
  }
};

forms::Colour colourOf(QColor c) {
  return static_cast<forms::Colour>(c.red() | c.green() << 8 | c.blue() << 16);
}

struct QtForms : FormsBackend {
  forms::qt::QtToolkit qt{*qApp};
  forms::Toolkit& toolkit() override { return qt; }
  void show(forms::Window& w) override {
    w.show();
    widgetOf(w)->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(widgetOf(w)));
  }
  bool waitFor(const std::function<bool()>& done, int ms) override {
    return QTest::qWaitFor(done, ms);
  }
  void doubleClick(forms::Window& w, double x, double y) override {
    QTest::mouseDClick(widgetOf(w)->windowHandle(), Qt::LeftButton, {}, QPoint(x / 15, y / 15));
  }
  void click(forms::CheckBox& box) override {
    QTest::mouseClick(widgetOf(box), Qt::LeftButton, {}, QPoint(6, widgetOf(box)->height() / 2));
  }
  bool type(forms::Window& w, const std::string& keys) override {
    for (char k : keys) {
      const auto key = k == '\t' ? Qt::Key_Tab : k == '\r' ? Qt::Key_Return : Qt::Key_Space;
      QTest::keyClick(widgetOf(w)->focusWidget(), key);
    }
    return true;
  }
  std::string focused(forms::Window& w) override {
    QWidget* focus = widgetOf(w)->focusWidget();  // a button's or a label's
    return focus ? focus->property("text").toString().toStdString() : "";
  }
  int shownCheck(forms::CheckBox& box) override {
    const auto state = static_cast<QCheckBox*>(widgetOf(box))->checkState();
    return state == Qt::Checked ? 1 : state == Qt::PartiallyChecked ? 2 : 0;
  }
  forms::Colour drawnBack(forms::Window&, forms::Label& label) override {
    const QImage image = widgetOf(label)->grab().toImage();
    return colourOf(image.pixelColor(2, image.height() - 3));
  }
  int pixelsOf(forms::Window&, forms::Label& label, forms::Colour colour) override {
    const QImage image = widgetOf(label)->grab().toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) count += colourOf(image.pixelColor(x, y)) == colour;
    }
    return count;
  }
  void userMove(forms::Window& w, const forms::Rect& p) override {
    const QRect outer = widgetOf(w)->frameGeometry(), inner = widgetOf(w)->geometry();
    const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(),
                         outer.right() - inner.right(), outer.bottom() - inner.bottom());
    widgetOf(w)->setGeometry(QRect(p.left, p.top, p.width, p.height) - frame);
  }
  void userClose(forms::Window& w) override { widgetOf(w)->windowHandle()->close(); }
  bool isShown(forms::Window& w) override { return widgetOf(w) && widgetOf(w)->isVisible(); }
  std::string toolTip(forms::Window&, forms::Label& label) override {
    return widgetOf(label)->toolTip().toStdString();
  }
  std::string noteBelow(forms::Window& w) override {
    const auto notes = widgetOf(w)->findChildren<QLabel*>("note");
    if (notes.size() != 1 || !notes.front()->isVisible()) return "";  // one at a time
    const bool below = notes.front()->geometry().top() >= widgetOf(w)->geometry().bottom();
    return below ? notes.front()->text().toStdString() : "";
  }
  bool hasKeyboard(forms::Window& w) override {
    return QApplication::activeWindow() == widgetOf(w);
  }
};

struct X11 : PlatformBackend {
  XServer server;
  WindowManager openbox;
  std::unique_ptr<platform::Platform> x11 = platform::createLinuxPlatform(platform::Session::X11);
  std::vector<std::unique_ptr<Child>> windows;
  platform::Platform& platform() override { return *x11; }
  bool keyOn(platform::LockKey key) override {
    return ledOn(key == platform::LockKey::Num    ? "Num Lock"
                 : key == platform::LockKey::Caps ? "Caps Lock"
                                                  : "Scroll Lock");
  }
  void holdKey(platform::LockKey, bool down) override {
    run(std::string("xdotool ") + (down ? "keydown" : "keyup") + " Scroll_Lock");
  }
  platform::NativeHandle openWindow(const std::string& title) override {
    windows.push_back(std::make_unique<Child>(std::vector<std::string>{"xlogo", "-title", title}));
    const auto id = run("xdotool search --sync --onlyvisible --name '^" + title + "$' | head -1");
    run("xdotool windowactivate --sync " + id);
    return std::stoul(id);
  }
  bool above(platform::NativeHandle w) override {
    return run("xprop -id " + std::to_string(w) + " _NET_WM_STATE").find("_ABOVE") !=
           std::string::npos;
  }
  std::string place(platform::NativeHandle w) override {
    return run("xdotool getwindowgeometry " + std::to_string(w));
  }
  bool waitFor(const std::function<bool()>& done) override { return eventually(done); }
};

struct SocketMeeting : MeetingBackend {
  QTemporaryDir dir;
  const std::string place = dir.filePath("place").toStdString();
  std::vector<int> clients;  // a stranger's, open to the end
  ~SocketMeeting() override {
    for (int fd : clients) ::close(fd);
  }
  std::unique_ptr<platform::MeetingPoint> copy() override {
    return std::make_unique<platform::SocketMeetingPoint>(platform::MeetingPlace{place, ""});
  }
  bool waitFor(const std::function<bool()>& done, int ms) override {
    return QTest::qWaitFor(done, ms);
  }
  void stranger() override {
    using namespace std::string_literals;
    sockaddr_un address{AF_UNIX, {}};
    (place + ".sock").copy(address.sun_path, sizeof address.sun_path - 1);
    for (const auto& bytes : {"SHOW\n"s, "show\r\n"s, "show"s, "\0show\n"s,
                              std::string(1 << 16, 'x'), ""s}) {  // the last one stays silent
      clients.push_back(::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0));
      ASSERT_EQ(::connect(clients.back(), reinterpret_cast<sockaddr*>(&address), sizeof address),
                0);
      ::send(clients.back(), bytes.data(), bytes.size(), MSG_NOSIGNAL);
    }
  }
};

}  // namespace

std::vector<Maker<StoreBackend>> storeBackends() {
  return {{"memory", makeMemoryStore}, maker<StoreBackend, Ini>("ini")};
}
std::vector<Maker<FormsBackend>> formsBackends() {
  return {{"fake", makeFakeForms}, maker<FormsBackend, QtForms>("qt")};
}
std::vector<Maker<PlatformBackend>> platformBackends() {
  return {{"fake", makeFakePlatform}, maker<PlatformBackend, X11>("x11")};
}
std::vector<Maker<MeetingBackend>> meetingBackends() {
  return {{"fake", makeFakeMeeting}, maker<MeetingBackend, SocketMeeting>("socket")};
}

}  // namespace vesk::test
