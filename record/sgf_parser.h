#pragma once

#include <atomic>
#include <cstddef>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "game/game_tree.h"
#include "game/record_summary.h"
#include "record/file_input.h"
#include "record/read_diagnostics.h"
#include "record/variation_hand_over.h"
#include "text/double_byte.h"

// The SGF reader's machinery, shared by the reading of a game, the scan that
// finds the games of a file and the summaries that list them: they go
// through the very same steps, so that they agree on where every value,
// node and game tree ends, however damaged the text.
namespace vantaro {

// What the reader learns from the root sequence of a game before it builds
// anything.
struct RootFacts {
  std::optional<std::string> charset;  // the raw CA value
  const char* charsetAt = nullptr;     // its opening bracket
  Point boardSize = kDefaultBoardSize;
};

// What a list of games shows of one game, read without building it: the
// game-information properties of its first node (the first value of each,
// in table order), the board size and the moves of its main line.
struct GameSummary {
  Point boardSize = kDefaultBoardSize;
  std::size_t moves = 0;
  std::vector<GameInfoEntry> gameInfo;
};

// Whether the text after a '(' begins a game tree: a node (";", or an
// identifier and its value, as some servers write the root), or a nested tree.
bool StartsGameTree(const char* p, const char* end);
// The first '(' from `from` on that starts a game tree; null when there is none.
const char* FindGameTreeStart(const char* from, const char* end);
// Where the first game of a text opens: prose before a record may hold
// parentheses of its own, so the first '(' that starts a game tree, or else
// simply the first '('; null when there is no '(' at all.
const char* FindFirstGameStart(const char* from, const char* end);

class SgfParser {
 public:
  // Skim walks a game tree as Build reads it, but builds nothing.
  enum class Mode { Skim, Build };

  // text: the whole text (offsets in reports are from its start); reading
  // starts at `start`. leadBytes: those of the game's double-byte code page,
  // null for others.
  SgfParser(std::string_view text, std::size_t start, Mode mode, const LeadByteTable* leadBytes,
            int codePage, const FileInput* input = nullptr, DiagnosticSink* diagnostics = nullptr);

  // Skim: what the first sequence of the first game tree from start says
  // about the game.
  RootFacts ScanRoot();
  // Skim: walks the first game tree from start; returns the offset past its
  // closing ')', or the end of the text when it is not closed. With a
  // summary, fills it in the game's code page.
  std::size_t SkimGame(GameSummary* summary = nullptr);
  // Build: reads the first game tree from start into root and returns the
  // offset past it, as SkimGame. Text between start and the tree is
  // reported, and text after it when no other game tree follows.
  std::size_t ReadRecord(GameTree& root);
  // Build: reads the variation whose '(' is at start, as ReadRecord reads a
  // variation of the root, into tree; returns the offset past its ')'.
  std::size_t ReadRootVariation(GameTree& tree);
  // Build: the variations of the root from where the hand-over says on are
  // taken from it instead of read.
  void TakeRootVariationsFrom(VariationHandOver& handOver) { handOver_ = &handOver; }
  // What ScanRoot found, or the root sequence that SkimGame walked.
  const RootFacts& rootFacts() const { return root_; }

  // The board that points are checked against in reports.
  void SetBoardSize(Point size) { boardSize_ = size; }
  // The reading or the skim stops at the next node once the flag is set.
  void StopWhen(const std::atomic<bool>& flag) { stop_ = &flag; }

 private:
  enum class ValueEnd { Closed, InputEnded, Abandoned };

  // A value's bytes with its escapes removed: a view into the text unless
  // the value holds escapes, which only a copy can drop.
  struct ValueText {
    std::string_view inText;
    std::string unescaped;
    bool copied = false;
    std::string_view bytes() const { return copied ? std::string_view(unescaped) : inText; }
  };

  // Where a skim is on the main line (child 0 from the root): the open
  // trees up to mainDepth are all on it. The tree at each of those depths
  // has or has not a node or a kept child of its own yet, and has or has not
  // its child 0 yet (a child without either is dropped when it closes, and
  // the next one takes its place).
  struct MainLineLevel {
    bool kept = false;
    bool childChosen = false;
  };

  bool More() const { return p_ < end_; }
  char Get() { return *p_++; }
  void Unget() { --p_; }

  bool SkipPastOpeningParenthesis();
  // Reads the tree whose '(' is just behind, at depth rootDepth (1 for a
  // game tree, 2 for a variation of its root).
  std::size_t ReadTree(GameTree& root, int rootDepth);
  void Adopt(GameTree& parent, std::unique_ptr<GameTree> tree, const char* openedAt);
  void ReportTextAround(const char* treeStart);
  void ReportTextAfter();
  void ReportRun(const char* at, std::string_view message);
  void ReadSequence(GameTree& tree);
  void SkimSequence(bool mainLine);
  // Reads the properties of one node into properties_ (or only counts them
  // when skimming); whether there was any.
  bool ReadNode();
  bool ReadProperty();
  void TakeIdentifierBeforeValue();
  ValueEnd ReadValue(ValueText& value);
  ValueEnd ReadValueDoubleByte(std::string& value);
  const char* EndOfPlainCharacters() const;
  // Whether the ']' before p ends the value being read.
  bool StructureFollowsAt(const char* p) const;
  bool IsLeadByte(char c) const { return (*leadBytes_)[static_cast<unsigned char>(c)]; }
  bool BuildProperty();
  bool SkimProperty(int index);
  void Summarize(int index, bool valid);
  void BuildPointList(int index);
  void BuildLabels(int index);
  // Value i from byte `from` on, decoded in the record's code page.
  std::u16string_view Decode(size_t i, size_t from = 0);

  void ReportValue(size_t i, std::string_view problem) const;
  void ReportPlacement(int index);
  void ReportOffBoard(int index, Point point, size_t i) const;
  size_t FileOffsetInValue(size_t i, size_t byte) const;

  const char* p_;
  const char* begin_;
  const char* start_;
  const char* end_;
  Mode mode_;
  const LeadByteTable* leadBytes_;
  int codePage_;
  const FileInput* input_;
  const char* released_;  // the input before this has been given back
  const std::atomic<bool>* stop_ = nullptr;
  VariationHandOver* handOver_ = nullptr;
  bool rootNodeSeen_ = false;
  RootFacts root_;
  bool inRootSequence_ = false;  // root facts are taken only there
  ReadReport report_;
  Point boardSize_ = kDefaultBoardSize;
  const char* lastStray_ = nullptr;  // the last byte reported or passed as stray
  bool nestingReported_ = false;
  std::set<std::string> reportedUnknown_;  // each is reported at its first use

  // Skimming.
  size_t skimmedProperties_ = 0;  // of the node being skimmed
  GameSummary* summary_ = nullptr;
  bool onMainLine_ = false;  // the sequence being skimmed is on the main line
  bool kept_ = false;        // it had a node
  bool inFirstNode_ = false;
  bool sizeSeen_ = false;

  // Scratch reused from property to property.
  std::string_view identifier_;    // into the text or into spelledIdentifier_
  std::string spelledIdentifier_;  // one spelled with gaps, such as AddBlack
  const char* identifierAt_ = nullptr;
  std::vector<ValueText> values_;
  std::vector<const char*> valuesAt_;  // the opening bracket of each value
  size_t valueCount_ = 0;
  std::u16string decoded_;
  std::vector<Property> properties_;             // of the node being read
  std::vector<std::unique_ptr<Node>> sequence_;  // of the tree being read
};

}  // namespace vantaro
