#pragma once
// The main window (MDImain): the multiple-document frame every editor and
// dialog opens in, with the menu bar, the toolbar (Toolbar1), the 11-panel
// status bar (StatusBar1), the language switch and the main window's
// identification of the radio.

#include <QHash>
#include <QMainWindow>
#include <QString>
#include <array>
#include <memory>

class QLabel;
class QMdiArea;
class QToolBar;

namespace vx {

class Identification;
class RadioDocument;

class MDImain final : public QMainWindow {
public:
    // The main window of the radio `doc`, which outlives it.
    explicit MDImain(RadioDocument& doc, QWidget* parent = nullptr);
    ~MDImain() override;

    // A menu entry by its code name (menus included: their menu action).
    QAction* item(const QString& name) const;
    // A toolbar button by its key.
    QAction* toolButton(const QString& key) const;
    QStringList toolbarKeys() const;
    // Status panel 1..11.
    QLabel* panel(int n) const;
    QMdiArea* mdiArea() const { return area_; }
    QToolBar* toolbar() const { return toolbar_; }
    Identification* identification() const { return identification_.get(); }
    RadioDocument& document() const { return doc_; }

    // Start-up: panel widths as shares of the screen width, and the
    // start-up captions of the frame in the current language.
    void sizeStatusPanels();
    void captionAtStartup();
    // As high and as wide as the screen, then shown.
    void showScreenSized();

    // The language switch: true for Chinese (Language_chn), false for
    // English (Language_eng).
    void switchLanguage(bool toChinese);

    // The actions of the menu entries and toolbar buttons.
    void menuCommand(const QString& name);
    // Opens a window, or brings it to the front when it is open already.
    void bringUp(const QString& name);
    void toolbarCommand(const QString& key);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildToolbar();
    void buildStatusBar();
    void setCaption(const char* name, const QString& text);
    void captionPanelsAndTitle();
    void enableEditorEntries();
    // The undo and redo keys follow the document's record.
    void updateUndoKeys();
    // Undo or redo, refused while a window transfers (a write takes its
    // rows from the image as it goes).
    void undoOrRedo(bool redo);

    RadioDocument& doc_;
    QMdiArea* area_ = nullptr;
    QToolBar* toolbar_ = nullptr;
    QHash<QString, QAction*> items_;
    QHash<QString, QAction*> buttons_;
    QStringList keys_;
    std::array<QLabel*, 11> panels_{};
    std::unique_ptr<Identification> identification_;
};

// The main window's identification (nullptr without a main window); the
// port setup restarts it. The main window sets it, tests may set their own.
Identification* mainIdentification();
void setMainIdentification(Identification* identification);

}  // namespace vx
