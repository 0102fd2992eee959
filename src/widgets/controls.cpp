#include "widgets/controls.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

using namespace Qt::StringLiterals;

DatePicker::DatePicker(const QString& name, QWidget* parent) : QDateEdit(parent) {
    setObjectName(name);
    setDisplayFormat(u"yyyy/MM/dd"_s);
    setCalendarPopup(true);
    setDateRange(QDate(1, 1, 1), QDate(9999, 12, 31));
    connect(this, &QDateEdit::dateChanged, this, [this] {
        if (!settingByCode_) {
            Q_EMIT userChanged();
        }
    });
}

void DatePicker::setDateByCode(QDate date) {
    settingByCode_ = true;
    setDate(date);
    settingByCode_ = false;
}

bool isNumberBoxKey(const QString& typed) {
    if (typed.isEmpty()) {
        return true;  // keys without text: arrows, Home, function keys
    }
    const char16_t code = typed.at(0).unicode();
    return code < 32 || (code >= u'0' && code <= u'9');
}

NumberBox::NumberBox(const QString& name, const QString& text, QWidget* parent)
    : QLineEdit(text, parent) {
    setObjectName(name);
    connect(this, &QLineEdit::textChanged, this, [this](const QString& now) {
        if (now.isEmpty()) {
            setText(u"0"_s);
        }
    });
}

void NumberBox::keyPressEvent(QKeyEvent* event) {
    if (!isNumberBoxKey(event->text())) {
        QApplication::beep();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

ListCombo::ListCombo(const QString& name, const QStringList& items, QWidget* parent)
    : QComboBox(parent) {
    setObjectName(name);
    // Editable only so that a text outside the list can be shown; nothing
    // can be typed into it.
    setEditable(true);
    lineEdit()->setReadOnly(true);
    setInsertPolicy(QComboBox::NoInsert);
    addItems(items);
}

void ListCombo::showText(const QString& text) {
    const int index = findText(text, Qt::MatchExactly);
    setCurrentIndex(index);
    setEditText(text);
}

void ListCombo::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
        steppingByKey_ = true;
        QComboBox::keyPressEvent(event);
        steppingByKey_ = false;
        Q_EMIT steppedByKey();
        return;
    }
    if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) {
        QComboBox::keyPressEvent(event);  // moving on stays possible
        return;
    }
    QApplication::beep();
    event->accept();
}

void PictureButton::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        Q_EMIT clicked();
    }
}
