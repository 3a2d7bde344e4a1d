#include "app/file_dialog.h"

#include "app/file_dialog_texts.h"
#include "ui/geometry.h"
#include "ui/prompt.h"
#include "ui/shell.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QStorageInfo>
#include <QStyle>
#include <QVBoxLayout>

namespace vx {

namespace text = file_dialog_text;

namespace {

std::function<QList<Drive>()> gDriveSource;

constexpr QDir::SortFlags kSort = QDir::Name | QDir::IgnoreCase | QDir::LocaleAware;
constexpr int kPathRole = Qt::UserRole;

// A folder the lists can show: it exists and its entries can be listed.
bool readableFolder(const QString& path)
{
    const QFileInfo info(path);
#if defined(Q_OS_UNIX)
    return info.isDir() && info.isReadable() && info.isExecutable();
#else
    return info.isDir() && info.isReadable();
#endif
}

bool driveReady(const Drive& drive)
{
    if (!readableFolder(drive.root))
        return false;
    const QStorageInfo volume(drive.root);
    if (!volume.isValid() || !volume.isReady())
        return false;
    // An unmounted volume leaves its empty mount folder behind.
    return !drive.mountPoint || QDir::cleanPath(volume.rootPath()) == QDir::cleanPath(drive.root);
}

bool isUnder(const QString& path, const QString& root)
{
    if (path == root)
        return true;
    return root.endsWith(QLatin1Char('/')) ? path.startsWith(root) : path.startsWith(root + QLatin1Char('/'));
}

}  // namespace

QList<Drive> browsableDrives()
{
    QList<Drive> drives;
#if defined(Q_OS_WIN)
    for (const QFileInfo& drive : QDir::drives()) {
        const QString root = drive.absoluteFilePath();
        drives.append({root, QDir::toNativeSeparators(root), false});
    }
#else
    auto add = [&drives](const QString& root, const QString& label, bool mountPoint) {
        for (const Drive& d : drives)
            if (d.root == root)
                return;
        drives.append({root, label, mountPoint});
    };
    add(QDir::rootPath(), QDir::rootPath(), false);
    add(QDir::homePath(), QDir::homePath(), false);
    // Removable media and volumes the user mounted, not the system's own
    // mounts (/proc, /sys, /run/user, /boot, snaps...).
    static const QString kMediaFolders[] = {QStringLiteral("/media/"), QStringLiteral("/mnt/"),
                                            QStringLiteral("/run/media/"), QStringLiteral("/Volumes/")};
    QList<QStorageInfo> volumes = QStorageInfo::mountedVolumes();
    std::sort(volumes.begin(), volumes.end(),
              [](const QStorageInfo& a, const QStorageInfo& b) { return a.rootPath() < b.rootPath(); });
    for (const QStorageInfo& volume : volumes) {
        const QString root = QDir::cleanPath(volume.rootPath());
        bool media = root == QLatin1String("/mnt") || root == QLatin1String("/media");
        for (const QString& folder : kMediaFolders)
            media = media || root.startsWith(folder);
        if (!media || !volume.isValid())
            continue;
        const QString name = volume.name();
        add(root, name.isEmpty() ? root : QStringLiteral("%1  [%2]").arg(root, name), true);
    }
#endif
    return drives;
}

void setDriveSource(std::function<QList<Drive>()> source) { gDriveSource = std::move(source); }

FileDialog::FileDialog(FileKind kind, QWidget* parent) : QWidget(parent), kind_(std::move(kind))
{
    setObjectName(kind_.codeName);

    labelDrive_ = new QLabel(this);
    labelDrive_->setObjectName(QStringLiteral("Label_drive"));
    drives_ = new QComboBox(this);
    drives_->setObjectName(QStringLiteral("Drive1"));
    dirs_ = new QListWidget(this);
    dirs_->setObjectName(QStringLiteral("Dir1"));
    files_ = new QListWidget(this);
    files_->setObjectName(QStringLiteral("File1"));
    labelName_ = new QLabel(this);
    labelName_->setObjectName(QStringLiteral("Label_name"));
    name_ = new QLineEdit(this);
    name_->setObjectName(QStringLiteral("Text1"));
    enter_ = new QPushButton(this);
    enter_->setObjectName(QStringLiteral("Command_enter"));
    close_ = new QPushButton(this);
    close_->setObjectName(QStringLiteral("Command_close"));
    labelDrive_->setBuddy(drives_);
    labelName_->setBuddy(name_);

    auto* driveRow = new QHBoxLayout;
    driveRow->addWidget(labelDrive_);
    driveRow->addWidget(drives_, 1);
    auto* listRow = new QHBoxLayout;
    listRow->addWidget(dirs_, 1);
    listRow->addWidget(files_, 1);
    auto* name_row = new QHBoxLayout;
    name_row->addWidget(labelName_);
    name_row->addWidget(name_, 1);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(enter_);
    buttonRow->addStretch(1);
    buttonRow->addWidget(close_);
    buttonRow->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(driveRow);
    layout->addLayout(listRow, 1);
    layout->addLayout(name_row);
    layout->addLayout(buttonRow);

    connect(drives_, &QComboBox::activated, this, &FileDialog::onDriveChosen);
    connect(dirs_, &QListWidget::itemActivated, this, &FileDialog::onFolderActivated);
    connect(files_, &QListWidget::itemClicked, this, &FileDialog::onFileChosen);
    connect(files_, &QListWidget::itemSelectionChanged, this, [this] {
        const QList<QListWidgetItem*> chosen = files_->selectedItems();
        onFileChosen(chosen.isEmpty() ? nullptr : chosen.first());  // by mouse or by arrow keys
    });
    connect(name_, &QLineEdit::returnPressed, this, &FileDialog::confirm);
    connect(enter_, &QPushButton::clicked, this, &FileDialog::confirm);
    connect(close_, &QPushButton::clicked, this, &FileDialog::closeDialog);

    resize(twipsToPixels(kDesignWidth), twipsToPixels(kDesignHeight));
    shell::placeChild(this, kDesignWidth, kDesignHeight);
}

FileDialog::NameCheck FileDialog::checkName(const QString& name, const QString& extension)
{
    static const QString kBad = QStringLiteral("*$\\/#");
    for (const QChar c : name)
        if (kBad.contains(c))
            return NameCheck::BadCharacter;
    if (name.size() < extension.size())
        return NameCheck::BadExtension;
    QString tail = name.right(extension.size());
    tail.remove(QLatin1Char(' '));
    return tail == extension.toLower() || tail == extension.toUpper() ? NameCheck::Ok : NameCheck::BadExtension;
}

void FileDialog::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!prepared_) {
        prepared_ = true;
        prepare();
    }
}

