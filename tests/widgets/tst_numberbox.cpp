// The number box takes digits typed with a Japanese input method on as the
// ASCII digits, by key and by the input method's commit, and refuses all
// else the key filter refuses.
#include <QApplication>
#include <QInputMethodEvent>
#include <QSignalSpy>
#include <QTest>

#include "widgets/controls.h"

using namespace Qt::StringLiterals;

namespace {

enum class Way { Keys, InputMethod };

// Sends the text as a user's input: key by key, or as one commit of the
// input method after its composition was shown.
void enter(NumberBox& box, const QString& text, Way way) {
    if (way == Way::Keys) {
        for (const QChar c : text) {
            QTest::sendKeyEvent(QTest::Click, &box, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
        return;
    }
    QInputMethodEvent composing(text, {});
    QApplication::sendEvent(&box, &composing);
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QApplication::sendEvent(&box, &commit);
}

}  // namespace

Q_DECLARE_METATYPE(Way)

class TestNumberBox : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void fullWidthDigits_data() {
        QTest::addColumn<Way>("way");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        for (const auto& [way, name] :
             {std::pair{Way::Keys, "keys"}, std::pair{Way::InputMethod, "input method"}}) {
            QTest::addRow("%s: full-width digits", name) << way << u"１２３４"_s << u"1234"_s;
            QTest::addRow("%s: every digit", name)
                << way << u"０１２３４５６７８９"_s << u"0123456789"_s;
            QTest::addRow("%s: mixed", name) << way << u"1２3"_s << u"123"_s;
            QTest::addRow("%s: full-width letter", name) << way << u"１ａ２"_s << u"12"_s;
            QTest::addRow("%s: kana", name) << way << u"いち"_s << u"0"_s;
            QTest::addRow("%s: full-width minus", name) << way << u"－５"_s << u"5"_s;
            QTest::addRow("%s: full-width comma", name) << way << u"１，０００"_s << u"1000"_s;
            QTest::addRow("%s: kanji numerals", name) << way << u"一二"_s << u"0"_s;
        }
    }
    void fullWidthDigits() {
        QFETCH(Way, way);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        NumberBox box(u"txtHappyMoney"_s, u"0"_s);
        box.show();
        box.setFocus();
        box.selectAll();
        enter(box, typed, way);
        QCOMPARE(box.text(), shown);
    }

    // What a commit brings is the user's edit; a commit refused whole
    // leaves the box as it was.
    void commitIsAnEditByTheUser() {
        NumberBox box(u"txtNumber"_s, u"7"_s);
        box.show();
        box.setFocus();
        box.end(false);
        QSignalSpy edited(&box, &QLineEdit::textEdited);
        enter(box, u"８"_s, Way::InputMethod);
        QCOMPARE(box.text(), u"78"_s);
        QCOMPARE(edited.count(), 1);
        enter(box, u"ばつ"_s, Way::InputMethod);
        QCOMPARE(box.text(), u"78"_s);
        QCOMPARE(edited.count(), 1);
    }

    // A composition that replaced the selected "0" and was never committed
    // leaves "0" once the box loses the focus.
    void compositionLeftUnfinished() {
        QWidget window;
        auto* box = new NumberBox(u"txtIDDown"_s, u"0"_s, &window);
        auto* other = new NumberBox(u"txtIDUp"_s, u"0"_s, &window);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        box->setFocus();
        box->selectAll();
        QInputMethodEvent composing(u"いち"_s, {});
        QApplication::sendEvent(box, &composing);
        QCOMPARE(box->text(), QString());
        other->setFocus();
        QTRY_VERIFY(!box->hasFocus());
        QCOMPARE(box->text(), u"0"_s);
    }
};

QTEST_MAIN(TestNumberBox)
#include "tst_numberbox.moc"
