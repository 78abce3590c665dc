#include "TextFile.h"

#include "WordRead.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <system_error>

namespace truvex {

namespace {

[[noreturn]] void Fail(const char* what, const std::string& fileName, const std::string& reason)
{
    throw EInOutError(std::string(what) + " \"" + fileName + "\". " + reason);
}

}  // namespace

void WriteTextFile(const std::string& fileName, const std::string& text)
{
    // A new file of a name no one else uses, created exclusively.
    std::random_device random;
    std::string temporary;
    std::FILE* file = nullptr;
    for (int attempt = 0; attempt < 100 && !file; ++attempt) {
        temporary = fileName + ".~" + std::to_string(random() % 1000000);
        file = std::fopen(temporary.c_str(), "wbx");
        if (!file && errno != EEXIST)
            break;
    }
    if (!file)
        Fail("Cannot create file", fileName, std::strerror(errno));

    int writeError = 0;
    if (std::fwrite(text.data(), 1, text.size(), file) != text.size() || std::fflush(file) != 0)
        writeError = errno != 0 ? errno : EIO;
    if (std::fclose(file) != 0 && writeError == 0)
        writeError = errno != 0 ? errno : EIO;
    std::error_code error;
    if (writeError != 0) {
        std::filesystem::remove(temporary, error);
        Fail("Cannot write file", fileName, std::strerror(writeError));
    }
    // The replacement keeps the permissions of the file it replaces.
    const auto previous = std::filesystem::status(fileName, error);
    if (!error && std::filesystem::exists(previous))
        std::filesystem::permissions(temporary, previous.permissions(), error);
    std::filesystem::rename(temporary, fileName, error);
    if (error) {
        const std::string reason = error.message();
        std::filesystem::remove(temporary, error);
        Fail("Cannot write file", fileName, reason);
    }
}

std::string ReadFileContent(const std::string& fileName)
{
    std::ifstream file(fileName, std::ios::binary);
    if (!file)
        Fail("Cannot open file", fileName, "The file does not exist or cannot be read.");
    std::string content((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad())
        Fail("Cannot read file", fileName, "A read error occurred.");
    return content;
}

std::vector<std::string> SplitLines(const std::string& content)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < content.size(); ++i) {
        if (content[i] != '\r' && content[i] != '\n')
            continue;
        lines.push_back(content.substr(start, i - start));
        if (content[i] == '\r' && i + 1 < content.size() && content[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < content.size())
        lines.push_back(content.substr(start));
    return lines;
}

std::vector<std::string> ReadTextLines(const std::string& fileName) { return SplitLines(ReadFileContent(fileName)); }

std::string JoinLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

bool FileExists(const std::string& fileName)
{
    std::error_code error;
    return std::filesystem::is_regular_file(fileName, error);
}

void DeleteFileIfExists(const std::string& fileName)
{
    std::error_code error;
    std::filesystem::remove(fileName, error);
    if (error)
        Fail("Cannot delete file", fileName, error.message());
}

void MoveFile(const std::string& from, const std::string& to)
{
    std::error_code error;
    if (std::filesystem::equivalent(from, to, error))
        return;
    std::filesystem::rename(from, to, error);
    if (!error)
        return;
    // Another file system: copy, then delete the original.
    std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing, error);
    if (error)
        Fail("Cannot move file", from, error.message());
    DeleteFileIfExists(from);
}

}  // namespace truvex
