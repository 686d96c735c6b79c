#pragma once

#include "ports/geometry.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>

#include <map>
#include <string>

namespace quiz::hostjson
{

// [left, top, width, height] in pixels.
inline PixelRect rect(const QJsonValue &value)
{
    const QJsonArray a = value.toArray();
    return {a.at(0).toInt(), a.at(1).toInt(), a.at(2).toInt(), a.at(3).toInt()};
}

inline QJsonArray rectValue(const PixelRect &r)
{
    return QJsonArray{r.left, r.top, r.width, r.height};
}

inline std::map<std::string, std::string> tags(const QJsonValue &value)
{
    std::map<std::string, std::string> out;
    const QJsonObject o = value.toObject();
    for (auto it = o.begin(); it != o.end(); ++it)
        out[it.key().toStdString()] = it.value().toString().toStdString();
    return out;
}

inline QString str(const std::string &text)
{
    return QString::fromStdString(text);
}

} // namespace quiz::hostjson
