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
    EditName vfoName(options::Vfo v) const;

    void build();
    // A text field with room for `shownChars` characters.
    QLineEdit* makeField(const char* name, int shownChars, const FieldRule& rule);
    QLabel* makeLabel(const char* name, QWidget* buddy);
    void checkAni();

    QWidget* content_ = nullptr;
    QStringListModel* toneModel_ = nullptr;
    QStringListModel* offsetModel_ = nullptr;
    QStringListModel* channelModel_ = nullptr;
    // Each control with its label and the row it was made from.
    struct ListControl {
        QComboBox* combo = nullptr;
        QLabel* label = nullptr;
        const Setting* row = nullptr;
    };
    struct CheckControl {
        QCheckBox* box = nullptr;
        const Setting* row = nullptr;
    };
    struct TextControl {
        QLineEdit* edit = nullptr;
        QLabel* label = nullptr;  // the second message line has none
        const Setting* row = nullptr;
    };
    // The text fields in row order.
    enum TextField { kMessage1, kMessage2, kAni, kBegin, kEnd };
    std::array<ListControl, options::kListCount> lists_{};
    std::array<CheckControl, options::kCheckCount> checks_{};
    std::array<TextControl, options::kTextCount> texts_{};
    std::array<bool, options::kTextCount> typedIn_{};  // typed in since it was entered
    std::array<VfoPanel*, 2> panels_{};
    bool checkingAni_ = false;
};

}  // namespace vx
