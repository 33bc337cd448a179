#pragma once

#include <QDialog>

namespace vantaro::app {

// The About box: the program's icon, its version line and two lines about it.
class CAboutDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CAboutDlg(QWidget* parent = nullptr);

  // The program's name and version, "Vantaro 0.1.0".
  static QString VersionLine();
};

}  // namespace vantaro::app
