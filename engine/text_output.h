// An output text file of the run (report, plot data, run notes) written
// line by line, every line through the layout notation or as plain text.
#pragma once

#include "layout_format.h"

#include <filesystem>
#include <fstream>
#include <string_view>

namespace truvex {

class TextOutput {
public:
    TextOutput() = default;
    explicit TextOutput(const std::filesystem::path& path) { open(path); }

    bool open(const std::filesystem::path& path)
    {
        stream_.open(path, std::ios::out | std::ios::trunc | std::ios::binary);
        return stream_.is_open();
    }

    template <class... Args>
    void write(std::string_view layout, const Args&... values)
    {
        stream_ << format(layout, values...);
    }

    void line(std::string_view text = {}) { stream_ << text << '\n'; }

    void blankLines(int count)
    {
        for (int i = 0; i < count; ++i)
            stream_ << '\n';
    }

private:
    std::ofstream stream_;
};

}  // namespace truvex
