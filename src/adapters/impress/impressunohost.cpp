#include "adapters/impress/impressunohost.h"

#include "adapters/impress/impressactions.h"
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

#include <cstdlib>
#include <filesystem>

using namespace css;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;
using rtl::OString;
using rtl::OUString;

namespace quiz
{

namespace
{

const char *const kSource = "LibreOffice Impress";
constexpr int kFailed = -2147467259; // the number of a failed automation call

OUString toOu(const std::string &text)
{
    return OUString(text.data(), static_cast<sal_Int32>(text.size()), RTL_TEXTENCODING_UTF8);
}

std::string toStd(const OUString &text)
{
    const OString utf8 = OUStringToOString(text, RTL_TEXTENCODING_UTF8);
    return std::string(utf8.getStr(), static_cast<size_t>(utf8.getLength()));
}

[[noreturn]] void fail(const std::string &description)
{
    throw HostError(kFailed, kSource, description);
}

// The office's own component context, made once per process. Without the
// office API's types the remote Desktop cannot be described and the process
// stops, so they are named before the first bootstrap.
Reference<uno::XComponentContext> localContext()
{
    static Reference<uno::XComponentContext> context = [] {
        setenv("URE_MORE_TYPES", "file://" QUIZ_OFFICE_PROGRAM "/types/offapi.rdb", 0);
        return cppu::defaultBootstrap_InitialComponentContext(
            OUString::createFromAscii("file://" QUIZ_OFFICE_PROGRAM "/unorc"));
    }();
    return context;
}

Reference<beans::XPropertySet> propsOf(const Reference<uno::XInterface> &object)
{
    return Reference<beans::XPropertySet>(object, UNO_QUERY);
}

bool hasProperty(const Reference<beans::XPropertySet> &props, const char *name)
{
    return props.is() && props->getPropertySetInfo()->hasPropertyByName(OUString::createFromAscii(name));
}

std::string nameOf(const Reference<uno::XInterface> &object)
{
    Reference<container::XNamed> named(object, UNO_QUERY);
    return named.is() ? toStd(named->getName()) : std::string();
}

ClickKind clickKindOf(presentation::ClickAction action)
{
    if (action == presentation::ClickAction_PROGRAM)
        return ClickKind::Program;
    if (action == presentation::ClickAction_DOCUMENT)
        return ClickKind::Document;
    return ClickKind::Other;
}

} // namespace

struct ImpressHost::Office {
    Reference<uno::XComponentContext> context;
    Reference<frame::XDesktop2> desktop;

    // The active presentation: the current component when it is one, else the
    // first open component that is.
    Reference<frame::XModel> model() const
    {
        Reference<presentation::XPresentationSupplier> current(desktop->getCurrentComponent(), UNO_QUERY);
        if (current.is())
            return Reference<frame::XModel>(current, UNO_QUERY_THROW);
        const std::vector<Reference<frame::XModel>> all = presentations();
        if (all.empty())
            fail("Application (unknown member) : Invalid request. There is no active presentation.");
        return all.front();
    }

