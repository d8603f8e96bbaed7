// Exception classes of the editor engine; each carries the program's own message text.
#pragma once

#include <stdexcept>
#include <string>

namespace quinkle {

/// Faults inside the editor control: undo log states, index ranges and the like.
class ESourceEditor : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// A document could not be written to its stream.
class EFileSaveError : public ESourceEditor {
public:
    using ESourceEditor::ESourceEditor;
};

/// A file could not be opened.
class EFOpenError : public ESourceEditor {
public:
    using ESourceEditor::ESourceEditor;
};

/// A file could not be created.
class EFCreateError : public ESourceEditor {
public:
    using ESourceEditor::ESourceEditor;
};

/// A stream refused an operation (reading past its end, writing to a read-only stream).
class EStreamError : public ESourceEditor {
public:
    using ESourceEditor::ESourceEditor;
};

/// Memory for a transfer buffer could not be had.
class EOutOfMemory : public ESourceEditor {
public:
    using ESourceEditor::ESourceEditor;
};

/// Formats one of the program's message texts that takes a single %s argument.
std::string FormatMessage(const char* format, const std::string& argument);

}  // namespace quinkle
