#include "setup/widgets/frmSetup.h"

#include "audio/SoundTest.h"
#include "document/BackgroundPresentationsExtractor.h"
#include "document/LiveCastSettings.h"
#include "livecast/LiveCastMenu.h"
#include "livecast/LiveCastModes.h"
#include "platform/DriveTypeSource.h"
#include "platform/PresentationApp.h"
#include "setup/HoldingSlide.h"
#include "setup/LiveCastExportPlan.h"
#include "setup/PopUpSlots.h"
#include "setup/PopUpsFileCommands.h"
#include "setup/QuickLaunchBar.h"
#include "setup/SlideIntake.h"
#include "setup/SpeakerList.h"
#include "setup/ZippedEventExport.h"
#include "setup/widgets/AudioToolsPanel.h"
#include "setup/widgets/HoldingPanel.h"
#include "setup/widgets/PopUpsPanel.h"
#include "setup/widgets/QuickLaunchPanel.h"
#include "setup/widgets/SpeakerListView.h"
#include "setup/widgets/SpeakersPanel.h"
#include "setup/widgets/WidgetNames.h"
#include "setup/widgets/frmClose.h"
#include "setup/widgets/frmCopy.h"
#include "setup/widgets/frmEncoderSettings.h"
#include "setup/widgets/frmExport.h"
#include "setup/widgets/frmExportPptx.h"
#include "setup/widgets/frmExtract.h"
#include "setup/widgets/frmImportDir.h"
#include "setup/widgets/frmInitialise.h"
#include "setup/widgets/frmPreview.h"
#include "show/MissingPresentationsSweep.h"
#include "show/PlayModeController.h"
#include "show/PlayModeStart.h"
#include "show/ShowLogFiles.h"
#include "show/ShowScreenChoice.h"
#include "show/ThreadedShowPort.h"
#include "show/widgets/frmRecord.h"
#include "show/widgets/frmSyncRecord.h"
#include "slides/PdfConverter.h"
#include "slides/SlideExtractor.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

QAction* namedAction(QObject* parent, const QString& text, const QString& name)
{
    auto* action = new QAction(text, parent);
    action->setObjectName(name);
    // Accessible names of menu items come from their text; the description carries the name
    // outside drivers look for.
    action->setToolTip(QString(text).remove(QLatin1Char('&')));
    action->setStatusTip(name);
    action->setWhatsThis(name);
    return action;
}

void nameWidget(QWidget* widget, const QString& accessibleName, const QString& name)
{
    widget->setObjectName(name);
    widget->setAccessibleName(accessibleName);
    widget->setAccessibleDescription(name);
}

} // namespace

frmSetup::frmSetup(const SetupParts& parts, QWidget* parent)
    : QMainWindow(parent), m_parts(parts), m_doc(parts.doc), m_controller(&parts.controller)
{
    nameWidget(this, EventDocument::ProductName, QStringLiteral("frmSetup"));
    setWindowTitle(EventDocument::ProductName);
    buildMenus();
    buildToolbar();
    buildSections();
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    statusBar()->setAccessibleName(QStringLiteral("Status"));
    statusBar()->setAccessibleDescription(QStringLiteral("StatusBar1"));
    // The bar paints its message itself; only its name carries it to a screen reader.
    connect(statusBar(), &QStatusBar::messageChanged, this, [this](const QString& text) {
        statusBar()->setAccessibleName(WidgetNames::dataName(QStringLiteral("Status"), text));
    });
    resize(900, 640);

    connect(m_controller, &SetupController::recentFilesChanged, this,
            &frmSetup::refreshRecentFiles);
    connect(m_controller, &SetupController::eventReplaced, this, &frmSetup::refreshFromDocument);
    connect(m_controller, &SetupController::firstSectionRequested, this, [this] {
        m_sections->setCurrentIndex(0);
        m_sections->setFocus();
    });
    connect(m_controller, &SetupController::captionChanged, this, &QWidget::setWindowTitle);
    // Shows itself while a zipped event file is unpacked, from any command that opens one.
    new frmExtract(m_controller->presentationsExtractor(), this);
    connect(m_controller, &SetupController::busyChanged, this, &frmSetup::setBusy);

    buildPopUpsAndExport();
    buildSpeakers();
    buildQuickLaunch();
    buildSlides();
    buildShow();
    buildSoundTest();
    buildLiveCast();
}

frmSetup::~frmSetup() = default;

