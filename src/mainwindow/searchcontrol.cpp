#include "mainwindow/searchcontrol.h"

#include <QProgressBar>
#include <climits>

#include "mainwindow/bottompanel.h"
#include "mainwindow/listpages.h"
#include "mainwindow/viewrefresh.h"
#include "platform/clock.h"
#include "search/frmdatasearch.h"
#include "widgets/listview.h"

SearchControl::SearchControl(Platform& platform, diary::Desk& desk, QWidget* mainWindow,
                             SearchPage* page, BottomPanel* panel, ViewRefresh& views,
                             QString helpFile)
    : QObject(mainWindow),
      platform_(platform),
      desk_(desk),
      mainWindow_(mainWindow),
      page_(page),
      panel_(panel),
      views_(views),
      helpFile_(std::move(helpFile)) {}

SearchControl::~SearchControl() {
    delete dataSearch_.data();
}

bool SearchControl::filedByDeadline() const {
    return desk_.filedByDeadline();
}

QString SearchControl::helpFile() const {
    return helpFile_;
}

const DataPaths& SearchControl::dataPaths() const {
    return desk_.paths();
}

QString SearchControl::startPassword() const {
    return desk_.startPassword();
}

bool SearchControl::keepsWindowsOnTop() const {
    return desk_.settings().formState;
}

void SearchControl::setMainOnTop(bool onTop) {
    if (mainWindow_->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == onTop) {
        return;
    }
    const bool shown = mainWindow_->isVisible();
    mainWindow_->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (shown) {
        mainWindow_->show();  // changing the flags hides a window
    }
}

void SearchControl::loadSearchWindow() {
    if (!desk_.flags.SearchFormOpen) {
        dataSearch_ = new frmDataSearch(platform_, *this);
        connect(dataSearch_, &frmDataSearch::closed, this, &SearchControl::searchWindowClosed);
        desk_.flags.SearchFormOpen = true;
    }
    dataSearch_->setDates(platform_.clock.today());
    dataSearch_->arrangeDateRows();
    dataSearch_->show();
}

void SearchControl::unloadSearchWindow() {
    if (desk_.flags.SearchFormOpen && dataSearch_) {
        dataSearch_->cmdClose_Click();
    }
}

void SearchControl::searchWindowClosed() {
    desk_.flags.SearchFormOpen = false;
    // Deleted once its own event handling is over, or with the main window
    // when that goes first.
    dataSearch_->deleteLater();
}

void SearchControl::newConditions() {
    panel_->clearFigures();
    panel_->prgShinko->setValue(panel_->prgShinko->minimum());
    desk_.searchResults().clear();
}

qint64 SearchControl::searchBegins() {
    page_->lvwDummy->show();
    page_->lvwDummy->raise();
    page_->lvwSearch->hide();
    mainWindow_->setEnabled(false);
    QProgressBar* bar = panel_->prgShinko;
    bar->setValue(bar->minimum());
    views_.LoadTotalFile();
    const qint64 entries = desk_.diary().summaries().totalSums().entries;
    if (entries != 0) {
        bar->setMaximum(int(std::min<qint64>(entries + 1, INT_MAX)));
    }
    desk_.searchResults().clear();
    return entries;
}

void SearchControl::searchProgress(qint64 examined) {
    QProgressBar* bar = panel_->prgShinko;
    bar->setValue(int(std::min<qint64>(examined, bar->maximum())));
}

void SearchControl::searchEnds(const QList<PrizeEntry>* results) {
    QProgressBar* bar = panel_->prgShinko;
    if (results == nullptr) {
        bar->setValue(bar->minimum());
        desk_.searchResults().clear();  // never a part of the results
        return;
    }
    bar->setValue(bar->maximum());
    desk_.searchResults().assign(*results);
}

void SearchControl::searchFinished() {
    views_.ListViewStatistics();
    page_->lvwDummy->hide();
    page_->lvwSearch->show();
    page_->lvwSearch->raise();
    mainWindow_->setEnabled(true);
}
