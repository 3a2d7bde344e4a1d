#include "editors/signalling/frm_dtmf.h"

#include "editors/frame/editor_parts.h"
#include "editors/signalling/dtmf_settings.h"
#include "editors/signalling/frm_dtmf_texts.h"
#include "editors/signalling/signalling_frame.h"
#include "ui/controls.h"
#include "ui/field_events.h"
#include "ui/geometry.h"
#include "ui/key_rule.h"
#include "ui/window_names.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

namespace vx {

namespace T = dtmf_texts;

namespace {

constexpr signalling::Range kRange{dtmf::kRegion, dtmf::kRegion};
constexpr int kRightsPitchTwips = 600;  // the rights boxes stand 600 twips apart

// Keys a code field takes: the DTMF characters and Enter, while the field
// holds at most 15 characters. Backspace is not among them.
const FieldRule kCodeKeys{.accepted = QStringLiteral("0123456789abcdABCD*#"),
                          .maxBefore = dtmf::kCodeLength - 1,
                          .countTrimmed = true,
                          .backspace = false};

}  // namespace

frm_dtmf::frm_dtmf(RadioDocument& doc, QWidget* parent)
    : RegionEditor(signalling::descriptor({.name = window::kDtmf,
                                           .caption = T::kTitle,
                                           .rows = dtmf::kRegion,
                                           .readOk = T::kReadOk,
                                           .writeMessage = T::kWriteDone,
                                           .writeOk = T::kWriteOk,
                                           .refuseCloseBox = true,
                                           .refreshOnActivate = true}),
                   doc, parent)
{
    auto frame = [this](const char* name) {
        auto* f = new QGroupBox(this);
        f->setObjectName(QString::fromLatin1(name));
        return f;
    };
    auto label = [](QWidget* parent, const QString& name, Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter) {
        return ui::makeLabel(parent, name, align);
    };
    // The label of a row, captioned from it.
    auto rowLabel = [this](QWidget* parent, const char* control, Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter) {
        const Setting& s = row(control);
        QLabel* l = ui::makeLabel(parent, QString::fromLatin1(s.labelControl), align);
        labels_.push_back({l, &s});
        return l;
    };
    auto check = [this](QWidget* parent, const Setting& s) {
        QCheckBox* box = ui::makeCheck(parent, QString::fromLatin1(s.control));
        checks_.push_back({box, &s});
        connect(box, &QCheckBox::clicked, this,
                [this, row = &s](bool on) { edit(row->label, [&](Image& image) { row->setOn(dtmf::ref(image), on); }); });
        return box;
    };

    // Transmit codes.
    frameEncode_ = frame("Frame_Encode");
    labelNumber_ = label(frameEncode_, QStringLiteral("Label_encode_xh"), Qt::AlignCenter);
    labelCode_ = label(frameEncode_, QStringLiteral("Label_tx_encode"), Qt::AlignCenter);
    for (int i = 0; i < dtmf::kTxCodes; ++i) {
        numbers_[size_t(i)] = label(frameEncode_, QStringLiteral("Label_xh_%1").arg(i), Qt::AlignCenter);
        numbers_[size_t(i)]->setText(QString::number(i + 1));
        txCodes_[size_t(i)] = makeCodeField(frameEncode_, row(QStringLiteral("Text_tx_Encode_%1").arg(i)));
    }
    labelOnTime_ = rowLabel(frameEncode_, "Combo_Enc_ys1");
    labelOffTime_ = rowLabel(frameEncode_, "Combo_Enc_ys2");
    onTime_ = makeList(frameEncode_, row("Combo_Enc_ys1"));
    offTime_ = makeList(frameEncode_, row("Combo_Enc_ys2"));

    // Decode codes and timings.
    frameDecode_ = frame("Frame_Decode");
    static constexpr const char* kDecodeFields[dtmf::kDecodeCodes] = {"Text_XC", "Text_JT", "Text_BJ", "Text_YY", "Text_YB", "Text_KJ"};
    for (int k = 0; k < dtmf::kDecodeCodes; ++k) {
        decodes_[size_t(k)].label = rowLabel(frameDecode_, kDecodeFields[k]);
        decodes_[size_t(k)].edit = makeCodeField(frameDecode_, row(kDecodeFields[k]));
    }
    labelGroup_ = rowLabel(frameDecode_, "Combo_Dec_qh");
    labelSpace_ = rowLabel(frameDecode_, "Combo_Dec_Space_Code");
    labelDelay_ = rowLabel(frameDecode_, "Combo_Dec_Proc_Ys");
    labelReset_ = rowLabel(frameDecode_, "Combo_Dec_Res_Time");
    groupCall_ = makeCharacterList(frameDecode_, row("Combo_Dec_qh"));
    separator_ = makeCharacterList(frameDecode_, row("Combo_Dec_Space_Code"));
    decodeDelay_ = makeList(frameDecode_, row("Combo_Dec_Proc_Ys"));
    resetTime_ = makeList(frameDecode_, row("Combo_Dec_Res_Time"));

    // Control identities and their rights.
    frameCtrl_ = frame("Frame_Ctrl");
    control_ = check(frameCtrl_, row("Check_Ctrl_En"));
    connect(control_, &QCheckBox::clicked, this, &frm_dtmf::applyEnabling);
    heading1_ = label(frameCtrl_, QStringLiteral("Label_xcjtyyybkj_1"));
    heading2_ = label(frameCtrl_, QStringLiteral("Label_xcjtyyybkj_2"));
    master_.label = rowLabel(frameCtrl_, "Text_MID", Qt::AlignCenter);
    vice_.label = rowLabel(frameCtrl_, "Text_SID", Qt::AlignCenter);
    master_.edit = makeCodeField(frameCtrl_, row("Text_MID"));
    vice_.edit = makeCodeField(frameCtrl_, row("Text_SID"));
    for (int bit = 0; bit < dtmf::kRightsBoxes; ++bit) {
        masterRights_[size_t(bit)] = check(frameCtrl_, row(QStringLiteral("Check_M_%1").arg(bit)));
        viceRights_[size_t(bit)] = check(frameCtrl_, row(QStringLiteral("Check_S_%1").arg(bit)));
    }

    // What the radio may do.
    frameState_ = frame("Frame_State");
    rxDisable_ = check(frameState_, row("Check_RX"));
    txDisable_ = check(frameState_, row("Check_Tx"));

    frame::nameControls(this, labels_);
    caption();
}

frm_dtmf::~frm_dtmf() = default;

// ---------------------------------------------------------------- controls

const Setting& frm_dtmf::row(const QString& control)
{
    const Setting* s = dtmf::setting_of(control);
    Q_ASSERT(s);
    return *s;
}

QLineEdit* frm_dtmf::makeCodeField(QWidget* parent, const Setting& s)
{
    QLineEdit* edit = ui::makeField(parent, QString::fromLatin1(s.control));
    KeyRule::install(edit, kCodeKeys);
    onLeavingField(edit, [this] {  // Show when it loses the focus
        endTyping();
        refresh();
    });
    codeFields_.push_back({edit, &s});
    const size_t index = codeFields_.size() - 1;
    connect(edit, &QLineEdit::textEdited, this, [this, index](const QString& text) { codeEdited(codeFields_[index], text); });
    return edit;
}

QComboBox* frm_dtmf::makeList(QWidget* parent, const Setting& s)
{
    QComboBox* combo = frame::storedList(parent, QString::fromLatin1(s.control), s.list->entries(), dtmf::kRegion, s.listField(),
                                         [this](const RadioDocument::Change& change) { edit(change); });
    lists_.push_back({combo, &s});
    return combo;
}

// The group-call and separator lists show the stored character, in the list
// or not; a choice stores the chosen character's digit code.
QComboBox* frm_dtmf::makeCharacterList(QWidget* parent, const Setting& s)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(s.control));
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
    combo->addItems(dtmf::group_call_entries());
    discardTyping(combo);  // after setEditable: its field takes no typing either
    connect(combo, &QComboBox::activated, this, [this, combo, row = &s](int position) {
        const QString text = combo->itemText(position);
        if (!text.isEmpty())
            edit(row->label, [&](Image& image) { row->text->put(dtmf::ref(image), row->byte, text); });
    });
    characters_.push_back({combo, &s});
    return combo;
}

