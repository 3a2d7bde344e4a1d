#pragma once
// Copy, cut and paste of channels between the channel grid and spreadsheets,
// added to the grid's context menu (Ctrl+C, Ctrl+X, Ctrl+V): the selected
// channels go to the clipboard as tab-separated text with the channel
// list's header and columns, and a channel list on the clipboard (tabs,
// commas or semicolons) is pasted from the first selected channel on
// through the channel list import's rules in fit mode, with its report when
// anything was adapted. The grid knows no file format; the composition root
// attaches this to each channel window it makes.

namespace vx {

class frm_chann;

void attach_channel_clipboard(frm_chann& window);

// What the three commands do, for the window and for tests.
void copy_channels(frm_chann& window);
void cut_channels(frm_chann& window);
void paste_channels(frm_chann& window);

}  // namespace vx
