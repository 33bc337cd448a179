#pragma once

#include <QDialog>

namespace vantaro::app {

// The About box: the program's icon, its version line and two lines about it.
class CAboutDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CAboutDlg(QWidget* parent = nullptr);

  // "Vantaro PPC 1.0.2"
  static QString VersionLine();
};

}  // namespace vantaro::app
