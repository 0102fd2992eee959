// frmMain: the search window — opening and closing it with the search tab,
// and what it tells of a search.
#include <QProgressBar>
#include <climits>

#include "mainwindow/bottompanel.h"
#include "mainwindow/frmmain.h"
#include "platform/clock.h"
#include "search/frmdatasearch.h"
#include "widgets/listview.h"

using namespace Qt::StringLiterals;

const DataPaths& frmMain::dataPaths() const {
    return desk_.paths();
}

QString frmMain::startPassword() const {
    return desk_.startPassword();
}

bool frmMain::keepsWindowsOnTop() const {
    return desk_.settings().formState;
}

void frmMain::setMainOnTop(bool onTop) {
    if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) == onTop) {
        return;
    }
    const bool shown = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (shown) {
        show();  // changing the flags hides a window
    }
}

void frmMain::loadSearchWindow() {
    if (!desk_.flags.SearchFormOpen) {
        dataSearch_ = new frmDataSearch(platform_, *this);
        connect(dataSearch_, &frmDataSearch::closed, this, &frmMain::searchWindowClosed);
        desk_.flags.SearchFormOpen = true;
    }
    dataSearch_->setDates(platform_.clock.today());
    dataSearch_->arrangeDateRows();
}

void frmMain::unloadSearchWindow() {
    if (desk_.flags.SearchFormOpen && dataSearch_) {
        dataSearch_->cmdClose_Click();
    }
}

void frmMain::searchWindowClosed() {
    desk_.flags.SearchFormOpen = false;
    dataSearch_->deleteLater();
    dataSearch_ = nullptr;
}

void frmMain::newConditions() {
    panel_->clearFigures();
    panel_->prgShinko->setValue(panel_->prgShinko->minimum());
    desk_.searchResults().clear();
}

qint64 frmMain::searchBegins() {
    lvwDummy->show();
    lvwDummy->raise();
    lvwSearch->hide();
    setEnabled(false);
    panel_->prgShinko->setValue(panel_->prgShinko->minimum());
    LoadTotalFile();
    const qint64 entries = desk_.diary().summaries().totalSums().entries;
    if (entries != 0) {
        panel_->prgShinko->setMaximum(int(std::min<qint64>(entries + 1, INT_MAX)));
    }
    desk_.searchResults().clear();
    return entries;
}

void frmMain::searchProgress(qint64 examined) {
    QProgressBar* bar = panel_->prgShinko;
    bar->setValue(int(std::min<qint64>(examined, bar->maximum())));
}

void frmMain::searchEnds(const QList<PrizeEntry>* results) {
    QProgressBar* bar = panel_->prgShinko;
    if (results == nullptr) {
        bar->setValue(bar->minimum());
        desk_.searchResults().clear();  // never a part of the results
        return;
    }
    bar->setValue(bar->maximum());
    desk_.searchResults().assign(*results);
}

void frmMain::searchFinished() {
    ListViewStatistics();
    lvwDummy->hide();
    lvwSearch->show();
    lvwSearch->raise();
    setEnabled(true);
}
