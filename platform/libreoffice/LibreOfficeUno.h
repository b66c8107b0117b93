#pragma once

// Small helpers for the UNO side of the LibreOffice back end. UNO types appear in this header,
// so only the back end's own .cpp files include it (the UNO include folders are private to it).

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/drawing/XDrawPage.hpp>
#include <com/sun/star/drawing/XDrawPages.hpp>
#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/frame/XModel2.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/presentation/XPresentation2.hpp>

#include <QLoggingCategory>
#include <QString>

#include <vector>

Q_DECLARE_LOGGING_CATEGORY(lcLibreOffice)

namespace LibreOfficeUno {

using css::uno::Reference;

rtl::OUString toUno(const QString& text);
QString fromUno(const rtl::OUString& text);
// The file: URL of a local path, made absolute.
rtl::OUString fileUrl(const QString& path);

css::beans::PropertyValue property(const char* name, const css::uno::Any& value);
// Debian's SDK lacks Sequence's initializer-list constructor.
css::uno::Sequence<css::beans::PropertyValue>
properties(const std::vector<css::beans::PropertyValue>& list);

Reference<css::presentation::XPresentation2>
presentationOf(const Reference<css::lang::XComponent>& doc);
Reference<css::drawing::XDrawPages> pagesOf(const Reference<css::lang::XComponent>& doc);
Reference<css::beans::XPropertySet> pageProperties(const Reference<css::drawing::XDrawPages>& pages,
                                                   int index);
// The page's own 1-based number, hidden slides counted.
int slideNumberOf(const Reference<css::drawing::XDrawPage>& page);
// The windows (views) open on a document; a show adds one while it runs.
int viewCountOf(const Reference<css::frame::XModel2>& model);

// Closes doc without saving, even when a running show vetoes.
void closeDocument(const Reference<css::lang::XComponent>& doc);
// Presentations open in the office, whoever opened them.
std::vector<Reference<css::lang::XComponent>>
presentationsOpenIn(const Reference<css::frame::XDesktop2>& desktop);

} // namespace LibreOfficeUno
