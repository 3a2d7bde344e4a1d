#pragma once
// The channel editor: the 200 channel memories in a grid, edited cell by cell
// in a text box or a list over the cell, plus the window's own read and
// write of the channel region.
//
// Every accepted edit goes through the channel codec into the application's
// image and the channel's row is decoded again, so the grid shows what the
// image holds.

#include "editors/channels/channel_codec.h"
#include "editors/frame/region_editor.h"

class QLineEdit;
class QMenu;

namespace vx {

namespace frame {
class RowCommands;
}

class CellEditing;
class TextGrid;
struct CellEditor;
struct GridCell;

class frm_chann : public RegionEditor {
    Q_OBJECT
public:
    explicit frm_chann(RadioDocument& doc, QWidget* parent = nullptr);
    ~frm_chann() override;

    // Design size of the window in twips.
    static constexpr int kDesignW = 14000;
    static constexpr int kDesignH = 9500;

    // The text of a grid cell: row = channel number, column 0..15.
    QString cellText(int channel, int column) const;

    // The read of the channel region: 51 pairs of blocks, channel area then
    // name area; the 51st pair is read but not stored.
    static constexpr int kReadPairs = 51;
    static constexpr int kReadRequests = 2 * kReadPairs;
    static constexpr int kStoredPairs = 50;
    // The write: record row n then name row 256 + n, n = 0..200.
    static constexpr int kWritePairs = 201;
    static constexpr int kWritePackets = 2 * kWritePairs;
    static constexpr int kRetries = 3;
    static constexpr int kRetryPauseMs = 3000;

    // Radio address of read request j and the image row of write packet k.
    static int readAddress(int request);
    static int writeRow(int packet);

    // The row commands, added to the designed window: a click on a channel
    // number selects that channel, Shift+click a run, Ctrl+click one more or
    // one less, Ctrl+A all; the grid's context menu and Alt+Up/Down act on
    // them. Each command is one edit (one undo step).
    enum class RowCommand { Insert, Remove, Clear, MoveUp, MoveDown, SortRx, SortName };
    void runRowCommand(RowCommand command);
    // Channels dragged by their numbers and dropped on channel `onto`.
    void dropChannels(std::vector<int> channels, int onto);
    // The channels the commands act on, ascending: those selected, else the
    // current one.
    std::vector<int> selectedChannels() const;
    void selectChannels(std::vector<int> channels);
    QMenu* rowMenu() const;
    // Find (Ctrl+F opens its field over the grid, Enter finds, Escape
    // closes it; F3 finds the next): the next channel after the current one
    // by name, frequency or tone becomes current and selected; none is said.
    void find(const QString& text);
    void findNext() { find(lastFind_); }
    QLineEdit* findField() const { return findField_; }

private:
    // The frame's parts.
    static EditorDescriptor makeDescriptor();
    void caption() override;
    void layOutContent(const QRect& area) override;
    std::optional<TransferPlan> plan(Direction direction) override;
    void afterRead() override;
    void display() override;
    void loadDefaults(Image& image) override;
    void clearAll(Image& image) override;
    void closing() override;

    // Cells.
    QString cell(int n, int column) const;
    void setCell(int n, int column, const QString& text);
    void showChannel(int n);
    // One edit of channel n's record and name rows, named by the channel and
    // the column's heading; an emptied channel's rows become FF.
    void editChannel(int n, int column, const RadioDocument::Change& change);

    // Entering and leaving cells.
    CellEditor enterCell(GridCell c);
    void leaveCell(GridCell c, const QString& text);
    void leaveBand(int n, const QString& text);
    void leaveRx(int n, const QString& text);
    void leaveTx(int n, const QString& text);
    void replaceTxWithLowerLimit(int n);
    void leaveTone(int n, int column, const QString& text);
    void leaveName(int n, const QString& text);

    // Enter in the editors, and list choices.
    bool enterKey(GridCell c);
    void enterRx(int n);
    void enterTx(int n);
    void choose(GridCell c, int p);

    // Row commands (frm_chann_rows.cpp).
    void installRowCommands();
    void captionRowCommands();
    void clickedCell(GridCell c);
    // A list choice in a selected row, with several selected: the value
    // goes to every selected channel the single cell would take it on.
    bool chooseForSelection(GridCell c, int p);

    TextGrid* grid_ = nullptr;
    CellEditing* cells_ = nullptr;
    frame::RowCommands* rows_ = nullptr;
    void openFind();
    QLineEdit* findField_ = nullptr;
    QString lastFind_;

    QString comboEntered_;  // the cell's text when its list opened
};

}  // namespace vx
