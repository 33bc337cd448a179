#include "app/about_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>

#include "app/app_icon.h"
#include "app/program_name.h"

namespace vantaro::app {

QString CAboutDlg::VersionLine() {
  return QString::fromStdString(AboutLine());
}

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("About ") + kProgramName);
  auto* icon = new QLabel(this);
  icon->setPixmap(QPixmap::fromImage(DrawAppIcon(48)));
  auto* version = new QLabel(VersionLine(), this);
  version->setObjectName(QStringLiteral("version"));
  auto* purpose = new QLabel(QStringLiteral("Views and edits records of games of Go."), this);
  auto* formats = new QLabel(
      QStringLiteral("Reads SGF, GIB, UGF, UGI, NGF, GOS, BDX and GO; saves SGF."), this);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  auto* layout = new QGridLayout(this);
  layout->addWidget(icon, 0, 0, 3, 1, Qt::AlignTop);
  layout->addWidget(version, 0, 1);
  layout->addWidget(purpose, 1, 1);
  layout->addWidget(formats, 2, 1);
  layout->addWidget(buttons, 3, 0, 1, 2);
}

}  // namespace vantaro::app
