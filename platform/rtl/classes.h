// The object model, lists, string lists and streams.
#pragma once

#include "platform/rtl/classes_collection.h"
#include "platform/rtl/classes_component.h"
#include "platform/rtl/classes_filer.h"
#include "platform/rtl/classes_intf.h"
#include "platform/rtl/classes_lists.h"
#include "platform/rtl/classes_streams.h"
#include "platform/rtl/classes_strings.h"

// Horizontal alignment of text in controls and paragraphs.
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
