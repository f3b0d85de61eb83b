// Between the clipboard's content and the desktop clipboard (Qt).
#pragma once

#include <map>
#include <vector>

#include "platform/forms/clipbrd.h"

using TClipContent = std::map<UINT, std::vector<Byte>>;

// Publishes the content on the desktop clipboard; nothing without a GUI.
void DesktopGive(const TClipContent& Content);
// True when the desktop clipboard holds what another program (or another
// instance) put there since we last gave; Content then holds it mapped
// back to our formats.
bool DesktopTake(TClipContent& Content);

// The document of an "HTML Format" text: the bytes between its StartHTML
// and EndHTML offsets. False (and the whole text) when the header is
// missing or its offsets lie outside the text.
bool HTMLFormatDocument(const std::vector<Byte>& Data, std::size_t& Start, std::size_t& End);
// Wraps a whole HTML document in an "HTML Format" header.
std::vector<Byte> HTMLFormatWrap(const std::vector<Byte>& Document);
