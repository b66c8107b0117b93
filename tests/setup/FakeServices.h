#pragma once

#include "document/EventDocument.h"
#include "platform/fake/FakeClipboardService.h"
#include "platform/fake/FakeDriveTypeSource.h"
#include "platform/fake/FakeFileDialogService.h"
#include "platform/fake/FakeFreeSpace.h"
#include "platform/fake/FakePresentationApp.h"
#include "platform/fake/FakePresentationDocument.h"
#include "platform/fake/FakeShellService.h"
#include "tests/fakes/FakeMessageService.h"
#include "tests/fakes/TestFolder.h"

#include <QFileInfo>

// An event on a folder of the test's own, with every service the setup window's parts take
// faked. A fixture derives from it and adds the part under test.
struct FakeServices
{
    // A file that holds its own name, so that copies of it can be told apart.
    QString file(const QString& name) const { return dir.writeFile(name, name.toUtf8()); }
    // A presentation of that many slides the fake program knows.
    QString presentation(const QString& name, int slides)
    {
        const QString path = file(name);
        presentations.addPresentation(path, slides);
        return path;
    }
    void addSpeaker(const QString& name, const QString& path)
    {
        doc.Speakers.append({name, QFileInfo(path).fileName(), path, {}});
    }

    TestFolder dir;
    EventDocument doc;
    FakeMessageService messages;
    FakeFileDialogService dialogs;
    FakePresentationApp presentations;
    FakeDriveTypeSource drives;
    FakeClipboardService clipboard;
    FakeShellService shell;
    FakeFreeSpace freeSpace;
};
