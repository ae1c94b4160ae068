// SPDX-License-Identifier: MIT
// Build-time tool: turns a word list (one word a line) into the dictionary's word file, a flat run
// of 15-byte records: the byte 0x1E, then the word in capitals padded with blanks to 14 characters.
// Records are sorted by the bytes of the word field, so a blank (shorter word) sorts first, and
// repeats are dropped. Words longer than 14 letters are cut to their first 14.
//
// Usage: makewordrecords <output file> <words.txt>...
// Several lists are merged into one word file. Exits non-zero, leaving no output, on a line that is
// not made of the letters a to z.

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr std::size_t wordWidth = 14;
using Record = std::array<char, wordWidth + 1>;

bool toRecord(std::string line, Record& record) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) return false;
    record.fill(' ');
    record[0] = '\x1e';
    for (std::size_t i = 0; i < line.size(); ++i) {
        char c = line[i];
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
        if (c < 'A' || c > 'Z')
            throw std::runtime_error("not a word of the letters a to z: \"" + line + "\"");
        if (i < wordWidth) record[i + 1] = c;
    }
    return true;
}

} // namespace

namespace {

// Appends the records of one list; answers false (with a message) when it cannot be read or holds
// a line that is not a word.
bool readList(const char* path, std::vector<Record>& records) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::cerr << "makewordrecords: cannot read " << path << "\n";
        return false;
    }
    std::string line;
    std::size_t lineNumber = 0;
    try {
        while (std::getline(in, line)) {
            ++lineNumber;
            Record record;
            if (toRecord(line, record)) records.push_back(record);
        }
    } catch (const std::exception& error) {
        std::cerr << path << ":" << lineNumber << ": " << error.what() << "\n";
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: makewordrecords <output file> <words.txt>...\n";
        return 2;
    }
    std::vector<Record> records;
    for (int list = 2; list < argc; ++list) {
        if (!readList(argv[list], records)) return 1;
    }
    std::sort(records.begin(), records.end());
    records.erase(std::unique(records.begin(), records.end()), records.end());

    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    for (const Record& record : records)
        out.write(record.data(), std::streamsize(record.size()));
    out.close();
    if (!out) {
        std::cerr << "makewordrecords: cannot write " << argv[1] << "\n";
        std::remove(argv[1]);
        return 1;
    }
    return 0;
}
