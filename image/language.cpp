#include "image/language.h"

namespace vx {

namespace {
bool gChinese = false;
}

bool chinese() { return gChinese; }
void setChinese(bool on) { gChinese = on; }

}  // namespace vx
