#pragma once

#include "PresentationsExtractor.h"

#include <QObject>
#include <QString>

#include <atomic>

// Unpacks the presentations of a zipped event file on a thread of its own, while the calling
// thread goes on handling events, so that the extraction window paints its progress. extract()
// returns when everything is unpacked or the unpacking failed, like the plain unpacker.
class BackgroundPresentationsExtractor : public QObject, public PresentationsExtractor
{
    Q_OBJECT

public:
    static inline const QString StatusPrefix = QStringLiteral("Extracting - ");

    explicit BackgroundPresentationsExtractor(QObject* parent = nullptr);

    bool extract(QIODevice& eventFile, EventDocument& document, QString* error) override;
    bool isRunning() const { return m_running; }

signals:
    // On the thread that called extract(), in this order.
    void extractionStarted();
    // "Extracting - " + file name, and the whole per cent done; sent when either changes.
    void progressChanged(const QString& status, int percent);
    void extractionFinished();

private:
    bool m_running = false;
    std::atomic<bool> m_stop{false};
};
