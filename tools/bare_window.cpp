// A yardstick for idle cost: a plain Qt tool window whose 100 ms timer does nothing.
#include <QApplication>
#include <QTimer>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window(nullptr, Qt::Tool);
  window.setAttribute(Qt::WA_QuitOnClose, true);
  window.setWindowTitle("bare");
  window.resize(256, 63);
  window.show();
  QTimer timer;
  int ticks = 0;
  QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
  timer.start(100);
  return app.exec();
}
