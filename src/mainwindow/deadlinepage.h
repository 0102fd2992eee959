#pragma once

#include <QSet>
#include <QWidget>

#include "platform/platform.h"

class ListView;
class NumberBox;
class QCheckBox;
class QLabel;
class QPushButton;

namespace diary {
class Desk;
}

// The deadlines tab: the records whose deadline comes within a number of
// days from today, by default only those not yet sent, each opened in the
// editor in its own month; and the list written as a calendar file. The
// days and the box are not stored.
class DeadlinePage : public QWidget {
    Q_OBJECT

  public:
    DeadlinePage(Platform& platform, diary::Desk& desk, QWidget* parent);

    // Entering the tab: the list is filled anew, and a refused month is
    // named again.
    void enter();
    // Fills the list from the stored months; a month of another password is
    // named once a visit and left out.
    void load();

    NumberBox* txtDeadlineDays;
    QLabel* lblDeadlineDays;
    QCheckBox* chkDeadlineAll;
    ListView* lvwDeadline;
    QPushButton* cmdDeadlineCalendar;

  Q_SIGNALS:
    // The list was filled anew: the figures and buttons follow.
    void loaded();

  private:
    // The days typed, at most 365; a larger number is shown as 365.
    int days();
    void cmdDeadlineCalendar_Click();

    Platform& platform_;
    diary::Desk& desk_;
    QSet<QString> reported_;
};
