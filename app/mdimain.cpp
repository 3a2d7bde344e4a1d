#include "app/mdimain.h"

#include "app/about.h"
#include "app/mdimain_texts.h"
#include "image/language.h"
#include "image/tables.h"
#include "link/identification.h"
#include "link/status.h"
#include "link/transfer_texts.h"
#include "link/transfer_window.h"
#include "ui/prompt.h"
#include "ui/shell.h"
#include "ui/window_names.h"

#include <QAction>
#include <QCloseEvent>
#include <QIcon>
#include <QKeySequence>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

#include <algorithm>

namespace vx {

namespace {

namespace t = mdimain_texts;

QString utf8(const char* s) { return QString::fromUtf8(s); }

// A status panel whose preferred width is its share of the screen width,
// widened where its text would not fit; it may shrink with the window, but
// never below its text.
class StatusPanel final : public QLabel {
public:
    using QLabel::QLabel;
    void setShareWidth(int px)
    {
        share_ = px;
        updateGeometry();
    }
    int shareWidth() const { return share_; }
    QSize sizeHint() const override
    {
        const QSize hint = QLabel::sizeHint();
        return {std::max(share_, hint.width()), hint.height()};
    }
    QSize minimumSizeHint() const override
    {
        const QSize hint = QLabel::sizeHint();
        return {text().isEmpty() ? 0 : hint.width(), hint.height()};
    }

private:
    int share_ = 0;
};

struct ToolbarKey {
    const char* key;
    QStyle::StandardPixmap icon;
};

constexpr ToolbarKey kToolbar[] = {
    {"open", QStyle::SP_DialogOpenButton},
    {"save", QStyle::SP_DialogSaveButton},
    {"edit_option", QStyle::SP_FileDialogDetailedView},
    {"edit_chann", QStyle::SP_FileDialogListView},
    {"edit_dtmf", QStyle::SP_MediaVolume},
    {"read", QStyle::SP_ArrowDown},
    {"write", QStyle::SP_ArrowUp},
    {"exit", QStyle::SP_DialogCloseButton},
};

Identification* gMainIdentification = nullptr;

// The entries an identification enables again.
constexpr const char* kEditorEntries[] = {"fm_chann_edit", "chann_edit", "sys_edit", "sig_edit"};

}  // namespace

MDImain::MDImain(RadioDocument& doc, QWidget* parent) : QMainWindow(parent), doc_(doc), area_(new QMdiArea(this))
{
    setObjectName(window::kMain);
    setWindowTitle(t::kTitle.in(false));
    area_->setObjectName(QStringLiteral("MDIArea"));
    setCentralWidget(area_);

    buildMenus();
    buildToolbar();
    buildStatusBar();

    identification_ = std::make_unique<Identification>(LinkContext::of(doc_));
    identification_->onIdentified = [this] { enableEditorEntries(); };
    identification_->onPortError = [] {
        prompt(transfer_text::titleCapital, PromptIcon::Warning, transfer_text::portOpenError);
    };
    shell::attachMainWindow(this, area_);
    setMainIdentification(identification_.get());
}

MDImain::~MDImain()
{
    setStatusPanelHook({});
    shell::attachMainWindow(nullptr, nullptr);
    if (mainIdentification() == identification_.get())
        setMainIdentification(nullptr);
}

Identification* mainIdentification() { return gMainIdentification; }
void setMainIdentification(Identification* identification) { gMainIdentification = identification; }

void MDImain::buildMenus()
{
    QHash<QString, QMenu*> menus;
    // A top-level entry is a menu when some entry names it as parent.
    auto hasChildren = [](const char* name) {
        for (const auto& m : t::kMenus)
            if (m.parent && qstrcmp(m.parent, name) == 0)
                return true;
        return false;
    };
    for (const auto& m : t::kMenus) {
        const QString name = utf8(m.name);
        QAction* action = nullptr;
        if (!m.parent && hasChildren(m.name)) {
            QMenu* menu = menuBar()->addMenu(utf8(m.caption));
            menu->setObjectName(name);
            menus.insert(name, menu);
            action = menu->menuAction();
        } else {
            QWidget* owner = m.parent ? static_cast<QWidget*>(menus.value(utf8(m.parent))) : menuBar();
            action = new QAction(utf8(m.caption), owner);
            owner->addAction(action);
            connect(action, &QAction::triggered, this, [this, name] { menuCommand(name); });
        }
        action->setObjectName(name);
        items_.insert(name, action);
    }

    // Save is never usable; the language switch and the about box are
    // hidden and disabled.
    items_.value(QStringLiteral("File_save"))->setEnabled(false);
    for (const char* name : {"Language_Setup", "about"}) {
        QAction* a = items_.value(utf8(name));
        a->setVisible(false);
        a->setEnabled(false);
    }
    for (const char* name : {"Language_chn", "Language_eng"})
        items_.value(utf8(name))->setCheckable(true);
}

void MDImain::buildToolbar()
{
    toolbar_ = addToolBar(QString());
    toolbar_->setObjectName(QStringLiteral("Toolbar1"));
    toolbar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
    toolbar_->setMovable(false);
    toolbar_->setFloatable(false);
    toolbar_->setContextMenuPolicy(Qt::PreventContextMenu);
    for (const auto& k : kToolbar) {
        const QString key = utf8(k.key);
        QAction* a = toolbar_->addAction(style()->standardIcon(k.icon), QString());
        a->setObjectName(key);
        connect(a, &QAction::triggered, this, [this, key] { toolbarCommand(key); });
        buttons_.insert(key, a);
        keys_ << key;
    }
    // Undo and redo come after the designed eight.
    const struct {
        const char* key;
        const char* theme;
        QStyle::StandardPixmap fallback;
        QList<QKeySequence> keys;
        bool redo;
    } history[] = {
        {"undo", "edit-undo", QStyle::SP_ArrowBack, {QKeySequence(Qt::CTRL | Qt::Key_Z)}, false},
        {"redo", "edit-redo", QStyle::SP_ArrowForward,
         {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}, true},
    };
    for (const auto& h : history) {
        const QString key = utf8(h.key);
        QAction* a = toolbar_->addAction(QIcon::fromTheme(utf8(h.theme), style()->standardIcon(h.fallback)), QString());
        a->setObjectName(key);
        a->setShortcuts(h.keys);
        connect(a, &QAction::triggered, this, [this, redo = h.redo] { undoOrRedo(redo); });
        buttons_.insert(key, a);
        keys_ << key;
    }
    connect(&doc_, &RadioDocument::undoChanged, this, &MDImain::updateUndoKeys);
    updateUndoKeys();
}

void MDImain::updateUndoKeys()
{
    QAction* undo = buttons_.value(QStringLiteral("undo"));
    QAction* redo = buttons_.value(QStringLiteral("redo"));
    if (!undo || !redo)
        return;
    const EditRecord* back = doc_.nextUndo();
    const EditRecord* again = doc_.nextRedo();
    undo->setEnabled(back);
    redo->setEnabled(again);
    undo->setToolTip(back ? t::kUndo.str().arg(back->name.str()) : t::kNothingToUndo.str());
    redo->setToolTip(again ? t::kRedo.str().arg(again->name.str()) : t::kNothingToRedo.str());
}

void MDImain::undoOrRedo(bool redo)
{
    for (const QString& name : shell::openWindowNames())
        if (auto* w = qobject_cast<TransferWindow*>(shell::findWindow(name)); w && w->busy()) {
            warn(transfer_text::title, transfer_text::busy);
            return;
        }
    if (redo)
        doc_.redo();
    else
        doc_.undo();
}

void MDImain::buildStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(false);
    for (int i = 0; i < kStatusPanels; ++i) {
        auto* label = new StatusPanel(bar);
        label->setObjectName(QStringLiteral("Panel%1").arg(i + 1));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setText(statusPanel(i + 1));
        bar->addWidget(label, t::kPanelPercent[i]);
        panels_[i] = label;
    }
    setStatusPanelHook([this](int panel, const QString& text) {
        if (panel >= 1 && panel <= kStatusPanels)
            panels_[panel - 1]->setText(text);
    });
}

