#include "platform/libreoffice/LibreOfficeFiles.h"

#include "platform/libreoffice/LibreOfficeConnection.h"
#include "platform/libreoffice/LibreOfficeSession.h"
#include "platform/libreoffice/LibreOfficeUno.h"

#include <com/sun/star/awt/Point.hpp>
#include <com/sun/star/awt/Size.hpp>
#include <com/sun/star/drawing/XShape.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/graphic/GraphicProvider.hpp>
#include <com/sun/star/graphic/XGraphic.hpp>
#include <com/sun/star/graphic/XGraphicProvider.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/presentation/XPresentationSupplier.hpp>
#include <com/sun/star/task/XInteractionAbort.hpp>
#include <com/sun/star/task/XInteractionDisapprove.hpp>
#include <com/sun/star/task/XInteractionHandler.hpp>
#include <com/sun/star/task/XInteractionRequest.hpp>
#include <com/sun/star/util/XModifiable.hpp>
#include <cppuhelper/implbase1.hxx>
#include <rtl/ref.hxx>

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QUrl>

using namespace css;
using namespace LibreOfficeUno;
using css::uno::Any;
using css::uno::Sequence;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;
using rtl::OUString;

namespace {

// Page layout without any placeholders.
constexpr sal_Int16 kBlankLayout = 20;

// Answers every question the office would put to the operator while loading (a password, a
// repair, a document in use) with "no", so that nothing ever comes up on the audience's screen;
// remembers what was asked so that the failure can say why.
class DialogFreeLoading : public cppu::WeakImplHelper1<task::XInteractionHandler>
{
public:
    void SAL_CALL handle(const Reference<task::XInteractionRequest>& request) override
    {
        const QString asked = fromUno(request->getRequest().getValueTypeName());
        if (asked.contains(QStringLiteral("Password")))
            m_refusal = QStringLiteral("it needs a password");
        else if (m_refusal.isEmpty())
            m_refusal = QStringLiteral("the presentation program refused it");
        const Sequence<Reference<task::XInteractionContinuation>> answers =
            request->getContinuations();
        for (const auto& answer : answers) {
            if (Reference<task::XInteractionAbort>(answer, UNO_QUERY).is()) {
                answer->select();
                return;
            }
        }
        for (const auto& answer : answers) {
            if (Reference<task::XInteractionDisapprove>(answer, UNO_QUERY).is()) {
                answer->select();
                return;
            }
        }
    }
    const QString& refusal() const { return m_refusal; }

private:
    QString m_refusal;
};

// folder/base + extension, or with " 2", " 3" ... after base when that is taken.
QString freeFileName(const QString& folder, const QString& base, const QString& extension)
{
    const QString stem = QDir(folder).filePath(base);
    QString path = stem + extension;
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = stem + QLatin1Char(' ') + QString::number(n) + extension;
    return path;
}

} // namespace

PresentationResult<int> LibreOfficeFiles::open(const QString& path, bool hidden)
{
    // The office answers a missing file with a bare exception; say what is wrong instead.
    if (!QFileInfo(path).isFile())
        return presentationFailure<int>(QStringLiteral("File not found: ") + path);
    const PresentationStatus started = m_session.ensureRunning();
    if (!started.ok())
        return presentationFailure<int>(started.error());
    LibreOfficeConnection& office = m_session.connection();
    // A lock file (left by a crashed office, or held by another copy of the same file) makes a
    // hidden load fail without a word and a visible one wait on a "Document in Use" dialog
    // that nobody answers. Read-only loading passes it; saving back then fails, which the
    // caller hears about.
    const QFileInfo info(path);
    const bool locked = QFileInfo::exists(info.absolutePath() + "/.~lock." + info.fileName() + "#");
    const rtl::Reference<DialogFreeLoading> questions = new DialogFreeLoading;
    std::vector<beans::PropertyValue> args = {
        property("Hidden", Any(hidden)),
        property("InteractionHandler", Any(Reference<task::XInteractionHandler>(questions.get())))};
    if (locked)
        args.push_back(property("ReadOnly", Any(true)));
    Reference<lang::XComponent> doc;
    try {
        doc = office.desktop->loadComponentFromURL(fileUrl(path), "_blank", 0, properties(args));
    } catch (const uno::Exception&) {
        if (!m_session.isConnected())
            throw;
    }
    if (!doc.is())
        return presentationFailure<int>(
            QStringLiteral("The presentation program could not open %1: %2")
                .arg(QFileInfo(path).fileName(),
                     questions->refusal().isEmpty()
                         ? QStringLiteral("it is damaged or not a presentation")
                         : questions->refusal()));
    // Anything the office can read opens; only presentations are wanted here.
    if (!Reference<presentation::XPresentationSupplier>(doc, UNO_QUERY).is()) {
        closeDocument(doc);
        return presentationFailure<int>(QStringLiteral("Not a presentation: ") + path);
    }
    return office.add(doc);
}

