#pragma once
// The common file dialog: a drive list (Drive1), a folder list (Dir1), a
// file list (File1) showing the folder's files that match "*" + extension,
// a name box (Text1) and Confirm (Command_enter) / Cancel (Command_close).
// One class serves every file kind; the kind gives title, extension,
// messages and the action. Modeless; each opening starts in the
// application's current folder, and browsing never changes that folder.
//
// Form_open_chann and Form_save_chann are its instances for the ".dat" data
// file (the whole image).

#include "image/language.h"

#include <QList>
#include <QString>
#include <QWidget>

#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

#include "image/radio_document.h"

namespace vx::datafile {
struct LoadResult;
}

namespace vx {

struct FileKind {
    QString codeName;       // the window's objectName
    Text title;
    Text nameLabel;         // caption of Label_name
    QString extension;      // with its dot, in lower case: ".dat"
    Text nameMessage;       // the name holds * $ \ / or #
    Text extensionMessage;  // the name does not end in the extension
    // Reads or writes the chosen file and reports the outcome to the user;
    // true when it succeeded (the dialog then closes).
    std::function<bool(const QString& path)> action;
};

// A drive list entry: a folder to start browsing from.
struct Drive {
    QString root;             // absolute path
    QString label;            // as listed
    bool mountPoint = false;  // a mounted volume: not ready once unmounted
};

// The drives of this platform: on Windows the drive letters; elsewhere "/",
// the home folder and mounted media (/media, /mnt, /run/media, /Volumes).
QList<Drive> browsableDrives();
// Replaces where the drive list comes from (tests); empty: back to
// browsableDrives(). Read each time a dialog opens.
void setDriveSource(std::function<QList<Drive>()> source);

class FileDialog : public QWidget {
    Q_OBJECT
public:
    static constexpr int kDesignWidth = 6400;  // twips
    static constexpr int kDesignHeight = 6000;

    explicit FileDialog(FileKind kind, QWidget* parent = nullptr);
    const FileKind& kind() const { return kind_; }

    enum class NameCheck { Ok, BadCharacter, BadExtension };
    // The checks Confirm makes on the trimmed name: a character of
    // * $ \ / # first, then the last four characters (spaces removed) must be
    // the extension in all lower or all upper case.
    static NameCheck checkName(const QString& name, const QString& extension);

    // The folder the folder list shows; the file used on Confirm is in it.
    QString folder() const { return folder_; }
    // Moves the lists to `path`; when it cannot be read a message is shown
    // and the lists stay where they were.
    bool setFolder(const QString& path);
    // Chooses the drive list entry `root`, as a click on it would.
    bool setDrive(const QString& root);

signals:
    // The action succeeded on `path` (just before the dialog closes).
    void completed(const QString& path);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void prepare();
    void fillDrives();
    void showDriveOf(const QString& path);
    void showFolder(const QString& folder);
    void onDriveChosen(int index);
    void onFolderActivated(QListWidgetItem* item);
    void onFileChosen(QListWidgetItem* item);
    void confirm();
    void closeDialog();

    FileKind kind_;
    QString folder_;
    QList<Drive> driveList_;
    int driveIndex_ = -1;
    bool refreshing_ = false;
    bool prepared_ = false;

    QLabel* labelDrive_ = nullptr;
    QComboBox* drives_ = nullptr;
    QListWidget* dirs_ = nullptr;
    QListWidget* files_ = nullptr;
    QLabel* labelName_ = nullptr;
    QLineEdit* name_ = nullptr;
    QPushButton* enter_ = nullptr;
    QPushButton* close_ = nullptr;
};

// Why a data file did not load, as the open dialog says it: the file could
// not be opened, or what is wrong on which line. Empty when it loaded.
QString data_file_problem(const datafile::LoadResult& result);

// The data file's open dialog: loads the chosen file into the image.
class Form_open_chann final : public FileDialog {
public:
    explicit Form_open_chann(RadioDocument& doc, QWidget* parent = nullptr);
};

// The data file's save dialog: saves the image to the chosen file.
class Form_save_chann final : public FileDialog {
public:
    explicit Form_save_chann(const RadioDocument& doc, QWidget* parent = nullptr);
};

}  // namespace vx
