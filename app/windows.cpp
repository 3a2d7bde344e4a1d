#include "app/windows.h"

#include "app/about.h"
#include "app/file_dialog.h"
#include "app/form_setup.h"
#include "editors/adjust/frm_adj_txp.h"
#include "editors/channels/frm_chann.h"
#include "editors/defaults.h"
#include "editors/fm/frm_fm.h"
#include "editors/options/frm_option.h"
#include "editors/signalling/frm_2tone.h"
#include "editors/signalling/frm_5tone.h"
#include "editors/signalling/frm_dtmf.h"
#include "link/form_comm.h"
#include "ui/shell.h"

namespace vx {

void registerWindows()
{
    using shell::registerWindow;
    // Whole-radio read and write.
    registerWindow(QStringLiteral("Form_Comm_Read"), [] { return new Form_Comm_Read; });
    registerWindow(QStringLiteral("Form_Comm_Write"), [] { return new Form_Comm_Write; });
    // Port setup and the data file dialogs.
    registerWindow(QStringLiteral("Form_setup"), [] { return new Form_setup; });
    registerWindow(QStringLiteral("Form_open_chann"), [] { return new Form_open_chann; });
    registerWindow(QStringLiteral("Form_save_chann"), [] { return new Form_save_chann; });
    // Editors.
    registerWindow(QStringLiteral("frm_chann"), [] { return new frm_chann; });
    registerWindow(QStringLiteral("frm_option"), [] { return new frm_option; });
    registerWindow(QStringLiteral("frm_dtmf"), [] { return new frm_dtmf; });
    registerWindow(QStringLiteral("frm_2tone"), [] { return new frm_2tone; });
    registerWindow(QStringLiteral("frm_5tone"), [] { return new frm_5tone; });
    registerWindow(QStringLiteral("frm_FM"), [] { return new frm_FM; });
    registerWindow(QStringLiteral("frm_Adj_Txp"), [] { return new frm_Adj_Txp; });
    // About box.
    registerWindow(QStringLiteral("frmAbout"), [] { return new AboutBox; });
    // What a whole-radio write lays into the image first.
    installWholeWriteLayers();
}

}  // namespace vx
