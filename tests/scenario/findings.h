#pragma once

#include <QColor>
#include <QDate>
#include <QString>

#include "scenario.h"

class QWidget;

// How the steps write what they wanted and what they found.
namespace scenario {

QString yesNo(bool value, const QString& yes, const QString& no);
QString dateText(QDate date);
QString colorText(const QColor& color);

// The step needs another kind of control than widget.
Mismatch wrongKind(QWidget* widget, const QString& needed);

// Why widget is hidden or disabled when that comes from a control it sits in
// (" (inside hidden frame1)"); nothing when it is the widget's own state.
QString hiddenBy(QWidget* widget);
QString disabledBy(QWidget* widget);

}  // namespace scenario
