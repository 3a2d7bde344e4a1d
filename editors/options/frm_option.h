#pragma once
// The optional-features editor: the general settings, check boxes,
// power-on message and identity codes of the option block, the two VFO
// panels, and the window's own read and write of rows 224..255.
//
// Every change is stored at once, also one a refresh causes by showing a
// different entry or text than before (the refresh stores it again through
// the same handler).

#include "editors/frame/region_editor.h"
#include "editors/options/option_codec.h"

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QStringListModel;

namespace vx {

class KeyRule;
class VfoPanel;

class frm_option final : public RegionEditor {
    Q_OBJECT
public:
    explicit frm_option(QWidget* parent = nullptr);
    ~frm_option() override;

    // Design size, twips; the button row 1100 and the progress row 1700
    // above the bottom.
    static constexpr int kDesignW = 15000;
    static constexpr int kDesignH = 10000;
    static constexpr int kButtonRise = 1100;
    static constexpr int kProgressRise = 600;
    static constexpr int kBase = 0x0E00;
    static constexpr int kRetries = 3;
    static constexpr int kRetryPauseMs = 3000;

    void refresh() override;

    VfoPanel* panel(options::Vfo v) const { return panels_[size_t(v)]; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static EditorDescriptor makeDescriptor();
    void caption() override;
    void layOutContent(const QRect& area) override;
    std::optional<TransferPlan> plan(Direction direction) override;
    void loadDefaults() override;

    void build();
    // A text field whose keys `takesKey` judges by the text before them.
    QLineEdit* makeField(const char* name, int shownChars, KeyRule** rule, bool (*takesKey)(const QString&));
    void checkAni();

    QWidget* content_ = nullptr;
    QStringListModel* toneModel_ = nullptr;
    QStringListModel* offsetModel_ = nullptr;
    QStringListModel* channelModel_ = nullptr;
    std::array<QComboBox*, options::kGeneralCount> lists_{};
    std::array<QLabel*, options::kGeneralCount> listLabels_{};
    std::array<QCheckBox*, std::size(options::kCheckSettings)> checks_{};
    std::array<QLineEdit*, 2> messages_{};
    std::array<KeyRule*, 2> messageRules_{};
    std::array<QLineEdit*, 3> codes_{};
    std::array<KeyRule*, 3> codeRules_{};
    QLabel* messageLabel_ = nullptr;
    QLabel* aniLabel_ = nullptr;
    QLabel* beginLabel_ = nullptr;
    QLabel* endLabel_ = nullptr;
    std::array<VfoPanel*, 2> panels_{};
    bool checkingAni_ = false;
};

}  // namespace vx
