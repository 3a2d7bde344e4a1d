#include "app/windows.h"

#include "app/about.h"
#include "app/channel_clipboard.h"
#include "app/compare_window.h"
#include "app/csv_import.h"
#include "app/file_dialog.h"
#include "app/form_doctor.h"
#include "app/form_setup.h"
#include "app/restore_window.h"
#include "editors/adjust/frm_adj_txp.h"
#include "editors/channels/frm_chann.h"
#include "editors/fm/frm_fm.h"
#include "editors/options/frm_option.h"
#include "editors/signalling/frm_2tone.h"
#include "editors/signalling/frm_5tone.h"
#include "editors/signalling/frm_dtmf.h"
#include "app/form_comm.h"
#include "app/write_changes.h"
#include "ui/shell.h"
#include "ui/window_names.h"

namespace vx {

void registerWindows(RadioDocument& doc)
{
    using shell::registerWindow;
    // Whole-radio read and write.
    registerWindow(window::kCommRead, [&doc] { return new Form_Comm_Read(doc); });
    registerWindow(window::kCommWrite, [&doc] { return new Form_Comm_Write(doc); });
    // The connection check.
    registerWindow(window::kDoctor, [&doc] { return new Form_doctor(doc); });
    // The change-only write with its preview.
    registerWindow(window::kWriteChanges, [&doc] { return new Form_write_changes(doc); });
    // The restore points, and comparing any two images of the radio.
    registerWindow(window::kRestorePoints, [&doc] { return new Form_restore_points(doc); });
    registerWindow(window::kCompare, [&doc] { return new Form_compare(doc); });
    // Port setup and the data file dialogs.
    registerWindow(window::kSetup, [&doc] { return new Form_setup(doc); });
    registerWindow(window::kOpenFile, [&doc] { return new Form_open_chann(doc); });
    registerWindow(window::kSaveFile, [&doc] { return new Form_save_chann(doc); });
    // Channel lists: import (with its report) and export.
    registerWindow(window::kImportCsv, [&doc] { return new Form_import_csv(doc); });
    registerWindow(window::kExportCsv, [&doc] { return new Form_export_csv(doc); });
    registerWindow(window::kCsvReport, [&doc] { return new Form_csv_report(doc); });
    // Editors.
    registerWindow(window::kChannels, [&doc] {
        auto* w = new frm_chann(doc);
        attach_channel_clipboard(*w);  // copy and paste with spreadsheets
        return w;
    });
    registerWindow(window::kOptions, [&doc] { return new frm_option(doc); });
    registerWindow(window::kDtmf, [&doc] { return new frm_dtmf(doc); });
    registerWindow(window::kTwoTone, [&doc] { return new frm_2tone(doc); });
    registerWindow(window::kFiveTone, [&doc] { return new frm_5tone(doc); });
    registerWindow(window::kFm, [&doc] { return new frm_FM(doc); });
    registerWindow(window::kAdjust, [&doc] { return new frm_Adj_Txp(doc); });
    // About box.
    registerWindow(window::kAbout, [] { return new AboutBox; });
}

}  // namespace vx
