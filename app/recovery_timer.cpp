#include "app/recovery_timer.h"

#include "document/recovery_journal.h"
#include "document/vantaro_doc.h"

namespace vantaro::app {

RecoveryTimer::RecoveryTimer(CVantaroCEDoc& document, const RecoveryJournal& journal,
                             QObject* parent)
    : QObject(parent), document_(document), journal_(journal) {
  timer_.setSingleShot(true);
  connect(&timer_, &QTimer::timeout, this, [this] { document_.KeepRecoveryCopy(); });
}

void RecoveryTimer::Schedule() {
  if (timer_.isActive()) return;
  const auto delay = journal_.DelayBeforeNextCopy(RecoveryJournal::Clock::now());
  timer_.start(static_cast<int>(delay.count()));
}

}  // namespace vantaro::app
