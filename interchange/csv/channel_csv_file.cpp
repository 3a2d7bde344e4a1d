// The import's result as a report, and reading a channel list file within
// the size bound.
#include "interchange/csv/channel_csv.h"
#include "interchange/csv/channel_csv_texts.h"

#include <QFile>

#include <algorithm>

namespace vx::channels {

namespace T = csv_text;

bool CsvImport::ok() const { return count(CsvNote::Refused) == 0; }

int CsvImport::count(CsvNote::Kind kind) const { return found[size_t(kind)]; }

QStringList CsvImport::report() const
{
    QStringList out;
    for (const CsvNote& n : notes) {
        const Text& form = n.kind == CsvNote::Refused   ? T::lineRefused
                           : n.kind == CsvNote::Skipped ? T::lineSkipped
                           : n.kind == CsvNote::Adapted ? T::lineAdapted
                                                        : T::lineNote;
        out << form.str().arg(n.line).arg(n.text);
    }
    if (more > 0)
        out << (more == 1 ? T::oneMoreProblem.str() : T::moreProblems.str().arg(more));
    if (stoppedAfter > 0)
        out << T::stoppedAfter.str().arg(stoppedAfter);
    return out;
}

QString file_size_text(qint64 bytes) { return T::fileSize.str().arg(double(bytes) / 1e6, 0, 'f', 1).arg(bytes); }

QString CsvFile::reason() const
{
    switch (error) {
    case None: return {};
    case CannotOpen: return T::fileUnreadable.str();
    case TooLarge: return T::fileTooLarge.str().arg(file_size_text(size), file_size_text(kMaxCsvBytes));
    }
    return {};
}

CsvFile read_csv_file(const QString& path)
{
    CsvFile out;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {.error = CsvFile::CannotOpen, .size = 0, .bytes = {}};
    out.size = file.size();
    if (out.size > kMaxCsvBytes)
        return {.error = CsvFile::TooLarge, .size = out.size, .bytes = {}};
    out.bytes = file.read(kMaxCsvBytes + 1);  // a file without a size stops here
    if (out.bytes.size() > kMaxCsvBytes) {
        out.size = std::max<qint64>(out.size, out.bytes.size());
        return {.error = CsvFile::TooLarge, .size = out.size, .bytes = {}};
    }
    if (file.error() != QFileDevice::NoError)
        return {.error = CsvFile::CannotOpen, .size = 0, .bytes = {}};
    out.size = out.bytes.size();
    return out;
}

}  // namespace vx::channels
