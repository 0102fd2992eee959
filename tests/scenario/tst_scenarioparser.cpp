#include <QTest>

#include "scenario.h"

using namespace Qt::StringLiterals;
using scenario::Property;
using scenario::StepKind;

class TestScenarioParser : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void strings_data() {
        QTest::addColumn<QString>("raw");
        QTest::addColumn<QString>("decoded");
        QTest::newRow("plain") << u"きらび帳"_s << u"きらび帳"_s;
        QTest::newRow("newline is CR LF") << u"a\\nb"_s << u"a\r\nb"_s;
        QTest::newRow("lone CR") << u"a\\rb"_s << u"a\rb"_s;
        QTest::newRow("quote and backslash") << u"\\\"x\\\\"_s << u"\"x\\"_s;
        QTest::newRow("bar") << u"a\\|b"_s << u"a|b"_s;
    }
    void strings() {
        QFETCH(QString, raw);
        QFETCH(QString, decoded);
        QString error;
        QCOMPARE(scenario::decodeString(raw, &error).value_or(u"<error>"_s), decoded);
        QCOMPARE(scenario::parse(u"type frmMain.txtX \""_s + raw + u"\""_s).steps.first().text,
                 decoded);
        // What a failure report shows can be pasted back into a scenario.
        QCOMPARE(scenario::decodeString(scenario::quoted(decoded).mid(1).chopped(1), &error),
                 decoded);
    }

    void rowCells_data() {
        QTest::addColumn<QString>("raw");
        QTest::addColumn<QStringList>("cells");
        QTest::newRow("cells") << u"a|b|c"_s << QStringList{u"a"_s, u"b"_s, u"c"_s};
        QTest::newRow("empty cells") << u"|x|"_s << QStringList{u""_s, u"x"_s, u""_s};
        QTest::newRow("escaped bar") << u"a\\|b|c"_s << QStringList{u"a|b"_s, u"c"_s};
        QTest::newRow("backslash then bar") << u"a\\\\|b"_s << QStringList{u"a\\"_s, u"b"_s};
        QTest::newRow("escapes in cells")
            << u"\\\"q\\\"|x\\ny"_s << QStringList{u"\"q\""_s, u"x\r\ny"_s};
    }
    void rowCells() {
        QFETCH(QString, raw);
        QFETCH(QStringList, cells);
        const scenario::Scenario parsed =
            scenario::parse(u"expect frmMain.lvwMonth row 2 \""_s + raw + u"\""_s);
        QVERIFY(parsed.errors.isEmpty());
        QCOMPARE(parsed.steps.first().cells, cells);
        QCOMPARE(parsed.steps.first().numbers, QList<int>{2});
        QCOMPARE(scenario::splitCells(scenario::quotedRow(cells).mid(1).chopped(1), nullptr),
                 cells);
    }

    // Heredoc lines are taken as written; steps after them keep their line
    // numbers.
    void heredocs() {
        const QString text =
            u"# set-up\r\n"
            u"write data/a.log plain <<END\r\n"
            u"\"2010/01/10\",\"a\\nb\"\r\n"
            u"\r\n"
            u"  # not a comment\r\n"
            u"END \r\n"
            u"$PROGRAM\\x\r\n"
            u"END\r\n"
            u"expect plain data/a.log <<EOF\n"
            u"EOF\n"
            u"clipboard <<END\n"
            u"x\n"
            u"END\n"
            u"start\n"_s;
        const scenario::Scenario parsed = scenario::parse(text);
        QVERIFY2(parsed.errors.isEmpty(), qPrintable(parsed.errors.value(0).message));
        QCOMPARE(parsed.steps.size(), 4);
        const scenario::Step& write = parsed.steps[0];
        QCOMPARE(write.kind, StepKind::Write);
        QCOMPARE(write.line, 2);
        QCOMPARE(write.text, u"data/a.log"_s);
        QCOMPARE(write.flag, false);
        QCOMPARE(write.lines, (QStringList{u"\"2010/01/10\",\"a\\nb\""_s, u""_s,
                                           u"  # not a comment"_s, u"END "_s, u"$PROGRAM\\x"_s}));
        QCOMPARE(parsed.steps[1].property, Property::Plain);
        QCOMPARE(parsed.steps[1].line, 9);
        QVERIFY(parsed.steps[1].lines.isEmpty());
        QCOMPARE(parsed.steps[2].lines, QStringList{u"x"_s});
        QCOMPARE(parsed.steps[3].kind, StepKind::Start);
        QCOMPARE(parsed.steps[3].line, 14);
    }

    void steps() {
        const scenario::Scenario parsed = scenario::parse(
            u"today 2010/01/15\n"
            u"message No \"きらび帳初回起動\" \"デスクトップ上に\"\n"
            u"file cancel\n"
            u"printer \"out/print.txt\"\n"
            u"shell-result 2\n"
            u"select frmMain.lvwMonth 1,3\n"
            u"dblclick frmMain.lvwMonth 2 right\n"
            u"key frmMain.txtDreamMoney Backspace\n"
            u"key frmMain.txtDreamMoney \"5\"\n"
            u"expect frmMain.lvwMonth cell 1 2 \"x\" bold color 168,0,0\n"
            u"expect frmMain text \"きらび帳\"\n"
            u"expect window frmDataInput closed\n"
            u"close frmDataInput\n"_s);
        QVERIFY2(parsed.errors.isEmpty(), qPrintable(parsed.errors.value(0).message));
        const QList<scenario::Step>& s = parsed.steps;
        QCOMPARE(s.size(), 13);
        QCOMPARE(s[0].date, QDate(2010, 1, 15));
        QCOMPARE(s[1].answer, platform::MessageAnswer::No);
        QCOMPARE(s[1].message, u"デスクトップ上に"_s);
        QVERIFY(s[2].cancel);
        QCOMPARE(s[3].text, u"out/print.txt"_s);
        QCOMPARE(s[4].numbers, QList<int>{2});
        QCOMPARE(s[5].numbers, (QList<int>{1, 3}));
        QCOMPARE(s[5].target.window, u"frmMain"_s);
        QCOMPARE(s[5].target.object, u"lvwMonth"_s);
        QVERIFY(s[6].flag);
        QCOMPARE(s[7].key, Qt::Key_Backspace);
        QCOMPARE(s[8].keyText, u"5"_s);
        QCOMPARE(s[9].numbers, (QList<int>{1, 2}));
        QCOMPARE(s[9].color, QColor(168, 0, 0));
        QCOMPARE(s[9].bold, true);
        QVERIFY(s[10].target.object.isEmpty());
        QCOMPARE(s[11].property, Property::Window);
        QCOMPARE(s[11].flag, false);
        QCOMPARE(s[12].kind, StepKind::Close);
        QVERIFY(s[12].isAction() && !s[4].isAction());
    }

    void resizeAndBox() {
        const scenario::Scenario parsed = scenario::parse(
            u"resize frmMain 600 300\n"
            u"expect frmMain box 0 0 780 425\n"
            u"expect frmMain.cmdEnd box * >=10 <=-2 +4\n"_s);
        QVERIFY2(parsed.errors.isEmpty(), qPrintable(parsed.errors.value(0).message));
        const QList<scenario::Step>& s = parsed.steps;
        QCOMPARE(s[0].kind, StepKind::Resize);
        QCOMPARE(s[0].target.window, u"frmMain"_s);
        QCOMPARE(s[0].numbers, (QList<int>{600, 300}));
        QVERIFY(s[0].isAction());
        QCOMPARE(s[1].property, Property::Box);
        QVERIFY(s[1].target.object.isEmpty());
        QCOMPARE(s[1].bounds.size(), 4);
        QCOMPARE(s[2].bounds.last().text(), u"4"_s);
    }

    // Each number of a box: N within two pixels, at least, at most, or any.
    void boxBounds_data() {
        QTest::addColumn<QString>("written");
        QTest::addColumn<int>("found");
        QTest::addColumn<bool>("admitted");
        QTest::newRow("about, at the slack below") << u"692"_s << 690 << true;
        QTest::newRow("about, past the slack below") << u"692"_s << 689 << false;
        QTest::newRow("about, past the slack above") << u"692"_s << 695 << false;
        QTest::newRow("about, negative") << u"-5"_s << -3 << true;
        QTest::newRow("at least, at the edge") << u">=780"_s << 780 << true;
        QTest::newRow("at least, below") << u">=780"_s << 779 << false;
        QTest::newRow("at most, at the edge") << u"<=425"_s << 425 << true;
        QTest::newRow("at most, above") << u"<=425"_s << 426 << false;
        QTest::newRow("any") << u"*"_s << -100000 << true;
    }
    void boxBounds() {
        QFETCH(QString, written);
        QFETCH(int, found);
        QFETCH(bool, admitted);
        const scenario::Scenario parsed =
            scenario::parse(u"expect frmMain.cmdEnd box "_s + written + u" * * *"_s);
        QVERIFY2(parsed.errors.isEmpty(), qPrintable(parsed.errors.value(0).message));
        const scenario::Bound bound = parsed.steps.first().bounds.first();
        QCOMPARE(bound.admits(found), admitted);
        QCOMPARE(bound.text(), written);
    }

    // Files given and checked byte by byte, in hexadecimal.
    void byteSteps() {
        const scenario::Scenario parsed = scenario::parse(
            u"write data/a.log bytes enciphered <<END\n"
            u"82 a0 85\n"
            u"40\n"
            u"END\n"
            u"expect bytes data/a.log plain <<END\n"
            u"8240\n"
            u"END\n"_s);
        QVERIFY2(parsed.errors.isEmpty(), qPrintable(parsed.errors.value(0).message));
        const QList<scenario::Step>& s = parsed.steps;
        QCOMPARE(s.size(), 2);
        QVERIFY(s[0].bytes && s[0].flag);
        QCOMPARE(scenario::hexBytes(s[0].lines), QByteArray("\x82\xa0\x85\x40"));
        QCOMPARE(s[1].property, Property::Bytes);
        QVERIFY(!s[1].flag);
        QCOMPARE(scenario::hexBytes({u"8"_s}), std::nullopt);
        QCOMPARE(scenario::hexBytes({u"zz"_s}), std::nullopt);
        QCOMPARE(scenario::hexBytes({u"ａ1"_s}), std::nullopt);
        QCOMPARE(scenario::parse(u"write a.log bytes <<END\nEND\n"_s).errors.size(), 1);
    }

    void errors_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown step") << u"klick frmMain.cmdEnd"_s << u"unknown step klick"_s;
        QTest::newRow("open string") << u"type frmMain.txtA \"abc"_s << u"not closed"_s;
        QTest::newRow("bad escape") << u"type frmMain.txtA \"a\\tb\""_s << u"unknown escape \\t"_s;
        QTest::newRow("bad answer") << u"message Ja \"t\" \"x\""_s << u"OK, Yes, No or Cancel"_s;
        QTest::newRow("bare text") << u"type frmMain.txtA abc"_s << u"double quotes"_s;
        QTest::newRow("extra token") << u"start now"_s << u"unexpected now"_s;
        QTest::newRow("bad date") << u"today 2010/02/30"_s << u"2010/02/30"_s;
        QTest::newRow("bad target") << u"click frmMain.cmd.End"_s << u"window.object"_s;
        QTest::newRow("close needs a window") << u"close frmMain.cmdEnd"_s << u"window name"_s;
        QTest::newRow("heredoc needed") << u"write data/x plain"_s << u"needs a heredoc"_s;
        QTest::newRow("row zero") << u"expect frmMain.lvwMonth row 0 \"a\""_s << u"row number"_s;
        QTest::newRow("bad colour")
            << u"expect frmMain.lvwMonth cell 1 1 \"a\" color 1,2"_s << u"r,g,b"_s;
        QTest::newRow("bad key") << u"key frmMain.txtA PageUp"_s << u"one character"_s;
        QTest::newRow("resize needs a window")
            << u"resize frmMain.cmdEnd 600 300"_s << u"window name"_s;
        QTest::newRow("resize needs a height")
            << u"resize frmMain 600"_s << u"a height in pixels is missing"_s;
        QTest::newRow("box needs four numbers")
            << u"expect frmMain.cmdEnd box 1 2 3"_s << u"a height is missing"_s;
        QTest::newRow("box with a bad bound")
            << u"expect frmMain.cmdEnd box 1 2 =>3 4"_s << u"N, >=N, <=N or *"_s;
    }
    void errors() {
        QFETCH(QString, line);
        QFETCH(QString, message);
        const scenario::Scenario parsed = scenario::parse(u"# first\n\nstart\n"_s + line);
        QCOMPARE(parsed.errors.size(), 1);
        QCOMPARE(parsed.errors.first().line, 4);
        QVERIFY2(parsed.errors.first().message.contains(message),
                 qPrintable(parsed.errors.first().message));
    }

    void unclosedHeredoc() {
        const scenario::Scenario parsed =
            scenario::parse(u"start\nbogus\nclick frmMain.cmdEnd <<END\nx\nEnd\n"_s);
        QCOMPARE(parsed.errors.size(), 2);
        QCOMPARE(parsed.errors[0].line, 2);
        QCOMPARE(parsed.errors[1].line, 3);
        QVERIFY(parsed.errors[1].message.contains(u"ends the heredoc"_s));
    }

    // A step of one system is left out on the other; a system the runner
    // does not know is an error.
    void stepsOfOneSystem() {
        const scenario::Scenario parsed = scenario::parse(
            u"@linux today 2010/01/01\n@windows today 2011/01/01\n@mac today 2012/01/01\n"
            u"@windows write a plain <<END\nx\nEND\n@linux bogus\n"_s);
        QCOMPARE(parsed.errors.size(), 2);
        QCOMPARE(parsed.errors[0].line, 3);
        QVERIFY(parsed.errors[0].message.contains(u"@mac"_s));
        QCOMPARE(parsed.errors[1].line, 7);
#ifdef Q_OS_WIN
        QCOMPARE(parsed.steps.size(), 2);
        QCOMPARE(parsed.steps[0].date, QDate(2011, 1, 1));
        QCOMPARE(parsed.steps[1].lines, QStringList{u"x"_s});
#else
        QCOMPARE(parsed.steps.size(), 1);
        QCOMPARE(parsed.steps[0].date, QDate(2010, 1, 1));
#endif
    }

    void fileLines() {
        QVERIFY(scenario::lineMatches(u"[Form]{…}={…}"_s, u"[Form]Left=120"_s));
        QVERIFY(scenario::lineMatches(u"a.b"_s, u"a.b"_s));
        QVERIFY(!scenario::lineMatches(u"a.b"_s, u"axb"_s));
        QVERIFY(!scenario::lineMatches(u"x{…}"_s, u"yx1"_s));
        QVERIFY(!scenario::compareLines(u"a\r\nb=1\r\n"_s, {u"a"_s, u"b={…}"_s}));
        QVERIFY(!scenario::compareLines(QString(), {}));

        const auto unended = scenario::compareLines(u"a\r\nb"_s, {u"a"_s, u"b"_s});
        QVERIFY(unended && unended->found.contains(u"\"b\""_s));
        const auto lf = scenario::compareLines(u"a\nb\r\n"_s, {u"a"_s, u"b"_s});
        QVERIFY(lf && lf->found == u"line 1: \"a<LF>b\""_s);
        const auto shorter = scenario::compareLines(u"a\r\n"_s, {u"a"_s, u"b"_s});
        QVERIFY(shorter && shorter->found == u"line 2: the file ends"_s);
        QCOMPARE(shorter->context.first(), u"the file has 1 lines:"_s);
    }
};

QTEST_GUILESS_MAIN(TestScenarioParser)
#include "tst_scenarioparser.moc"
