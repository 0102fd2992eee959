#include "mainwindow/deadlinepage.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateTime>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "diary/deadlines.h"
#include "diary/desk.h"
#include "diary/icalendar.h"
#include "mainwindow/chosenfile.h"
#include "mainwindow/formcontrols.h"
#include "platform/clock.h"
#include "platform/datafileerror.h"
#include "platform/dialogs.h"
#include "platform/prompter.h"
#include "widgets/controls.h"
#include "widgets/listview.h"

using namespace Qt::StringLiterals;
using namespace formcontrols;

namespace {

constexpr int ControlsHeight = 420;
constexpr int MaxDays = 365;

}  // namespace

DeadlinePage::DeadlinePage(Platform& platform, diary::Desk& desk, QWidget* parent)
    : QWidget(parent), platform_(platform), desk_(desk) {
    setObjectName(u"pageDeadline"_s);
    setAutoFillBackground(true);
    QWidget* bar = fixedPanel(this, 11700, ControlsHeight);
    txtDeadlineDays = new NumberBox(u"txtDeadlineDays"_s, u"7"_s, bar);
    placeTwips(txtDeadlineDays, 120, 45, 700, 330);
    txtDeadlineDays->setAlignment(Qt::AlignRight);
    txtDeadlineDays->setMaxLength(3);
    lblDeadlineDays = label(bar, u"lblDeadlineDays"_s, u"日以内"_s, 880, 90, 700);
    chkDeadlineAll = checkBox(bar, u"chkDeadlineAll"_s, u"応募済みも表示する"_s, 1700, 60);
    cmdDeadlineCalendar =
        pushButton(bar, u"cmdDeadlineCalendar"_s, u"カレンダーに書出(&K)"_s, 5400, 30, 2200);
    cmdDeadlineCalendar->setEnabled(false);
    lvwDeadline = new ListView(u"lvwDeadline"_s, this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(lvwDeadline, 1);

    connect(txtDeadlineDays, &QLineEdit::textChanged, this, [this] {
        if (desk_.tab() == diary::Tab::Deadline) {
            load();
        }
    });
    connect(chkDeadlineAll, &QCheckBox::clicked, this, &DeadlinePage::load);
    connect(cmdDeadlineCalendar, &QPushButton::clicked, this,
            &DeadlinePage::cmdDeadlineCalendar_Click);
}

int DeadlinePage::days() {
    const QString text = txtDeadlineDays->text();
    if (text.isEmpty()) {
        return 0;  // the box shows "0" at once
    }
    bool number = false;
    const int typed = text.toInt(&number);
    if (number && typed >= 0 && typed <= MaxDays) {
        return typed;
    }
    // Pasted text is not filtered: what is no number of days gives the
    // largest window.
    const QSignalBlocker quiet(txtDeadlineDays);
    txtDeadlineDays->setText(QString::number(MaxDays));
    return MaxDays;
}

void DeadlinePage::enter() {
    reported_.clear();
    load();
}

void DeadlinePage::load() {
    const deadlines::Window window{platform_.clock.today(), days(), chkDeadlineAll->isChecked(),
                                   desk_.filedByDeadline()};
    QApplication::setOverrideCursor(Qt::WaitCursor);
    deadlines::Found found = deadlines::find(desk_.paths(), window, desk_.startPassword());
    desk_.selection.DeadlineSelectedIndex = 0;
    lvwDeadline->sortOrder = Qt::AscendingOrder;
    desk_.deadlineResults().assign(std::move(found.records));
    cmdDeadlineCalendar->setEnabled(desk_.deadlineResults().count() > 0);
    QApplication::restoreOverrideCursor();
    for (const QString& path : std::as_const(found.refusedFiles)) {
        if (!reported_.contains(path)) {
            reported_.insert(path);
            platform::ShowDataFileError(platform_.prompter, path);
        }
    }
    Q_EMIT loaded();
}

void DeadlinePage::cmdDeadlineCalendar_Click() {
    const std::optional<QString> path = platform_.dialogs.saveFile(
        window(), u"名前を付けて保存"_s, u"*.ics|*.ics|"_s, u"締切.ics"_s);
    if (!path) {
        return;
    }
    const QByteArray calendar =
        icalendar::calendar(desk_.deadlineResults().records(), desk_.filedByDeadline(),
                            QDateTime::currentDateTimeUtc());
    saveChosenFile(platform_.prompter, *path, calendar);
}
