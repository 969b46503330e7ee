#pragma once

class QFileDialog;

namespace veltra {

// Every file and folder dialog of the program is Qt's own, whatever the
// desktop offers: a desktop's dialog follows its own theme and language and
// cannot carry the program's explanations. Shows `dialog` modally, in
// Polish (sizes and dates too, under any locale), at the size the user last
// left a file dialog (820 × 480 at first, room for the side bar and the
// name, size and date columns), and remembers its size; returns exec()'s
// result.
int ExecFileDialog(QFileDialog& dialog);

}  // namespace veltra
