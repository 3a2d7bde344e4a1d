#pragma once
// Registers every child window of the application with the shell, by code
// name.

namespace vx {

void registerWindows();

}  // namespace vx
