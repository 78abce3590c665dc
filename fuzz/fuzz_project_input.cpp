// Any bytes as a project file: the engine must end every run normally.
#include "truvex/engine.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::filesystem::path folder = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "truvex-fuzz-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            std::abort();
        return std::filesystem::path(pattern);
    }();
    const std::filesystem::path project = folder / "input.tx5d";
    {
        std::ofstream file(project, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    truvex::RunRequest request = truvex::requestForProject(project);
    request.workDir = folder;
    truvex::runProject(request);
    return 0;
}