    std::vector<Reference<frame::XModel>> presentations() const
    {
        std::vector<Reference<frame::XModel>> found;
        Reference<container::XEnumeration> each = desktop->getComponents()->createEnumeration();
        while (each->hasMoreElements()) {
            Reference<presentation::XPresentationSupplier> supplier(each->nextElement(), UNO_QUERY);
            if (supplier.is())
                found.emplace_back(supplier, UNO_QUERY_THROW);
        }
        return found;
    }

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

namespace
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

} // namespace

#define OFFICE(...) guarded(thread_, office_ != nullptr, [&] __VA_ARGS__)

std::string ImpressHost::connectionDescription(const std::string &impressOption)
{
    if (!impressOption.empty())
        return impressOption;
    const char *env = std::getenv("TALVIX_IMPRESS");
    return env && *env ? env : "pipe,name=talvix_impress";
}

ImpressHost::ImpressHost(std::string description)
    : description_(std::move(description)), thread_(std::this_thread::get_id())
{
}

ImpressHost::~ImpressHost() = default;

bool ImpressHost::attach()
{
    if (office_)
        return true;
    try {
        const Reference<bridge::XUnoUrlResolver> resolver = bridge::UnoUrlResolver::create(localContext());
        auto office = std::make_unique<Office>();
        office->context.set(
            resolver->resolve(toOu("uno:" + description_ + ";urp;StarOffice.ComponentContext")),
            UNO_QUERY_THROW);
        office->desktop = frame::Desktop::create(office->context);
        office_ = std::move(office);
        attachError_.clear();
        return true;
    } catch (const uno::Exception &error) {
        attachError_ =
            "LibreOffice Impress does not answer at \"" + description_ + "\": " + toStd(error.Message);
    }
    return false;
}

std::string ImpressHost::addinFolder(const std::string &addinName)
{
    if (const char *folder = std::getenv("TALVIX_ADDIN_FOLDER"); folder && *folder)
        return folder;
    if (programPath_.empty())
        fail("Item " + addinName + " not found in the AddIns collection.");
    return std::filesystem::path(programPath_).parent_path().string();
}

int ImpressHost::presentationCount()
{
    return OFFICE({ return static_cast<int>(office_->presentations().size()); });
}

std::string ImpressHost::activePresentationPath()
{
    return OFFICE({ return fileUrlToPath(toStd(office_->model()->getURL())); });
}

double ImpressHost::pageWidth()
{
    return OFFICE({
        sal_Int32 width = 0;
        propsOf(office_->page(1))->getPropertyValue("Width") >>= width;
        return hundredthsMmToPoints(width);
    });
}

double ImpressHost::pageHeight()
{
    return OFFICE({
        sal_Int32 height = 0;
        propsOf(office_->page(1))->getPropertyValue("Height") >>= height;
        return hundredthsMmToPoints(height);
    });
}

int ImpressHost::activeWindowViewType()
{
    return OFFICE({
        // The drawing view is the normal view (9); notes and handouts have
        // their pages' view types (3, 4).
        Reference<beans::XPropertySet> view(office_->model()->getCurrentController(), UNO_QUERY);
        drawing::DrawViewMode mode = drawing::DrawViewMode_DRAW;
        if (hasProperty(view, "DrawViewMode"))
            view->getPropertyValue("DrawViewMode") >>= mode;
        return mode == drawing::DrawViewMode_NOTES ? 3 : mode == drawing::DrawViewMode_HANDOUT ? 4 : 9;
    });
}

int ImpressHost::selectedSlideIndex()
{
    return OFFICE({
        Reference<drawing::XDrawView> view(office_->model()->getCurrentController(), UNO_QUERY);
        if (!view.is())
            fail("Application (unknown member) : Invalid request. There is no active window.");
        return office_->indexOf(view->getCurrentPage());
    });
}

int ImpressHost::slideCount()
{
    return OFFICE({ return static_cast<int>(office_->pages()->getCount()); });
}

HostSlide ImpressHost::slide(int index)
{
    return OFFICE({
        const Reference<drawing::XDrawPage> page = office_->page(index);
        const std::string slideName = nameOf(page);
        const std::map<std::string, std::string> tags = office_->tagProperties();
        HostSlide slide;
        slide.tags = tagsOf(tags, slideName, "");
        for (sal_Int32 i = 0; i < page->getCount(); ++i) {
            Reference<drawing::XShape> each(page->getByIndex(i), UNO_QUERY);
            if (!each.is())
                continue;
            Reference<text::XTextRange> text(each, UNO_QUERY);
            const std::string content = text.is() ? toStd(text->getString()) : std::string();
            if (each->getShapeType() == "com.sun.star.presentation.TitleTextShape")
                slide.title = content;
            else if (!content.empty())
                slide.text += content + "\r";

            HostShape shape;
            shape.name = nameOf(each);
            shape.tags = tagsOf(tags, slideName, shape.name);
            const Reference<beans::XPropertySet> props = propsOf(each);
            if (hasProperty(props, "OnClick")) {
                presentation::ClickAction action = presentation::ClickAction_NONE;
                OUString bookmark;
                props->getPropertyValue("OnClick") >>= action;
                props->getPropertyValue("Bookmark") >>= bookmark;
                shape.runString = runStringOfClickAction(clickKindOf(action), toStd(bookmark));
            }
            if (hasProperty(props, "Visible"))
                props->getPropertyValue("Visible") >>= shape.visible;
            const awt::Point position = each->getPosition();
            const awt::Size size = each->getSize();
            shape.left = hundredthsMmToPoints(position.X);
            shape.top = hundredthsMmToPoints(position.Y);
            shape.width = hundredthsMmToPoints(size.Width);
            shape.height = hundredthsMmToPoints(size.Height);
            slide.shapes.push_back(std::move(shape));
        }
        return slide;
    });
}

void ImpressHost::setSlideTitle(int index, const std::string &title)
{
    OFFICE({
        const Reference<drawing::XDrawPage> page = office_->page(index);
        for (sal_Int32 i = 0; i < page->getCount(); ++i) {
            Reference<drawing::XShape> each(page->getByIndex(i), UNO_QUERY);
            Reference<text::XTextRange> text(each, UNO_QUERY);
            if (each.is() && text.is() &&
                each->getShapeType() == "com.sun.star.presentation.TitleTextShape") {
                text->setString(toOu(title));
                return;
            }
        }
        fail("Shapes.Title : Invalid request. The slide has no title.");
    });
}

void ImpressHost::setSlideTag(int index, const std::string &tagName, const std::string &value)
{
    OFFICE({ office_->setTag(slideTagProperty(nameOf(office_->page(index)), tagName), &value); });
}

void ImpressHost::deleteShapeTag(int slideIndex, const std::string &shapeName, const std::string &tagName)
{
    OFFICE({
        office_->shape(slideIndex, shapeName);
        office_->setTag(shapeTagProperty(nameOf(office_->page(slideIndex)), shapeName, tagName), nullptr);
    });
}

int ImpressHost::slideShowWindowCount()
{
    return OFFICE({ return office_->show()->isRunning() ? 1 : 0; });
}

int ImpressHost::slideShowCurrentSlide()
{
    return OFFICE({
        // The controller counts only the slides in the show; its current
        // slide object says which page of the document that is.
        const Reference<presentation::XPresentation2> show = office_->show();
        const Reference<presentation::XSlideShowController> controller = show->getController();
        if (!show->isRunning() || !controller.is())
            fail("SlideShowWindows.Item : Integer out of range. 1 is not in the valid range of 1 to 0.");
        return office_->indexOf(controller->getCurrentSlide());
    });
}

PixelRect ImpressHost::slideShowWindowRect()
{
    fail("The show window's rectangle comes from the window system with LibreOffice Impress.");
}

int ImpressHost::slideShowPointerType()
{
    return pointerType_;
}

void ImpressHost::setSlideShowPointerType(int type)
{
    // The window system hides the pointer over the show; the office keeps its own.
    pointerType_ = type;
}

void ImpressHost::captureSlideShow(const std::string &)
{
    fail("The show window is captured by the window system with LibreOffice Impress.");
}

std::string ImpressHost::pastePicture(int slideIndex, const std::string &imagePath)
{
    return OFFICE({
        const Reference<drawing::XDrawPage> page = office_->page(slideIndex);
        Reference<lang::XMultiServiceFactory> factory(office_->model(), UNO_QUERY_THROW);
        Reference<drawing::XShape> picture(factory->createInstance("com.sun.star.drawing.GraphicObjectShape"),
                                           UNO_QUERY_THROW);
        beans::PropertyValue url;
        url.Name = "URL";
        url.Value <<= toOu(pathToFileUrl(imagePath));
        const Reference<graphic::XGraphicProvider> provider =
            graphic::GraphicProvider::create(office_->context);
        const Reference<graphic::XGraphic> graphic =
            provider->queryGraphic(uno::Sequence<beans::PropertyValue>(&url, 1));
        if (!graphic.is())
            fail("Shapes.Paste : cannot read the picture " + imagePath + ".");
        page->add(picture);
        propsOf(picture)->setPropertyValue("Graphic", uno::Any(graphic));
        awt::Size size;
        if (Reference<beans::XPropertySet> info(graphic, UNO_QUERY);
            hasProperty(info, "Size100thMM") && (info->getPropertyValue("Size100thMM") >>= size) &&
            size.Width > 0)
            picture->setSize(size);
        // Named as the presentation program names pasted pictures.
        std::string name;
        for (int n = page->getCount();; ++n) {
            name = "Picture " + std::to_string(n);
            bool taken = false;
            for (sal_Int32 i = 0; i < page->getCount() && !taken; ++i)
                taken = nameOf(Reference<uno::XInterface>(page->getByIndex(i), UNO_QUERY)) == name;
            if (!taken)
                break;
        }
        Reference<container::XNamed>(picture, UNO_QUERY_THROW)->setName(toOu(name));
        return name;
    });
}

void ImpressHost::updateShape(int slideIndex, const std::string &shapeName, const HostShape &shape)
{
    OFFICE({
        const Reference<drawing::XShape> target = office_->shape(slideIndex, shapeName);
        target->setPosition(awt::Point(static_cast<sal_Int32>(pointsToHundredthsMm(shape.left)),
                                       static_cast<sal_Int32>(pointsToHundredthsMm(shape.top))));
        target->setSize(awt::Size(static_cast<sal_Int32>(pointsToHundredthsMm(shape.width)),
                                  static_cast<sal_Int32>(pointsToHundredthsMm(shape.height))));
        if (const Reference<beans::XPropertySet> props = propsOf(target); hasProperty(props, "Visible"))
            props->setPropertyValue("Visible", uno::Any(shape.visible));
        if (!shape.name.empty())
            Reference<container::XNamed>(target, UNO_QUERY_THROW)->setName(toOu(shape.name));
    });
}

void ImpressHost::deleteShape(int slideIndex, const std::string &shapeName)
{
    OFFICE({ office_->page(slideIndex)->remove(office_->shape(slideIndex, shapeName)); });
}

void ImpressHost::runMacro(const std::string &name, const std::vector<std::string> &)
{
    fail("Application.Run : the macro " + name + " is not available with LibreOffice Impress yet.");
}

void ImpressHost::startShow(int slideIndex)
{
    OFFICE({
        const Reference<presentation::XPresentation2> show = office_->show();
        propsOf(show)->setPropertyValue("FirstPage", uno::Any(toOu(nameOf(office_->page(slideIndex)))));
        show->start();
    });
}

void ImpressHost::endShow()
{
    OFFICE({ office_->show()->end(); });
}

void ImpressHost::goToSlide(int slideIndex)
{
    OFFICE({
        const Reference<presentation::XSlideShowController> controller = office_->show()->getController();
        if (!controller.is())
            fail("SlideShowWindows.Item : Integer out of range. 1 is not in the valid range of 1 to 0.");
        controller->gotoSlide(office_->page(slideIndex));
    });
}

// The office's windows are found, stacked, shielded and captured by the X11
// window system through their titles; the office is not asked for them.
std::vector<HostWindow> ImpressHost::windows()
{
    return {};
}

void ImpressHost::setWindowEnabled(long long, bool)
{
    fail("LibreOffice Impress's windows are not its to enable.");
}
void ImpressHost::raiseWindow(long long)
{
    fail("LibreOffice Impress's windows are raised by the window system.");
}
void ImpressHost::activateWindow(long long)
{
    fail("LibreOffice Impress's windows are activated by the window system.");
}
void ImpressHost::restoreWindow(long long)
{
    fail("LibreOffice Impress's windows are restored by the window system.");
}
void ImpressHost::moveWindow(long long, const PixelRect &)
{
    fail("LibreOffice Impress's windows are moved by the window system.");
}
void ImpressHost::closeWindow(long long)
{
    fail("LibreOffice Impress's windows are closed by the window system.");
}

HostTitlePatterns ImpressHost::titlePatterns()
{
    HostTitlePatterns patterns;
    patterns.anyWindow = "*LibreOffice*";
    patterns.mainWindow = "* - LibreOffice Impress";
    patterns.showWindow = "Presenting: *";
    patterns.mainWindowTitle = "LibreOffice Impress";
    patterns.showWindowTitle = "Presenting:";
    return patterns;
}

} // namespace quiz
