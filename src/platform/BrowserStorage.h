#pragma once

// Inside the platform layer only, in the browser: the player's home folder lives
// in the page's memory and is kept in the browser's own storage (IndexedDB, by
// web/storage.js). A file saved or removed there is stored at once; the page
// waits for the stores before it goes back to its launcher.
void storePlayerFiles();
