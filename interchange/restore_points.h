#pragma once
// Restore points: every image a radio held, kept as a dated data file so
// that a radio can be put back as it was. A store is a folder with one
// subfolder a radio (its model and serial number from the identification)
// and one data file a point, named by its time and kind:
//
//   <store>/EMU-01_EMU000-000000-0001/20261210-104512-317-read.dat
//   <store>/index.json   time, radio, kind and rows changed of each point
//
// The file names alone say everything but the rows changed, so a lost or
// damaged index costs only that. A point whose file is missing, cut short or
// not a data file is listed as unreadable and is never loaded.

#include "image/image.h"

#include <QDateTime>
#include <QString>

#include <optional>
#include <vector>

namespace vx::restore {

enum class Kind {
    Read,    // a whole-radio read
    Write,   // what a whole-radio write sent
    Backup,  // what a change-only write found in the radio before it wrote
};

// The radio as its identification names it.
struct Radio {
    QString model;
    QString serial;
    bool operator==(const Radio&) const = default;
};

struct Point {
    QString path;      // the data file
    QDateTime time;    // UTC
    Radio radio;
    Kind kind = Kind::Read;
    int rowsChanged = -1;  // against the point before; -1 unknown
    bool readable = true;  // the file is there and loads as a data file
};

// What is kept: every point of the last `days` days, and the newest
// `perRadio` points of each radio whatever their age.
struct Retention {
    int perRadio = 50;
    int days = 30;
};

class Store {
public:
    explicit Store(QString folder);
    // The store of this user: "vxprog/restore-points" in the data folder
    // ($XDG_DATA_HOME, ~/.local/share on Linux).
    static QString defaultFolder();

    const QString& folder() const { return folder_; }

    // Keeps `image` as a new point of `radio` at `now`, then applies
    // `retention`. The point, or nullopt with `error` saying why (a folder
    // that cannot be written, a disk full): the caller reports it once and
    // goes on, a store never stops a transfer.
    std::optional<Point> add(const Image& image, const Radio& radio, Kind kind, int rowsChanged, const QDateTime& now,
                             const Retention& retention = {}, QString* error = nullptr);

    // Every point, newest first, each checked for being readable.
    std::vector<Point> points() const;
    // The newest readable point of `radio`; nullopt when it has none.
    std::optional<Point> newest(const Radio& radio) const;

    // Loads a point; false, and `image` untouched, when it is unreadable.
    bool load(const Point& point, Image& image) const;
    bool remove(const Point& point);

    // Removes the points `retention` does not keep; returns how many.
    int prune(const Retention& retention, const QDateTime& now);

private:
    std::vector<Point> scan() const;
    static std::vector<Point> keep(const std::vector<Point>& all, const Retention& retention, const QDateTime& now);
    bool writeIndex(const std::vector<Point>& points, QString* error) const;

    QString folder_;
};

// "read", "write", "backup": the kind in file names and the index.
QString kind_word(Kind kind);

}  // namespace vx::restore
