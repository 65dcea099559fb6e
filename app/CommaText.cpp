#include "app/CommaText.h"

#include <algorithm>

namespace {

const QChar Quote = QLatin1Char('"');
const QChar Comma = QLatin1Char(',');

bool IsBlank(QChar c)
{
    return c.unicode() <= ' ';
}

} // namespace

QString QuotedItem(const QString& item)
{
    QString quoted = item;
    quoted.replace(Quote, QStringLiteral("\"\""));
    return Quote + quoted + Quote;
}

QString JoinCommaText(const QStringList& items)
{
    // A lone empty item would otherwise read back as no item at all.
    if (items.size() == 1 && items.front().isEmpty())
        return QStringLiteral("\"\"");
    QStringList parts;
    for (const QString& item : items) {
        const bool plain = std::none_of(item.begin(), item.end(),
                                        [](QChar c) { return IsBlank(c) || c == Quote || c == Comma; });
        parts << (plain ? item : QuotedItem(item));
    }
    return parts.join(Comma);
}

QStringList SplitCommaText(const QString& text)
{
    QStringList items;
    const qsizetype n = text.size();
    qsizetype i = 0;
    auto skipBlanks = [&] {
        while (i < n && IsBlank(text.at(i)))
            ++i;
    };
    skipBlanks();
    while (i < n) {
        QString item;
        if (text.at(i) == Quote) {
            // A doubled quote stands for one; a missing closing quote ends the item with the text.
            for (++i; i < n; ++i) {
                if (text.at(i) != Quote)
                    item += text.at(i);
                else if (i + 1 < n && text.at(i + 1) == Quote)
                    item += text.at(++i);
                else {
                    ++i;
                    break;
                }
            }
        } else {
            while (i < n && !IsBlank(text.at(i)) && text.at(i) != Comma)
                item += text.at(i++);
        }
        items << item;
        skipBlanks();
        if (i < n && text.at(i) == Comma) {
            if (i + 1 == n)
                items << QString();
            ++i;
            skipBlanks();
        }
    }
    return items;
}
