#pragma once

#include <QStringList>

// The lists of the combo boxes of the record editor and the search window.
namespace choices {

inline const QStringList Genres = {
    QStringLiteral("自動車・二輪車"),
    QStringLiteral("現金"),
    QStringLiteral("商品券・図書カード"),
    QStringLiteral("チケット・試写券"),
    QStringLiteral("旅行・宿泊券"),
    QStringLiteral("コンピュータ関連"),
    QStringLiteral("家電ＡＶ製品"),
    QStringLiteral("ゲーム・キッズ"),
    QStringLiteral("雑貨・花・インテリア"),
    QStringLiteral("ファッション"),
    QStringLiteral("化粧品・エステ"),
    QStringLiteral("アクセサリー"),
    QStringLiteral("食べ物"),
    QStringLiteral("飲み物"),
    QStringLiteral("健康・スポーツ"),
    QStringLiteral("ペット"),
    QStringLiteral("本・CD・DVD"),
    QStringLiteral("その他"),
    QStringLiteral("子供用品・ホビー"),
    QStringLiteral("日用雑貨・住まい"),
    QStringLiteral("健康食品グッズ"),
    QStringLiteral("本・CD・ビデオ"),
    QStringLiteral("車・二輪車関連"),
    QStringLiteral("商品券・図書券"),
    QStringLiteral("ゲーム・子供用品"),
    QStringLiteral("健康食品＆グッズ"),
    QStringLiteral("レジャー・ペット"),
};
inline const QStringList Results = {QStringLiteral("不明"),     QStringLiteral("未応募"),
                                    QStringLiteral("応募済み"), QStringLiteral("落選"),
                                    QStringLiteral("小物当選"), QStringLiteral("中物当選"),
                                    QStringLiteral("大物当選"), QStringLiteral("その他")};
inline const QStringList Forms = {
    QStringLiteral("アンケート"),   QStringLiteral("モニター"),       QStringLiteral("クイズ"),
    QStringLiteral("ゲーム"),       QStringLiteral("意見・感想"),     QStringLiteral("簡単"),
    QStringLiteral("公募"),         QStringLiteral("会員登録"),       QStringLiteral("投稿・投票"),
    QStringLiteral("その他"),       QStringLiteral("調査アンケート"), QStringLiteral("広告メール"),
    QStringLiteral("メルマガ購読"), QStringLiteral("キーワード"),     QStringLiteral("感想"),
    QStringLiteral("投票"),
};
inline const QStringList Selections = {QStringLiteral("抽選"),     QStringLiteral("先着"),
                                       QStringLiteral("もれなく"), QStringLiteral("優秀者"),
                                       QStringLiteral("正解者"),   QStringLiteral("その他")};
inline const QStringList Cycles = {QStringLiteral("不定期"), QStringLiteral("毎月"),
                                   QStringLiteral("毎週"), QStringLiteral("毎日")};
inline const QStringList Methods = {QStringLiteral("ネット応募"), QStringLiteral("ハガキ応募"),
                                    QStringLiteral("携帯応募")};

}  // namespace choices