PresentationResult<int> LibreOfficeFiles::buildFromPictures(const QStringList& picturePaths,
                                                            bool hidden,
                                                            PresentationApp::PictureFit fit)
{
    if (picturePaths.isEmpty())
        return presentationFailure<int>(QStringLiteral("No pictures to build a presentation from"));
    for (const QString& picture : picturePaths) {
        if (!QImageReader(picture).canRead())
            return presentationFailure<int>(QStringLiteral("Not a picture: ") + picture);
    }
    const PresentationStatus started = m_session.ensureRunning();
    if (!started.ok())
        return presentationFailure<int>(started.error());
    LibreOfficeConnection& office = m_session.connection();
    const Reference<lang::XComponent> doc = office.desktop->loadComponentFromURL(
        "private:factory/simpress", "_blank", 0, properties({property("Hidden", Any(hidden))}));
    if (!doc.is())
        return presentationFailure<int>(
            QStringLiteral("The presentation program could not create a "
                           "presentation"));
    const int id = office.add(doc);

    const Reference<drawing::XDrawPages> pages = pagesOf(doc);
    sal_Int32 slideWidth = 0;
    sal_Int32 slideHeight = 0;
    pageProperties(pages, 0)->getPropertyValue("Width") >>= slideWidth;
    pageProperties(pages, 0)->getPropertyValue("Height") >>= slideHeight;
    const Reference<graphic::XGraphicProvider> provider =
        graphic::GraphicProvider::create(office.remote);
    const Reference<lang::XMultiServiceFactory> factory(doc, UNO_QUERY_THROW);

    for (int i = 0; i < picturePaths.size(); ++i) {
        const Reference<drawing::XDrawPage> page =
            i == 0 ? Reference<drawing::XDrawPage>(pages->getByIndex(0), UNO_QUERY_THROW)
                   : pages->insertNewByIndex(i - 1);
        Reference<beans::XPropertySet>(page, UNO_QUERY_THROW)
            ->setPropertyValue("Layout", Any(kBlankLayout));
        const Reference<graphic::XGraphic> graphic =
            provider->queryGraphic(properties({property("URL", Any(fileUrl(picturePaths[i])))}));
        if (!graphic.is()) {
            closeDocument(doc);
            office.documents.erase(id);
            return presentationFailure<int>(QStringLiteral("Not a picture: ") + picturePaths[i]);
        }
        const Reference<drawing::XShape> shape(
            factory->createInstance("com.sun.star.drawing.GraphicObjectShape"), UNO_QUERY_THROW);
        Reference<beans::XPropertySet>(shape, UNO_QUERY_THROW)
            ->setPropertyValue("Graphic", Any(graphic));
        page->add(shape);
        if (fit == PresentationApp::PictureFit::Fill) {
            shape->setSize(awt::Size(slideWidth, slideHeight));
            shape->setPosition(awt::Point(0, 0));
            continue;
        }
        // As large as the slide allows, centred, keeping the picture's proportions.
        const QSize pixels = QImageReader(picturePaths[i]).size();
        const double scale =
            std::min(double(slideWidth) / pixels.width(), double(slideHeight) / pixels.height());
        const awt::Size size(sal_Int32(pixels.width() * scale), sal_Int32(pixels.height() * scale));
        shape->setSize(size);
        shape->setPosition(
            awt::Point((slideWidth - size.Width) / 2, (slideHeight - size.Height) / 2));
    }
    return id;
}

