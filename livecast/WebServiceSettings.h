#pragma once

#include <QString>

// Where the vendor's web service answers and the product identifier this installation is
// known by there: the lines "WebService=" address and "ProductID=" identifier of
// "WebService.ini" in the application folder. Without an address there is no service, which
// the program treats like a missing internet connection.
class WebServiceSettings
{
public:
    static inline const QString FileName = QStringLiteral("WebService.ini");

    QString WebService; // ends with "/" when set
    QString ProductID;

    // Keys are read without regard to case, other lines are ignored; a missing file leaves
    // both empty.
    static WebServiceSettings load(const QString& appFolder);
    bool hasService() const { return !WebService.isEmpty(); }
};
