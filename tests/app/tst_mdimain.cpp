// The main window: menus, captions in both languages, toolbar, status bar,
// the open/reopen rules and closing.

#include "app/about.h"
#include "test_document.h"
#include "app/mdimain.h"
#include "app/windows.h"
#include "fake_link.h"
#include "image/language.h"
#include "image/tables.h"
#include "link/status.h"
#include "prompts.h"
#include "ui/shell.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

using namespace vx;
using namespace vx::test;

namespace {

// A child that counts its close events and may refuse them.
class ClosingChild final : public QWidget {
public:
    void closeEvent(QCloseEvent* e) override
    {
        ++closes;
        if (refuse)
            e->ignore();
    }
    bool refuse = false;
    int closes = 0;
};

QPointer<ClosingChild> gLastChild;

void registerClosingChild(const QString& name, bool refuse)
{
    shell::registerWindow(name, [refuse] {
        auto* w = new ClosingChild;
        w->refuse = refuse;
        gLastChild = w;
        return w;
    });
}

QStringList names(const QList<QAction*>& actions)
{
    QStringList out;
    for (QAction* a : actions)
        if (!a->isSeparator())
            out << a->objectName();
    return out;
}

void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

}  // namespace

class TestMdiMain : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<MDImain> w;
    std::unique_ptr<test::CapturedPrompts> prompts;

    void trigger(const QString& name) { w->menuCommand(name); }

