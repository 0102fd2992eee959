#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

// The about tab: the site and the developer, with their links and banners,
// the version and the note on the copyright of imported announcements. It
// keeps its arrangement at the top left of the page.
class AboutPage : public QWidget {
    Q_OBJECT

  public:
    explicit AboutPage(QWidget* parent);

    QWidget* fraTyosaku;
    QLabel* lblVersion;
    QPushButton* cmdNewVersionCheck;

  Q_SIGNALS:
    // A link or banner was clicked: a web page or a mail link to open.
    void linkClicked(const QString& target);
};
