#pragma once

#include <QString>

// Turns the program's "Description|*.a;*.b|Description|*.c" filters into the
// "Description (*.a *.b);;Description (*.c)" form of Qt's file dialogs.
class FileDialogFilter
{
public:
    static QString toQt(const QString& filter);
    // The extension a saved file gets: that of the first pattern (".evf" for "*.evf"), or none.
    static QString saveExtension(const QString& filter);
};
