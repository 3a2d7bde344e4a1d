#include "editors/options/frm_option.h"

#include "editors/options/frm_option_texts.h"
#include "editors/options/vfo_panel.h"
#include "ui/controls.h"
#include "ui/field_events.h"
#include "ui/prompt.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QStringListModel>
#include <QTimer>
#include <QVBoxLayout>

#include <utility>

namespace vx {

using namespace options;
namespace T = option_texts;

namespace {

constexpr int kGeneralRows = (kGeneralCount + 1) / 2;

// A message line refuses keys while its trimmed text is longer than six
// characters, a code field while its text is longer than 15; Backspace and
// Delete always work.
const FieldRule kMessageKeys{.maxBefore = 6, .countTrimmed = true};
const FieldRule kCodeKeys{.maxBefore = 15};

constexpr MessageLine kLines[] = {MessageLine::Upper, MessageLine::Lower};
constexpr CodeString kCodes[] = {CodeString::Ani, CodeString::PttIdBegin, CodeString::PttIdEnd};

QComboBox* makeCombo(QWidget* parent, const char* name)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(5);
    combo->setMaxVisibleItems(12);
    discardTyping(combo);
    return combo;
}

}  // namespace

frm_option::frm_option(RadioDocument& doc, QWidget* parent) : RegionEditor(makeDescriptor(), doc, parent) { build(); }

OptionBlock& frm_option::copy() const { return document().part<OptionBlock>(); }

frm_option::~frm_option() = default;

