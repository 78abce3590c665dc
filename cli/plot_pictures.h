// Pictures of the result graphs for truvex-run --plot: the plot data of a
// project read as the front end reads it, its graphs saved as PNG files.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace truvex {

class PictureWriter {
public:
    // Starts the headless drawing machinery (the offscreen platform unless
    // QT_QPA_PLATFORM names another).
    explicit PictureWriter(const char* programName);
    ~PictureWriter();
    PictureWriter(const PictureWriter&) = delete;
    PictureWriter& operator=(const PictureWriter&) = delete;

    struct Outcome {
        std::string line;
        bool ok = false;
    };

    // Reads `plotFile` (".tx5p") and saves its graphs into `folder`, named
    // after the plot file. The project file of the same name, when there is
    // one, supplies the unit system, the case code, the wall and the soil
    // layers.
    Outcome write(const std::filesystem::path& plotFile, const std::filesystem::path& folder);

private:
    struct Application;
    std::unique_ptr<Application> application_;
};

}  // namespace truvex
