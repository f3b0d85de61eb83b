// The XML document server. Its objects answer, without case:
//   document: "load"(file) -> Boolean, "parseError", "documentElement",
//             "async" (accepted, always synchronous)
//   parseError: "errorCode" (0 when loaded; non-zero otherwise), "line",
//               "linepos", "reason"
//   node: "nodeName" ("#text" for text), "Text" (the text of all its
//         descendants), "childNodes", "attributes" (an object on elements
//         only, null elsewhere), "nodeValue"
//   childNodes and attributes: "length", "item"(i) (null past the end)
// The tree holds elements and texts (CDATA too); whitespace-only texts,
// comments and processing instructions are left out, entities are decoded.
#pragma once

#include "platform/ole/variants.h"

inline constexpr const char* XMLDOMProgID = "Microsoft.XMLDOM";

// A new, empty document object.
Variant CreateXMLDocumentObject();