// Every change of a code field's text is stored at once; the field's rule
// keeps pasted text within what the row holds. What is typed there until
// the field is left is one edit.
void frm_dtmf::codeEdited(const CodeField& field, const QString& text)
{
    typed(field.row->label, [&](Image& image) { field.row->text->put(dtmf::ref(image), field.row->byte, text); });
}

void frm_dtmf::applyEnabling(bool on)
{
    master_.edit->setEnabled(on);
    vice_.edit->setEnabled(on);
    for (int bit = 0; bit < dtmf::kRightsBoxes; ++bit) {
        masterRights_[size_t(bit)]->setEnabled(on);
        viceRights_[size_t(bit)]->setEnabled(on);
    }
}

// ---------------------------------------------------------------- showing


void frm_dtmf::display()
{
    const RecordView r = dtmf::view(image());
    for (const CodeField& f : codeFields_)
        ui::showText(f.edit, f.row->value(r));
    for (const auto& [combo, s] : lists_)
        ui::select(combo, s->position(r));
    for (const auto& [combo, s] : characters_)
        ui::showListText(combo, s->value(r));
    for (const auto& [box, s] : checks_)
        ui::setChecked(box, s->on(r));
    applyEnabling(row("Check_Ctrl_En").on(r));
}

// The rights boxes have no caption of their own: the headings above them
// name them.
void frm_dtmf::caption()
{
    RegionEditor::caption();
    frameEncode_->setTitle(T::kFrameEncode);
    labelNumber_->setText(T::kEncodeNumber);
    labelCode_->setText(T::kEncodeCode);
    frameDecode_->setTitle(T::kFrameDecode);
    frameCtrl_->setTitle(T::kFrameCtrl);
    heading1_->setText(T::kRightsHeading1);
    heading2_->setText(T::kRightsHeading2);
    frameState_->setTitle(T::kFrameState);
    for (const auto& [label, s] : labels_)
        label->setText(s->label);
    for (QCheckBox* box : {control_, rxDisable_, txDisable_})
        box->setText(row(box->objectName()).label);
}

