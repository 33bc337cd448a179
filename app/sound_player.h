#pragma once

#include <QObject>

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "editor/sound.h"

class QSoundEffect;

namespace vantaro::app {

// Plays the move and capture sounds (WAV files) through Qt Multimedia,
// asynchronously. Where the machine has no audio output it stays silent:
// a missing sound is never an error the user sees.
class SoundPlayer : public SoundOutput {
 public:
  SoundPlayer();
  ~SoundPlayer() override;

  void PlayFile(const std::u16string& path) override;

 private:
  bool HasOutput();

  std::map<std::u16string, std::unique_ptr<QSoundEffect>> effects_;
  std::optional<bool> hasOutput_;  // asked at the first sound
};

}  // namespace vantaro::app
