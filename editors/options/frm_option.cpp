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

constexpr int kGeneralRows = (kListCount + 1) / 2;

// A message line refuses keys while its trimmed text is longer than six
// characters, a code field while its text is longer than 15; Backspace and
// Delete always work.
const FieldRule kMessageKeys{.maxBefore = 6, .countTrimmed = true};
const FieldRule kCodeKeys{.maxBefore = 15};


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
    // codes under them. Every control is made from its row.
    auto* left = new QVBoxLayout;
    left->setSpacing(6);
    auto* general = new QGridLayout;
    general->setHorizontalSpacing(6);
    general->setVerticalSpacing(3);
    int list = 0;
    int check = 0;
    int text = 0;
    for (const Setting& s : kSettings) {
        switch (s.kind) {
        case SettingKind::List: {
            QComboBox* combo = makeCombo(content_, s.control);
            if (s.list == &lists::channel)
                combo->setModel(channelModel_);
            else
                combo->addItems(s.list->entries(zh));
            combo->setCurrentIndex(-1);  // empty until the first refresh
            connect(combo, &QComboBox::currentIndexChanged, this, [this, row = &s](int position) {
                if (position >= 0)
                    edit(row->label, [&](Image& image) { store_setting(copy(), image, *row, position); });
            });
            const int i = list++;
            lists_[size_t(i)] = {combo, makeLabel(s.labelControl, combo), &s};
            general->addWidget(lists_[size_t(i)].label, i % kGeneralRows, i / kGeneralRows * 2);
            general->addWidget(combo, i % kGeneralRows, i / kGeneralRows * 2 + 1);
            break;
        }
        case SettingKind::OnOff: {
            QCheckBox* box = ui::makeCheck(content_, QString::fromLatin1(s.control));
            connect(box, &QCheckBox::toggled, this, [this, row = &s](bool on) {
                edit(row->label, [&](Image& image) { store_check(copy(), image, *row, on); });
            });
            checks_[size_t(check++)] = {box, &s};
            break;
        }
        case SettingKind::Text: {
            const int i = text++;
            const bool message = s.text == &kMessageText;
            const FieldRule& rule = message ? kMessageKeys : kCodeKeys;
            QLineEdit* field = makeField(s.control, message ? rule.maxBefore + 1 : s.text == &kAniText ? 6 : 0, rule);
            texts_[size_t(i)] = {field, s.labelControl ? makeLabel(s.labelControl, field) : nullptr, &s};
            connect(field, &QLineEdit::textEdited, this, [this, i, row = &s](const QString& text) {
                typedIn_[size_t(i)] = true;
                typed(row->label, [&](Image& image) { store_text(copy(), image, *row, text); });
            });
            // Leaving a field the user typed in stores it once more from what
            // it shows: a message line centred without spaces (all spaces
            // when nothing shows), a code without the characters that have
            // no code, the rest moved up. Leaving a field nobody typed in
            // stores nothing. What was typed there, with that last store,
            // is one edit.
            onLeavingField(field, [this, i, message, row = &s] {
                if (std::exchange(typedIn_[size_t(i)], false))
                    typed(row->label, [&](Image& image) { store_text(copy(), image, *row, text_value(copy(), *row)); });
                endTyping();
                if (message)
                    refresh();
                else
                    ui::showText(texts_[size_t(i)].edit, text_value(copy(), *row));
            });
            break;
        }
        }
    }
    general->setColumnStretch(1, 1);
    general->setColumnStretch(3, 1);
    left->addLayout(general);
    onLeavingField(texts_[kAni].edit, [this] {
        if (!checkingAni_)
            checkAni();
    });

    //   Power-On Message    [line 1] [line 2]  ANI [code]
    //   Press PTT to Send   [code                       ]
    //   Release PTT to Send [code                       ]
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(3);
    grid->addWidget(texts_[kMessage1].label, 0, 0);
    grid->addWidget(texts_[kMessage1].edit, 0, 1);
    grid->addWidget(texts_[kMessage2].edit, 0, 2);
    grid->addWidget(texts_[kAni].label, 0, 3);
    grid->addWidget(texts_[kAni].edit, 0, 4);
    grid->addWidget(texts_[kBegin].label, 1, 0);
    grid->addWidget(texts_[kBegin].edit, 1, 1, 1, 4);
    grid->addWidget(texts_[kEnd].label, 2, 0);
    grid->addWidget(texts_[kEnd].edit, 2, 1, 1, 4);
    grid->setColumnStretch(4, 1);
    left->addLayout(grid);
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
    for (size_t c = 0; c < checks_.size(); ++c)
        checks->addWidget(checks_[c].box, int(c) / 2, int(c) % 2);
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

QLabel* frm_option::makeLabel(const char* name, QWidget* buddy)
{
    auto* label = new QLabel(content_);
    label->setObjectName(QString::fromLatin1(name));
    label->setBuddy(buddy);
    return label;
}

void frm_option::caption()
{
    RegionEditor::caption();
    for (const ListControl& l : lists_)
        l.label->setText(l.row->label);
    for (const CheckControl& c : checks_)
        c.box->setText(c.row->label);
    for (const TextControl& t : texts_)
        if (t.label)
            t.label->setText(t.row->label);
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
    for (const ListControl& l : lists_)
        ui::select(l.combo, setting_position(block, *l.row));
    for (const CheckControl& c : checks_)
        ui::setChecked(c.box, check_state(block, *c.row));
    for (const TextControl& t : texts_)
        ui::showText(t.edit, text_value(block, *t.row));
    for (VfoPanel* p : panels_)
        p->display();
}

// ---------------------------------------------------------------- fields

// The ANI is checked as a string, character codes against "00000" and
// "99999", so texts such as 1A2 pass; a radio's stored codes may rely on it.
void frm_option::checkAni()
{
    const QString t = texts_[kAni].edit->text().trimmed();
    const qsizetype length = t.toUcs4().size();
    const Text* message = nullptr;
    if (length < 3 || length > 5)
        message = &T::kAniLength;
    else if (QString::compare(t, QStringLiteral("00000")) < 0 || QString::compare(t, QStringLiteral("99999")) > 0)
        message = &T::kAniRange;
    if (!message)
        return;
    checkingAni_ = true;
    QPointer<QLineEdit> ani = texts_[kAni].edit;
    prompt(T::kAniTitle, PromptIcon::Warning, *message);
    if (ani) {
        checkingAni_ = false;
        // Once the focus has settled where it was going.
        QTimer::singleShot(0, ani, [ani] { ani->setFocus(Qt::OtherFocusReason); });
    }
}

// ---------------------------------------------------------------- buttons

void frm_option::loadDefaults(Image& image) { lay_down_defaults(image, copy()); }

EditName frm_option::vfoName(Vfo v) const
{
    const Text& panel = v == Vfo::A ? T::kPanelA : T::kPanelB;
    return name(EditName{panel.in(true), panel.in(false)});
}

}  // namespace vx
