#include "settings/ini/ini_path.h"

#include <QDir>
#include <cstdlib>

#include "settings/keys.h"

namespace vesk::settings {

std::string defaultIniPath() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  std::string base = xdg && *xdg ? std::string(xdg) : QDir::homePath().toStdString() + "/.config";
  return base + "/" + std::string(kApplication) + "/settings.ini";
}

}  // namespace vesk::settings
