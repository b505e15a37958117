// A JavaScript library for the game's link. With Asyncify, Emscripten's fsync
// waits for the browser to store the file system wherever it is called; called
// from a main-loop iteration, which cannot wait, the save stopped there. Files
// live in memory, so there is nothing to wait for: the home folder is stored
// after the rename that ends every save instead (storage.js).
mergeInto(LibraryManager.library, {
  fd_sync__sig: 'ii',
  fd_sync: function(fd) {
    return 0;
  },
});
