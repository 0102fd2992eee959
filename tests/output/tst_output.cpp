// Saving and printing as other programs see it: a month printed to a PDF
// file of several pages read back with pdftotext (a Japanese font must be
// installed), and a month's CSV opened by LibreOffice as fifteen columns of
// Japanese text. Each is skipped, with
// a message, where the program it needs is not installed.
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>

#include "platform/desktop.h"
#include "programfixture.h"
#include "storage/monthfile.h"

using namespace Qt::StringLiterals;

namespace {

QList<PrizeEntry> month(int count) {
    QList<PrizeEntry> records;
    for (int i = 0; i < count; ++i) {
        records.append(
            {u"2010/01/%1"_s.arg(i % 28 + 1, 2, 10, QChar(u'0')), QString::number(1000 + i),
             u"懸賞ネット"_s, u"http://example.jp/%1"_s.arg(i), u"現金"_s, u"図書カード%1"_s.arg(i),
             u"落選"_s, u"0"_s, u"5名様"_s, u"2010/02/28"_s, u"----/--/--"_s, u"アンケート"_s,
             u"抽選"_s, u"不定期"_s, u"ネット応募"_s, u"メモ"_s, QString()});
    }
    return records;
}

QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(120000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace

class TestOutput : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void monthPrintedToPdf() {
        const QString pdftotext = QStandardPaths::findExecutable(u"pdftotext"_s);
        if (pdftotext.isEmpty()) {
            QSKIP("pdftotext (poppler-utils) is not installed");
        }
        ProgramFixture program;
        QVERIFY(monthfile::write(program.folder.paths().monthFile(u"2010"_s, u"01"_s), month(200),
                                 QString())
                    .ok());
        frmMain* window = program.start();
        QVERIFY(window != nullptr);
        const QString pdf = program.folder.file(u"month.pdf"_s);
        auto printer = std::make_unique<QPrinter>();
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdf);
        program.dialogs.answerPrinter(platform::makePagePrinter(std::move(printer)));
        control<QPushButton>(window, u"cmdPrint"_s)->click();
        QVERIFY(program.dialogs.faults().isEmpty());
        const QString info = run(QStandardPaths::findExecutable(u"pdfinfo"_s), {pdf});
        const int pages = info.section(u"Pages:"_s, 1).trimmed().section(u'\n', 0, 0).toInt();
        QVERIFY2(pages > 1, qPrintable(info));
        // The CJK font maps some characters to radicals of the same look
        // (⽇ for 日): compatibility forms are folded back.
        const QString text =
            run(pdftotext, {u"-layout"_s, pdf, u"-"_s}).normalized(QString::NormalizationForm_KC);
        const auto has = [&](const QString& wanted) {
            return text.contains(wanted.normalized(QString::NormalizationForm_KC));
        };
        QVERIFY2(has(u"応募日,ＩＤ番号,応募先,URL"_s), qPrintable(text.left(300)));
        for (int i = 0; i < 200; i += 37) {
            QVERIFY2(has(u",%1,懸賞ネット,http://example.jp/%2,"_s.arg(1000 + i).arg(i)),
                     qPrintable(QString::number(i)));
        }
        // The statistics close the list.
        QVERIFY(has(u"当選総数（件）,応募総数（件）,当選率（％）"_s));
        QVERIFY(has(u"0,200,0.00"_s));
        control<QPushButton>(window, u"cmdEnd"_s)->click();
    }

    void csvOpensInLibreOffice() {
        const QString soffice = QStandardPaths::findExecutable(u"soffice"_s);
        if (soffice.isEmpty()) {
            QSKIP("LibreOffice is not installed");
        }
        ProgramFixture program;
        QVERIFY(monthfile::write(program.folder.paths().monthFile(u"2010"_s, u"01"_s), month(3),
                                 QString())
                    .ok());
        frmMain* window = program.start();
        QVERIFY(window != nullptr);
        const QString csv = program.folder.file(u"list.csv"_s);
        program.dialogs.answerFile(csv);
        program.prompter.expect(platform::MessageAnswer::Ok, u"完了"_s, u"保存しました"_s);
        control<QPushButton>(window, u"cmdSave"_s)->click();
        QVERIFY(program.prompter.faults().isEmpty());
        // Read as code page 932 CSV (LibreOffice's encoding 60), written
        // back as UTF-8 CSV (76).
        const QString out = program.folder.file(u"out"_s);
        run(soffice, {u"-env:UserInstallation=file://"_s + program.folder.file(u"profile"_s),
                      u"--headless"_s, u"--infilter=Text - txt - csv (StarCalc):44,34,60"_s,
                      u"--convert-to"_s, u"csv:Text - txt - csv (StarCalc):44,34,76"_s,
                      u"--outdir"_s, out, csv});
        const QStringList lines =
            QString::fromUtf8(readBytes(out + u"/list.csv"_s)).split(u'\n', Qt::SkipEmptyParts);
        QVERIFY2(lines.size() >= 4, qPrintable(lines.join(u'|')));
        QCOMPARE(lines[0].trimmed().split(u',').size(), 15);
        QVERIFY2(lines[0].startsWith(u"応募日,ＩＤ番号,応募先,ジャンル"_s), qPrintable(lines[0]));
        QVERIFY2(lines[1].contains(u"懸賞ネット,現金,図書カード0"_s), qPrintable(lines[1]));
        control<QPushButton>(window, u"cmdEnd"_s)->click();
    }
};

QTEST_MAIN(TestOutput)
#include "tst_output.moc"