const char* LibreOfficeFiles::filterOf(PresentationDocument::FileFormat format)
{
    switch (format) {
    case PresentationDocument::FileFormat::Pdf:
        return "impress_pdf_Export";
    case PresentationDocument::FileFormat::Pptx:
        return "Impress MS PowerPoint 2007 XML";
    case PresentationDocument::FileFormat::Ppt:
        return "MS PowerPoint 97";
    case PresentationDocument::FileFormat::Ppsx:
        return "Impress MS PowerPoint 2007 XML AutoPlay";
    case PresentationDocument::FileFormat::Pps:
        return "MS PowerPoint 97 AutoPlay";
    case PresentationDocument::FileFormat::Odp:
        break;
    }
    return "impress8";
}

const char* LibreOfficeFiles::mediaTypeOf(PresentationDocument::ImageFormat format)
{
    switch (format) {
    case PresentationDocument::ImageFormat::Png:
        break;
    case PresentationDocument::ImageFormat::Jpeg:
        return "image/jpeg";
    case PresentationDocument::ImageFormat::Bmp:
        // "image/bmp" ignores the pixel size.
        return "image/x-MS-bmp";
    case PresentationDocument::ImageFormat::Gif:
        return "image/gif";
    case PresentationDocument::ImageFormat::Emf:
        return "image/x-emf";
    case PresentationDocument::ImageFormat::Wmf:
        return "image/x-wmf";
    }
    return "image/png";
}

PresentationResult<int> LibreOfficeFiles::openPresentationCount()
{
    if (!m_session.isConnected())
        return 0;
    return int(presentationsOpenIn(m_session.connection().desktop).size());
}

PresentationStatus LibreOfficeFiles::closeAll()
{
    if (!m_session.isConnected())
        return presentationOk();
    for (const auto& doc : presentationsOpenIn(m_session.connection().desktop))
        closeDocument(doc);
    m_session.connection().documents.clear();
    return presentationOk();
}

PresentationStatus LibreOfficeFiles::saveAndCloseAll(const QString& untitledFolder)
{
    if (!m_session.isConnected())
        return presentationOk();
    QStringList unsaved;
    for (const auto& doc : presentationsOpenIn(m_session.connection().desktop)) {
        const Reference<frame::XStorable> storable(doc, UNO_QUERY);
        const QString location =
            storable.is() ? QUrl(fromUno(storable->getLocation())).toLocalFile() : QString();
        try {
            const Reference<util::XModifiable> modifiable(doc, UNO_QUERY);
            if (storable.is() && modifiable.is() && modifiable->isModified()) {
                if (storable->hasLocation() && !storable->isReadonly()) {
                    storable->store();
                } else {
                    const QString name = location.isEmpty()
                                             ? QStringLiteral("Presentation")
                                             : QFileInfo(location).completeBaseName();
                    storable->storeAsURL(
                        fileUrl(freeFileName(untitledFolder, name, QStringLiteral(".odp"))),
                        properties({property(
                            "FilterName", Any(OUString::createFromAscii(
                                              filterOf(PresentationDocument::FileFormat::Odp))))}));
                }
            }
        } catch (const uno::Exception&) {
            unsaved << (location.isEmpty() ? QStringLiteral("an untitled presentation")
                                           : QFileInfo(location).fileName());
            continue;
        }
        closeDocument(doc);
        m_session.connection().remove(doc);
    }
    if (!unsaved.isEmpty())
        return PresentationStatus::failure(QStringLiteral("Could not save ") +
                                           unsaved.join(QStringLiteral(", ")) +
                                           QStringLiteral("; it stays open."));
    return presentationOk();
}
