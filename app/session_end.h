#pragma once
// Ending the session saves like closing: SIGTERM, SIGHUP, SIGINT and the session manager's
// request to save close the open windows as their close buttons do (each window's unload stores
// its place), and then the program ends. A second signal ends it at once.

class QApplication;

namespace vesk::app {

void closeWindowsAtSessionEnd(QApplication& app);

}  // namespace vesk::app
