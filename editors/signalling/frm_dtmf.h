#pragma once
// The DTMF editor: fifteen transmit codes, the decode codes, the control
// identities and their rights, and the decoder timings, shown from and
// stored straight into the DTMF region; plus the window's own read and
// write of that region.
//
// Control arrays are named with their index: Text_tx_Encode_0 ..
// Text_tx_Encode_14, Label_xh_0 .., Check_M_0 .. Check_M_4, Check_S_0 ...

#include "editors/signalling/dtmf_codec.h"
#include "editors/frame/region_editor.h"
#include "image/setting.h"

#include <array>
#include <utility>
#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace vx {

class frm_dtmf : public RegionEditor {
    Q_OBJECT
public:
    explicit frm_dtmf(RadioDocument& doc, QWidget* parent = nullptr);
    ~frm_dtmf() override;

private:
    // A code field and its row.
    struct CodeField {
        QLineEdit* edit = nullptr;
        const Setting* row = nullptr;
    };
    struct LabelledEdit {
        QLabel* label = nullptr;
        QLineEdit* edit = nullptr;
    };

    std::optional<TransferPlan> plan(Direction direction) override;
    // What Show stores goes back first.
    void display() override;
    void loadDefaults(Image& image) override;
    void caption() override;
    void layOutContent(const QRect& area) override;

    // The row of the control named `control` (dtmf_settings.h).
    static const Setting& row(const QString& control);
    static const Setting& row(const char* control) { return row(QString::fromLatin1(control)); }
    QLineEdit* makeCodeField(QWidget* parent, const Setting& s);
    QComboBox* makeList(QWidget* parent, const Setting& s);
    QComboBox* makeCharacterList(QWidget* parent, const Setting& s);
    void codeEdited(const CodeField& field, const QString& text);
    void applyEnabling(bool on);
    void layOutEncode(const QRect& r);
    void layOutDecode(const QRect& r);
    void layOutControl(const QRect& r);

    QGroupBox* frameEncode_ = nullptr;
    QGroupBox* frameDecode_ = nullptr;
    QGroupBox* frameCtrl_ = nullptr;
    QGroupBox* frameState_ = nullptr;

    QLabel* labelNumber_ = nullptr;
    QLabel* labelCode_ = nullptr;
    std::array<QLabel*, dtmf::kTxCodes> numbers_{};
    std::array<QLineEdit*, dtmf::kTxCodes> txCodes_{};
    QLabel* labelOnTime_ = nullptr;
    QLabel* labelOffTime_ = nullptr;
    QComboBox* onTime_ = nullptr;
    QComboBox* offTime_ = nullptr;

    std::array<LabelledEdit, dtmf::kDecodeCodes> decodes_{};
    QLabel* labelGroup_ = nullptr;
    QLabel* labelSpace_ = nullptr;
    QLabel* labelDelay_ = nullptr;
    QLabel* labelReset_ = nullptr;
    QComboBox* groupCall_ = nullptr;
    QComboBox* separator_ = nullptr;
    QComboBox* decodeDelay_ = nullptr;
    QComboBox* resetTime_ = nullptr;

    QCheckBox* control_ = nullptr;
    QLabel* heading1_ = nullptr;
    QLabel* heading2_ = nullptr;
    LabelledEdit master_;
    LabelledEdit vice_;
    std::array<QCheckBox*, dtmf::kRightsBoxes> masterRights_{};
    std::array<QCheckBox*, dtmf::kRightsBoxes> viceRights_{};

    QCheckBox* rxDisable_ = nullptr;
    QCheckBox* txDisable_ = nullptr;

    // Every control of a row, with its row: filled and captioned from it.
    std::vector<CodeField> codeFields_;
    std::vector<std::pair<QComboBox*, const Setting*>> lists_;
    std::vector<std::pair<QComboBox*, const Setting*>> characters_;
    std::vector<std::pair<QCheckBox*, const Setting*>> checks_;
    std::vector<std::pair<QLabel*, const Setting*>> labels_;
};

}  // namespace vx
