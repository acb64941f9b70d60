// The window manager's reports under Wine, replayed in the orders seen there: a left stretch of a
// form that reaches past the right edge of a 1024 px screen, in steps of 25 px.
#include "platform/win32/late_reports.h"

#include <gtest/gtest.h>

namespace coverstrip::win32 {
namespace {

struct Report {
  const char* what;
  PixelRect target;
  std::uint64_t at;  // ms after the latest request
  bool dragging;
  bool refused;
};

TEST(LateReports, OnlyTheLatestRequestOrAChangeLongAfterItStandsWhileNoDragRuns) {
  const std::uint64_t latestAt = 5000;
  for (const Report& r : {
           Report{"the latest request", {581, 602, 687, 40}, 3, true, false},
           Report{"an older request", {606, 602, 662, 40}, 3, true, true},
           Report{"an older place with the latest size", {606, 602, 687, 40}, 3, true, true},
           // The first answer to a resize keeps the form on the screen: 337 + 687 = 1024.
           Report{"kept on the screen", {337, 602, 687, 40}, 3, true, true},
           Report{"kept on the screen, late in a slow drag", {337, 602, 687, 40}, 4000, true, true},
           Report{"after the release, soon", {337, 602, 687, 40}, 300, false, true},
           Report{"after the release, long after", {0, 602, 687, 40}, 1000, false, false},
       }) {
    SCOPED_TRACE(r.what);
    LateReports reports;
    EXPECT_FALSE(reports.Refuses(r.target, 0, false));  // before any request
    reports.Requested({606, 602, 662, 40}, latestAt - 40);
    reports.Requested({581, 602, 687, 40}, latestAt);
    EXPECT_EQ(reports.Refuses(r.target, latestAt + r.at, r.dragging), r.refused);
  }
}

}  // namespace
}  // namespace coverstrip::win32
