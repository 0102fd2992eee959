#include "mainwindow/bottompanel.h"

#include <QHBoxLayout>
#include <QProgressBar>

#include "diary/statistics.h"
#include "mainwindow/formcontrols.h"
#include "widgets/controls.h"

using namespace Qt::StringLiterals;
using formcontrols::figureBox;
using formcontrols::frame;
using formcontrols::label;

namespace {

// The panel lies 4500 twips below the window's top, which is 6380 high; the
// buttons start 6840 twips from its left and end 180 twips from its right.
constexpr int PanelHeight = 1880;
constexpr int StatisticsWidth = 6660;
constexpr int ButtonsLeft = 6840;
constexpr int ButtonsWidth = 4680;
constexpr int ButtonsRightMargin = 60;  // beyond the window's own margin of 120

}  // namespace

BottomPanel::BottomPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(u"bottomPanel"_s);
    setFixedHeight(twipsToPixels(PanelHeight, this));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, twipsToPixels(ButtonsRightMargin, this), 0);
    layout->setSpacing(0);
    layout->addWidget(buildStatistics(), 0, Qt::AlignLeft | Qt::AlignTop);
    layout->addStretch(1);
    layout->addSpacing(twipsToPixels(ButtonsLeft - 120, this) -
                       twipsToPixels(StatisticsWidth, this));
    layout->addWidget(buildButtons(), 0, Qt::AlignRight | Qt::AlignTop);
}

QWidget* BottomPanel::buildStatistics() {
    QWidget* panel = formcontrols::fixedPanel(this, StatisticsWidth, PanelHeight);
    QWidget* f = frame(panel, u"fraAutoKeisan"_s, u"自動集計"_s, 0, 0, StatisticsWidth, 1260);
    // 当選総数 [ ] 件 ÷ 応募総数 [ ] 件 × 100 ＝ 当選率 [ ] ％
    label(f, u"lblHappyCount"_s, u"当選総数"_s, 120, 330, 760);
    txtHappyCount = figureBox(f, u"txtHappyCount"_s, u"0"_s, 900, 300, 700);
    label(f, u"lblKen1"_s, u"件"_s, 1620, 330, 240);
    label(f, u"lblDivide"_s, u"÷"_s, 1880, 330, 240);
    label(f, u"lblTotalCount"_s, u"応募総数"_s, 2140, 330, 760);
    txtTotalCount = figureBox(f, u"txtTotalCount"_s, u"0"_s, 2920, 300, 700);
    label(f, u"lblKen2"_s, u"件"_s, 3640, 330, 240);
    label(f, u"lblTimes"_s, u"× 100 ＝"_s, 3900, 330, 760);
    label(f, u"lblPercent"_s, u"当選率"_s, 4680, 330, 600);
    txtPercent = figureBox(f, u"txtPercent"_s, u"0.00"_s, 5300, 300, 900);
    label(f, u"lblPercentSign"_s, u"％"_s, 6220, 330, 240);
    // 当選総額 [ ] 円 － 支出総額 [ ] 円 ＝ 収支総額 [ ] 円
    label(f, u"lblHappyMoney"_s, u"当選総額"_s, 120, 780, 760);
    txtHappyMoney = figureBox(f, u"txtHappyMoney"_s, u"0"_s, 900, 750, 1000);
    label(f, u"lblYen1"_s, u"円"_s, 1920, 780, 240);
    label(f, u"lblMinus"_s, u"－"_s, 2180, 780, 240);
    label(f, u"lblUnhappyMoney"_s, u"支出総額"_s, 2440, 780, 760);
    txtUnhappyMoney = figureBox(f, u"txtUnhappyMoney"_s, u"0"_s, 3220, 750, 1000);
    label(f, u"lblYen2"_s, u"円"_s, 4240, 780, 240);
    label(f, u"lblEquals"_s, u"＝"_s, 4500, 780, 240);
    label(f, u"lblTotalMoney"_s, u"収支総額"_s, 4760, 780, 760);
    txtTotalMoney = figureBox(f, u"txtTotalMoney"_s, u"0"_s, 5540, 750, 800);
    label(f, u"lblYen3"_s, u"円"_s, 6360, 780, 240);

    prgShinko = makeTwips<QProgressBar>(panel, u"prgShinko"_s, 0, 1380, StatisticsWidth, 300);
    prgShinko->setRange(0, 100);
    prgShinko->setValue(0);
    prgShinko->setTextVisible(false);
    return panel;
}

