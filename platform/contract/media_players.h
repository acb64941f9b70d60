// The desktop's media players as the logic hears of them: each player's playback, reported at
// first sight and at each change once the logic has asked to watch, and never before.
#pragma once

#include <cstdint>

namespace coverstrip {

// A player that quits or leaves the desktop's list of players is reported as stopped.
enum class Playback : std::uint8_t { kStopped, kPaused, kPlaying };

// One player for as long as it is on the desktop's list; never reused for another.
using PlayerId = std::uint64_t;

class MediaPlayers {
 public:
  virtual ~MediaPlayers() = default;
  // Starts watching, once the window shows: from then on each player's playback arrives as
  // Form1's MediaPlayer_Change. Where the platform has no list of players (no session bus, a
  // Windows older than 10 1809, Wine), nothing ever arrives.
  virtual void Watch() = 0;
};

}  // namespace coverstrip
