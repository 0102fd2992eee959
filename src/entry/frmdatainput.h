#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include "mainwindow/controls.h"

class frmMain;
class ListModel;

// A combo box that shows any text, also one outside its list, and that the
// keyboard only steps through: Up and Down move, every other key beeps.
class ListCombo : public QComboBox {
    Q_OBJECT

  public:
    ListCombo(const QString& name, const QStringList& items, QWidget* parent);
    // Shows the text, whether or not the list holds it.
    void showText(const QString& text);

  Q_SIGNALS:
    void steppedByKey();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// The record editor: one record at a time, new or from the month or search
// list of the main window.
class frmDataInput : public QWidget {
    Q_OBJECT

  public:
    explicit frmDataInput(frmMain& main);

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

    // Places the two date rows: the filing date on top, first in the tab
    // order; the other date below (tab position 12, or 11 for a new record).
    void applyDateLayout(bool newRecord);
    // The lock rule of a stored record, after txtID holds its ID.
    void applyLockRule();
    void FillEditorFromRow();
    void cmdKoshin_Click();
    void cmdClose_Click();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildWindow();
    void connectHandlers();
    void changed();
    void moveTo(int position);
    void setNumberChoice(const QString& choice);
    void showPicture();
    void loadPicture();
    void cmdPicIn_Click();
    void cmdPicOut_Click();
    void cmdHelp_Click();
    bool pictureShown() const;
    QLabel* filingDateLabel() const;
    DatePicker* filingDatePicker() const;
    DatePicker* otherDatePicker() const;

    // Update helpers
    bool refuseUnstorable();
    QStringList recordFromEditor(const QString& numberText);
    void writeIntoRow(ListModel& rows, int row, const QStringList& record);
    QString numberForStore();
    bool isDuplicateDeclined(const QString& numberText);

    frmMain& main_;
    bool closing_ = false;
    // A stored number of winners the two number controls cannot show: it is
    // kept as it was unless the user changes the number.
    QString keptNumber_;
};
