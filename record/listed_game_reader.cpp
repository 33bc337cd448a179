#include "record/listed_game_reader.h"

#include "record/record_format.h"

namespace vantaro {

IoResult ListedGameReader::Read(const std::string& path, std::size_t game,
                                const ReadContext& context, GameTree& root) {
  ReadContext reading = context;
  if (collection_ && path == path_ && game < collection_->GameCount()) {
    collection_->ReadGame(game, root, reading);
    return IoResult::Success();
  }
  GameChoice choice;
  choice.index = game;
  choice.keepCollection = true;
  const IoResult read = LoadRecordFile(root, path, reading, nullptr, &choice);
  // A file of one game keeps only the bytes around it: it is read whole each time.
  const bool several = choice.collection && choice.collection->GameCount() > 1;
  path_ = several ? path : std::string();
  collection_ = several ? std::move(choice.collection) : nullptr;
  return read;
}

void ListedGameReader::Forget() {
  path_.clear();
  collection_.reset();
}

}  // namespace vantaro