void frmSetup::buildPopUpsAndExport()
{
    m_popUpsCommands = &m_parts.popUpsCommands;
    m_zippedEventExport = &m_parts.zippedEventExport;
    new frmExport(*m_zippedEventExport, this);

    QMenu* file = m_mnuFile;
    const QList<QAction*> items = file->actions();
    QAction* before = items.value(items.indexOf(m_mnuSaveAs) + 1);
    QAction* mnuExport =
        namedAction(this, QStringLiteral("&Export..."), QStringLiteral("MnuExport"));
    file->insertAction(before, mnuExport);
    auto* popUps = new QMenu(QStringLiteral("&PopUps"), file);
    popUps->setObjectName(QStringLiteral("MnuPopUps"));
    QAction* mnuPExport =
        namedAction(this, QStringLiteral("&Export..."), QStringLiteral("MnuPExport"));
    QAction* mnuPImport =
        namedAction(this, QStringLiteral("&Import..."), QStringLiteral("MnuPImport"));
    popUps->addAction(mnuPExport);
    popUps->addAction(mnuPImport);
    file->insertMenu(before, popUps);
    // Whoever changed the slots last, the item is right when the menu opens.
    const auto updateExport = [this, mnuPExport] {
        mnuPExport->setEnabled(m_popUpsCommands->canExport());
    };
    connect(file, &QMenu::aboutToShow, this, updateExport);
    connect(popUps, &QMenu::aboutToShow, this, updateExport);

    connect(mnuExport, &QAction::triggered, this,
            [this] { m_zippedEventExport->MnuExport_Click(m_controller->fileDialogFolder()); });
    connect(mnuPExport, &QAction::triggered, this,
            [this] { m_popUpsCommands->MnuPExport_Click(m_controller->fileDialogFolder()); });
    connect(mnuPImport, &QAction::triggered, this, [this] {
        const QSize screenPx = screen()->size() * screen()->devicePixelRatio();
        const QSize thumbnailPx =
            m_doc.ImgHolding.isNull() ? QSize(160, 120) : m_doc.ImgHolding.size();
        m_popUpsCommands->setSlideSizes(thumbnailPx, screenPx);
        m_popUpsCommands->MnuPImport_Click(m_controller->fileDialogFolder());
    });

    m_importStatus = new QLabel(this);
    m_importStatus->setObjectName(QStringLiteral("ImportStatus"));
    m_importStatus->setAccessibleDescription(QStringLiteral("ImportStatus"));
    m_importStatus->hide();
    statusBar()->addPermanentWidget(m_importStatus);
    connect(m_popUpsCommands, &PopUpsFileCommands::statusChanged, this,
            [this](const QString& text) {
                m_importStatus->setText(text);
                m_importStatus->setVisible(!text.isEmpty());
            });
    connect(m_popUpsCommands, &PopUpsFileCommands::popUpsChanged, this,
            &frmSetup::refreshFromDocument);
    connect(m_popUpsCommands, &PopUpsFileCommands::busyChanged, this, &frmSetup::setBusy);
    connect(m_zippedEventExport, &ZippedEventExport::busyChanged, this, &frmSetup::setBusy);
}