QAction* MDImain::item(const QString& name) const { return items_.value(name); }
QAction* MDImain::toolButton(const QString& key) const { return buttons_.value(key); }
QStringList MDImain::toolbarKeys() const { return keys_; }
QLabel* MDImain::panel(int n) const { return n >= 1 && n <= kStatusPanels ? panels_[n - 1] : nullptr; }

void MDImain::sizeStatusPanels()
{
    const int screenWidth = shell::screenSize().width();
    for (int i = 0; i < kStatusPanels; ++i)
        static_cast<StatusPanel*>(panels_[i])->setShareWidth(screenWidth * t::kPanelPercent[i] / 100);
}

void MDImain::setCaption(const char* name, const QString& text)
{
    if (QAction* a = items_.value(utf8(name)))
        a->setText(text);
}

void MDImain::captionPanelsAndTitle()
{
    for (const auto& p : t::kPanelLabels)
        setStatusPanel(p.panel, p.text.str());
    setStatusPanel(11, t::kTail.str());
    setWindowTitle(t::kTitle.str());
}

void MDImain::captionAtStartup()
{
    for (int i = 0; i < t::kStartupCaptionCount; ++i) {
        const auto& c = t::kSwitchCaptions[i];
        const bool adjust = qstrcmp(c.name, "frm_adj") == 0;
        setCaption(c.name, (adjust ? t::kStartupAdjust : c.text).str());
    }
    items_.value(QStringLiteral("Language_chn"))->setChecked(chinese());
    items_.value(QStringLiteral("Language_eng"))->setChecked(!chinese());
    if (chinese()) {
        for (int i = t::kFirstFileCaption; i < int(std::size(t::kSwitchCaptions)); ++i)
            setCaption(t::kSwitchCaptions[i].name, t::kSwitchCaptions[i].text.str());
    }
    captionPanelsAndTitle();
}

