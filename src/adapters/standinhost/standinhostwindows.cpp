#include "adapters/standinhost/standinhostwindows.h"

#include "adapters/standinhost/hostjson.h"
#include "adapters/standinhost/standinhost.h"

namespace quiz
{

using hostjson::str;

int StandInHostWindows::windowIndex(long long handle) const
{
    const QJsonArray list = host_.root_.value("windows").toArray();
    for (int i = 0; i < list.size(); ++i)
        if (list.at(i).toObject().value("handle").toInteger() == handle)
            return i;
    return -1;
}

void StandInHostWindows::changeWindow(long long handle, const std::function<void(QJsonObject &)> &change)
{
    const int i = windowIndex(handle);
    if (i < 0)
        host_.fail("Invalid window handle " + std::to_string(handle) + ".");
    QJsonArray list = host_.root_.value("windows").toArray();
    QJsonObject w = list.at(i).toObject();
    change(w);
    list[i] = w;
    host_.root_["windows"] = list;
}

void StandInHostWindows::moveWindowToFront(int index)
{
    QJsonArray list = host_.root_.value("windows").toArray();
    const QJsonValue w = list.at(index);
    list.removeAt(index);
    list.prepend(w);
    host_.root_["windows"] = list;
}

std::vector<WindowInfo> StandInHostWindows::windows()
{
    host_.reloadIfChanged();
    std::vector<WindowInfo> out;
    if (!host_.root_.value("running").toBool(true))
        return out;
    for (const QJsonValue &value : host_.root_.value("windows").toArray()) {
        const QJsonObject w = value.toObject();
        WindowInfo window;
        window.handle = w.value("handle").toInteger();
        window.title = w.value("title").toString().toStdString();
        window.rect = hostjson::rect(w.value("rect"));
        window.visible = w.value("visible").toBool(true);
        window.enabled = w.value("enabled").toBool(true);
        window.minimised = w.value("minimised").toBool(false);
        out.push_back(std::move(window));
    }
    return out;
}

void StandInHostWindows::setWindowEnabled(long long handle, bool enabled)
{
    host_.reloadIfChanged();
    changeWindow(handle, [&](QJsonObject &w) { w["enabled"] = enabled; });
    host_.save();
}

void StandInHostWindows::raiseWindow(long long handle)
{
    host_.reloadIfChanged();
    const int i = windowIndex(handle);
    if (i < 0)
        host_.fail("Invalid window handle " + std::to_string(handle) + ".");
    moveWindowToFront(i);
    host_.save();
}

void StandInHostWindows::activateWindow(long long handle)
{
    host_.reloadIfChanged();
    const int i = windowIndex(handle);
    if (i < 0)
        host_.fail("Invalid window handle " + std::to_string(handle) + ".");
    host_.root_["activeWindow"] = host_.root_.value("windows").toArray().at(i).toObject().value("title");
    moveWindowToFront(i);
    host_.save();
}

void StandInHostWindows::restoreWindow(long long handle)
{
    host_.reloadIfChanged();
    changeWindow(handle, [&](QJsonObject &w) { w["minimised"] = false; });
    host_.save();
}

void StandInHostWindows::moveWindow(long long handle, const PixelRect &rect)
{
    host_.reloadIfChanged();
    bool isShow = false;
    changeWindow(handle, [&](QJsonObject &w) {
        w["rect"] = hostjson::rectValue(rect);
        isShow = host_.isShowWindowTitle(w.value("title").toString());
    });
    if (isShow && host_.showRunning()) {
        QJsonObject show = host_.slideShowObject();
        show["window"] = hostjson::rectValue(rect);
        host_.root_["slideShow"] = show;
    }
    host_.save();
}

void StandInHostWindows::closeWindow(long long handle)
{
    host_.reloadIfChanged();
    const int i = windowIndex(handle);
    if (i < 0)
        host_.fail("Invalid window handle " + std::to_string(handle) + ".");
    QJsonArray list = host_.root_.value("windows").toArray();
    const bool isShow = host_.isShowWindowTitle(list.at(i).toObject().value("title").toString());
    list.removeAt(i);
    host_.root_["windows"] = list;
    if (isShow) {
        QJsonObject show = host_.slideShowObject();
        show["running"] = false;
        host_.root_["slideShow"] = show;
    }
    host_.save();
}

} // namespace quiz
