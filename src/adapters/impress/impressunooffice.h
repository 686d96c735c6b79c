#pragma once

// What the LibreOffice Impress host's sources share: the office's API, the
// host's view of the office and the guard around every call into it.

#include "adapters/impress/impressactions.h"
#include "adapters/impress/impressuno.h"
#include "adapters/impress/impressunohost.h"
#include "core/common/runend.h"

#include <com/sun/star/beans/PropertyAttribute.hpp>
#include <com/sun/star/beans/XPropertyContainer.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/beans/XPropertySetInfo.hpp>
#include <com/sun/star/bridge/UnoUrlResolver.hpp>
#include <com/sun/star/bridge/XUnoUrlResolver.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/document/XDocumentProperties.hpp>
#include <com/sun/star/document/XDocumentPropertiesSupplier.hpp>
#include <com/sun/star/drawing/DrawViewMode.hpp>
#include <com/sun/star/drawing/XDrawPage.hpp>
#include <com/sun/star/drawing/XDrawPagesSupplier.hpp>
#include <com/sun/star/drawing/XDrawView.hpp>
#include <com/sun/star/drawing/XShape.hpp>
#include <com/sun/star/drawing/XShapes.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/graphic/GraphicProvider.hpp>
#include <com/sun/star/graphic/XGraphic.hpp>
#include <com/sun/star/graphic/XGraphicProvider.hpp>
#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/presentation/ClickAction.hpp>
#include <com/sun/star/presentation/XPresentation2.hpp>
#include <com/sun/star/presentation/XPresentationSupplier.hpp>
#include <com/sun/star/presentation/XSlideShowController.hpp>
#include <com/sun/star/text/XTextRange.hpp>
#include <cppuhelper/bootstrap.hxx>

