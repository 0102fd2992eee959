#include "mainwindow/controls.h"

#include <QApplication>
#include <QKeyEvent>

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
