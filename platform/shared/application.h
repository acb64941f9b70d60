// The entry point each real backend provides: it creates its windows, builds the shared Toolkit
// over them, makes the form with the factory, starts it with Toolkit::StartUp and dispatches
// events until the process ends.
#pragma once

#include <memory>

#include "platform/contract/form_events.h"
#include "platform/contract/platform.h"
#include "platform/contract/window_design.h"

namespace coverstrip {

// Makes the form over the platform. An interface rather than a std::function: the Windows
// program links no library code it does not use.
class FormFactory {
 public:
  virtual std::unique_ptr<FormEvents> Make(Platform& platform) const = 0;

 protected:
  ~FormFactory() = default;
};

int RunApplication(int argc, char** argv, const WindowDesign& design, const FormFactory& forms);

}  // namespace coverstrip
