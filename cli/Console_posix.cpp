#include "cli/Console.h"

#include <iconv.h>
#include <langinfo.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <clocale>
#include <cstring>

#include "cli/JsonText.h"

namespace {

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

// Converts text with cd, replacing what cannot be converted by '?'; lossy says whether it had to.
std::string Convert(iconv_t cd, const std::string& text, bool* lossy = nullptr) {
    if (lossy != nullptr) *lossy = false;
    if (cd == kNoConverter) return text;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    std::string out;
    std::string input = text;
    char* in = input.data();
    std::size_t inLeft = input.size();
    char buffer[1024];
    while (inLeft > 0) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t done = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        if (done == static_cast<std::size_t>(-1) && errno != E2BIG) {
            out += '?';
            if (lossy != nullptr) *lossy = true;
            ++in;  // skip the byte that does not convert
            --inLeft;
        }
    }
    char* outPtr = buffer;
    std::size_t outLeft = sizeof buffer;
    iconv(cd, nullptr, nullptr, &outPtr, &outLeft);
    out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
    return out;
}

bool IsUtf8Name(const char* codeset) { return std::strcmp(codeset, "UTF-8") == 0; }

}  // namespace

struct Console::Converters {
    iconv_t textToTerminal = kNoConverter;
    iconv_t textToUtf8 = kNoConverter;
    iconv_t pathToUtf8 = kNoConverter;
    bool pathsAreUtf8 = true;
};

Console::Console() : m_converters(std::make_unique<Converters>()) {
    std::setlocale(LC_ALL, "");
    const char* codeset = nl_langinfo(CODESET);
    // A locale that knows no Chinese (the C locale) gets UTF-8, what terminals show today.
    const bool plain = std::strcmp(codeset, "ANSI_X3.4-1968") == 0;
    const char* terminal = plain ? "UTF-8" : codeset;
    m_converters->textToTerminal = iconv_open(terminal, "GBK");
    m_converters->textToUtf8 = iconv_open("UTF-8", "GBK");
    m_converters->pathsAreUtf8 = plain || IsUtf8Name(codeset);
    if (!m_converters->pathsAreUtf8) m_converters->pathToUtf8 = iconv_open("UTF-8", codeset);
}

Console::~Console() {
    for (iconv_t cd : {m_converters->textToTerminal, m_converters->textToUtf8, m_converters->pathToUtf8})
        if (cd != kNoConverter) iconv_close(cd);
}

std::string Console::Text(const std::string& gbk) const { return Convert(m_converters->textToTerminal, gbk); }

std::string Console::TextToUtf8(const std::string& gbk) const {
    return Convert(m_converters->textToUtf8, gbk);
}

std::string Console::PathToUtf8(const std::string& path) const {
    return ValidUtf8(m_converters->pathsAreUtf8 ? path : Convert(m_converters->pathToUtf8, path));
}

bool Console::PathIsExactInUtf8(const std::string& path) const {
    bool lossy = false;
    const std::string utf8 =
        m_converters->pathsAreUtf8 ? path : Convert(m_converters->pathToUtf8, path, &lossy);
    return !lossy && ValidUtf8(utf8) == utf8;
}

bool Console::IsTerminal(std::FILE* stream) { return isatty(fileno(stream)) == 1; }

std::size_t Console::Columns(std::FILE* stream) {
    winsize size{};
    if (ioctl(fileno(stream), TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
    return 80;
}
