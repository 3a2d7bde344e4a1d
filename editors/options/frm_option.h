#pragma once
// The optional-features editor: the general settings, check boxes,
// power-on message and identity codes of the option block, the two VFO
// panels, and the window's own read and write of rows 224..255.
//
// Every change is stored at once. Showing stores nothing: a list value past
// its end shows the last entry, a message line shows its characters
// without spaces, and the bytes stay until the user picks or types a value.

#include "editors/frame/region_editor.h"
#include "editors/options/option_codec.h"
#include "ui/key_rule.h"

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QStringListModel;

namespace vx {

class VfoPanel;

class frm_option final : public RegionEditor {
    Q_OBJECT
public:
    explicit frm_option(RadioDocument& doc, QWidget* parent = nullptr);
    ~frm_option() override;

    // Design size, twips; the button row 1100 and the progress row 1700
    // above the bottom.
    static constexpr int kDesignW = 15000;
    static constexpr int kDesignH = 10000;
    static constexpr int kButtonRise = 1100;
    static constexpr int kProgressRise = 600;
    static constexpr int kBase = 0x0E00;

    VfoPanel* panel(options::Vfo v) const { return panels_[size_t(v)]; }

private:
    static EditorDescriptor makeDescriptor();
    void caption() override;
    void layOutContent(const QRect& area) override;
    std::optional<TransferPlan> plan(Direction direction) override;
    void display() override;
    void loadDefaults(Image& image) override;
    // The document's working copy of the option block.
    options::OptionBlock& copy() const;
    static const Text& codeLabel(options::CodeString code);
    EditName vfoName(options::Vfo v) const;

    void build();
    // A text field with room for `shownChars` characters.
    QLineEdit* makeField(const char* name, int shownChars, const FieldRule& rule);
    void checkAni();

    QWidget* content_ = nullptr;
    QStringListModel* toneModel_ = nullptr;
    QStringListModel* offsetModel_ = nullptr;
    QStringListModel* channelModel_ = nullptr;
    std::array<QComboBox*, options::kGeneralCount> lists_{};
    std::array<QLabel*, options::kGeneralCount> listLabels_{};
    std::array<QCheckBox*, std::size(options::kCheckSettings)> checks_{};
    std::array<QLineEdit*, 2> messages_{};
    std::array<bool, 5> typedIn_{};  // a message line or code typed in since it was entered
    std::array<QLineEdit*, 3> codes_{};
    QLabel* messageLabel_ = nullptr;
    QLabel* aniLabel_ = nullptr;
    QLabel* beginLabel_ = nullptr;
    QLabel* endLabel_ = nullptr;
    std::array<VfoPanel*, 2> panels_{};
    bool checkingAni_ = false;
};

}  // namespace vx
