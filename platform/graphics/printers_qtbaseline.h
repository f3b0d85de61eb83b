// The baseline of the print benchmark: the same text grid written straight
// to a PDF through the GUI library's painter (no cell measuring, no GDI).
#pragma once

#include <string>

// Rows of Cols cells "r<row>c<col>" in boxes, as many A4 pages as they
// take; the number of pages.
int PrintTextGridQtBaseline(const std::string& FileName, int Rows, int Cols);
