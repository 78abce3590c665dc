// Any bytes as a project file of each of the four layouts: opening must end
// in a project or a reading error, never a crash or a runaway allocation.
#include "entry/InputTables.h"
#include "project/ProgramData.h"

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
        std::string pattern = (std::filesystem::temp_directory_path() / "truvex-fuzz-open-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            std::abort();
        return std::filesystem::path(pattern);
    }();
    static const auto tables = truvex::TInputTables::FromResource();
    const std::filesystem::path file = folder / "input.tx5d";
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    for (truvex::FileLayout layout : {truvex::FileLayout::Current, truvex::FileLayout::Y2013, truvex::FileLayout::V30,
                                      truvex::FileLayout::V20}) {
        truvex::TProgramData project(*tables);
        project.Open(file.string(), layout);
    }
    return 0;
}
