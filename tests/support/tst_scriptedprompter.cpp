#include <QTest>

#include "scriptedprompter.h"

using namespace Qt::StringLiterals;
using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;

class TestScriptedPrompter : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void answersInOrder() {
        platform::ScriptedPrompter prompter;
        prompter.expect(MessageAnswer::Yes, u"確認"_s, u"削除しますか？"_s);
        prompter.expect(MessageAnswer::Ok, u"完了"_s, u"終わりました"_s);
        QCOMPARE(prompter.message(u"確認"_s, u"削除しますか？"_s, MessageIcon::Question,
                                  MessageButtons::YesNo),
                 MessageAnswer::Yes);
        QCOMPARE(prompter.message(u"完了"_s, u"終わりました"_s, MessageIcon::Information,
                                  MessageButtons::Ok),
                 MessageAnswer::Ok);
        QVERIFY(prompter.faults().isEmpty());
        QCOMPARE(prompter.shown().size(), 2);
        QCOMPARE(prompter.shown()[0].icon, MessageIcon::Question);
    }

    // A message nobody expected, or another than the one expected, is a fault
    // and gets the answer that changes nothing.
    // "{…}" stands for the words of the system, within one line.
    void systemWordsInATextFit() {
        platform::ScriptedPrompter prompter;
        prompter.expect(MessageAnswer::Ok, u"ｴﾗｰ"_s, u"保存できませんでした。\r\n{…}"_s);
        prompter.expect(MessageAnswer::Ok, u"ｴﾗｰ"_s, u"a{…}b"_s);
        QCOMPARE(prompter.message(u"ｴﾗｰ"_s, u"保存できませんでした。\r\nPath not found."_s,
                                  MessageIcon::Error, MessageButtons::Ok),
                 MessageAnswer::Ok);
        prompter.message(u"ｴﾗｰ"_s, u"a\r\nb"_s, MessageIcon::Error, MessageButtons::Ok);
        QCOMPARE(prompter.faults().size(), 1);
    }

    void faults() {
        platform::ScriptedPrompter prompter;
        QCOMPARE(prompter.message(u"確認"_s, u"消しますか？"_s, MessageIcon::Question,
                                  MessageButtons::YesNo),
                 MessageAnswer::No);
        prompter.expect(MessageAnswer::Yes, u"確認"_s, u"別の文"_s);
        QCOMPARE(prompter.message(u"確認"_s, u"消しますか？"_s, MessageIcon::Question,
                                  MessageButtons::YesNoCancel),
                 MessageAnswer::Cancel);
        prompter.expect(MessageAnswer::Yes, u"完了"_s, u"済"_s);
        QCOMPARE(prompter.message(u"完了"_s, u"済"_s, MessageIcon::Information, MessageButtons::Ok),
                 MessageAnswer::Ok);
        QCOMPARE(prompter.faults().size(), 3);
        QVERIFY(prompter.faults()[0].startsWith(u"unexpected message"_s));
        QVERIFY(prompter.faults()[1].contains(u"別の文"_s));
        QCOMPARE(prompter.pending(), 0);
    }
};

QTEST_GUILESS_MAIN(TestScriptedPrompter)
#include "tst_scriptedprompter.moc"
