#include "interchange/restore_points.h"

#include "interchange/datafile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>
#include <map>

namespace vx::restore {

namespace {

const QString kIndex = QStringLiteral("index.json");
const QString kTimeFormat = QStringLiteral("yyyyMMdd-HHmmss-zzz");

// A name part a file system takes everywhere: letters, digits and '-'.
QString namePart(const QString& text)
{
    QString out;
    for (const QChar c : text.trimmed())
        out += (c.isLetterOrNumber() && c.unicode() < 0x80) || c == QLatin1Char('-') ? c : QLatin1Char('-');
    return out.isEmpty() ? QStringLiteral("unknown") : out;
}

QString radioFolder(const Radio& radio) { return namePart(radio.model) + QLatin1Char('_') + namePart(radio.serial); }

std::optional<Kind> kindOf(const QString& word)
{
    for (const Kind k : {Kind::Read, Kind::Write, Kind::Backup})
        if (word == kind_word(k))
            return k;
    return std::nullopt;
}

// What the index adds to a file name: the radio as reported, the rows; and
// of a file gone, its time and kind.
struct Known {
    Radio radio;
    int rows = -1;
    QDateTime time;
    QString kind;
};

std::map<QString, Known> readIndex(const QString& folder)
{
    std::map<QString, Known> out;
    QFile f(QDir(folder).filePath(kIndex));
    if (f.size() > 4 * 1024 * 1024 || !f.open(QIODevice::ReadOnly))
        return out;
    const QJsonArray points = QJsonDocument::fromJson(f.readAll()).object().value(QStringLiteral("points")).toArray();
    for (const QJsonValue& v : points) {
        const QJsonObject o = v.toObject();
        out[o.value(QStringLiteral("file")).toString()] = {
            {o.value(QStringLiteral("model")).toString(), o.value(QStringLiteral("serial")).toString()},
            o.value(QStringLiteral("rows")).toInt(-1),
            QDateTime::fromString(o.value(QStringLiteral("time")).toString(), Qt::ISODateWithMs),
            o.value(QStringLiteral("kind")).toString()};
    }
    return out;
}

bool readable(const QString& path)
{
    Image scratch;
    return datafile::load(path, scratch).ok();
}

}  // namespace

QString kind_word(Kind kind)
{
    switch (kind) {
    case Kind::Read: return QStringLiteral("read");
    case Kind::Write: return QStringLiteral("write");
    case Kind::Backup: break;
    }
    return QStringLiteral("backup");
}

Store::Store(QString folder) : folder_(std::move(folder)) {}

// The window program's data folder (vxprog), whichever program asks, so the
// command line's backups land beside the window program's points.
QString Store::defaultFolder()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(QStringLiteral("vxprog/restore-points"));
}

// The points the file names give, with what the index knows of them.
std::vector<Point> Store::scan() const
{
    static const QRegularExpression name(QStringLiteral("^(\\d{8}-\\d{6}-\\d{3})-([a-z]+)(-\\d+)?\\.dat$"));
    const std::map<QString, Known> index = readIndex(folder_);
    std::vector<Point> out;
    const QDir root(folder_);
    for (const QString& sub : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        const qsizetype cut = sub.indexOf(QLatin1Char('_'));
        const Radio fromFolder{cut < 0 ? sub : sub.left(cut), cut < 0 ? QString() : sub.mid(cut + 1)};
        for (const QString& file : QDir(root.filePath(sub)).entryList(QDir::Files, QDir::Name)) {
            const QRegularExpressionMatch m = name.match(file);
            const std::optional<Kind> kind = m.hasMatch() ? kindOf(m.captured(2)) : std::nullopt;
            if (!kind)
                continue;
            Point p;
            p.path = root.filePath(sub + QLatin1Char('/') + file);
            p.time = QDateTime::fromString(m.captured(1), kTimeFormat);
            p.time.setTimeSpec(Qt::UTC);
            p.kind = *kind;
            p.radio = fromFolder;
            if (const auto it = index.find(sub + QLatin1Char('/') + file); it != index.end()) {
                p.radio = it->second.radio;
                p.rowsChanged = it->second.rows;
            }
            out.push_back(p);
        }
    }
    // Points the index names whose file is gone: listed, never readable.
    for (const auto& [file, known] : index) {
        const QString path = root.filePath(file);
        if (QFileInfo::exists(path) || !known.time.isValid())
            continue;
        Point p;
        p.path = path;
        p.time = known.time.toUTC();
        p.kind = kindOf(known.kind).value_or(Kind::Read);
        p.radio = known.radio;
        p.rowsChanged = known.rows;
        p.readable = false;
        out.push_back(p);
    }
    std::ranges::sort(out, [](const Point& a, const Point& b) { return a.time != b.time ? a.time > b.time : a.path > b.path; });
    return out;
}

