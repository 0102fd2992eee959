#include "widgets/controls.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScopeGuard>

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

QString narrowDigits(QString text) {
    for (QChar& c : text) {
        if (c >= u'０' && c <= u'９') {
            c = QChar(u'0' + (c.unicode() - u'０'));
        }
    }
    return text;
}

NumberBox::NumberBox(const QString& name, const QString& text, QWidget* parent)
    : QLineEdit(text, parent) {
    setObjectName(name);
    connect(this, &QLineEdit::textChanged, this, [this](const QString& now) {
        // Not while an input method composes: setting the text would end the
        // composition that replaces the selected "0".
        if (now.isEmpty() && !composing_) {
            setText(emptyText_);
        }
    });
}

void NumberBox::keyPressEvent(QKeyEvent* event) {
    const QString typed = narrowDigits(event->text());
    if (!isNumberBoxKey(typed)) {
        QApplication::beep();
        event->accept();
        return;
    }
    if (typed == event->text()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    // The key of the ASCII digit, so that the box sees the key a digit has.
    const int key = typed.size() == 1 ? Qt::Key_0 + (typed[0].unicode() - u'0') : event->key();
    QKeyEvent narrowed(event->type(), key, event->modifiers(), typed, event->isAutoRepeat(),
                       ushort(event->count()));
    QLineEdit::keyPressEvent(&narrowed);
    event->setAccepted(narrowed.isAccepted());
}

void NumberBox::inputMethodEvent(QInputMethodEvent* event) {
    composing_ = !event->preeditString().isEmpty();
    const auto emptyShowsZero = qScopeGuard([this] {
        if (!composing_ && text().isEmpty()) {
            setText(emptyText_);
        }
    });
    const QString committed = event->commitString();
    QString digits;
    // Control characters are keys, not text: a commit brings only digits.
    for (const QChar c : narrowDigits(committed)) {
        if (c >= u'0' && c <= u'9') {
            digits.append(c);
        }
    }
    if (digits == committed) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    if (digits.size() != committed.size()) {
        QApplication::beep();
    }
    QInputMethodEvent narrowed(event->preeditString(), event->attributes());
    narrowed.setCommitString(digits, event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&narrowed);
    event->setAccepted(narrowed.isAccepted());
}

void NumberBox::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // An input method that drops its composition says nothing more.
    composing_ = false;
    if (text().isEmpty()) {
        setText(emptyText_);
    }
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
