#pragma once

// Whole-file reading and the safe replacement of a file's contents.

#include <cstddef>
#include <string>

struct CFileResult;

// Reads the whole file at path into bytes. Fails (with a message naming the reason)
// when the file cannot be opened or read, is not a regular file (a folder, a pipe, a
// device), or is larger than maxBytes.
CFileResult ReadFileBytes(const std::string& path, std::size_t maxBytes, std::string& bytes);

// Writes bytes to a new file beside path and renames it over path, so that the file
// at path is either the old one or the complete new one, never a mix or nothing.
// On failure the new file is removed and the old one is left as it was.
CFileResult ReplaceFileBytes(const std::string& path, const std::string& bytes);
