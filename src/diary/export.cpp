#include "diary/export.h"

#include "storage/prizeentry.h"

using namespace Qt::StringLiterals;

namespace exporting {

namespace {

const QString LineEnd = u"\r\n"_s;

struct Heading {
    const char16_t* text;
    int width;  // in the HTML heading row
};

// The summary headings and widths of the year and total lists.
constexpr Heading SummaryHeadings[] = {
    {u"小物当選", 80}, {u"中物当選", 80}, {u"大物当選", 80}, {u"当選総数", 80}, {u"応募総数", 80},
    {u"当選率", 60},   {u"当選総額", 80}, {u"支出総額", 80}, {u"収支総額", 80},
};

// The headings of a file, with their HTML widths.
QList<std::pair<QString, int>> fileHeadings(const Table& t) {
    QList<std::pair<QString, int>> headings;
    if (t.kind == ListKind::Analysis) {
        return {{u"分類"_s, 200},    {u"応募総数"_s, 80}, {u"当選総数"_s, 80}, {u"当選率"_s, 60},
                {u"小物当選"_s, 80}, {u"中物当選"_s, 80}, {u"大物当選"_s, 80}, {u"当選総額"_s, 80}};
    }
    if (t.kind == ListKind::Records) {
        const QString filing = t.filedByDeadline ? u"締切日"_s : u"応募日"_s;
        const QString other = t.filedByDeadline ? u"応募日"_s : u"締切日"_s;
        headings = {{filing, 90},         {u"ＩＤ番号"_s, 60},  {u"応募先"_s, 200},
                    {u"ジャンル"_s, 130}, {u"賞品名"_s, 200},   {u"結果"_s, 70},
                    {u"当選額"_s, 80},    {u"当選数"_s, 110},   {other, 90},
                    {u"当選日"_s, 90},    {u"応募形式"_s, 110}, {u"選考方法"_s, 70},
                    {u"サイクル"_s, 70},  {u"応募方法"_s, 90},  {u"コメント"_s, 300}};
        return headings;
    }
    headings.append(t.kind == ListKind::Year ? std::pair{u"月"_s, 20} : std::pair{u"年"_s, 30});
    for (const Heading& h : SummaryHeadings) {
        headings.append({QString::fromUtf16(h.text), h.width});
    }
    if (t.kind == ListKind::Total) {
        headings.append({u"目標収支金額"_s, 100});
    }
    return headings;
}

// The columns of a row of a summary or analysis list.
int columnCount(ListKind kind) {
    switch (kind) {
        case ListKind::Year:
            return 10;
        case ListKind::Total:
            return 11;
        case ListKind::Analysis:
            return 8;
        case ListKind::Records:
            break;
    }
    return 16;
}

// The values of a row in a file: records without their URL and picture.
QStringList fileValues(const Table& t, const QStringList& row) {
    if (t.kind != ListKind::Records) {
        return row.mid(0, columnCount(t.kind));
    }
    QStringList values;
    for (int c = 0; c <= Msg; ++c) {
        if (c != URL) {
            values.append(row.value(c));
        }
    }
    return values;
}

QString quotedLine(const QStringList& values) {
    return u'"' + values.join(u"\",\""_s) + u'"' + LineEnd;
}

QString escaped(QString text) {
    return text.replace(u'&', u"&amp;"_s).replace(u'<', u"&lt;"_s).replace(u'>', u"&gt;"_s);
}

QString columnGroups(ListKind kind) {
    switch (kind) {
        case ListKind::Records:
            return u"<COL SPAN= \"1\" ALIGN=\"left\"><COL SPAN=\"1\" ALIGN=\"right\">"
                   u"<COL SPAN=\"4\" ALIGN=\"left\"><COL SPAN=\"2\" ALIGN=\"right\">"
                   u"<COL SPAN=\"7\" ALIGN=\"left\">"_s;
        case ListKind::Year:
            return u"<COL SPAN= \"1\" ALIGN=\"left\"><COL SPAN=\"9\" ALIGN=\"right\">"_s;
        case ListKind::Total:
            return u"<COL SPAN= \"1\" ALIGN=\"left\"><COL SPAN=\"10\" ALIGN=\"right\">"_s;
        case ListKind::Analysis:
            return u"<COL SPAN= \"1\" ALIGN=\"left\"><COL SPAN=\"7\" ALIGN=\"right\">"_s;
    }
    return {};
}

QString htmlFigures(const Figures& f) {
    const auto values = [](const QString& a, const QString& b, const QString& c) {
        return u"<TR><TD NOWRAP>"_s + escaped(a) + u"</TD><TD NOWRAP>"_s + escaped(b) +
               u"</TD><TD NOWRAP>"_s + escaped(c) + u"</TD></TR>"_s + LineEnd;
    };
    return u"<BR>"_s + LineEnd + u"<TABLE BORDER= \"1\" >"_s + LineEnd +
           u"<COL SPAN= \"3\" ALIGN=\"right\">"_s + LineEnd +
           u"<TR ALIGN=\"center\"><TD NOWRAP>当選総数（件）</TD><TD NOWRAP>応募総数（件）</TD>"
           u"<TD NOWRAP>当選率（％）</TD></TR>"_s +
           LineEnd + values(f.wins, f.entries, f.rate) +
           u"<TR ALIGN=\"center\"><TD NOWRAP>当選総額(円)</TD><TD NOWRAP>支出総額(円)</TD>"
           u"<TD NOWRAP>収支総額(円)</TD></TR>"_s +
           LineEnd + values(f.money, f.expenses, f.balance) + u"</TABLE>"_s + LineEnd;
}

}  // namespace

bool isCsvPath(const QString& path) {
    return path.endsWith(u".csv"_s, Qt::CaseSensitive);
}

QString csv(const Table& table) {
    QStringList headings;
    for (const auto& [heading, width] : fileHeadings(table)) {
        headings.append(heading);
    }
    QString text = quotedLine(headings);
    for (const QStringList& row : table.rows) {
        text += quotedLine(fileValues(table, row));
    }
    if (const std::optional<Figures>& f = table.figures) {
        text += LineEnd;
        text += quotedLine({u"当選総数（件）"_s, u"応募総数（件）"_s, u"当選率（％）"_s});
        text += quotedLine({f->wins, f->entries, f->rate});
        text += quotedLine({u"当選総額（円）"_s, u"支出総額（円）"_s, u"収支総額（円）"_s});
        text += quotedLine({f->money, f->expenses, f->balance});
    }
    return text;
}

QString html(const Table& table) {
    QString text = u"<TABLE BORDER= \"1\" >"_s + LineEnd + columnGroups(table.kind) + LineEnd;
    text += u"<TR>"_s;
    for (const auto& [heading, width] : fileHeadings(table)) {
        text += u"<TD WIDTH=\"%1\" NOWRAP>%2</TD>"_s.arg(width).arg(heading);
    }
    // The heading row of the year list has never had its closing tag.
    text += (table.kind == ListKind::Year ? QString() : u"</TR>"_s) + LineEnd;
    for (const QStringList& row : table.rows) {
        QStringList values;
        for (const QString& value : fileValues(table, row)) {
            values.append(escaped(value));
        }
        text += u"<TR><TD>"_s + values.join(u"</TD><TD>"_s) + u"</TD></TR>"_s + LineEnd;
    }
    text += u"</TABLE>"_s + LineEnd;
    if (table.figures) {
        text += htmlFigures(*table.figures);
    }
    return text;
}

QStringList printLines(const Table& table) {
    QStringList lines;
    const int count = columnCount(table.kind);
    if (table.kind == ListKind::Records) {
        lines.append(
            table.filedByDeadline
                ? u"締切日,ＩＤ番号,応募先,URL,ジャンル,賞品名,結果,当選額,当選数,応募日,当選日,応募形式,選考方法,サイクル,応募方法,コメント"_s
                : u"応募日,ＩＤ番号,応募先,URL,ジャンル,賞品名,結果,当選額,当選数,締切日,当選日,応募形式,選考方法,サイクル,応募方法,コメント"_s);
    } else {
        QStringList headings;
        for (const auto& [heading, width] : fileHeadings(table)) {
            headings.append(heading);
        }
        lines.append(headings.join(u','));
    }
    for (const QStringList& row : table.rows) {
        QStringList values;
        for (int c = 0; c < count; ++c) {
            values.append(row.value(c));
        }
        lines.append(values.join(u','));
    }
    if (const std::optional<Figures>& f = table.figures) {
        lines.append(u"当選総数（件）,応募総数（件）,当選率（％）"_s);
        lines.append(f->wins + u',' + f->entries + u',' + f->rate);
        lines.append(u"当選総額（円）,支出総額（円）,収支総額（円）"_s);
        lines.append(f->money + u',' + f->expenses + u',' + f->balance);
    }
    return lines;
}

}  // namespace exporting
