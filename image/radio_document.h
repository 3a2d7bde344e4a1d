#pragma once
// One radio's document: its memory image, the band limits its last
// identification reported, the port it is reached on, the tables that live
// beside the image (the option block's working copy, the adjustment table:
// see part()), and the record of every edit. The application makes one and
// hands it to every window; the command line makes its own; a test makes as
// many as it likes. Nothing of a radio lives anywhere else.
//
// Every change of the image is one named edit: edit() runs the change on the
// rows it names, records the rows that really changed with their bytes
// before and after, and announces them to the open windows. An edit costs a
// copy of the rows it names, never of the whole image.

#include "image/image.h"
#include "image/tables.h"

#include <QObject>
#include <QString>

#include <array>
#include <cstddef>
#include <functional>
#include <memory>
#include <typeindex>
#include <unordered_map>
#include <vector>

namespace vx {

// An edit's name in both languages ("Channel 12 RX Frequency", "Default").
struct EditName {
    QString zh;
    QString en;
    QString str() const;  // in the language of the moment
    bool operator==(const EditName&) const = default;
};

// The names of the edits every window makes.
namespace edits {
EditName readFromRadio();      // a read, whole or of a window's region
EditName defaults();           // Default
EditName clear();              // Clear
EditName loadDataFile();       // a data file loaded
EditName importChannels();     // a channel list imported
EditName applyConfiguration(); // a text configuration applied
EditName writeTables();        // the constant tables a whole write lays in
EditName startUp();            // the factory values start-up lays down
}  // namespace edits

// One row an edit changed.
struct RowChange {
    int row;
    std::array<uint8_t, Image::kRowBytes> before;
    std::array<uint8_t, Image::kRowBytes> after;
};

// One recorded edit: its name and the rows it changed, in row order.
struct EditRecord {
    EditName name;
    std::vector<RowChange> rows;
};

// True when the two runs of rows share a row.
constexpr bool overlaps(region::Rows a, region::Rows b) { return a.first <= b.last && b.first <= a.last; }

class RadioDocument final : public QObject {
    Q_OBJECT
public:
    explicit RadioDocument(QObject* parent = nullptr);
    ~RadioDocument() override;

    const Image& image() const { return image_; }

    // One edit: `change` runs on the image and may change rows `rows` only.
    // The rows it changed are recorded under `name` and announced; `source`
    // is the window that shows the change itself (null: nobody does). An
    // edit that changes no byte records and announces nothing. Returns
    // whether a byte changed.
    using Change = std::function<void(Image&)>;
    bool edit(const EditName& name, const std::vector<region::Rows>& rows, const Change& change,
              const QObject* source = nullptr);
    bool edit(const EditName& name, region::Rows rows, const Change& change, const QObject* source = nullptr)
    {
        return edit(name, std::vector<region::Rows>{rows}, change, source);
    }
    // A key typed into a field that stores what it shows at once: an edit
    // like edit(), except that the keys typed into one field until it is
    // left are one entry of the record, so one undo takes back what was
    // typed there. It joins the newest entry when that entry is the typing
    // of the same `source` under the same name and has not been ended:
    // endTyping() (the field is left), any other edit, an undo, a redo or
    // start() ends it. Typing that brings every byte back leaves no entry.
    bool typed(const EditName& name, const std::vector<region::Rows>& rows, const Change& change, const QObject* source);
    void endTyping(const QObject* source)
    {
        if (typing_ == source)
            typing_ = nullptr;
    }

    // Starts the document afresh on `image` (start-up): no edit, the record
    // emptied, and every open window shows the new contents.
    void start(const Image& image);

    // Replaces rows `rows` with those of `from` (a read, a file loaded): one
    // edit.
    bool replace(const EditName& name, const Image& from, region::Rows rows = region::all,
                 const QObject* source = nullptr);

