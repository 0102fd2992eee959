#pragma once

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include "widgets/twips.h"

// Controls of the main window's parts, placed in twips inside their panel.
namespace formcontrols {

inline QLabel* label(QWidget* parent, const QString& name, const QString& text, int left, int top,
                     int width, int height = 300) {
    QLabel* l = makeTwips<QLabel>(parent, name, left, top, width, height);
    l->setText(text);
    return l;
}

// A frame; panels that overlap others hide what lies behind them.
inline QGroupBox* frame(QWidget* parent, const QString& name, const QString& caption, int left,
                        int top, int width, int height) {
    QGroupBox* f = makeTwips<QGroupBox>(parent, name, left, top, width, height);
    f->setTitle(caption);
    f->setAutoFillBackground(true);
    return f;
}

inline QCheckBox* checkBox(QWidget* parent, const QString& name, const QString& caption, int left,
                           int top) {
    QCheckBox* c = makeTwips<QCheckBox>(parent, name, left, top, 3500, 300);
    c->setText(caption);
    return c;
}

// A read-only box of a figure, right-aligned, that never takes the focus.
inline QLineEdit* figureBox(QWidget* parent, const QString& name, const QString& text, int left,
                            int top, int width) {
    QLineEdit* box = makeTwips<QLineEdit>(parent, name, left, top, width, 300);
    box->setText(text);
    box->setReadOnly(true);
    box->setAlignment(Qt::AlignRight);
    box->setFocusPolicy(Qt::NoFocus);
    return box;
}

// A panel whose controls keep their twips: it has the size of its design.
inline QWidget* fixedPanel(QWidget* parent, int width, int height) {
    auto* panel = new QWidget(parent);
    panel->setFixedSize(twipsToPixels(width, panel), twipsToPixels(height, panel));
    return panel;
}

}  // namespace formcontrols
