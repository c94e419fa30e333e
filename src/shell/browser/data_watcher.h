#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>

class QFileSystemWatcher;
class QTimer;

namespace kurvex::shell {

/// Tells when the loaded data file changed on disk: appended by an instrument, saved by an
/// editor (also one that writes a new file and renames it over the old), deleted and created
/// again. Bursts of changes are reported once.
class DataWatcher : public QObject {
  Q_OBJECT

 public:
  explicit DataWatcher(QObject* parent = nullptr);

  /// Watches `path` from now on; an empty path watches nothing.
  void Watch(const QString& path);
  QString Path() const { return path_; }

  /// How long changes are gathered before they are reported.
  static constexpr int kSettleMs = 200;

 signals:
  void Changed(const QString& path);

 private:
  void Check();
  void Rewatch();

  QFileSystemWatcher* watcher_;
  QTimer* settle_;
  QString path_;
  QDateTime modified_;
  qint64 size_ = -1;
};

}  // namespace kurvex::shell