void frmSetup::setBusy(bool on)
{
    // Jobs may overlap (a new screen size during an import): the window comes back with the
    // last of them.
    m_busyCount += on ? 1 : -1;
    if (m_busyCount != (on ? 1 : 0))
        return;
    menuBar()->setEnabled(!on);
    m_toolbar1->setEnabled(!on);
    if (QWidget* central = centralWidget())
        central->setEnabled(!on);
    if (on)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void frmSetup::buildSpeakers()
{
    m_speakerList = &m_parts.speakerList;
    m_speakersPanel = new SpeakersPanel(*m_speakerList, m_doc, this);
    connect(&m_parts.sweep, &MissingPresentationsSweep::speakersRemoved, m_speakersPanel,
            &SpeakersPanel::speakersRemoved);
    new frmCopy(m_speakerList->importCopier(), this);
    auto* page = m_picSpeakers;
    page->layout()->addWidget(m_speakersPanel);
    m_speakersPanel->refresh();

    // The folder that presentations from sticks, shares and discs are copied into.
    QAction* importDir =
        namedAction(this, QStringLiteral("Import Directory"), QStringLiteral("MnuImportDir"));
    toolsMenu()->addAction(importDir);
    connect(importDir, &QAction::triggered, this, [this] {
        frmImportDir dialog(m_doc.ImportDir, m_doc.DesktopFolder, m_parts.drives.fixedDriveRoots(),
                            this);
        if (dialog.exec() == QDialog::Accepted)
            m_doc.ImportDir = dialog.ImportDir();
    });
}

void frmSetup::buildShow()
{
    // A preview that came while play mode ran opens once the setup window is back.
    connect(&m_parts.playMode, &PlayModeController::playingChanged, this, [this](bool playing) {
        if (!playing && !m_waitingPreview.isEmpty())
            openPreview(std::exchange(m_waitingPreview, QStringList()));
    });
    auto* play = new QPushButton(QStringLiteral("&Play"), this);
    nameWidget(play, QStringLiteral("Play"), QStringLiteral("ComPlay"));
    auto* page = m_picMain;
    page->layout()->addWidget(play);
    connect(play, &QPushButton::clicked, this, &frmSetup::ComPlay_Click);

    // The traces of play mode: the launch record, the synchronise mark, the timings switch.
    QMenu* tools = toolsMenu();
    tools->addSeparator();
    QAction* display =
        namedAction(this, QStringLiteral("Display Record"), QStringLiteral("MnuDisplayRecord"));
    QAction* clear =
        namedAction(this, QStringLiteral("Clear Record"), QStringLiteral("MnuClearRecord"));
    QAction* sync =
        namedAction(this, QStringLiteral("Synchronise Record"), QStringLiteral("MnuSyncRecord"));
    QAction* timings =
        namedAction(this, QStringLiteral("Log Timings"), QStringLiteral("MnuTimings"));
    timings->setCheckable(true);
    tools->addActions({display, clear, sync, timings});
    // Where the audience looks: one item a screen, by name and resolution.
    QMenu* showScreen = tools->addMenu(QStringLiteral("Show Screen"));
    showScreen->menuAction()->setObjectName(QStringLiteral("MnuShowScreen"));
    connect(showScreen, &QMenu::aboutToShow, this, [this, showScreen] {
        showScreen->clear();
        const QList<ShowScreenChoice::Screen> screens = screenList();
        const int chosen =
            ShowScreenChoice::choose(screens, int(QGuiApplication::screens().indexOf(screen())),
                                     ShowScreenChoice::load(m_doc.AppFolder));
        for (int i = 0; i < screens.size(); ++i) {
            QAction* item = showScreen->addAction(ShowScreenChoice::caption(screens[i]));
            item->setObjectName(QStringLiteral("MnuShowScreenItem"));
            item->setCheckable(true);
            item->setChecked(i == chosen);
            connect(item, &QAction::triggered, this, [this, name = screens[i].name] {
                ShowScreenChoice::save(m_doc.AppFolder, name);
            });
        }
    });
    const QString recordLog = ShowLogFiles::RecordLogName;
    connect(tools, &QMenu::aboutToShow, this, [this, display, clear, timings, recordLog] {
        const bool recorded = QFileInfo::exists(m_doc.AppFolder + recordLog);
        display->setEnabled(recorded);
        clear->setEnabled(recorded);
        timings->setChecked(m_controller->timingsSetting().Checked);
        timings->setEnabled(m_controller->timingsSetting().Enabled);
    });
    connect(display, &QAction::triggered, this, [this] {
        frmRecord record(m_doc.AppFolder, m_parts.shell, m_parts.recordShows, m_parts.clipboard,
                         this);
        record.exec();
    });
    connect(clear, &QAction::triggered, this, [this, clear, recordLog] {
        if (m_parts.messages.show(
                QStringLiteral("You are about to delete the file record. Continue!"),
                MsgButtons::YesNo, MsgIcon::None) != MsgAnswer::Yes)
            return;
        QFile::remove(m_doc.AppFolder + recordLog);
        clear->setEnabled(false);
    });
    connect(sync, &QAction::triggered, this, [this] {
        frmSyncRecord dialog(m_doc.DesktopFolder, m_parts.clock, this);
        dialog.exec();
    });
    connect(timings, &QAction::triggered, this, [this](bool checked) {
        m_controller->timingsSetting().Checked = checked;
        TimingsSetting::save(m_doc.AppFolder, checked);
    });
}

QList<ShowScreenChoice::Screen> frmSetup::screenList()
{
    QList<ShowScreenChoice::Screen> screens;
    for (QScreen* screen : QGuiApplication::screens())
        screens.append({screen->name(), screen->geometry()});
    return screens;
}

void frmSetup::ComPlay_Click()
{
    if (m_parts.playMode.playing())
        return;
    closePreview();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_parts.playMode.start(screenList(), int(QGuiApplication::screens().indexOf(this->screen())));
    QApplication::restoreOverrideCursor();
}

void frmSetup::enterPlayMode()
{
    m_playReturn = frameGeometry();
    hide();
}

void frmSetup::leavePlayMode()
{
    const QRect screen = this->screen() ? this->screen()->availableGeometry() : QRect();
    move(screen.isValid() ? PlayModeStart::returnPosition(m_playReturn, screen)
                          : m_playReturn.topLeft());
    show();
    activateWindow();
}

void frmSetup::openPreview(const QStringList& thumbnails)
{
    // Not over the launch screen: the preview waits for the setup window to come back.
    if (m_parts.playMode.playing()) {
        m_waitingPreview = thumbnails;
        return;
    }
    closePreview();
    m_preview =
        new frmPreview(m_doc.RunFolder + QStringLiteral("/Preview"), int(thumbnails.size()), this);
    connect(m_preview, &frmPreview::insertRequested, this,
            [this](int slide, const QImage& thumbnail) {
                // Into whatever the section on show holds; the Speakers section takes none.
                if (m_sections->currentIndex() == 0)
                    m_holdingSlide->insertFromPreview(slide, thumbnail);
                else if (m_sections->currentIndex() == 2)
                    m_popUpSlots->insertFromPreview(slide, thumbnail);
            });
    connect(m_preview, &frmPreview::closed, this, [this] {
        m_extractor->releaseWorkPresentation();
        if (m_preview)
            m_preview->deleteLater();
        m_preview = nullptr;
    });
    m_preview->show();
}

void frmSetup::buildQuickLaunch()
{
    m_quickLaunchBar = &m_parts.quickLaunchBar;
    new frmCopy(m_quickLaunchBar->importCopier(), this);
    m_quickLaunch = new QuickLaunchPanel(
        *m_quickLaunchBar, m_parts.presentations,
        [this] { return m_controller->fileDialogFolder(); }, this);
    auto* main = m_picMain;
    auto* column = static_cast<QVBoxLayout*>(main->layout());
    column->addWidget(m_quickLaunch);
    // The frames stay together at the top of the section.
    column->addStretch(1);
}

void frmSetup::buildSlides()
{
    m_extractor = &m_parts.extractor;
    m_intake = &m_parts.intake;
    m_holdingSlide = &m_parts.holdingSlide;
    m_popUpSlots = &m_parts.popUpSlots;

    m_holdingPanel = new HoldingPanel(*m_holdingSlide, m_doc, this);
    auto* main = m_picMain;
    static_cast<QBoxLayout*>(main->layout())->insertWidget(0, m_holdingPanel);
    m_popUpsPanel = new PopUpsPanel(*m_popUpSlots, m_doc, this);
    m_picPopUps->layout()->addWidget(m_popUpsPanel);

    QMenu* slides = m_mnuSlides;
    QAction* setDefault =
        namedAction(this, QStringLiteral("Set Holding Slide"), QStringLiteral("MnuHoldingSlide"));
    QAction* restore =
        namedAction(this, QStringLiteral("Restore Default"), QStringLiteral("MnuRestoreDefault"));
    slides->addAction(setDefault);
    slides->addAction(restore);
    connect(setDefault, &QAction::triggered, m_holdingSlide, &HoldingSlide::MnuHoldingSlide_Click);
    connect(restore, &QAction::triggered, m_holdingSlide, &HoldingSlide::MnuRestoreDefault_Click);

    // "Extracting - n%" stands in the status bar while slides are taken from a presentation.
    connect(m_intake, &SlideIntake::progressChanged, this, [this](const QString& text) {
        if (text.isEmpty())
            statusBar()->clearMessage();
        else
            statusBar()->showMessage(text);
    });
    connect(m_intake, &SlideIntake::previewReady, this, &frmSetup::openPreview);
    connect(m_holdingSlide, &HoldingSlide::closePreviewRequested, this, &frmSetup::closePreview);
    connect(m_holdingSlide, &HoldingSlide::busyChanged, this, &frmSetup::setBusy);
    connect(m_controller, &SetupController::holdingSlideAdopted, m_holdingPanel,
            &HoldingPanel::refresh);

    // PDF copies of the speakers' presentations, one from the speaker menu or all at once.
    PdfConverter* pdf = &m_parts.pdf;
    QAction* batch = namedAction(this, QStringLiteral("PDF Batch Convert"),
                                 QStringLiteral("MnuPDFBatchConvert"));
    QMenu* tools = toolsMenu();
    tools->addAction(batch);
    connect(tools, &QMenu::aboutToShow, batch,
            [this, batch] { batch->setEnabled(m_doc.Speakers.count() >= 1); });
    connect(batch, &QAction::triggered, pdf, [this, pdf] { pdf->convertAll(m_doc); });
    connect(m_speakersPanel, &SpeakersPanel::convertToPdfRequested, pdf, [this, pdf](int row) {
        if (row >= 1 && row <= m_doc.Speakers.count())
            pdf->convertSpeaker(m_doc.Speakers[size_t(row - 1)]);
    });

    // Each section hands the keyboard to its main control when it is shown.
    connect(m_sections, &QTabWidget::currentChanged, this, [this](int index) {
        if (index == 1)
            m_speakersPanel->view()->setFocus();
        else if (index == 2)
            m_popUpsPanel->scrollArea()->verticalScrollBar()->setFocus();
    });
    connect(m_popUpSlots, &PopUpSlots::closePreviewRequested, this, &frmSetup::closePreview);
}

void frmSetup::closePreview()
{
    if (m_preview)
        m_preview->close();
}

void frmSetup::buildSoundTest()
{
    m_audioTools = new AudioToolsPanel(m_parts.soundTest, m_parts.audioRecord, m_parts.companions,
                                       m_doc.AppFolder, m_controller->audioRecSettings(), this);
    auto* main = m_picMain;
    main->layout()->addWidget(m_audioTools->frame());
    main->layout()->setAlignment(m_audioTools->frame(), Qt::AlignTop);
    m_audioTools->addToMenu(toolsMenu());
}

void frmSetup::buildLiveCast()
{
    LiveCastMenu& commands = m_parts.liveCastMenu;
    LiveCastModes& modes = m_parts.liveCastModes;
    LiveCastSettings& marks = m_controller->liveCastSettings();
    QMenu* menu = m_mnuLiveCast = new QMenu(QStringLiteral("&LiveCast"), menuBar());
    menu->setObjectName(QStringLiteral("MnuLiveCast"));
    menuBar()->insertMenu(m_mnuWindow->menuAction(), menu);

    QAction* webcast =
        namedAction(this, QStringLiteral("Webcast Mode"), QStringLiteral("MnuWebcastMode"));
    webcast->setCheckable(true);
    QAction* autoLiveCast =
        namedAction(this, QStringLiteral("Auto LiveCast"), QStringLiteral("MnuAutoLiveCast"));
    autoLiveCast->setCheckable(true);
    QAction* encoder =
        namedAction(this, QStringLiteral("Encoder Settings"), QStringLiteral("MnuEncoderSettings"));
    menu->addActions({webcast, autoLiveCast, encoder});
    menu->addSeparator();
    buildLiveCastExport(menu);
    // What the audience's player is told about its layout; each item keeps its own mark, the
    // two ratios exclude each other.
    struct Mark
    {
        const char* caption;
        const char* name;
        bool LiveCastSettings::*field;
    };
    const Mark markItems[] = {
        {"Presenter Stage Left", "MnuPresenterStageLeft", &LiveCastSettings::PresenterStageLeft},
        {"Stretch Slides", "MnuStretchMode", &LiveCastSettings::StretchMode},
        {"Hide Player Controls", "mnuPlayerControls", &LiveCastSettings::PlayerControls},
        {"LiveCast Controls", "MnuControls", &LiveCastSettings::Controls}};
    QList<std::pair<QAction*, bool LiveCastSettings::*>> marked;
    for (const Mark& item : markItems) {
        QAction* action =
            namedAction(this, QString::fromLatin1(item.caption), QString::fromLatin1(item.name));
        action->setCheckable(true);
        connect(action, &QAction::triggered, this,
                [&marks, field = item.field](bool checked) { marks.*field = checked; });
        menu->addAction(action);
        marked.append({action, item.field});
    }
    QAction* ratioA =
        namedAction(this, QStringLiteral("Video Ratio 4:3"), QStringLiteral("MnuVideoRatioA"));
    QAction* ratioB =
        namedAction(this, QStringLiteral("Video Ratio 16:9"), QStringLiteral("MnuVideoRatioB"));
    for (QAction* ratio : {ratioA, ratioB}) {
        ratio->setCheckable(true);
        menu->addAction(ratio);
    }
    connect(ratioA, &QAction::triggered, this, [&marks] { marks.VideoRatio43 = true; });
    connect(ratioB, &QAction::triggered, this, [&marks] { marks.VideoRatio43 = false; });

    // Each time the menu opens: the mode, the items it allows and the marks (key H of the
    // launch screen moves one of them).
    connect(menu, &QMenu::aboutToShow, this,
            [&commands, &modes, &marks, webcast, autoLiveCast, encoder, marked, ratioA, ratioB] {
                commands.MnuLiveCast_Click();
                webcast->setChecked(modes.mode() == LiveCastModes::Mode::Webcast);
                autoLiveCast->setChecked(modes.autoLiveCast());
                encoder->setEnabled(commands.items().MnuEncoderSettings);
                for (const auto& [action, field] : marked)
                    action->setChecked(marks.*field);
                ratioA->setChecked(marks.VideoRatio43);
                ratioB->setChecked(!marks.VideoRatio43);
            });
    connect(webcast, &QAction::triggered, this, [&commands, &modes, webcast] {
        commands.MnuWebcastMode_Click();
        webcast->setChecked(modes.mode() == LiveCastModes::Mode::Webcast);
    });
    connect(&modes, &LiveCastModes::changed, webcast, [&modes, webcast] {
        webcast->setChecked(modes.mode() == LiveCastModes::Mode::Webcast);
    });
    connect(autoLiveCast, &QAction::triggered, this,
            [&commands] { commands.MnuAutoLiveCast_Click(); });
    connect(encoder, &QAction::triggered, this, [this, &commands] {
        const LiveCastMenu::EncoderValues values = commands.MnuEncoderSettings_Click(
            m_parts.webcastServer, localIpAddress ? localIpAddress() : QString());
        frmEncoderSettings window(values.TxtFMSURL, values.TxtStreamName, this);
        window.exec();
    });
    buildLiveCastUploads(menu);
    buildConnectItems(menu);
    buildLiveCastLocalhost(menu, webcast);
}

// "Localhost Mode" and "Localhost Settings" follow "Webcast Mode"; whoever shows their windows
// answers the requests.
void frmSetup::buildLiveCastLocalhost(QMenu* menu, QAction* after)
{
    LiveCastModes& modes = m_parts.liveCastModes;
    QAction* localhost =
        namedAction(this, QStringLiteral("Localhost Mode"), QStringLiteral("MnuLocalHost"));
    localhost->setCheckable(true);
    QAction* settings =
        namedAction(this, QStringLiteral("Localhost Settings"), QStringLiteral("MnuLHSettings"));
    const QList<QAction*> items = menu->actions();
    menu->insertActions(items.value(items.indexOf(after) + 1), {localhost, settings});
    const auto show = [&modes, localhost, settings] {
        localhost->setChecked(modes.mode() == LiveCastModes::Mode::Localhost);
        settings->setEnabled(modes.localhostSettingsEnabled());
    };
    show();
    connect(menu, &QMenu::aboutToShow, this, show);
    connect(&modes, &LiveCastModes::changed, localhost, show);
    connect(localhost, &QAction::triggered, this, [this, show] {
        emit localhostModeRequested();
        show();
    });
    connect(settings, &QAction::triggered, this, &frmSetup::localhostSettingsRequested);
}

// Connect mode's items follow "Webcast Mode"; whoever shows their windows answers the requests.
void frmSetup::buildConnectItems(QMenu* menu)
{
    LiveCastModes& modes = m_parts.liveCastModes;
    QAction* mode = namedAction(this, QStringLiteral("Connect Mode"), QStringLiteral("MnuConnect"));
    mode->setCheckable(true);
    QAction* server =
        namedAction(this, QStringLiteral("Server Address"), QStringLiteral("MnuServerIP"));
    QAction* session =
        namedAction(this, QStringLiteral("Session Details"), QStringLiteral("MnuSessionDetails"));
    const QList<QAction*> items = menu->actions();
    QAction* before = nullptr;
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (items[i]->objectName() == QLatin1String("MnuWebcastMode"))
            before = items.value(i + 1);
    }
    menu->insertActions(before, {mode, server, session});
    const auto mark = [&modes, mode] {
        mode->setChecked(modes.mode() == LiveCastModes::Mode::Connect);
    };
    connect(menu, &QMenu::aboutToShow, mode, mark);
    connect(&modes, &LiveCastModes::changed, mode, mark);
    connect(mode, &QAction::triggered, this, [this, mark] {
        // The mark follows the mode, which only the connection's outcome switches on.
        mark();
        emit connectModeRequested();
    });
    connect(server, &QAction::triggered, this, &frmSetup::serverAddressRequested);
    connect(session, &QAction::triggered, this, &frmSetup::sessionDetailsRequested);
}