    // The edits in the order they were made, oldest first, undone ones
    // included (the newest undoneCount()). The oldest are dropped once more
    // than kRecordedRows rows are held.
    const std::vector<EditRecord>& record() const { return record_; }

    // Undo and redo through the record: undo() puts back the rows of the
    // newest edit not yet undone as they were before it, redo() makes the
    // oldest undone edit again; each is announced like an edit. A new edit
    // drops the undone ones. Both return false, and change nothing, when
    // there is nothing to take back or make again.
    bool undo(const QObject* source = nullptr);
    bool redo(const QObject* source = nullptr);
    bool canUndo() const { return undone_ < record_.size(); }
    bool canRedo() const { return undone_ > 0; }
    // The edit undo() or redo() would take back or make again; null: none.
    const EditRecord* nextUndo() const { return canUndo() ? &record_[record_.size() - undone_ - 1] : nullptr; }
    const EditRecord* nextRedo() const { return canRedo() ? &record_[record_.size() - undone_] : nullptr; }
    std::size_t undoneCount() const { return undone_; }
    static constexpr std::size_t kRecordedRows = 100'000;

    // The image without a record or an announcement: for laying fixtures in
    // tests and benchmarks before anything shows it. Product code edits.
    Image& unrecorded() { return image_; }

    // The band limits every range check uses; replaced by each good identity
    // reply.
    const BandLimits& bandLimits() const { return limits_; }
    void setBandLimits(const BandLimits& limits);

    // The radio as its last good identification named it (empty before):
    // its model and serial number.
    const QString& model() const { return model_; }
    const QString& serial() const { return serial_; }
    void setIdentity(const QString& model, const QString& serial)
    {
        model_ = model;
        serial_ = serial;
    }

    // The serial port (1..12) the radio is reached on, and whether the last
    // attempt to open it failed.
    int portNumber() const { return port_; }
    void setPortNumber(int port) { port_ = port; }
    bool portFailed() const { return portFailed_; }
    void setPortFailure(bool failed) { portFailed_ = failed; }

    // A table of the radio's that lives beside the image, made (value-
    // initialised) the first time it is asked for and kept as long as the
    // document: the option block's working copy, the adjustment table. The
    // image layer knows nothing of their types.
    template <class T>
    T& part()
    {
        std::unique_ptr<PartBase>& slot = parts_[std::type_index(typeid(T))];
        if (!slot)
            slot = std::make_unique<Part<T>>();
        return static_cast<Part<T>*>(slot.get())->value;
    }

signals:
    // What undo() and redo() can do has changed.
    void undoChanged();
    // Rows first..last changed; `source` shows them itself.
    void changed(int first, int last, const QObject* source);
    void bandLimitsChanged();

private:
    struct PartBase {
        virtual ~PartBase() = default;
    };
    template <class T>
    struct Part final : PartBase {
        T value{};
    };

    // The rows `change` changed, in row order, before and after.
    std::vector<RowChange> run(const std::vector<region::Rows>& rows, const Change& change);
    void keep(EditRecord record);
    // Drops the oldest entries while more than kRecordedRows rows are held.
    void bound();
    // Adds `rows` (changed after the newest entry) to the newest entry.
    void join(const std::vector<RowChange>& rows);
    void announce(const std::vector<RowChange>& rows, const QObject* source);
    // Lays the before (undo) or after bytes of `record` and announces them.
    void lay(const EditRecord& record, bool before, const QObject* source);

    Image image_;
    BandLimits limits_ = kDefaultBandLimits;
    QString model_;
    QString serial_;
    int port_ = 1;
    bool portFailed_ = false;
    std::vector<EditRecord> record_;
    std::size_t recordedRows_ = 0;
    std::size_t undone_ = 0;  // the newest edits of the record that are undone
    const QObject* typing_ = nullptr;  // whose typing the newest entry is, until it ends
    std::unordered_map<std::type_index, std::unique_ptr<PartBase>> parts_;
};

}  // namespace vx
