#include "record/importers.h"

#include <string>

#include "record/import_helpers.h"
#include "text/ascii.h"

namespace vantaro {
namespace {

constexpr std::string_view kHeaderOpen = "\\[";
constexpr std::string_view kHeaderClose = "\\]";

struct GibReader {
  GameTree& tree;
  Node& first;
  int codePage;
  bool lastWasBlack = true;

  void HeaderEntry(std::string_view header);
  void Player(std::string_view value, int nameIndex, int rankIndex);
  void Move(std::string_view line);
  void Pass();
};

void GibReader::HeaderEntry(std::string_view header) {
  const auto pieces = SplitTokens(header, "=");
  if (pieces.size() < 2) return;
  const std::string_view key = pieces[0];
  const std::string_view value = pieces[1];
  static constexpr std::pair<std::string_view, int> kTextKeys[] = {
      {"GAMENAME", kPropGN},      {"GAMEDATE", kPropDT},   {"GAMEPLACE", kPropPC},
      {"GAMETIME", kPropTM},      {"GAMERESULT", kPropRE}, {"GAMECOMMENT", kPropGC},
      {"GAMECONDITION", kPropAN},
  };
  for (const auto& [name, index] : kTextKeys) {
    if (key == name) {
      AddTextProperty(first, index, value, codePage);
      return;
    }
  }
  if (key == "GAMEWHITENAME") {
    Player(value, kPropPW, kPropWR);
  } else if (key == "GAMEBLACKNAME") {
    Player(value, kPropPB, kPropBR);
  } else if (key == "GAMETAG") {
    for (std::string_view piece : SplitTokens(value, ", ")) {
      if (piece.starts_with('G')) {
        AddRealProperty(first, kPropKM, LeadingInt(piece.substr(1)) / 10.0);
      }
    }
  }
}

void GibReader::Player(std::string_view value, int nameIndex, int rankIndex) {
  std::string_view name = value;
  std::string_view rank;
  if (value.find('(') != std::string_view::npos) {
    const auto pieces = SplitTokens(value, "()");
    name = pieces.empty() ? std::string_view() : pieces[0];
    rank = pieces.size() > 1 ? pieces[1] : std::string_view();
  }
  if (!name.empty()) AddTextProperty(first, nameIndex, name, codePage);
  if (!rank.empty()) AddTextProperty(first, rankIndex, rank, codePage);
}

void GibReader::Move(std::string_view line) {
  const std::vector<int> numbers = SplitInts(line, " ");
  if (numbers.size() < 6) return;
  int x = numbers[4];
  int y = numbers[5];
  if (x < 0 || x > 18 || y < 0 || y > 18) x = y = -1;
  lastWasBlack = numbers[3] == 1;
  AddMove(AppendNewNode(tree), !lastWasBlack, x, y);
}

void GibReader::Pass() {
  lastWasBlack = !lastWasBlack;
  AddMove(AppendNewNode(tree), !lastWasBlack, -1, -1);
}

// The text of the header values, one per line: all the text the reader
// decodes, which is what the charset is judged by.
std::string HeaderValues(std::string_view text) {
  std::string values;
  for (std::string_view line : SplitTokens(text, "\r\n")) {
    if (!line.starts_with(kHeaderOpen)) continue;
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    const std::string_view value = line.substr(equals + 1);
    values += value.substr(0, value.find(kHeaderClose));
    values += '\n';
  }
  return values;
}

}  // namespace

void ReadGib(GameTree& tree, std::string_view text, ReadContext& context) {
  const int codePage = ChooseFieldsCodePage({HeaderValues(text)}, context);
  Node& first = AppendNewNode(tree);
  first.Add(Property::WithSize(19, 19));
  GibReader reader{tree, first, codePage};
  const auto lines = SplitTokens(text, "\r\n");
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    if (line.starts_with(kHeaderOpen)) {
      std::string_view rest = line.substr(kHeaderOpen.size());
      size_t close = rest.find(kHeaderClose);
      if (close != std::string_view::npos) {
        reader.HeaderEntry(rest.substr(0, close));
        continue;
      }
      // The entry goes on over the following lines, joined by single spaces.
      std::string header(rest);
      while (++i < lines.size()) {
        close = lines[i].find(kHeaderClose);
        header += ' ';
        header += lines[i].substr(0, close);
        if (close != std::string_view::npos) break;
      }
      reader.HeaderEntry(header);
    } else if (line.starts_with("STO ")) {
      reader.Move(line);
    } else if (line.starts_with("SKI ")) {
      reader.Pass();
    } else if (line.starts_with("INI ")) {
      const std::vector<int> numbers = SplitInts(line, " ");
      if (numbers.size() >= 4) PlaceHandicap(first, HandicapVariant::Gib, numbers[3]);
    }
  }
}

}  // namespace vantaro
