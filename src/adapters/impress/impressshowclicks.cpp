#include "adapters/impress/impressshowclicks.h"

#include "adapters/impress/impressuno.h"
#include "adapters/impress/quizshapeform.h"

#include <com/sun/star/awt/MouseEvent.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/drawing/XDrawPage.hpp>
#include <com/sun/star/drawing/XDrawPagesSupplier.hpp>
#include <com/sun/star/drawing/XShape.hpp>
#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/presentation/ClickAction.hpp>
#include <com/sun/star/presentation/XPresentation2.hpp>
#include <com/sun/star/presentation/XShapeEventListener.hpp>
#include <com/sun/star/presentation/XSlideShow.hpp>
#include <com/sun/star/presentation/XSlideShowController.hpp>
#include <com/sun/star/util/XModifiable.hpp>
#include <cppuhelper/implbase1.hxx>
#include <rtl/ref.hxx>

#include <map>
#include <mutex>

namespace quiz
{

using namespace impressuno;

namespace
{

// Called by the office on the connection's thread: the words are queued for
// the follower's next look.
class ClickListener : public cppu::WeakImplHelper1<presentation::XShapeEventListener>
{
  public:
    void click(const Reference<drawing::XShape> &shape, const awt::MouseEvent &) override
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        const auto found = words_.find(Reference<uno::XInterface>(shape, UNO_QUERY).get());
        if (found != words_.end())
            clicked_.push_back(found->second);
    }
    void SAL_CALL disposing(const lang::EventObject &) override {}

    void add(const Reference<drawing::XShape> &shape, const std::string &words)
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        words_[Reference<uno::XInterface>(shape, UNO_QUERY).get()] = words;
    }
    std::vector<std::string> take()
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        return std::exchange(clicked_, {});
    }

  private:
    std::mutex mutex_;
    std::map<uno::XInterface *, std::string> words_;
    std::vector<std::string> clicked_;
};

std::string wordsOfMacroForm(const Reference<beans::XPropertySet> &props)
{
    if (!props.is() || !hasProperty(props, "OnClick") || !isQuizShapeName(nameOf(props)))
        return "";
    presentation::ClickAction action = presentation::ClickAction_NONE;
    OUString bookmark, words;
    props->getPropertyValue("OnClick") >>= action;
    props->getPropertyValue("Bookmark") >>= bookmark;
    if (hasProperty(props, "Description"))
        props->getPropertyValue("Description") >>= words;
    // No action with the macro's address: left so by a follower that was
    // killed; taken again, and given its action back at the show's end.
    return (action == presentation::ClickAction_MACRO || action == presentation::ClickAction_NONE) &&
                   toStd(bookmark).find(kRunQuizShapeMacro) != std::string::npos
               ? toStd(words)
               : "";
}

} // namespace

struct QuizShapeClicks::Office : OfficeConnection {
    Reference<frame::XModel> model;
    Reference<presentation::XSlideShow> show; // the show followed
    rtl::Reference<ClickListener> listener;
    std::vector<Reference<beans::XPropertySet>> shapes; // their macro taken while followed

    // Gives the shapes their macro again, keeping the document's modified state.
    void letGo()
    {
        const Reference<util::XModifiable> modifiable(model, UNO_QUERY);
        const bool wasModified = modifiable.is() && modifiable->isModified();
        for (const Reference<beans::XPropertySet> &shape : shapes)
            shape->setPropertyValue("OnClick", uno::Any(presentation::ClickAction_MACRO));
        if (modifiable.is() && !wasModified)
            modifiable->setModified(false);
        shapes.clear();
        show.clear();
        listener.clear();
    }
};

QuizShapeClicks::QuizShapeClicks(std::string description) : description_(std::move(description)) {}

QuizShapeClicks::~QuizShapeClicks()
{
    if (!office_ || !office_->show.is())
        return;
    try {
        office_->letGo();
    } catch (const uno::Exception &) {
    }
}

void QuizShapeClicks::poll(const Note &note, const Start &start)
{
    try {
        if (!office_)
            office_ = std::make_unique<Office>(Office{connectOffice(description_), {}, {}, {}, {}});
        Office &office = *office_;
        const Reference<frame::XModel> model = activePresentation(office.desktop);
        const Reference<presentation::XPresentationSupplier> supplier(model, UNO_QUERY);
        const Reference<presentation::XPresentation2> presentation(
            supplier.is() ? supplier->getPresentation() : nullptr, UNO_QUERY);
        const Reference<presentation::XSlideShowController> controller =
            presentation.is() && presentation->isRunning() ? presentation->getController() : nullptr;
        const Reference<presentation::XSlideShow> running =
            controller.is() ? controller->getSlideShow() : nullptr;

        if (office.show.is() && office.show != running) {
            const size_t count = office.shapes.size();
            office.letGo();
            note("the show has ended: " + std::to_string(count) + " QUIZ shape(s) run their macro again");
        }
        if (running.is() && !office.show.is()) {
            office.model = model;
            office.show = running;
            office.listener = new ClickListener;
            const Reference<util::XModifiable> modifiable(model, UNO_QUERY);
            const bool wasModified = modifiable.is() && modifiable->isModified();
            const Reference<container::XIndexAccess> pages(
                Reference<drawing::XDrawPagesSupplier>(model, UNO_QUERY_THROW)->getDrawPages(),
                UNO_QUERY_THROW);
            bool onCurrent = false;
            for (sal_Int32 p = 0; p < pages->getCount(); ++p) {
                const Reference<container::XIndexAccess> page(pages->getByIndex(p), UNO_QUERY_THROW);
                for (sal_Int32 i = 0; i < page->getCount(); ++i) {
                    const Reference<drawing::XShape> shape(page->getByIndex(i), UNO_QUERY);
                    const Reference<beans::XPropertySet> props(shape, UNO_QUERY);
                    const std::string words = wordsOfMacroForm(props);
                    if (words.empty())
                        continue;
                    office.listener->add(shape, words);
                    running->addShapeEventListener(
                        Reference<presentation::XShapeEventListener>(office.listener.get()), shape);
                    props->setPropertyValue("OnClick", uno::Any(presentation::ClickAction_NONE));
                    office.shapes.push_back(props);
                    onCurrent =
                        onCurrent || Reference<uno::XInterface>(page, UNO_QUERY) ==
                                         Reference<uno::XInterface>(controller->getCurrentSlide(), UNO_QUERY);
                }
            }
            if (modifiable.is() && !wasModified)
                modifiable->setModified(false);
            // The slide shown already has its macro's click: shown anew without it.
            if (onCurrent)
                controller->gotoSlide(controller->getCurrentSlide());
            note("following the show: a click on any of its " + std::to_string(office.shapes.size()) +
                 " QUIZ shape(s) starts the quiz here, without the macro");
        }
        if (office.listener.is())
            for (const std::string &words : office.listener->take())
                start(words);
    } catch (const uno::Exception &error) {
        note("the show's clicks cannot be followed: " + toStd(error.Message));
        office_.reset();
    }
}

} // namespace quiz