// "Upload Slides" and "Verify Server" follow "Export Slides" (or "Encoder Settings"); whoever
// shows their windows answers the requests.
void frmSetup::buildLiveCastUploads(QMenu* menu)
{
    LiveCastMenu& commands = m_parts.liveCastMenu;
    QAction* upload =
        namedAction(this, QStringLiteral("Upload Slides"), QStringLiteral("MnuUploadSlides"));
    QAction* verify =
        namedAction(this, QStringLiteral("Verify Server"), QStringLiteral("MnuVerifyServer"));
    const QList<QAction*> items = menu->actions();
    QAction* before = nullptr;
    for (qsizetype i = 0; i < items.size(); ++i) {
        const QString name = items[i]->objectName();
        if (name == QLatin1String("MnuExportSlides") ||
            (!before && name == QLatin1String("MnuEncoderSettings")))
            before = items.value(i + 1);
    }
    menu->insertActions(before, {upload, verify});
    connect(menu, &QMenu::aboutToShow, this, [&commands, upload, verify] {
        upload->setEnabled(commands.items().MnuUploadSlides);
        verify->setEnabled(commands.items().MnuVerifyServer);
        verify->setText(commands.items().MnuVerifyServerCaption);
    });
    connect(upload, &QAction::triggered, this, &frmSetup::uploadSlidesRequested);
    connect(verify, &QAction::triggered, this,
            [this, verify] { emit verifyServerRequested(verify->text()); });
}

