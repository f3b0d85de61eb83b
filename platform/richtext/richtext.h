// Rich text without a window: the document model, its attributes, the RTF
// reader and writer, and layout and drawing. The rich edit control sits on
// top of these.
#pragma once

#include "platform/richtext/richtext_attributes.h"
#include "platform/richtext/richtext_document.h"
#include "platform/richtext/richtext_format.h"
#include "platform/richtext/richtext_layout.h"
#include "platform/richtext/richtext_rtf.h"
