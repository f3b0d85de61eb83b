// The object model, lists, string lists and streams.
#pragma once

#include "platform/classes_collection.h"
#include "platform/classes_component.h"
#include "platform/classes_filer.h"
#include "platform/classes_intf.h"
#include "platform/classes_lists.h"
#include "platform/classes_streams.h"
#include "platform/classes_strings.h"

// Horizontal alignment of text in controls and paragraphs.
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
