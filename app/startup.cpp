#include "app/startup.h"

#include "app/about.h"
#include "app/mdimain.h"
#include "app/mdimain_texts.h"
#include "editors/adjust/adjust_table.h"
#include "editors/defaults.h"
#include "editors/options/option_lists.h"
#include "image/image.h"
#include "image/language.h"
#include "image/tables.h"
#include "image/tones.h"
#include "link/identification.h"
#include "link/status.h"
#include "ui/geometry.h"
#include "ui/prompt.h"
#include "ui/shell.h"
#include "ui/window_names.h"

namespace vx {

namespace {

namespace t = mdimain_texts;

// The titles, the status-bar tail, the version text and the handshake
// sequence are constants (the main window's text table, the link's
// kHandshake); the tone clock period is kToneClockPeriodMs.

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

void probe(MDImain& w) { probePorts(w.document()); }

void buildTables(MDImain& w)
{
    tones::labels();  // the tone and code list
    options::build_option_constants();
    w.document().setBandLimits(kDefaultBandLimits);
}

void startIdentification(MDImain& w)
{
    if (Identification* id = w.identification())
        id->start();
}

// 0xFF, then every editor's factory defaults in their fixed order, the
// channels last.
void layImage(MDImain& w) { lay_startup_defaults(w.document()); }

// The adjustment editor's 16 x 16 defaults into its table, outside the
// image.
void copyAdjustTable(MDImain& w) { adjust::load_defaults(w.document().part<adjust::Table>()); }

void openOptions(MDImain&) { shell::openWindow(window::kOptions); }

struct Step {
    const char* name;
    void (*run)(MDImain&);
};

constexpr Step kSteps[] = {
    {"language", setLanguage},
    {"captions", captionFrame},
    {"version", showVersion},
    {"show", showWindow},
    {"advice", adviseDisplayMode},
    {"probe", probe},
    {"tables", buildTables},
    {"identification", startIdentification},
    {"image", layImage},
    {"adjust.table", copyAdjustTable},
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
