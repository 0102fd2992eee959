#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include "diary/rowlist.h"
#include "runner.h"
#include "widgets/controls.h"
#include "widgets/listview.h"

using namespace Qt::StringLiterals;

namespace {

// A window of the kinds of controls the program uses, recording what reaches
// it. Its first button opens a modal dialog with exec() and, once the dialog
// is accepted, works a while with events flowing (as a progress display
// does), then shows what was typed and tells the user through a message. It
// may be made from 500×350 to 900×700; a panel laid out across its bottom
// follows its size, unless chkPinned holds the window at the size it had.
class ProbeWindow : public QWidget {
  public:
    explicit ProbeWindow(scenario::Runner& runner) {
        setObjectName(u"frmProbe"_s);
        resize(600, 400);
        auto* open = new QPushButton(u"開く"_s, this);
        open->setObjectName(u"cmdOpen"_s);
        result = new QLabel(this);
        result->setObjectName(u"lblResult"_s);
        result->setGeometry(0, 40, 300, 20);
        connect(open, &QPushButton::clicked, this, [this, &runner] { openDialog(runner); });

        list = new ListView(u"lvwProbe"_s, this);
        list->setGeometry(0, 80, 400, 150);
        for (const QString& header : {u"一"_s, u"二"_s, u"三"_s}) {
            list->listModel().addColumn({header, 1200, Qt::AlignLeft});
        }
        list->listModel().setColumnWidthTwips(1, 0);
        rows.assign({{u"a"_s, u"b"_s, u"c"_s}, {u"d"_s}, {u"g|h"_s, u""_s, u"i"_s}});
        // The first cell is marked red and bold.
        list->listModel().setSource(
            {&rows, [this] { return rows.count(); },
             [this](int row, int column) { return rows.text(row, column); },
             [](int row, int column) {
                 return row == 0 && column == 0 ? CellMark{QColor(168, 0, 0), true} : CellMark{};
             }});
        connect(list, &ListView::itemClicked, this,
                [this](int row) { note(u"click %1"_s.arg(row)); });
        connect(list, &ListView::rowDoubleClicked, this, [this] { note(u"double"_s); });
        connect(list, &ListView::columnClicked, this,
                [this](int column) { note(u"header %1"_s.arg(column)); });

        auto* date = new DatePicker(u"dtpProbe"_s, this);
        date->setGeometry(0, 240, 150, 24);
        date->setDateByCode(QDate(2010, 1, 15));
        connect(date, &DatePicker::userChanged, this, [this] { note(u"date"_s); });

        auto* combo = new QComboBox(this);
        combo->setObjectName(u"cboProbe"_s);
        combo->setGeometry(160, 240, 150, 24);
        combo->addItems({u"抽選"_s, u"先着"_s});
        connect(combo, &QComboBox::activated, this,
                [this](int index) { note(u"chose %1"_s.arg(index)); });

        auto* save = new QPushButton(u"保存"_s, this);
        save->setObjectName(u"cmdSave"_s);
        save->setGeometry(0, 280, 100, 30);
        connect(save, &QPushButton::clicked, this, [this, &runner] { saveAndPrint(runner); });

        log = new QLabel(this);
        log->setObjectName(u"lblLog"_s);
        log->setGeometry(0, 320, 600, 20);

        setMinimumSize(500, 350);
        setMaximumSize(900, 700);
        panel = new QWidget(this);
        auto* layout = new QHBoxLayout(panel);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        for (const QString& name : {u"lblLeft"_s, u"lblRight"_s}) {
            auto* label = new QLabel(name, panel);
            label->setObjectName(name);
            layout->addWidget(label, name == u"lblLeft"_s ? 1 : 0);
        }
        panel->findChild<QLabel*>(u"lblRight"_s)->setFixedWidth(100);
        pinned = new QCheckBox(u"固定"_s, this);
        pinned->setObjectName(u"chkPinned"_s);
        pinned->setGeometry(320, 280, 100, 24);
        connect(pinned, &QCheckBox::toggled, this, [this] { pinnedSize = size(); });
    }

    diary::RowList rows;
    QLabel* result;
    QLabel* log;
    ListView* list;

  protected:
    void resizeEvent(QResizeEvent*) override {
        if (panel == nullptr) {
            return;
        }
        panel->setGeometry(0, height() - 40, width(), 30);
        if (pinned->isChecked() && size() != pinnedSize) {
            QTimer::singleShot(0, this, [this] { resize(pinnedSize); });
        }
    }

    void closeEvent(QCloseEvent* event) override {
        note(event->spontaneous() ? u"closed by the user"_s : u"closed by code"_s);
        event->accept();
    }

  private:
    QWidget* panel = nullptr;
    QCheckBox* pinned = nullptr;
    QSize pinnedSize;

    void note(const QString& what) {
        log->setText(log->text().isEmpty() ? what : log->text() + u',' + what);
    }

