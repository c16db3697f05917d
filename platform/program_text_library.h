#pragma once

// The program-text library: loads the numbered user-visible texts of the program from a qvs.dat file
// and serves them by number and language.
//
// File format (UTF-8), one entry a line:   NUMBER|LANGUAGE|TEXT
//   NUMBER    the text number (a 16-bit signed integer)
//   LANGUAGE  0 English, 1 German
//   TEXT      the rest of the line; it may contain '|'. '^' and "[r1]" … "[r5]" are stored as written,
//             "~" stands for the empty text.
// Empty lines and lines starting with '#' are ignored. A trailing CR (a file saved with CR LF) is dropped.

#include "platform/result.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orvane::platform {

class ProgramTextLibrary {
public:
    // Where a text lies in the content loaded.
    struct Entry {
        int64_t key;  // number and language, as Key gives them
        uint32_t offset;
        uint32_t length;
    };

    // The key of a text's number and language, by which the index is ordered.
    static constexpr int64_t Key(int32_t number, int32_t language) { return int64_t{number} * 2 + language; }

    // Most characters (Unicode code points) a text may hold.
    static constexpr int32_t kMaxTextChars = 1024;

    // Largest program text read, in bytes: the program's own has some 60 KiB.
    static constexpr uint64_t kMaxFileBytes = 1024 * 1024;

    // Loads the text file `fullFileName`: the number of texts loaded, or the critical message (without a
    // title) that tells what is wrong and names the file: it cannot be opened, is not a file, is larger
    // than kMaxFileBytes, cannot be read, is empty or holds no text; or a line is faulty (the message
    // names it): from it no number, language and text can be taken (a 16-bit number, a language 0 or 1,
    // a text that is not empty), its text is longer than kMaxTextChars, or its number and language were
    // seen before. A failed load leaves no texts loaded.
    //
    // A file that holds byte for byte the content this library holds already keeps its texts and index
    // as they are: nothing is copied or parsed. The companion starts with the program text it was built
    // with and reads the data folder's file only when that differs.
    Result<int32_t> LoadFile(const std::string& fullFileName);

    // Loads the texts of `content` as LoadFile loads a file's, its messages naming `name`: for a program
    // text compiled into a program.
    Result<int32_t> LoadText(std::string content, const std::string& name);

    // The line of the last load's fault at a line, counted from 1; 0 when it had none.
    int32_t faultLine() const { return m_faultLine; }

    // The text with `number` in `language` as stored (at most kMaxTextChars characters; "~" as it is),
    // valid until the next load; nothing when there is no such text.
    std::optional<std::string_view> StoredText(int32_t number, int32_t language) const;

    // The content of the last load and its index, one entry a text in order of key: what a build step
    // writes down for a program that carries its text compiled in.
    std::string_view Content() const { return m_content; }
    std::span<const Entry> Index() const { return m_index; }

    // Takes the texts of a load made before: `content` and `index` as Content() and Index() gave them
    // after it succeeded. Nothing is checked again and nothing is copied, which is what makes this
    // cheap: both must outlive the library and its copies (a program's own constants do).
    void Adopt(std::string_view content, std::span<const Entry> index);

private:
    // Whether `fullFileName` holds exactly the content loaded (never when nothing is loaded).
    bool FileHoldsContent(const std::string& fullFileName) const;

    // A load's texts: the file as read, the texts kept where they stand in it (not as a string each),
    // and one index entry a text, in order of key. The library's copies share them.
    struct Loaded {
        std::string content;
        std::vector<Entry> index;
    };

    // The texts served: those loaded (m_loaded), or adopted ones that outlive the library.
    std::shared_ptr<const Loaded> m_loaded;
    std::string_view m_content;
    std::span<const Entry> m_index;
    int32_t m_faultLine = 0;
};

}  // namespace orvane::platform
