// Whole-file text operations of the project files: an atomic write, reading
// the lines of a file, and deleting and moving stage files. Failures raise
// EInOutError with a message for the user.
#pragma once

#include <string>
#include <vector>

namespace truvex {

// Writes the text to a temporary file beside `fileName` and renames it over
// `fileName`, so a failed write leaves the previous file as it was.
void WriteTextFile(const std::string& fileName, const std::string& text);

// The whole content of a file.
std::string ReadFileContent(const std::string& fileName);
// The lines of a text without their line ends (CR LF, LF or a lone CR); a
// final line end opens no further line.
std::vector<std::string> SplitLines(const std::string& content);
// The lines of a file.
std::vector<std::string> ReadTextLines(const std::string& fileName);

// Lines joined, each ended by CR LF.
std::string JoinLines(const std::vector<std::string>& lines);

bool FileExists(const std::string& fileName);
// Deletes the file when it exists.
void DeleteFileIfExists(const std::string& fileName);
// Moves a file, replacing any file of the new name; nothing when both names
// are the same.
void MoveFile(const std::string& from, const std::string& to);

}  // namespace truvex