    void openDialog(scenario::Runner& runner) {
        QDialog dialog(this);
        dialog.setObjectName(u"dlgProbe"_s);
        auto* name = new QLineEdit(&dialog);
        name->setObjectName(u"txtName"_s);
        auto* ok = new QPushButton(u"OK"_s, &dialog);
        ok->setObjectName(u"cmdOK"_s);
        ok->move(0, 40);
        connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
        if (dialog.exec() != QDialog::Accepted) {
            result->setText(u"rejected"_s);
            return;
        }
        for (int i = 0; i < 5; ++i) {
            QThread::msleep(20);
            QCoreApplication::processEvents();
        }
        result->setText(name->text());
        runner.prompter().message(u"完了"_s, u"保存しました"_s, platform::MessageIcon::Information,
                                  platform::MessageButtons::Ok);
    }

    void saveAndPrint(scenario::Runner& runner) {
        const std::optional<QString> path = runner.dialogs().saveFile(this, u"保存"_s, {}, {});
        std::unique_ptr<platform::LinePrinter> printer = runner.dialogs().choosePrinter(this);
        if (!path || !printer) {
            note(u"cancelled"_s);
            return;
        }
        printer->printLine(u"きらび帳"_s);
        printer->printLine(*path);
        printer->endDocument();
        note(u"shell %1"_s.arg(runner.shell().open(*path)));
        note(runner.clipboard().text().value_or(QString()));
    }
};

}  // namespace

class TestStepEngine : public QObject {
    Q_OBJECT

    struct Run {
        int exitCode = -1;
        QStringList output;
        QString result;
        QString log;
        QList<int> selected;
        QSize size;
    };

