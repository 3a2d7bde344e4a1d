#pragma once
// What a transferring window is made of, as data: its name and caption, its
// design size, its buttons, the texts of its transfers and which commands it
// refuses while one runs. The window code then holds only what is its own.

#include "image/language.h"

#include <optional>
#include <utility>
#include <vector>

namespace vx {

// What a button does. Close is also the dialogs' Cancel; Help does nothing.
enum class Command { Read, Write, Clear, Default, Save, Open, Close, Help };

struct ButtonSpec {
    Command command;
    const char* name;  // objectName
    Text caption;
};

// A modal warning box: title and text.
struct Notice {
    Text title;
    Text text;
};

// The end of a successful read or write: the message box and the label, in
// the order the window's texts give.
struct EndReport {
    Notice message;
    Text label;
    bool labelFirst = false;  // label (and bar) before the message
    std::optional<int> bar{};  // the bar's value at the end; unchanged when absent
};

// The end of a failed transfer (retries used up, or the device gone).
struct FailureReport {
    std::optional<Notice> message{};  // none: no message box
    std::optional<Text> label{};      // the progress label afterwards
    int statusPanel = 0;            // main window status panel to set (0: none)
    Text panelText{"", ""};
    bool hideBar = false;  // the bar is hidden (before the message)
    bool keepBar = false;  // the bar keeps its value (otherwise it goes back to 0)
};

struct TransferTexts {
    Text connecting;
    Notice portError;
    EndReport readDone;
    EndReport writeDone;
    FailureReport failure;
};

// How the progress bar and its label sit: side by side (label left) or the
// label over the bar.
enum class ProgressLayout { SideBySide, Stacked };

struct WindowDescriptor {
    const char* name;
    Text caption;
    int designWidth;   // twips
    int designHeight;  // twips
    int buttonRise = 1500;    // button row top above the whole window's bottom, twips
    int progressRise = 800;   // progress bar top above the button row top, twips
    ProgressLayout progressLayout = ProgressLayout::SideBySide;
    bool hideLabelWhenIdle = false;  // the label is hidden until a transfer starts
    // The window reports the end of a successful transfer itself (in
    // afterRead and afterWrite): no end message or label of the base.
    bool ownEndReports = false;

    std::vector<ButtonSpec> buttons{};
    TransferTexts texts{};
    // Commands refused while a transfer runs, with their message.
    std::vector<std::pair<Command, Notice>> busyRefusals{};
    // Closing by the window frame while a transfer runs: refused with this
    // message, or (none) allowed, abandoning the transfer.
    std::optional<Notice> closeBoxRefusal{};

    std::optional<Notice> refusal(Command c) const
    {
        for (const auto& [command, notice] : busyRefusals)
            if (command == c)
                return notice;
        return std::nullopt;
    }
};

}  // namespace vx
