#include "qtsupport/dialogconversions.h"

#include <QStringList>

namespace quiz
{

QColor colourFromBgr(std::uint32_t bgr)
{
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

std::uint32_t bgrFromColour(const QColor &colour)
{
    return static_cast<std::uint32_t>(colour.red()) | (static_cast<std::uint32_t>(colour.green()) << 8) |
           (static_cast<std::uint32_t>(colour.blue()) << 16);
}

QFont qFontFromChoice(const FontChoice &choice)
{
    QFont font(QString::fromStdString(choice.name));
    if (choice.size > 0)
        font.setPointSize(choice.size);
    font.setBold(choice.bold);
    font.setItalic(choice.italic);
    font.setUnderline(choice.underline);
    font.setStrikeOut(choice.strikeThrough);
    return font;
}

FontChoice choiceFromQFont(const QFont &font, std::uint32_t colour)
{
    FontChoice choice;
    choice.name = font.family().toStdString();
    choice.size = font.pointSize() > 0 ? font.pointSize() : qRound(font.pointSizeF());
    choice.bold = font.bold();
    choice.italic = font.italic();
    choice.underline = font.underline();
    choice.strikeThrough = font.strikeOut();
    choice.colour = colour;
    return choice;
}

QString qtNameFilter(const std::string &filter)
{
    const QString text = QString::fromStdString(filter);
    if (!text.contains(QLatin1Char('|')))
        return text;
    const QStringList parts = text.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        const QString patterns = QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' ')).trimmed();
        filters << (description.contains(QLatin1Char('('))
                        ? description
                        : description + QStringLiteral(" (") + patterns + QLatin1Char(')'));
    }
    if (parts.size() % 2 == 1 && !parts.back().trimmed().isEmpty())
        filters << parts.back().trimmed();
    return filters.join(QStringLiteral(";;"));
}

std::string defaultSuffixOfFilter(const std::string &filter)
{
    const std::size_t bar = filter.find('|');
    std::string pattern = bar == std::string::npos ? filter : filter.substr(bar + 1);
    pattern = pattern.substr(0, pattern.find_first_of("|;"));
    if (pattern.size() < 3 || pattern.compare(0, 2, "*.") != 0 ||
        pattern.find_first_of("*?. ", 2) != std::string::npos)
        return {};
    return pattern.substr(2);
}

std::string withDefaultSuffix(const std::string &name, const std::string &suffix)
{
    const std::size_t slash = name.find_last_of('/');
    const std::string file = slash == std::string::npos ? name : name.substr(slash + 1);
    if (suffix.empty() || file.empty() || file.find('.') != std::string::npos)
        return name;
    return name + "." + suffix;
}

} // namespace quiz
