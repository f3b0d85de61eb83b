// The standard controls: edits, memo, masked edit, combo box, list box,
// scroll bar and label (and the buttons, in their own header).
#pragma once

#include "platform/forms/clipbrd.h"
#include "platform/stdctrls/stdctrls_buttons.h"
#include "platform/stdctrls/stdctrls_consts.h"
#include "platform/stdctrls/stdctrls_edit.h"
#include "platform/stdctrls/stdctrls_label.h"
#include "platform/stdctrls/stdctrls_lists.h"
#include "platform/stdctrls/stdctrls_scrollbar.h"