private slots:
    void initTestCase()
    {
        qApp->setQuitOnLastWindowClosed(false);
        setSerialPortFactory([] { return std::make_unique<test::FakePort>(); });
    }

    void init()
    {
        setChinese(false);
        clearStatusPanels();
        shell::setScreenSizeOverride({1024, 768});
        registerWindows();
        prompts = std::make_unique<test::CapturedPrompts>();
        w = std::make_unique<MDImain>(testDocument());
    }

    void cleanup()
    {
        w.reset();
        flushDeletes();
        prompts.reset();
        setChinese(false);
    }

    void menuBarOrder()
    {
        QCOMPARE(names(w->menuBar()->actions()),
                 QStringList({"File", "fm_chann_edit", "chann_edit", "sys_edit", "sig_edit", "frm_adj", "Program",
                              "proc_setup", "Language_Setup", "about", "Menu_Exit"}));
        auto children = [&](const char* menu) { return names(w->findChild<QMenu*>(menu)->actions()); };
        QCOMPARE(children("File"), QStringList({"File_New", "File_Open", "File_save", "File_saveas", "File_exit", "File_import_csv", "File_export_csv"}));
        QCOMPARE(children("sig_edit"), QStringList({"Sig_dtmf", "Sig_2tone", "Sig_5tone"}));
        // The entries added after the designed two.
        QCOMPARE(children("Program"), QStringList({"Prog_read", "Prog_write", "Prog_write_changes", "Prog_compare", "Prog_restore_points", "Prog_doctor"}));
        QCOMPARE(children("Language_Setup"), QStringList({"Language_chn", "Language_eng"}));
    }

    void captions_data()
    {
        QTest::addColumn<QString>("stage");  // design, startup, english, chinese
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        const struct {
            const char* name;
            const char* design;
            const char* startup;
            const char* english;
            const char* chinese;
        } rows[] = {
            {"File", "File", "File", "File", "文件"},
            {"File_New", "New", "New", "New", "新建"},
            {"File_Open", "Open", "Open", "Open", "打开"},
            {"File_save", "Save", "Save", "Save", "保存"},
            {"File_saveas", "Save As", "Save As", "Save As", "另存为"},
            {"File_exit", "Exit", "Exit", "Exit", "退出"},
            {"File_import_csv", "Import channels (CSV)…", "Import channels (CSV)…", "Import channels (CSV)…", "导入信道 (CSV)…"},
            {"File_export_csv", "Export channels (CSV)…", "Export channels (CSV)…", "Export channels (CSV)…", "导出信道 (CSV)…"},
            {"fm_chann_edit", "FM 频道编辑", "FM-Radio", "FM-Radio", "FM-频道"},
            {"chann_edit", "信道编辑", "Channel", "Channel", "信道编辑"},
            {"sys_edit", "可选参数", "Option", "Option", "可选参数"},
            {"sig_edit", "信令编辑", "Signal", "Signal", "信令编辑"},
            {"Sig_dtmf", "DTMF", "DTMF", "DTMF", "DTMF"},
            {"Sig_2tone", "2 TONE", "2 TONE", "2 TONE", "2 TONE"},
            {"Sig_5tone", "5 TONE", "5 TONE", "5 TONE", "5 TONE"},
            {"frm_adj", "调整参数", "Other", "Adjust", "调整参数"},
            {"Program", "Program", "Program", "Program", "编程"},
            {"Prog_read", "Read form radio", "Read form radio", "Read from radio", "从对讲机读取数据"},
            {"Prog_write", "Write to radio", "Write to radio", "Write to radio", "向对讲机写入数据"},
            {"Prog_write_changes", "Write changes to radio…", "Write changes to radio…", "Write changes to radio…", "向对讲机写入改动…"},
            {"Prog_compare", "Compare…", "Compare…", "Compare…", "比较…"},
            {"Prog_restore_points", "Restore points…", "Restore points…", "Restore points…", "还原点…"},
            {"Prog_doctor", "Connection check…", "Connection check…", "Connection check…", "连接检查…"},
            {"proc_setup", "端口设置", "Communication", "Communication", "端口设置"},
            {"Language_Setup", "语言", "Language", "Language", "语言"},
            {"Language_chn", "中文", "中文", "中文", "中文"},
            {"Language_eng", "English", "English", "English", "English"},
            {"about", "关于", "About", "About", "关于"},
            {"Menu_Exit", "退出", "Exit", "Exit", "退出"},
        };
        for (const auto& r : rows) {
            QTest::addRow("design %s", r.name) << "design" << r.name << QString::fromUtf8(r.design);
            QTest::addRow("startup %s", r.name) << "startup" << r.name << QString::fromUtf8(r.startup);
            QTest::addRow("english %s", r.name) << "english" << r.name << QString::fromUtf8(r.english);
            QTest::addRow("chinese %s", r.name) << "chinese" << r.name << QString::fromUtf8(r.chinese);
        }
    }

    void captions()
    {
        QFETCH(QString, stage);
        QFETCH(QString, name);
        QFETCH(QString, caption);
        if (stage != "design")
            w->captionAtStartup();
        if (stage == "english")
            trigger("Language_eng");
        else if (stage == "chinese")
            trigger("Language_chn");
        QVERIFY(w->item(name));
        QCOMPARE(w->item(name)->text(), caption);
    }

    void startupCaptionsInChinese()
    {
        setChinese(true);
        w->captionAtStartup();
        QCOMPARE(w->item("frm_adj")->text(), QString("其他"));
        QCOMPARE(w->item("Prog_read")->text(), QString("从对讲机读取数据"));
        QVERIFY(w->item("Language_chn")->isChecked());
        QVERIFY(!w->item("Language_eng")->isChecked());
        QCOMPARE(w->windowTitle(), QString("UV 双段车载电台编程软件"));
    }

    void languageSwitch()
    {
        w->captionAtStartup();
        QVERIFY(w->item("Language_eng")->isChecked());
        QCOMPARE(w->windowTitle(), QString("Varnel MINI VX-40 / MOBILE VX-80 Series Program Software.( VIP )"));
        setStatusPanel(2, "VX-80 ");
        setStatusPanel(6, "01.02.3.4");
        rebuildAboutTexts();
        const QString englishProduct = aboutTexts().product;

        trigger("Language_chn");
        QVERIFY(chinese());
        QVERIFY(w->item("Language_chn")->isChecked());
        QVERIFY(!w->item("Language_eng")->isChecked());
        QCOMPARE(w->windowTitle(), QString("UV 双段车载电台编程软件"));
        QCOMPARE(callAlertTexts(), callAlertTexts(true));
        QVERIFY(aboutTexts().product != englishProduct);
        QCOMPARE(w->panel(1)->text(), QString("机  型:"));
        QCOMPARE(w->panel(3)->text(), QString("序列号:"));
        QCOMPARE(w->panel(5)->text(), QString("固体版本:"));
        QCOMPARE(w->panel(7)->text(), QString("频段-A"));
        QCOMPARE(w->panel(9)->text(), QString("频段-B"));
        // The reported values stay.
        QCOMPARE(w->panel(2)->text(), QString("VX-80 "));
        QCOMPARE(w->panel(6)->text(), QString("01.02.3.4"));

        trigger("Language_eng");
        QVERIFY(!chinese());
        QCOMPARE(callAlertTexts(), callAlertTexts(false));
        QCOMPARE(aboutTexts().product, englishProduct);
        QCOMPARE(w->panel(1)->text(), QString("Model:"));
    }

    void availability()
    {
        QAction* save = w->item("File_save");
        QVERIFY(save->isVisible());
        QVERIFY(!save->isEnabled());
        save->trigger();
        QVERIFY(!shell::findWindow("Form_save_chann"));
        for (const char* name : {"Language_Setup", "about"}) {
            QVERIFY(!w->item(name)->isVisible());
            QVERIFY(!w->item(name)->isEnabled());
        }
        for (const char* name : {"fm_chann_edit", "chann_edit", "sys_edit", "sig_edit"})
            QVERIFY(w->item(name)->isEnabled());
    }

    void toolbar()
    {
        QToolBar* bar = w->findChild<QToolBar*>("Toolbar1");
        QVERIFY(bar);
        QCOMPARE(bar->toolButtonStyle(), Qt::ToolButtonIconOnly);
        // Undo and redo come after the designed eight.
        QCOMPARE(names(bar->actions()),
                 QStringList({"open", "save", "edit_option", "edit_chann", "edit_dtmf", "read", "write", "exit", "undo", "redo"}));
        for (QAction* a : bar->actions())
            QVERIFY(a->text().isEmpty());
    }

    void statusBar()
    {
        QStatusBar* bar = w->findChild<QStatusBar*>("StatusBar1");
        QVERIFY(bar);
        QCOMPARE(bar->findChildren<QLabel*>().size(), 11);
        w->sizeStatusPanels();
        const int percent[] = {4, 6, 5, 15, 8, 7, 5, 10, 5, 10, 25};
        for (int i = 1; i <= 11; ++i)
            QCOMPARE(w->panel(i)->sizeHint().width(), 1024 * percent[i - 1] / 100);
        w->captionAtStartup();
        const QStringList texts{"Model:", "", "S I M:", "", "MCU-Version:", "", "Band-A", "", "Band-B", "", ""};
        for (int i = 1; i <= 11; ++i) {
            QLabel* p = w->panel(i);
            QCOMPARE(p->text(), texts[i - 1]);
            // Regression: "Model:" and "MCU-Version:" were cut off in their narrow shares.
            QVERIFY(p->sizeHint().width() >= p->fontMetrics().horizontalAdvance(p->text()));
        }
        w->showScreenSized();
        QTRY_VERIFY(w->panel(5)->width() >= w->panel(5)->fontMetrics().horizontalAdvance("MCU-Version:"));
        // Panels follow every change, whoever makes it.
        setStatusPanel(4, "Communication fault.");
        QCOMPARE(w->panel(4)->text(), QString("Communication fault."));
    }

    void openLeavesAnOpenEditor()
    {
        trigger("chann_edit");
        QPointer<QWidget> first = shell::findWindow("frm_chann");
        QVERIFY(first);
        first->setProperty("marker", 1);
        trigger("chann_edit");
        flushDeletes();
        QVERIFY(first);
        QCOMPARE(shell::findWindow("frm_chann"), first.data());
        QCOMPARE(w->mdiArea()->subWindowList().size(), 1);
    }

    void reopenMakesAFreshWindow_data()
    {
        QTest::addColumn<bool>("toolbar");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("window");
        QTest::newRow("toolbar edit_chann") << true << "edit_chann" << "frm_chann";
        QTest::newRow("toolbar read") << true << "read" << "Form_Comm_Read";
        QTest::newRow("toolbar write") << true << "write" << "Form_Comm_Write";
        QTest::newRow("toolbar open") << true << "open" << "Form_open_chann";
        QTest::newRow("toolbar save") << true << "save" << "Form_save_chann";
        QTest::newRow("Prog_read") << false << "Prog_read" << "Form_Comm_Read";
        QTest::newRow("Prog_write") << false << "Prog_write" << "Form_Comm_Write";
        QTest::newRow("File_Open") << false << "File_Open" << "Form_open_chann";
        QTest::newRow("File_saveas") << false << "File_saveas" << "Form_save_chann";
    }

    void reopenMakesAFreshWindow()
    {
        QFETCH(bool, toolbar);
        QFETCH(QString, command);
        QFETCH(QString, window);
        auto run = [&] { toolbar ? w->toolbarCommand(command) : w->menuCommand(command); };
        run();
        QWidget* first = shell::findWindow(window);
        QVERIFY(first);
        first->setProperty("marker", 1);
        run();
        QWidget* second = shell::findWindow(window);
        QVERIFY(second);
        QVERIFY(!second->property("marker").isValid());
        flushDeletes();
        QCOMPARE(w->mdiArea()->subWindowList().size(), 1);
    }

    void menuOpensItsWindow_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("window");
        QTest::newRow("sys_edit") << "sys_edit" << "frm_option";
        QTest::newRow("Sig_dtmf") << "Sig_dtmf" << "frm_dtmf";
        QTest::newRow("Sig_2tone") << "Sig_2tone" << "frm_2tone";
        QTest::newRow("Sig_5tone") << "Sig_5tone" << "frm_5tone";
        QTest::newRow("frm_adj") << "frm_adj" << "frm_Adj_Txp";
        QTest::newRow("proc_setup") << "proc_setup" << "Form_setup";
        QTest::newRow("about") << "about" << "frmAbout";
    }

    void menuOpensItsWindow()
    {
        QFETCH(QString, entry);
        QFETCH(QString, window);
        w->show();
        trigger(entry);
        QWidget* opened = shell::findWindow(window);
        QVERIFY(opened);
        QCOMPARE(opened->objectName(), window);
        QVERIFY(opened->isVisible());
        QCOMPARE(shell::openWindowNames(), QStringList{window});
    }

    void toolbarClosesTheChannelEditorFirst_data()
    {
        QTest::addColumn<bool>("toolbar");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("window");
        QTest::newRow("fm_chann_edit") << false << "fm_chann_edit" << "frm_FM";
        QTest::newRow("edit_option") << true << "edit_option" << "frm_option";
        QTest::newRow("edit_dtmf") << true << "edit_dtmf" << "frm_dtmf";
    }

    void toolbarClosesTheChannelEditorFirst()
    {
        QFETCH(bool, toolbar);
        QFETCH(QString, command);
        QFETCH(QString, window);
        trigger("chann_edit");
        toolbar ? w->toolbarCommand(command) : w->menuCommand(command);
        QCOMPARE(shell::openWindowNames(), QStringList{window});
    }

    void fileNewDoesNothing()
    {
        trigger("sys_edit");
        trigger("File_New");
        QCOMPARE(shell::openWindowNames(), QStringList{"frm_option"});
        QVERIFY(prompts->all.isEmpty());
    }

    void refusingWindowStays()
    {
        registerClosingChild("frm_chann", true);
        w->show();
        trigger("chann_edit");
        QPointer<ClosingChild> child = gLastChild;
        QVERIFY(child);
        QVERIFY(!shell::closeWindow("frm_chann"));
        w->toolbarCommand("edit_chann");
        flushDeletes();
        QVERIFY(child);
        QCOMPARE(shell::findWindow("frm_chann"), child.data());
        QCOMPARE(child->closes, 2);
        // The main window stays too.
        QVERIFY(!w->close());
        QVERIFY(w->isVisible());
        child->refuse = false;
        QVERIFY(w->close());
    }

    void closingTheMainWindowClosesEveryChild()
    {
        registerClosingChild("frm_chann", false);
        registerClosingChild("frm_dtmf", false);
        w->show();
        trigger("chann_edit");
        QPointer<ClosingChild> chann = gLastChild;
        trigger("Sig_dtmf");
        QPointer<ClosingChild> dtmf = gLastChild;
        trigger("Menu_Exit");
        QVERIFY(!w->isVisible());
        QVERIFY(shell::openWindowNames().isEmpty());
        QVERIFY(chann && dtmf);
        QCOMPARE(chann->closes, 1);
        QCOMPARE(dtmf->closes, 1);
        QVERIFY(prompts->all.isEmpty());  // no confirmation
    }

    void toolbarExit()
    {
        w->show();
        trigger("chann_edit");
        trigger("sys_edit");
        trigger("about");
        w->toolbarCommand("exit");
        QVERIFY(!w->isVisible());
        QVERIFY(shell::openWindowNames().isEmpty());
    }

    void childClosingItself()
    {
        trigger("chann_edit");
        QWidget* child = shell::findWindow("frm_chann");
        QVERIFY(child->close());
        QVERIFY(!shell::findWindow("frm_chann"));
        flushDeletes();
        QVERIFY(w->mdiArea()->subWindowList().isEmpty());
    }

    void minimisedChildIsStillOpen()
    {
        w->show();
        trigger("chann_edit");
        QWidget* child = shell::findWindow("frm_chann");
        auto* frame = qobject_cast<QMdiSubWindow*>(child->parentWidget());
        QVERIFY(frame);
        frame->showMinimized();
        QCOMPARE(shell::findWindow("frm_chann"), child);
    }

    void aboutBox()
    {
        w->showScreenSized();
        trigger("about");
        QWidget* box = shell::findWindow("frmAbout");
        QVERIFY(box);
        QCOMPARE(box->findChild<QPushButton*>("cmdOK")->text(), QString("Confirm"));
        QCOMPARE(box->findChild<QPushButton*>("cmdSysInfo")->text(), QString("System Information(&S)..."));
        for (const char* label : {"lblProduct", "lblRights", "lblDesigner", "lblWarning"})
            QVERIFY(!box->findChild<QLabel*>(label)->text().isEmpty());
        // The same version as the status bar at start-up and both programs' --version.
        QCOMPARE(box->findChild<QLabel*>("lblVersion")->text(), QString("Version " VXPROG_VERSION));
        // Centred, raised 500 twips.
        auto* frame = box->parentWidget();
        const QSize client = w->mdiArea()->viewport()->size();
        QCOMPARE(frame->x(), (client.width() - frame->width()) / 2);
        QCOMPARE(frame->y(), (client.height() - frame->height()) / 2 - 500 / 15);

#ifndef Q_OS_WIN
        QTest::mouseClick(box->findChild<QPushButton*>("cmdSysInfo"), Qt::LeftButton);
        QCOMPARE(prompts->all, QList<PromptRecord>({{QString(), PromptIcon::None, "此时系统信息不可用"}}));
#endif
        QTest::mouseClick(box->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        QVERIFY(!shell::findWindow("frmAbout"));

        trigger("Language_chn");
        trigger("about");
        box = shell::findWindow("frmAbout");
        QCOMPARE(box->findChild<QPushButton*>("cmdOK")->text(), QString("确定"));
        QCOMPARE(box->findChild<QPushButton*>("cmdSysInfo")->text(), QString("系统信息(&S)..."));
        QCOMPARE(box->findChild<QLabel*>("lblProduct")->text(), aboutTexts().product);
        QCOMPARE(box->findChild<QLabel*>("lblVersion")->text(), QString("版本 " VXPROG_VERSION));
    }

    // Ctrl+Z and Ctrl+Y (Ctrl+Shift+Z too) and the two keys after the
    // designed eight take the document's edits back and make them again; an
    // open editor shows the result at once, and the keys' tips name the
    // edit, in the language in force.
    void undoAndRedoKeys_data()
    {
        QTest::addColumn<bool>("inChinese");
        QTest::addColumn<QString>("undoTip");
        QTest::addColumn<QString>("nothing");
        QTest::newRow("English") << false << "Undo: Squelch test" << "Nothing to undo";
        QTest::newRow("Chinese") << true << "撤销：静噪测试" << "没有可撤销的操作";
    }
    void undoAndRedoKeys()
    {
        QFETCH(bool, inChinese);
        QFETCH(QString, undoTip);
        QFETCH(QString, nothing);
        w->switchLanguage(inChinese);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        RadioDocument& doc = testDocument();
        doc.start(testImage());
        QAction* undo = w->toolButton("undo");
        QAction* redo = w->toolButton("redo");
        QVERIFY(!undo->isEnabled() && !redo->isEnabled());
        QCOMPARE(undo->toolTip(), nothing);

        const uint8_t before = doc.image().at(224, 2);
        const uint8_t after = uint8_t(before ^ 0x5A);
        doc.edit({"静噪测试", "Squelch test"}, region::Rows{224, 224}, [=](Image& image) { image.set(224, 2, after); });
        QVERIFY(undo->isEnabled());
        QCOMPARE(undo->toolTip(), undoTip);
        QTest::keyClick(w.get(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(doc.image().at(224, 2), before);
        QVERIFY(redo->isEnabled() && !undo->isEnabled());
        QTest::keyClick(w.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(doc.image().at(224, 2), after);
        undo->trigger();
        QCOMPARE(doc.image().at(224, 2), before);
        QTest::keyClick(w.get(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(doc.image().at(224, 2), after);
        QVERIFY(prompts->all.isEmpty());
        w->switchLanguage(false);
    }
};

QTEST_MAIN(TestMdiMain)
#include "tst_mdimain.moc"
