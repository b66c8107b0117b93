#pragma once

#include <QImage>
#include <QObject>

class ClipboardService;
class EventDocument;
class MessageService;
class QMimeData;
class SlideIntake;

// The ten pop-up slots' commands: filling the selected slot from pictures or presentations,
// the clipboard, clearing and renaming.
class PopUpSlots : public QObject
{
    Q_OBJECT

public:
    static inline const QString FilledName = QStringLiteral("PopUp");

    struct MenuState
    {
        bool cut = false;
        bool copy = false;
        bool paste = false;
        bool rename = false;
        bool clearAll = false;
    };

    PopUpSlots(EventDocument& doc, SlideIntake& intake, ClipboardService& clipboard,
               MessageService& messages, QObject* parent = nullptr);

    int selected() const;
    void select(int slot);

    void drop(int slot, const QMimeData* data);
    void paste();
    void copy();
    void cut();
    // Asks first; false when the operator said No.
    bool clearAll();
    // Whether slot can be renamed; an empty slot is (re)named "(Empty)" instead.
    bool startRename(int slot);
    // An empty text keeps the old name.
    void finishRename(int slot, const QString& text);
    MenuState contextMenuState() const;

    // The preview's pick, into the slot selected at this moment.
    void insertFromPreview(int slide, const QImage& thumbnail);

signals:
    void changed(int slot);
    void closePreviewRequested();

private:
    void fill(int slot, const QImage& thumbnail, const QImage& full);
    auto receiverFor(int slot);

    EventDocument& m_doc;
    SlideIntake& m_intake;
    ClipboardService& m_clipboard;
    MessageService& m_messages;
    int m_selected = 0; // the slot the panel has selected
};
