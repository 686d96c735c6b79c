#include "core/display/insertplacement.h"

#include "ports/presentationhost.h"

#include <filesystem>
#include <stdexcept>

namespace quiz
{

SlideRect insertedChartRect(double pageWidth, double pageHeight, const DisplayArea &area)
{
    // The area's fractions are single precision; the products are not.
    return SlideRect{pageWidth * static_cast<double>(area.left), pageHeight * static_cast<double>(area.top),
                     pageWidth * static_cast<double>(area.width) + 20,
                     pageHeight * static_cast<double>(area.height) + 8};
}

namespace
{

// Runs one step; error 70 removes a shape left by an earlier insertion and
// tries again (a bounded number of times); any other failure moves on.
void insertionStep(PresentationHost *host, int slideIndex, const std::function<void()> &body)
{
    for (int attempts = 0;; ++attempts) {
        try {
            if (!host)
                throw std::runtime_error("no presentation program");
            body();
            return;
        } catch (const HostError &error) {
            if (error.number() != 70 || attempts >= kInsertPermissionRetries || !host)
                return;
            try {
                host->deleteShape(slideIndex, insertedChartName);
            } catch (const std::exception &) {
            }
        } catch (const std::exception &) {
            return;
        }
    }
}

} // namespace

void InsertChartIntoSlide(PresentationHost *host, int slideIndex, const DisplayArea &area,
                          const std::function<std::string()> &writePicture)
{
    insertionStep(host, slideIndex, [&] {
        if (!host->attach())
            throw std::runtime_error("the presentation program is not running");
        const std::string path = host->activePresentationPath();
        if (!path.empty())
            std::filesystem::current_path(std::filesystem::path(path).parent_path());
    });

    SlideRect rect;
    insertionStep(host, slideIndex,
                  [&] { rect = insertedChartRect(host->pageWidth(), host->pageHeight(), area); });

    std::string pastedName;
    insertionStep(host, slideIndex, [&] { pastedName = host->pastePicture(slideIndex, writePicture()); });

    HostShape shape;
    shape.left = rect.left;
    shape.top = rect.top;
    shape.width = rect.width;
    shape.height = rect.height;
    shape.name = insertedChartName;
    shape.visible = false;
    // Without a pasted shape there is nothing to place.
    insertionStep(host, slideIndex, [&] {
        if (pastedName.empty())
            throw std::runtime_error("no picture was pasted");
        host->updateShape(slideIndex, pastedName, shape);
    });
    shape.visible = true;
    insertionStep(host, slideIndex, [&] {
        if (pastedName.empty())
            throw std::runtime_error("no picture was pasted");
        host->updateShape(slideIndex, insertedChartName, shape);
    });
}

} // namespace quiz
