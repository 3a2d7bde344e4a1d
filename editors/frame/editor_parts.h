#pragma once
// The parts most editors are built from, declared rather than written out:
// a descriptor from an editor's settings (its busy refusals follow from its
// buttons), the read of a run of blocks into rows and the write of a run of
// rows with the usual retries and progress counts, and a drop-down list
// stored into a list-value byte.

#include "editors/frame/editor_buttons.h"
#include "editors/frame/region_editor.h"
#include "image/image.h"
#include "image/language.h"
#include "image/record.h"
#include "image/setting.h"
#include "link/transfer_plan.h"
#include "link/transfer_texts.h"

#include <QStringList>

#include <chrono>
#include <optional>
#include <utility>
#include <vector>
#include <vector>

class QComboBox;

class QLabel;

namespace vx::frame {

struct EditorSettings {
    const char* name;
    Text caption;
    int designWidth;   // twips
    int designHeight;  // twips
    std::vector<ButtonSpec> buttons;
    EndReport readDone;
    EndReport writeDone;
    FailureReport failure{.message = Notice{transfer_text::title, transfer_text::failed},
                          .label = transfer_text::failedLabel};
    Notice portError{transfer_text::titleCapital, transfer_text::portOpenError};
    // Title of the busy refusals; the Close button's text, and the window
    // frame's (none: closing by the frame abandons the transfer).
    Text refusalTitle = transfer_text::title;
    Text closeRefusal = transfer_text::busyClose;
    std::optional<Text> closeBoxRefusal{};
    std::vector<region::Rows> rows{};
    bool refreshOnActivate = true;
    bool refreshOnFocus = false;
    bool defaultResetsProgress = false;
    int buttonRise = 1500;
    int progressRise = 800;
    bool hideLabelWhenIdle = false;
};

// While a transfer runs every button but Help is refused: Clear with its
// own text, Close with the settings' text, the others as busy.
EditorDescriptor describe(const EditorSettings& settings);

// An editor's own transfers: three retries three seconds apart unless the
// window says otherwise.
struct Retry {
    int count = 3;
    std::chrono::milliseconds pause{3000};
};

// Blocks from `base` into slots 2..lastSlot+1; the first `stored` of them go,
// four rows a block, into `sink` from `firstRow` on, once all have arrived.
// The label counts the slot the next reply takes, of lastSlot + 1.
TransferPlan readBlocks(uint16_t base, int lastSlot, int stored, int firstRow, RowSink sink, Retry retry = {});
// The same into the rows of `window`'s document, as one edit ("Read from
// radio") that the window shows itself.
TransferPlan readBlocks(uint16_t base, int lastSlot, int stored, int firstRow, const TransferWindow& window, Retry retry = {});
// Rows `rows` of `image` to their own addresses, one packet a row; the label
// counts the row sent, of rows.count().
TransferPlan writeRows(region::Rows rows, const Image& image, Retry retry = {});

// A drop-down list of `entries` whose typing is discarded and whose choice
// is stored at once, as one edit `edit` makes, into the list-value byte `f`
// of `rows`.
using EditRows = std::function<void(const RadioDocument::Change&)>;
QComboBox* storedList(QWidget* parent, const QString& name, const QStringList& entries, region::Rows rows, field::List8 f,
                      EditRows edit);

// Each label becomes its setting's control's label (its buddy), so that
// the control carries the label as its accessible name and screen readers
// say which setting it is. A row whose control is not found is passed.
void nameControls(QWidget* window, const std::vector<std::pair<QLabel*, const Setting*>>& labels);

}  // namespace vx::frame
