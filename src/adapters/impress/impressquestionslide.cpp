#include "adapters/impress/impressquestionslide.h"

#include "adapters/impress/impressunooffice.h"
#include "core/common/text.h"

#include <com/sun/star/document/XUndoManager.hpp>
#include <com/sun/star/document/XUndoManagerSupplier.hpp>
#include <com/sun/star/drawing/FillStyle.hpp>
#include <com/sun/star/drawing/LineStyle.hpp>
#include <com/sun/star/util/XModifiable.hpp>

namespace quiz
{

namespace
{

// The vote shape's place: the slide's bottom left corner, 3 cm by 1.2 cm.
constexpr sal_Int32 kVoteShapeWidth = 3000, kVoteShapeHeight = 1200, kVoteShapeMargin = 500;
constexpr const char *kTitleShape = "com.sun.star.presentation.TitleTextShape";
constexpr const char *kOutlineShape = "com.sun.star.presentation.OutlinerShape";

// Runs a change of the document as one undo step named `title`, then marks
// the document modified.
template <class F> void asOneUndoStep(const Reference<frame::XModel> &model, const char *title, F change)
{
    Reference<document::XUndoManagerSupplier> supplier(model, UNO_QUERY);
    const Reference<document::XUndoManager> undo =
        supplier.is() ? supplier->getUndoManager() : Reference<document::XUndoManager>();
    if (undo.is())
        undo->enterUndoContext(OUString::createFromAscii(title));
    try {
        change();
    } catch (...) {
        if (undo.is())
            undo->leaveUndoContext();
        throw;
    }
    if (undo.is())
        undo->leaveUndoContext();
    if (Reference<util::XModifiable> modifiable(model, UNO_QUERY); modifiable.is())
        modifiable->setModified(true);
}

Reference<drawing::XShape> firstShapeOfType(const Reference<drawing::XDrawPage> &page, const char *type)
{
    for (sal_Int32 i = 0; i < page->getCount(); ++i) {
        Reference<drawing::XShape> each(page->getByIndex(i), UNO_QUERY);
        if (each.is() && each->getShapeType().equalsAscii(type))
            return each;
    }
    return {};
}

Reference<drawing::XShape> newShape(const Reference<frame::XModel> &model,
                                    const Reference<drawing::XDrawPage> &page, const char *service,
                                    awt::Point position, awt::Size size)
{
    Reference<lang::XMultiServiceFactory> factory(model, UNO_QUERY_THROW);
    Reference<drawing::XShape> shape(factory->createInstance(OUString::createFromAscii(service)),
                                     UNO_QUERY_THROW);
    page->add(shape);
    shape->setSize(size);
    shape->setPosition(position);
    return shape;
}

awt::Size pageSize(const Reference<drawing::XDrawPage> &page)
{
    awt::Size size;
    propsOf(page)->getPropertyValue("Width") >>= size.Width;
    propsOf(page)->getPropertyValue("Height") >>= size.Height;
    return size;
}

} // namespace

void putVoteShapeOnPage(const Reference<frame::XModel> &model, const Reference<drawing::XDrawPage> &page,
                        const std::string &runString)
{
    asOneUndoStep(model, "Voting question", [&] {
        Reference<drawing::XShape> shape;
        for (sal_Int32 i = 0; i < page->getCount() && !shape.is(); ++i) {
            Reference<drawing::XShape> each(page->getByIndex(i), UNO_QUERY);
            if (each.is() && toUpper(nameOf(each)) == "VOTE")
                shape = each;
        }
        if (!shape.is()) {
            const awt::Size slide = pageSize(page);
            shape = newShape(model, page, "com.sun.star.drawing.RectangleShape",
                             awt::Point(kVoteShapeMargin, slide.Height - kVoteShapeHeight - kVoteShapeMargin),
                             awt::Size(kVoteShapeWidth, kVoteShapeHeight));
            // Without text (the slide's text holds the options) and not drawn.
            const Reference<beans::XPropertySet> look = propsOf(shape);
            look->setPropertyValue("FillStyle", uno::Any(drawing::FillStyle_NONE));
            look->setPropertyValue("LineStyle", uno::Any(drawing::LineStyle_NONE));
            Reference<container::XNamed>(shape, UNO_QUERY_THROW)->setName("VOTE");
        }
        const Reference<beans::XPropertySet> props = propsOf(shape);
        props->setPropertyValue("OnClick", uno::Any(presentation::ClickAction_PROGRAM));
        props->setPropertyValue("Bookmark", uno::Any(toOu(runString)));
    });
}

void writeQuestionText(const Reference<frame::XModel> &model, const Reference<drawing::XDrawPage> &page,
                       const std::string &title, const std::vector<std::string> &lines)
{
    asOneUndoStep(model, "Voting question text", [&] {
        const awt::Size slide = pageSize(page);
        const sal_Int32 margin = slide.Width / 12;
        if (!title.empty()) {
            Reference<drawing::XShape> shape = firstShapeOfType(page, kTitleShape);
            if (!shape.is())
                shape = newShape(model, page, kTitleShape, awt::Point(margin, margin / 2),
                                 awt::Size(slide.Width - 2 * margin, slide.Height / 6));
            Reference<text::XTextRange>(shape, UNO_QUERY_THROW)->setString(toOu(title));
        }
        // Paragraphs of the body: the office ends each with a line feed.
        std::string body;
        for (const std::string &line : lines)
            body += (body.empty() ? "" : "\n") + line;
        Reference<drawing::XShape> shape = firstShapeOfType(page, kOutlineShape);
        if (!shape.is())
            shape =
                newShape(model, page, "com.sun.star.drawing.TextShape", awt::Point(margin, slide.Height / 4),
                         awt::Size(slide.Width - 2 * margin, slide.Height / 2));
        Reference<text::XTextRange>(shape, UNO_QUERY_THROW)->setString(toOu(body));
    });
}

} // namespace quiz
