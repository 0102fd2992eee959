// The search window driven as a user drives it: an interrupt answers at
// once and leaves no result, closing the window during a search interrupts
// it, and no work file is left after any search.
#include <QDirIterator>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <limits>

#include "programfixture.h"
#include "storage/monthfile.h"
#include "widgets/listview.h"

using namespace Qt::StringLiterals;

namespace {

// Twelve months of 3,000 records: a search long enough to be interrupted.
void storeYear(const DataPaths& paths) {
    for (int month = 1; month <= 12; ++month) {
        QList<PrizeEntry> records;
        for (int i = 0; i < 3000; ++i) {
            PrizeEntry e;
            e[FilingDate] = u"2009/%1/01"_s.arg(month, 2, 10, QChar(u'0'));
            e[ID] = QString::number(i);
            e[Present] = u"賞品%1"_s.arg(i);
            e[HappyDay] = u"----/--/--"_s;
            records.append(e);
        }
        QVERIFY(monthfile::write(paths.monthFile(u"2009"_s, u"%1"_s.arg(month, 2, 10, QChar(u'0'))),
                                 records, QString())
                    .ok());
    }
}

QStringList workFiles(const QString& folder) {
    QStringList found;
    QDirIterator it(folder, {u"!"_s}, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        found.append(it.next());
    }
    return found;
}

}  // namespace

class TestFrmDataSearch : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<ProgramFixture> program_;
    frmMain* window_ = nullptr;
    QWidget* search_ = nullptr;

  private Q_SLOTS:
    void init() {
        program_ = std::make_unique<ProgramFixture>();
        storeYear(program_->folder.paths());
        window_ = program_->start();
        QVERIFY(window_ != nullptr);
        control<QTabBar>(window_, u"tabMain"_s)->setCurrentIndex(3);
        search_ = openWindow(u"frmDataSearch"_s);
        QVERIFY(search_ != nullptr);
    }

    void cleanup() {
        control<QPushButton>(window_, u"cmdEnd"_s)->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        program_.reset();
    }

    void completeSearchFindsEveryRecord() {
        program_->prompter.expect(platform::MessageAnswer::Ok, u"検索終了"_s,
                                  u"検索が終了しました"_s);
        control<QPushButton>(search_, u"cmdSearch"_s)->click();
        QVERIFY(program_->prompter.faults().isEmpty());
        QCOMPARE(control<ListView>(window_, u"lvwSearch"_s)->count(), 36000);
        QCOMPARE(workFiles(program_->folder.paths().dataFolder()), QStringList());
        QVERIFY(window_->isEnabled());
    }

    // 中止 answers within 100 ms, and an interrupted search leaves nothing.
    // The best of three counts, so that a busy machine cannot fail it.
    void interruptAnswersAtOnce() {
        auto* close = control<QPushButton>(search_, u"cmdClose"_s);
        qint64 best = std::numeric_limits<qint64>::max();
        for (int attempt = 0; attempt < 3; ++attempt) {
            QElapsedTimer sinceClick;
            QString captionWhileRunning;
            QTimer::singleShot(20, close, [&] {
                captionWhileRunning = close->text();
                sinceClick.start();
                close->click();
            });
            program_->prompter.expect(platform::MessageAnswer::Ok, u"検索中断"_s,
                                      u"検索を中断しました"_s);
            control<QPushButton>(search_, u"cmdSearch"_s)->click();
            best = std::min(best, sinceClick.elapsed());
            QCOMPARE(captionWhileRunning, u"中止(&P)"_s);
            QVERIFY(program_->prompter.faults().isEmpty());
            QCOMPARE(control<ListView>(window_, u"lvwSearch"_s)->count(), 0);
            QCOMPARE(close->text(), u"終了(&P)"_s);
            QVERIFY(search_->isVisible());
            QCOMPARE(workFiles(program_->folder.paths().dataFolder()), QStringList());
        }
        qInfo("interrupt answered in %lld ms", best);
        QVERIFY2(best < 100, qPrintable(u"%1 ms"_s.arg(best)));
    }

    // Closing the window by its frame during a search ends the search as
    // interrupted, then closes the window.
    void closingDuringASearchInterruptsIt() {
        QTimer::singleShot(20, search_, [this] { search_->close(); });
        program_->prompter.expect(platform::MessageAnswer::Ok, u"検索中断"_s,
                                  u"検索を中断しました"_s);
        control<QPushButton>(search_, u"cmdSearch"_s)->click();
        QVERIFY(program_->prompter.faults().isEmpty());
        QCOMPARE(control<ListView>(window_, u"lvwSearch"_s)->count(), 0);
        QVERIFY(openWindow(u"frmDataSearch"_s) == nullptr);
        QVERIFY(window_->isEnabled());
    }
};

QTEST_MAIN(TestFrmDataSearch)
#include "tst_frmdatasearch.moc"
