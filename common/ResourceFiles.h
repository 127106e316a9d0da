#pragma once

// The files of the resource folder. relative paths are inside the root,
// without a leading "/".

#include "common/ResourceRoot.h"

#include <string>
#include <string_view>
#include <vector>

// The bytes of the file. Prints "FAILED" on standard output and returns
// false when the file cannot be opened or read.
bool readResourceFile(const ResourceRoot& root, const std::string& relative, std::string& text);

// Replaces the file by text without ever leaving a partly written file in
// its place: the text goes to a hidden temporary file in the same folder (a
// name without ".data", so no level list shows it), every write is checked,
// the file is closed, and only then renamed over the target. On any failure
// the temporary file is removed, the old file is left as it was, and the
// result is false, with errno telling why. An existing target keeps its permission bits; one its
// user may not write is not replaced (false). durable syncs the file before
// the rename, so that it survives a power cut as well as a crash of the
// process.
bool replaceResourceFile(const ResourceRoot& root, const std::string& relative,
                         std::string_view text, bool durable = true);

bool resourceFileExists(const ResourceRoot& root, const std::string& relative);
void removeResourceFile(const ResourceRoot& root, const std::string& relative);

// The lines of the file. A file that ends with a line feed yields one
// more, empty, line; an empty file yields one empty line. An unreadable file
// prints "FAILED" on standard output and yields an empty list.
std::vector<std::string> readFile(const ResourceRoot& root, const std::string& relative);
