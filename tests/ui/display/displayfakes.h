#pragma once

#include "fakes/presentationfakes.h"

#include <QImage>

#include <functional>
#include <string>
#include <vector>

namespace quiz::test {

// A presentation program that records what the insertion and the capture do
// to it, and can be told to fail.
class DisplayHost : public FakeHost {
public:
    struct Update {
        std::string shapeName;
        HostShape shape;
    };
    std::vector<std::string> pasted;  // the picture files handed over
    std::vector<QImage> pastedImages; // read at the time of the paste
    std::vector<Update> updates;
    std::vector<std::string> deleted;
    std::vector<std::string> log; // every call in order: "paste", "update", "delete"
    PixelRect showRect{0, 0, 800, 600};
    QImage showPicture;
    int showWindows = 1;
    // Called before each update; may throw.
    std::function<void(const std::string &shapeName, const HostShape &)> onUpdate;

    std::string pastePicture(int slideIndex, const std::string &imagePath) override
    {
        log.push_back("paste " + std::to_string(slideIndex));
        pasted.push_back(imagePath);
        pastedImages.push_back(QImage(QString::fromStdString(imagePath)));
        return "Picture 5";
    }
    void updateShape(int slideIndex, const std::string &shapeName, const HostShape &shape) override
    {
        log.push_back("update " + std::to_string(slideIndex) + " " + shapeName);
        if (onUpdate)
            onUpdate(shapeName, shape);
        updates.push_back({shapeName, shape});
    }
    void deleteShape(int slideIndex, const std::string &shapeName) override
    {
        log.push_back("delete " + std::to_string(slideIndex) + " " + shapeName);
        deleted.push_back(shapeName);
    }
    int slideShowWindowCount() override { return showWindows; }
    PixelRect slideShowWindowRect() override { return showRect; }
    void captureSlideShow(const std::string &path) override { showPicture.save(QString::fromStdString(path)); }
};

} // namespace quiz::test
