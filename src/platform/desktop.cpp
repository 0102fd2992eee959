#include "platform/desktop.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace platform {

namespace {

QMessageBox::Icon boxIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Error:
            return QMessageBox::Critical;
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

// A filter of the classic form "description|pattern|…|" in the form of Qt's
// dialogs, "description (pattern);;…".
QString qtFilter(const QString& filter) {
    const QStringList parts = filter.split(u'|', Qt::SkipEmptyParts);
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        filters.append(parts[i] + u" ("_s + patterns.replace(u';', u' ') + u')');
    }
    return filters.join(u";;"_s);
}

// Prints lines top to bottom, page after page, in the printer's default font.
class PagePrinter : public LinePrinter {
  public:
    explicit PagePrinter(std::unique_ptr<QPrinter> printer) : printer_(std::move(printer)) {}

    void printLine(const QString& line) override {
        if (!painter_.isActive() && !painter_.begin(printer_.get())) {
            return;
        }
        const int height = painter_.fontMetrics().height();
        const QRect page = painter_.viewport();
        if (y_ + height > page.height()) {
            printer_->newPage();
            y_ = 0;
        }
        painter_.drawText(0, y_ + painter_.fontMetrics().ascent(), line);
        y_ += height;
    }

    void endDocument() override {
        if (painter_.isActive()) {
            painter_.end();
        }
    }

    ~PagePrinter() override { endDocument(); }

  private:
    std::unique_ptr<QPrinter> printer_;
    QPainter painter_;
    int y_ = 0;
};

}  // namespace

MessageAnswer DesktopPrompter::message(const QString& title, const QString& text, MessageIcon icon,
                                       MessageButtons buttons) {
    QMessageBox box(boxIcon(icon), title, text, QMessageBox::NoButton,
                    QApplication::activeWindow());
    switch (buttons) {
        case MessageButtons::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case MessageButtons::OkCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
        case MessageButtons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        case MessageButtons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
    }
    const std::pair<QMessageBox::StandardButton, QString> captions[] = {
        {QMessageBox::Yes, u"はい(&Y)"_s},
        {QMessageBox::No, u"いいえ(&N)"_s},
        {QMessageBox::Cancel, u"キャンセル"_s},
    };
    for (const auto& [which, caption] : captions) {
        if (QAbstractButton* b = box.button(which)) {
            b->setText(caption);
        }
    }
    switch (box.exec()) {
        case QMessageBox::Yes:
            return MessageAnswer::Yes;
        case QMessageBox::No:
            return MessageAnswer::No;
        case QMessageBox::Ok:
            return MessageAnswer::Ok;
        default:
            return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
    }
}

std::optional<QString> DesktopDialogs::openFile(QWidget* parent, const QString& title,
                                                const QString& filter) {
    const QString path = QFileDialog::getOpenFileName(parent, title, {}, qtFilter(filter));
    return path.isEmpty() ? std::nullopt : std::optional<QString>(path);
}

std::optional<QString> DesktopDialogs::saveFile(QWidget* parent, const QString& title,
                                                const QString& filter,
                                                const QString& suggestedName) {
    // QFileDialog asks before an existing file is overwritten.
    const QString path =
        QFileDialog::getSaveFileName(parent, title, suggestedName, qtFilter(filter));
    return path.isEmpty() ? std::nullopt : std::optional<QString>(path);
}

std::optional<QString> DesktopDialogs::browseFolder(QWidget* parent, const QString& title) {
    const QString path = QFileDialog::getExistingDirectory(parent, title);
    return path.isEmpty() ? std::nullopt : std::optional<QString>(path);
}

std::unique_ptr<LinePrinter> DesktopDialogs::choosePrinter(QWidget* parent) {
    auto printer = std::make_unique<QPrinter>();
    QPrintDialog dialog(printer.get(), parent);
    if (dialog.exec() != QDialog::Accepted) {
        return nullptr;
    }
    return makePagePrinter(std::move(printer));
}

std::unique_ptr<LinePrinter> makePagePrinter(std::unique_ptr<QPrinter> printer) {
    return std::make_unique<PagePrinter>(std::move(printer));
}

int DesktopShell::open(const QString& target) {
    const bool web = target.startsWith(u"http://"_s) || target.startsWith(u"https://"_s) ||
                     target.startsWith(u"mailto:"_s);
    if (!web) {
        const QFileInfo file(target);
        if (!file.dir().exists()) {
            return PathNotFound;
        }
        if (!file.exists()) {
            return FileNotFound;
        }
    }
    const QUrl url = web ? QUrl(target) : QUrl::fromLocalFile(target);
    return QDesktopServices::openUrl(url) ? Success : NoAssociation;
}

bool DesktopShell::startProgram(const QString& path) {
    return QProcess::startDetached(path, {}, QFileInfo(path).absolutePath());
}

std::optional<QString> DesktopClipboard::text() const {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (data == nullptr || !data->hasText()) {
        return std::nullopt;
    }
    return data->text();
}

}  // namespace platform