// Lists are filled once, in the language of the moment; the first refresh
// runs when the window is shown.
void frm_option::build()
{
    const bool zh = chinese();
    toneModel_ = new QStringListModel(vfo_tone_entries(zh), this);
    offsetModel_ = new QStringListModel(offset_labels(), this);
    channelModel_ = new QStringListModel(channel_entries(), this);

    content_ = new QWidget(this);
    content_->setObjectName(QStringLiteral("OptionSettings"));
    auto* columns = new QHBoxLayout(content_);
    columns->setContentsMargins(8, 2, 8, 0);
    columns->setSpacing(12);

    // Left: the general lists in two columns, the message lines and the
    // codes under them.
    auto* left = new QVBoxLayout;
    left->setSpacing(6);
    auto* general = new QGridLayout;
    general->setHorizontalSpacing(6);
    general->setVerticalSpacing(3);
    for (int i = 0; i < kGeneralCount; ++i) {
        const GeneralSetting& s = kGeneralSettings[i];
        QComboBox* combo = makeCombo(content_, s.control);
        if (s.list == &lists::channel)
            combo->setModel(channelModel_);
        else
            combo->addItems(s.list->entries(zh));
        combo->setCurrentIndex(-1);  // empty until the first refresh
        connect(combo, &QComboBox::currentIndexChanged, this, [this, i](int position) {
            if (position >= 0)
                edit(T::kListLabels[i].caption,
                     [&](Image& image) { store_setting(copy(), image, kGeneralSettings[i], position); });
        });
        auto* label = new QLabel(content_);
        label->setObjectName(QString::fromLatin1(T::kListLabels[i].label));
        label->setBuddy(combo);
        lists_[size_t(i)] = combo;
        listLabels_[size_t(i)] = label;
        const int column = i / kGeneralRows * 2;
        general->addWidget(label, i % kGeneralRows, column);
        general->addWidget(combo, i % kGeneralRows, column + 1);
    }
    general->setColumnStretch(1, 1);
    general->setColumnStretch(3, 1);
    left->addLayout(general);

    for (size_t i = 0; i < messages_.size(); ++i) {
        const MessageLine line = kLines[i];
        messages_[i] = makeField(i == 0 ? "Text_PON_MSG_U" : "Text_PON_MSG_D", kMessageKeys.maxBefore + 1, kMessageKeys);
        // Leaving a line the user typed in stores it once more from what it
        // shows (centred, without spaces; all spaces when nothing shows) and
        // shows that. Leaving a line nobody typed in stores nothing.
        onLeavingField(messages_[i], [this, i, line] {
            if (std::exchange(typedIn_[i], false))
                edit(T::kMessageLabel, [&](Image& image) { store_message(image, copy(), line, message_text(copy(), line)); });
            refresh();
        });
        connect(messages_[i], &QLineEdit::textEdited, this, [this, i, line](const QString& text) {
            typedIn_[i] = true;
            edit(T::kMessageLabel, [&](Image& image) { store_message(image, copy(), line, text); });
        });
    }
    const char* codeNames[] = {"Text_ANI", "Text_PttId_Begin", "Text_PttId_End"};
    for (size_t i = 0; i < codes_.size(); ++i) {
        const CodeString code = kCodes[i];
        codes_[i] = makeField(codeNames[i], i == 0 ? 6 : 0, kCodeKeys);
        connect(codes_[i], &QLineEdit::textEdited, this, [this, i, code](const QString& text) {
            typedIn_[messages_.size() + i] = true;
            edit(codeLabel(code), [&](Image& image) { store_code(image, copy(), code, text); });
        });
        // Leaving a code the user typed in stores it from what it shows: the
        // characters without a code are gone, the rest moved up.
        onLeavingField(codes_[i], [this, i, code] {
            if (std::exchange(typedIn_[messages_.size() + i], false)) {
                edit(codeLabel(code), [&](Image& image) { store_code(image, copy(), code, code_text(copy(), code)); });
                ui::showText(codes_[i], code_text(copy(), code));
            }
        });
    }
    auto makeLabel = [this](const char* name, QWidget* buddy) {
        auto* label = new QLabel(content_);
        label->setObjectName(QString::fromLatin1(name));
        label->setBuddy(buddy);
        return label;
    };
    onLeavingField(codes_[0], [this] {
        if (!checkingAni_)
            checkAni();
    });
    messageLabel_ = makeLabel("Label_Ponmsg_Txt", messages_[0]);
    aniLabel_ = makeLabel("Label_ANI", codes_[0]);
    beginLabel_ = makeLabel("Label_Send_Begin", codes_[1]);
    endLabel_ = makeLabel("Label_Send_End", codes_[2]);

    //   Power-On Message    [line 1] [line 2]  ANI [code]
    //   Press PTT to Send   [code                       ]
    //   Release PTT to Send [code                       ]
    auto* texts = new QGridLayout;
    texts->setHorizontalSpacing(6);
    texts->setVerticalSpacing(3);
    texts->addWidget(messageLabel_, 0, 0);
    texts->addWidget(messages_[0], 0, 1);
    texts->addWidget(messages_[1], 0, 2);
    texts->addWidget(aniLabel_, 0, 3);
    texts->addWidget(codes_[0], 0, 4);
    texts->addWidget(beginLabel_, 1, 0);
    texts->addWidget(codes_[1], 1, 1, 1, 4);
    texts->addWidget(endLabel_, 2, 0);
    texts->addWidget(codes_[2], 2, 1, 1, 4);
    texts->setColumnStretch(4, 1);
    left->addLayout(texts);
    left->addStretch(1);
    columns->addLayout(left, 1);

    // Right: the two VFO panels, the check boxes under them.
    auto* right = new QVBoxLayout;
    right->setSpacing(6);
    const VfoPanel::Models models{toneModel_, offsetModel_};
    for (const Vfo v : {Vfo::A, Vfo::B}) {
        auto* panel = new VfoPanel(v, models, document(), [this] { refresh(); },
                                   [this, v](const RadioDocument::Change& change) { edit(vfoName(v), change); }, content_);
        panels_[size_t(v)] = panel;
        right->addWidget(panel);
    }
    auto* checks = new QGridLayout;
    checks->setVerticalSpacing(3);
    for (size_t c = 0; c < checks_.size(); ++c) {
        QCheckBox* box = ui::makeCheck(content_, QString::fromLatin1(kCheckSettings[c].control));
        connect(box, &QCheckBox::toggled, this,
                [this, c](bool on) { edit(T::kCheckCaptions[c], [&](Image& image) { store_check(copy(), image, kCheckSettings[c], on); }); });
        checks_[c] = box;
        checks->addWidget(box, int(c) / 2, int(c) % 2);
    }
    right->addLayout(checks);
    right->addStretch(1);
    columns->addLayout(right, 1);

}

