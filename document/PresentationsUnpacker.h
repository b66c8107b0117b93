#pragma once

#include "document/PresentationsExtractor.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>

// Unpacks the presentations block of a zipped event file: the total byte count, the number of
// entries, then per entry "[]" (no file) or the file's name, its length and its bytes.
//
// The file comes from another computer and is not trusted. An entry's name must be a plain
// file name, so that nothing is written anywhere but the import folder; every count and length
// is checked against what is left of the file before anything is allocated or written; a file
// is never written over: a name already taken gets the next free number (Talk.ppt becomes
// Talk2.ppt). When an entry cannot be completed its partial copy is removed, and the files
// unpacked before it stay where they are.
class PresentationsUnpacker : public PresentationsExtractor
{
public:
    static constexpr qint64 ChunkBytes = 1000000;
    // The longest file name the usual Linux file systems take, in bytes.
    static constexpr int MaxNameBytes = 255;

    // After each chunk, from the thread that unpacks. totalBytes is what the file announces.
    using Progress =
        std::function<void(qint64 doneBytes, qint64 totalBytes, const QString& fileName)>;

    struct Outcome
    {
        QString error;       // for the operator; empty when every entry was unpacked
        QStringList targets; // per entry read so far: the copy's path, empty for "[]"

        bool ok() const { return error.isEmpty(); }
    };

    // Reads the whole block from device into importDir (which ends with "/"). entryCount is
    // the number of entries the event needs: one per speaker and one for the Quick Launch file.
    // A set stop flag ends the work after the current chunk, as a failure.
    static Outcome unpack(QIODevice& device, const QString& importDir, int entryCount,
                          const Progress& progress = {}, const std::atomic<bool>* stop = nullptr);
    // Entry i names speaker i's presentation, the last one the Quick Launch file.
    static void pointAt(const QStringList& targets, EventDocument& document);
    // Empty when name can only ever mean a file directly inside the import folder; otherwise
    // why it cannot.
    static QString entryNameProblem(const QByteArray& name);
    // Whole per cent of total done, 0 to 100; 0 while the total is unknown.
    static int percentOf(qint64 doneBytes, qint64 totalBytes);

    // Unpacks on the calling thread.
    bool extract(QIODevice& eventFile, EventDocument& document, QString* error) override;
};
