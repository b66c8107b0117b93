#pragma once

#include "platform/libreoffice/LibreOfficeOpenDocument.h"

#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>

#include <map>

// The UNO ends of the bridge to our soffice and the documents opened through it, by id. Touched
// on the session's worker thread only (UNO: back end only). Ids are never given twice, not even
// to documents of an office started after the first one died.
struct LibreOfficeConnection
{
    // Ours: bootstrapped once, it outlives the offices it connects to.
    css::uno::Reference<css::uno::XComponentContext> local;
    // The office's, for creating its services; empty while not connected.
    css::uno::Reference<css::uno::XComponentContext> remote;
    css::uno::Reference<css::frame::XDesktop2> desktop;
    std::map<int, LibreOfficeOpenDocument> documents;
    int lastId = 0;

    int add(const css::uno::Reference<css::lang::XComponent>& model)
    {
        documents[++lastId].model = model;
        return lastId;
    }
    // Null when no open document has that id.
    LibreOfficeOpenDocument* find(int id)
    {
        const auto found = documents.find(id);
        return found == documents.end() ? nullptr : &found->second;
    }
    void remove(const css::uno::Reference<css::lang::XComponent>& model)
    {
        std::erase_if(documents, [&](const auto& entry) { return entry.second.model == model; });
    }
    // The office's end goes: a new office starts with no documents.
    void forgetOffice()
    {
        documents.clear();
        desktop.clear();
        remote.clear();
    }
};
