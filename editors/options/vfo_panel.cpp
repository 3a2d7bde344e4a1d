#include "editors/options/vfo_panel.h"

#include "editors/options/frm_option_texts.h"
#include "image/codecs.h"
#include "image/tables.h"
#include "ui/controls.h"
#include "ui/field_events.h"
#include "ui/key_rule.h"
#include "ui/prompt.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include <cmath>

namespace vx {

using namespace options;
namespace T = option_texts;

namespace {

constexpr int kMaxFrequencyText = 9;

// The lists of row 241, by part.
const field::List8* recordList(VfoPanel::Part part)
{
    switch (part) {
    case VfoPanel::Power: return &VfoLayout::power;
    case VfoPanel::Bandwidth: return &VfoLayout::bandwidth;
    case VfoPanel::Shift: return &VfoLayout::shiftDirection;
    case VfoPanel::Step: return &VfoLayout::step;
    case VfoPanel::OptionalSignal: return &VfoLayout::optionalSignal;
    case VfoPanel::SignalCode: return &VfoLayout::signalCode;
    case VfoPanel::SpeakerMute: return &VfoLayout::speakerMute;
    case VfoPanel::Scrambler: return &VfoLayout::scrambler;
    default: return nullptr;
    }
}

const Choices* choicesOf(VfoPanel::Part part)
{
    switch (part) {
    case VfoPanel::Band: return &lists::band;
    case VfoPanel::Power: return &lists::power;
    case VfoPanel::Bandwidth: return &lists::bandwidth;
    case VfoPanel::Shift: return &lists::shiftDirection;
    case VfoPanel::Step: return &lists::step;
    case VfoPanel::OptionalSignal: return &lists::optionalSignal;
    case VfoPanel::SignalCode: return &lists::signalCode;
    case VfoPanel::SpeakerMute: return &lists::speakerMute;
    case VfoPanel::Scrambler: return &lists::scrambler;
    default: return nullptr;
    }
}

// The frequency field takes a point into a text that is not blank, and a
// digit while the trimmed text is at most eight characters; Backspace and
// other deletions are never refused.
const FieldRule kFrequencyKeys{.accepted = QStringLiteral("0123456789."),
                               .also = [](QChar key, const QString& text) {
                                   const QString t = text.trimmed();
                                   return key == QLatin1Char('.') ? !t.isEmpty() : t.size() <= 8;
                               }};

}  // namespace

VfoPanel::VfoPanel(Vfo vfo, const Models& models, const RadioDocument& doc, std::function<void()> refreshEditor, Edit edit,
                   QWidget* parent)
    : QGroupBox(parent), vfo_(vfo), doc_(doc), refreshEditor_(std::move(refreshEditor)), edit_(std::move(edit))
{
    build(models);
}

void VfoPanel::build(const Models& models)
{
    const bool a = vfo_ == Vfo::A;
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 1, 6, 3);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);

    for (int p = 0; p < kParts; ++p) {
        const auto part = Part(p);
        const T::VfoControl& names = T::kVfoControls[p];
        QWidget* control = nullptr;
        if (part == Frequency || part == Range) {
            auto* edit = new QLineEdit(this);
            edit->setReadOnly(part == Range);
            control = edit;
        } else if (part == RxTone || part == TxTone) {
            auto* combo = new QComboBox(this);
            combo->setModel(models.tones);
            control = combo;
        } else if (part == Offset) {
            auto* combo = new QComboBox(this);
            combo->setModel(models.offsets);
            control = combo;
        } else {
            control = new QComboBox(this);
            static_cast<QComboBox*>(control)->addItems(choicesOf(part)->entries());
        }
        control->setObjectName(QString::fromLatin1(a ? names.controlA : names.controlB));
        if (auto* combo = qobject_cast<QComboBox*>(control)) {
            combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
            combo->setMinimumContentsLength(6);
            combo->setMaxVisibleItems(12);
            combo->setCurrentIndex(-1);  // empty until the first refresh
            discardTyping(combo);
            connect(combo, &QComboBox::currentIndexChanged, this, [this, part](int i) { listChosen(part, i); });
        }
        auto* label = new QLabel(this);
        label->setObjectName(QString::fromLatin1(a ? names.labelA : names.labelB));
        label->setBuddy(control);
        controls_[size_t(p)] = control;
        labels_[size_t(p)] = label;
        grid->addWidget(label, p / 2, (p % 2) * 2);
        grid->addWidget(control, p / 2, (p % 2) * 2 + 1);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    // The range shown follows a new identification at once.
    connect(&doc_, &RadioDocument::bandLimitsChanged, this, &VfoPanel::showRange);

    QLineEdit* f = frequencyField();
    KeyRule::install(f, kFrequencyKeys);
    connect(f, &QLineEdit::textEdited, this, &VfoPanel::frequencyChanged);
    onLeavingField(f, [this] {
        if (entering_)
            return;
        entering_ = true;
        frequencyEntry(frequencyField()->text(), true);
        entering_ = false;
    });
}

