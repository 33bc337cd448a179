#include "document/vantaro_doc.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "document/command_ids.h"
#include "document/open_messages.h"
#include "document/recovery_journal.h"
#include "game/tree_search.h"
#include "options/ui_strings.h"
#include "record/record_format.h"
#include "record/record_save.h"
#include "record/save_encoding.h"
#include "record/sgf_reader.h"
#include "text/code_page_table.h"
#include "text/text_conversion.h"

namespace vantaro {
namespace {

constexpr char16_t kInvalidBoardSize[] = u"Invalid board size.";
constexpr char16_t kCodePageNotLoaded[] = u"Code page %s is not one of the loaded code pages.";
constexpr char16_t kCodePagePrompt[] = u"Reopen with the code page number:";
constexpr char16_t kBoardSizeQuestion[] =
    u"If you change board size, all changes will be discarded. Do you really want to do that?";

std::u16string Format(const std::u16string& pattern, const std::u16string& value) {
  std::u16string text = pattern;
  const size_t at = text.find(u"%s");
  if (at != std::u16string::npos) text.replace(at, 2, value);
  return text;
}

std::u16string Decimal(int number) {
  return FromUtf8(std::to_string(number));
}

// A file that cannot be opened for appending, or that nobody may write, is
// opened read-only.
bool IsWriteProtected(const std::string& path) {
  struct stat status;
  if (stat(path.c_str(), &status) == 0 && (status.st_mode & 0222) == 0) return true;
  const int fd = open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
  if (fd < 0) return true;
  close(fd);
  return false;
}

}  // namespace

std::vector<EncodingChoice> EncodingChoices() {
  std::vector<EncodingChoice> choices;
  for (const auto& row : CharsetCodePageMap::Instance().rows()) {
    choices.push_back({row->codePage, row->description});
  }
  return choices;
}

int TypedNumber(std::u16string_view text) {
  long long value = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') break;
    value = std::min<long long>(value * 10 + (c - u'0'), 1000000000);
  }
  return static_cast<int>(value);
}

CVantaroCEDoc::CVantaroCEDoc(DocumentUi& ui, Options& options, MoveSounds* sounds)
    : ui_(ui), options_(options), sounds_(sounds) {}

CVantaroCEDoc::~CVantaroCEDoc() {
  // Observers forget the editor before it goes.
  for (UpdateSink* pane : panes_) pane->SetEditor(nullptr);
}

void CVantaroCEDoc::SetPanes(std::vector<UpdateSink*> panes) {
  panes_ = std::move(panes);
  AttachPanes(editor_.get());
}

void CVantaroCEDoc::AttachPanes(GoEditor* editor) {
  for (UpdateSink* pane : panes_) pane->SetEditor(editor);
}

std::unique_ptr<GoEditor> CVantaroCEDoc::MakeEditor() {
  return std::make_unique<GoEditor>(options_, sounds_);
}

std::u16string CVantaroCEDoc::Title() const {
  return path_.empty() ? u"Untitled" : FileTitle(path_);
}

void CVantaroCEDoc::SetModified(bool modified) {
  if (editor_) editor_->SetModified(modified);
}

void CVantaroCEDoc::StartNewGame(GoEditor& editor) {
  if (!editor.NewGame()) {
    ui_.ShowMessage(Format(u"Failed to load template file %s. Please check "
                           u"Options->Set Up->Edit->Template file.",
                           options_.templatePath),
                    DocumentUi::Icon::Exclamation);
  }
}

void CVantaroCEDoc::TakeEditor(std::unique_ptr<GoEditor> editor, const std::string& path) {
  editor_ = std::move(editor);
  path_ = path;
  // The record that was open is replaced: its copy has nothing left to save.
  DiscardRecoveryCopy();
}

bool CVantaroCEDoc::OnNewDocument() {
  if (editor_) editor_->SaveTryPlay();
  auto editor = MakeEditor();
  AttachPanes(editor.get());
  TakeEditor(std::move(editor), {});
  collection_.reset();
  gameIndex_ = 0;
  diskStamp_.reset();
  editor_->SetReadOnly(false);
  StartNewGame(*editor_);
  return true;
}

IoResult CVantaroCEDoc::OnOpenDocument(const std::string& path, std::size_t game) {
  IoResult opened = OpenGameOfFile(path, game);
  if (opened.ok) ui_.ListGamesOf(path, GameCount() > 1);
  return opened;
}