void frmSetup::exportForWebcast(const LiveCastExport::Request& request, const QString& windowName)
{
    frmExportPptx progress(m_parts.liveCastExport, m_parts.messages, windowName, this);
    LiveCastExportPlan::keep(progress.run(request), m_doc);
    m_speakersPanel->refresh();
}

void frmSetup::buildLiveCastExport(QMenu* menu)
{
    QAction* exportSlides =
        namedAction(this, QStringLiteral("Export Slides"), QStringLiteral("MnuExportSlides"));
    menu->addAction(exportSlides);
    menu->addSeparator();
    QAction* internetConnect = namedAction(this, QStringLiteral("Internet Connect Settings"),
                                           QStringLiteral("MnuInternetConnectSettings"));
    menu->addAction(internetConnect);
    menu->addSeparator();
    connect(internetConnect, &QAction::triggered, this,
            &frmSetup::internetConnectSettingsRequested);
    connect(exportSlides, &QAction::triggered, this, [this] {
        exportForWebcast(LiveCastExportPlan::wholeEvent(m_doc, QTime::currentTime()),
                         QStringLiteral("frmExportPptx"));
    });
    connect(m_speakersPanel, &SpeakersPanel::exportRequested, this, [this](int row) {
        if (row >= 1 && row <= m_doc.Speakers.count())
            exportForWebcast(LiveCastExportPlan::speaker(m_doc, row - 1, QTime::currentTime()),
                             QStringLiteral("frmSExportPptx"));
    });
}