void MDImain::showScreenSized()
{
    const QSize screen = shell::screenSize();
    move(0, 0);
    if (!screen.isEmpty())
        resize(screen);
    // On a desktop the frame and title bar come on top of that size and would
    // push the status bar off the screen; maximised, the whole frame fits.
    if (shell::screenSizeOverridden())
        show();
    else
        showMaximized();
}

void MDImain::switchLanguage(bool toChinese)
{
    if (toChinese != chinese()) {
        setChinese(toChinese);
        rebuildAboutTexts();
        rebuildCallAlertList();
    }
    items_.value(QStringLiteral("Language_chn"))->setChecked(toChinese);
    items_.value(QStringLiteral("Language_eng"))->setChecked(!toChinese);
    for (const auto& c : t::kSwitchCaptions)
        setCaption(c.name, c.text.str());
    captionPanelsAndTitle();
    updateUndoKeys();
}

void MDImain::enableEditorEntries()
{
    for (const char* name : kEditorEntries)
        items_.value(utf8(name))->setEnabled(true);
}

void MDImain::menuCommand(const QString& name)
{
    using namespace shell;
    if (name == u"File_Open")
        reopenWindow(window::kOpenFile);
    else if (name == u"File_save" || name == u"File_saveas")
        reopenWindow(window::kSaveFile);
    else if (name == u"File_exit" || name == u"Menu_Exit")
        close();
    else if (name == u"File_import_csv")
        reopenWindow(window::kImportCsv);
    else if (name == u"File_export_csv")
        reopenWindow(window::kExportCsv);
    else if (name == u"fm_chann_edit") {
        closeWindow(window::kChannels);
        openWindow(window::kFm);
    } else if (name == u"chann_edit")
        openWindow(window::kChannels);
    else if (name == u"sys_edit")
        openWindow(window::kOptions);
    else if (name == u"Sig_dtmf")
        openWindow(window::kDtmf);
    else if (name == u"Sig_2tone")
        openWindow(window::kTwoTone);
    else if (name == u"Sig_5tone")
        openWindow(window::kFiveTone);
    else if (name == u"frm_adj")
        openWindow(window::kAdjust);
    else if (name == u"Prog_read")
        reopenWindow(window::kCommRead);
    else if (name == u"Prog_write")
        reopenWindow(window::kCommWrite);
    else if (name == u"Prog_write_changes")
        reopenWindow(window::kWriteChanges);
    else if (name == u"Prog_compare")
        bringUp(window::kCompare);
    else if (name == u"Prog_restore_points")
        bringUp(window::kRestorePoints);
    else if (name == u"Prog_doctor")
        bringUp(window::kDoctor);
    else if (name == u"proc_setup")
        openWindow(window::kSetup);
    else if (name == u"Language_chn")
        switchLanguage(true);
    else if (name == u"Language_eng")
        switchLanguage(false);
    else if (name == u"about")
        openWindow(window::kAbout);
    // File_New: nothing.
}

void MDImain::bringUp(const QString& name)
{
    QWidget* w = shell::openWindow(name);
    if (auto* sub = w ? qobject_cast<QMdiSubWindow*>(w->parentWidget()) : nullptr)
        area_->setActiveSubWindow(sub);
}

void MDImain::toolbarCommand(const QString& key)
{
    using namespace shell;
    const QString chann = window::kChannels;
    if (key == u"open")
        reopenWindow(window::kOpenFile);
    else if (key == u"save")
        reopenWindow(window::kSaveFile);
    else if (key == u"edit_option") {
        closeWindow(chann);
        openWindow(window::kOptions);
    } else if (key == u"edit_chann") {
        closeWindow(chann);
        openWindow(chann);
    } else if (key == u"edit_dtmf") {
        closeWindow(chann);
        openWindow(window::kDtmf);
    } else if (key == u"read")
        reopenWindow(window::kCommRead);
    else if (key == u"write")
        reopenWindow(window::kCommWrite);
    else if (key == u"exit") {
        closeWindow(chann);
        closeWindow(window::kOptions);
        closeWindow(window::kAbout);
        close();
    }
}

void MDImain::closeEvent(QCloseEvent* event)
{
    // Every child closes first and may run its own closing behaviour; one
    // that refuses keeps the application running.
    if (!shell::closeAllWindows()) {
        event->ignore();
        return;
    }
    identification_->closePort();
    event->accept();
}

}  // namespace vx
