// The search window driven as a user drives it: the walk runs beside the
// window and keeps its order, an interrupt answers at once and leaves no
// result, closing either window during a search interrupts it, and no work
// file is left after any search.
#include <QDirIterator>
#include <QElapsedTimer>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTestEventLoop>
#include <limits>

#include "programfixture.h"
#include "storage/monthfile.h"
#include "storage/summaryfile.h"
#include "widgets/listview.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int Months = 12;
constexpr int PerMonth = 3000;
constexpr int SearchMilliseconds = 30000;  // a whole search under the sanitizers

QString twoDigits(int n) {
    return u"%1"_s.arg(n, 2, 10, QChar(u'0'));
}

// Twelve months of 3,000 records, and the total that counts them, so that
// the progress bar runs over the records a search examines.
void storeYear(const DataPaths& paths) {
    for (int month = 1; month <= Months; ++month) {
        QList<PrizeEntry> records;
        for (int i = 0; i < PerMonth; ++i) {
            PrizeEntry e;
            e[FilingDate] = u"2009/%1/01"_s.arg(twoDigits(month));
            e[ID] = QString::number(i);
            e[Present] = u"賞品%1"_s.arg(i);
            e[HappyDay] = u"----/--/--"_s;
            records.append(e);
        }
        QVERIFY(monthfile::write(paths.monthFile(u"2009"_s, twoDigits(month)), records, QString())
                    .ok());
    }
    const summaryfile::Row total = {
        u"2009"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, QString::number(Months * PerMonth),
        u"0.00"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s};
    QVERIFY(summaryfile::write(paths.totalFile(), {total}).ok());
}

QStringList workFiles(const QString& folder) {
    QStringList found;
    QDirIterator it(folder, {u"!"_s}, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        found.append(it.next());
    }
    return found;
}

// The end of a search as a user sees it: the main window usable again, or
// gone with the program. Waiting for it runs the event loop as the program's
// own does, without pauses between events.
class SearchEnd : public QObject {
  public:
    explicit SearchEnd(QWidget* window) : window_(window) {
        clock.start();
        window->installEventFilter(this);
        connect(window, &QObject::destroyed, this, &SearchEnd::reached);
    }

    // Whether the end came within the time.
    bool wait() {
        if (at < 0) {
            QTestEventLoop::instance().enterLoopMSecs(SearchMilliseconds);
        }
        return at >= 0;
    }

    QElapsedTimer clock;
    qint64 at = -1;  // on the clock

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_ && event->type() == QEvent::EnabledChange && window_->isEnabled()) {
            reached();
        }
        return false;
    }

  private:
    void reached() {
        if (at < 0) {
            at = clock.elapsed();
            QTestEventLoop::instance().exitLoop();
        }
    }

    QWidget* window_;
};

}  // namespace

