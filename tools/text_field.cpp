// A window with one text field that prints its text on each change: what a user would type into,
// for checking by hand (tools/portal-on-mutter.sh) which letters reach a Wayland client.

#include <QApplication>
#include <QLineEdit>
#include <cstdio>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QLineEdit field;
  field.setWindowTitle(QStringLiteral("text-field"));
  QObject::connect(&field, &QLineEdit::textChanged, [](const QString& text) {
    std::printf("%s\n", qPrintable(text));
    std::fflush(stdout);
  });
  field.show();
  field.activateWindow();
  return app.exec();
}
