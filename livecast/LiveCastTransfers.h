#pragma once

#include <QString>

#include <memory>

class AdminUpload;
class EventDocument;
class LiveCastModes;
class LiveCastSettings;
class MessageService;
class PresentationApp;
class ServerVerification;
class SpeakerUpload;
class TransferService;
class WebcastServerSettings;

// The setup window's commands that move the exported slides and check them: "Upload Slides"
// and "Verify Server" on the LiveCast menu, "Upload" on a speaker's menu. Each makes the job
// its window then shows, or nothing when there is nothing to do.
class LiveCastTransfers
{
public:
    static inline const QString NoModeMessage =
        QStringLiteral("Neither Webcast Mode or Localhost Mode Enabled");

    struct Parts
    {
        TransferService& transfers;
        MessageService& messages;
        PresentationApp& exports; // counts the slides of presentations, hidden
        const LiveCastModes& modes;
        const WebcastServerSettings& server;
        const LiveCastSettings& marks;
        const EventDocument& doc;
        QString playerSource; // where the audience's web page is installed (PlayerPage)
    };

    // Everything in parts must outlive the commands and the jobs they make.
    explicit LiveCastTransfers(const Parts& parts) : m_parts(parts) {}

    // Without a LiveCast mode the operator is told so, and nothing is uploaded.
    std::unique_ptr<AdminUpload> MnuUploadSlides_Click() const;
    // The speaker of the speaker list's row (1 for the first); nothing for no speaker there.
    std::unique_ptr<SpeakerUpload> MnuSUpload_Click(int row) const;
    // Checks the webcast server, or the local streaming server's folder in Localhost mode.
    std::unique_ptr<ServerVerification> MnuVerifyServer_Click() const;

    // A speaker's "Upload" is offered in Webcast and Connect mode once the speaker's slides were
    // exported into the LiveCast folder.
    bool speakerUploadPossible(int row) const;

private:
    QString speakerFolder(int row) const;

    Parts m_parts;
};
