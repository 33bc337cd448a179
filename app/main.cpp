#include <QApplication>

#include "app/app_icon.h"
#include "app/benchmark_hook.h"
#include "app/vantaro_app.h"
#include "document/program_name.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("vantaro"));
  QApplication::setApplicationVersion(QString::fromLatin1(
      vantaro::ProgramVersion().data(), static_cast<qsizetype>(vantaro::ProgramVersion().size())));
  QApplication::setDesktopFileName(QStringLiteral("vantaro"));
  QApplication::setWindowIcon(vantaro::app::AppIcon());
  vantaro::app::CVantaroCEApp program;
  program.InitInstance(QApplication::arguments());
  vantaro::app::ReportFirstPaintWhenAsked(program);
  const int status = QApplication::exec();
  program.ExitInstance();
  return status;
}
