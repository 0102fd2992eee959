#include "findings.h"

#include <QWidget>

#include "widgets.h"

using namespace Qt::StringLiterals;

namespace scenario {

QString yesNo(bool value, const QString& yes, const QString& no) {
    return value ? yes : no;
}

QString dateText(QDate date) {
    return date.toString(u"yyyy/MM/dd"_s);
}

QString colorText(const QColor& color) {
    return u"%1,%2,%3"_s.arg(color.red()).arg(color.green()).arg(color.blue());
}

Mismatch wrongKind(QWidget* widget, const QString& needed) {
    return {needed, describe(widget), {}};
}

QString hiddenBy(QWidget* widget) {
    for (QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
        if (w->isHidden()) {
            return w == widget ? QString() : u" (inside hidden "_s + w->objectName() + u')';
        }
        if (w->isWindow()) {
            break;
        }
    }
    return {};
}

QString disabledBy(QWidget* widget) {
    for (QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
        if (w->testAttribute(Qt::WA_Disabled)) {
            return w == widget ? QString() : u" (by disabled "_s + w->objectName() + u')';
        }
        if (w->isWindow()) {
            break;
        }
    }
    return {};
}

}  // namespace scenario
