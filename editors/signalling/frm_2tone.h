#pragma once
// The 2-tone editor: two tabs. Encode holds the fifteen transmit tone pairs
// in a grid, edited in a text box over a frequency cell, and the three
// duration lists. Decode holds the fifteen receive entries' rules
// in a grid, edited in a list over a cell, the selected entry's
// four tones and the reset time. Everything is stored straight into the
// 2-tone region; the window reads and writes that region on its own.

#include "editors/frame/region_editor.h"
#include "editors/signalling/entry_column.h"
#include "editors/signalling/two_tone_codec.h"

#include <array>
#include <optional>
#include <utility>
#include <vector>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QTabWidget;

namespace vx {

class TextGrid;

class frm_2tone : public RegionEditor {
    Q_OBJECT
public:
    explicit frm_2tone(RadioDocument& doc, QWidget* parent = nullptr);
    ~frm_2tone() override;

    // The receive entry whose tones are shown, 0..14.
    int selectedEntry() const { return selected_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::optional<TransferPlan> plan(Direction direction) override;
    void display() override;
    void loadDefaults(Image& image) override;
    void caption() override;
    void layOutContent(const QRect& area) override;
    void layOutEncode();
    void layOutDecode();

    // The row of the control named `control` (two_tone_settings.h).
    static const Setting& row(const char* control);
    QComboBox* makeList(QWidget* parent, const Setting& s);
    QLabel* makeLabel(QWidget* parent, const Setting& s);
    void onTab(int index);
    void selectEntry(int entry);
    void showTones(int entry);

    // Receive grid, on screen only: the next Show brings the row back.
    void emptyDecodeRow(int row);
    // Tone fields.
    void commitTone(int k);

    QTabWidget* tabs_ = nullptr;
    QGroupBox* frameEncode_ = nullptr;
    QGroupBox* frameDecode_ = nullptr;
    TextGrid* encodeGrid_ = nullptr;
    std::array<QLabel*, 3> durationLabels_{};
    std::array<QComboBox*, 3> durations_{};

    TextGrid* decodeGrid_ = nullptr;
    QGroupBox* frameTones_ = nullptr;
    std::array<QLabel*, two_tone::kTones> toneLabels_{};
    std::array<QLineEdit*, two_tone::kTones> tones_{};
    std::array<const signalling::EntryColumn*, two_tone::kTones> toneColumns_{};
    QLabel* resetLabel_ = nullptr;
    QComboBox* resetTime_ = nullptr;
    // The lists and labels of rows, with their rows.
    std::vector<std::pair<QComboBox*, const Setting*>> lists_;
    std::vector<std::pair<QLabel*, const Setting*>> labels_;

    int selected_ = 0;
};

}  // namespace vx
