// The real save dialog, driven as a user drives Qt's own dialog, in Japanese:
// a name typed
// without an extension gets that of the filter chosen, before the dialog asks
// about overwriting, and a bare proposed name opens where the last save went.
#include <QAbstractButton>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "platform/desktop.h"
#include "platform/japanese.h"
#include "testsupport.h"

using namespace Qt::StringLiterals;

namespace {

const QString ListFilter = u"*.csv|*.csv|*.htm|*.htm|*.html|*.html|"_s;

// Acts on each modal window once, as it comes up, the way a user answers it.
class ModalDriver : public QObject {
  public:
    using Act = std::function<void(QWidget*)>;
    explicit ModalDriver(QList<Act> acts) : acts_(std::move(acts)) {
        connect(&timer_, &QTimer::timeout, this, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal == nullptr || modal == last_ || acts_.isEmpty()) {
                return;
            }
            last_ = modal;
            // Queued: an act that brings up another modal window waits in
            // it, and a timer never fires again inside its own handler.
            QMetaObject::invokeMethod(
                this,
                [act = acts_.takeFirst(), modal = QPointer(modal)] {
                    if (modal) {
                        act(modal);
                    }
                },
                Qt::QueuedConnection);
        });
        timer_.start(10);
    }
    bool done() const { return acts_.isEmpty(); }

  private:
    QList<Act> acts_;
    QPointer<QWidget> last_;
    QTimer timer_;
};

// Types the name and, when filterSteps is not 0, steps the filter list down
// by keys; Enter then saves.
ModalDriver::Act typeName(const QString& name, int filterSteps = 0, QString* folder = nullptr) {
    return [=](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        QVERIFY(dialog != nullptr);
        if (folder != nullptr) {
            *folder = dialog->directory().absolutePath();
        }
        auto* combo = dialog->findChild<QComboBox*>(u"fileTypeCombo"_s);
        QVERIFY(combo != nullptr);
        for (int i = 0; i < filterSteps; ++i) {
            QTest::keyClick(combo, Qt::Key_Down);
        }
        auto* edit = dialog->findChild<QLineEdit*>(u"fileNameEdit"_s);
        QVERIFY(edit != nullptr);
        edit->setText(name);
        QTest::keyClick(edit, Qt::Key_Return);
    };
}

}  // namespace

class TestDesktopDialogs : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void initTestCase() { QVERIFY(platform::useJapanese(*QCoreApplication::instance())); }

    // The program's save dialog speaks Japanese whatever the system's locale.
    void saveDialogSpeaksJapanese() {
        TestFolder folder;
        platform::DesktopDialogs dialogs;
        QStringList texts;
        ModalDriver driver({[&texts](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            QVERIFY(dialog != nullptr);
            const auto* buttons = dialog->findChild<QDialogButtonBox*>();
            QVERIFY(buttons != nullptr);
            texts << buttons->button(QDialogButtonBox::Save)->text()
                  << buttons->button(QDialogButtonBox::Cancel)->text()
                  << dialog->findChild<QLabel*>(u"fileNameLabel"_s)->text();
            dialog->reject();
        }});
        QCOMPARE(dialogs.saveFile(nullptr, u"名前を付けて保存"_s, ListFilter,
                                  folder.file(u"2026年11月.csv"_s)),
                 std::nullopt);
        QVERIFY(driver.done());
        QCOMPARE(texts.size(), 3);
        QVERIFY2(texts[0].startsWith(u"保存"_s), qPrintable(texts[0]));
        QCOMPARE(texts[1], u"キャンセル"_s);
        QVERIFY2(texts[2].startsWith(u"ファイル名"_s), qPrintable(texts[2]));
    }

    void suffixOfTheFilterChosen_data() {
        QTest::addColumn<QString>("proposed");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("filterSteps");
        QTest::addColumn<QString>("written");
        QTest::newRow("csv preselected")
            << u"2026年11月.csv"_s << u"2026年11月"_s << 0 << u"2026年11月.csv"_s;
        QTest::newRow("htm chosen")
            << u"2026年11月.csv"_s << u"2026年11月"_s << 1 << u"2026年11月.htm"_s;
        QTest::newRow("html preselected") << u"一覧.html"_s << u"一覧"_s << 0 << u"一覧.html"_s;
        QTest::newRow("extension typed") << u"2026年.csv"_s << u"year.CSV"_s << 0 << u"year.CSV"_s;
    }
    void suffixOfTheFilterChosen() {
        QFETCH(QString, proposed);
        QFETCH(QString, typed);
        QFETCH(int, filterSteps);
        QFETCH(QString, written);
        TestFolder folder;
        platform::DesktopDialogs dialogs;
        ModalDriver driver({typeName(typed, filterSteps)});
        const std::optional<QString> path =
            dialogs.saveFile(nullptr, u"保存"_s, ListFilter, folder.file(proposed));
        QVERIFY(driver.done());
        QCOMPARE(path, folder.file(written));
    }

    // The question is about the name with its suffix; No leaves the dialog
    // open, and cancelling it saves nothing.
    void overwriteQuestionSeesTheSuffix() {
        TestFolder folder;
        QVERIFY(writeBytes(folder.file(u"2026年11月.csv"_s), "old"));
        platform::DesktopDialogs dialogs;
        QString question;
        ModalDriver driver({typeName(u"2026年11月"_s),
                            [&question](QWidget* modal) {
                                auto* box = qobject_cast<QMessageBox*>(modal);
                                QVERIFY(box != nullptr);
                                question = box->text();
                                box->button(QMessageBox::No)->click();
                            },
                            [](QWidget* modal) {
                                auto* dialog = qobject_cast<QFileDialog*>(modal);
                                QVERIFY(dialog != nullptr);
                                dialog->reject();
                            }});
        const std::optional<QString> path =
            dialogs.saveFile(nullptr, u"保存"_s, ListFilter, folder.file(u"2026年11月.csv"_s));
        QVERIFY(driver.done());
        QVERIFY2(question.contains(u"2026年11月.csv"_s), qPrintable(question));
        QVERIFY2(!question.contains(u"already exists"_s), qPrintable(question));
        QCOMPARE(path, std::nullopt);
    }

    // A bare name opens in the folder of the last save.
    void bareNameOpensWhereTheLastSaveWent() {
        TestFolder folder;
        platform::DesktopDialogs dialogs;
        QString opened;
        ModalDriver driver({typeName(u"2026年10月"_s), typeName(u"2026年11月"_s, 0, &opened)});
        QCOMPARE(dialogs.saveFile(nullptr, u"保存"_s, ListFilter, folder.file(u"一覧.csv"_s)),
                 folder.file(u"2026年10月.csv"_s));
        QCOMPARE(dialogs.saveFile(nullptr, u"保存"_s, ListFilter, u"2026年11月.csv"_s),
                 folder.file(u"2026年11月.csv"_s));
        QVERIFY(driver.done());
        QCOMPARE(opened, QDir(folder.path()).absolutePath());
    }
};

QTEST_MAIN(TestDesktopDialogs)
#include "tst_desktopdialogs.moc"
