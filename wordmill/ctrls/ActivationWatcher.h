#pragma once

namespace wordmill {

// Reports the application's activations to TApplicationEvents: every change
// of the application state to active, and the first show of a top-level
// window when the platform reports no activation of its own. Installs itself
// once on the running application; later calls do nothing.
void InstallApplicationActivationWatcher();

} // namespace wordmill
