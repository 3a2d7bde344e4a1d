// The data file's open and save dialogs: the common file dialog with the
// ".dat" extension, loading into and saving from the application's image.

#include "app/file_dialog.h"
#include "app/file_dialog_texts.h"
#include "interchange/datafile.h"
#include "image/image.h"
#include "ui/prompt.h"
#include "ui/window_names.h"

namespace vx {

namespace {

namespace text = file_dialog_text::data;

const QString kExtension = QStringLiteral(".dat");

void report(const QString& message) { warn(file_dialog_text::promptTitle, message); }

// Loads into the image only when the whole file was read; otherwise says
// what was wrong and where, and the image stays as it was. The open editors
// show what was loaded before the message comes up.
bool loadDataFile(RadioDocument& doc, const QString& path)
{
    Image loaded = doc.image();
    const datafile::LoadResult result = datafile::load(path, loaded);
    if (!result.ok()) {
        report(data_file_problem(result));
        return false;
    }
    doc.replace(edits::loadDataFile(), loaded);
    report(text::loaded);
    return true;
}

// Saves through a temporary file, so a failed save leaves any old file whole.
bool saveDataFile(const RadioDocument& doc, const QString& path)
{
    switch (datafile::save(doc.image(), path)) {
    case datafile::SaveError::None: report(text::saved); return true;
    case datafile::SaveError::CannotOpen: report(text::cannotCreate); break;
    case datafile::SaveError::WriteFailed: report(text::writeFailed); break;
    }
    return false;
}

}  // namespace

QString data_file_problem(const datafile::LoadResult& result)
{
    const int line = result.row + 1;  // row r is written on line r + 1
    switch (result.error) {
    case datafile::LoadError::None: break;
    case datafile::LoadError::CannotOpen: return text::cannotOpen;
    case datafile::LoadError::TooShort: return text::tooShort.str().arg(line);
    case datafile::LoadError::NotANumber: return text::notANumber.str().arg(line);
    case datafile::LoadError::OutOfRange: return text::outOfRange.str().arg(line);
    }
    return {};
}

Form_open_chann::Form_open_chann(RadioDocument& doc, QWidget* parent)
    : FileDialog({window::kOpenFile, text::openTitle, text::openName, kExtension, text::openNameMessage,
                  text::openExtensionMessage, [&doc](const QString& path) { return loadDataFile(doc, path); }},
                 parent)
{
}

Form_save_chann::Form_save_chann(const RadioDocument& doc, QWidget* parent)
    : FileDialog({window::kSaveFile, text::saveTitle, text::saveName, kExtension, text::saveNameMessage,
                  text::saveExtensionMessage, [&doc](const QString& path) { return saveDataFile(doc, path); }},
                 parent)
{
}

}  // namespace vx