// ---------------------------------------------------------------- layout

// Transmit codes on the left; decode, control and state frames on the right.
void frm_dtmf::layOutContent(const QRect& area)
{
    const int m = twipsToPixels(120);
    const QRect a = area.adjusted(m, m, -m, 0);
    const int leftW = a.width() * 36 / 100;
    frameEncode_->setGeometry(a.x(), a.y(), leftW, a.height());
    layOutEncode(frameEncode_->rect());

    const int x = a.x() + leftW + m;
    const int w = a.right() + 1 - x;
    const int decodeH = a.height() * 44 / 100;
    const int ctrlH = a.height() * 38 / 100;
    frameDecode_->setGeometry(x, a.y(), w, decodeH);
    frameCtrl_->setGeometry(x, a.y() + decodeH + m / 2, w, ctrlH);
    const int stateTop = a.y() + decodeH + ctrlH + m;
    frameState_->setGeometry(x, stateTop, w, std::max(0, a.bottom() + 1 - stateTop));
    layOutDecode(frameDecode_->rect());
    layOutControl(frameCtrl_->rect());
    const int half = frameState_->width() / 2;
    const int top = ui::titleHeight(frameState_);
    const int h = std::max(0, std::min(frameState_->height() - top - 4, 24));
    rxDisable_->setGeometry(m, top, std::min(half - m, rxDisable_->sizeHint().width()), h);
    txDisable_->setGeometry(half, top, std::min(half - m, txDisable_->sizeHint().width()), h);
}

void frm_dtmf::layOutEncode(const QRect& r)
{
    const int m = twipsToPixels(120);
    const int top = ui::titleHeight(frameEncode_);
    const int rows = 1 + dtmf::kTxCodes + 2;
    const int rowH = std::max(1, (r.height() - top - m / 2) / rows);
    const int fieldH = std::min(rowH - 2, 24);
    const int numberW = r.width() / 5;
    const int codeX = m + numberW;
    const int codeW = r.width() - codeX - m;
    labelNumber_->setGeometry(m, top, numberW, rowH);
    labelCode_->setGeometry(codeX, top, codeW, rowH);
    for (int i = 0; i < dtmf::kTxCodes; ++i) {
        const int y = top + rowH * (i + 1);
        numbers_[size_t(i)]->setGeometry(m, y, numberW, fieldH);
        txCodes_[size_t(i)]->setGeometry(codeX, y, codeW, fieldH);
    }
    const int listX = r.width() * 58 / 100;
    const int listW = r.width() - listX - m;
    const int y1 = top + rowH * (dtmf::kTxCodes + 1) + m / 2;
    labelOnTime_->setGeometry(m, y1, listX - 2 * m, fieldH);
    onTime_->setGeometry(listX, y1, listW, fieldH);
    labelOffTime_->setGeometry(m, y1 + rowH, listX - 2 * m, fieldH);
    offTime_->setGeometry(listX, y1 + rowH, listW, fieldH);
}