    Run run(const QString& text) {
        const scenario::Scenario parsed = scenario::parse(text);
        [&] { QVERIFY(parsed.errors.isEmpty()); }();
        QTemporaryDir folder;
        Run outcome;
        scenario::Runner runner({u"probe.scn"_s, folder.path(), folder.path(),
                                 [&outcome](const QString& line) { outcome.output.append(line); }},
                                parsed.steps);
        ProbeWindow window(runner);
        window.show();
        QSignalSpy finished(&runner, &scenario::Runner::finished);
        runner.start();
        [&] { QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 15000); }();
        outcome.exitCode = finished.value(0).value(0).toInt();
        outcome.result = window.result->text();
        outcome.log = window.log->text();
        outcome.selected = window.list->selectedRows();
        outcome.size = window.size();
        return outcome;
    }

  private Q_SLOTS:
    // The steps after the click run inside the dialog's exec(); the message
    // that comes once the dialog closes belongs to the click that closed it.
    void stepsRunInsideAModalLoop() {
        const Run outcome =
            run(u"click frmProbe.cmdOpen\n"
                u"expect window dlgProbe open\n"
                u"type dlgProbe.txtName \"きらび\"\n"
                u"message OK \"完了\" \"保存しました\"\n"
                u"click dlgProbe.cmdOK\n"
                u"expect window dlgProbe closed\n"
                u"expect frmProbe.lblResult text \"きらび\"\n"_s);
        QVERIFY2(outcome.exitCode == 0, qPrintable(outcome.output.join(u'\n')));
        QCOMPARE(outcome.result, u"きらび"_s);
    }

    // A window behind a modal one takes no clicks; the failure closes the
    // dialog so that its exec() returns before the runner reports the end.
    void failureInsideAModalLoopUnwinds() {
        const Run outcome =
            run(u"click frmProbe.cmdOpen\n"
                u"type dlgProbe.txtName \"x\"\n"
                u"click frmProbe.cmdOpen\n"_s);
        QCOMPARE(outcome.exitCode, 1);
        QCOMPARE(outcome.output.value(0), u"probe.scn:3: click frmProbe.cmdOpen"_s);
        QVERIFY2(outcome.output.value(2).contains(u"blocked by the modal window dlgProbe"_s),
                 qPrintable(outcome.output.join(u'\n')));
        QCOMPARE(outcome.result, u"rejected"_s);
    }

    // A message queued for the dialog's button is left over when the
    // program asks nothing.
    void leftOverAnswerInsideAModalLoop() {
        const Run outcome =
            run(u"click frmProbe.cmdOpen\n"
                u"message Yes \"確認\" \"閉じますか？\"\n"
                u"type dlgProbe.txtName \"x\"\n"_s);
        QCOMPARE(outcome.exitCode, 1);
        QCOMPARE(outcome.output.value(0), u"probe.scn:3: type dlgProbe.txtName \"x\""_s);
        QVERIFY(outcome.output.contains(u"  line 2: message Yes \"確認\" \"閉じますか？\""_s));
        QCOMPARE(outcome.result, u"rejected"_s);
    }

    // Row, header, date and combo actions reach the program through the
    // signals a user's mouse would raise; the frame's close is the user's.
    void actionsReachTheProgram() {
        const Run outcome =
            run(u"select frmProbe.lvwProbe 1,3\n"
                u"header frmProbe.lvwProbe 2\n"
                u"header frmProbe.lvwProbe 3\n"
                u"date frmProbe.dtpProbe 2010/03/31\n"
                u"choose frmProbe.cboProbe \"先着\"\n"
                u"expect frmProbe.cboProbe text \"先着\"\n"
                u"expect frmProbe.lvwProbe rows 3\n"
                u"expect frmProbe.lvwProbe row 2 \"d||\"\n"
                u"expect frmProbe.lvwProbe row 3 \"g\\|h||i\"\n"
                u"expect frmProbe.lvwProbe cell 1 1 \"a\" color 168,0,0 bold\n"
                u"expect frmProbe.lvwProbe cell 1 3 \"c\" color 0,0,0 plain\n"
                u"expect frmProbe.lvwProbe header 3 \"三\"\n"
                u"expect frmProbe.lvwProbe width 2 0\n"
                u"expect frmProbe.lvwProbe width 3 1200\n"
                u"expect frmProbe.dtpProbe date 2010/03/31\n"
                u"close frmProbe\n"_s);
        QVERIFY2(outcome.exitCode == 0, qPrintable(outcome.output.join(u'\n')));
        QCOMPARE(outcome.log,
                 u"click 1,click 3,header 2,header 3,date,chose 1,closed by the user"_s);
        QCOMPARE(outcome.selected, (QList<int>{0, 2}));
    }

    void doubleClick() {
        const Run outcome = run(u"dblclick frmProbe.lvwProbe 2 right\n"_s);
        QVERIFY2(outcome.exitCode == 0, qPrintable(outcome.output.join(u'\n')));
        QVERIFY2(outcome.log.endsWith(u"double"_s), qPrintable(outcome.log));
    }

    // A drag of the frame keeps to the window's minimum and maximum, and the
    // boxes are measured from the window's client area, through the panel
    // the controls sit in.
    void resizeKeepsToTheLimits() {
        const Run outcome =
            run(u"expect frmProbe box 0 0 600 400\n"
                u"expect frmProbe.lblRight box 500 360 100 30\n"
                u"resize frmProbe 700 500\n"
                u"expect frmProbe box 0 0 700 500\n"
                u"expect frmProbe.lblRight box 600 460 100 *\n"
                u"expect frmProbe.lblLeft box 0 460 >=600 <=600\n"
                u"resize frmProbe 100 100\n"
                u"expect frmProbe box * * 500 350\n"
                u"resize frmProbe 2000 600\n"_s);
        QVERIFY2(outcome.exitCode == 0, qPrintable(outcome.output.join(u'\n')));
        QCOMPARE(outcome.size, QSize(900, 600));
    }

    // The resize step waits for the window to keep its new size, and says
    // what it found when the window will not.
    void resizeThatDoesNotHoldFails() {
        const Run outcome =
            run(u"check frmProbe.chkPinned on\n"
                u"resize frmProbe 700 500\n"_s);
        QCOMPARE(outcome.exitCode, 1);
        QCOMPARE(outcome.output.value(0), u"probe.scn:2: resize frmProbe 700 500"_s);
        QCOMPARE(outcome.output.value(1),
                 u"  expected: frmProbe with a client area of 700×500 pixels"_s);
        QCOMPARE(outcome.output.value(2), u"  found:    its client area is 600×400"_s);
        QCOMPARE(outcome.size, QSize(600, 400));
    }

    void boxFailureShowsTheRectangle() {
        const Run outcome =
            run(u"expect frmProbe.cmdSave box 2 278 102 *\n"
                u"expect frmProbe.cmdSave box * >=280 <=100 30\n"
                u"expect frmProbe.cmdSave box 3 280 100 33\n"_s);
        QCOMPARE(outcome.exitCode, 1);
        QCOMPARE(outcome.output.value(0),
                 u"probe.scn:3: expect frmProbe.cmdSave box 3 280 100 33"_s);
        QCOMPARE(outcome.output.value(1), u"  expected: box 3 280 100 33"_s);
        QCOMPARE(outcome.output.value(2), u"  found:    box 0 280 100 30"_s);
        QVERIFY2(outcome.output.value(3).startsWith(u"  outside: x, height ("_s),
                 qPrintable(outcome.output.value(3)));
    }

    // Answers to the dialogs and the shell, the printed lines and the
    // clipboard, with relative paths taken from the program folder.
    void answersAndRecords() {
        const Run outcome =
            run(u"clipboard <<END\n"
                u"一\n"
                u"二\n"
                u"END\n"
                u"file \"out/a.csv\"\n"
                u"printer \"out/print.txt\"\n"
                u"shell-result 2\n"
                u"click frmProbe.cmdSave\n"
                u"expect shell \"$PROGRAM/out/a.csv\"\n"
                u"expect text out/print.txt <<END\n"
                u"きらび帳\n"
                u"$PROGRAM/out/a.csv\n"
                u"END\n"
                u"expect frmProbe.lblLog text \"shell 2,一\\n二\"\n"
                u"file cancel\n"
                u"printer cancel\n"
                u"click frmProbe.cmdSave\n"
                u"expect frmProbe.lblLog text \"shell 2,一\\n二,cancelled\"\n"_s);
        QVERIFY2(outcome.exitCode == 0, qPrintable(outcome.output.join(u'\n')));
    }
};

QTEST_MAIN(TestStepEngine)
#include "tst_stepengine.moc"
