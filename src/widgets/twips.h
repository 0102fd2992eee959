#pragma once

#include <QPushButton>
#include <QString>
#include <QWidget>

// The window layout is designed in twips (1/1440 inch): 15 twips are one
// pixel at 96 dpi, and the layout grows with the screen's dpi.
inline int twipsToPixels(int twips, const QWidget* widget) {
    return (twips * widget->logicalDpiX() + 720) / 1440;
}

inline int pixelsToTwips(int pixels, const QWidget* widget) {
    return (pixels * 1440 + widget->logicalDpiX() / 2) / widget->logicalDpiX();
}

inline void placeTwips(QWidget* widget, int left, int top, int width, int height) {
    widget->setGeometry(twipsToPixels(left, widget), twipsToPixels(top, widget),
                        twipsToPixels(width, widget), twipsToPixels(height, widget));
}

// A control of a window, named and placed in twips.
template <typename W>
W* makeTwips(QWidget* parent, const QString& name, int left, int top, int width, int height = 300) {
    W* widget = new W(parent);
    widget->setObjectName(name);
    placeTwips(widget, left, top, width, height);
    return widget;
}

// A button that is no default button of its window.
inline QPushButton* pushButton(QWidget* parent, const QString& name, const QString& caption,
                               int left, int top, int width, int height = 360) {
    QPushButton* b = makeTwips<QPushButton>(parent, name, left, top, width, height);
    b->setText(caption);
    b->setAutoDefault(false);
    return b;
}
