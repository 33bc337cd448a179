#include "figures/figure_text.h"

#include "game/point_name.h"
#include "text/text_conversion.h"

namespace vantaro {
namespace {

// CR LF, CR and LF each as the two characters \n.
std::string OneLine(std::u16string_view text) {
  std::string line;
  const std::string utf8 = ToDisplayUtf8(text);
  for (size_t i = 0; i < utf8.size(); ++i) {
    if (utf8[i] == '\r' || utf8[i] == '\n') {
      if (utf8[i] == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n') ++i;
      line += "\\n";
    } else {
      line += utf8[i];
    }
  }
  return line;
}

}  // namespace

std::string NoteText(const FigureNote& note, int boardHeight, bool withI) {
  const std::string move = std::to_string(note.move);
  switch (note.kind) {
    case FigureNote::Kind::AtNumberedStone:
      return move + " at " + std::to_string(note.stone);
    case FigureNote::Kind::AtEarlierStone:
      return move + " at " + PointName(note.point, boardHeight, withI);
    case FigureNote::Kind::Pass:
      break;
  }
  return move + " pass";
}

std::string FiguresAsText(const std::vector<Figure>& figures, int boardHeight, bool withI) {
  std::string text;
  for (size_t k = 0; k < figures.size(); ++k) {
    const Figure& figure = figures[k];
    text += "figure " + std::to_string(k + 1) + ": ";
    text += figure.HasMoves() ? "moves " + std::to_string(figure.firstMove) + "-" +
                                    std::to_string(figure.lastMove)
                              : std::string("no moves");
    text += '\n';
    for (const FigureNote& note : figure.notes) text += NoteText(note, boardHeight, withI) + "\n";
    for (const FigureComment& comment : figure.comments) {
      text += "comment " + std::to_string(comment.move) + ": " + OneLine(comment.text) + "\n";
    }
    text += '\n';
  }
  return text;
}

}  // namespace vantaro
