#pragma once
// The adjustment editor: the factory adjustment table on five pages of a tab
// strip (transmit power high and low, squelch, modulation and volume,
// frequency range), its own read of the whole table and write of the four
// squelch rows.
//
// The editor works on the process-wide adjustment table, not on the image.
// Every accepted change is stored in the table at once.

#include "editors/adjust/adjust_table.h"
#include "editors/frame/region_editor.h"

#include <array>
#include <vector>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QTabBar;

namespace vx {

class frm_Adj_Txp : public RegionEditor {
    Q_OBJECT
public:
    explicit frm_Adj_Txp(RadioDocument& doc, QWidget* parent = nullptr);
    ~frm_Adj_Txp() override;

    // Design size of the window in twips.
    static constexpr int kDesignW = 10000;
    static constexpr int kDesignH = 10000;

    enum Page { PowerHigh, PowerLow, Squelch, Settings, Ranges, kPages };

    static constexpr int kRetries = 3;
    static constexpr int kRetryPauseMs = 2000;
    // Read: 4 blocks from 0x3C00 (slots 2..5) into table rows 0..15.
    static constexpr int kReadBlocks = 4;
    // Band B power boxes beyond the sixteen points: present, always hidden.
    static constexpr int kHiddenPowerBoxesB = 9;

    Page page() const { return page_; }
    // The tab change: shows `page`, captions the window by it, refreshes.
    void showPage(int page);

private:
    // What a number box edits and which messages it shows.
    enum class BoxKind { PowerA, PowerB, LevelA, LevelB, OffsetA, OffsetB };
    struct Box {
        QLineEdit* edit;
        BoxKind kind;
        int index;
    };

    static EditorDescriptor makeDescriptor();
    void caption() override;
    void layOutContent(const QRect& area) override;
    std::optional<TransferPlan> plan(Direction direction) override;
    // Puts the table into the controls of the squelch page and of the
    // current page.
    void display() override;
    void loadDefaults(Image& image) override;
    // The document's adjustment table (outside the image).
    adjust::Table& table() const { return document().part<adjust::Table>(); }

    // Building the pages.
    QGroupBox* buildPowerFrame();
    QGroupBox* buildSquelchFrame();
    QGroupBox* buildSettingsFrame();
    QGroupBox* buildRangeFrame();
    QLineEdit* addNumberBox(BoxKind kind, int index, const QString& name, QWidget* parent);

    // Showing the table.
    void fillNumberBoxes(bool power);
    void fillSettings();
    void fillRanges();

    // Edits.
    adjust::NumberBox tableByte(const Box& box) const;
    void validate(const Box& box);
    void choose(int setting, int position);
    void leaveRangeBox(int band, bool lower);

    Page page_ = Squelch;
    bool pageCaptioned_ = false;  // the caption follows the page once one was chosen
    bool checkingRange_ = false;  // a range message is being shown

    QWidget* content_ = nullptr;
    QTabBar* tabs_ = nullptr;
    QGroupBox* powerFrame_ = nullptr;
    QGroupBox* squelchFrame_ = nullptr;
    QGroupBox* settingsFrame_ = nullptr;
    QGroupBox* rangeFrame_ = nullptr;

    std::vector<Box> boxes_;
    std::array<QComboBox*, adjust::kSettingCount> settings_{};
    std::array<QLineEdit*, 2> lowerBoxes_{};
    std::array<QLineEdit*, 2> upperBoxes_{};
    // Range page captions set by language.
    QLabel* bandHeading_ = nullptr;
    QLabel* maxHeading_ = nullptr;
    QLabel* limitHeading_ = nullptr;
    QLabel* allowHeading_ = nullptr;
    std::array<QLabel*, 2> fromLabels_{};
    std::array<QLabel*, 2> toLabels_{};
};

}  // namespace vx
