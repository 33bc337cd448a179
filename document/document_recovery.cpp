// The document's part in the recovery journal: when a copy is due, what it
// holds, and what becomes of the copies a program left behind.
#include <algorithm>
#include <chrono>

#include "document/open_messages.h"
#include "document/recovery_journal.h"
#include "document/vantaro_doc.h"
#include "record/record_format.h"
#include "record/save_encoding.h"
#include "text/text_conversion.h"

namespace vantaro {
namespace {

std::int64_t SecondsSince1970() {
  return std::chrono::duration_cast<std::chrono::seconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

}  // namespace

void CVantaroCEDoc::KeepRecoveryCopy() {
  if (journal_ == nullptr || !editor_) return;
  if (!editor_->modified()) {
    DiscardRecoveryCopy();
    return;
  }
  if (journaledRevision_ == editor_->revision()) return;
  // The copy holds what Save would write, so that saving the restored record
  // gives the same file as saving this one.
  GameTree& root = *editor_->recordRoot();
  SgfOutput output = PlanSave(root, editor_->codePage()).output;
  // Save puts CA first by changing places with the first property; read
  // back, the properties would then sort in another order.
  output.charsetFirst = false;
  std::string sgf;
  WriteSgf(root, output, sgf);
  journal_->Keep({path_, static_cast<int>(gameIndex_) + 1, output.codePage, SecondsSince1970()},
                 std::move(sgf), RecoveryJournal::Clock::now());
  journaledRevision_ = editor_->revision();
}

void CVantaroCEDoc::DiscardRecoveryCopy() {
  if (journal_ != nullptr) journal_->Discard();
  journaledRevision_.reset();
}

void CVantaroCEDoc::OfferRecoveredRecords() {
  if (journal_ == nullptr) return;
  for (std::unique_ptr<RecoveryCopy>& copy : TakeAbandonedCopies(journal_->folder())) {
    const std::optional<RecoveredRecord> recovered = copy->Read();
    // A damaged copy is left for whoever can read it.
    if (!recovered) continue;
    const std::u16string name =
        recovered->info.path.empty() ? u"Untitled" : FileTitle(recovered->info.path);
    const std::u16string question = u"Restore the unsaved changes to " + name + u" from " +
                                    FromUtf8(LocalTimeText(recovered->info.time)) + u"?";
    switch (ui_.AskYesNoCancel(question)) {
      case DocumentUi::Answer::Yes:
        if (Restore(*recovered)) {
          journal_->Adopt(std::move(copy));
          return;
        }
        break;
      case DocumentUi::Answer::No:
        copy->Remove();
        break;
      case DocumentUi::Answer::Cancel:
        break;
    }
  }
}

bool CVantaroCEDoc::Restore(const RecoveredRecord& recovered) {
  if (editor_) editor_->SaveTryPlay();
  auto tree = std::make_unique<GameTree>();
  ReadContext context = MakeReadContext(options_);
  context.codePage = recovered.info.codePage;
  context.forceCodePage = true;
  if (!ReadRecordBuffer(*tree, RecordFormat::Sgf, recovered.sgf, context).ok) return false;
  // The other games of the file and the bytes around them, as the file
  // holds them now, so that Save writes the game back in its place.
  const std::size_t game = static_cast<std::size_t>(std::max(recovered.info.game, 1) - 1);
  const std::optional<FileStamp> stamp = StampOf(recovered.info.path);
  GameChoice choice;
  choice.index = game;
  choice.keepCollection = true;
  GameTree around;
  ReadContext aroundContext = MakeReadContext(options_);
  const RecordFormat format = DetectFormat(recovered.info.path);
  const bool placed =
      stamp && (format == RecordFormat::Sgf || format == RecordFormat::Unknown) &&
      LoadRecordFile(around, recovered.info.path, aroundContext, nullptr, &choice).ok;
  auto editor = MakeEditor();
  AttachPanes(editor.get());
  editor->InstallRecord(std::move(tree), recovered.info.codePage);
  TakeEditor(std::move(editor), recovered.info.path);
  collection_ = placed ? std::move(choice.collection) : nullptr;
  gameIndex_ = placed ? game : 0;
  // A file that no longer holds the game is not overwritten without a question.
  diskStamp_ = placed || !stamp ? stamp : std::nullopt;
  editor_->SetModified(true);
  static_cast<UpdateSink&>(*editor_).OnStatusChanged();
  journaledRevision_ = editor_->revision();
  return true;
}

}  // namespace vantaro