// Three rows of two decode codes, then two rows of two lists.
void frm_dtmf::layOutDecode(const QRect& r)
{
    const int m = twipsToPixels(120);
    const int top = ui::titleHeight(frameDecode_);
    const int rowH = std::max(1, (r.height() - top - m / 2) / 5);
    const int fieldH = std::min(rowH - 4, 24);
    const int half = (r.width() - m) / 2;
    for (int k = 0; k < dtmf::kDecodeCodes; ++k) {
        const int x = m + (k % 2) * half;
        const int y = top + rowH * (k / 2);
        decodes_[size_t(k)].label->setGeometry(x, y, half * 38 / 100, fieldH);
        decodes_[size_t(k)].edit->setGeometry(x + half * 40 / 100, y, half * 56 / 100, fieldH);
    }
    const std::array<std::pair<QLabel*, QComboBox*>, 4> lists{
        {{labelGroup_, groupCall_}, {labelSpace_, separator_}, {labelDelay_, decodeDelay_}, {labelReset_, resetTime_}}};
    for (int i = 0; i < 4; ++i) {
        const int x = m + (i % 2) * half;
        const int y = top + rowH * (3 + i / 2);
        lists[size_t(i)].first->setGeometry(x, y, half * 68 / 100, fieldH);
        lists[size_t(i)].second->setGeometry(x + half * 70 / 100, y, half * 28 / 100, fieldH);
    }
}

// The enabling box, the column headings, then the master and the vice row:
// label, identity, five rights boxes 600 twips apart.
void frm_dtmf::layOutControl(const QRect& r)
{
    const int m = twipsToPixels(120);
    const int top = ui::titleHeight(frameCtrl_);
    const int rowH = std::max(1, (r.height() - top - m / 2) / 5);
    const int fieldH = std::min(rowH - 2, 24);
    const int pitch = twipsToPixels(kRightsPitchTwips);
    // Room on the right for the widest heading word.
    const int boxesX = r.width() - m - pitch * (dtmf::kRightsBoxes + 1);
    control_->setGeometry(m, top, std::min(r.width() - 2 * m, control_->sizeHint().width()), fieldH);
    const int headX = std::max(m, boxesX - pitch);
    heading1_->setGeometry(headX, top + rowH, r.width() - headX, fieldH);
    heading2_->setGeometry(headX, top + 2 * rowH, r.width() - headX, fieldH);
    const int labelW = (boxesX - 2 * m) * 45 / 100;
    const int editX = m + labelW + m / 2;
    const int editW = std::max(1, boxesX - editX - m);
    const std::array<std::pair<LabelledEdit*, std::array<QCheckBox*, dtmf::kRightsBoxes>*>, 2> rows{
        {{&master_, &masterRights_}, {&vice_, &viceRights_}}};
    for (int i = 0; i < 2; ++i) {
        const int y = top + rowH * (3 + i);
        rows[size_t(i)].first->label->setGeometry(m, y, labelW, fieldH);
        rows[size_t(i)].first->edit->setGeometry(editX, y, editW, fieldH);
        for (int bit = 0; bit < dtmf::kRightsBoxes; ++bit) {
            QCheckBox* box = (*rows[size_t(i)].second)[size_t(bit)];
            // As wide as its box, so that a click anywhere on it counts.
            box->setGeometry(boxesX + pitch * bit, y, std::min(pitch, box->sizeHint().width()), fieldH);
        }
    }
}

// ---------------------------------------------------------------- transfers

std::optional<TransferPlan> frm_dtmf::plan(Direction direction) { return signalling::plan(direction, kRange, *this); }

void frm_dtmf::loadDefaults(Image& image) { dtmf::load_defaults(image); }

}  // namespace vx
