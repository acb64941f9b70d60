// The window tree of Form1 as designed: what the toolkit creates before start-up.
#pragma once

#include "platform/contract/window_design.h"

namespace coverstrip {

WindowDesign Form1Design();

}  // namespace coverstrip