IoResult CVantaroCEDoc::OpenGameOfFile(const std::string& path, std::size_t game) {
  if (editor_) editor_->SaveTryPlay();
  const std::optional<FileStamp> stamp = StampOf(path);
  auto editor = MakeEditor();
  AttachPanes(editor.get());
  auto root = std::make_unique<GameTree>();
  ReadContext context = MakeReadContext(options_);
  GameChoice choice;
  choice.index = game;
  choice.keepCollection = true;
  DiagnosticList problems(GoEditor::kKeptReadProblems);
  IoResult loaded = LoadRecordFile(*root, path, context, &problems, &choice);
  if (loaded.ok) {
    editor->InstallRecord(std::move(root), context.codePage);
    editor->SetReadProblems(std::move(problems));
  }
  if (!loaded.ok || loaded.content == IoResult::Content::NoNode) {
    AttachPanes(editor_.get());
    editor.reset();
    if (!editor_) OnNewDocument();
    ui_.ShowMessage(OpenFailureMessage(path, loaded), DocumentUi::Icon::Exclamation);
    if (loaded.ok) loaded = IoResult::Failure("not a game record");
    return loaded;
  }
  // People make an empty file to start a record in; it has no games around.
  if (loaded.content == IoResult::Content::Blank) {
    StartNewGame(*editor);
    choice.collection.reset();
  }
  TakeEditor(std::move(editor), path);
  collection_ = std::move(choice.collection);
  gameIndex_ = game;
  diskStamp_ = stamp;
  editor_->SetReadOnly(options_.openReadOnly || IsWriteProtected(path));
  static_cast<UpdateSink&>(*editor_).OnStatusChanged();
  ui_.AddRecentFile(path);
  return loaded;
}

bool CVantaroCEDoc::SwitchToGame(std::size_t game) {
  if (!collection_ || game >= collection_->GameCount() || game == gameIndex_) return false;
  if (!AllowReplacingRecord()) return false;
  if (editor_) editor_->SaveTryPlay();
  auto root = std::make_unique<GameTree>();
  ReadContext context = MakeReadContext(options_);
  collection_->ReadGame(game, *root, context);
  auto editor = MakeEditor();
  AttachPanes(editor.get());
  editor->InstallRecord(std::move(root), context.codePage);
  TakeEditor(std::move(editor), path_);
  gameIndex_ = game;
  editor_->SetReadOnly(options_.openReadOnly || IsWriteProtected(path_));
  static_cast<UpdateSink&>(*editor_).OnStatusChanged();
  return true;
}

bool CVantaroCEDoc::OpenListedGame(const GamePlace& place) {
  if (editor_ && place.path == path_) {
    return place.game == gameIndex_ || SwitchToGame(place.game);
  }
  if (!AllowReplacingRecord()) return false;
  return OpenGameOfFile(place.path, place.game).ok;
}

std::optional<GamePlace> CVantaroCEDoc::NeighbourGame(int step) const {
  const GamePlace open{path_, gameIndex_};
  const DocumentUi::ListStep listed = ui_.StepInGameList(step);
  if (listed.listing) {
    if (listed.target == open) return std::nullopt;
    return listed.target;
  }
  const auto index = static_cast<std::ptrdiff_t>(gameIndex_) + step;
  if (!collection_ || step == 0 || index < 0 || static_cast<std::size_t>(index) >= GameCount()) {
    return std::nullopt;
  }
  return GamePlace{path_, static_cast<std::size_t>(index)};
}

bool CVantaroCEDoc::OpenNeighbourGame(int step) {
  const std::optional<GamePlace> place = NeighbourGame(step);
  return place && OpenListedGame(*place);
}

bool CVantaroCEDoc::AllowReplacingRecord() {
  if (!IsModified()) return true;
  switch (ui_.AskSaveChanges(Title())) {
    case DocumentUi::SaveAnswer::Save:
      return Save(false);
    case DocumentUi::SaveAnswer::Discard:
      DiscardRecoveryCopy();
      // Until the record is replaced or the program ends, the dropped edits
      // need no copy either.
      journaledRevision_ = editor_->revision();
      return true;
    case DocumentUi::SaveAnswer::Cancel:
      return false;
  }
  return false;
}

void CVantaroCEDoc::New() {
  if (AllowReplacingRecord()) OnNewDocument();
}

void CVantaroCEDoc::Open() {
  if (const auto path = ui_.PromptOpenFile(); path && !path->empty()) OpenFile(*path);
}

std::optional<IoResult> CVantaroCEDoc::OpenFile(const std::string& path) {
  if (!AllowReplacingRecord()) return std::nullopt;
  return OnOpenDocument(path);
}

bool CVantaroCEDoc::MayOverwrite() {
  const std::optional<FileStamp> now = StampOf(path_);
  if (!now || now == diskStamp_) return true;
  return ui_.AskYesNo(Title() + u" has changed on disk since it was opened. Overwrite it?");
}

