#pragma once
// One VFO panel of the optional-features editor: the frequency-mode record
// of band A or B (image rows 240..241 or 242..243). Both panels are this
// one class.
//
// The frequency is checked against the VFO limits when the field is left;
// the limits are those of the band selected, taken from the band limits as
// they stand at that moment (a new identification moves them).

#include "editors/options/option_codec.h"
#include "editors/options/vfo_settings.h"
#include "image/radio_document.h"

#include <QGroupBox>

#include <array>
#include <iterator>
#include <functional>

class QAbstractItemModel;
class QComboBox;
class QLabel;
class QLineEdit;

namespace vx {

class VfoPanel final : public QGroupBox {
    Q_OBJECT
public:
    static constexpr size_t kParts = std::size(options::kVfoSettings);

    // The lists' shared entries, built once by the window.
    struct Models {
        QAbstractItemModel* tones;
        QAbstractItemModel* offsets;
    };

    // Shows `doc`'s record; `refreshEditor` refreshes the whole editor, as a
    // frequency entry ends; `edit` makes a change one edit of the document.
    using Edit = std::function<void(const RadioDocument::Change&)>;
    VfoPanel(options::Vfo vfo, const Models& models, const RadioDocument& doc, std::function<void()> refreshEditor,
             Edit edit, QWidget* parent);

    options::Vfo vfo() const { return vfo_; }
    // The control of `row`, a row of options::kVfoSettings.
    QWidget* control(const options::VfoSetting& row) const;
    QLineEdit* frequencyField() const;

    void caption();
    // Shows the record as stored: frequency (outside the band too), band,
    // offset, tones, then the lists of row 241, signals blocked.
    void display();

    // The VFO limits, MHz: band A's for VHF, band B's for UHF.
    double lower() const;
    double upper() const;
    bool vhfSelected() const;

    // The range field's text for limits lower and upper: "136 - 174.9950".
    static QString rangeText(double lower, double upper);

private:
    void build(const Models& models);
    // The control of the row with `hook` (the first, for the tones).
    QWidget* hooked(options::VfoHook hook) const;
    QComboBox* list(options::VfoHook hook) const;

    void frequencyChanged(const QString& text);
    // Leaving the field, or a band change: the text checked and stored, the
    // band following it; the editor refreshes afterwards unless a refresh
    // is under way.
    void frequencyEntry(const QString& typed, bool refreshAfter);
    void bandChanged(bool refreshAfter);
    void showRange();
    void listChosen(const options::VfoSetting& row, int position);
    void showTone(QComboBox* combo, const options::VfoTone& tone);

    const options::Vfo vfo_;
    const RadioDocument& doc_;
    const std::function<void()> refreshEditor_;
    const Edit edit_;
    std::array<QWidget*, kParts> controls_{};
    std::array<QLabel*, kParts> labels_{};
    int bandDepth_ = 0;     // nested band changes (inconsistent limits could chain them)
    bool entering_ = false;  // a frequency entry runs
};

}  // namespace vx
