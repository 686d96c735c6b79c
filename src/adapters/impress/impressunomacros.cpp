// The add-in's macros with LibreOffice Impress, carried out by the host itself
// (docs/impress.md).

#include "adapters/impress/impressunomacros.h"

#include "adapters/impress/impressunohost.h"
#include "adapters/impress/impressunooffice.h"
#include "adapters/impress/quizshapeaction.h"
#include "core/common/fileutil.h"
#include "core/common/text.h"
#include "core/quiz/quizrounds.h"
#include "core/setup/votesource.h"

#include <chrono>
#include <filesystem>

namespace quiz
{

namespace
{

// The quiz shape's place: the slide's bottom right corner, 3 cm by 1.2 cm.
constexpr sal_Int32 kQuizShapeWidth = 3000, kQuizShapeHeight = 1200, kQuizShapeMargin = 500;

} // namespace

bool ImpressHostMacros::waitForShow(bool running)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while ((host_.slideShowWindowCount() > 0) != running) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

void ImpressHostMacros::findVoteSlides()
{
    const std::string presentation = host_.activePresentationPath();
    if (presentation.empty())
        fail("FindVoteSlides : The presentation has not been saved.");
    const std::string path =
        joinPath(std::filesystem::path(presentation).parent_path().string(), "quizslds.txt");
    if (!writeFileAtomic(path, VoteSlidesText(host_)))
        throw HostError(70, kSource, "Permission denied: " + path);
}

void ImpressHostMacros::startShowEdit(const std::vector<std::string> &args)
{
    const int count = host_.slideCount();
    if (count == 0)
        fail("SlideShowSettings.Run : The presentation has no slides.");
    int slide = args.empty() ? 1 : leadingInt(args[0]);
    if (slide < 1 || slide > count)
        slide = 1;
    if (host_.slideShowWindowCount() > 0) {
        host_.goToSlide(slide);
        return;
    }
    host_.startShow(slide);
    if (!waitForShow(true))
        fail("SlideShowSettings.Run : The slide show did not start.");
}

void ImpressHostMacros::endShowEdit()
{
    if (host_.slideShowWindowCount() == 0)
        return;
    host_.endShow();
    waitForShow(false);
}

// A "QUIZ" shape on the slide being worked on (the one the show shows, else
// the one selected) whose click runs the program on the quiz; a quiz shape of
// the same quiz file there is given the action again instead.
void ImpressHostMacros::addVoteToSlide(const std::vector<std::string> &args)
{
    if (args.empty() || args[0].empty())
        fail("AddVoteToSlide : No quiz file named.");
    const std::string &quizFile = args[0];
    int slideIndex =
        host_.slideShowWindowCount() > 0 ? host_.slideShowCurrentSlide() : host_.selectedSlideIndex();
    if (slideIndex < 1)
        slideIndex = 1;
    const HostSlide slide = host_.slide(slideIndex);
    // The slide's shapes in the page's order.
    int existing = -1;
    for (size_t i = 0; i < slide.shapes.size() && existing < 0; ++i)
        if (toUpper(slide.shapes[i].name) == "QUIZ" &&
            iequals(quizFileOfRunString(slide.shapes[i].runString), quizFile))
            existing = static_cast<int>(i);
    guarded(host_.thread_, host_.office_ != nullptr, [&] {
        const Reference<drawing::XDrawPage> page = host_.office_->page(slideIndex);
        Reference<drawing::XShape> shape;
        if (existing >= 0) {
            shape.set(page->getByIndex(existing), UNO_QUERY_THROW);
        } else {
            Reference<lang::XMultiServiceFactory> factory(host_.office_->model(), UNO_QUERY_THROW);
            shape.set(factory->createInstance("com.sun.star.drawing.RectangleShape"), UNO_QUERY_THROW);
            page->add(shape);
            sal_Int32 width = 0, height = 0;
            propsOf(page)->getPropertyValue("Width") >>= width;
            propsOf(page)->getPropertyValue("Height") >>= height;
            shape->setSize(awt::Size(kQuizShapeWidth, kQuizShapeHeight));
            shape->setPosition(awt::Point(width - kQuizShapeWidth - kQuizShapeMargin,
                                          height - kQuizShapeHeight - kQuizShapeMargin));
            Reference<text::XTextRange>(shape, UNO_QUERY_THROW)->setString("Quiz");
            Reference<container::XNamed>(shape, UNO_QUERY_THROW)->setName("QUIZ");
        }
        const Reference<beans::XPropertySet> props = propsOf(shape);
        props->setPropertyValue("OnClick", uno::Any(presentation::ClickAction_MACRO));
        props->setPropertyValue("Bookmark", uno::Any(OUString::createFromAscii(kQuizShapeMacroUrl)));
        props->setPropertyValue("Description", uno::Any(toOu(quizShapeWords(quizFile))));
        host_.office_->showAgain(page);
    });
}

} // namespace quiz
