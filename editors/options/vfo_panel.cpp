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

#include <algorithm>
#include <cmath>
#include <iterator>

namespace vx {

using namespace options;
namespace T = option_texts;

namespace {

constexpr int kMaxFrequencyText = 9;

// The row's position in the table: its control and label are kept in the
// same order.
size_t indexOf(const VfoSetting& row) { return size_t(&row - std::begin(kVfoSettings)); }

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
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 1, 6, 3);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);

    for (const VfoSetting& row : kVfoSettings) {
        const size_t p = indexOf(row);
        QWidget* control = nullptr;
        switch (row.hook) {
        case VfoHook::Frequency:
        case VfoHook::Range: {
            auto* edit = new QLineEdit(this);
            edit->setReadOnly(row.hook == VfoHook::Range);
            control = edit;
            break;
        }
        case VfoHook::Tone:
        case VfoHook::Offset: {
            auto* combo = new QComboBox(this);
            combo->setModel(row.hook == VfoHook::Tone ? models.tones : models.offsets);
            control = combo;
            break;
        }
        case VfoHook::Band:
        case VfoHook::None: {
            auto* combo = new QComboBox(this);
            combo->addItems(row.row.list->entries());
            control = combo;
            break;
        }
        }
        control->setObjectName(QString::fromLatin1(row.control(vfo_)));
        if (auto* combo = qobject_cast<QComboBox*>(control)) {
            combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
            combo->setMinimumContentsLength(6);
            combo->setMaxVisibleItems(12);
            combo->setCurrentIndex(-1);  // empty until the first refresh
            discardTyping(combo);
            connect(combo, &QComboBox::currentIndexChanged, this, [this, &row](int i) { listChosen(row, i); });
        }
        auto* label = new QLabel(this);
        label->setObjectName(QString::fromLatin1(row.labelControl(vfo_)));
        label->setBuddy(control);
        controls_[p] = control;
        labels_[p] = label;
        grid->addWidget(label, int(p / 2), int(p % 2) * 2);
        grid->addWidget(control, int(p / 2), int(p % 2) * 2 + 1);
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

QWidget* VfoPanel::control(const VfoSetting& row) const { return controls_[indexOf(row)]; }

QWidget* VfoPanel::hooked(VfoHook hook) const
{
    const auto it = std::ranges::find(kVfoSettings, hook, &VfoSetting::hook);
    return it == std::end(kVfoSettings) ? nullptr : control(*it);
}

QLineEdit* VfoPanel::frequencyField() const { return static_cast<QLineEdit*>(hooked(VfoHook::Frequency)); }

QComboBox* VfoPanel::list(VfoHook hook) const { return qobject_cast<QComboBox*>(hooked(hook)); }

void VfoPanel::caption()
{
    setTitle(vfo_ == Vfo::A ? T::kPanelA : T::kPanelB);
    for (const VfoSetting& row : kVfoSettings)
        labels_[indexOf(row)]->setText(row.row.label);
}

// ---------------------------------------------------------------- limits

bool VfoPanel::vhfSelected() const
{
    const int band = list(VfoHook::Band)->currentIndex();
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
    if (list(VfoHook::Band)->currentIndex() >= 0)  // nothing to show before the first refresh
        ui::showText(static_cast<QLineEdit*>(hooked(VfoHook::Range)), rangeText(lower(), upper()));
}

// ---------------------------------------------------------------- refresh

void VfoPanel::display()
{
    const Image& image = doc_.image();
    const RecordView r = vfo_view(image, vfo_);
    ui::showText(frequencyField(), vfo_frequency(image, vfo_));
    ui::select(list(VfoHook::Band), vfo_is_vhf(image, vfo_) ? 0 : 1);
    ui::select(list(VfoHook::Offset), vfo_offset(image, vfo_));
    for (const VfoSetting& row : kVfoSettings) {
        if (row.hook == VfoHook::Tone) {
            const TonePair p = vfo_tone_field(row).pair(r);
            showTone(qobject_cast<QComboBox*>(control(row)), decode_vfo_tone(p.low, p.high));
        } else if (row.hook == VfoHook::None) {
            ui::select(qobject_cast<QComboBox*>(control(row)), row.row.position(r));
        }
    }
    showRange();
}

// A tone without an entry shows its text with no entry selected; its bytes
// stay as they are until one is chosen.
void VfoPanel::showTone(QComboBox* combo, const VfoTone& tone)
{
    combo->setPlaceholderText(tone.position < 0 ? tone.text : QString());
    ui::select(combo, tone.position);
}

void VfoPanel::listChosen(const VfoSetting& row, int position)
{
    if (position < 0)
        return;  // nothing chosen: nothing stored
    if (row.hook == VfoHook::Band) {
        bandChanged(true);
        return;
    }
    edit_([&](Image& image) {
        switch (row.hook) {
        case VfoHook::Offset: encode_offset(image, vfo_, list(VfoHook::Offset)->itemText(position)); break;
        case VfoHook::Tone: vfo_tone_field(row).put(vfo_ref(image, vfo_), encode_vfo_tone(position)); break;
        case VfoHook::None: row.row.setPosition(vfo_ref(image, vfo_), position); break;
        case VfoHook::Frequency:
        case VfoHook::Band:
        case VfoHook::Range: break;
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
    if (list(VfoHook::Band)->currentIndex() != band) {
        ui::select(list(VfoHook::Band), band);
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
