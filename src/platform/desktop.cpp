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
#include <QStandardPaths>
#include <QUrl>

#include "platform/filefilter.h"

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

// The filter's choices in the form of Qt's dialogs.
QStringList qtNameFilters(const QList<FileFilter>& filters) {
    QStringList names;
    for (const FileFilter& filter : filters) {
        names.append(qtNameFilter(filter));
    }
    return names;
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
    const QString path = QFileDialog::getOpenFileName(
        parent, title, {}, qtNameFilters(parseFileFilter(filter)).join(u";;"_s));
    return path.isEmpty() ? std::nullopt : std::optional<QString>(path);
}

QString DesktopDialogs::saveFolder() const {
    if (!lastSaveFolder_.isEmpty() && QFileInfo(lastSaveFolder_).isDir()) {
        return lastSaveFolder_;
    }
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

std::optional<QString> DesktopDialogs::saveFile(QWidget* parent, const QString& title,
                                                const QString& filter,
                                                const QString& proposedName) {
    const QList<FileFilter> filters = parseFileFilter(filter);
    QFileDialog dialog(parent, title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(qtNameFilters(filters));
    // The dialog adds the suffix itself, so that its question before an
    // existing file is overwritten is about the name that will be written.
    const auto follow = [&dialog, &filters](const QString& nameFilter) {
        const qsizetype i = dialog.nameFilters().indexOf(nameFilter);
        dialog.setDefaultSuffix(i >= 0 && i < filters.size() ? defaultSuffix(filters[i])
                                                             : QString());
    };
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, follow);
    if (!filters.isEmpty()) {
        const QString preselected =
            dialog.nameFilters().value(filterIndexForName(filters, proposedName));
        dialog.selectNameFilter(preselected);
        follow(preselected);
    }
    const QFileInfo proposed(proposedName);
    dialog.setDirectory(proposed.isAbsolute() ? proposed.absolutePath() : saveFolder());
    dialog.selectFile(proposed.fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    // A native dialog may leave the suffix out.
    const QString path =
        withDefaultSuffix(dialog.selectedFiles().constFirst(), dialog.defaultSuffix());
    lastSaveFolder_ = QFileInfo(path).absolutePath();
    return path;
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