std::vector<Point> Store::points() const
{
    std::vector<Point> out = scan();
    for (Point& p : out)
        p.readable = p.readable && readable(p.path);
    return out;
}

std::optional<Point> Store::newest(const Radio& radio) const
{
    // A file name begins with its time: the last name is the newest point.
    const QString sub = radioFolder(radio);
    const QDir dir(QDir(folder_).filePath(sub));
    for (const QString& file : dir.entryList({QStringLiteral("*.dat")}, QDir::Files, QDir::Name | QDir::Reversed)) {
        const QString path = dir.filePath(file);
        if (!readable(path))
            continue;
        for (const Point& p : scan())
            if (p.path == path)
                return p;
    }
    return std::nullopt;
}

bool Store::writeIndex(const std::vector<Point>& points, QString* error) const
{
    QJsonArray list;
    const QDir root(folder_);
    for (const Point& p : points)
        list.append(QJsonObject{{QStringLiteral("file"), root.relativeFilePath(p.path)},
                                {QStringLiteral("time"), p.time.toString(Qt::ISODateWithMs)},
                                {QStringLiteral("model"), p.radio.model},
                                {QStringLiteral("serial"), p.radio.serial},
                                {QStringLiteral("kind"), kind_word(p.kind)},
                                {QStringLiteral("rows"), p.rowsChanged}});
    QSaveFile f(root.filePath(kIndex));
    const QByteArray text = QJsonDocument(QJsonObject{{QStringLiteral("points"), list}}).toJson();
    if (f.open(QIODevice::WriteOnly) && f.write(text) == text.size() && f.commit())
        return true;
    if (error)
        *error = f.errorString();
    return false;
}

std::optional<Point> Store::add(const Image& image, const Radio& radio, Kind kind, int rowsChanged, const QDateTime& now,
                                const Retention& retention, QString* error)
{
    const QDir root(folder_);
    const QString sub = radioFolder(radio);
    if (!root.mkpath(sub)) {
        if (error)
            *error = QStringLiteral("cannot make the folder %1").arg(root.filePath(sub));
        return std::nullopt;
    }
    const QDateTime utc = now.toUTC();
    const QString stem = root.filePath(sub + QLatin1Char('/') + utc.toString(kTimeFormat) + QLatin1Char('-') + kind_word(kind));
    QString path = stem + QStringLiteral(".dat");
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = stem + QStringLiteral("-%1.dat").arg(n);
    QString detail;
    if (datafile::save(image, path, &detail) != datafile::SaveError::None) {
        if (error)
            *error = detail.isEmpty() ? QStringLiteral("cannot write %1").arg(path) : detail;
        return std::nullopt;
    }
    Point point{path, utc, radio, kind, rowsChanged, true};
    point.time = QDateTime::fromString(utc.toString(kTimeFormat), kTimeFormat);  // as the name keeps it
    point.time.setTimeSpec(Qt::UTC);
    std::vector<Point> all = scan();
    for (Point& p : all)
        if (p.path == path)
            p = point;
    const std::vector<Point> kept = keep(all, retention, now);
    if (!writeIndex(kept, error))
        return point;  // the point is kept; only the index is behind
    return point;
}

bool Store::load(const Point& point, Image& image) const { return datafile::load(point.path, image).ok(); }

bool Store::remove(const Point& point)
{
    if (QFileInfo::exists(point.path) && !QFile::remove(point.path))
        return false;
    std::vector<Point> rest = scan();
    std::erase_if(rest, [&](const Point& p) { return p.path == point.path; });
    return writeIndex(rest, nullptr);
}

int Store::prune(const Retention& retention, const QDateTime& now)
{
    const std::vector<Point> all = scan();
    const std::vector<Point> kept = keep(all, retention, now);
    if (kept.size() != all.size())
        writeIndex(kept, nullptr);
    return int(all.size() - kept.size());
}

// The points of `all` (newest first) that `retention` keeps; the files of
// the others are removed.
std::vector<Point> Store::keep(const std::vector<Point>& all, const Retention& retention, const QDateTime& now)
{
    const QDateTime since = now.toUTC().addDays(-retention.days);
    std::map<QString, int> seen;  // points of each radio met so far, newest first
    std::vector<Point> kept;
    for (const Point& p : all) {
        const int nth = seen[QFileInfo(p.path).dir().dirName()]++;
        const bool keepIt = nth < retention.perRadio || p.time >= since;
        if (keepIt || (QFileInfo::exists(p.path) && !QFile::remove(p.path)))
            kept.push_back(p);  // kept, or still there and so still listed
    }
    return kept;
}

}  // namespace vx::restore
