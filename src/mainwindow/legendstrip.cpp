#include "mainwindow/legendstrip.h"

#include "mainwindow/formcontrols.h"
#include "widgets/marks.h"

using namespace Qt::StringLiterals;
using formcontrols::label;

namespace {

void setTextColor(QLabel* label, const QColor& color) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
}

}  // namespace

LegendStrip::LegendStrip(QWidget* parent) : QGroupBox(parent) {
    setObjectName(u"fraLabel"_s);
    setAutoFillBackground(true);
    setFixedHeight(twipsToPixels(400, this));
    setTextColor(label(this, u"lblSyo"_s, u"　小物当選"_s, 120, 60, 1300), marks::SmallWinColor);
    setTextColor(label(this, u"lblTyu"_s, u"　中物当選"_s, 1560, 60, 1300), marks::MiddleWinColor);
    setTextColor(label(this, u"lblDai"_s, u"　大物当選"_s, 3000, 60, 1300), marks::BigWinColor);
    setTextColor(label(this, u"lblDay"_s, u"　当選日"_s, 4440, 60, 1300), marks::WinDayColor);
}
