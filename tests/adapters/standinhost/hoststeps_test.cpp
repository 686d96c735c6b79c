// The stand-in host driven by the blocks of standinhost/steps.txt on a copy of
// standinhost/host.json: "do: OP | ARGS" runs a step, "is: OP | ARGS | TEXT"
// compares its result, "throws: OP | ARGS" expects a HostError. Results that
// name files write the host file's folder as {folder}.

#include "adapters/standinhost/standinhost.h"
#include "adapters/standinhost/standinhostwindows.h"
#include "support/rows.h"
#include "support/testfolder.h"

#include <QColor>
#include <QDir>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <regex>

namespace quiz
{
namespace
{

using Cells = std::vector<std::string>;

std::string join(const std::vector<std::string> &items, const char *separator = ", ")
{
    std::string out;
    for (const auto &item : items)
        out += (out.empty() ? "" : separator) + item;
    return out;
}

std::string tags(const std::map<std::string, std::string> &map)
{
    std::vector<std::string> items;
    for (const auto &[k, v] : map)
        items.push_back(k + "=" + v);
    return map.empty() ? "" : " {" + join(items) + "}";
}

std::string rect(const PixelRect &r)
{
    return join(
        {std::to_string(r.left), std::to_string(r.top), std::to_string(r.width), std::to_string(r.height)},
        ",");
}

std::string number(double v)
{
    return QString::number(v).toStdString(); // six significant digits, as a stream writes it
}

// A presentation folder like the demo's (standinhost/host.json): six slides,
// four of them voting slides, a results slide with a quiz, a running show on
// the results slide.
class HostSteps : public ::testing::TestWithParam<test::Block>
{
  protected:
    void SetUp() override
    {
        std::filesystem::copy_file(test::dataPath("standinhost/host.json"), path("host.json"));
        writePicture("slides/2.png", 80, 60, Qt::red);
        writePicture("slides/6.png", 80, 60, Qt::blue);
        host = openHost();
    }
    std::unique_ptr<StandInHost> openHost()
    {
        std::string error;
        auto opened = StandInHost::open(path("host.json"), &error);
        EXPECT_TRUE(opened) << error;
        return opened;
    }
    void writePicture(const std::string &relative, int w, int h, QColor colour)
    {
        std::filesystem::create_directories(std::filesystem::path(path(relative)).parent_path());
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(colour);
        EXPECT_TRUE(image.save(QString::fromStdString(path(relative))));
    }
    std::string path(const std::string &name) const { return (folder.path() / name).string(); }

    long long windowTitled(const std::string &prefix)
    {
        for (const WindowInfo &w : StandInHostWindows(*host).windows())
            if (w.title.rfind(prefix, 0) == 0)
                return w.handle;
        return 4242; // no such window
    }

