#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include "runner.h"

using namespace Qt::StringLiterals;

namespace {

// A window whose button opens a modal dialog with exec() and, once the dialog
// is accepted, works a while with events flowing (as a progress display
// does), then shows what was typed and tells the user through a message.
class ProbeWindow : public QWidget {
  public:
    explicit ProbeWindow(platform::Prompter& prompter) {
        setObjectName(u"frmProbe"_s);
        auto* open = new QPushButton(u"開く"_s, this);
        open->setObjectName(u"cmdOpen"_s);
        result = new QLabel(this);
        result->setObjectName(u"lblResult"_s);
        result->move(0, 40);
        connect(open, &QPushButton::clicked, this, [this, &prompter] {
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
            prompter.message(u"完了"_s, u"保存しました"_s, platform::MessageIcon::Information,
                             platform::MessageButtons::Ok);
        });
    }
    QLabel* result;
};

}  // namespace

class TestStepEngine : public QObject {
    Q_OBJECT

    struct Run {
        int exitCode = -1;
        QStringList output;
        QString result;
    };

    Run run(const QString& text) {
        const scenario::Scenario parsed = scenario::parse(text);
        [&] { QVERIFY(parsed.errors.isEmpty()); }();
        QTemporaryDir folder;
        Run outcome;
        scenario::Runner runner({u"probe.scn"_s, folder.path(), folder.path(),
                                 [&outcome](const QString& line) { outcome.output.append(line); }},
                                parsed.steps);
        ProbeWindow window(runner.prompter());
        window.show();
        QSignalSpy finished(&runner, &scenario::Runner::finished);
        runner.start();
        [&] { QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 15000); }();
        outcome.exitCode = finished.value(0).value(0).toInt();
        outcome.result = window.result->text();
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
};

QTEST_MAIN(TestStepEngine)
#include "tst_stepengine.moc"
