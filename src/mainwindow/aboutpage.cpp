#include "mainwindow/aboutpage.h"

#include <QPainter>

#include "diary/links.h"
#include "mainwindow/formcontrols.h"
#include "widgets/controls.h"

using namespace Qt::StringLiterals;
using formcontrols::frame;
using formcontrols::label;

namespace {

constexpr int PanelWidth = 11460;

// A banner picture: a coloured plate with the name on it.
PictureButton* banner(QWidget* parent, const QString& name, const QString& text,
                      const QColor& color, int left, int top, int width, int height) {
    auto* picture = makeTwips<PictureButton>(parent, name, left, top, width, height);
    QPixmap plate(picture->size());
    plate.fill(color);
    QPainter painter(&plate);
    painter.setPen(color.darker(200));
    painter.drawRect(plate.rect().adjusted(0, 0, -1, -1));
    QFont font = picture->font();
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(plate.rect(), Qt::AlignCenter, text);
    painter.end();
    picture->setPixmap(plate);
    picture->setCursor(Qt::PointingHandCursor);
    return picture;
}

}  // namespace

AboutPage::AboutPage(QWidget* parent) : QWidget(parent) {
    setObjectName(u"pageAbout"_s);
    setAutoFillBackground(true);
    const auto opens = [this](auto* control, const QString& target) {
        using Control = std::remove_pointer_t<decltype(control)>;
        connect(control, &Control::clicked, this, [this, target] { Q_EMIT linkClicked(target); });
    };

    QWidget* fraKirabi = frame(this, u"fraKirabi"_s, u" 企　画 "_s, 0, 0, 5730, 2400);
    label(fraKirabi, u"lblKirabiHomepage"_s, u"ホームページ"_s, 120, 330, 1500);
    opens(pushButton(fraKirabi, u"cmdKirabiHomepage"_s, KirabiTopPage, 1680, 300, 3900),
          KirabiTopPage);
    label(fraKirabi, u"lblKirabiMail"_s, u"お問い合せ先"_s, 120, 750, 1500);
    opens(pushButton(fraKirabi, u"cmdKirabiMail"_s, KirabiContactPage, 1680, 720, 3900),
          KirabiContactPage);
    opens(banner(fraKirabi, u"picKirabiBanner"_s, u"懸賞サイト 「きらび広場」"_s,
                 QColor(255, 236, 160), 120, 1200, 2400, 600),
          KirabiTopPage);
    label(fraKirabi, u"lblKirabiName"_s, u"懸賞サイト 「きらび広場」"_s, 2640, 1230, 3000);
    QLabel* pitch =
        label(fraKirabi, u"lblKirabiPitch"_s,
              u"常時1000～2000件の懸賞情報を掲載！豪華賞品も盛り沢山！"_s, 120, 1860, 5500, 420);
    pitch->setWordWrap(true);

    QWidget* fraHome = frame(this, u"fraHome"_s, u" 開　発 "_s, 5730, 0, 5730, 2400);
    opens(pushButton(fraHome, u"cmdMyHomepage"_s, MyHomePage, 120, 300, 3600), MyHomePage);
    opens(pushButton(fraHome, u"cmdMyMail"_s, MyMailAddress, 120, 720, 3600),
          u"mailto:"_s + MyMailAddress);
    opens(banner(fraHome, u"picHomeBanner"_s, u"きらび帳"_s, QColor(200, 230, 255), 3840, 300, 1760,
                 780),
          MyHomePage);
    // The news button has no work: it is shown, but cannot be pressed.
    cmdNewVersionCheck =
        pushButton(fraHome, u"cmdNewVersionCheck"_s, u"きらびﾆｭｰｽ"_s, 120, 1200, 1800);
    cmdNewVersionCheck->setEnabled(false);
    lblVersion = label(fraHome, u"lblVersion"_s, QString(), 120, 1800, 5400);

    fraTyosaku = frame(this, u"fraTyosaku"_s, u"情報の著作権について"_s, 0, 2400, PanelWidth, 1560);
    QLabel* notice = label(fraTyosaku, u"lblTyosaku"_s,
                           u"取り込んだ懸賞情報の著作権は、情報を掲載した各サイトに帰属します。"
                           u"取り込んだ情報は記帳者ご本人の懸賞記録としてのみ利用し、"
                           u"転載・再配布はしないで下さい。"_s,
                           120, 300, PanelWidth - 240, 1140);
    notice->setWordWrap(true);
    notice->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}