bool CVantaroCEDoc::OpenText(std::string_view utf8) {
  auto root = std::make_unique<GameTree>();
  ReadContext context = MakeReadContext(options_);
  context.codePage = kUtf8CodePage;
  context.forceCodePage = true;
  ReadSgf(*root, utf8, context);
  if (root->NodeCount() == 0) {
    ui_.ShowMessage(kParseError, DocumentUi::Icon::Exclamation);
    return false;
  }
  if (!AllowReplacingRecord()) return false;
  if (editor_) editor_->SaveTryPlay();
  auto editor = MakeEditor();
  AttachPanes(editor.get());
  editor->InstallRecord(std::move(root), context.codePage);
  TakeEditor(std::move(editor), {});
  collection_.reset();
  gameIndex_ = 0;
  diskStamp_.reset();
  editor_->SetReadOnly(false);
  // Nothing holds the text but the window: closing asks before it goes.
  editor_->SetModified(true);
  static_cast<UpdateSink&>(*editor_).OnStatusChanged();
  return true;
}

void CVantaroCEDoc::PasteRecord() {
  if (const auto text = ui_.ClipboardText(); text && !text->empty()) OpenText(*text);
}

bool CVantaroCEDoc::Save(bool saveAs) {
  if (!editor_) return false;
  std::string path = path_.empty() ? "Untitled" : path_;
  if (saveAs || DetectFormat(path) != RecordFormat::Sgf) {
    const size_t slash = path.rfind('/');
    const size_t dot = path.rfind('.');
    const bool hasExtension =
        dot != std::string::npos && (slash == std::string::npos || dot > slash);
    const auto chosen = ui_.PromptSaveFile((hasExtension ? path.substr(0, dot) : path) + ".sgf");
    if (!chosen || chosen->empty()) return false;
    path = *chosen;
  }
  if (path == path_ && !MayOverwrite()) return false;
  GameTree& root = *editor_->recordRoot();
  const SavePlan plan = PlanSave(root, editor_->codePage());
  const IoResult saved = collection_
                             ? SaveCollectionGame(root, plan.output, path, *collection_, gameIndex_)
                             : SaveRecordFile(root, plan.output, path);
  if (!saved.ok) {
    ui_.ShowMessage(Format(UiString(kStrFailedToSaveFile), FromUtf8(path)),
                    DocumentUi::Icon::Exclamation);
    return false;
  }
  // The record in memory says what its file now says.
  ApplySavePlan(root, plan);
  editor_->SetCodePage(plan.output.codePage);
  editor_->SetModified(false);
  path_ = path;
  diskStamp_ = StampOf(path);
  DiscardRecoveryCopy();
  ui_.AddRecentFile(path);
  static_cast<UpdateSink&>(*editor_).OnStatusChanged();
  if (plan.toUtf8) {
    ui_.ShowMessage(Title() + u" is now saved in UTF-8 so that all of its text is kept.",
                    DocumentUi::Icon::Information);
  }
  return true;
}

bool CVantaroCEDoc::CanReload() const {
  return editor_ && editor_->mode() == EditorMode::Normal && !path_.empty();
}

void CVantaroCEDoc::Reload() {
  if (CanReload()) ReloadGame(std::nullopt);
}

bool CVantaroCEDoc::ReloadGame(std::optional<int> codePage) {
  const std::optional<FileStamp> stamp = StampOf(path_);
  auto tree = std::make_unique<GameTree>();
  ReadContext context = MakeReadContext(options_);
  if (codePage) {
    context.codePage = *codePage;
    context.forceCodePage = true;
  }
  GameChoice choice;
  choice.index = gameIndex_;
  choice.keepCollection = collection_ != nullptr;
  DiagnosticList problems(GoEditor::kKeptReadProblems);
  const IoResult read = LoadRecordFile(*tree, path_, context, &problems, &choice);
  if (!read.ok || read.content != IoResult::Content::Record) return false;
  diskStamp_ = stamp;
  if (choice.collection) collection_ = std::move(choice.collection);
  editor_->SetReadProblems(std::move(problems));
  const bool labelChanged = codePage && LabelRecordCodePage(*tree, *codePage);
  editor_->ReplaceWholeRecord(std::move(tree), nullptr, true, labelChanged, context.codePage);
  return true;
}

bool CVantaroCEDoc::ReopenWithEncoding(int codePage) {
  if (!CanReload()) return false;
  const Charset* charset = CharsetCodePageMap::Instance().FindCodePage(codePage);
  if (charset == nullptr) {
    ui_.ShowMessage(Format(kCodePageNotLoaded, Decimal(codePage)), DocumentUi::Icon::Stop);
    return false;
  }
  return ReloadGame(codePage);
}

