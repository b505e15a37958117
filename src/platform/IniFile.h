#pragma once

#include <string>

// Reading and writing one value of an INI file (lines "[Section]" and "key=value";
// lines starting with ';' or '#' are comments). Section and key names compare
// without regard to case.

// The integer value of section/key in the file at path; defaultValue when the
// file, the section or the key is missing, or when the value is not a number
// that fits an int.
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
