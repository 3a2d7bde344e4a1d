#pragma once
// The 5-tone editor: two tabs. Standard holds the fifteen standards' tone
// length, group and repeat tone in a grid, edited in a list over a cell, and
// the tone frequencies of the standard chosen in Combo_stxh. Encode holds
// the fifteen transmit entries (three frames of five digits and a standard)
// in a grid, edited in a text box or a list over a cell, and the timing and
// decoding settings. Everything is stored
// straight into the 5-tone region; the window reads and writes it on its
// own. The constant tone tables are never changed here.

#include "editors/frame/region_editor.h"
#include "editors/signalling/five_tone_codec.h"
#include "image/setting.h"

#include <array>
#include <optional>
#include <utility>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QTabWidget;

namespace vx {

class CellEditing;
class TextGrid;

class frm_5tone : public RegionEditor {
    Q_OBJECT
public:
    explicit frm_5tone(RadioDocument& doc, QWidget* parent = nullptr);
    ~frm_5tone() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::optional<TransferPlan> plan(Direction direction) override;
    void display() override;
    void loadDefaults(Image& image) override;
    void caption() override;
    void layOutContent(const QRect& area) override;
    void layOutStandards(const QRect& r);
    void layOutEncode(const QRect& r);

    // The row of the control named `control` (five_tone_settings.h).
    static const Setting& row(const QString& control);
    static const Setting& row(const char* control) { return row(QString::fromLatin1(control)); }
    QComboBox* makeList(QWidget* parent, const Setting& s);
    QLabel* rowLabel(QWidget* parent, const Setting& s);
    QCheckBox* makeCheck(QWidget* parent, const Setting& s);
    void showStandard(int s);
    void buildStandardsGrid();
    void buildEncodeGrid();

    QTabWidget* tabs_ = nullptr;
    QGroupBox* frameStd_ = nullptr;
    QGroupBox* frameEncode_ = nullptr;

    TextGrid* stdGrid_ = nullptr;
    QLabel* stdNameLabel_ = nullptr;
    QComboBox* stdNames_ = nullptr;
    std::array<QLabel*, five_tone::kDigits> codeLabels_{};
    std::array<QLabel*, five_tone::kDigits> freqLabels_{};

    TextGrid* encodeGrid_ = nullptr;
    CellEditing* encodeCells_ = nullptr;
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
    // The lists, check boxes and labels of rows, with their rows.
    std::vector<std::pair<QComboBox*, const Setting*>> lists_;
    std::vector<std::pair<QCheckBox*, const Setting*>> checks_;
    std::vector<std::pair<QLabel*, const Setting*>> labels_;
};

}  // namespace vx
