#pragma once

#include <QString>

// The profile folder one LibreOfficeApp runs its office on, held (by a lock the system drops
// when the program ends, however it ends) for as long as the instance lives. Two offices
// cannot share a profile: the second hands its work to the first and exits. So an instance
// that finds the folder it wants held by another one (a second copy of the program with the
// same application folder, or another instance in this program) takes a folder of its own
// beside it, named after the wanted one and its process id, and removes it when it is done.
class LibreOfficeProfile
{
public:
    explicit LibreOfficeProfile(const QString& wantedFolder);
    // Gives the folder up; a folder of its own goes with everything in it.
    ~LibreOfficeProfile();

    LibreOfficeProfile(const LibreOfficeProfile&) = delete;
    LibreOfficeProfile& operator=(const LibreOfficeProfile&) = delete;

    QString folder() const { return m_folder; }

    // Folders of their own that copies which died left beside the wanted one: their offices
    // are ended and the folders removed.
    void removeLeftoverFolders() const;

private:
    QString m_wanted;
    QString m_folder;
    int m_lockFd = -1;
    bool m_ownFolder = false;
};
