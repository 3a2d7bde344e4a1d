#include "app/restore_keeping.h"

#include "app/form_comm_texts.h"
#include "link/transfer_texts.h"
#include "ui/prompt.h"

#include <QDateTime>
#include <QDir>

#include <algorithm>
#include <utility>

namespace vx {

namespace {
// Whether a document was told its restore points cannot be kept.
struct RestoreReport {
    bool told = false;
};
}  // namespace

std::optional<restore::Point> keep_restore_point(RadioDocument& doc, const Image& image, restore::Kind kind,
                                                 region::Rows rows, int rowsChanged)
{
    restore::Store store(restore::Store::defaultFolder());
    const restore::Radio radio{doc.model(), doc.serial()};
    if (rowsChanged < 0) {
        Image before;
        if (const auto last = store.newest(radio); last && store.load(*last, before)) {
            rowsChanged = 0;
            for (int r = rows.first; r <= rows.last; ++r)
                rowsChanged += std::ranges::equal(before.row(r), image.row(r)) ? 0 : 1;
        }
    }
    QString error;
    if (auto point = store.add(image, radio, kind, rowsChanged, QDateTime::currentDateTimeUtc(), {}, &error))
        return point;
    if (!std::exchange(doc.part<RestoreReport>().told, true))
        warn(transfer_text::title,
             form_comm_text::restoreFailed.str().arg(QDir::toNativeSeparators(store.folder()), error));
    return std::nullopt;
}

}  // namespace vx
