#include "core/controller/frame.h"

namespace quiz
{

std::string encodeFrame(std::string_view text)
{
    const auto length = static_cast<std::uint32_t>(text.size());
    std::string frame;
    frame.reserve(4 + text.size());
    frame.push_back(static_cast<char>((length >> 24) & 0xFF));
    frame.push_back(static_cast<char>((length >> 16) & 0xFF));
    frame.push_back(static_cast<char>((length >> 8) & 0xFF));
    frame.push_back(static_cast<char>(length & 0xFF));
    frame.append(text);
    return frame;
}

void FrameDecoder::append(std::string_view bytes)
{
    if (!broken_)
        buffer_.append(bytes);
}

std::optional<std::string> FrameDecoder::next()
{
    if (broken_ || buffer_.size() < 4)
        return std::nullopt;
    std::uint32_t length = 0;
    for (int i = 0; i < 4; ++i)
        length = (length << 8) | static_cast<unsigned char>(buffer_[i]);
    if (length > maxFrameLength) {
        broken_ = true;
        buffer_.clear();
        return std::nullopt;
    }
    if (buffer_.size() < 4 + static_cast<std::size_t>(length))
        return std::nullopt;
    std::string text = buffer_.substr(4, length);
    buffer_.erase(0, 4 + static_cast<std::size_t>(length));
    return text;
}

} // namespace quiz
