#include "cli/qt_messages.h"

#include <QString>
#include <QtGlobal>

#include "cli/command_line.h"

namespace vantaro::cli {
namespace {

void ErrorsOnly(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) PrintError(message.toStdString());
}

}  // namespace

void ShowQtErrorsOnly() {
  qInstallMessageHandler(ErrorsOnly);
}

}  // namespace vantaro::cli
