// The entry point each real backend provides: it creates the window tree from the design, hands
// its platform to the form the factory makes, runs Form_Load, shows the window and dispatches
// events until the process ends.
#pragma once

#include <functional>
#include <memory>

#include "platform/form_events.h"
#include "platform/platform.h"
#include "platform/window_design.h"

namespace coverstrip {

using FormFactory = std::function<std::unique_ptr<FormEvents>(Platform&)>;

int RunApplication(int argc, char** argv, const WindowDesign& design, const FormFactory& makeForm);

}  // namespace coverstrip
