#include "setup/PopUpSlots.h"

#include "document/EventDocument.h"
#include "platform/ClipboardService.h"
#include "platform/MessageService.h"
#include "platform/MimeTransfer.h"
#include "setup/SlideIntake.h"

PopUpSlots::PopUpSlots(EventDocument& doc, SlideIntake& intake, ClipboardService& clipboard,
                       MessageService& messages, QObject* parent)
    : QObject(parent), m_doc(doc), m_intake(intake), m_clipboard(clipboard), m_messages(messages)
{}

int PopUpSlots::selected() const
{
    return m_selected;
}

void PopUpSlots::select(int slot)
{
    if (slot >= 0 && slot < EventDocument::PopUpSlotCount)
        m_selected = slot;
}

void PopUpSlots::fill(int slot, const QImage& thumbnail, const QImage& full)
{
    PopUpSlot& target = m_doc.PopUps[size_t(slot)];
    if (!thumbnail.isNull())
        target.Thumb = thumbnail;
    if (!full.isNull())
        target.Full = full;
    target.Name = FilledName;
    emit changed(slot);
}

auto PopUpSlots::receiverFor(int slot)
{
    // A presentation's slide 1 arrives later; it still goes to the slot it was dropped on.
    return
        [this, slot](const QImage& thumbnail, const QImage& full) { fill(slot, thumbnail, full); };
}

void PopUpSlots::drop(int slot, const QMimeData* data)
{
    select(slot);
    emit closePreviewRequested();
    if (m_intake.takeMime(data, receiverFor(slot)))
        m_doc.PopUpsTimeCode.clear();
}

void PopUpSlots::paste()
{
    const int slot = selected();
    bool taken = false;
    if (m_clipboard.hasPicture()) {
        taken = m_intake.takePicture(m_clipboard.picture(), receiverFor(slot));
    } else {
        const QStringList files = m_clipboard.fileList();
        if (!files.isEmpty()) {
            emit closePreviewRequested();
            taken = m_intake.takeFile(files.first(), receiverFor(slot));
        }
    }
    if (taken)
        m_doc.PopUpsTimeCode.clear();
}

void PopUpSlots::copy()
{
    const PopUpSlot& slot = m_doc.PopUps[size_t(selected())];
    if (!slot.Full.isNull())
        m_clipboard.putPicture(slot.Full);
}

void PopUpSlots::cut()
{
    copy();
    m_doc.PopUps[size_t(selected())].clear();
    emit changed(selected());
}

bool PopUpSlots::clearAll()
{
    const MsgAnswer answer =
        m_messages.show(QStringLiteral("You are about to clear all Pop Ups. Continue!"),
                        MsgButtons::YesNo, MsgIcon::Exclamation);
    if (answer != MsgAnswer::Yes)
        return false;
    for (int slot = 0; slot < EventDocument::PopUpSlotCount; ++slot) {
        m_doc.PopUps[size_t(slot)].clear();
        emit changed(slot);
    }
    return true;
}

bool PopUpSlots::startRename(int slot)
{
    select(slot);
    PopUpSlot& target = m_doc.PopUps[size_t(selected())];
    if (!target.isUsed()) {
        target.Name = PopUpSlot::EmptyName;
        emit changed(selected());
        return false;
    }
    return true;
}

void PopUpSlots::finishRename(int slot, const QString& text)
{
    if (slot < 0 || slot >= EventDocument::PopUpSlotCount || text.isEmpty())
        return;
    m_doc.PopUps[size_t(slot)].Name = text;
    emit changed(slot);
}

PopUpSlots::MenuState PopUpSlots::contextMenuState() const
{
    MenuState state;
    state.cut = state.copy = state.rename = m_doc.PopUps[size_t(selected())].isUsed();
    state.paste = m_clipboard.hasPicture() || m_clipboard.hasFileList();
    for (const PopUpSlot& slot : m_doc.PopUps)
        state.clearAll = state.clearAll || slot.isUsed();
    return state;
}

void PopUpSlots::insertFromPreview(int slide, const QImage& thumbnail)
{
    const int slot = selected();
    m_intake.takePreviewSlide(slide, thumbnail, receiverFor(slot));
}