void CVantaroCEDoc::CheckFileOnDisk() {
  if (!editor_ || path_.empty() || askingAboutDisk_) return;
  const std::optional<FileStamp> now = StampOf(path_);
  if (now == diskStamp_) return;
  if (!now) {
    diskStamp_.reset();
    if (!editor_->modified()) {
      editor_->SetModified(true);
      static_cast<UpdateSink&>(*editor_).OnStatusChanged();
    }
    return;
  }
  // Edits of the record stand against the file: Save asks before it overwrites.
  if (editor_->modified()) return;
  // This version is asked about once, whatever the answer.
  diskStamp_ = now;
  askingAboutDisk_ = true;
  const bool reload = ui_.AskYesNo(Title() + u" has changed on disk. Reload it?");
  askingAboutDisk_ = false;
  if (reload) Reload();
}

void CVantaroCEDoc::PromptReopenWithEncoding() {
  if (!CanReload()) return;
  if (const auto typed = ui_.PromptText(kCodePagePrompt, Decimal(editor_->codePage()))) {
    ReopenWithEncoding(TypedNumber(*typed));
  }
}

void CVantaroCEDoc::ChangeBoardSize(int width, int height) {
  if (!editor_ || (editor_->width() == width && editor_->height() == height)) return;
  if (!ui_.AskYesNo(kBoardSizeQuestion)) return;
  // The size is stored only once the record may go: the next New makes it.
  if (!AllowReplacingRecord()) return;
  options_.BoardSizeCX = width;
  options_.BoardSizeCY = height;
  OnNewDocument();
}

void CVantaroCEDoc::CustomSize() {
  const std::u16string initial =
      options_.BoardSizeCX == options_.BoardSizeCY
          ? Decimal(options_.BoardSizeCX)
          : Decimal(options_.BoardSizeCX) + u" * " + Decimal(options_.BoardSizeCY);
  const auto typed = ui_.PromptText(UiString(kStrInputBoardSize), initial);
  if (!typed) return;
  std::vector<int> numbers;
  size_t start = 0;
  const std::u16string separators = u" *xX,\t";
  while (start < typed->size()) {
    const size_t stop = std::min(typed->find_first_of(separators, start), typed->size());
    if (stop > start) numbers.push_back(TypedNumber(typed->substr(start, stop - start)));
    start = stop + 1;
  }
  const int width = numbers.empty() ? 0 : numbers[0];
  const int height = numbers.size() >= 2 ? numbers[1] : width;
  if (width == options_.BoardSizeCX && height == options_.BoardSizeCY) return;
  if (width < 2 || width > 52 || height < 2 || height > 52) {
    ui_.ShowMessage(kInvalidBoardSize, DocumentUi::Icon::Stop);
    return;
  }
  ChangeBoardSize(width, height);
}

void CVantaroCEDoc::EditNodeName() {
  if (!editor_ || !editor_->CanSetNodeName()) return;
  const auto typed = ui_.PromptText(UiString(kStrEnterNodeName), editor_->NodeName());
  if (typed) editor_->SetNodeName(*typed);
}

std::optional<int> CVantaroCEDoc::PromptNumber(int stringId, const std::u16string& initial) {
  const auto typed = ui_.PromptText(UiString(stringId), initial);
  if (!typed) return std::nullopt;
  return TypedNumber(*typed);
}

void CVantaroCEDoc::SetMoveNumber() {
  if (!editor_) return;
  if (editor_->cursorIndex() < 0) {
    ui_.ShowMessage(UiString(kStrSelectNodeFirst), DocumentUi::Icon::Stop);
    return;
  }
  if (const auto number =
          PromptNumber(kStrEnterMoveNumber, Decimal(editor_->SuggestedMoveNumber()))) {
    editor_->SetMoveNumber(*number);
  }
}

void CVantaroCEDoc::AutoSetMoveNumbers() {
  if (!editor_ || !editor_->EditAllowed()) return;
  const auto every = PromptNumber(kStrAutoSetMoveNumbers, Decimal(options_.autosetMNMoves));
  if (!every || *every <= 0) return;
  options_.autosetMNMoves = *every;
  editor_->AutoSetMoveNumbers(*every);
}

void CVantaroCEDoc::ToMoveNumber() {
  if (!editor_) return;
  const std::u16string prompt =
      u"Move number (0-" + Decimal(MostMoves(*editor_->recordRoot())) + u"):";
  const auto typed = ui_.PromptText(prompt, Decimal(editor_->moveNumber()));
  // Move 0 is the position before the first move; a text without a number goes nowhere.
  if (!typed || typed->empty() || (*typed)[0] < u'0' || (*typed)[0] > u'9') return;
  const int number = TypedNumber(*typed);
  if (number == 0) {
    editor_->First();
  } else {
    editor_->ToMoveNumber(number);
  }
}

void CVantaroCEDoc::EditGameInformation() {
  if (!editor_ || editor_->GameInfoNode() == nullptr) return;
  const auto edits = ui_.EditGameInformation(*editor_->GameInfoNode(), !editor_->EditAllowed());
  if (edits) editor_->SetGameInformation(*edits);
}

}  // namespace vantaro