void frmSetup::buildMenus()
{
    QMenu* file = m_mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("MnuFile"));
    m_mnuNew = namedAction(this, QStringLiteral("&New"), QStringLiteral("MnuNew"));
    m_mnuNew->setShortcut(QKeySequence::New);
    m_mnuOpen = namedAction(this, QStringLiteral("&Open..."), QStringLiteral("MnuOpen"));
    m_mnuOpen->setShortcut(QKeySequence::Open);
    m_mnuSave = namedAction(this, QStringLiteral("&Save"), QStringLiteral("MnuSave"));
    m_mnuSave->setShortcut(QKeySequence::Save);
    m_mnuSaveAs = namedAction(this, QStringLiteral("Save &As..."), QStringLiteral("MnuSaveAs"));
    m_mnuExit = namedAction(this, QStringLiteral("E&xit"), QStringLiteral("MnuExit"));
    file->addAction(m_mnuNew);
    file->addAction(m_mnuOpen);
    file->addAction(m_mnuSave);
    file->addAction(m_mnuSaveAs);
    file->addSeparator();
    for (size_t i = 0; i < m_mnuLocation.size(); ++i) {
        QAction* entry = namedAction(this, QString(), QStringLiteral("MnuLocation%1").arg(i + 1));
        entry->setVisible(false);
        connect(entry, &QAction::triggered, this, [this, i] { m_controller->openRecent(int(i)); });
        file->addAction(entry);
        m_mnuLocation[i] = entry;
    }
    m_fSpace2 = file->addSeparator();
    m_fSpace2->setObjectName(QStringLiteral("FSpace2"));
    m_fSpace2->setVisible(false);
    file->addAction(m_mnuExit);

    connect(m_mnuNew, &QAction::triggered, m_controller, &SetupController::newEvent);
    connect(m_mnuOpen, &QAction::triggered, m_controller, &SetupController::openEvent);
    connect(m_mnuSave, &QAction::triggered, m_controller, &SetupController::save);
    connect(m_mnuSaveAs, &QAction::triggered, m_controller, &SetupController::saveAs);
    connect(m_mnuExit, &QAction::triggered, this, &QWidget::close);

    QMenu* slides = m_mnuSlides = menuBar()->addMenu(QStringLiteral("&Slides"));
    slides->setObjectName(QStringLiteral("MnuSlides"));
    QMenu* extract = slides->addMenu(QStringLiteral("PowerPoint Extract"));
    extract->setObjectName(QStringLiteral("MnuPowerPointExtract"));
    for (size_t i = 0; i < m_mnuSFormat.size(); ++i) {
        const int index = int(i) + 1;
        QAction* item = namedAction(this, SlideFormatSetting::Captions.at(qsizetype(i)),
                                    QStringLiteral("MnuSFormat%1").arg(index));
        item->setCheckable(true);
        connect(item, &QAction::triggered, this,
                [this, index] { m_controller->MnuSFormat_Click(index); });
        extract->addAction(item);
        m_mnuSFormat[i] = item;
    }
    connect(m_controller, &SetupController::slideFormatChanged, this, [this](int index) {
        for (QAction* item : m_mnuSFormat)
            item->setChecked(false);
        m_mnuSFormat.at(size_t(index - 1))->setChecked(true);
    });

    QMenu* window = m_mnuWindow = menuBar()->addMenu(QStringLiteral("&Window"));
    window->setObjectName(QStringLiteral("MnuWindow"));
    m_mnuALeft = namedAction(this, QStringLiteral("Align &Left"), QStringLiteral("MnuALeft"));
    m_mnuARight = namedAction(this, QStringLiteral("Align &Right"), QStringLiteral("MnuARight"));
    window->addAction(m_mnuALeft);
    window->addAction(m_mnuARight);
    connect(m_mnuALeft, &QAction::triggered, this, &frmSetup::MnuALeft_Click);
    connect(m_mnuARight, &QAction::triggered, this, &frmSetup::MnuARight_Click);
}

