#include "adapters/impress/impressshowuno.h"

#include "adapters/impress/impressactions.h"
#include "adapters/impress/impressuno.h"
#include "adapters/impress/quizshapeaction.h"
#include "adapters/impress/quizshapeform.h"

#include <com/sun/star/awt/XWindow2.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/beans/XPropertySetInfo.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/drawing/XDrawPage.hpp>
#include <com/sun/star/drawing/XDrawPagesSupplier.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/presentation/ClickAction.hpp>
#include <com/sun/star/presentation/XPresentation2.hpp>
#include <com/sun/star/presentation/XPresentationSupplier.hpp>
#include <com/sun/star/presentation/XSlideShowController.hpp>
#include <com/sun/star/util/XModifiable.hpp>

#include <cstdlib>
#include <filesystem>

namespace quiz
{

using namespace impressuno;

namespace
{

struct ClickOf {
    presentation::ClickAction action = presentation::ClickAction_NONE;
    std::string bookmark;
    std::string description;
};

bool clickOf(const Reference<beans::XPropertySet> &props, ClickOf *click)
{
    if (!props.is() || !props->getPropertySetInfo()->hasPropertyByName("OnClick"))
        return false;
    OUString bookmark, description;
    props->getPropertyValue("OnClick") >>= click->action;
    props->getPropertyValue("Bookmark") >>= bookmark;
    if (props->getPropertySetInfo()->hasPropertyByName("Description"))
        props->getPropertyValue("Description") >>= description;
    click->bookmark = toStd(bookmark);
    click->description = toStd(description);
    return true;
}

} // namespace

struct ImpressShow::Office : OfficeConnection {
    Reference<frame::XModel> model() const { return activePresentation(desktop); }

    Reference<container::XIndexAccess> pages(const Reference<frame::XModel> &model) const
    {
        Reference<drawing::XDrawPagesSupplier> supplier(model, UNO_QUERY_THROW);
        return Reference<container::XIndexAccess>(supplier->getDrawPages(), UNO_QUERY_THROW);
    }

