// The test application is a function-local static, so it is destroyed after
// every Qt global made while it lives. Qt's registry of input devices is one:
// made at the first mouse or enter event, it would be gone when the application
// deletes the pointing device it owns, and the executable would crash on exit.
// Making the registry before main keeps it alive until after the application.
#include <QInputDevice>

namespace {

[[maybe_unused]] const bool kRegistryBeforeApplication = (QInputDevice::devices(), true);

}  // namespace
