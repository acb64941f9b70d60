// Stepping aside while a video is paused: the players' playback as the desktop reports it, the
// window hidden and shown as it is reported, together with the Ctrl+Alt peek and the colour
// dialog.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "form_fixture.h"

namespace coverstrip::testing {
namespace {

constexpr Playback kPlaying = Playback::kPlaying;
constexpr Playback kPaused = Playback::kPaused;
constexpr Playback kStopped = Playback::kStopped;

struct PausedPeeking : LoadedForm {
  PausedPeeking() : LoadedForm({}, {.peekWhilePaused = true}) {}
};

struct Case {
  const char* what;
  std::vector<std::pair<PlayerId, Playback>> reports;
  bool shown;
};

TEST(PausedPeek, EachPlayersPlaybackAsTheDesktopReportsIt) {
  const Case cases[] = {
      {"a player that was playing pauses", {{1, kPlaying}, {1, kPaused}}, false},
      {"a player first seen paused", {{1, kPaused}}, true},
      {"first seen paused, then played and paused",
       {{1, kPaused}, {1, kPlaying}, {1, kPaused}},
       false},
      {"it plays again", {{1, kPlaying}, {1, kPaused}, {1, kPlaying}}, true},
      {"it stops, or quits", {{1, kPlaying}, {1, kPaused}, {1, kStopped}}, true},
      {"a player that was playing stops", {{1, kPlaying}, {1, kStopped}}, true},
      {"another still plays", {{1, kPlaying}, {2, kPlaying}, {1, kPaused}}, true},
      {"then it pauses too", {{1, kPlaying}, {2, kPlaying}, {1, kPaused}, {2, kPaused}}, false},
      {"another plays", {{1, kPlaying}, {1, kPaused}, {2, kPlaying}}, true},
      {"another, paused, quits", {{2, kPaused}, {1, kPlaying}, {1, kPaused}, {2, kStopped}}, false},
      {"the playing one quits after the other paused",
       {{1, kPlaying}, {2, kPlaying}, {2, kPaused}, {1, kStopped}},
       true},
  };
  for (const Case& c : cases) {
    PausedPeeking p;
    for (const auto& [player, playback] : c.reports) p.sim.Player(player, playback);
    EXPECT_EQ(p.sim.shown, c.shown) << c.what;
    p.sim.Tick();
    EXPECT_EQ(p.sim.shown, c.shown) << c.what << ", a tick later";
  }
}

TEST(PausedPeek, WithoutTheOptionNoPlayerIsWatched) {
  LoadedForm p;
  EXPECT_FALSE(p.sim.watchingPlayers);
  p.sim.Player(1, kPlaying);
  p.sim.Player(1, kPaused);
  p.sim.Tick();
  EXPECT_TRUE(p.sim.shown);
  EXPECT_TRUE(PausedPeeking().sim.watchingPlayers);
}

TEST(PausedPeek, TheKeysPeekOnTopOfItAndTheColourDialogHoldsItOff) {
  PausedPeeking p;
  p.sim.Player(1, kPlaying);
  p.sim.Player(1, kPaused);
  ASSERT_FALSE(p.sim.shown);
  // Ctrl+Alt held and let go while paused: still aside.
  p.sim.keys = {.leftCtrl = true, .leftAlt = true};
  p.sim.Tick();
  p.sim.keys = {};
  p.sim.Tick();
  EXPECT_FALSE(p.sim.shown);
  // Playing again, while Ctrl+Alt is held: aside until they are let go.
  p.sim.keys = {.leftCtrl = true, .leftAlt = true};
  p.sim.Player(1, kPlaying);
  EXPECT_FALSE(p.sim.shown);
  p.sim.keys = {};
  p.sim.Tick();
  EXPECT_TRUE(p.sim.shown);
  EXPECT_TRUE(p.sim.topmost);
  EXPECT_FALSE(p.sim.activated);

  p.sim.whileOpen = [&p] {
    p.sim.Player(1, kPaused);
    p.sim.Tick();
    EXPECT_TRUE(p.sim.shown);
  };
  p.Press(3000, 300, PointerButton::kRight);
  p.MoveTo(3015, 300, mouse_button::kRight);
  EXPECT_TRUE(p.sim.shown);
  p.sim.Tick();
  EXPECT_FALSE(p.sim.shown);
}

}  // namespace
}  // namespace coverstrip::testing
