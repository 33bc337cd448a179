#include "app/sound_player.h"

#include <QAudioDevice>
#include <QFileInfo>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

namespace vantaro::app {

SoundPlayer::SoundPlayer() = default;
SoundPlayer::~SoundPlayer() = default;

bool SoundPlayer::HasOutput() {
  // Asked once, at the first sound, so that a start-up never waits for the
  // audio system.
  if (!hasOutput_) hasOutput_ = !QMediaDevices::audioOutputs().isEmpty();
  return *hasOutput_;
}

void SoundPlayer::PlayFile(const std::u16string& path) {
  if (!HasOutput()) return;
  auto found = effects_.find(path);
  if (found == effects_.end()) {
    const QString file = QString::fromStdU16String(path);
    if (!QFileInfo(file).isFile()) return;
    auto effect = std::make_unique<QSoundEffect>();
    effect->setSource(QUrl::fromLocalFile(file));
    found = effects_.emplace(path, std::move(effect)).first;
  }
  found->second->play();
}

}  // namespace vantaro::app
