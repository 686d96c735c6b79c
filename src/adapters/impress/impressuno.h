#pragma once

// What every source that talks to the office shares: text conversion, the
// process's own UNO context, properties and names, and the connection.

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/beans/XPropertySetInfo.hpp>
#include <com/sun/star/bridge/UnoUrlResolver.hpp>
#include <com/sun/star/bridge/XUnoUrlResolver.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/presentation/XPresentationSupplier.hpp>
#include <cppuhelper/bootstrap.hxx>

#include <cstdlib>
#include <string>
#include <vector>

namespace quiz::impressuno
{

// Only the adapter's own sources include this header.
using namespace css;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;
using rtl::OString;
using rtl::OUString;

inline OUString toOu(const std::string &text)
{
    return OUString(text.data(), static_cast<sal_Int32>(text.size()), RTL_TEXTENCODING_UTF8);
}

inline std::string toStd(const OUString &text)
{
    const OString utf8 = OUStringToOString(text, RTL_TEXTENCODING_UTF8);
    return std::string(utf8.getStr(), static_cast<size_t>(utf8.getLength()));
}

// The office's own component context, made once per process. Without the
// office API's types the remote Desktop cannot be described and the process
// stops, so they are named before the first bootstrap.
inline Reference<uno::XComponentContext> localContext()
{
    static Reference<uno::XComponentContext> context = [] {
        setenv("URE_MORE_TYPES", "file://" QUIZ_OFFICE_PROGRAM "/types/offapi.rdb", 0);
        return cppu::defaultBootstrap_InitialComponentContext(
            OUString::createFromAscii("file://" QUIZ_OFFICE_PROGRAM "/unorc"));
    }();
    return context;
}

inline Reference<beans::XPropertySet> propsOf(const Reference<uno::XInterface> &object)
{
    return Reference<beans::XPropertySet>(object, UNO_QUERY);
}

inline bool hasProperty(const Reference<beans::XPropertySet> &props, const char *name)
{
    return props.is() && props->getPropertySetInfo()->hasPropertyByName(OUString::createFromAscii(name));
}

inline std::string nameOf(const Reference<uno::XInterface> &object)
{
    Reference<container::XNamed> named(object, UNO_QUERY);
    return named.is() ? toStd(named->getName()) : std::string();
}

// The office at a UNO connection description (`pipe,name=...`); throws the
// office's exception when nothing answers there.
struct OfficeConnection {
    Reference<uno::XComponentContext> context;
    Reference<frame::XDesktop2> desktop;
};

inline OfficeConnection connectOffice(const std::string &description)
{
    const Reference<bridge::XUnoUrlResolver> resolver = bridge::UnoUrlResolver::create(localContext());
    OfficeConnection office;
    office.context.set(resolver->resolve(toOu("uno:" + description + ";urp;StarOffice.ComponentContext")),
                       UNO_QUERY_THROW);
    office.desktop = frame::Desktop::create(office.context);
    return office;
}

// Every open presentation, in the office's order.
inline std::vector<Reference<frame::XModel>> openPresentations(const Reference<frame::XDesktop2> &desktop)
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

// The active presentation: the current component when it is one (it can be
// empty or another document), else the first open one; empty when none is open.
inline Reference<frame::XModel> activePresentation(const Reference<frame::XDesktop2> &desktop)
{
    Reference<presentation::XPresentationSupplier> current(desktop->getCurrentComponent(), UNO_QUERY);
    if (current.is())
        return Reference<frame::XModel>(current, UNO_QUERY_THROW);
    const std::vector<Reference<frame::XModel>> all = openPresentations(desktop);
    return all.empty() ? Reference<frame::XModel>() : all.front();
}

inline std::string notAnswering(const std::string &description, const uno::Exception &error)
{
    return "LibreOffice Impress does not answer at \"" + description + "\": " + toStd(error.Message);
}

} // namespace quiz::impressuno
