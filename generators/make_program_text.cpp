// Writes the program text as the command-line companion carries it compiled in: the content of
// data/qvs.dat and its index by number and language, so that the companion finds a text without reading
// the file at all. The file is loaded with the rules the programs load it with; a faulty file stops the
// build with the loader's message.
//
// Usage: make_program_text INPUT_FILE OUTPUT_FILE

#include "platform/program_text_library.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

namespace {

// Ends the raw string literal that holds the content; the content must not hold it.
constexpr const char* kLiteralEnd = ")qvs\"";

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s INPUT_FILE OUTPUT_FILE\n", argv[0]);
        return 2;
    }
    // A file saved with CR LF loads as with LF alone; the literal carries LF alone, whatever the compiler
    // makes of line breaks in a raw string.
    std::ifstream in(argv[1], std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof()) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at))
        text.erase(at, 1);
    orvane::platform::ProgramTextLibrary library;
    if (const auto loaded = library.LoadText(std::move(text), argv[1]); !loaded) {
        std::fprintf(stderr, "%s\n", loaded.failure().message.text.c_str());
        return 1;
    }
    const std::string_view content = library.Content();
    if (content.find(kLiteralEnd) != std::string_view::npos) {
        std::fprintf(stderr, "%s holds %s, which ends the literal that would carry it\n", argv[1], kLiteralEnd);
        return 1;
    }

    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out << "// Written by make_program_text from data/qvs.dat at build time.\n"
        << "constexpr std::string_view kCompiledProgramText(R\"qvs(" << content << kLiteralEnd << ", "
        << content.size() << ");\n"
        << "constexpr orvane::platform::ProgramTextLibrary::Entry kCompiledTextIndex[] = {\n";
    for (const auto& entry : library.Index())
        out << "    {" << entry.key << ", " << entry.offset << ", " << entry.length << "},\n";
    out << "};\n";
    out.close();
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
