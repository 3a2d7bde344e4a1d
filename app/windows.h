#pragma once
// Registers every child window of the application with the shell, by code
// name.

namespace vx {

class RadioDocument;

// Every window works on `doc`, which outlives them.
void registerWindows(RadioDocument& doc);

}  // namespace vx
