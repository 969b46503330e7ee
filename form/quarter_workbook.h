#pragma once

#include <string>
#include <string_view>

#include "file_system.h"
#include "quarter.h"

namespace veltra {

// "sprawozdanie-2026-IV-kwartal.xlsx"
std::string QuarterWorkbookName(QuarterId quarter);

// A text as a spreadsheet cell can hold it: bytes that are not UTF-8 become
// U+FFFD, line breaks and tabs spaces, other control characters and the
// non-characters U+FFFE and U+FFFF are dropped, and what goes beyond a
// cell's 32767 UTF-16 units is cut off.
std::string CellText(std::string_view text);

// Saves the filled form as an .xlsx workbook laid out cell for cell as the
// blank form: the header, each month's row with its durations as time
// values, and the two shares as the form's formulas with their values
// stored, so that a viewer which does not recalculate shows them too. The
// workbook is made whole in a private temporary folder first and then put
// in place through the file system's replacement, so the previous file is
// never left half-written. Throws FileError "Cannot create file ...".
void SaveQuarterWorkbook(FileSystem& fileSystem, const std::string& path, SpecialTarget special,
                         const QuarterForm& form, const FormHeader& header);

}  // namespace veltra
