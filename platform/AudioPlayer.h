#pragma once

#include <QObject>
#include <QString>

// The sound-test output: one file at a time through the system's default audio output.
// Lengths and positions are in milliseconds.
class AudioPlayer : public QObject
{
    Q_OBJECT

public:
    enum class OpenResult
    {
        Ready,    // the file is open and can be played
        NoDevice, // there is no audio output to play it on
        Failed    // the file cannot be read
    };

    using QObject::QObject;
    ~AudioPlayer() override = default;

    // Releases any earlier file and opens path. Whether the content really is audio may only
    // show once playback starts; that arrives as failed().
    virtual OpenResult open(const QString& path) = 0;
    // Plays the open file from its beginning.
    virtual void play() = 0;
    // Stops and releases the file. Never followed by finishedSuccessfully().
    virtual void close() = 0;

    virtual bool isPlaying() const = 0;
    // 0 while the length is not known yet.
    virtual qint64 lengthMs() const = 0;
    virtual qint64 positionMs() const = 0;

signals:
    // Playback reached the end of the file.
    void finishedSuccessfully();
    // Playback could not start or go on (not audio, unreadable); the file has been released.
    void failed(const QString& reason);
};
