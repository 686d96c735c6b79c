#include "core/results/progresscaption.h"

#include "core/common/text.h"

namespace quiz
{

std::string ProgressCaption::starting(std::string_view message)
{
    return "|     " + std::string(message) + "     |";
}

std::string ProgressCaption::step(std::string_view caption)
{
    if (endsWith(caption, "     |"))
        inwards_ = true;
    else if (endsWith(caption, "|     "))
        inwards_ = false;

    // Positions count from 1; npos leaves a side without a bar.
    const auto first = caption.find('|');
    const auto last = caption.rfind('|');
    long long a = first == std::string_view::npos ? -1 : static_cast<long long>(first) + 1;
    long long b = last == std::string_view::npos ? -1 : static_cast<long long>(last) + 1;
    if (inwards_) {
        ++a;
        --b;
    } else {
        --a;
        ++b;
    }

    const std::size_t width = 2 * marginWidth;
    const std::string_view message =
        caption.size() > width ? caption.substr(marginWidth, caption.size() - width) : std::string_view{};
    const auto m = static_cast<long long>(message.size());

    std::string next;
    next.reserve(message.size() + width);
    for (long long pos = 1; pos <= static_cast<long long>(marginWidth); ++pos)
        next.push_back(pos == a ? '|' : ' ');
    next.append(message);
    for (long long pos = m + 7; pos <= m + 12; ++pos)
        next.push_back(pos == b ? '|' : ' ');
    return next;
}

} // namespace quiz