    std::string step(const Cells &c)
    {
        const std::string &op = c.at(0);
        const auto arg = [&](size_t i) { return std::stoi(c.at(i)); };
        const auto real = [&](size_t i) { return std::stod(c.at(i)); };
        if (op == "macro")
            host->runMacro(c.at(1), Cells(c.begin() + 2, c.end()));
        else if (op == "program")
            host->setProgramPath(c.at(1));
        else if (op == "reopen")
            host = openHost();
        else if (op == "open") { // a host file of the folder ("": none named), or why it is refused
            std::string error;
            return StandInHost::open(c.at(1).empty() ? "" : path(c.at(1)), &error) ? "opened" : error;
        } else if (op == "picture")
            writePicture(c.at(1), arg(2), arg(3), QColor(QString::fromStdString(c.at(4))));
        else if (op == "write")
            folder.write(c.at(1), c.at(2));
        else if (op == "edit")
            folder.write("host.json",
                         std::regex_replace(folder.read("host.json"), std::regex(c.at(1)), c.at(2)));
        else if (op == "file")
            return folder.read(c.at(1));
        else if (op == "files") {
            std::vector<std::string> names;
            for (const auto &entry : std::filesystem::directory_iterator(folder.path()))
                names.push_back(entry.path().filename().string());
            std::sort(names.begin(), names.end());
            return join(names);
        } else if (op == "exists")
            return std::filesystem::exists(path(c.at(1))) ? "yes" : "no";
        else if (op == "json") {
            QJsonValue node =
                QJsonDocument::fromJson(QByteArray::fromStdString(folder.read("host.json"))).object();
            for (const QString &key : QString::fromStdString(c.at(1)).split('.'))
                node = node.isArray() ? node.toArray()[key.toInt()] : node.toObject()[key];
            return node.isString() ? node.toString().toStdString() : std::to_string(node.toInt());
        } else if (op == "count")
            return std::to_string(host->presentationCount());
        else if (op == "presentation")
            return join({std::to_string(host->presentationCount()), host->activePresentationPath(),
                         number(host->pageWidth()), number(host->pageHeight()),
                         std::to_string(host->activeWindowViewType()),
                         std::to_string(host->selectedSlideIndex()), std::to_string(host->slideCount())});
        else if (op == "addin")
            return host->addinFolder(c.at(1));
        else if (op == "slide") {
            const HostSlide s = host->slide(arg(1));
            std::vector<std::string> shapes;
            for (const HostShape &h : s.shapes)
                shapes.push_back(h.name + (h.runString.empty() ? "" : "=" + h.runString) + tags(h.tags) +
                                 (h.width > 0 ? " at " + join({number(h.left), number(h.top), number(h.width),
                                                               number(h.height)},
                                                              ",")
                                              : "") +
                                 (h.visible ? "" : " hidden"));
            return s.title + tags(s.tags) + ": " + join(shapes, "; ");
        } else if (op == "title")
            host->setSlideTitle(arg(1), c.at(2));
        else if (op == "tag")
            host->setSlideTag(arg(1), c.at(2), c.at(3));
        else if (op == "untag")
            host->deleteShapeTag(arg(1), c.at(2), c.at(3));
        else if (op == "paste")
            return host->pastePicture(arg(1), path(c.at(2)));
        else if (op == "update")
            host->updateShape(arg(1), c.at(2),
                              HostShape{c.at(3), "", {}, real(4), real(5), real(6), real(7), true});
        else if (op == "delete")
            host->deleteShape(arg(1), c.at(2));
        else if (op == "show") {
            const int count = host->slideShowWindowCount();
            return count == 0 ? "none"
                              : std::to_string(count) + " window, slide " +
                                    std::to_string(host->slideShowCurrentSlide()) + " at " +
                                    rect(host->slideShowWindowRect()) + ", pointer " +
                                    std::to_string(host->slideShowPointerType());
        } else if (op == "slide shown")
            return std::to_string(host->slideShowCurrentSlide());
        else if (op == "pointer")
            host->setSlideShowPointerType(arg(1));
        else if (op == "windows") {
            std::vector<std::string> items;
            for (const WindowInfo &w : StandInHostWindows(*host).windows())
                items.push_back(w.title + " at " + rect(w.rect) + (w.enabled ? "" : " disabled"));
            return join(items, "; ");
        } else if (op == "enable")
            StandInHostWindows(*host).setWindowEnabled(windowTitled(c.at(1)), c.at(2) == "1");
        else if (op == "raise")
            StandInHostWindows(*host).raiseWindow(windowTitled(c.at(1)));
        else if (op == "activate")
            StandInHostWindows(*host).activateWindow(windowTitled(c.at(1)));
        else if (op == "close")
            StandInHostWindows(*host).closeWindow(windowTitled(c.at(1)));
        else if (op == "move") {
            const auto r = test::splitTrimmed(c.at(2));
            StandInHostWindows(*host).moveWindow(
                windowTitled(c.at(1)), {std::stoi(r[0]), std::stoi(r[1]), std::stoi(r[2]), std::stoi(r[3])});
        } else if (op == "capture")
            host->captureSlideShow(path(c.at(1)));
        else if (op == "pixel") {
            const QImage image(QString::fromStdString(path(c.at(1))));
            return std::to_string(image.width()) + "x" + std::to_string(image.height()) + " " +
                   image.pixelColor(arg(2), arg(3)).name().toStdString();
        } else
            ADD_FAILURE() << "no step " << op;
        return "";
    }

    test::TestFolder folder;
    std::unique_ptr<StandInHost> host;
};

TEST_P(HostSteps, Replay)
{
    const std::string base = QDir(QString::fromStdString(folder.str())).canonicalPath().toStdString();
    for (const auto &[key, cells] : GetParam().lines) {
        SCOPED_TRACE(key + ": " + join(cells, " | "));
        if (key == "do")
            step(cells);
        else if (key == "is") {
            const std::string got =
                std::regex_replace(step(Cells(cells.begin(), cells.end() - 1)), std::regex(base), "{folder}");
            EXPECT_EQ(got, cells.back());
        } else if (key == "throws") {
            EXPECT_THROW(step(cells), HostError);
        } else
            ADD_FAILURE() << "unknown directive \"" << key << "\"";
    }
    const auto &lines = GetParam().lines;
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const auto &l) { return l.first != "do"; }))
        << "a block without any expectation";
}
QUIZ_BLOCKS(HostSteps, "standinhost/steps.txt");

} // namespace
} // namespace quiz
