#pragma once

// Whole-file access to the resource directory, shared by readFile and the
// level files. Paths are relative to the resource directory, without a
// leading "/".

#include <string>
#include <string_view>

// The bytes of the resource file at relative. Prints "FAILED" on standard
// output and returns false when the file cannot be opened or read.
bool readResourceFile(const std::string& relative, std::string& text);

// Replaces the resource file at relative by text without ever leaving a
// partly written file in its place: the text goes to a hidden temporary file
// in the same folder (a name without ".data", so no level list shows it),
// every write is checked, the file is closed, and only then
// renamed over the target. On any failure the temporary file is removed,
// the old file is left as it was, and the result is false. An existing
// target keeps its permission bits; one its user may not write is not
// replaced (false). durable syncs the file before the rename, so that it
// survives a power cut as well as a crash of the process.
bool replaceResourceFile(const std::string& relative, std::string_view text, bool durable = true);
