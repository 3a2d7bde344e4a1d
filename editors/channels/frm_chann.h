#pragma once
// The channel editor: the 200 channel memories in a grid, edited cell by cell
// through two in-cell editors, plus the window's own read and write of the
// channel region.
//
// Every accepted edit goes through the channel codec into the application's
// image and the channel's row is decoded again, so the grid shows what the
// image holds.

#include "editors/channels/channel_codec.h"

#include <QWidget>
#include <memory>

class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QModelIndex;
class QProgressBar;
class QPushButton;
class QTableView;

namespace vx {

class SerialPort;
class Timer;
class TransferEngine;
struct TransferParams;

class ChannelGridModel;

class frm_chann : public QWidget {
    Q_OBJECT
public:
    explicit frm_chann(QWidget* parent = nullptr);
    ~frm_chann() override;

    // Design size of the window in twips.
    static constexpr int kDesignW = 14000;
    static constexpr int kDesignH = 9500;

    // Shows every channel from the image again.
    void refresh();
    bool busy() const;

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

protected:
    bool event(QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    struct OpenCell {
        int row = -1;
        int column = -1;
        bool is(int r, int c) const { return row == r && column == c; }
    };

    void caption();
    void layoutControls();

    // Cells.
    QString cell(int n, int column) const;
    void setCell(int n, int column, const QString& text);
    void showChannel(int n);
    void closeEditors();

    // Entering and leaving cells.
    void onCurrentChanged(const QModelIndex& current, const QModelIndex& previous);
    void enterCell(int n, int column);
    void leaveCell(int n, int column);
    void moveTo(int n, int column);
    void leaveRx(int n, const QString& text);
    void leaveTx(int n, const QString& text);
    void replaceTxWithLowerLimit(int n);
    void leaveTone(int n, int column, const QString& text);
    void leaveName(int n, const QString& text);

    // Keys in the editors.
    bool textEditKey(QKeyEvent* key);
    bool comboKey(QKeyEvent* key);
    void enterRx(int n);
    void enterTx(int n);
    void choose(int p);

    // Buttons.
    void onRead();
    void onWrite();
    void onClear();
    void onDefault();
    void onSave();
    void onOpen();
    void onClose();
    bool refuseWhileBusy();

    // Transfers.
    void showReadProgress(int request);
    void showWriteProgress(int packet);
    void readFinished();
    void writeFinished();
    void transferFailed();
    void setUpTransfers();
    void startTransfer(const TransferParams& params);

    ChannelGridModel* model_ = nullptr;
    QTableView* grid_ = nullptr;
    QLineEdit* textEdit_ = nullptr;
    QComboBox* comboEdit_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* label_ = nullptr;
    QList<QPushButton*> buttons_;

    OpenCell open_;
    QString comboEntered_;  // the cell's text when its drop-down opened
    bool loaded_ = false;

    std::unique_ptr<SerialPort> port_;
    std::unique_ptr<Timer> timer1_, timer2_, timer3_;
    std::unique_ptr<TransferEngine> engine_;
};

}  // namespace vx