#include <chrono>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace quiz
{

// The office's names come from impressuno.h's namespace.
using namespace impressuno;

namespace impressuno
{

inline const char *const kSource = "LibreOffice Impress";
inline constexpr int kFailed = -2147467259; // the number of a failed automation call

[[noreturn]] inline void fail(const std::string &description)
{
    throw HostError(kFailed, kSource, description);
}

inline ClickKind clickKindOf(presentation::ClickAction action)
{
    if (action == presentation::ClickAction_PROGRAM)
        return ClickKind::Program;
    if (action == presentation::ClickAction_DOCUMENT)
        return ClickKind::Document;
    return ClickKind::Other;
}

} // namespace impressuno

using namespace impressuno;

struct ImpressHost::Office : OfficeConnection {
    // The active presentation (see activePresentation).
    Reference<frame::XModel> model() const
    {
        const Reference<frame::XModel> active = activePresentation(desktop);
        if (!active.is())
            fail("Application (unknown member) : Invalid request. There is no active presentation.");
        return active;
    }

    std::vector<Reference<frame::XModel>> presentations() const { return openPresentations(desktop); }

    Reference<container::XIndexAccess> pages() const
    {
        Reference<drawing::XDrawPagesSupplier> supplier(model(), UNO_QUERY_THROW);
        return Reference<container::XIndexAccess>(supplier->getDrawPages(), UNO_QUERY_THROW);
    }

    Reference<drawing::XDrawPage> page(int index) const
    {
        const Reference<container::XIndexAccess> all = pages();
        const int count = all->getCount();
        if (index < 1 || index > count)
            fail("Slides.Item : Integer out of range. " + std::to_string(index) +
                 " is not in the valid range of 1 to " + std::to_string(count) + ".");
        return Reference<drawing::XDrawPage>(all->getByIndex(index - 1), UNO_QUERY_THROW);
    }

    // 1-based document position of a page; 0 when it is none of them.
    int indexOf(const Reference<drawing::XDrawPage> &page) const
    {
        if (!page.is())
            return 0;
        const Reference<container::XIndexAccess> all = pages();
        for (sal_Int32 i = 0; i < all->getCount(); ++i)
            if (Reference<drawing::XDrawPage>(all->getByIndex(i), UNO_QUERY) == page)
                return i + 1;
        return 0;
    }

    Reference<drawing::XShape> shape(int slideIndex, const std::string &name) const
    {
        const Reference<drawing::XDrawPage> slide = page(slideIndex);
        for (sal_Int32 i = 0; i < slide->getCount(); ++i) {
            Reference<drawing::XShape> each(slide->getByIndex(i), UNO_QUERY);
            if (each.is() && nameOf(each) == name)
                return each;
        }
        fail("Shapes (unknown member) : Item " + name + " not found in the Shapes collection.");
    }

    Reference<presentation::XPresentation2> show() const
    {
        Reference<presentation::XPresentationSupplier> supplier(model(), UNO_QUERY_THROW);
        return Reference<presentation::XPresentation2>(supplier->getPresentation(), UNO_QUERY_THROW);
    }

    // A running show on that page shows it anew, so that a change made
    // during the show appears (not always: docs/impress.md). Requests are
    // kept a second apart, so that one does not come while the show is
    // still drawing the page for the last.
    void showAgain(const Reference<drawing::XDrawPage> &page)
    {
        const Reference<presentation::XPresentation2> running = show();
        const Reference<presentation::XSlideShowController> controller =
            running->isRunning() ? running->getController() : Reference<presentation::XSlideShowController>();
        if (!controller.is() || controller->getCurrentSlide() != page)
            return;
        std::this_thread::sleep_until(lastShownAgain + std::chrono::seconds(1));
        controller->gotoSlide(page);
        lastShownAgain = std::chrono::steady_clock::now();
    }
    std::chrono::steady_clock::time_point lastShownAgain;

    Reference<beans::XPropertyContainer> userProperties() const
    {
        Reference<document::XDocumentPropertiesSupplier> supplier(model(), UNO_QUERY_THROW);
        return supplier->getDocumentProperties()->getUserDefinedProperties();
    }

    std::map<std::string, std::string> tagProperties() const
    {
        std::map<std::string, std::string> found;
        Reference<beans::XPropertySet> props(userProperties(), UNO_QUERY_THROW);
        const uno::Sequence<beans::Property> all = props->getPropertySetInfo()->getProperties();
        for (const beans::Property &property : all) {
            OUString value;
            if (property.Name.startsWith("TalvixTag|") && (props->getPropertyValue(property.Name) >>= value))
                found[toStd(property.Name)] = toStd(value);
        }
        return found;
    }

    void setTag(const std::string &name, const std::string *value) const
    {
        const Reference<beans::XPropertyContainer> container = userProperties();
        Reference<beans::XPropertySet> props(container, UNO_QUERY_THROW);
        const bool exists = props->getPropertySetInfo()->hasPropertyByName(toOu(name));
        if (!value) {
            if (exists)
                container->removeProperty(toOu(name));
        } else if (exists) {
            props->setPropertyValue(toOu(name), uno::Any(toOu(*value)));
        } else {
            container->addProperty(toOu(name), beans::PropertyAttribute::REMOVABLE, uno::Any(toOu(*value)));
        }
    }
};

namespace impressuno
{

// Runs one call into the office on the host's thread, turning the office's
// failures into the port's: a closed connection ends the run.
template <class F> auto guarded(const std::thread::id &thread, bool connected, F call) -> decltype(call())
{
    if (std::this_thread::get_id() != thread)
        fail("LibreOffice Impress is reached only from the thread that attached it.");
    if (!connected)
        fail("Application (unknown member) : LibreOffice Impress is not attached.");
    try {
        return call();
    } catch (const lang::DisposedException &) {
        endRun(0, "the connection to LibreOffice Impress was closed: the office has ended");
    } catch (const uno::Exception &error) {
        fail(toStd(error.Message));
    }
}

} // namespace impressuno

#define OFFICE(...) guarded(thread_, office_ != nullptr, [&] __VA_ARGS__)

} // namespace quiz