void FileDialog::closeEvent(QCloseEvent* event)
{
    prepared_ = false;  // nothing is kept for the next opening
    QWidget::closeEvent(event);
}

// Each opening: captions, the pattern in the name box, the drives as they
// are now, and the lists at the application's current folder.
void FileDialog::prepare()
{
    setWindowTitle(kind_.title);
    labelDrive_->setText(text::driveLabel);
    labelName_->setText(kind_.nameLabel);
    enter_->setText(text::enter);
    close_->setText(text::close);
    name_->setText(QLatin1Char('*') + kind_.extension);
    shell::placeChild(this, kDesignWidth, kDesignHeight);

    fillDrives();
    for (const QString& start : {QDir::currentPath(), QDir::homePath(), QDir::rootPath()}) {
        if (readableFolder(start)) {
            showFolder(start);
            break;
        }
    }
    name_->setFocus();
}

void FileDialog::fillDrives()
{
    drives_->clear();
    const QList<Drive> drives = gDriveSource ? gDriveSource() : browsableDrives();
    driveList_ = drives;
    for (const Drive& drive : drives)
        drives_->addItem(drive.label, drive.root);
    driveIndex_ = -1;
}

// Selects the drive holding `path` (the deepest one), without a change event.
void FileDialog::showDriveOf(const QString& path)
{
    int best = -1;
    for (int i = 0; i < driveList_.size(); ++i) {
        const QString& root = driveList_[i].root;
        if (isUnder(path, root) && (best < 0 || root.size() > driveList_[best].root.size()))
            best = i;
    }
    driveIndex_ = best;
    drives_->setCurrentIndex(best);
}

