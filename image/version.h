#pragma once
// The program's version: one number for the window program, the command line
// and the package. It comes from project(... VERSION ...) in the top-level
// CMakeLists.txt, handed to every target as VXPROG_VERSION.

namespace vx {

inline constexpr const char* kProgramVersion = VXPROG_VERSION;

}  // namespace vx
