#pragma once
// The FM presets editor: the 16 presets of the radio's broadcast receiver in
// a grid, edited cell by cell in one text box over the cell, plus the
// window's own read and write of the preset rows.
//
// Leaving a cell checks it, encodes the preset into the image at once and
// shows the preset again as the image holds it.

#include "editors/fm/fm_codec.h"
#include "editors/frame/region_editor.h"

namespace vx {

class CellEditing;
class TextGrid;
namespace frame {
class RowCommands;
}

class frm_FM : public RegionEditor {
    Q_OBJECT
public:
    explicit frm_FM(RadioDocument& doc, QWidget* parent = nullptr);
    ~frm_FM() override;

    // Design size of the window in twips.
    static constexpr int kDesignW = 9600;
    static constexpr int kDesignH = 8400;

    enum Column { ColNumber, ColFrequency, ColName, kColumns };

    // Radio transfers: 4 blocks read from 0x3000 (slots 2..5), the 16 preset
    // rows written from it.
    static constexpr int kBase = 0x3000;
    static constexpr int kReadBlocks = 4;

    // The text of a grid cell: preset 1..16, column 0..2.
    QString cellText(int preset, int column) const;
    // The grid's row commands (select, insert, delete, clear, move, sort).
    frame::RowCommands& rowCommands() const { return *rows_; }

private:
    static EditorDescriptor makeDescriptor();
    void caption() override;
    void layOutContent(const QRect& area) override;
    std::optional<TransferPlan> plan(Direction direction) override;
    void display() override;
    void loadDefaults(Image& image) override;
    void clearAll(Image& image) override;

    void setCell(int preset, int column, const QString& text);
    void showPreset(int preset);
    void leaveFrequency(int preset, const QString& typed);
    void leaveName(int preset, const QString& typed);

    TextGrid* grid_ = nullptr;
    CellEditing* cells_ = nullptr;
    frame::RowCommands* rows_ = nullptr;
};

}  // namespace vx
