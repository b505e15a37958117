#pragma once

#include <cstddef>
#include <string>

// Reading and writing one value of an INI file (lines "[Section]" and "key=value";
// lines starting with ';' or '#' are comments). Section and key names compare
// without regard to case.

// An options file holds a few short lines: a larger one is no options file, and
// none of it is read.
constexpr std::size_t INI_FILE_MAX_BYTES = 64 * 1024;

enum IniFileResult {
    INI_FILE_READ = 0,
    INI_FILE_MISSING,    // nothing by that name
    INI_FILE_NOT_PLAIN,  // a folder, a pipe or a device: never opened
    INI_FILE_TOO_LARGE,  // larger than INI_FILE_MAX_BYTES
    INI_FILE_FAILED,     // it could not be read
};

// The whole text of the file at path. Only a plain file is opened: a named pipe
// in its place would hold the game's start until a writer came. content is empty
// on anything but INI_FILE_READ. Every function below reads its file so, and one
// that writes leaves a file it could not read as it was.
IniFileResult iniReadFile(const char* path, std::string& content);

// The integer value of section/key in the file at path; defaultValue when the
// file cannot be read, when the section or the key is missing, or when the value
// is not a number that fits an int.
int iniReadInt(const char* path, const char* section, const char* key, int defaultValue);

// Sets section/key to value, creating the file and the section when they are
// missing. An existing key is replaced where it stands and every other line is
// kept as it was. The new file is written beside the old one and renamed over it,
// so a failed write (reported as false) leaves the old file untouched.
bool iniWriteString(const char* path, const char* section, const char* key, const char* value);

struct IniEntry {
    const char* key;
    const char* value;
};

// Sets several keys of one section in a single replacement of the file, with the
// same rules as iniWriteString: either every key is written or the old file stays.
bool iniWriteStrings(const char* path, const char* section, const IniEntry* entries, int count);

// Starts the file at path as a copy of the file at source, through the same
// temporary file and rename, when path does not exist yet and source does.
// False only when such a copy was due and could not be written; an existing
// path is never touched.
bool iniCopyIfMissing(const char* source, const char* path);

// The same rules on an INI text held in memory: the value of section/key, and the
// text with entries set (false, text untouched, when an argument is missing).
int iniTextReadInt(const std::string& content, const char* section, const char* key,
                   int defaultValue);
bool iniTextSetStrings(std::string& content, const char* section, const IniEntry* entries,
                       int count);
