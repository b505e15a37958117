#pragma once

// What a path names, asked before a file is opened: a folder cannot be read as a
// file, and opening a named pipe waits for a writer that may never come.
enum FileKind {
    FILE_KIND_NONE = 0,  // nothing by that name
    FILE_KIND_PLAIN,     // a file that can be read whole
    FILE_KIND_FOLDER,
    FILE_KIND_OTHER,     // a pipe, a device, or a path that cannot be looked at
};

// path in UTF-8, as the game holds every path.
FileKind platformFileKind(const char* path);
