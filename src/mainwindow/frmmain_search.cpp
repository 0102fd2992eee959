// frmMain: the search window — opening and closing it with the search tab,
// and what it tells of a search.
#include <QCheckBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <climits>

#include "mainwindow/frmmain.h"
#include "platform/clock.h"
#include "search/frmdatasearch.h"
#include "widgets/listview.h"

using namespace Qt::StringLiterals;

const DataPaths& frmMain::dataPaths() const {
    return diary_.paths();
}

QString frmMain::startPassword() const {
    return CurrentStartPassword;
}

bool frmMain::keepsWindowsOnTop() const {
    return chkFormState->isChecked();
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
    if (!SearchFormOpen) {
        dataSearch_ = new frmDataSearch(platform_, *this);
        connect(dataSearch_, &frmDataSearch::closed, this, &frmMain::searchWindowClosed);
        SearchFormOpen = true;
    }
    dataSearch_->setDates(platform_.clock.today());
    dataSearch_->arrangeDateRows();
}

void frmMain::unloadSearchWindow() {
    if (SearchFormOpen && dataSearch_) {
        dataSearch_->cmdClose_Click();
    }
}

void frmMain::searchWindowClosed() {
    SearchFormOpen = false;
    dataSearch_->deleteLater();
    dataSearch_ = nullptr;
}

void frmMain::newConditions() {
    for (QLineEdit* box :
         {txtHappyCount, txtTotalCount, txtHappyMoney, txtUnhappyMoney, txtTotalMoney}) {
        box->setText(u"0"_s);
    }
    txtPercent->setText(u"0.00"_s);
    prgShinko->setValue(prgShinko->minimum());
    searchResults_.clear();
}

qint64 frmMain::searchBegins() {
    lvwDummy->show();
    lvwDummy->raise();
    lvwSearch->hide();
    setEnabled(false);
    prgShinko->setValue(prgShinko->minimum());
    LoadTotalFile();
    const qint64 entries = diary_.summaries().totalSums().entries;
    if (entries != 0) {
        prgShinko->setMaximum(int(std::min<qint64>(entries + 1, INT_MAX)));
    }
    searchResults_.clear();
    return entries;
}

void frmMain::searchProgress(qint64 examined) {
    prgShinko->setValue(int(std::min<qint64>(examined, prgShinko->maximum())));
}

void frmMain::searchEnds(const QList<PrizeEntry>* results) {
    if (results == nullptr) {
        prgShinko->setValue(prgShinko->minimum());
        searchResults_.clear();  // never a part of the results
        return;
    }
    prgShinko->setValue(prgShinko->maximum());
    searchResults_.assign(*results);
}

void frmMain::searchFinished() {
    ListViewStatistics();
    lvwDummy->hide();
    lvwSearch->show();
    lvwSearch->raise();
    setEnabled(true);
}