class TestFrmDataSearch : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<ProgramFixture> program_;
    QPointer<frmMain> window_;
    QPointer<QWidget> search_;

    QProgressBar* progress() const { return control<QProgressBar>(window_, u"prgShinko"_s); }
    QPushButton* button(const QString& name) const { return control<QPushButton>(search_, name); }

    QString faults() const { return program_->prompter.faults().join(u"; "_s); }

    QStringList searchMessages() const {
        QStringList titles;
        for (const platform::ScriptedPrompter::Shown& shown : program_->prompter.shown()) {
            if (shown.title.startsWith(u"検索"_s)) {
                titles.append(shown.title);
            }
        }
        return titles;
    }

  private Q_SLOTS:
    void init() {
        program_ = std::make_unique<ProgramFixture>();
        storeYear(program_->folder.paths());
        window_ = program_->start();
        QVERIFY(window_ != nullptr);
        control<QTabBar>(window_, u"tabMain"_s)->setCurrentIndex(int(diary::Tab::Search));
        search_ = openWindow(u"frmDataSearch"_s);
        QVERIFY(search_ != nullptr);
    }

    void cleanup() {
        if (window_) {
            control<QPushButton>(window_, u"cmdEnd"_s)->click();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        program_.reset();
    }

    // Every record, in walk order. The walk's count of the records it
    // examined reaches the main window's bar, which runs to one past the
    // stored total, while the window is disabled.
    void completeSearchFindsEveryRecordInWalkOrder() {
        bool examinedAllWhileBusy = false;
        connect(progress(), &QProgressBar::valueChanged, this, [&, this](int value) {
            examinedAllWhileBusy |= value == Months * PerMonth &&
                                    progress()->maximum() == Months * PerMonth + 1 &&
                                    !window_->isEnabled();
        });
        program_->prompter.expect(platform::MessageAnswer::Ok, u"検索終了"_s,
                                  u"検索が終了しました"_s);
        SearchEnd end(window_);
        button(u"cmdSearch"_s)->click();
        QVERIFY(!window_->isEnabled());
        QCOMPARE(button(u"cmdClose"_s)->text(), u"中止(&P)"_s);
        QVERIFY(end.wait());
        qInfo("the whole search took %lld ms", end.at);
        QVERIFY2(faults().isEmpty(), qPrintable(faults()));
        QCOMPARE(program_->prompter.pending(), 0);
        QVERIFY(examinedAllWhileBusy);
        QCOMPARE(progress()->value(), progress()->maximum());
        const ListModel& found = control<ListView>(window_, u"lvwSearch"_s)->listModel();
        QCOMPARE(found.rowCount(), Months * PerMonth);
        for (int row = 0; row < found.rowCount(); ++row) {
            const QString month = twoDigits(row / PerMonth + 1);
            if (found.text(row, FilingDate) != u"2009/%1/01"_s.arg(month) ||
                found.text(row, ID) != QString::number(row % PerMonth)) {
                QFAIL(qPrintable(u"row %1 is %2 %3"_s.arg(row).arg(found.text(row, FilingDate),
                                                                   found.text(row, ID))));
            }
        }
        QCOMPARE(workFiles(program_->folder.paths().dataFolder()), QStringList());
        QVERIFY(QApplication::overrideCursor() == nullptr);
    }

    // 中止 answers within 100 ms, from the click to the main window usable
    // again, and an interrupted search leaves nothing. The best of three
    // counts, so that a busy machine cannot fail it.
    void interruptAnswersAtOnce() {
        QPushButton* close = button(u"cmdClose"_s);
        qint64 best = std::numeric_limits<qint64>::max();
        for (int attempt = 0; attempt < 3; ++attempt) {
            program_->prompter.expect(platform::MessageAnswer::Ok, u"検索中断"_s,
                                      u"検索を中断しました"_s);
            button(u"cmdSearch"_s)->click();
            QCOMPARE(close->text(), u"中止(&P)"_s);
            SearchEnd end(window_);
            close->click();
            QVERIFY(end.wait());
            best = std::min(best, end.at);
            QVERIFY2(faults().isEmpty(), qPrintable(faults()));
            QCOMPARE(control<ListView>(window_, u"lvwSearch"_s)->count(), 0);
            QCOMPARE(progress()->value(), progress()->minimum());
            QCOMPARE(close->text(), u"終了(&P)"_s);
            QVERIFY(search_->isVisible());
            QCOMPARE(workFiles(program_->folder.paths().dataFolder()), QStringList());
        }
        qInfo("interrupt answered in %lld ms", best);
        QVERIFY2(best < 100, qPrintable(u"%1 ms"_s.arg(best)));
        QCOMPARE(searchMessages(), QStringList(3, u"検索中断"_s));
    }

    // Closing the window by its frame during a search ends the search as
    // interrupted, then closes the window.
    void closingDuringASearchInterruptsIt() {
        program_->prompter.expect(platform::MessageAnswer::Ok, u"検索中断"_s,
                                  u"検索を中断しました"_s);
        SearchEnd end(window_);
        button(u"cmdSearch"_s)->click();
        search_->close();
        QVERIFY(search_->isVisible());  // until the search has told its end
        QVERIFY(end.wait());
        QTRY_VERIFY(search_ == nullptr);
        QVERIFY2(faults().isEmpty(), qPrintable(faults()));
        QCOMPARE(program_->prompter.pending(), 0);
        QCOMPARE(control<ListView>(window_, u"lvwSearch"_s)->count(), 0);
        QVERIFY(QApplication::overrideCursor() == nullptr);
    }

    // Ending the program during a search stops the walk before the windows
    // go, tells nothing more and leaves no busy cursor behind.
    void endingTheProgramDuringASearchStopsIt() {
        SearchEnd end(window_);
        button(u"cmdSearch"_s)->click();
        window_->close();
        QVERIFY(end.wait());
        QTRY_VERIFY(window_ == nullptr);
        QVERIFY(search_ == nullptr);
        QVERIFY2(faults().isEmpty(), qPrintable(faults()));
        QCOMPARE(searchMessages(), QStringList());
        QVERIFY(QApplication::overrideCursor() == nullptr);
        QCOMPARE(workFiles(program_->folder.paths().dataFolder()), QStringList());
    }
};

QTEST_MAIN(TestFrmDataSearch)
#include "tst_frmdatasearch.moc"
