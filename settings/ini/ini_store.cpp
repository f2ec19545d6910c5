#include "settings/ini/ini_store.h"

#include <QSettings>
#include <QStringList>

#include <sys/stat.h>

namespace vesk::settings {
namespace {

// QSettings keeps the keys of its [General] group at the top level.
QString keyPath(const std::string& section, const std::string& key) {
  const QString k = QString::fromStdString(key);
  if (section == "General") return k;
  return QString::fromStdString(section) + "/" + k;
}

}  // namespace

IniStore::IniStore(std::string path, Reporter report)
    : path_(std::move(path)),
      report_(std::move(report)),
      file_(std::make_unique<QSettings>(QString::fromStdString(path_), QSettings::IniFormat)) {}

IniStore::~IniStore() = default;

void IniStore::refresh() {
  struct stat st {};
  const bool exists = ::stat(path_.c_str(), &st) == 0;
  const auto now = exists ? std::make_tuple(true, static_cast<unsigned long long>(st.st_ino),
                                            static_cast<long long>(st.st_size),
                                            static_cast<long long>(st.st_mtim.tv_sec),
                                            static_cast<long long>(st.st_mtim.tv_nsec))
                          : decltype(seen_){};
  if (now == seen_) return;
  seen_ = now;
  file_->sync();
}

std::optional<std::string> IniStore::get(const std::string&, const std::string& section,
                                         const std::string& key) {
  refresh();
  const QVariant value = file_->value(keyPath(section, key));
  if (!value.isValid()) return std::nullopt;
  // An unquoted comma makes a list ("MainLeft=1,5"); the text is what the user wrote.
  if (value.typeId() == QMetaType::QStringList) {
    return value.toStringList().join(",").toStdString();
  }
  return value.toString().toStdString();
}

void IniStore::save(const std::string&, const std::string& section, const std::string& key,
                    const std::string& text) {
  // QSettings keeps the first error it meets. Parsing the whole file through the reader first
  // leaves any format error there, so this save's own writer reports only its write.
  file_->sync();
  file_->allKeys();
  QSettings writer(QString::fromStdString(path_), QSettings::IniFormat);
  writer.setValue(keyPath(section, key), QString::fromStdString(text));
  writer.sync();
  if (writer.status() != QSettings::NoError && !reported_) {
    reported_ = true;
    if (report_) {
      report_("VESK-LIGHTS: cannot write the settings file " + path_ +
              "; changes are kept only until the program ends");
    }
  }
}

}  // namespace vesk::settings
