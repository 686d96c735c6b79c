#include "adapters/impress/impressquestionslide.h"
#include "adapters/impress/impressunomacros.h"
#include "adapters/impress/impressunooffice.h"

#include "adapters/impress/quizshapeaction.h"

#include <filesystem>

namespace quiz
{

std::string ImpressHost::connectionDescription(const std::string &impressOption,
                                               const std::string &fromEnvironment)
{
    if (!impressOption.empty())
        return impressOption;
    return fromEnvironment.empty() ? kDefaultConnection : fromEnvironment;
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
        office_ = std::make_unique<Office>(Office{connectOffice(description_)});
        attachError_.clear();
        return true;
    } catch (const uno::Exception &error) {
        attachError_ = notAnswering(description_, error);
    }
    return false;
}

std::string ImpressHost::addinFolder(const std::string &addinName)
{
    if (!addinFolder_.empty())
        return addinFolder_;
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
                OUString bookmark, words;
                props->getPropertyValue("OnClick") >>= action;
                props->getPropertyValue("Bookmark") >>= bookmark;
                if (action == presentation::ClickAction_MACRO && isQuizShapeMacro(toStd(bookmark)) &&
                    (props->getPropertyValue("Description") >>= words))
                    shape.runString = quizShapeRunString(programPath_, toStd(words));
                else
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
        // Read at once: a running show draws a picture still to be read as nothing.
        uno::Sequence<beans::PropertyValue> media(2);
        media.getArray()[0].Name = "URL";
        media.getArray()[0].Value <<= toOu(pathToFileUrl(imagePath));
        media.getArray()[1].Name = "LazyRead";
        media.getArray()[1].Value <<= false;
        const Reference<graphic::XGraphicProvider> provider =
            graphic::GraphicProvider::create(office_->context);
        const Reference<graphic::XGraphic> graphic = provider->queryGraphic(media);
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
        // The caller places the picture next; a running show shows it then.
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
        bool visible = true;
        if (const Reference<beans::XPropertySet> props = propsOf(target);
            hasProperty(props, "Visible") && (props->getPropertyValue("Visible") >>= visible) &&
            visible != shape.visible)
            props->setPropertyValue("Visible", uno::Any(shape.visible));
        if (!shape.name.empty())
            Reference<container::XNamed>(target, UNO_QUERY_THROW)->setName(toOu(shape.name));
        if (shape.visible)
            office_->showAgain(office_->page(slideIndex));
    });
}

void ImpressHost::deleteShape(int slideIndex, const std::string &shapeName)
{
    OFFICE({ office_->page(slideIndex)->remove(office_->shape(slideIndex, shapeName)); });
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

void ImpressHost::putVoteShape(int slideIndex, const std::string &runString)
{
    OFFICE({
        const Reference<drawing::XDrawPage> page = office_->page(slideIndex);
        putVoteShapeOnPage(office_->model(), page, runString);
        office_->showAgain(page);
    });
}

void ImpressHost::setSlideText(int slideIndex, const std::string &title,
                               const std::vector<std::string> &lines)
{
    OFFICE({
        const Reference<drawing::XDrawPage> page = office_->page(slideIndex);
        writeQuestionText(office_->model(), page, title, lines);
        office_->showAgain(page);
    });
}

void ImpressHost::runMacro(const std::string &name, const std::vector<std::string> &args)
{
    ImpressHostMacros actions(*this);
    if (!runHostMacro(actions, name, args))
        fail("Macro " + name + " cannot be found.");
}

// The office's windows are found, stacked, shielded and captured by the X11
// window system through their titles; the office is not asked for them.
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
