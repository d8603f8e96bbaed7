// The main window's Print command: the print preview over the document.
#pragma once

namespace quinkle {

class QuinkleForm;

/// Shows the print preview of the form's document modally; the window is made on first use
/// and kept for the run.
void ShowPrintPreview(QuinkleForm& form);

}  // namespace quinkle
