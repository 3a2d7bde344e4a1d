#pragma once
// Tells the open editors that rows of the application's image changed under
// them: a data file loaded, a whole-radio read, Default or Clear in another
// window, the tables a whole-radio write lays in. Each open editor whose rows
// are touched shows the new contents at once, before the user can act on one
// of its controls again, so no editor stores a value it showed from an older
// image.
//
// An editor's own edits are not announced: it shows them itself.

#include "image/image.h"

#include <QObject>

namespace vx {

class ImageChanges final : public QObject {
    Q_OBJECT
public:
    // Rows `rows` of the application's image changed. `source` is the window
    // that changed them and shows them itself (null: nobody does).
    void announce(region::Rows rows, const QObject* source = nullptr);
    void announceAll(const QObject* source = nullptr) { announce(region::all, source); }

signals:
    void changed(int first, int last, const QObject* source);
};

// The application image's announcer.
ImageChanges& imageChanges();

// True when the two runs of rows share a row.
constexpr bool overlaps(region::Rows a, region::Rows b) { return a.first <= b.last && b.first <= a.last; }

}  // namespace vx