QWidget* BottomPanel::buildButtons() {
    QWidget* panel = formcontrols::fixedPanel(this, ButtonsWidth, PanelHeight);
    cmdYearBack = pushButton(panel, u"cmdYearBack"_s, u"<<"_s, 0, 60, 540);
    cmdMonthBack = pushButton(panel, u"cmdMonthBack"_s, u"<"_s, 560, 60, 480);
    dtpDate = new DatePicker(u"dtpDate"_s, panel);
    placeTwips(dtpDate, 1060, 60, 2560, 360);
    cmdMonthNext = pushButton(panel, u"cmdMonthNext"_s, u">"_s, 3640, 60, 480);
    cmdYearNext = pushButton(panel, u"cmdYearNext"_s, u">>"_s, 4140, 60, 540);

    constexpr int width = 1140;
    constexpr int step = 1180;
    cmdNewInput = pushButton(panel, u"cmdNewInput"_s, u"手動登録(&M)"_s, 0, 500, width);
    cmdInput = pushButton(panel, u"cmdInput"_s, u"取込登録(&T)"_s, step, 500, width);
    cmdHensyu = pushButton(panel, u"cmdHensyu"_s, u"編集(&H)"_s, 2 * step, 500, width);
    cmdDelete = pushButton(panel, u"cmdDelete"_s, u"削除(&D)"_s, 3 * step, 500, width);
    cmdAllDelete = pushButton(panel, u"cmdAllDelete"_s, u"全削除(&C)"_s, 0, 920, width);
    cmdURL = pushButton(panel, u"cmdURL"_s, u"ﾎｰﾑﾍﾟｰｼﾞ(&U)"_s, step, 920, width);
    cmdSave = pushButton(panel, u"cmdSave"_s, u"保存(&S)"_s, 2 * step, 920, width);
    cmdPrint = pushButton(panel, u"cmdPrint"_s, u"印刷(&P)"_s, 3 * step, 920, width);
    cmdHelp = pushButton(panel, u"cmdHelp"_s, u"ヘルプ(&Q)"_s, 0, 1340, width);
    cmdUserInput = pushButton(panel, u"cmdUserInput"_s, u"入打(&N)"_s, step, 1340, width);
    cmdEnd = pushButton(panel, u"cmdEnd"_s, u"終了(&E)"_s, 3 * step, 1340, width);
    // Buttons wait for a row click or a list with rows.
    for (QWidget* w : {cmdHensyu, cmdDelete, cmdAllDelete, cmdURL, cmdSave, cmdPrint}) {
        w->setEnabled(false);
    }
    return panel;
}

void BottomPanel::showFigures(qint64 wins, qint64 entries, Currency money, Currency expenses) {
    txtHappyCount->setText(QString::number(wins));
    txtTotalCount->setText(QString::number(entries));
    txtHappyMoney->setText(money.toString());
    txtUnhappyMoney->setText(expenses.toString());
    txtPercent->setText(statistics::winRate(wins, entries));
    txtTotalMoney->setText(money.minus(expenses).value_or(money).toString());
}

void BottomPanel::clearFigures() {
    for (QLineEdit* box :
         {txtHappyCount, txtTotalCount, txtHappyMoney, txtUnhappyMoney, txtTotalMoney}) {
        box->setText(u"0"_s);
    }
    txtPercent->setText(u"0.00"_s);
}

void BottomPanel::showProgress(int done, int all) {
    prgShinko->setMaximum(std::max(1, all));
    prgShinko->setValue(done);
}
