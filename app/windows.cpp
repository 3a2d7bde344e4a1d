#include "app/windows.h"

#include "app/about.h"
#include "app/csv_import.h"
#include "app/file_dialog.h"
#include "app/form_setup.h"
#include "editors/adjust/frm_adj_txp.h"
#include "editors/channels/frm_chann.h"
#include "editors/fm/frm_fm.h"
#include "editors/options/frm_option.h"
#include "editors/signalling/frm_2tone.h"
#include "editors/signalling/frm_5tone.h"
#include "editors/signalling/frm_dtmf.h"
#include "app/form_comm.h"
#include "ui/shell.h"
#include "ui/window_names.h"

namespace vx {

void registerWindows()
{
    using shell::registerWindow;
    // Whole-radio read and write.
    registerWindow(window::kCommRead, [] { return new Form_Comm_Read; });
    registerWindow(window::kCommWrite, [] { return new Form_Comm_Write; });
    // Port setup and the data file dialogs.
    registerWindow(window::kSetup, [] { return new Form_setup; });
    registerWindow(window::kOpenFile, [] { return new Form_open_chann; });
    registerWindow(window::kSaveFile, [] { return new Form_save_chann; });
    // Channel lists: import (with its report) and export.
    registerWindow(window::kImportCsv, [] { return new Form_import_csv; });
    registerWindow(window::kExportCsv, [] { return new Form_export_csv; });
    registerWindow(window::kCsvReport, [] { return new Form_csv_report; });
    // Editors.
    registerWindow(window::kChannels, [] { return new frm_chann; });
    registerWindow(window::kOptions, [] { return new frm_option; });
    registerWindow(window::kDtmf, [] { return new frm_dtmf; });
    registerWindow(window::kTwoTone, [] { return new frm_2tone; });
    registerWindow(window::kFiveTone, [] { return new frm_5tone; });
    registerWindow(window::kFm, [] { return new frm_FM; });
    registerWindow(window::kAdjust, [] { return new frm_Adj_Txp; });
    // About box.
    registerWindow(window::kAbout, [] { return new AboutBox; });
}

}  // namespace vx
