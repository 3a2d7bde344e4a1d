#include "editors/frame/editor_buttons.h"

#include <cassert>

namespace vx::frame {

namespace {

struct Shared {
    Command command;
    const char* name;
    Text wide;
    Text narrow;
};

constexpr Shared kShared[] = {
    {Command::Read, "Command_read", {"读 取", "Read"}, {"读 取", "Read"}},
    {Command::Write, "Command_write", {"写  入", "Write"}, {"写 入", "Write"}},
    {Command::Clear, "Command_clear", {"清 除", "Clear"}, {"清 除", "Clear"}},
    {Command::Default, "Command_def", {"默 认", "Default"}, {"默 认", "Default"}},
    {Command::Save, "Command_save", {"保  存", "Save"}, {"保 存", "Save"}},
    {Command::Open, "Command_open", {"打  开", "Open"}, {"打 开", "Open"}},
    {Command::Close, "Command_close", {"关  闭", "Close"}, {"关 闭", "Close"}},
};

}  // namespace

ButtonSpec button(Command command, Spacing spacing)
{
    assert(!(command == Command::Default && spacing == Spacing::Narrow));
    for (const Shared& s : kShared)
        if (s.command == command)
            return {command, s.name, spacing == Spacing::Wide ? s.wide : s.narrow};
    assert(false);
    return {command, "", {"", ""}};
}

std::vector<ButtonSpec> sixButtons()
{
    std::vector<ButtonSpec> out;
    for (const Command c : {Command::Read, Command::Write, Command::Default, Command::Save, Command::Open, Command::Close})
        out.push_back(button(c, Spacing::Wide));
    return out;
}

}  // namespace vx::frame
