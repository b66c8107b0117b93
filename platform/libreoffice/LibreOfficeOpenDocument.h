#pragma once

#include <com/sun/star/lang/XComponent.hpp>

// One document open in our soffice, as work on the worker thread sees it (UNO: back end only).
struct LibreOfficeOpenDocument
{
    css::uno::Reference<css::lang::XComponent> model;
    // Its show was started ahead and waits, paused, for runShow().
    bool showStartedAhead = false;
};
