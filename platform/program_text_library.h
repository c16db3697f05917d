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

#include <cstdint>
#include <string>
#include <vector>

namespace orvane::platform {

class ProgramTextLibrary {
public:
    // Most characters (Unicode code points) a text may hold.
    static constexpr int32_t kMaxTextChars = 1024;

    // Loads the text file `fullFileName`. Returns the number of texts loaded (> 0) on success, or:
    //    0  no text in the file            -1  the file cannot be opened
    //   -6  the file is empty              -7  a read error
    //   -(500 + L)   missing text at line L: the text is empty, or the line is not NUMBER|LANGUAGE|TEXT
    //                with a 16-bit number and a language 0 or 1, so that no text could be taken from it
    //   -(1000 + L)  text longer than kMaxTextChars at line L
    //   -(1500 + L)  a number and language seen before, at line L
    // A line L of 500 or more is coded as 499 (so that the code keeps its kind) and faultLine() tells
    // the true line. A failed load leaves no texts loaded. `flags` is reserved and must be 0.
    int32_t LoadFile(const std::string& fullFileName, int32_t flags);

    // The line of the last load's fault at a line, counted from 1; 0 when it had none.
    int32_t faultLine() const { return m_faultLine; }

    // Copies the text with `number` in `language` into `buffer` (replacing its contents) when it has at
    // most `capacity` characters; returns its length in bytes (> 0), or 0 when there is no such text.
    // The stored "~" is returned as it is. `mode` must be 1.
    int32_t CopyText(int32_t number, int32_t language, std::string& buffer, int32_t capacity, int32_t mode) const;

private:
    // Where a text lies in m_content.
    struct Entry {
        int64_t key;  // number and language
        uint32_t offset;
        uint32_t length;
    };

    // The file as read: the texts are kept where they stand in it, not as a string each.
    std::string m_content;
    // One entry a text, in order of key.
    std::vector<Entry> m_index;
    int32_t m_faultLine = 0;
};

}  // namespace orvane::platform