void frmSetup::buildToolbar()
{
    m_toolbar1 = addToolBar(QStringLiteral("Toolbar"));
    nameWidget(m_toolbar1, QStringLiteral("Toolbar"), QStringLiteral("Toolbar1"));
    m_toolbar1->setMovable(false);
    m_toolbar1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    // The menus' own commands: a button reads its action's text without "&" and "...".
    const QStyle* s = style();
    m_mnuNew->setIcon(s->standardIcon(QStyle::SP_FileIcon));
    m_mnuOpen->setIcon(s->standardIcon(QStyle::SP_DialogOpenButton));
    m_mnuSave->setIcon(s->standardIcon(QStyle::SP_DialogSaveButton));
    m_mnuALeft->setIcon(s->standardIcon(QStyle::SP_ArrowLeft));
    m_mnuARight->setIcon(s->standardIcon(QStyle::SP_ArrowRight));
    m_toolbar1->addActions({m_mnuNew, m_mnuOpen, m_mnuSave, m_mnuALeft, m_mnuARight});
}

QMenu* frmSetup::toolsMenu()
{
    // Made by whichever part of the window needs it first, before the Window menu.
    if (!m_mnuUtilities) {
        m_mnuUtilities = new QMenu(QStringLiteral("&Tools"), menuBar());
        m_mnuUtilities->setObjectName(QStringLiteral("MnuUtilities"));
        menuBar()->insertMenu(m_mnuWindow ? m_mnuWindow->menuAction() : nullptr, m_mnuUtilities);
    }
    return m_mnuUtilities;
}

