#pragma once
// The 5-tone editor: two tabs. Standard holds the fifteen standards' tone
// length, group and repeat tone in a grid, edited through a list placed over
// a cell, and the tone frequencies of the standard chosen in Combo_stxh.
// Encode holds the fifteen transmit entries (three frames of five digits
// and a standard) in a grid, edited through a text box or a list placed
// over a cell, and the timing and decoding settings. Everything is stored
// straight into the 5-tone region; the window reads and writes it on its
// own. The constant tone tables are never changed here.

#include "editors/frame/region_editor.h"
#include "editors/signalling/five_tone_codec.h"

#include <array>
#include <optional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QModelIndex;
class QTabWidget;

namespace vx {

class TextGrid;

class frm_5tone : public RegionEditor {
    Q_OBJECT
public:
    explicit frm_5tone(QWidget* parent = nullptr);
    ~frm_5tone() override;

    void refresh() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Cell {
        int row = -1;  // data row 0..14
        int column = -1;
        bool open() const { return row >= 0; }
    };

    std::optional<TransferPlan> plan(Direction direction) override;
    void loadDefaults() override;
    void caption() override;
    void layOutContent(const QRect& area) override;
    void layOutStandards(const QRect& r);
    void layOutEncode(const QRect& r);

    QComboBox* makeList(QWidget* parent, const QString& name, const QStringList& entries, field::List8 f);
    void hideEditors();
    void showStandard(int s);

    // Standards grid.
    void enterStandard(const QModelIndex& index);
    void chooseStandardCell(int position);
    void leaveStandard();
    // Transmit grid.
    void onEncodeCurrent(const QModelIndex& current, const QModelIndex& previous);
    void enterEncode(const QModelIndex& index);
    void frameEdited(const QString& text);
    bool leaveEncode();
    void chooseEntryStandard(int position);

    QTabWidget* tabs_ = nullptr;
    QGroupBox* frameStd_ = nullptr;
    QGroupBox* frameEncode_ = nullptr;

    TextGrid* stdGrid_ = nullptr;
    QComboBox* comboEdit_ = nullptr;
    QLabel* stdNameLabel_ = nullptr;
    QComboBox* stdNames_ = nullptr;
    std::array<QLabel*, five_tone::kDigits> codeLabels_{};
    std::array<QLabel*, five_tone::kDigits> freqLabels_{};

    TextGrid* encodeGrid_ = nullptr;
    QLineEdit* textEncode_ = nullptr;
    QComboBox* comboEncode_ = nullptr;
    std::array<QLabel*, five_tone::kTimingLists> timingLabels_{};
    std::array<QComboBox*, five_tone::kTimingLists> timings_{};
    QLabel* decodeStdLabel_ = nullptr;
    QComboBox* decodeStd_ = nullptr;
    QLabel* callLabel_ = nullptr;
    QLabel* dispLabel_ = nullptr;
    std::array<QCheckBox*, five_tone::kFrames> callFrames_{};
    std::array<QCheckBox*, five_tone::kFrames> dispFrames_{};
    QLabel* resetLabel_ = nullptr;
    QComboBox* resetTime_ = nullptr;

    Cell stdCell_;
    Cell encodeCell_;
    bool reverting_ = false;
};

}  // namespace vx
