#include "overlay/paused_peek.h"

#include <algorithm>

namespace coverstrip::overlay {

bool PausedPeek::AnyPlaying() const {
  return std::any_of(players_.begin(), players_.end(),
                     [](const Player& p) { return p.playback == Playback::kPlaying; });
}

void PausedPeek::Change(PlayerId player, Playback playback) {
  const auto known = std::find_if(players_.begin(), players_.end(),
                                  [player](const Player& p) { return p.id == player; });
  const bool wasPlaying = known != players_.end() && known->playback == Playback::kPlaying;
  if (playback == Playback::kStopped) {
    if (known != players_.end()) players_.erase(known);
  } else if (known != players_.end()) {
    known->playback = playback;
  } else {
    players_.push_back({player, playback});
  }

  if (playback == Playback::kPlaying) {
    pausedFor_.reset();
  } else if (playback == Playback::kPaused && wasPlaying && !AnyPlaying()) {
    pausedFor_ = player;
  } else if (playback == Playback::kStopped && pausedFor_ == player) {
    pausedFor_.reset();
  }
}

}  // namespace coverstrip::overlay