bool FileDialog::setFolder(const QString& path)
{
    const QString folder = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    if (!readableFolder(folder)) {
        warn(text::promptTitle, text::folderUnreadable);
        return false;
    }
    showFolder(folder);
    return true;
}

bool FileDialog::setDrive(const QString& root)
{
    const int index = drives_->findData(root);
    if (index < 0)
        return false;
    drives_->setCurrentIndex(index);
    onDriveChosen(index);
    return driveIndex_ == index;
}

// Dir1 shows the chain of folders from the root down to `folder` (the
// current entry), then the folder's subfolders one step further in.
// File1 shows the folder's files that match the pattern.
void FileDialog::showFolder(const QString& folder)
{
    const QDir dir(folder);
    const QStringList subfolders = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, kSort);
    const QStringList files = dir.entryList({QLatin1Char('*') + kind_.extension}, QDir::Files, kSort);

    QStringList chain{dir.absolutePath()};
    for (QDir up = dir; up.cdUp();)
        chain.prepend(up.absolutePath());

    refreshing_ = true;
    folder_ = dir.absolutePath();
    dirs_->clear();
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    for (int depth = 0; depth < chain.size(); ++depth) {
        const QString& path = chain[depth];
        const QString name = depth == 0 ? QDir::toNativeSeparators(path) : QFileInfo(path).fileName();
        auto* item = new QListWidgetItem(open, QString(2 * depth, QLatin1Char(' ')) + name, dirs_);
        item->setData(kPathRole, path);
        item->setToolTip(QDir::toNativeSeparators(path));
    }
    dirs_->setCurrentRow(int(chain.size()) - 1);
    const QString indent(2 * int(chain.size()), QLatin1Char(' '));
    for (const QString& sub : subfolders) {
        auto* item = new QListWidgetItem(closed, indent + sub, dirs_);
        item->setData(kPathRole, dir.absoluteFilePath(sub));
    }
    files_->clear();
    files_->addItems(files);
    files_->setCurrentItem(nullptr);
    refreshing_ = false;

    showDriveOf(folder_);
}

void FileDialog::onDriveChosen(int index)
{
    if (index < 0 || index >= driveList_.size())
        return;
    const Drive& drive = driveList_[index];
    if (!driveReady(drive)) {
        warn(text::promptTitle, text::driveNotReady);
        drives_->setCurrentIndex(driveIndex_);  // the lists stay where they were
        return;
    }
    showFolder(QDir::cleanPath(drive.root));
    driveIndex_ = index;
    drives_->setCurrentIndex(index);
}

void FileDialog::onFolderActivated(QListWidgetItem* item)
{
    if (!item)
        return;
    const QString path = item->data(kPathRole).toString();
    if (path != folder_)
        setFolder(path);
}

// A file chosen in the list: its name, without the folder, goes to the box.
void FileDialog::onFileChosen(QListWidgetItem* item)
{
    if (item && !refreshing_)
        name_->setText(item->text());
}

void FileDialog::confirm()
{
    const QString name = name_->text().trimmed();
    switch (checkName(name, kind_.extension)) {
    case NameCheck::BadCharacter: warn(text::promptTitle, kind_.nameMessage); return;
    case NameCheck::BadExtension: warn(text::promptTitle, kind_.extensionMessage); return;
    case NameCheck::Ok: break;
    }
    const QString path = QDir(folder_).filePath(name);
    if (!kind_.action || !kind_.action(path))
        return;  // the action has said why; the dialog stays open
    emit completed(path);
    closeDialog();
}

// As a child of the main window the shell closes it (its frame with it);
// standing alone it closes itself.
void FileDialog::closeDialog()
{
    if (shell::findWindow(objectName()) == this)
        shell::closeWindow(objectName());
    else
        close();
}

}  // namespace vx