void frmSetup::buildSections()
{
    m_sections = new QTabWidget(this);
    nameWidget(m_sections, QStringLiteral("Sections"), QStringLiteral("TabStrip1"));
    // The panels of each section are filled in by their own classes.
    const QStringList titles = {QStringLiteral("Main"), QStringLiteral("Speakers"),
                                QStringLiteral("Pop Ups")};
    const QStringList names = {QStringLiteral("PicMain"), QStringLiteral("PicSpeakers"),
                               QStringLiteral("PicPopUps")};
    QWidget** pages[] = {&m_picMain, &m_picSpeakers, &m_picPopUps};
    for (qsizetype i = 0; i < titles.size(); ++i) {
        auto* page = *pages[i] = new QWidget(m_sections);
        nameWidget(page, titles[i], names[i]);
        page->setLayout(new QVBoxLayout);
        m_sections->addTab(page, titles[i]);
    }
    setCentralWidget(m_sections);
}

bool frmSetup::startUp(const SetupController::StartUpOptions& options)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    frmInitialise splash;
    splash.show();
    QApplication::processEvents();
    const bool started = m_controller->startUp(options);
    setWindowTitle(EventDocument::ProductName);
    QApplication::restoreOverrideCursor();
    splash.close();
    return started;
}

void frmSetup::refreshRecentFiles()
{
    const QStringList& paths = m_controller->recentFiles().paths();
    for (size_t i = 0; i < m_mnuLocation.size(); ++i) {
        QAction* entry = m_mnuLocation[i];
        const bool used = qsizetype(i) < paths.size();
        entry->setVisible(used);
        entry->setData(used ? paths[qsizetype(i)] : QString());
        entry->setText(used ? m_controller->recentFiles().caption(int(i)) : QString());
        entry->setToolTip(used ? paths[qsizetype(i)] : QString());
    }
    m_fSpace2->setVisible(!paths.isEmpty());
}

void frmSetup::refreshFromDocument()
{
    m_holdingPanel->refresh();
    m_popUpsPanel->refresh();
    m_speakerList->setSelectedRow(0);
    m_speakersPanel->refresh();
    m_quickLaunchBar->refreshFromDocument();
    statusBar()->showMessage(m_doc.EventFileTitle);
}

void frmSetup::MnuALeft_Click()
{
    const QRect screen = this->screen()->availableGeometry();
    move(screen.left() + int(screen.width() - 0.99 * screen.width()), y());
}

void frmSetup::MnuARight_Click()
{
    const QRect screen = this->screen()->availableGeometry();
    move(screen.left() + int(0.99 * screen.width()) - frameGeometry().width(), y());
}

void frmSetup::shutDownWithoutQuestions()
{
    if (m_shutDownDone)
        return;
    emit shutDownStarted();
    m_controller->shutDown();
    m_shutDownDone = true;
}

void frmSetup::closeEvent(QCloseEvent* event)
{
    if (m_shutDownDone) {
        event->accept();
        return;
    }
    if (!m_controller->closeQuery()) {
        event->ignore();
        return;
    }
    emit shutDownStarted();
    m_controller->shutDown();
    m_shutDownDone = true;
    hide();
    frmClose closing(m_doc.AppFolder + m_doc.OemShortName + QStringLiteral(".jpg"), m_closingMs);
    closing.exec();
    event->accept();
    emit shutDownFinished();
}