QLineEdit* frm_option::makeField(const char* name, int shownChars, const FieldRule& rule)
{
    QLineEdit* edit = ui::makeField(content_, QString::fromLatin1(name));
    if (shownChars > 0)  // room for what may be typed
        edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QString(shownChars, QLatin1Char('W'))) + 10);
    KeyRule::install(edit, rule);
    return edit;
}

void frm_option::caption()
{
    RegionEditor::caption();
    for (int i = 0; i < kGeneralCount; ++i)
        listLabels_[size_t(i)]->setText(T::kListLabels[i].caption);
    for (size_t c = 0; c < checks_.size(); ++c)
        checks_[c]->setText(T::kCheckCaptions[c]);
    messageLabel_->setText(T::kMessageLabel);
    aniLabel_->setText(T::kAniLabel);
    beginLabel_->setText(T::kBeginLabel);
    endLabel_->setText(T::kEndLabel);
    for (VfoPanel* p : panels_)
        p->caption();
}

void frm_option::layOutContent(const QRect& area) { content_->setGeometry(area); }

// ---------------------------------------------------------------- refresh

void frm_option::display()
{
    // The working copy follows the image, so that Default keeps what was
    // last shown.
    OptionBlock& block = copy();
    block.load(image());
    for (int i = 0; i < kGeneralCount; ++i)
        ui::select(lists_[size_t(i)], setting_position(block, kGeneralSettings[i]));
    for (size_t c = 0; c < checks_.size(); ++c)
        ui::setChecked(checks_[c], check_state(block, kCheckSettings[c]));
    for (size_t i = 0; i < messages_.size(); ++i)
        ui::showText(messages_[i], message_text(block, kLines[i]));
    for (size_t i = 0; i < codes_.size(); ++i)
        ui::showText(codes_[i], code_text(block, kCodes[i]));
    for (VfoPanel* p : panels_)
        p->display();
}

// ---------------------------------------------------------------- fields

// The ANI is checked as a string, character codes against "00000" and
// "99999", so texts such as 1A2 pass; a radio's stored codes may rely on it.
void frm_option::checkAni()
{
    const QString t = codes_[0]->text().trimmed();
    const qsizetype length = t.toUcs4().size();
    const Text* message = nullptr;
    if (length < 3 || length > 5)
        message = &T::kAniLength;
    else if (QString::compare(t, QStringLiteral("00000")) < 0 || QString::compare(t, QStringLiteral("99999")) > 0)
        message = &T::kAniRange;
    if (!message)
        return;
    checkingAni_ = true;
    QPointer<QLineEdit> ani = codes_[0];
    prompt(T::kAniTitle, PromptIcon::Warning, *message);
    if (ani) {
        checkingAni_ = false;
        // Once the focus has settled where it was going.
        QTimer::singleShot(0, ani, [ani] { ani->setFocus(Qt::OtherFocusReason); });
    }
}

// ---------------------------------------------------------------- buttons

void frm_option::loadDefaults(Image& image) { lay_down_defaults(image, copy()); }

const Text& frm_option::codeLabel(CodeString code)
{
    switch (code) {
    case CodeString::Ani: return T::kAniLabel;
    case CodeString::PttIdBegin: return T::kBeginLabel;
    case CodeString::PttIdEnd: break;
    }
    return T::kEndLabel;
}

EditName frm_option::vfoName(Vfo v) const
{
    const Text& panel = v == Vfo::A ? T::kPanelA : T::kPanelB;
    return name(EditName{panel.in(true), panel.in(false)});
}

}  // namespace vx
