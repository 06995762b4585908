#pragma once

#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>

// The terminal the program prints to. The program's own texts are GBK bytes; paths are in the
// file system's encoding (the locale's natively, the ANSI code page on Windows) and are printed
// as they are, so that a printed path names the file.
class Console {
public:
    Console();
    ~Console();
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;

    // A program text in the terminal's encoding.
    std::string Text(const std::string& gbk) const;
    // For JSON, which is always UTF-8.
    std::string TextToUtf8(const std::string& gbk) const;
    std::string PathToUtf8(const std::string& path) const;
    // False when PathToUtf8 had to replace part of path, so its text no longer names the file.
    bool PathIsExactInUtf8(const std::string& path) const;

    static bool IsTerminal(std::FILE* stream);
    // Width of the terminal behind stream, in columns; 80 when it cannot tell.
    static std::size_t Columns(std::FILE* stream);

private:
    struct Converters;
    std::unique_ptr<Converters> m_converters;
};
