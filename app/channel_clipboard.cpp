#include "app/channel_clipboard.h"

#include "app/channel_clipboard_texts.h"

#include "editors/channels/channel_rows.h"
#include "editors/channels/frm_chann.h"
#include "interchange/csv/channel_csv.h"
#include "link/transfer_texts.h"
#include "ui/prompt.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QTableView>

namespace vx {

namespace {

namespace T = channel_clipboard_text;

bool refusedWhileBusy(const frm_chann& w)
{
    if (!w.busy())
        return false;
    warn(transfer_text::title, transfer_text::busy);
    return true;
}

}  // namespace

void copy_channels(frm_chann& w)
{
    const std::vector<int> chosen = w.selectedChannels();
    if (chosen.empty())
        return;
    QGuiApplication::clipboard()->setText(QString::fromUtf8(channels::export_channels(w.document().image(), chosen, '\t')));
}

void cut_channels(frm_chann& w)
{
    if (refusedWhileBusy(w))
        return;
    copy_channels(w);
    w.runRowCommand(frm_chann::RowCommand::Clear);
}

void paste_channels(frm_chann& w)
{
    if (refusedWhileBusy(w))
        return;
    const std::vector<int> chosen = w.selectedChannels();
    if (chosen.empty())
        return;
    const int at = chosen.front();
    RadioDocument& doc = w.document();
    Image trial = doc.image();
    const channels::CsvImport result =
        channels::import_csv(QGuiApplication::clipboard()->text().toUtf8(), trial, {.limits = doc.bandLimits(), .fit = true, .placeAt = at});
    if (!result.ok() || result.channels == 0) {
        warn(T::kTitle, T::kNotAList.str() + QLatin1Char('\n') + result.report().join(QLatin1Char('\n')));
        return;
    }
    const int last = at + result.channels - 1;
    const EditName name{T::kPasteEdit.in(true).arg(at).arg(last), T::kPasteEdit.in(false).arg(at).arg(last)};
    doc.edit(name, channels::rows_of(at, last), [&](Image& image) {
        for (const region::Rows& rows : channels::rows_of(at, last))
            for (int r = rows.first; r <= rows.last; ++r)
                image.setRow(r, trial.row(r));
    });
    std::vector<int> pasted;
    for (int n = at; n <= last; ++n)
        pasted.push_back(n);
    w.selectChannels(pasted);
    if (result.count(channels::CsvNote::Adapted) + result.count(channels::CsvNote::Skipped) > 0)
        warn(T::kTitle, T::kAdapted.str().arg(result.channels) + QLatin1Char('\n') + result.report().join(QLatin1Char('\n')));
}

void attach_channel_clipboard(frm_chann& w)
{
    QMenu* menu = w.rowMenu();
    auto* grid = w.findChild<QTableView*>(QStringLiteral("MSF_Chann"));
    if (!menu || !grid)
        return;
    menu->addSeparator();
    const struct {
        const char* name;
        Text caption;
        QKeySequence keys;
        void (*run)(frm_chann&);
    } entries[] = {
        {"Menu_copy", T::kCopy, QKeySequence(Qt::CTRL | Qt::Key_C), copy_channels},
        {"Menu_cut", T::kCut, QKeySequence(Qt::CTRL | Qt::Key_X), cut_channels},
        {"Menu_paste", T::kPaste, QKeySequence(Qt::CTRL | Qt::Key_V), paste_channels},
    };
    for (const auto& e : entries) {
        auto* a = new QAction(e.caption.str(), menu);
        a->setObjectName(QString::fromLatin1(e.name));
        a->setShortcut(e.keys);
        a->setShortcutContext(Qt::WidgetShortcut);
        QObject::connect(a, &QAction::triggered, &w, [&w, run = e.run] { run(w); });
        // The caption follows the language each time the menu comes up.
        QObject::connect(menu, &QMenu::aboutToShow, a, [a, caption = e.caption] { a->setText(caption.str()); });
        menu->addAction(a);
        grid->addAction(a);
    }
}

}  // namespace vx
