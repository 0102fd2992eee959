// The help pages: every link and picture of a page leads somewhere, and the
// Windows help project names every page and picture, so that the help
// opened beside the program and the compiled help hold the same.
#include <QDir>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

#include "testsupport.h"

using namespace Qt::StringLiterals;

namespace {

const QString Manual = QStringLiteral(KIRABILOG_MANUAL);

QString text(const QString& file) {
    return QString::fromUtf8(readBytes(Manual + u'/' + file));
}

QStringList pages() {
    return QDir(Manual).entryList({u"*.html"_s}, QDir::Files, QDir::Name);
}

QStringList attributes(const QString& page, const QString& name) {
    QStringList values;
    const QRegularExpression pattern(name + u"\\s*=\\s*\"([^\"]*)\""_s);
    for (const QRegularExpressionMatch& m : pattern.globalMatch(text(page))) {
        values.append(m.captured(1));
    }
    return values;
}

}  // namespace

class TestManual : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void linksLeadSomewhere() {
        QVERIFY(pages().contains(u"index.html"_s));
        for (const QString& page : pages()) {
            for (const QString& link : attributes(page, u"href"_s) + attributes(page, u"src"_s)) {
                if (link.startsWith(u"http"_s) || link.startsWith(u"mailto:"_s)) {
                    continue;
                }
                const QString file = link.section(u'#', 0, 0);
                const QString anchor = link.section(u'#', 1);
                const QString target = file.isEmpty() ? page : file;
                QVERIFY2(QFile::exists(Manual + u'/' + target), qPrintable(page + u": "_s + link));
                if (!anchor.isEmpty()) {
                    QVERIFY2(attributes(target, u"id"_s).contains(anchor),
                             qPrintable(page + u": "_s + link));
                }
            }
        }
    }

    // Every page and picture is compiled into the Windows help, and every
    // picture is shown on some page.
    void helpProjectHoldsEverything() {
        const QString project = QString::fromLatin1(readBytes(Manual + u"/kirabilog.hhp"_s));
        const QString contents = QString::fromLatin1(readBytes(Manual + u"/toc.hhc"_s));
        QSet<QString> shown;
        for (const QString& page : pages()) {
            QVERIFY2(project.contains(u'\n' + page), qPrintable(page));
            QVERIFY2(contents.contains(u'"' + page + u'"'), qPrintable(page));
            for (const QString& picture : attributes(page, u"src"_s)) {
                shown.insert(picture);
            }
        }
        for (const QString& picture : QDir(Manual + u"/images"_s).entryList(QDir::Files)) {
            QVERIFY2(project.contains(u"images\\"_s + picture), qPrintable(picture));
            QVERIFY2(shown.contains(u"images/"_s + picture), qPrintable(picture));
        }
    }
};

QTEST_GUILESS_MAIN(TestManual)
#include "tst_manual.moc"
