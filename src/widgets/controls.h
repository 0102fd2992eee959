#pragma once

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>

// A date picker whose change signal means a change by the user: the program
// sets it through setDateByCode, which raises no userChanged.
class DatePicker : public QDateEdit {
    Q_OBJECT

  public:
    explicit DatePicker(const QString& name, QWidget* parent = nullptr);
    void setDateByCode(QDate date);

  Q_SIGNALS:
    void userChanged();

  private:
    bool settingByCode_ = false;
};

// A text box for whole numbers: keys of character codes 32 to 47 and above 57
// beep and are discarded, digits and control keys pass, and a box that
// becomes empty shows "0" at once. Full-width digits, typed or committed by
// an input method, enter as ASCII digits; whatever else an input method
// commits beeps and is discarded. Pasted text is not filtered.
class NumberBox : public QLineEdit {
    Q_OBJECT

  public:
    NumberBox(const QString& name, const QString& text, QWidget* parent = nullptr);
    // What an emptied box shows: "0" unless set.
    void setEmptyText(const QString& text) { emptyText_ = text; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    bool composing_ = false;
    QString emptyText_ = QStringLiteral("0");
};

// True when a typed character may enter a number box.
bool isNumberBoxKey(const QString& typed);

// The text with full-width digits (０ to ９) in their ASCII form.
QString narrowDigits(QString text);

// A combo box that shows any text, also one outside its list, and that the
// keyboard only steps through: Up and Down move, every other key beeps.
class ListCombo : public QComboBox {
    Q_OBJECT

  public:
    ListCombo(const QString& name, const QStringList& items, QWidget* parent);
    // Shows the text, whether or not the list holds it.
    void showText(const QString& text);
    // True while Up or Down steps through the list: the activation it
    // raises is a step by key, not a choice from the list.
    bool steppingByKey() const { return steppingByKey_; }

  Q_SIGNALS:
    void steppedByKey();

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    bool steppingByKey_ = false;
};

// A picture that the user clicks like a button, such as a banner that opens
// a web page.
class PictureButton : public QLabel {
    Q_OBJECT

  public:
    using QLabel::QLabel;

  Q_SIGNALS:
    void clicked();

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};
