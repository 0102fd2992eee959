#pragma once

#include <QDate>
#include <QWidget>
#include <memory>

#include "diary/search.h"
#include "platform/platform.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class DatePicker;
class ListCombo;
class NumberBox;
class SearchHost;

// The search window: conditions on the fields of a record, and the search
// over every stored month. It lives while the main window's search tab is
// shown.
class frmDataSearch : public QWidget {
    Q_OBJECT

  public:
    frmDataSearch(Platform& platform, SearchHost& host);
    ~frmDataSearch() override;

    // Puts the filing date's row on top and the other date's row below, in
    // the tab order too.
    void arrangeDateRows();
    // Every date picker on the day.
    void setDates(QDate day);
    // Closes the window; during a search (the program ends) the search is
    // interrupted and the window goes once it has stopped, without a word.
    void cmdClose_Click();
    bool searching() const { return searching_; }

  Q_SIGNALS:
    // The window was closed by the user or by the main window.
    void closed();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    struct DateRow {
        QCheckBox* check;
        DatePicker* before;  // from
        DatePicker* after;   // to
    };
    struct BoundRow {
        QCheckBox* check;
        NumberBox* down;
        NumberBox* up;
    };

    void buildWindow();
    void buildTextRows();
    void buildChoices();
    void buildButtons();
    DateRow dateRow(const QString& name, const QString& caption, int top);
    BoundRow boundRow(const QString& name, const QString& caption, int top);
    void connectHandlers();
    void enableDates(const DateRow& row);
    void enableBounds(const BoundRow& row);
    const DateRow& filingRow() const;
    const DateRow& otherRow() const;

    void cmdSearch_Click();
    // 中止 during a search, 終了 otherwise.
    void cmdCloseClicked();
    void tellRefused(const QString& path);
    void searchEnded();
    void cmdNewSearch_Click();
    void cmdHelp_Click();
    // The conditions as the window shows them, after the pairs are put in
    // order.
    search::Conditions conditions();
    void orderPairs();
    void setBusy(bool busy);

    Platform& platform_;
    SearchHost& host_;

    DateRow NowDay;
    DateRow EndDay;
    DateRow HappyDay;
    BoundRow IDRow;
    BoundRow HappyMoneyRow;
    BoundRow NumberRow;
    QLineEdit* txtSite;
    QLineEdit* txtURL;
    QLineEdit* txtPresent;
    QLineEdit* txtMsg;
    QLineEdit* txtSnap;
    ListCombo* cboGenre;
    ListCombo* cboOboKeishiki;
    ListCombo* cboSenkoWay;
    ListCombo* cboCycle;
    ListCombo* cboOboWay;
    ListCombo* cboKekka;
    QCheckBox* chkBigAndSmall;
    QRadioButton* optOR;
    QRadioButton* optAND;
    QPushButton* cmdSearch;
    QPushButton* cmdNewSearch;
    QPushButton* cmdClose;
    QPushButton* cmdHelp;

    std::unique_ptr<search::SearchRun> run_;  // the last search, running or ended
    qint64 stored_ = 0;                       // records stored when the search began
    bool searching_ = false;
    bool closing_ = false;
    bool closeAfterSearch_ = false;  // closed by its frame while a search ran
    bool unloaded_ = false;          // told to close while a search ran
};