QLineEdit* VfoPanel::frequencyField() const { return static_cast<QLineEdit*>(controls_[Frequency]); }

QComboBox* VfoPanel::list(Part part) const { return qobject_cast<QComboBox*>(controls_[size_t(part)]); }

void VfoPanel::caption()
{
    setTitle(vfo_ == Vfo::A ? T::kPanelA : T::kPanelB);
    for (int p = 0; p < kParts; ++p)
        labels_[size_t(p)]->setText(T::kVfoControls[p].caption);
}

// ---------------------------------------------------------------- limits

bool VfoPanel::vhfSelected() const
{
    const int band = list(Band)->currentIndex();
    return band < 0 ? vfo_is_vhf(doc_.image(), vfo_) : band == 0;
}

double VfoPanel::lower() const { return vfo_limits(vhfSelected(), doc_.bandLimits()).lower; }
double VfoPanel::upper() const { return vfo_limits(vhfSelected(), doc_.bandLimits()).upper; }

QString VfoPanel::rangeText(double lower, double upper)
{
    return QString::number(lower) + QStringLiteral(" - ") + QString::number(upper) + QStringLiteral(".9950");
}

void VfoPanel::showRange()
{
    if (list(Band)->currentIndex() >= 0)  // nothing to show before the first refresh
        ui::showText(static_cast<QLineEdit*>(controls_[Range]), rangeText(lower(), upper()));
}

// ---------------------------------------------------------------- refresh

void VfoPanel::display()
{
    const Image& image = doc_.image();
    const RecordView r = vfo_view(image, vfo_);
    ui::showText(frequencyField(), vfo_frequency(image, vfo_));
    ui::select(list(Band), vfo_is_vhf(image, vfo_) ? 0 : 1);
    ui::select(list(Offset), vfo_offset(image, vfo_));
    showTone(RxTone, decode_vfo_tone(r.u8(16), r.u8(17)));
    showTone(TxTone, decode_vfo_tone(r.u8(18), r.u8(19)));
    for (const Part part : {SignalCode, SpeakerMute, OptionalSignal, Scrambler, Bandwidth, Power, Shift, Step})
        ui::select(list(part), recordList(part)->get(r));
    showRange();
}

// A tone without an entry shows its text with no entry selected; its bytes
// stay as they are until one is chosen.
void VfoPanel::showTone(Part part, const VfoTone& tone)
{
    QComboBox* combo = list(part);
    combo->setPlaceholderText(tone.position < 0 ? tone.text : QString());
    ui::select(combo, tone.position);
}

void VfoPanel::listChosen(Part part, int position)
{
    if (position < 0)
        return;  // nothing chosen: nothing stored
    if (part == Band) {
        bandChanged(true);
        return;
    }
    edit_([&](Image& image) {
        switch (part) {
        case Offset: encode_offset(image, vfo_, list(Offset)->itemText(position)); break;
        case RxTone: VfoLayout::rxTone.put(vfo_ref(image, vfo_), encode_vfo_tone(position)); break;
        case TxTone: VfoLayout::txTone.put(vfo_ref(image, vfo_), encode_vfo_tone(position)); break;
        default:
            if (const field::List8* f = recordList(part))
                f->put(vfo_ref(image, vfo_), position);
            break;
        }
    });
}

// ---------------------------------------------------------------- frequency

// Nothing is stored until the field is left.
void VfoPanel::frequencyChanged(const QString& text)
{
    if (text.size() <= kMaxFrequencyText)
        return;
    prompt(T::kFrequencyTitle, PromptIcon::Warning, T::kFrequencyTooLong);
    ui::showText(frequencyField(), QString());
    frequencyField()->setFocus();
}

void VfoPanel::frequencyEntry(const QString& typed, bool refreshAfter)
{
    const VfoEntry e = vfo_frequency_entry(typed, vfo_limits(vhfSelected(), doc_.bandLimits()));
    if (e.outOfRange)
        prompt(T::kWorkingTitle, PromptIcon::Warning, T::kWorkingRange);
    ui::showText(frequencyField(), e.text);
    edit_([&](Image& image) { encode_vfo_frequency(image, vfo_, e.text); });
    const int band = vfo_is_vhf(doc_.image(), vfo_) ? 0 : 1;
    if (list(Band)->currentIndex() != band) {
        ui::select(list(Band), band);
        bandChanged(false);
    }
    if (refreshAfter)
        refreshEditor_();
}

void VfoPanel::bandChanged(bool refreshAfter)
{
    // Limits that contradict the bands (a VHF lower limit of 400, say)
    // could otherwise switch the band back and forth without end.
    if (bandDepth_ >= 2)
        return;
    ++bandDepth_;
    const QString text = vfo_band_text(frequencyField()->text(), vfo_limits(vhfSelected(), doc_.bandLimits()));
    showRange();
    frequencyEntry(text, refreshAfter);
    --bandDepth_;
}

}  // namespace vx
