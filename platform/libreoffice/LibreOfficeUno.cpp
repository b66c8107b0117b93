#include "platform/libreoffice/LibreOfficeUno.h"

#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/drawing/XDrawPagesSupplier.hpp>
#include <com/sun/star/presentation/XPresentationSupplier.hpp>
#include <com/sun/star/util/CloseVetoException.hpp>
#include <com/sun/star/util/XCloseable.hpp>

#include <QFileInfo>
#include <QUrl>

Q_LOGGING_CATEGORY(lcLibreOffice, "stagor.libreoffice")

using namespace css;
using css::uno::Any;
using css::uno::Sequence;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;
using rtl::OUString;

namespace LibreOfficeUno {

OUString toUno(const QString& text)
{
    return OUString(reinterpret_cast<const sal_Unicode*>(text.utf16()), sal_Int32(text.size()));
}

QString fromUno(const OUString& text)
{
    return QString(reinterpret_cast<const QChar*>(text.getStr()), text.getLength());
}

OUString fileUrl(const QString& path)
{
    return toUno(
        QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded));
}

beans::PropertyValue property(const char* name, const Any& value)
{
    beans::PropertyValue result;
    result.Name = OUString::createFromAscii(name);
    result.Value = value;
    return result;
}

Sequence<beans::PropertyValue> properties(const std::vector<beans::PropertyValue>& list)
{
    return Sequence<beans::PropertyValue>(list.data(), sal_Int32(list.size()));
}

Reference<presentation::XPresentation2> presentationOf(const Reference<lang::XComponent>& doc)
{
    Reference<presentation::XPresentationSupplier> supplier(doc, UNO_QUERY_THROW);
    return Reference<presentation::XPresentation2>(supplier->getPresentation(), UNO_QUERY_THROW);
}

Reference<drawing::XDrawPages> pagesOf(const Reference<lang::XComponent>& doc)
{
    return Reference<drawing::XDrawPagesSupplier>(doc, UNO_QUERY_THROW)->getDrawPages();
}

Reference<beans::XPropertySet> pageProperties(const Reference<drawing::XDrawPages>& pages,
                                              int index)
{
    return Reference<beans::XPropertySet>(pages->getByIndex(index), UNO_QUERY_THROW);
}

int slideNumberOf(const Reference<drawing::XDrawPage>& page)
{
    sal_Int32 number = 0;
    Reference<beans::XPropertySet>(page, UNO_QUERY_THROW)->getPropertyValue("Number") >>= number;
    return number;
}

int viewCountOf(const Reference<frame::XModel2>& model)
{
    if (!model.is())
        return 0;
    int count = 0;
    const Reference<container::XEnumeration> views = model->getControllers();
    while (views->hasMoreElements()) {
        views->nextElement();
        ++count;
    }
    return count;
}

void closeDocument(const Reference<lang::XComponent>& doc)
{
    Reference<util::XCloseable> closeable(doc, UNO_QUERY);
    try {
        if (closeable.is()) {
            closeable->close(true);
            return;
        }
    } catch (const util::CloseVetoException&) {
        // A running show may veto; the document must go all the same.
    }
    doc->dispose();
}

std::vector<Reference<lang::XComponent>>
presentationsOpenIn(const Reference<frame::XDesktop2>& desktop)
{
    std::vector<Reference<lang::XComponent>> open;
    const Reference<container::XEnumeration> components =
        desktop->getComponents()->createEnumeration();
    while (components->hasMoreElements()) {
        Reference<lang::XComponent> doc(components->nextElement(), UNO_QUERY);
        if (Reference<presentation::XPresentationSupplier>(doc, UNO_QUERY).is())
            open.push_back(doc);
    }
    return open;
}

} // namespace LibreOfficeUno
