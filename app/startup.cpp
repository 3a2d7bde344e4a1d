#include "app/startup.h"

#include "app/about.h"
#include "app/mdimain.h"
#include "app/mdimain_texts.h"
#include "editors/adjust/adjust_table.h"
#include "editors/channels/channel_codec.h"
#include "editors/fm/fm_codec.h"
#include "editors/options/option_codec.h"
#include "editors/signalling/dtmf_codec.h"
#include "editors/signalling/five_tone_codec.h"
#include "editors/signalling/two_tone_codec.h"
#include "image/image.h"
#include "image/language.h"
#include "image/tables.h"
#include "image/tones.h"
#include "link/identification.h"
#include "link/status.h"
#include "ui/geometry.h"
#include "ui/prompt.h"
#include "ui/shell.h"

namespace vx {

namespace {

namespace t = mdimain_texts;

// The titles, the status-bar tail and the version text are constants of the
// main window's text table.
void setTitles(MDImain&) {}

// The handshake sequence is a constant of the link (kHandshake).
void loadHandshake(MDImain&) {}

void setLanguage(MDImain&)
{
    setChinese(false);
    rebuildAboutTexts();
    rebuildCallAlertList();
}

void captionFrame(MDImain& w)
{
    w.sizeStatusPanels();
    w.captionAtStartup();
}

void showVersion(MDImain&) { setStatusPanel(6, QString::fromUtf8(t::kVersion)); }

void showWindow(MDImain& w) { w.showScreenSized(); }

void adviseDisplayMode(MDImain&)
{
    if (screenNeedsAdvice(shell::screenSize()))
        prompt(QString::fromUtf8(t::kAdviceTitle), PromptIcon::Warning, QString::fromUtf8(t::kAdviceText));
}

void probe(MDImain&) { probePorts(); }

void buildTables(MDImain&)
{
    tones::labels();  // the tone and code list
    options::build_option_constants();
    resetBandLimits();
    // The tone clock period is the constant kToneClockPeriodMs.
}

void startIdentification(MDImain& w)
{
    if (Identification* id = w.identification())
        id->start();
}

void fillImage(MDImain&) { appImage().fill(Image::kFill); }

// Each editor lays its own factory defaults into the image here, in this
// order, once it exists.
void fmPresetDefaults(MDImain&) { fm::load_factory_presets(appImage()); }
void optionDefaults(MDImain&) { options::lay_down_defaults(appImage(), options::workingCopy()); }
void dtmfDefaults(MDImain&) { dtmf::load_defaults(appImage()); }
void twoToneDefaults(MDImain&) { two_tone::load_defaults(appImage()); }
void fiveToneDefaults(MDImain&) { five_tone::load_defaults(appImage()); }
void adjustDefaults(MDImain&) {}
// The adjustment editor copies its 16 x 16 defaults into its table here.
void copyAdjustTable(MDImain&) { adjust::load_defaults(adjust::table()); }

void channelDefaults(MDImain&) { channels::load_factory_channels(appImage()); }

void openOptions(MDImain&) { shell::openWindow(QStringLiteral("frm_option")); }

struct Step {
    const char* name;
    void (*run)(MDImain&);
};

constexpr Step kSteps[] = {
    {"titles", setTitles},
    {"handshake", loadHandshake},
    {"language", setLanguage},
    {"captions", captionFrame},
    {"version", showVersion},
    {"show", showWindow},
    {"advice", adviseDisplayMode},
    {"probe", probe},
    {"tables", buildTables},
    {"identification", startIdentification},
    {"image", fillImage},
    {"defaults.fm", fmPresetDefaults},
    {"defaults.options", optionDefaults},
    {"defaults.dtmf", dtmfDefaults},
    {"defaults.2tone", twoToneDefaults},
    {"defaults.5tone", fiveToneDefaults},
    {"defaults.adjust", adjustDefaults},
    {"adjust.table", copyAdjustTable},
    {"defaults.channels", channelDefaults},
    {"open.frm_option", openOptions},
};

}  // namespace

bool screenNeedsAdvice(QSize pixels)
{
    return pixelsToTwips(pixels.height()) < t::kMinScreenHeightTwips ||
           pixelsToTwips(pixels.width()) < t::kMinScreenWidthTwips;
}

QStringList startupStepNames()
{
    QStringList names;
    for (const auto& s : kSteps)
        names << QString::fromLatin1(s.name);
    return names;
}

void runStartup(MDImain& window, const StartupObserver& observer)
{
    for (const auto& s : kSteps) {
        if (observer)
            observer(QString::fromLatin1(s.name));
        s.run(window);
    }
}

}  // namespace vx
