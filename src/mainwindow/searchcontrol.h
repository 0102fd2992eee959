#pragma once

#include <QObject>
#include <QPointer>

#include "diary/desk.h"
#include "platform/platform.h"
#include "search/searchhost.h"

class BottomPanel;
class SearchPage;
class ViewRefresh;
class frmDataSearch;

// The search tab's window: opened with the tab, closed when the tab is left,
// and what it tells of a search shown on the search page and the bottom
// panel.
class SearchControl : public QObject, private SearchHost {
    Q_OBJECT

  public:
    SearchControl(Platform& platform, diary::Desk& desk, QWidget* mainWindow, SearchPage* page,
                  BottomPanel* panel, ViewRefresh& views, QString helpFile);
    ~SearchControl() override;

    void loadSearchWindow();
    void unloadSearchWindow();
    void setMainOnTop(bool onTop) override;

  private:
    bool filedByDeadline() const override;
    QString helpFile() const override;
    const DataPaths& dataPaths() const override;
    QString startPassword() const override;
    bool keepsWindowsOnTop() const override;
    void newConditions() override;
    qint64 searchBegins() override;
    void searchProgress(qint64 examined) override;
    void searchEnds(const QList<PrizeEntry>* results) override;
    void searchFinished() override;
    void searchWindowClosed();

    Platform& platform_;
    diary::Desk& desk_;
    QWidget* mainWindow_;
    SearchPage* page_;
    BottomPanel* panel_;
    ViewRefresh& views_;
    QString helpFile_;
    // A window of its own, so that disabling the main window leaves it
    // usable.
    QPointer<frmDataSearch> dataSearch_;
};