    Reference<presentation::XPresentation2> show(const Reference<frame::XModel> &model) const
    {
        Reference<presentation::XPresentationSupplier> supplier(model, UNO_QUERY_THROW);
        return Reference<presentation::XPresentation2>(supplier->getPresentation(), UNO_QUERY_THROW);
    }
};

// Turns the office's failures into ShowError; a closed connection or a
// broken bridge also drops the connection.
#define OFFICE_CALL(...)                                                                                     \
    do {                                                                                                     \
        if (!office_)                                                                                        \
            throw ShowError("not attached to LibreOffice Impress");                                          \
        try {                                                                                                \
            __VA_ARGS__                                                                                      \
        } catch (const lang::DisposedException &) {                                                          \
            detach();                                                                                        \
            throw ShowError("the connection to LibreOffice Impress was closed: the office has ended");       \
        } catch (const uno::RuntimeException &error) {                                                       \
            detach();                                                                                        \
            throw ShowError("LibreOffice Impress failed: " + toStd(error.Message));                          \
        } catch (const uno::Exception &error) {                                                              \
            throw ShowError("LibreOffice Impress refused: " + toStd(error.Message));                         \
        }                                                                                                    \
    } while (false)

ImpressShow::ImpressShow(std::string description) : description_(std::move(description)) {}

ImpressShow::~ImpressShow() = default;

bool ImpressShow::attach(std::string *error)
{
    if (office_)
        return true;
    try {
        office_ = std::make_unique<Office>(Office{connectOffice(description_)});
        return true;
    } catch (const uno::Exception &failure) {
        if (error)
            *error = notAnswering(description_, failure);
    }
    return false;
}

void ImpressShow::detach()
{
    office_.reset();
}

ImpressShow::State ImpressShow::state()
{
    State state;
    OFFICE_CALL({
        const Reference<frame::XModel> model = office_->model();
        if (!model.is())
            return state;
        state.documentUrl = toStd(model->getURL());
        const Reference<presentation::XPresentation2> show = office_->show(model);
        const Reference<presentation::XSlideShowController> controller = show->getController();
        if (!show->isRunning() || !controller.is())
            return state;
        state.running = true;
        // The controller's own index skips hidden slides; its slide object does not.
        const Reference<uno::XInterface> current(controller->getCurrentSlide(), UNO_QUERY);
        const Reference<container::XIndexAccess> pages = office_->pages(model);
        for (sal_Int32 i = 0; i < pages->getCount(); ++i)
            if (Reference<uno::XInterface>(pages->getByIndex(i), UNO_QUERY) == current)
                state.slide = i + 1;
    });
    return state;
}

bool ImpressShow::gotoNextSlide()
{
    OFFICE_CALL({
        const Reference<frame::XModel> model = office_->model();
        if (!model.is())
            return false;
        const Reference<presentation::XPresentation2> show = office_->show(model);
        const Reference<presentation::XSlideShowController> controller = show->getController();
        if (!show->isRunning() || !controller.is())
            return false;
        controller->gotoNextSlide();
        return true;
    });
    return false;
}

bool ImpressShow::documentWindowShown()
{
    OFFICE_CALL({
        const Reference<frame::XModel> model = office_->model();
        const Reference<frame::XController> controller = model.is() ? model->getCurrentController() : nullptr;
        const Reference<frame::XFrame> frame = controller.is() ? controller->getFrame() : nullptr;
        const Reference<awt::XWindow2> window(frame.is() ? frame->getContainerWindow() : nullptr, UNO_QUERY);
        return window.is() && window->isVisible();
    });
    return false;
}

void ImpressShow::start(int slide)
{
    OFFICE_CALL({
        const Reference<frame::XModel> model = office_->model();
        if (!model.is())
            throw ShowError("no presentation is open");
        const Reference<container::XIndexAccess> pages = office_->pages(model);
        if (slide < 1 || slide > pages->getCount())
            throw ShowError("the presentation has no slide " + std::to_string(slide));
        const Reference<presentation::XPresentation2> show = office_->show(model);
        Reference<beans::XPropertySet>(show, UNO_QUERY_THROW)
            ->setPropertyValue(
                "FirstPage",
                uno::Any(toOu(nameOf(Reference<uno::XInterface>(pages->getByIndex(slide - 1), UNO_QUERY)))));
        show->start();
    });
}

std::vector<std::string> ImpressShow::quizWordsOn(int slide)
{
    std::vector<std::string> words;
    OFFICE_CALL({
        const Reference<frame::XModel> model = office_->model();
        if (!model.is())
            return words;
        const Reference<container::XIndexAccess> pages = office_->pages(model);
        if (slide < 1 || slide > pages->getCount())
            return words;
        const Reference<container::XIndexAccess> shapes(pages->getByIndex(slide - 1), UNO_QUERY_THROW);
        for (sal_Int32 i = 0; i < shapes->getCount(); ++i) {
            const Reference<uno::XInterface> shape(shapes->getByIndex(i), UNO_QUERY);
            ClickOf click;
            if (isQuizShapeName(nameOf(shape)) &&
                clickOf(Reference<beans::XPropertySet>(shape, UNO_QUERY), &click) &&
                // A shape whose clicks the show reports to the controller has no action meanwhile.
                (click.action == presentation::ClickAction_MACRO ||
                 click.action == presentation::ClickAction_NONE) &&
                click.bookmark.find(kRunQuizShapeMacro) != std::string::npos && !click.description.empty())
                words.push_back(click.description);
        }
    });
    return words;
}

int ImpressShow::convertImportedQuizShapes()
{
    int changed = 0;
    OFFICE_CALL({
        const Reference<frame::XModel> model = office_->model();
        if (!model.is())
            return 0;
        const Reference<util::XModifiable> modifiable(model, UNO_QUERY);
        const bool wasModified = modifiable.is() && modifiable->isModified();
        const Reference<container::XIndexAccess> pages = office_->pages(model);
        for (sal_Int32 p = 0; p < pages->getCount(); ++p) {
            const Reference<container::XIndexAccess> shapes(pages->getByIndex(p), UNO_QUERY_THROW);
            for (sal_Int32 i = 0; i < shapes->getCount(); ++i) {
                const Reference<beans::XPropertySet> props(shapes->getByIndex(i), UNO_QUERY);
                ClickOf click;
                if (!isQuizShapeName(nameOf(props)) || !clickOf(props, &click))
                    continue;
                const ClickKind kind = click.action == presentation::ClickAction_PROGRAM ? ClickKind::Program
                                       : click.action == presentation::ClickAction_DOCUMENT
                                           ? ClickKind::Document
                                           : ClickKind::Other;
                const std::string words = importedQuizShapeWords(kind, click.bookmark);
                if (words.empty())
                    continue;
                props->setPropertyValue("OnClick", uno::Any(presentation::ClickAction_MACRO));
                props->setPropertyValue("Bookmark", uno::Any(toOu(kQuizShapeMacroUrl)));
                props->setPropertyValue("Description", uno::Any(toOu(words)));
                ++changed;
            }
        }
        // The presenter is not asked to save what only the program changed.
        if (changed && modifiable.is() && !wasModified)
            modifiable->setModified(false);
    });
    return changed;
}

std::string ImpressShow::folder()
{
    OFFICE_CALL({
        const Reference<frame::XModel> model = office_->model();
        const std::string path = model.is() ? fileUrlToPath(toStd(model->getURL())) : std::string();
        return path.empty() ? path : std::filesystem::path(path).parent_path().string();
    });
    return {};
}

} // namespace quiz
