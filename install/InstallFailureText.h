#pragma once

#include "install/InstallPlan.h"

// The message that follows a run of the installation that failed, in the build's language: it
// names the step that failed (FirstFailedStep). NULL for InstallStep::None.
const char* InstallFailureText(InstallStep failedStep);
