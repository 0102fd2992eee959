#pragma once

#include <QDate>
#include <QWidget>

#include "diary/records.h"
#include "platform/platform.h"
#include "storage/prizeentry.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class DatePicker;
class ListCombo;
class NumberBox;
class RecordEditorHost;

// The record editor: one record at a time, a new one or one of a list of the
// window that opened it. What it stores, and which record it shows next, it
// asks of that window by signals.
class frmDataInput : public QWidget {
    Q_OBJECT

  public:
    frmDataInput(Platform& platform, const RecordEditorHost& host);

    // A new record, its three dates on the given day.
    void showNew(QDate date);
    // A stored record, at position (from 1) of count.
    void showRecord(const PrizeEntry& record, int position, int count);
    // The record on screen moved to another position of its list.
    void showPosition(int position);
    void cmdClose_Click();

  Q_SIGNALS:
    // 更新 with a record that passed every check. typed describes it as it
    // was typed, for the duplicate question of a new record.
    void updateRequested(const PrizeEntry& record, const records::Description& typed);
    // A navigation button asks for the record at this position.
    void recordRequested(int position);
    // The editor closes; it is hidden right after.
    void closed();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildWindow();
    void buildChoices();
    void buildPictureAndButtons();
    void colourLabels();
    void connectHandlers();
    void changed();
    void moveTo(int position);
    // Places the two date rows: the filing date on top, first in the tab
    // order; the other date below (tab position 12, or 11 for a new record).
    void applyDateLayout(bool newRecord);
    // The lock rule of a stored record, after txtID holds its ID.
    void applyLockRule();
    void FillEditorFromRow(const PrizeEntry& record, int position, int count);
    void fillNumber(const QString& number);
    void setNumberChoice(const QString& choice);
    void cmdKoshin_Click();
    void cmdHelp_Click();
    QLabel* filingDateLabel() const;
    DatePicker* filingDatePicker() const;
    DatePicker* otherDatePicker() const;

    // Pictures
    void showPicture();
    void loadPicture();
    void cmdPicIn_Click();
    void cmdPicOut_Click();
    bool pictureShown() const;

    // Update helpers
    bool refuseUnstorable();
    PrizeEntry recordFromEditor(const QString& numberText);
    records::Description typedDescription(const QString& numberText) const;
    QString numberForStore();

    Platform& platform_;
    const RecordEditorHost& host_;

    DatePicker* dtpNowDay;
    DatePicker* dtpEndDay;
    DatePicker* dtpHappyDay;
    QLabel* lblNowDay;
    QLabel* lblEndDay;
    QLineEdit* txtID;
    QLabel* lblSite;
    QLineEdit* txtSite;
    QLabel* lblURL;
    QLineEdit* txtURL;
    QPushButton* cmdHensyuURL;
    ListCombo* cboGenre;
    QLineEdit* txtPresent;
    ListCombo* cboKekka;
    NumberBox* txtHappyMoney;
    NumberBox* txtNumber;
    ListCombo* cboNumber;
    QCheckBox* chkHappyDay;
    QLabel* lblOboKeishiki;
    ListCombo* cboOboKeishiki;
    QLabel* lblSenkoWay;
    ListCombo* cboSenkoWay;
    QLabel* lblCycle;
    ListCombo* cboCycle;
    QLabel* lblOboWay;
    ListCombo* cboOboWay;
    QLineEdit* txtMsg;
    QLabel* imgPicView;
    QLabel* lblError;
    QPushButton* cmdPicIn;
    QPushButton* cmdPicOut;
    QPushButton* cmdTopRecord;
    QPushButton* cmdBackRecord;
    QPushButton* cmdNextRecord;
    QPushButton* cmdEndRecord;
    QLabel* lblActiveNumber;
    QLabel* lblMaxNumber;
    QPushButton* cmdKoshin;
    QPushButton* cmdClose;
    QPushButton* cmdHelp;

    // The picture of the record on screen; empty for none.
    QString PicturePath;
    bool closing_ = false;
    // A stored number of winners the two number controls cannot show: it is
    // kept as it was unless the user changes the number.
    QString keptNumber_;
};
