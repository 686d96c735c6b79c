#include "adapters/standinhost/hostjson.h"
#include "adapters/standinhost/standinhost.h"

#include "core/common/text.h"
#include "core/votedata/titlematch.h"

#include <QFileInfo>

namespace quiz {

using hostjson::str;

namespace {

HostTitlePatterns patternsOf(const QJsonObject &root)
{
    HostTitlePatterns patterns;
    const QJsonObject o = root.value("titlePatterns").toObject();
    const auto take = [&](const char *key, std::string &field) {
        if (o.contains(key))
            field = o.value(key).toString().toStdString();
    };
    take("anyWindow", patterns.anyWindow);
    take("mainWindow", patterns.mainWindow);
    take("showWindow", patterns.showWindow);
    take("mainWindowTitle", patterns.mainWindowTitle);
    take("showWindowTitle", patterns.showWindowTitle);
    return patterns;
}

} // namespace

HostTitlePatterns StandInHost::titlePatterns()
{
    reloadIfChanged();
    return patternsOf(root_);
}

QString StandInHost::showWindowTitle() const
{
    QString name = "Presentation1";
    const int index = activeIndex();
    if (index >= 0) {
        const QString path = root_.value("presentations").toArray().at(index).toObject().value("path").toString();
        if (!path.isEmpty())
            name = QFileInfo(path).fileName();
    }
    return "PowerPoint Slide Show - [" + name + "]";
}

bool StandInHost::isShowWindowTitle(const QString &title) const
{
    return WildcardMatch(toUpper(title.toStdString()), toUpper(patternsOf(root_).showWindow));
}

// Gives every window a handle that stays with it, and lists the running
// show's window when the file does not.
void StandInHost::normaliseWindows()
{
    QJsonArray list = root_.value("windows").toArray();
    long long next = 1;
    bool showListed = false;
    for (const QJsonValue &value : list) {
        const QJsonObject w = value.toObject();
        if (w.contains("handle"))
            next = std::max(next, w.value("handle").toInteger() + 1);
        showListed = showListed || isShowWindowTitle(w.value("title").toString());
    }
    for (int i = 0; i < list.size(); ++i) {
        QJsonObject w = list.at(i).toObject();
        if (!w.contains("handle")) {
            w["handle"] = qint64(next++);
            list[i] = w;
        }
    }
    if (showRunning() && !showListed) {
        list.prepend(QJsonObject{{"handle", qint64(next++)},
                                 {"title", showWindowTitle()},
                                 {"rect", slideShowObject().value("window")},
                                 {"visible", true},
                                 {"enabled", true}});
    }
    root_["windows"] = list;
}

int StandInHost::windowIndex(long long handle) const
{
    const QJsonArray list = root_.value("windows").toArray();
    for (int i = 0; i < list.size(); ++i)
        if (list.at(i).toObject().value("handle").toInteger() == handle)
            return i;
    return -1;
}

void StandInHost::changeWindow(long long handle, const std::function<void(QJsonObject &)> &change)
{
    const int i = windowIndex(handle);
    if (i < 0)
        fail("Invalid window handle " + std::to_string(handle) + ".");
    QJsonArray list = root_.value("windows").toArray();
    QJsonObject w = list.at(i).toObject();
    change(w);
    list[i] = w;
    root_["windows"] = list;
}

void StandInHost::moveWindowToFront(int index)
{
    QJsonArray list = root_.value("windows").toArray();
    const QJsonValue w = list.at(index);
    list.removeAt(index);
    list.prepend(w);
    root_["windows"] = list;
}

std::vector<HostWindow> StandInHost::windows()
{
    reloadIfChanged();
    std::vector<HostWindow> out;
    if (!root_.value("running").toBool(true))
        return out;
    for (const QJsonValue &value : root_.value("windows").toArray()) {
        const QJsonObject w = value.toObject();
        HostWindow window;
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

void StandInHost::setWindowEnabled(long long handle, bool enabled)
{
    reloadIfChanged();
    changeWindow(handle, [&](QJsonObject &w) { w["enabled"] = enabled; });
    save();
}

void StandInHost::raiseWindow(long long handle)
{
    reloadIfChanged();
    const int i = windowIndex(handle);
    if (i < 0)
        fail("Invalid window handle " + std::to_string(handle) + ".");
    moveWindowToFront(i);
    save();
}

void StandInHost::activateWindow(long long handle)
{
    reloadIfChanged();
    const int i = windowIndex(handle);
    if (i < 0)
        fail("Invalid window handle " + std::to_string(handle) + ".");
    root_["activeWindow"] = root_.value("windows").toArray().at(i).toObject().value("title");
    moveWindowToFront(i);
    save();
}

void StandInHost::restoreWindow(long long handle)
{
    reloadIfChanged();
    changeWindow(handle, [&](QJsonObject &w) { w["minimised"] = false; });
    save();
}

void StandInHost::moveWindow(long long handle, const PixelRect &rect)
{
    reloadIfChanged();
    bool isShow = false;
    changeWindow(handle, [&](QJsonObject &w) {
        w["rect"] = hostjson::rectValue(rect);
        isShow = isShowWindowTitle(w.value("title").toString());
    });
    if (isShow && showRunning()) {
        QJsonObject show = slideShowObject();
        show["window"] = hostjson::rectValue(rect);
        root_["slideShow"] = show;
    }
    save();
}

void StandInHost::closeWindow(long long handle)
{
    reloadIfChanged();
    const int i = windowIndex(handle);
    if (i < 0)
        fail("Invalid window handle " + std::to_string(handle) + ".");
    QJsonArray list = root_.value("windows").toArray();
    const bool isShow = isShowWindowTitle(list.at(i).toObject().value("title").toString());
    list.removeAt(i);
    root_["windows"] = list;
    if (isShow) {
        QJsonObject show = slideShowObject();
        show["running"] = false;
        root_["slideShow"] = show;
    }
    save();
}

} // namespace quiz
